// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The gap searches driven by the window's event loop: a zero-interval timer asks at every turn
// of the loop for the steps that fit in a slice of time, so every event that arrived meanwhile
// (input, a second search, the window's close) waits at most a slice. Turns that come slowly (a
// browser's timers wait at least 4 ms) still search as fast as the steps go. While any search runs
// the window is painted at the display's pace, and at once when the last one ends. An open box
// holds the searches: they wait until it is closed.
#pragma once

#include "search/gap_search.h"
#include "ui/paint_pacer.h"

#include <QObject>
#include <QTimer>
#include <optional>

namespace kv {

class SearchRunner : public QObject {
    Q_OBJECT
public:
    SearchRunner(SearchWindow& window, PaintPacer& pacer);

    // "Suche bis"; returns how the new search ended when it ended at once.
    std::optional<SearchEnd> start();
    // The step that due() asked for; returns how the search ended when it did.
    std::optional<SearchEnd> step();
    // While held (once per open box) no step is due.
    void hold();
    void release();
    // Every search ends now: the program ends.
    void stopAll();

    int running() const { return searches_.running(); }

signals:
    // A step is due; whoever handles it calls step().
    void due();

private:
    // The steps of one turn of the loop: due() until the slice is over, or no step is due.
    void turn();
    // The timer runs exactly while a search runs and nothing holds it, the pacing while a
    // search runs.
    void follow();

    GapSearches searches_;
    PaintPacer& pacer_;
    QTimer timer_;
    std::optional<PaintPacer::Scope> pacing_;
    int holds_ = 0;
};

} // namespace kv
