// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window on the system's own platform (the Windows build, on a virtual X server under Wine):
// it opens with its title, an example button shows its report, and "Programm beenden" ends the
// program with status 0.
#include "window_fixture.h"

#include "report_lines.h"
#include "ui/text_box.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

using namespace kv;
using namespace kv::testing;

class TestWindowNative : public WindowTest {
    Q_OBJECT
private slots:
    void opensShowsAReportAndEnds()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kalvoster"));
        QTest::mouseClick(w->controls().example(27), Qt::LeftButton);
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(27)));
        QTimer::singleShot(0, w->controls().cmdEnde, &QAction::trigger);
        QCOMPARE(execWithin(std::chrono::seconds(10)), 0);
        QVERIFY(w->isHidden());
    }
};

QTEST_MAIN(TestWindowNative)
#include "test_window_native.moc"
