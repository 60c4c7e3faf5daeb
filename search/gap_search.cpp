#include "gap_search.h"

#include "ui/checked.h"
#include "ui/conversions.h"
#include "ui/runtime_error.h"

namespace kv {

std::int32_t gapIndex(std::string_view lueckeText)
{
    const std::int32_t index = toInt32(1399 - Val(lueckeText));
    if (index < 0 || index > 2800)
        raise(RuntimeError::SubscriptOutOfRange);
    return index;
}

SearchEnd cmdSuche(SearchWindow& window, const std::function<void()>& doEvents)
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
            index = gapIndex(window.lueckeText());
        } catch (const RuntimeError&) {
            return SearchEnd::InvalidGap;
        }
        const bool atMaximum = window.value() == window.maximum();
        if (window.abstand(index) > 0)
            return SearchEnd::Hit;
        if (atMaximum)
            return SearchEnd::Maximum;
    }
}

std::string gapPlus(std::string_view lueckeText)
{
    return Str(Val(lueckeText) + 1);
}
std::string gapMinus(std::string_view lueckeText)
{
    return Str(Val(lueckeText) - 1);
}

} // namespace kv
