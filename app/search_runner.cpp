// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "search_runner.h"

#include <QElapsedTimer>

namespace kv {

namespace {
    // A frame of a 60 Hz screen: input and painting wait no longer than that. A browser's timers
    // come at least 4 ms apart: the longer the slice, the less of a search is spent waiting.
    constexpr qint64 sliceNs = 16'000'000;
}

SearchRunner::SearchRunner(SearchWindow& window, PaintPacer& pacer)
    : searches_(window)
    , pacer_(pacer)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &SearchRunner::turn);
}

std::optional<SearchEnd> SearchRunner::start()
{
    const std::optional<SearchEnd> end = searches_.start();
    follow();
    return end;
}

std::optional<SearchEnd> SearchRunner::step()
{
    if (holds_ > 0)
        return std::nullopt;
    const std::optional<SearchEnd> end = searches_.step();
    follow();
    return end;
}

void SearchRunner::hold()
{
    ++holds_;
    follow();
}

void SearchRunner::release()
{
    if (holds_ > 0)
        --holds_;
    follow();
}

void SearchRunner::stopAll()
{
    searches_.stopAll();
    follow();
}

void SearchRunner::turn()
{
    QElapsedTimer slice;
    slice.start();
    do
        emit due();
    while (timer_.isActive() && slice.nsecsElapsed() < sliceNs);
}

void SearchRunner::follow()
{
    const bool running = searches_.running() > 0;
    if (running && !pacing_)
        pacing_.emplace(pacer_);
    else if (!running)
        pacing_.reset(); // the last n painted at once
    if (running && holds_ == 0) {
        if (!timer_.isActive())
            timer_.start();
    } else {
        timer_.stop();
    }
}

} // namespace kv
