#include "form1.h"

#include "factor/factorisation.h"
#include "present/bar_diagram.h"
#include "present/report.h"
#include "search/gap_search.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"
#include "ui/desktop.h"
#include "ui/messages.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include <new>

namespace kv {

namespace {

    constexpr int clientWidth = 15516;
    constexpr int clientHeight = 9468;

    const QString helpForm = QStringLiteral("Das Programm ermittelt alle Darstellungen von n als "
                                            "Summe aufeinanderfolgender natürlicher "
                                            "Zahlen");
    const QString helpFrame = QStringLiteral("interessante Beispiele");
    const QString helpPicture1 = QStringLiteral("n bitte mit Hilfe des Scrollbalken einstellen");
    const QString helpZeichenblatt = QStringLiteral("Primfaktorzerlung von n");
    const QString helpTxtN = QStringLiteral("Die Zahl n");

    QString qstr(const std::string& s)
    {
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    }

    QColor color(Rgb c)
    {
        return QColor::fromRgb(static_cast<QRgb>(c) | 0xFF000000u);
    }

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
        p.setColor(background, color(back));
        for (QPalette::ColorRole text :
            { QPalette::Text, QPalette::ButtonText, QPalette::WindowText })
            p.setColor(text, Qt::black);
        w->setPalette(p);
    }

    void place(QWidget* w, int left, int top, int width, int height)
    {
        w->setGeometry(twips::rect(left, top, width, height));
    }

} // namespace

// The window as the gap search sees it.
class Form1::SearchAdapter : public SearchWindow {
public:
    explicit SearchAdapter(Form1& form)
        : form_(form)
    {
    }
    std::int16_t value() const override
    {
        return static_cast<std::int16_t>(form_.HScroll2->value());
    }
    std::int16_t maximum() const override
    {
        return static_cast<std::int16_t>(form_.HScroll2->maximum());
    }
    void setValue(std::int16_t n) override { form_.HScroll2->setValue(n); }
    std::string gapText() const override { return form_.txtLuecke->text().toStdString(); }
    std::int32_t distanceCount(std::int32_t index) const override
    {
        return form_.table_.Abstand(index);
    }
    bool ending() const override { return form_.ending_; }

private:
    Form1& form_;
};

Form1::Form1(QWidget* parent)
    : QMainWindow(parent)
    , search_(std::make_unique<SearchAdapter>(*this))
    , doEvents_([] { QCoreApplication::processEvents(QEventLoop::AllEvents); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kalvoster"));
    setWindowIcon(programIcon());

    buildControls();
    wireEvents();
    resize(twips::toPixels(clientWidth),
        twips::toPixels(clientHeight) + menuBar()->sizeHint().height());
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    auto* form = new QWidget(this);
    form->setObjectName(QStringLiteral("Form"));
    form->setMouseTracking(true);
    form->installEventFilter(this);
    setCentralWidget(form);

    auto button = [](const QString& name, const QString& caption, QWidget* parent) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(name);
        b->setAutoDefault(false);
        setColors(b, QPalette::Button, 0xFFFF00);
        return b;
    };

    txtAusgabe = new MultiLineTextBox(
        QStringLiteral("txtAusgabe"), QStringLiteral("Ergebnisse\r\n"), form);
    txtAusgabe->setFont(timesFont(13.8));
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

    struct Example {
        QPushButton*& button;
        int n, left, top;
    };
    const Example examples[] = {
        { cmd15, 15, 120, 240 },
        { cmd27, 27, 120, 960 },
        { cmd30, 30, 1080, 240 },
        { cmd45, 45, 2040, 240 },
        { cmd75, 75, 2040, 960 },
        { cmd90, 90, 3000, 240 },
        { cmd105, 105, 3000, 960 },
        { cmd128, 128, 3960, 240 },
        { cmd150, 150, 3960, 960 },
        { cmd945, 945, 4920, 240 },
        { cmd32, 32, 1080, 960 },
        { cmd1365, 1365, 4920, 960 },
    };
    for (const Example& e : examples) {
        e.button = button(QStringLiteral("cmd%1").arg(e.n), QString::number(e.n), Frame1);
        e.button->setFont(timesFont(12));
        place(e.button, e.left, e.top, 612, 612);
    }

    txthilfe = new TextBox(QStringLiteral("txthilfe"), QStringLiteral("Hilfe"), form);
    txthilfe->setFont(timesFont(13.8));
    txthilfe->setAlignment(Qt::AlignCenter);
    setColors(txthilfe, QPalette::Base, 0xFFFFC0);
    place(txthilfe, 360, 8880, 15012, 432);

    picZeichenblatt = new PictureBox(QStringLiteral("picZeichenblatt"), form);
    picZeichenblatt->setBackColor(0xFFFFFF);
    picZeichenblatt->setDrawFont(timesFont(10.2, true));
    picZeichenblatt->setForeColor(0x000000);
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
    picausgabe = new PictureBox(QStringLiteral("picausgabe"), picContainer);
    picausgabe->setBackColor(0xE0E0E0);
    picausgabe->setDrawFont(timesFont(13.2));
    const QPoint inner = picContainer->contentsRect().topLeft();
    picausgabe->setGeometry(QRect(inner, twips::rect(0, 0, 56000, 4572).size()));
    picausgabe->setLeft(0);

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
    place(Label3, 6360, 8400, 1572, 252);
    Label1 = new QLabel(QStringLiteral("Lücke"), form);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(timesFont(12));
    place(Label1, 6360, 7920, 732, 372);

    cmdEnde = menuBar()->addAction(QStringLiteral("Programm beenden"));
    cmdEnde->setObjectName(QStringLiteral("cmdEnde"));
    cmdInfo = menuBar()->addAction(QStringLiteral("i"));
    cmdInfo->setObjectName(QStringLiteral("cmdInfo"));

    // For screen readers: what each control is. The drawings also say what they show.
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
    for (QPushButton* b : Frame1->findChildren<QPushButton*>())
        b->setAccessibleName(QStringLiteral("Beispiel ") + b->text());
    for (PictureBox* p : { picausgabe, picZeichenblatt })
        p->setAccessibleDescription(QStringLiteral("leer"));

    // Keyboard order; the frame and the labels hold places in it without taking the focus.
    Frame1->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget*> order { picContainer, HScroll1, picausgabe, HScroll2, txtN,
        picZeichenblatt, txthilfe, cmd1365, cmd32, cmd945, cmd150, cmd128, cmd105, cmd90, cmd75,
        cmd45, cmd30, cmd27, cmd15, Picture1, cmdSuche, txtLuecke, cmdPlus, cmdMinus, txtAusgabe };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Hover help: only these report the pointer. Everything else keeps it to itself, so the
    // pointer over a button or a scroll bar leaves the help line as it is.
    for (QWidget* w : { static_cast<QWidget*>(Frame1), static_cast<QWidget*>(picausgabe),
             static_cast<QWidget*>(Picture1), static_cast<QWidget*>(picZeichenblatt),
             static_cast<QWidget*>(txtN) }) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
        w->setAttribute(Qt::WA_NoMousePropagation);
    }
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w != Line2 && !w->hasMouseTracking())
            w->setAttribute(Qt::WA_NoMousePropagation);
    }
}

void Form1::wireEvents()
{
    on(HScroll2, &ScrollBar::Change, &Form1::HScroll2_Change);
    on(HScroll2, &ScrollBar::Scroll, &Form1::HScroll2_Scroll);
    on(HScroll1, &ScrollBar::Change, &Form1::HScroll1_Change);
    on(HScroll1, &ScrollBar::Scroll, &Form1::HScroll1_Scroll);
    on(cmdSuche, &QPushButton::clicked, &Form1::cmdSuche_Click);
    on(cmdPlus, &QPushButton::clicked, &Form1::cmdPlus_Click);
    on(cmdMinus, &QPushButton::clicked, &Form1::cmdMinus_Click);
    on(cmdInfo, &QAction::triggered, &Form1::cmdInfo_Click);
    on(cmdEnde, &QAction::triggered, &Form1::cmdEnde_Click);
    for (QPushButton* example : Frame1->findChildren<QPushButton*>()) {
        const int n = example->text().toInt();
        connect(example, &QPushButton::clicked, this,
            [this, n] { handle([this, n] { exampleClick(n); }); });
    }
}

template <typename Sender, typename Signal>
void Form1::on(Sender* sender, Signal signal, void (Form1::*handler)())
{
    connect(
        sender, signal, this, [this, handler] { handle([this, handler] { (this->*handler)(); }); });
}

template <typename Handler> void Form1::handle(Handler&& handler)
{
    if (ending_)
        return;
    try {
        handler();
    } catch (const RuntimeError& error) {
        fatal(error);
    } catch (const std::bad_alloc&) {
        fatal(RuntimeError(RuntimeError::OutOfMemory));
    }
}

void Form1::fatal(const RuntimeError& error)
{
    if (ending_)
        return;
    ending_ = true; // nothing runs any more, not even a search waiting in the pump
    showRuntimeError(this, error);
    End(1);
}

void Form1::End(int exitStatus)
{
    ending_ = true;
    hide();
    // Leaves the event loop as soon as every handler on the stack has returned; each running
    // search returns right after its pump, since ending_ is set.
    QCoreApplication::exit(exitStatus);
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!ending_)
        End(0);
}

void Form1::setDoEvents(std::function<void()> doEvents)
{
    doEvents_ = std::move(doEvents);
}

// ---- start-up and the n selector

void Form1::Form_Load()
{
    scaleFactorisationSurface(*picZeichenblatt);
    HScroll2->setValue(15); // already 15: no change, no analysis
}

void Form1::HScroll2_Change()
{
    const int n = HScroll2->value();
    txtN->setText(qstr(Str(n)));
    Berechnen();
    Primfaktoren();
}

void Form1::HScroll2_Scroll()
{
    HScroll2_Change();
}

void Form1::Berechnen()
{
    const std::string n = txtN->text().toStdString();
    BarDiagram diagram(*picausgabe);
    analyse(table_, n, &diagram);
    // The report is built in full and written into its box once.
    txtAusgabe->setText(qstr(reportText(table_, n)));
    picausgabe->setAccessibleDescription(qstr(describeRepresentations(table_)));
}

void Form1::Primfaktoren()
{
    const std::string n = txtN->text().toStdString();
    drawFactorisation(*picZeichenblatt, n);
    picZeichenblatt->setAccessibleDescription(qstr(describeFactorisation(toInt32(Val(n)))));
}

void Form1::exampleClick(int n)
{
    HScroll2->setValue(n);
}

void Form1::HScroll1_Change()
{
    picausgabe->setLeft(panningLeft(static_cast<std::int16_t>(HScroll1->value())));
}

void Form1::HScroll1_Scroll()
{
    HScroll1_Change();
}

// ---- the gap search

void Form1::showGapRangeMessage()
{
    showMessage(this, MessageKind::Warning, QStringLiteral("Kalvoster"),
        QStringLiteral("Die Lücke muss zwischen %1 und %2 liegen.")
            .arg(smallestGap)
            .arg(largestGap));
}

void Form1::cmdSuche_Click()
{
    if (runGapSearch(*search_, doEvents_) == SearchEnd::InvalidGap && !ending_)
        showGapRangeMessage();
}

void Form1::cmdPlus_Click()
{
    try {
        txtLuecke->setText(qstr(gapPlus(txtLuecke->text().toStdString())));
    } catch (const RuntimeError&) {
        showGapRangeMessage();
    }
}

void Form1::cmdMinus_Click()
{
    try {
        txtLuecke->setText(qstr(gapMinus(txtLuecke->text().toStdString())));
    } catch (const RuntimeError&) {
        showGapRangeMessage();
    }
}

// ---- menu and hover help

void Form1::cmdInfo_Click()
{
    showMessage(this, MessageKind::Information, QStringLiteral("Programmiert von"),
        QStringLiteral("Kalvoster – Summen aufeinanderfolgender natürlicher Zahlen\n"
                       "programmiert vom Kalvoster-Entwicklerteam"));
}

void Form1::cmdEnde_Click()
{
    End(0);
}

void Form1::Form_MouseMove()
{
    txthilfe->setText(helpForm);
}
void Form1::picausgabe_MouseMove()
{
    txthilfe->setText(helpForm);
}
void Form1::Frame1_MouseMove()
{
    txthilfe->setText(helpFrame);
}
void Form1::Picture1_MouseMove()
{
    txthilfe->setText(helpPicture1);
}
void Form1::picZeichenblatt_MouseMove()
{
    txthilfe->setText(helpZeichenblatt);
}
void Form1::txtN_MouseMove()
{
    txthilfe->setText(helpTxtN);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && !ending_) {
        if (watched == centralWidget())
            Form_MouseMove();
        else if (watched == Frame1)
            Frame1_MouseMove();
        else if (watched == picausgabe)
            picausgabe_MouseMove();
        else if (watched == Picture1)
            Picture1_MouseMove();
        else if (watched == picZeichenblatt)
            picZeichenblatt_MouseMove();
        else if (watched == txtN)
            txtN_MouseMove();
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kv
