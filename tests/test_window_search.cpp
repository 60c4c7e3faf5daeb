// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's gap search as the event loop drives it: the search stepping through the
// window, "+" and "-", events handled between two steps, the window closed or the program ended
// while it runs, the boxes and how they hold it, and the ends of the program with their exit
// status.
#include "window_fixture.h"

#include "analysis/representations.h"
#include "report_lines.h"
#include "ui/paint_pacer.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "wait_compare.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kv;
using namespace kv::testing;

namespace {

// Counts the paints a widget gets while it lives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget)
        : widget_(widget)
    {
        widget->installEventFilter(this);
    }
    int count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget_ && event->type() == QEvent::Paint)
            ++count_;
        return false;
    }

private:
    QWidget* widget_;
    int count_ = 0;
};

} // namespace

class TestWindowSearch : public WindowTest {
    Q_OBJECT
private slots:
    void searchStepsThroughTheWindow()
    {
        w->controls().HScroll2->setValue(14);
        KV_SEARCH();
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 15"));
        KV_SEARCH();
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(27)));
    }

    void plusAndMinusButtons()
    {
        QTest::mouseClick(w->controls().cmdPlus, Qt::LeftButton);
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral(" 1"));
        QTest::mouseClick(w->controls().cmdMinus, Qt::LeftButton);
        QTest::mouseClick(w->controls().cmdMinus, Qt::LeftButton);
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral("-1"));
        QCOMPARE(w->controls().txtN->text(), QStringLiteral("15")); // no search, no change of n
    }

    void invalidGapStopsTheSearchWithAMessage_data()
    {
        QTest::addColumn<QString>("luecke");
        QTest::newRow("gap 1400") << "1400";
        QTest::newRow("overlap 1402") << "-1402";
        QTest::newRow("too large for the index") << "1e12";
        QTest::newRow("too large for Val") << "1e999";
    }

    void invalidGapStopsTheSearchWithAMessage()
    {
        QFETCH(QString, luecke);
        MessageRecorder boxes;
        w->controls().txtLuecke->setText(luecke);
        KV_SEARCH();
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 16")); // one step, shown
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(16)));
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].kind, MessageKind::Warning);
        QCOMPARE(
            boxes.shown[0].text, QStringLiteral("Die Lücke muss zwischen -1401 und 1399 liegen."));
        QVERIFY(!w->ending());
        QCOMPARE(w->controls().txtLuecke->text(), luecke);
        QTest::mouseClick(w->controls().example(27), Qt::LeftButton); // the program goes on
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
    }

    void plusOnTooLargeTextKeepsTheText()
    {
        MessageRecorder boxes;
        w->controls().txtLuecke->setText(QStringLiteral("9e999"));
        QTest::mouseClick(w->controls().cmdPlus, Qt::LeftButton);
        QTest::mouseClick(w->controls().cmdMinus, Qt::LeftButton);
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral("9e999"));
        QCOMPARE(boxes.shown.size(), std::size_t(2));
        QVERIFY(!w->ending());
    }

    void anyGapTextIsSafe_data()
    {
        QTest::addColumn<QString>("luecke");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "    ";
        QTest::newRow("sign alone") << "-";
        QTest::newRow("letters") << "Lücke";
        QTest::newRow("non-ASCII") << "∞ 😀 ß";
        QTest::newRow("pasted 100 kB") << QString(100000, QLatin1Char('7'));
        QTest::newRow("pasted 100 kB of zeros") << QString(100000, QLatin1Char('0'));
    }

    void anyGapTextIsSafe()
    {
        QFETCH(QString, luecke);
        MessageRecorder boxes;
        w->controls().HScroll2->setValue(1360);
        w->controls().txtLuecke->setText(luecke);
        QTest::mouseClick(w->controls().cmdPlus, Qt::LeftButton);
        w->controls().txtLuecke->setText(luecke);
        KV_SEARCH();
        QVERIFY(!w->ending());
        QVERIFY(w->controls().HScroll2->value() > 1360);
    }

    // ---- events between two steps

    // A second click while a search runs starts a search of its own; the first then tests the n
    // the second stopped at, and both end there.
    void secondSearchWhileOneRuns()
    {
        w->controls().HScroll2->setValue(1);
        std::vector<std::pair<SearchEnd, int>> ends;
        connect(w.get(), &Form1::searchEnded, this,
            [&](SearchEnd end) { ends.emplace_back(end, w->controls().HScroll2->value()); });
        int steps = 0;
        connect(w.get(), &Form1::searchStepped, this, [&] {
            if (++steps == 1)
                QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        });
        KV_SEARCH();
        const std::vector<std::pair<SearchEnd, int>> both { { SearchEnd::Hit, 3 },
            { SearchEnd::Hit, 3 } };
        QVERIFY(ends == both);
    }

    void gapChangedWhileTheSearchRuns()
    {
        w->controls().HScroll2->setValue(1);
        connect(w.get(), &Form1::searchStepped, this, [this] {
            if (w->controls().HScroll2->value() == 2)
                QTest::mouseClick(w->controls().cmdPlus, Qt::LeftButton); // L = 1 from now on
        });
        KV_SEARCH();
        QCOMPARE(w->controls().HScroll2->value(), 5); // 3 has an adjacent pair, tested with L = 1
    }

    void exampleButtonWhileTheSearchRuns()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        bool clicked = false;
        connect(w.get(), &Form1::searchStepped, this, [&] {
            if (!std::exchange(clicked, true))
                QTest::mouseClick(w->controls().example(945), Qt::LeftButton);
        });
        std::vector<int> tested;
        connect(w->controls().HScroll2, &QScrollBar::valueChanged, this,
            [&](int n) { tested.push_back(n); });
        KV_SEARCH();
        // The first step, then on from 945, every n shown, up to the end, as no pair lies 1399
        // apart.
        QCOMPARE(tested.size(), std::size_t(2 + 1365 - 945));
        QCOMPARE(tested[0], 2);
        QCOMPARE(tested[1], 945);
        QCOMPARE(tested[2], 946);
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(1365)));
    }

    // A right-click on a scroll bar opens nothing, and so holds nothing: the search goes on.
    void scrollBarsHaveNoContextMenu()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        QList<QScrollBar*> bars = w->findChildren<QScrollBar*>();
        QCOMPARE(bars.size(), 6); // HScroll1, HScroll2, the report box's and the viewport's two
        // A menu that opens anyway would run a loop of its own: closed after a while, it fails.
        QTimer closer;
        QString opened;
        connect(&closer, &QTimer::timeout, this, [&opened] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                opened = menu->metaObject()->className();
                menu->close();
            }
        });
        closer.start(50);
        int steps = 0;
        connect(w.get(), &Form1::searchStepped, this, [&] {
            if (++steps % 100 != 0 || bars.isEmpty())
                return;
            QScrollBar* bar = bars.takeFirst();
            QTest::mouseClick(bar, Qt::RightButton, {}, bar->rect().center());
            const QPoint middle = bar->rect().center();
            QContextMenuEvent byKey(QContextMenuEvent::Keyboard, middle, bar->mapToGlobal(middle));
            QApplication::sendEvent(bar, &byKey);
        });
        KV_SEARCH();
        QVERIFY(bars.isEmpty());
        QVERIFY2(opened.isEmpty(), qPrintable(opened));
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        QCOMPARE(steps, 1364);
    }

    // The window closed, or "Programm beenden", while one search runs or two: the program ends
    // with status 0 and no search takes another step.
    void endedWhileTheSearchRuns_data()
    {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("searches");
        for (const bool closed : { true, false }) {
            const char* how = closed ? "window closed" : "Programm beenden";
            QTest::addRow("%s, one search", how) << closed << 1;
            QTest::addRow("%s, a second started while the first ran", how) << closed << 2;
        }
    }

    void endedWhileTheSearchRuns()
    {
        QFETCH(bool, closed);
        QFETCH(int, searches);
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        int steps = 0;
        connect(w.get(), &Form1::searchStepped, this, [&] {
            ++steps;
            if (steps < searches)
                QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
            else if (steps == searches + 5 && closed)
                w->close();
            else if (steps == searches + 5)
                w->controls().cmdEnde->trigger();
        });
        QTimer::singleShot(0, w->controls().cmdSuche,
            [this] { QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton); });
        QCOMPARE(execWithin(loopLimit), 0);
        QVERIFY(w->ending());
        QCOMPARE(w->searching(), 0);
        QCOMPARE(steps, searches + 5); // nothing ran after the end
        QCOMPARE(w->controls().HScroll2->value(), 1 + searches + 5);
    }

    // The click on "Suche bis" returns after the first step; Ctrl+C on the diagram while the
    // search runs copies the n it has reached, and it goes on to its end.
    void copyDuringASearch()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        PictureBox* diagram = w->controls().picausgabe;
        int steps = 0, copiedAt = 0;
        connect(w.get(), &Form1::searchStepped, this, [&] {
            if (++steps == 600) {
                copiedAt = w->controls().HScroll2->value();
                diagram->setFocus(); // the click on "Suche bis" took it
                QTest::keyClick(diagram, Qt::Key_C, Qt::ControlModifier);
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->searching(), 1); // the click returned after the first step
        QCOMPARE(w->controls().HScroll2->value(), 2);
        KV_WAIT_FOR_SEARCHES();
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(1365)));
        QCOMPARE(steps, 1364);
        QCOMPARE(copiedAt, 601);
        KV_COMPARE_IMAGES(QGuiApplication::clipboard()->image(), diagramAlone(copiedAt));
    }

    // ---- the search painted at the display's pace

    // A search paints the window at most once per frame of the window's screen, and at least
    // once while a long one runs; when it ends, the screen shows its last n at once, though its
    // last step came within a frame of the one before.
    void searchPaintsAtTheDisplaysPace_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("luecke");
        QTest::addColumn<int>("stop");
        QTest::newRow("full search") << 1 << "1399" << 1365;
        QTest::newRow("a hit after two steps") << 13 << "0" << 15; // 14 has no adjacent pair
    }
    void searchPaintsAtTheDisplaysPace()
    {
        QFETCH(int, start);
        QFETCH(QString, luecke);
        QFETCH(int, stop);
        w->controls().HScroll2->setValue(start);
        w->controls().txtLuecke->setText(luecke);
        w->controls().cmdSuche->setFocus(); // the click paints no change of focus
        settle();
        const std::chrono::nanoseconds frame = frameInterval(w->screen());
        const PaintCounter diagram(w->controls().picausgabe), number(w->controls().txtN);
        QImage screen;
        connect(w.get(), &Form1::searchEnded, this, [&] { screen = screenOfWindow(); });
        QElapsedTimer clock;
        clock.start();
        KV_SEARCH();
        const std::chrono::nanoseconds elapsed(clock.nsecsElapsed());
        const qint64 ms = clock.elapsed();
        QCOMPARE(w->controls().HScroll2->value(), stop);
        for (const PaintCounter* paints : { &diagram, &number }) {
            const QString counted
                = QStringLiteral("%1 paints in %2 ms").arg(paints->count()).arg(ms);
            QVERIFY2(paints->count() <= elapsed / frame + 2, qPrintable(counted));
            QVERIFY2(ms <= 50 || paints->count() >= 1, qPrintable(counted));
        }
        KV_COMPARE_DIAGRAM_ON_SCREEN(screen, stop);
    }

    // A search that ends at 1365 with its warning shows 1365 behind the box.
    void searchShowsItsLastNBehindItsMessage()
    {
        w->controls().HScroll2->setValue(1364);
        w->controls().txtLuecke->setText(QStringLiteral("1400"));
        settle();
        ModalCloser closer(std::chrono::seconds(5), w.get());
        KV_SEARCH();
        KV_TRY_COMPARE(closer.closed().size(), std::size_t(1));
        QCOMPARE(closer.late(), 0);
        QCOMPARE(closer.closed().front().icon, QMessageBox::Warning);
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        KV_COMPARE_DIAGRAM_ON_SCREEN(closer.closed().front().behind, 1365);
    }

    // ---- the boxes

    void informationBox()
    {
        w->controls().HScroll2->setValue(27);
        const QString report = w->controls().txtAusgabe->text();
        ModalCloser closer;
        w->controls().cmdInfo->trigger();
        KV_TRY_COMPARE(closer.closed().size(), std::size_t(1));
        QCOMPARE(closer.late(), 0);
        const ModalCloser::Box& box = closer.closed().front();
        QCOMPARE(box.title, QStringLiteral("Programmiert von"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QStringList { QStringLiteral("OK") });
        QVERIFY(box.text.contains(QStringLiteral("Kalvoster")));
        QCOMPARE(w->controls().txtAusgabe->text(), report);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
        QVERIFY(!w->ending());
    }

    // "i" while a search runs: the search waits while the box is open, and goes on when it is
    // closed by its OK key.
    void informationBoxHoldsTheSearch()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        connect(w.get(), &Form1::searchStepped, this, [this] {
            if (w->controls().HScroll2->value() == 100)
                w->controls().cmdInfo->trigger();
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        KV_TRY_COMPARE(QApplication::activeModalWidget() != nullptr, true);
        QWidget* box = QApplication::activeModalWidget();
        QTest::qWait(100); // many turns of the event loop
        QCOMPARE(w->controls().HScroll2->value(), 100);
        QCOMPARE(w->searching(), 1);
        QTest::keyClick(box, Qt::Key_Return);
        KV_WAIT_FOR_SEARCHES();
        QCOMPARE(w->controls().HScroll2->value(), 1365);
    }

    void programmBeendenEndsWithStatus0()
    {
        QTimer::singleShot(0, w->controls().cmdEnde, &QAction::trigger);
        QCOMPARE(execWithin(loopLimit), 0);
        QVERIFY(w->ending());
        QVERIFY(w->isHidden());
    }

    // The run-time error's box, and the end with status 1 once it is closed; no handler runs
    // while it is open.
    void runtimeErrorIsShownAndEndsWithStatus1()
    {
        ModalCloser closer;
        w->controls().HScroll2->setMaximum(1457); // the first n whose pairs leave the histogram
        QTimer::singleShot(0, w.get(), [this] {
            w->controls().HScroll2->setValue(1457);
            QTest::mouseClick(w->controls().example(27), Qt::LeftButton); // does nothing
        });
        QCOMPARE(execWithin(loopLimit), 1);
        QCOMPARE(closer.closed().size(), std::size_t(1));
        QCOMPARE(closer.closed().front().icon, QMessageBox::Critical);
        QCOMPARE(closer.closed().front().text,
            QStringLiteral("Laufzeitfehler '9':\n\nIndex außerhalb des gültigen Bereichs"));
        QVERIFY(w->ending());
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 1457"));
    }
};

QTEST_MAIN(TestWindowSearch)
#include "test_window_search.moc"
