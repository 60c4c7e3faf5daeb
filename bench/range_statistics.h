// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fastest and slowest repetition, reported beside the median as the range of a benchmark.
#pragma once

#include <algorithm>
#include <vector>

namespace kv::bench {

inline double fastest(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

inline double slowest(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

} // namespace kv::bench
