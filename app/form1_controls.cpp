// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1_controls.h"

#include "ui/accessibility.h"
#include "ui/colors.h"
#include "ui/command_button.h"
#include "ui/desktop.h"
#include "ui/picture_box.h"
#include "ui/picture_copy.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "ui/twips.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <utility>

namespace kv {

namespace {

    // The client area in twips.
    constexpr int clientWidth = 15516;
    constexpr int clientHeight = 9468;

    QFont timesFont(double points, bool bold = false)
    {
        QFont f(QStringLiteral("Times New Roman"));
        f.setStyleHint(QFont::Serif);
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    // A fixed background with dark text on it, whatever the desktop theme.
    void setColors(QWidget* w, QPalette::ColorRole background, Rgb back)
    {
        QPalette p = w->palette();
        p.setColor(background, toQColor(back));
        for (QPalette::ColorRole text :
            { QPalette::Text, QPalette::ButtonText, QPalette::WindowText })
            p.setColor(text, Qt::black);
        w->setPalette(p);
    }

    void place(QWidget* w, int left, int top, int width, int height)
    {
        w->setGeometry(twips::rect(left, top, width, height));
    }

    void place(PictureBox* box, int left, int top, int width, int height)
    {
        box->place(twips::rect(left, top, width, height));
    }

} // namespace

QPushButton* Form1Controls::example(int n) const
{
    for (std::size_t i = 0; i < std::size(examples); ++i)
        if (examples[i].n == n)
            return exampleButtons[i];
    return nullptr;
}

void Form1Controls::setupControls(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("Form1"));
    window->setWindowTitle(QStringLiteral("Kalvoster"));
    window->setWindowIcon(programIcon());
    // The form keeps its size; on a screen too small for it, it scrolls inside the window.
    auto* scroller = new QScrollArea(window);
    scroller->setObjectName(QStringLiteral("FormScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(false);
    window->setCentralWidget(scroller);
    Form = new QWidget;
    Form->setObjectName(QStringLiteral("Form"));
    Form->setFixedSize(twips::toPixels(clientWidth), twips::toPixels(clientHeight));
    scroller->setWidget(Form);
    scroller->viewport()->setBackgroundRole(QPalette::Window);
    makeClassic(scroller->horizontalScrollBar());
    makeClassic(scroller->verticalScrollBar());
    QWidget* form = Form;

    auto button = [](const QString& name, const QString& caption, QWidget* parent) {
        auto* b = new CommandButton(name, caption, parent);
        setColors(b, QPalette::Button, 0xFFFF00);
        return b;
    };

    txtAusgabe = new MultiLineTextBox(
        QStringLiteral("txtAusgabe"), QStringLiteral("Ergebnisse\r\n"), form);
    txtAusgabe->setFont(timesFont(13.8));
    txtAusgabe->setTabChangesFocus(true); // Tab goes on to the next control
    place(txtAusgabe, 8160, 5400, 7212, 3252);

    cmdMinus = button(QStringLiteral("cmdMinus"), QStringLiteral("-"), form);
    place(cmdMinus, 7680, 8040, 252, 252);
    cmdPlus = button(QStringLiteral("cmdPlus"), QStringLiteral("+"), form);
    place(cmdPlus, 7680, 7800, 252, 252);

    txtLuecke = new TextBox(QStringLiteral("txtLuecke"), QStringLiteral("0"), form);
    txtLuecke->setFont(timesFont(12));
    txtLuecke->setAlignment(Qt::AlignCenter);
    place(txtLuecke, 7080, 7800, 612, 504);

    cmdSuche = button(QStringLiteral("cmdSuche"), QStringLiteral("Suche bis"), form);
    cmdSuche->setFont(timesFont(10.2));
    place(cmdSuche, 6360, 7080, 1572, 492);

    Picture1 = new PictureBox(QStringLiteral("Picture1"), form);
    Picture1->setBackColor(0xFFFF00);
    place(Picture1, 2040, 6600, 5892, 252);

    Frame1 = new QFrame(form);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    place(Frame1, 360, 6960, 5772, 1692);

    for (std::size_t i = 0; i < std::size(examples); ++i) {
        const Example& e = examples[i];
        QPushButton* b = button(QStringLiteral("cmd%1").arg(e.n), QString::number(e.n), Frame1);
        b->setFont(timesFont(12));
        place(b, e.left, e.top, 612, 612);
        exampleButtons[i] = b;
    }

    txthilfe = new TextBox(QStringLiteral("txthilfe"), QStringLiteral("Hilfe"), form);
    txthilfe->setFont(timesFont(13.8));
    txthilfe->setAlignment(Qt::AlignCenter);
    setColors(txthilfe, QPalette::Base, 0xFFFFC0);
    place(txthilfe, 360, 8880, 15012, 432);

    picZeichenblatt = new PictureBox(QStringLiteral("picZeichenblatt"), form);
    picZeichenblatt->setBackColor(0xFFFFFF);
    picZeichenblatt->setDrawFont(timesFont(10.2, true));
    picZeichenblatt->surface().setForeColor(0x000000);
    factorisationCopy
        = new PictureCopy(picZeichenblatt, [box = picZeichenblatt] { return box->wholePicture(); });
    place(picZeichenblatt, 360, 5400, 7572, 552);

    txtN = new TextBox(QStringLiteral("txtN"), QStringLiteral("15"), form);
    txtN->setFont(timesFont(28.2));
    txtN->setAlignment(Qt::AlignCenter);
    txtN->setReadOnly(true);
    setColors(txtN, QPalette::Base, 0xFFFF00);
    place(txtN, 360, 6120, 1692, 732);

    HScroll2 = new ScrollBar(QStringLiteral("HScroll2"), 1, 1365, 15, form);
    place(HScroll2, 2040, 6120, 5892, 492);
    HScroll1 = new ScrollBar(QStringLiteral("HScroll1"), 0, 24000, 0, form);
    place(HScroll1, 360, 4800, 15012, 372);

    picContainer = new PictureBox(QStringLiteral("picContainer"), form);
    place(picContainer, 360, 360, 15012, 4452);
    // The diagram lies in the container's inner area, which clips it; the border stays whole.
    auto* viewport = new PictureViewport(picContainer);
    picausgabe = new PictureBox(QStringLiteral("picausgabe"), viewport);
    picausgabe->setBackColor(0xE0E0E0);
    picausgabe->setDrawFont(timesFont(13.2));
    picausgabe->place(twips::rect(0, 0, 56000, 4572));
    picausgabe->setLeft(0);
    viewport->raiseFocusFrame();
    diagramCopy = new PictureCopy(picContainer, [box = picausgabe] { return box->wholePicture(); });

    Line2 = new QWidget(form);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Line2->setAutoFillBackground(true);
    setColors(Line2, QPalette::Window, 0x000000);
    Line2->setGeometry(twips::toPixels(8040), twips::toPixels(5400), 1,
        twips::toPixels(8640) - twips::toPixels(5400));

    Label3 = new QLabel(QStringLiteral("vorkommt."), form);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(timesFont(12));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label3, 6360, 8400, 1572, 252);
    Label1 = new QLabel(QStringLiteral("Lücke"), form);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(timesFont(12));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label1, 6360, 7920, 732, 372);

    cmdEnde = window->menuBar()->addAction(QStringLiteral("Programm beenden"));
    cmdEnde->setObjectName(QStringLiteral("cmdEnde"));
    cmdInfo = window->menuBar()->addAction(QStringLiteral("i"));
    cmdInfo->setObjectName(QStringLiteral("cmdInfo"));

    setAccessibleNames();
    setFocusOrder();
    window->resize(Form->width(), Form->height() + window->menuBar()->sizeHint().height());
}

void Form1Controls::setAccessibleNames()
{
    // For screen readers: what each control is. The drawings also say what they show. The roles
    // come first: a screen reader's view of a control, once made, keeps its role.
    setAccessibleRole(picausgabe, QAccessible::Graphic);
    setAccessibleRole(picZeichenblatt, QAccessible::Graphic);
    setAccessibleRole(picContainer, QAccessible::Pane);
    setAccessibleRole(Picture1, QAccessible::Pane);
    setAccessibleRole(Frame1, QAccessible::Grouping);
    const std::pair<QWidget*, const char*> names[] = {
        { txtAusgabe, "Ergebnisse" },
        { cmdMinus, "Lücke um eins verkleinern" },
        { cmdPlus, "Lücke um eins vergrößern" },
        { txtLuecke, "Lücke" },
        { cmdSuche, "Suche bis" },
        { Picture1, "Leiste unter dem Scrollbalken" },
        { Frame1, "Interessante Beispiele" },
        { txthilfe, "Hilfe" },
        { picZeichenblatt, "Primfaktorzerlegung von n" },
        { txtN, "Die Zahl n" },
        { HScroll2, "n einstellen" },
        { HScroll1, "Diagramm verschieben" },
        { picContainer, "Diagrammfenster" },
        { picausgabe, "Balkendiagramm der Darstellungen von n" },
        { Line2, "Trennlinie" },
        { Label1, "Lücke" },
        { Label3, "vorkommt." },
    };
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(QString::fromUtf8(name));
    for (const Example& e : examples)
        example(e.n)->setAccessibleName(QStringLiteral("Beispiel %1").arg(e.n));
    for (PictureBox* p : { picausgabe, picZeichenblatt })
        p->setAccessibleDescription(QStringLiteral("leer"));
    setAccessibleName(cmdInfo, QStringLiteral("Information"));
    setAccessibleName(cmdEnde, cmdEnde->text());
}

void Form1Controls::setFocusOrder()
{
    // Keyboard order; the frame and the labels hold places in it without taking the focus.
    Frame1->setFocusPolicy(Qt::NoFocus);
    QList<QWidget*> order { picContainer, HScroll1, picausgabe, HScroll2, txtN, picZeichenblatt,
        txthilfe };
    for (auto b = exampleButtons.rbegin(); b != exampleButtons.rend(); ++b)
        order << *b;
    order << Picture1 << cmdSuche << txtLuecke << cmdPlus << cmdMinus << txtAusgabe;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace kv
