// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gap_search.h"

#include "ui/core/checked.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"

namespace kv {

std::int32_t gapIndex(std::string_view gapText)
{
    const std::int32_t index = toInt32(Representations::indexOf(Val(gapText)));
    if (index < Representations::firstIndex || index > Representations::lastIndex)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    return index;
}

std::optional<SearchEnd> GapSearches::start()
{
    if (window_.value() == window_.maximum())
        return SearchEnd::AlreadyAtMaximum;
    ++running_;
    advance();
    return std::nullopt;
}

std::optional<SearchEnd> GapSearches::step()
{
    if (running_ == 0)
        return std::nullopt;
    const auto end = [this](SearchEnd how) {
        --running_;
        return how;
    };
    if (window_.ending()) {
        running_ = 0;
        return SearchEnd::Ending;
    }
    std::int32_t index = 0;
    try {
        index = gapIndex(window_.gapText());
    } catch (const RuntimeError&) {
        return end(SearchEnd::InvalidGap);
    }
    const bool atMaximum = window_.value() == window_.maximum();
    if (window_.distanceCount(index) > 0)
        return end(SearchEnd::Hit);
    if (atMaximum)
        return end(SearchEnd::Maximum);
    advance();
    return std::nullopt;
}

// A run-time error in the n-change sequence leaves the count as it is: the program ends.
void GapSearches::advance()
{
    window_.setValue(checkedAdd<std::int16_t>(window_.value(), 1));
}

std::string gapPlus(std::string_view gapText)
{
    return Str(Val(gapText) + 1);
}
std::string gapMinus(std::string_view gapText)
{
    return Str(Val(gapText) - 1);
}

} // namespace kv
