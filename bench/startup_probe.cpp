// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up probe: opens either the Kalvoster window or a minimal window of the same size (two
// menu commands and one label in the report's font), and as soon as the window has painted for
// the first time prints its peak resident memory in kB and ends.
#include "app/form1.h"
#include "process_memory.h"
#include "ui/desktop.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>
#include <string>

namespace {

long peakResidentKb()
{
    return kv::testing::processStatusKb("VmHWM");
}

// Reports once the first paint of the window has been flushed.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::printf("painted %ld\n", peakResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool minimal = argc > 1 && std::string(argv[1]) == "minimal";
    FirstPaint probe;

    std::unique_ptr<QMainWindow> window;
    if (minimal) {
        window = std::make_unique<QMainWindow>();
        window->setWindowTitle(QStringLiteral("Kalvoster"));
        window->menuBar()->addAction(QStringLiteral("Programm beenden"));
        window->menuBar()->addAction(QStringLiteral("i"));
        auto* label = new QLabel(QStringLiteral("Darstellungen: 4"), window.get());
        QFont font(QStringLiteral("Times New Roman"));
        font.setPointSizeF(13.8);
        label->setFont(font);
        window->setCentralWidget(label);
        window->resize(1034, 631 + window->menuBar()->sizeHint().height());
    } else {
        kv::setUpApplication(app);
        window = std::make_unique<kv::Form1>();
    }
    window->installEventFilter(&probe);
    window->show();
    return app.exec();
}
