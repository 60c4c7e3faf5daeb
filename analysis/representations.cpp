// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "representations.h"

#include "ui/core/conversions.h"

namespace kv {

namespace {

    void clear(Representations& t)
    {
        // Index 0 of the tables is never written for any n the selector offers; it keeps the zero
        // it was created with.
        for (int i = 1; i <= Representations::capacity; ++i) {
            t.Anfang(i) = 0;
            t.Ende(i) = 0;
        }
        for (int x = 1; x <= Representations::lastIndex; ++x)
            t.Abstand(x) = 0;
    }

    void search(Representations& t, RepresentationSink* sink)
    {
        t.Anzahl = 0;
        for (std::int32_t S = 1; S <= t.n; S = checkedAdd(S, 1)) {
            std::int32_t sum = 0;
            std::int32_t k = 0;
            for (;;) {
                sum = checkedAdd(sum, checkedAdd(S, k));
                if (sum == t.n) {
                    const std::int32_t c = t.Anzahl;
                    if (sink)
                        sink->found(c, S, k);
                    t.Anzahl = checkedAdd(c, 1);
                    t.Anfang(t.Anzahl) = S;
                    t.Ende(t.Anzahl) = checkedAdd(S, k);
                    break;
                }
                k = checkedAdd(k, 1);
                if (sum > t.n)
                    break;
            }
        }
    }

    void countPairs(Representations& t)
    {
        for (std::int32_t i = 1; i <= t.Anzahl; ++i) {
            for (std::int32_t j = i + 1; j <= t.Anzahl; ++j) {
                const std::int32_t x
                    = checkedAdd(Representations::pairBase, checkedSub(t.Ende(i), t.Anfang(j)));
                t.Abstand(x) = checkedAdd(t.Abstand(x), 1);
            }
        }
    }

} // namespace

void analyse(Representations& table, std::string_view txtN, RepresentationSink* sink)
{
    clear(table);
    table.n = Val(txtN);
    if (sink)
        sink->prepare(table.n);
    search(table, sink);
    countPairs(table);
}

} // namespace kv
