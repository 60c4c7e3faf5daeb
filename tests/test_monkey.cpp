// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey at the keyboard and the mouse: a seeded random sequence of user actions on the
// window, checking after each that the window shows the analysis of its n and is alive, and at
// the end that memory has not grown.
//
//   KV_MONKEY_ACTIONS  number of actions (default 5000)
//   KV_MONKEY_SEED     the seed (default: a fixed one when CI=true, else random; printed)
//   KV_MONKEY_GROWTH_KB  how far resident memory may grow after the first thousand actions
//                      (default 5120; printed)
#include "analysis/representations.h"
#include "app/form1.h"
#include "present/report.h"
#include "process_memory.h"
#include "quiet_offscreen.h"
#include "scroll_bar_parts.h"
#include "ui/core/conversions.h"
#include "ui/desktop.h"
#include "ui/messages.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

using namespace kv;
using kv::testing::scrollBarPart;

#if defined(__SANITIZE_ADDRESS__)
#define KV_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KV_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

long residentKb()
{
    return kv::testing::processStatusKb("VmRSS");
}

// How far resident memory may grow after the first thousand actions, in kB.
long growthBoundKb()
{
    bool set = false;
    const int kb = qEnvironmentVariableIntValue("KV_MONKEY_GROWTH_KB", &set);
    return set && kb > 0 ? kb : 5 * 1024;
}

class Monkey {
public:
    Monkey(Form1& w, quint32 seed)
        : w_(w)
        , random_(seed)
    {
        buttons_ = w.findChild<QWidget*>(QStringLiteral("Frame1"))->findChildren<QPushButton*>();
        // The monkey may act between two steps of a search; a search is cut short after a
        // while by moving n to its maximum.
        QObject::connect(&w, &Form1::searchStepped, [this] { betweenSteps(); });
    }

    // One action, and the searches it started run to their end. False when they did not end.
    bool act()
    {
        steps_ = 0;
        doAction(int(random_.bounded(17)), 0);
        if (w_.searching() == 0)
            return true;
        QEventLoop loop;
        QObject::connect(&w_, &Form1::searchEnded, &loop, [this, &loop] {
            if (w_.searching() == 0)
                loop.quit();
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        return w_.searching() == 0;
    }

private:
    int bounded(int n) { return int(random_.bounded(n)); }

    QString randomText()
    {
        static const QString pieces[] = { "0", "1", "-", "+", " ", ".", "e", "E", "9", "5", "x",
            "ü", "∞", "1399", "-1401", "1400", "-1402", "1e999", "0.5", "2.5", "\t", "\n" };
        QString t;
        const int length = bounded(8) == 0 ? 2000 : bounded(6);
        for (int i = 0; i < length; ++i)
            t += pieces[bounded(int(std::size(pieces)))];
        return t;
    }

    // Key presses for what a keyboard types; other characters arrive as an input method would
    // insert them.
    void type(QWidget* target, const QString& text)
    {
        for (const QChar c : text) {
            if (c == QLatin1Char('\n')) {
                QTest::keyClick(target, Qt::Key_Return);
            } else if (c == QLatin1Char('\t')) {
                QTest::keyClick(target, Qt::Key_Tab);
            } else if (c.unicode() >= 32 && c.unicode() < 127) {
                QTest::keyClicks(target, QString(c));
            } else if (target->testAttribute(Qt::WA_InputMethodEnabled)) {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(target, &commit);
            }
        }
    }

    void betweenSteps()
    {
        if (++steps_ > 40) {
            w_.controls().HScroll2->setValue(w_.controls().HScroll2->maximum()); // ends the search
            return;
        }
        if (bounded(10) == 0 && depth_ < 3) {
            ++depth_;
            doAction(bounded(17), depth_);
            --depth_;
        }
    }

    void doAction(int kind, int depth)
    {
        switch (kind) {
        case 0:
        case 1:
            QTest::mouseClick(buttons_[bounded(int(buttons_.size()))], Qt::LeftButton);
            break;
        case 2: {
            ScrollBar* bar = bounded(2) ? w_.controls().HScroll2 : w_.controls().HScroll1;
            const QStyle::SubControl parts[]
                = { QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine,
                      QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarSubPage };
            QTest::mouseClick(bar, Qt::LeftButton, {}, scrollBarPart(bar, parts[bounded(4)]));
            break;
        }
        case 3: {
            ScrollBar* bar = bounded(2) ? w_.controls().HScroll2 : w_.controls().HScroll1;
            bar->setFocus();
            const Qt::Key keys[] = { Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End,
                Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space };
            QTest::keyClick(bar, keys[bounded(7)]);
            break;
        }
        case 4: { // a drag of the thumb
            ScrollBar* bar = bounded(3) ? w_.controls().HScroll2 : w_.controls().HScroll1;
            bar->setSliderDown(true);
            for (int i = bounded(6); i >= 0; --i)
                bar->setSliderPosition(
                    bar->minimum() + bounded(bar->maximum() - bar->minimum() + 1));
            bar->setSliderDown(false);
            break;
        }
        case 5: { // typing into a text box
            TextBox* boxes[]
                = { w_.controls().txtLuecke, w_.controls().txthilfe, w_.controls().txtN };
            TextBox* box = boxes[bounded(3)];
            box->setFocus();
            type(box, randomText().left(30));
            if (bounded(3) == 0)
                QTest::keyClick(box, Qt::Key_Backspace);
            break;
        }
        case 6: { // pasting
            QApplication::clipboard()->setText(randomText());
            QWidget* targets[] = { w_.controls().txtLuecke, w_.controls().txthilfe,
                w_.controls().txtAusgabe, w_.controls().txtN };
            QWidget* target = targets[bounded(4)];
            target->setFocus();
            QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            break;
        }
        case 7:
            w_.controls().txtLuecke->setText(randomText());
            break;
        case 8:
        case 9:
            QTest::mouseClick(
                bounded(2) ? w_.controls().cmdPlus : w_.controls().cmdMinus, Qt::LeftButton);
            break;
        case 10:
        case 11: { // a search, with a gap that is valid more often than not
            if (bounded(3))
                w_.controls().txtLuecke->setText(QString::number(bounded(40) - 20));
            if (bounded(4) == 0 && depth == 0)
                w_.controls().HScroll2->setValue(1 + bounded(1365));
            QTest::mouseClick(w_.controls().cmdSuche, Qt::LeftButton);
            break;
        }
        case 12: { // the pointer over a control
            QWidget* all[] = { w_.controls().picZeichenblatt, w_.controls().picausgabe,
                w_.controls().Picture1, w_.controls().txtN, w_.controls().Frame1,
                w_.controls().example(15), w_.controls().HScroll2, w_.controls().Label1,
                w_.controls().txtAusgabe, w_.centralWidget() };
            QWidget* target = all[bounded(int(std::size(all)))];
            QTest::mouseMove(target,
                QPoint(
                    bounded(std::max(1, target->width())), bounded(std::max(1, target->height()))));
            break;
        }
        case 13:
            w_.controls().cmdInfo->trigger();
            break;
        case 14: // clicks on things without handlers
            QTest::mouseClick(
                bounded(2) ? static_cast<QWidget*>(w_.controls().picausgabe) : w_.controls().Label3,
                Qt::LeftButton, {}, QPoint(3, 3));
            break;
        case 15:
            w_.controls().txtAusgabe->setFocus();
            type(w_.controls().txtAusgabe, randomText().left(20));
            break;
        default:
            QTest::keyClick(&w_, Qt::Key_Tab);
            break;
        }
    }

    Form1& w_;
    QRandomGenerator random_;
    QList<QPushButton*> buttons_;
    int steps_ = 0;
    int depth_ = 0;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        kv::testing::dropOffscreenWarnings();
        setUpApplication(*qApp);
    }

    void randomUserActions()
    {
        const int actions = qEnvironmentVariableIsSet("KV_MONKEY_ACTIONS")
            ? qEnvironmentVariableIntValue("KV_MONKEY_ACTIONS")
            : 5000;
        // CI repeats one sequence, so that a red run is the change's and not the dice's; by hand
        // each run tries a new one.
        const quint32 seed = qEnvironmentVariableIsSet("KV_MONKEY_SEED")
            ? quint32(qEnvironmentVariableIntValue("KV_MONKEY_SEED"))
            : qgetenv("CI") == "true" ? 20261208u
                                      : QRandomGenerator::global()->generate() % 1000000;
        const QByteArray repeat = "seed " + QByteArray::number(seed)
            + " (repeat with KV_MONKEY_SEED=" + QByteArray::number(seed) + ")";
        qInfo("%s", repeat.constData());

        int boxes = 0;
        setMessageHook([&](MessageKind, const QString&, const QString&) { ++boxes; });
        Form1 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Monkey monkey(w, seed);
        auto table = std::make_unique<Representations>();

        long baseline = 0;
        for (int i = 0; i < actions; ++i) {
            const bool searchesEnded = monkey.act();
            const QByteArray where = repeat + ", action " + QByteArray::number(i);
            QVERIFY2(searchesEnded, where + " a search did not end");
            QVERIFY2(!w.ending(), where);
            const int n = w.controls().HScroll2->value();
            if (w.controls().txtN->text()
                == QLatin1String("15")) { // n has not changed since start-up
                QVERIFY2(n == 15, where);
                continue;
            }
            QVERIFY2(w.controls().txtN->text() == QString::fromStdString(Str(n)),
                where + " txtN \"" + w.controls().txtN->text().toUtf8() + "\" n "
                    + QByteArray::number(n));
            const std::string txtN = Str(n);
            analyse(*table, txtN, nullptr);
            // The report box is editable: the report must be there unless the user typed into it
            // since the last change of n.
            if (!w.controls().txtAusgabe->document()->isModified())
                QVERIFY2(w.controls().txtAusgabe->text()
                        == QString::fromStdString(reportText(*table, txtN)),
                    where);
            if (i == 999 || (i == actions - 1 && baseline == 0))
                baseline = residentKb();
        }
        const long grown = residentKb() - baseline;
        const long bound = growthBoundKb();
        qInfo("%d actions, %d message boxes, resident memory grew by %ld kB after the first "
              "thousand, bound %ld kB (%s)",
            actions, boxes, grown, bound, repeat.constData());
#ifndef KV_ADDRESS_SANITIZER // its quarantine holds freed memory back; it checks leaks itself
        QVERIFY2(grown < bound, repeat);
#endif
        setMessageHook({});
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
