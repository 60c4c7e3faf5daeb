// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The number/text conversions every shown number goes through, rounding to integers, and the
// 16-colour palette.
//
//   Str(15)   == " 15"     Str(-2) == "-2"     Str(7.5) == " 7.5"   Str(0.5) == " 0.5"
//   Val(" 27") == 27       Val("1 2") == 12    Val("abc") == 0      Val("2.5e1x") == 25
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// Text of a number: a blank for 0 and above or a minus sign, at most 15 significant digits,
// a full stop as decimal point, no trailing zeros, and an exponent form ("1E+20", "-2.5E-07")
// for magnitudes from 1E+15 on and below 1E-04. Raises error 6 for infinity or NaN.
std::string Str(double value);

// The number at the start of a text. Blanks, tabs and line feeds are skipped wherever they
// stand; then an optional sign, digits, an optional full stop with digits and an optional
// exponent (e or E, optional sign, digits). Reading stops at the first character that cannot
// continue the number; a text without a number gives 0. A number too large for a double raises
// error 6; one too small for it gives 0.
double Val(std::string_view text);

// Rounds to the nearest 32-bit (16-bit) signed integer, halves to the even neighbour; a value
// outside the range, or NaN, raises error 6.
std::int32_t toInt32(double value);
std::int16_t toInt16(double value);

// An RGB colour, 0xRRGGBB.
using Rgb = std::uint32_t;
constexpr Rgb rgb(int r, int g, int b)
{
    return (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | static_cast<Rgb>(b);
}

// Palette colour 0..15 (black, blue, green, cyan, red, magenta, yellow, white, grey, and the
// light variants, bright white last). Any other index raises error 5.
Rgb QBColor(int index);

} // namespace kv
