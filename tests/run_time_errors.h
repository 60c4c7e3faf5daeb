// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: the number of the run-time error a call raises, 0 if it raises none.
#pragma once

#include "ui/core/runtime_error.h"

namespace kv::testing {

inline int errorOf(auto&& call)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace kv::testing
