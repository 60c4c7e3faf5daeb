// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window inside the event pump: the gap search stepping through the window, "+" and
// "-", events handled while a search runs, the window closed or the program ended from inside
// it, the information box, and the ends of the program with their exit status.
#include "window_fixture.h"

#include "analysis/representations.h"
#include "report_lines.h"
#include "ui/paint_pacer.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kv;
using namespace kv::testing;

// Long enough for any loop here to end by itself, short enough to fail fast when it does not.
constexpr std::chrono::milliseconds loopLimit { 5000 };

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

class TestWindowPump : public WindowTest {
    Q_OBJECT
private slots:
    void searchStepsThroughTheWindow()
    {
        w->controls().HScroll2->setValue(14);
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 15"));
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
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
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
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
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QVERIFY(!w->ending());
        QVERIFY(w->controls().HScroll2->value() > 1360);
    }

    void secondSearchFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        int pumps = 0;
        int innerStop = 0;
        w->setDoEvents([&] {
            if (++pumps == 1) {
                QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
                innerStop = w->controls().HScroll2->value();
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(innerStop, 3);
        QCOMPARE(w->controls().HScroll2->value(), 3);
    }

    void gapChangedFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        bool typed = false;
        w->setDoEvents([&] {
            if (!typed) {
                typed = true;
                QTest::mouseClick(
                    w->controls().cmdPlus, Qt::LeftButton); // L = 1 from the first step on
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(
            w->controls().HScroll2->value(), 5); // 3 has an adjacent pair, but is tested with L = 1
    }

    void exampleButtonFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        bool clicked = false;
        w->setDoEvents([&] {
            if (!clicked) {
                clicked = true;
                QTest::mouseClick(w->controls().example(945), Qt::LeftButton);
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        const int n = w->controls().HScroll2->value();
        QVERIFY(n >= 945);
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(n)));
        // The search stopped at the first n from 945 on with a pair 1399 apart, or at the end.
        auto table = std::make_unique<Representations>();
        analyse(*table, Str(n), nullptr);
        QVERIFY(table->Abstand(1399) > 0 || n == 1365);
    }

    void windowClosedFromInsideThePump_data()
    {
        QTest::addColumn<int>("depth");
        QTest::newRow("one search") << 1;
        QTest::newRow("two nested searches") << 2;
    }

    void windowClosedFromInsideThePump()
    {
        QFETCH(int, depth);
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        int pumps = 0;
        w->setDoEvents([&] {
            ++pumps;
            if (pumps < depth)
                QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
            else if (pumps == depth + 5)
                w->close();
        });
        QTimer::singleShot(0, w->controls().cmdSuche,
            [this] { QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton); });
        QCOMPARE(execWithin(loopLimit), 0);
        QVERIFY(w->ending());
        QCOMPARE(pumps, depth + 5); // nothing ran after the close
        QCOMPARE(w->controls().HScroll2->value(), 1 + depth + 5);
    }

    void programmBeendenFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        w->setDoEvents([this] { w->controls().cmdEnde->trigger(); });
        QTimer::singleShot(0, w->controls().cmdSuche,
            [this] { QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton); });
        QCOMPARE(execWithin(loopLimit), 0);
        QCOMPARE(w->controls().HScroll2->value(), 2);
    }

    void fullSearchWithTheRealPump()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(1365)));
        QVERIFY(!w->ending());
    }

    // Ctrl+C on the diagram while a search runs copies the n the search has reached, and the
    // search goes on to its end.
    void copyDuringASearch()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        PictureBox* diagram = w->controls().picausgabe;
        int pumps = 0, copiedAt = 0;
        w->setDoEvents([this, diagram, &pumps, &copiedAt] {
            QCoreApplication::processEvents();
            if (++pumps == 600) {
                copiedAt = w->controls().HScroll2->value();
                diagram->setFocus(); // the click on "Suche bis" took it
                QTest::keyClick(diagram, Qt::Key_C, Qt::ControlModifier);
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        QCOMPARE(pumps, 1364);
        QCOMPARE(copiedAt, 601);
        KV_COMPARE_IMAGES(QGuiApplication::clipboard()->image(), diagramAlone(copiedAt));
    }

    // ---- the search painted at the display's pace

    // A full search paints the window at most once per frame of the window's screen, and at
    // least once while it runs; when it returns, the screen shows its last n.
    void searchPaintsAtTheDisplaysPace()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        settle();
        const std::chrono::nanoseconds frame = frameInterval(w->screen());
        const PaintCounter diagram(w->controls().picausgabe), number(w->controls().txtN);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        const std::chrono::nanoseconds elapsed(clock.nsecsElapsed());
        const qint64 ms = clock.elapsed();
        const QImage screen = screenOfWindow(); // before anything else is handled
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        for (const PaintCounter* paints : { &diagram, &number }) {
            const QString counted
                = QStringLiteral("%1 paints in %2 ms").arg(paints->count()).arg(ms);
            QVERIFY2(paints->count() <= elapsed / frame + 2, qPrintable(counted));
            QVERIFY2(ms <= 50 || paints->count() >= 1, qPrintable(counted));
        }
        KV_COMPARE_DIAGRAM_ON_SCREEN(screen, 1365);
    }

    // A search that stops at a hit shows it on the screen as soon as it returns, though its
    // last step came within a frame of the one before.
    void searchShowsItsHitAtOnce()
    {
        w->controls().HScroll2->setValue(13); // 14 has no adjacent pair, 15 has
        settle();
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        const QImage screen = screenOfWindow();
        QCOMPARE(w->controls().HScroll2->value(), 15);
        KV_COMPARE_DIAGRAM_ON_SCREEN(screen, 15);
    }

    // A search that ends at 1365 with its warning shows 1365 behind the box.
    void searchShowsItsLastNBehindItsMessage()
    {
        w->controls().HScroll2->setValue(1364);
        w->controls().txtLuecke->setText(QStringLiteral("1400"));
        settle();
        ModalCloser closer(std::chrono::seconds(5), w.get());
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(closer.late(), 0);
        QCOMPARE(closer.closed().size(), std::size_t(1));
        QCOMPARE(closer.closed().front().icon, QMessageBox::Warning);
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        KV_COMPARE_DIAGRAM_ON_SCREEN(closer.closed().front().behind, 1365);
    }

    void informationBox()
    {
        w->controls().HScroll2->setValue(27);
        const QString report = w->controls().txtAusgabe->text();
        ModalCloser closer;
        w->controls().cmdInfo->trigger();
        QCOMPARE(closer.late(), 0);
        QCOMPARE(closer.closed().size(), std::size_t(1));
        const ModalCloser::Box& box = closer.closed().front();
        QCOMPARE(box.title, QStringLiteral("Programmiert von"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QStringList { QStringLiteral("OK") });
        QVERIFY(box.text.contains(QStringLiteral("Kalvoster")));
        QCOMPARE(w->controls().txtAusgabe->text(), report);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
        QVERIFY(!w->ending());
    }

    void programmBeendenEndsWithStatus0()
    {
        QTimer::singleShot(0, w->controls().cmdEnde, &QAction::trigger);
        QCOMPARE(execWithin(loopLimit), 0);
        QVERIFY(w->ending());
        QVERIFY(w->isHidden());
    }

    void runtimeErrorIsShownAndEndsWithStatus1()
    {
        MessageRecorder boxes;
        w->controls().HScroll2->setMaximum(1457); // the first n whose pairs leave the histogram
        QTimer::singleShot(0, w.get(), [this] { w->controls().HScroll2->setValue(1457); });
        QCOMPARE(execWithin(loopLimit), 1);
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].kind, MessageKind::Critical);
        QCOMPARE(boxes.shown[0].text,
            QStringLiteral("Laufzeitfehler '9':\n\nIndex außerhalb des gültigen Bereichs"));
        QVERIFY(w->ending());
    }
};

QTEST_MAIN(TestWindowPump)
#include "test_window_pump.moc"
