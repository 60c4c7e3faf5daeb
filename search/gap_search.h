// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "Suche bis": steps n upward until a chosen gap or overlap occurs between two representations,
// or n reaches the scroll bar's maximum; and the "+" and "-" buttons that change the chosen size.
//
// The size L is the text of the gap box, read afresh with Val at every step: L >= 0 asks for L
// numbers between two representations, L < 0 for -L shared numbers. Every step goes through the
// whole n-change sequence. The window's event loop drives the search one step at a time and
// handles every event that arrived in between, so the user watches the search, and any handler
// may run between two steps: a click on an example button moves n for the search as well, a
// change of L counts from the next test on, and a second click on "Suche bis" starts a search
// of its own.
#pragma once

#include "analysis/representations.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The window as the search sees it. Everything is read afresh when needed; the search keeps no
// copy.
class SearchWindow {
public:
    virtual ~SearchWindow() = default;
    virtual std::int16_t value() const = 0; // n
    virtual std::int16_t maximum() const = 0;
    // Runs the n-change sequence to completion when the value differs.
    virtual void setValue(std::int16_t n) = 0;
    virtual std::string gapText() const = 0;
    // The distance histogram of the current n; raises error 9 outside 0..2800.
    virtual std::int32_t distanceCount(std::int32_t index) const = 0;
    // True once the program is ending (window closed, "Programm beenden", a fatal error): every
    // search then ends and touches nothing more.
    virtual bool ending() const = 0;
};

enum class SearchEnd {
    AlreadyAtMaximum, // started at the maximum: nothing happened
    Hit,
    Maximum,
    Ending,
    InvalidGap, // the gap text is out of range; n has advanced and is shown
};

// The histogram index of the gap text: 1399 - Val(text), rounded halves to even. Raises error 9
// outside 0..2800 and error 6 when Val or the rounding overflows.
std::int32_t gapIndex(std::string_view gapText);

// The gap sizes that can be searched for.
constexpr int smallestGap = Representations::smallestGap;
constexpr int largestGap = Representations::largestGap;

// The searches that run, stepped from outside. A search keeps nothing of its own: n and L live
// in the window. A search started while another runs goes first; when it ends, the one it
// interrupted tests the n and L of that moment with its next step, and so normally ends there
// too.
class GapSearches {
public:
    explicit GapSearches(SearchWindow& window)
        : window_(window)
    {
    }

    // A click on "Suche bis": moves n one up, its analysis shown, and the new search runs;
    // at the maximum nothing happens, the gap text not even read, and it ends at once.
    std::optional<SearchEnd> start();
    // One step of the newest search: tests the n shown against the gap text of now and, unless
    // that ends the search, moves n one up. Returns how the search ended when it did.
    std::optional<SearchEnd> step();
    // Ends every search at once: the program ends.
    void stopAll() { running_ = 0; }

    // How many searches run: each started while the one before still ran.
    int running() const { return running_; }

private:
    void advance();

    SearchWindow& window_;
    int running_ = 0;
};

// The new text of the gap box for "+" and "-": Str(Val(text) + 1) and Str(Val(text) - 1).
// Raise error 6 when the text's number is too large for Val.
std::string gapPlus(std::string_view gapText);
std::string gapMinus(std::string_view gapText);

} // namespace kv
