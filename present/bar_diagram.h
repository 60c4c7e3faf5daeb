// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The bar diagram: each representation as a coloured bar over the number line, summand m in the
// unit cell from m - 1 to m, so S ... E is a bar from S - 1 to E.
//
// Bars stack in seven rows, 0 2 4 6 1 3 5 and again, and take the palette colours 0 to 6 in turn.
// Each bar gets a black line at its left end through all rows, its first summand in white on the
// bar, and, with two or more summands, its last summand in black just after it. Under all bars
// lies a light-cyan grid at every whole number from 0 to 1000.
#pragma once

#include "analysis/representations.h"
#include "ui/core/surface.h"

namespace kv {

class BarDiagram : public RepresentationSink {
public:
    // The picture's geometry, in user units: x along the number line, y down the rows.
    static constexpr int rows = 7; // row r spans y = r ... r + 1
    static constexpr int colours = 7; // bar c takes palette colour c mod colours
    static constexpr double barHeight = 0.9; // a bar fills the top of its row
    static constexpr double labelDrop = 0.2; // a label's top lies this far below its bar's top
    static constexpr double labelLead = 1.5; // the first summand's label starts at S - labelLead
    static constexpr int gridEnd = 1000; // grid lines at every whole number 0 ... gridEnd
    static constexpr int gridLines = gridEnd + 1;
    static constexpr double leastWidth = 500; // the number line shown reaches at least this far
    static constexpr double leftMargin = 3; // the scale starts this far left of 0

    explicit BarDiagram(Surface& surface)
        : surface_(surface)
    {
    }

    // The width W in user units: leastWidth, or n when n is larger.
    static double width(double n) { return n > leastWidth ? n : leastWidth; }
    static std::int32_t row(std::int32_t c) { return (2 * c) % rows; }

    // Scale (-leftMargin, 0)-(W, rows), Cls, then the grid lines.
    void prepare(double n) override;
    // The bar, its left line and its labels.
    void found(std::int32_t c, std::int32_t S, std::int32_t k) override;

private:
    Surface& surface_;
};

// The diagram's picture moves left by 1.9 twips for every step of the panning scroll bar.
float panningLeft(std::int16_t scrollValue);

} // namespace kv
