// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How the window's behaviour is put together: every event reaches its handler through on(),
// which runs it inside handle(), the guard that turns a run-time error into its message box and
// the program's end. The handlers keep the program's own names and do what their names say;
// the gap search sees the window through SearchAdapter and is stepped by the event loop through
// SearchRunner, each step a handler of its own. Boxes open beside the event loop and hold the
// searches while open. The hover help is an event filter on the controls that report the
// pointer.
#include "form1.h"

#include "search_runner.h"
#include "web_page.h"

#include "factor/factorisation.h"
#include "present/bar_diagram.h"
#include "present/report.h"
#include "search/gap_search.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"
#include "ui/messages.h"
#include "ui/paint_pacer.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>

#include <new>

namespace kv {

namespace {

    // The help line over the form and the diagram.
    QString helpForm()
    {
        return QStringLiteral("Das Programm ermittelt alle Darstellungen von n als Summe "
                              "aufeinanderfolgender natürlicher Zahlen");
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
    void setValue(std::int16_t n) override
    {
        form_.HScroll2->setValue(n);
        emit form_.searchStepped();
    }
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
    , searchWindow_(std::make_unique<SearchAdapter>(*this))
    , pacer_(new PaintPacer(this))
    , search_(std::make_unique<SearchRunner>(*searchWindow_, *pacer_))
{
    setupControls(this);
    wireEvents();
    wireHoverHelp();
    Form_Load();
    picContainer->setFocus(); // where the keyboard starts
}

Form1::~Form1() = default;

void Form1::wireEvents()
{
    on(HScroll2, &ScrollBar::Change, &Form1::HScroll2_Change);
    on(HScroll2, &ScrollBar::Scroll, &Form1::HScroll2_Scroll);
    on(HScroll1, &ScrollBar::Change, &Form1::HScroll1_Change);
    on(HScroll1, &ScrollBar::Scroll, &Form1::HScroll1_Scroll);
    on(cmdSuche, &QPushButton::clicked, &Form1::cmdSuche_Click);
    on(search_.get(), &SearchRunner::due, &Form1::searchStep);
    on(cmdPlus, &QPushButton::clicked, &Form1::cmdPlus_Click);
    on(cmdMinus, &QPushButton::clicked, &Form1::cmdMinus_Click);
    on(cmdInfo, &QAction::triggered, &Form1::cmdInfo_Click);
    on(cmdEnde, &QAction::triggered, &Form1::cmdEnde_Click);
    for (const Example& e : examples) {
        connect(example(e.n), &QPushButton::clicked, this,
            [this, n = e.n] { handle([this, n] { exampleClick(n); }); });
    }
}

void Form1::wireHoverHelp()
{
    hoverOwners_ = {
        { Form, &Form1::Form_MouseMove },
        { Frame1, &Form1::Frame1_MouseMove },
        { picausgabe, &Form1::picausgabe_MouseMove },
        { Picture1, &Form1::Picture1_MouseMove },
        { picZeichenblatt, &Form1::picZeichenblatt_MouseMove },
        { txtN, &Form1::txtN_MouseMove },
    };
    // Each owner reports the pointer and keeps it from the form below it. Every other control
    // keeps it to itself anyway: the toolkit drops a pointer move at the first control that does
    // not track the pointer, so over a button, a scroll bar or a label the help line stays.
    for (const auto& hoverOwner : hoverOwners_) {
        QWidget* owner = hoverOwner.first;
        owner->setMouseTracking(true);
        owner->setAttribute(Qt::WA_NoMousePropagation);
        owner->installEventFilter(this);
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
    ending_ = true; // nothing runs any more, no search steps on
    search_->stopAll();
    showRuntimeError(this, error, [this] { End(1); });
}

void Form1::End(int exitStatus)
{
    ending_ = true;
    search_->stopAll();
    hide();
    // Leaves the event loop as soon as the handler on the stack has returned; in a web page, whose
    // event loop never returns, ends the program there.
    QCoreApplication::exit(exitStatus);
    page::end(exitStatus);
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!ending_)
        End(0);
}

int Form1::searching() const
{
    return search_->running();
}

// ---- start-up and the n selector

void Form1::Form_Load()
{
    scaleFactorisationSurface(picZeichenblatt->surface());
    HScroll2->setValue(15); // already 15: no change, no analysis
}

void Form1::HScroll2_Change()
{
    const int n = HScroll2->value();
    txtN->setText(QString::fromStdString(Str(n)));
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
    BarDiagram diagram(picausgabe->surface());
    analyse(table_, n, &diagram);
    // The report is built in full and written into its box once.
    txtAusgabe->setText(QString::fromStdString(reportText(table_, n)));
    picausgabe->setAccessibleDescription(QString::fromStdString(describeRepresentations(table_)));
}

void Form1::Primfaktoren()
{
    const std::string n = txtN->text().toStdString();
    drawFactorisation(picZeichenblatt->surface(), n);
    picZeichenblatt->setAccessibleDescription(
        QString::fromStdString(describeFactorisation(toInt32(Val(n)))));
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

void Form1::openBox(MessageKind kind, const QString& title, const QString& text)
{
    search_->hold();
    showMessage(this, kind, title, text, [this] { search_->release(); });
}

void Form1::showGapRangeMessage()
{
    openBox(MessageKind::Warning, QStringLiteral("Kalvoster"),
        QStringLiteral("Die Lücke muss zwischen %1 und %2 liegen.")
            .arg(smallestGap)
            .arg(largestGap));
}

void Form1::cmdSuche_Click()
{
    if (const std::optional<SearchEnd> end = search_->start())
        searchOver(*end);
}

// One step of the newest search, due at a turn of the event loop.
void Form1::searchStep()
{
    if (const std::optional<SearchEnd> end = search_->step())
        searchOver(*end);
}

// Its last n is on the screen by now; an invalid gap says so in its box.
void Form1::searchOver(SearchEnd end)
{
    if (end == SearchEnd::InvalidGap && !ending_)
        showGapRangeMessage();
    emit searchEnded(end);
}

void Form1::cmdPlus_Click()
{
    changeGap(gapPlus);
}

void Form1::cmdMinus_Click()
{
    changeGap(gapMinus);
}

// A gap that cannot be changed (its text overflows) is out of range, as the message says.
void Form1::changeGap(std::string (*step)(std::string_view gapText))
{
    try {
        txtLuecke->setText(QString::fromStdString(step(txtLuecke->text().toStdString())));
    } catch (const RuntimeError&) {
        showGapRangeMessage();
    }
}

// ---- menu and hover help

void Form1::cmdInfo_Click()
{
    openBox(MessageKind::Information, QStringLiteral("Programmiert von"),
        QStringLiteral("Kalvoster – Summen aufeinanderfolgender natürlicher Zahlen\n"
                       "programmiert vom Kalvoster-Entwicklerteam"));
}

void Form1::cmdEnde_Click()
{
    End(0);
}

void Form1::Form_MouseMove()
{
    txthilfe->setText(helpForm());
}
void Form1::picausgabe_MouseMove()
{
    txthilfe->setText(helpForm());
}
void Form1::Frame1_MouseMove()
{
    txthilfe->setText(QStringLiteral("interessante Beispiele"));
}
void Form1::Picture1_MouseMove()
{
    txthilfe->setText(QStringLiteral("n bitte mit Hilfe des Scrollbalken einstellen"));
}
void Form1::picZeichenblatt_MouseMove()
{
    txthilfe->setText(QStringLiteral("Primfaktorzerlung von n"));
}
void Form1::txtN_MouseMove()
{
    txthilfe->setText(QStringLiteral("Die Zahl n"));
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        for (const auto& hoverOwner : hoverOwners_) {
            if (hoverOwner.first == watched) {
                const auto handler = hoverOwner.second;
                handle([this, handler] { (this->*handler)(); });
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kv
