// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: Val, Str, the "+" and "-" buttons and the gap search's reading of L, on any
// text; and on any double, that a shown value reads back to itself.
#include "search/gap_search.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace kv;

namespace {

void require(bool ok, const char* what, const std::string& detail)
{
    if (!ok) {
        std::fprintf(stderr, "%s: \"%s\"\n", what, detail.c_str());
        std::abort();
    }
}

// Str(x) must read back with Val to a value that Str shows the same way.
void readsBack(double x)
{
    const std::string shown = Str(x);
    double again = 0;
    try {
        again = Val(shown);
    } catch (const RuntimeError&) {
        require(false, "a shown value does not read back", shown);
    }
    require(Str(again) == shown, "a shown value reads back to another", shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    try {
        const double v = Val(text);
        require(std::isfinite(v), "Val gave a non-finite value", text);
        readsBack(v);
    } catch (const RuntimeError& e) {
        require(e.number() == RuntimeError::Overflow, "Val raised an error other than 6", text);
    }

    for (auto button : { &gapPlus, &gapMinus }) {
        try {
            const std::string next = button(text);
            require(!next.empty(), "a button wrote an empty text", text);
        } catch (const RuntimeError& e) {
            require(e.number() == RuntimeError::Overflow, "a button raised an error other than 6",
                text);
        }
    }

    try {
        const std::int32_t index = gapIndex(text);
        require(index >= 0 && index <= 2800, "a gap index out of range", text);
    } catch (const RuntimeError& e) {
        require(
            e.number() == RuntimeError::Overflow || e.number() == RuntimeError::SubscriptOutOfRange,
            "the gap raised an unexpected error", text);
    }

    if (size >= sizeof(double)) {
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        if (std::isfinite(x))
            readsBack(x);
        try {
            (void)toInt32(x);
        } catch (const RuntimeError& e) {
            require(e.number() == RuntimeError::Overflow, "rounding raised an error other than 6",
                text);
        }
    }
    return 0;
}
