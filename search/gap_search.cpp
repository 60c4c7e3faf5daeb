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

SearchEnd runGapSearch(SearchWindow& window, const std::function<void()>& doEvents)
{
    if (window.value() == window.maximum())
        return SearchEnd::AlreadyAtMaximum;
    for (;;) {
        window.setValue(checkedAdd<std::int16_t>(window.value(), 1));
        doEvents();
        if (window.ending())
            return SearchEnd::Ending;

        std::int32_t index = 0;
        try {
            index = gapIndex(window.gapText());
        } catch (const RuntimeError&) {
            return SearchEnd::InvalidGap;
        }
        const bool atMaximum = window.value() == window.maximum();
        if (window.distanceCount(index) > 0)
            return SearchEnd::Hit;
        if (atMaximum)
            return SearchEnd::Maximum;
    }
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
