// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Run-time errors of Kalvoster: a number and its German description.
//
// Raised as exceptions from the computing code; the window catches them at the edge of
// every handler, so none ever crosses the event loop.
#pragma once

#include <stdexcept>
#include <string>

namespace kv {

class RuntimeError : public std::runtime_error {
public:
    enum Number : int {
        InvalidCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
    };

    explicit RuntimeError(int number);

    int number() const noexcept { return number_; }
    // German description, UTF-8, e.g. "Überlauf".
    const std::string& description() const noexcept { return description_; }

    static std::string describe(int number);

private:
    int number_;
    std::string description_;
};

} // namespace kv
