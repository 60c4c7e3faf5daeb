// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The representations of n as sums of consecutive natural numbers, and the distance histogram
// over all pairs of them.
//
// 15 = 1+2+3+4+5 = 4+5+6 = 7+8 = 15: the search tries every start S from 1 to n and adds
// S, S+1, ... until the running sum reaches or passes n. The representations come out by
// increasing start, so the number of summands falls from entry to entry and the one-term
// representation n = n is always the last.
#pragma once

#include "ui/core/checked.h"

#include <cstdint>
#include <string_view>

namespace kv {

// Told about each representation the moment the search finds it: c is its position among those
// found (0 for the first), S its first summand, S + k its last.
class RepresentationSink {
public:
    virtual ~RepresentationSink() = default;
    // Called once per run, after n is read and before the search starts.
    virtual void prepare(double n) = 0;
    virtual void found(std::int32_t c, std::int32_t S, std::int32_t k) = 0;
};

// The table of one run. It lives as long as the window and describes the most recent run.
struct Representations {
    static constexpr int capacity = 120;

    // The distance histogram counts each pair of representations at the index of their distance
    // L: L = G for a gap of G numbers between them, L = -V for an overlap of V numbers. The
    // index is 1399 - L, from 0 (the gap 1399) to 2800 (the overlap 1401).
    static constexpr int largestGap = 1399;
    static constexpr int smallestGap = -1401; // the largest overlap
    static constexpr int firstIndex = 0;
    static constexpr int lastIndex = largestGap - smallestGap;
    static constexpr int indexOf(int L) { return largestGap - L; }
    static constexpr double indexOf(double L) { return largestGap - L; }
    static constexpr int distanceAt(int index) { return largestGap - index; }
    // A pair (i, j), i < j, lies at the distance Anfang(j) - Ende(i) - 1, so it is counted at
    // pairBase + Ende(i) - Anfang(j).
    static constexpr int pairBase = 1400;

    double n = 0;
    BoundedArray<std::int32_t, 0, capacity> Anfang;
    BoundedArray<std::int32_t, 0, capacity> Ende;
    std::int32_t Anzahl = 0;
    BoundedArray<std::int32_t, firstIndex, lastIndex> Abstand;
};

static_assert(
    Representations::largestGap == Representations::distanceAt(Representations::firstIndex));
static_assert(
    Representations::smallestGap == Representations::distanceAt(Representations::lastIndex));
static_assert(Representations::pairBase == Representations::indexOf(-1));

// One run of the analysis for the number at the start of txtN (read with Val): clears the
// table and the histogram, finds every representation (handing each to sink, if given), then
// counts every pair. Raises error 9 when a run leaves the table's or the histogram's bounds
// (first at n = 1457) and error 6 on 32-bit overflow.
void analyse(Representations& table, std::string_view txtN, RepresentationSink* sink);

} // namespace kv
