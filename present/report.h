// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The written report of one analysis run, character for character as the report box shows it:
//
//   Darstellungen: 4
//
//    15 =  1 + ... 5     (A =  5 )     (D =  3 )
//    15 =  7 + 8     (A =  2 )     (D =  7.5 )
//   ...
//   Lücke  0  Anz.: 1
//
//   Überlappung  2  Anz.: 1
//
// Every line ends with CR LF; every number goes through Str and so carries its leading blank.
// The text is UTF-8.
#pragma once

#include "analysis/representations.h"

#include <string>
#include <string_view>

namespace kv {

// txtN is copied unchanged at the start of every representation line.
std::string reportText(const Representations& table, std::string_view txtN);

// One sentence for screen readers on what the bar diagram shows:
// "4 Darstellungen: 1 bis 5, 4 bis 6, 7 bis 8, 15".
std::string describeRepresentations(const Representations& table);

} // namespace kv
