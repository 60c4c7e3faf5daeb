// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Integer arithmetic that detects overflow, and arrays that test their declared bounds.
//
// Every table of the program is declared with its lowest and highest index, as in
// "Abstand(0 To 2800)"; an access outside raises run-time error 9, an overflowing sum error 6.
#pragma once

#include "runtime_error.h"

#include <array>
#include <cstdint>

namespace kv {

template <typename Int> Int checkedAdd(Int a, Int b)
{
    Int r;
    if (__builtin_add_overflow(a, b, &r))
        throw RuntimeError(RuntimeError::Overflow);
    return r;
}

template <typename Int> Int checkedSub(Int a, Int b)
{
    Int r;
    if (__builtin_sub_overflow(a, b, &r))
        throw RuntimeError(RuntimeError::Overflow);
    return r;
}

template <typename T, int Lo, int Hi> class BoundedArray {
    static_assert(Lo <= Hi);

public:
    T& operator()(std::int64_t i)
    {
        check(i);
        return items_[static_cast<std::size_t>(i - Lo)];
    }
    const T& operator()(std::int64_t i) const
    {
        check(i);
        return items_[static_cast<std::size_t>(i - Lo)];
    }

private:
    static void check(std::int64_t i)
    {
        if (i < Lo || i > Hi)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    }
    std::array<T, Hi - Lo + 1> items_ {};
};

} // namespace kv
