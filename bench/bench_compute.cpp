// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The computing part of one n change without the window: the analysis with the report text, and
// the two drawings recorded on a surface that keeps nothing.
#include "analysis/representations.h"
#include "factor/factorisation.h"
#include "present/bar_diagram.h"
#include "present/report.h"
#include "ui/core/conversions.h"

#include "range_statistics.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

using namespace kv;
using kv::bench::fastest;
using kv::bench::slowest;

namespace {

// Counts the calls, as cheaply as a surface can.
struct NullSurface : Surface {
    long calls = 0;
    void Scale(float, float, float, float) override { ++calls; }
    void Cls() override { ++calls; }
    void Line(float, float, float, float, Rgb) override { ++calls; }
    void Box(float, float, float, float, Rgb) override { ++calls; }
    void PSet(float, float) override { ++calls; }
    void Print(std::string_view) override { ++calls; }
    void setCurrentX(float) override { ++calls; }
    void setCurrentY(float) override { ++calls; }
    void setForeColor(Rgb) override { ++calls; }
    void setFontSize(float) override { ++calls; }
    void setDrawWidth(int) override { ++calls; }
};

void analysisAndReport(benchmark::State& state)
{
    auto table = std::make_unique<Representations>();
    const std::string txtN = Str(double(state.range(0)));
    for (auto _ : state) {
        analyse(*table, txtN, nullptr);
        benchmark::DoNotOptimize(reportText(*table, txtN));
    }
}
BENCHMARK(analysisAndReport)
    ->Arg(15)
    ->Arg(945)
    ->Arg(1365)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest)
    ->ComputeStatistics("max", slowest);

// Every n from 1 to 1365 in turn; the time is per n.
void analysisAndReportEveryN(benchmark::State& state)
{
    auto table = std::make_unique<Representations>();
    for (auto _ : state) {
        for (int n = 1; n <= 1365; ++n) {
            const std::string txtN = Str(n);
            analyse(*table, txtN, nullptr);
            benchmark::DoNotOptimize(reportText(*table, txtN));
        }
    }
    state.SetItemsProcessed(state.iterations() * 1365);
}
BENCHMARK(analysisAndReportEveryN)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest)
    ->ComputeStatistics("max", slowest);

void withDrawingCalls(benchmark::State& state)
{
    auto table = std::make_unique<Representations>();
    NullSurface surface;
    const std::string txtN = Str(double(state.range(0)));
    for (auto _ : state) {
        BarDiagram diagram(surface);
        analyse(*table, txtN, &diagram);
        benchmark::DoNotOptimize(reportText(*table, txtN));
        drawFactorisation(surface, txtN);
    }
    benchmark::DoNotOptimize(surface.calls);
}
BENCHMARK(withDrawingCalls)
    ->Arg(15)
    ->Arg(1365)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest)
    ->ComputeStatistics("max", slowest);

} // namespace

BENCHMARK_MAIN();
