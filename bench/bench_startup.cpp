// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: from process start until the window has first painted, for Kalvoster and for a
// minimal window of the same size, alternating in one run; with peak resident memory of both.
// After the runs it prints the ratio of the medians and the difference in memory.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string probePath;
std::map<std::string, std::vector<double>> seconds;
std::map<std::string, std::vector<double>> peakKb;

// Starts the probe and waits for its line; returns false if it failed.
bool startOnce(const std::string& mode, double& elapsed, long& kb)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(probePath.c_str(), probePath.c_str(), mode.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    FILE* in = fdopen(out[0], "r");
    char line[128] = {};
    const bool got = std::fgets(line, sizeof line, in) != nullptr;
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::fclose(in);
    int status = 0;
    waitpid(pid, &status, 0);
    return got && std::sscanf(line, "painted %ld", &kb) == 1;
}

void startup(benchmark::State& state, const std::string& mode)
{
    for (auto _ : state) {
        double elapsed = 0;
        long kb = 0;
        if (!startOnce(mode, elapsed, kb)) {
            state.SkipWithError("the probe did not paint");
            return;
        }
        state.SetIterationTime(elapsed);
        seconds[mode].push_back(elapsed);
        peakKb[mode].push_back(double(kb));
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string self = argv[0];
    probePath = self.substr(0, self.rfind('/') + 1) + "kalvoster-startup-probe";
    benchmark::Initialize(&argc, argv);
    // Alternating: each repetition runs both, so machine noise hits both alike.
    for (int i = 0; i < 10; ++i) {
        for (const char* mode : { "kalvoster", "minimal" })
            benchmark::RegisterBenchmark((std::string("startup/") + mode).c_str(),
                [mode](benchmark::State& s) { startup(s, mode); })
                ->UseManualTime()
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double k = median(seconds["kalvoster"]), m = median(seconds["minimal"]);
    if (k > 0 && m > 0) {
        std::printf("start-up median: Kalvoster %.1f ms, minimal window %.1f ms, ratio %.3f "
                    "(range %.1f-%.1f ms vs %.1f-%.1f ms)\n",
            k * 1e3, m * 1e3, k / m,
            *std::min_element(seconds["kalvoster"].begin(), seconds["kalvoster"].end()) * 1e3,
            *std::max_element(seconds["kalvoster"].begin(), seconds["kalvoster"].end()) * 1e3,
            *std::min_element(seconds["minimal"].begin(), seconds["minimal"].end()) * 1e3,
            *std::max_element(seconds["minimal"].begin(), seconds["minimal"].end()) * 1e3);
        std::printf(
            "peak memory median: Kalvoster %.1f MB, minimal window %.1f MB, difference %.1f MB\n",
            median(peakKb["kalvoster"]) / 1024, median(peakKb["minimal"]) / 1024,
            (median(peakKb["kalvoster"]) - median(peakKb["minimal"])) / 1024);
    }
    return 0;
}
