// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real window on the offscreen platform.
//   nChange/N     one change of n, from the assignment to the scroll bar until the window has
//                 painted again; each run comes from another n, so nothing is reused.
//   fullSearch    "Suche bis" from 1 with the gap 1399: 1364 steps, each a turn of the event
//                 loop, until the search has ended and the window shows 1365.
//   panStep       n = 1365, the diagram's scroll bar one step further, until painted.
//   panDrag       n = 1365, the thumb dragged by about one pixel (25 steps), until painted.
#include "app/form1.h"
#include "ui/desktop.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include "range_statistics.h"
#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

using namespace kv;
using kv::bench::fastest;
using kv::bench::slowest;

namespace {

Form1* window = nullptr;

void nChange(benchmark::State& state)
{
    const int n = int(state.range(0));
    const int other = n == 1365 ? 1364 : n + 1;
    for (auto _ : state) {
        state.PauseTiming();
        window->controls().HScroll2->setValue(other);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->controls().HScroll2->setValue(n);
        QCoreApplication::processEvents(); // paints
    }
}
BENCHMARK(nChange)
    ->Arg(15)
    ->Arg(945)
    ->Arg(1365)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", fastest)
    ->ComputeStatistics("max", slowest)
    ->ReportAggregatesOnly(true);

void fullSearch(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        window->controls().HScroll2->setValue(1);
        window->controls().txtLuecke->setText(QStringLiteral("1399"));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QEventLoop loop;
        QObject::connect(window, &Form1::searchEnded, &loop, &QEventLoop::quit);
        window->controls().cmdSuche->click();
        loop.exec();
    }
    if (window->controls().HScroll2->value() != 1365)
        state.SkipWithError("the search did not reach 1365");
}
BENCHMARK(fullSearch)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", fastest)
    ->ComputeStatistics("max", slowest)
    ->ReportAggregatesOnly(true);

// Panning from the left end to the right and again, one change per iteration.
void pan(benchmark::State& state, int step, bool dragged)
{
    ScrollBar* bar = window->controls().HScroll1;
    window->controls().HScroll2->setValue(1365);
    bar->setValue(0);
    bar->setSliderDown(dragged);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (bar->value() + step > bar->maximum()) {
            state.PauseTiming();
            bar->setValue(0);
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        bar->setValue(bar->value() + step);
        QCoreApplication::processEvents(); // paints
    }
    bar->setSliderDown(false);
    bar->setValue(0);
    QCoreApplication::processEvents();
}
void panStep(benchmark::State& state)
{
    pan(state, 1, false);
}
void panDrag(benchmark::State& state)
{
    pan(state, 25, true);
}
BENCHMARK(panStep)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", fastest)
    ->ComputeStatistics("max", slowest)
    ->ReportAggregatesOnly(true);
BENCHMARK(panDrag)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", fastest)
    ->ComputeStatistics("max", slowest)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kv::setUpApplication(app);
    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    window = &form;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
