// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The prime factorisation of n as one line of text: n, an equals sign, then each prime factor
// in ascending order with its exponent raised and smaller, and a dot between two factors.
//
//   12 = 2² · 3¹    drawn as " 12 =" at x = 0, " 2 " at 1/8, exponent " 2 " at 61/360, a dot at
//                   (17/72, 17), " 3 " at 17/72, exponent " 1 " at 101/360
//
// Positions advance by fixed fractions per character of Str; no text is measured.
#pragma once

#include "ui/core/surface.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The user scale the factorisation surface is given once, at start-up.
void scaleFactorisationSurface(Surface& surface);

// Clears the surface and draws the factorisation of the number at the start of txtN, rounded to
// a 32-bit integer (error 6 when it does not fit).
void drawFactorisation(Surface& surface, std::string_view txtN);

// Draws the factorisation of n, dividing n down to 1 on the way. Nothing for n < 1. Any run-time
// error while drawing ends the drawing silently and leaves what was drawn.
void Zerlegen(Surface& surface, std::int32_t& n);

// One sentence for screen readers on what the drawing shows: "12 = 2 hoch 2 mal 3 hoch 1";
// "1 hat keine Primfaktoren"; empty for n < 1, where nothing is drawn.
std::string describeFactorisation(std::int32_t n);

} // namespace kv
