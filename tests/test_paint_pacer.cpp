// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The paint pacer on a bare window: every update paints outside a paced scope; inside one the
// window is painted at most once a frame of its screen, and what was held back is painted when
// the scope ends, before the next statement, at every depth of nesting.
#include "ui/paint_pacer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

using kv::PaintPacer;

class TestPaintPacer : public QObject {
    Q_OBJECT
    struct Window : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent*) override { ++paints; }
    };
    std::unique_ptr<Window> window;
    PaintPacer* pacer = nullptr;

    // One update, handled as the search's pump handles it; true if it was painted.
    bool step() const
    {
        const int before = window->paints;
        window->update();
        QCoreApplication::processEvents();
        return window->paints > before;
    }
    // Steps until a paint is held back; false if none ever is.
    bool stepUntilHeld() const
    {
        for (int i = 0; i < 1000; ++i)
            if (!step())
                return true;
        return false;
    }

private slots:
    void init()
    {
        window = std::make_unique<Window>();
        pacer = new PaintPacer(window.get());
        window->resize(50, 50);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }
    void cleanup() { window.reset(); }

    void everyUpdatePaintsOutsideAScope()
    {
        for (int i = 0; i < 20; ++i)
            QVERIFY(step());
    }

    void aScopePaintsOnceAFrame()
    {
        const int before = window->paints;
        QElapsedTimer clock;
        clock.start();
        {
            const PaintPacer::Scope pacing(*pacer);
            while (clock.elapsed() < 300)
                step();
        }
        const std::chrono::nanoseconds elapsed(clock.nsecsElapsed());
        const int painted = window->paints - before;
        QVERIFY2(painted >= 1 && painted <= elapsed / kv::frameInterval(window->screen()) + 2,
            qPrintable(QStringLiteral("%1 paints in %2 ms").arg(painted).arg(clock.elapsed())));
    }

    void theScopesEndPaintsWhatWasHeld()
    {
        int held = 0;
        {
            const PaintPacer::Scope outer(*pacer);
            {
                const PaintPacer::Scope inner(*pacer);
                QVERIFY2(stepUntilHeld(), "no paint was ever held back");
                held = window->paints;
            }
            QCOMPARE(window->paints, held + 1);
            QVERIFY2(stepUntilHeld(), "the outer scope stopped pacing");
            held = window->paints;
        }
        QCOMPARE(window->paints, held + 1);
        QVERIFY(step()); // unpaced again
    }
};

QTEST_MAIN(TestPaintPacer)
#include "test_paint_pacer.moc"
