// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface in the terms of a picture box: a user scale over its inner area, clearing,
// lines and filled boxes, points, and text printed at a current position.
//
// The diagram and the factorisation draw through this interface only. The window hands them
// its picture boxes; tests hand them a recording surface and compare the calls.
#pragma once

#include "conversions.h"

#include <string>
#include <string_view>

namespace kv {

class Surface {
public:
    virtual ~Surface() = default;

    // The upper-left corner of the inner area becomes (x1, y1), the lower-right (x2, y2).
    virtual void Scale(float x1, float y1, float x2, float y2) = 0;
    // Erases everything to the background colour; the scale stays.
    virtual void Cls() = 0;
    // A straight line between two points.
    virtual void Line(float x1, float y1, float x2, float y2, Rgb color) = 0;
    // A filled box with opposite corners (x1, y1) and (x2, y2), outline and interior in color.
    virtual void Box(float x1, float y1, float x2, float y2, Rgb color) = 0;
    // A point of DrawWidth pixels centred on (x, y), in ForeColor.
    virtual void PSet(float x, float y) = 0;
    // Draws text with the top-left corner of its first character cell at (CurrentX, CurrentY),
    // in ForeColor and the surface's font at FontSize, without a background.
    virtual void Print(std::string_view text) = 0;

    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    virtual void setForeColor(Rgb color) = 0;
    virtual void setFontSize(float points) = 0;
    virtual void setDrawWidth(int pixels) = 0;

    void PrintNumber(double value) { Print(Str(value) + " "); }
};

} // namespace kv
