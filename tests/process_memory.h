// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test and benchmark helper: a figure of this process's memory from /proc/self/status, in kB
// ("VmRSS" resident now, "VmHWM" resident at its peak); -1 where it cannot be read.
#pragma once

#include <fstream>
#include <string>

namespace kv::testing {

inline long processStatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ':', 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

} // namespace kv::testing
