// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report.h"

#include "ui/core/conversions.h"

namespace kv {

namespace {
    constexpr std::string_view crlf = "\r\n";
}

std::string reportText(const Representations& t, std::string_view txtN)
{
    std::string out;
    out.reserve(512 + 128 * static_cast<std::size_t>(t.Anzahl));

    out += "Darstellungen:";
    out += Str(t.Anzahl);
    out += crlf;
    out += crlf;

    for (std::int32_t i = 1; i <= t.Anzahl; ++i) {
        const std::int32_t first = t.Anfang(i);
        const std::int32_t last = t.Ende(i);
        out += txtN;
        out += " = ";
        out += Str(first);
        if (last != first) {
            out += " +";
            if (last > checkedAdd(first, 1))
                out += " ...";
            out += Str(last);
        }
        const std::int32_t A = checkedAdd(checkedSub(last, first), 1);
        out += "     (A = ";
        out += Str(A);
        out += " )";
        out += "     (D = ";
        out += Str(t.n / A);
        out += " )";
        out += crlf;
    }
    out += crlf;

    using R = Representations;
    for (int x = R::indexOf(0); x >= R::firstIndex; --x) {
        if (t.Abstand(x) > 0) {
            out += "Lücke ";
            out += Str(R::distanceAt(x));
            out += "  Anz.:";
            out += Str(t.Abstand(x));
            out += crlf;
        }
    }
    out += crlf;

    for (int x = R::indexOf(-1); x <= R::lastIndex; ++x) {
        if (t.Abstand(x) > 0) {
            out += "Überlappung ";
            out += Str(-R::distanceAt(x));
            out += "  Anz.:";
            out += Str(t.Abstand(x));
            out += crlf;
        }
    }
    return out;
}

std::string describeRepresentations(const Representations& t)
{
    std::string out
        = std::to_string(t.Anzahl) + (t.Anzahl == 1 ? " Darstellung" : " Darstellungen");
    for (std::int32_t i = 1; i <= t.Anzahl; ++i) {
        out += i == 1 ? ": " : ", ";
        out += std::to_string(t.Anfang(i));
        if (t.Ende(i) != t.Anfang(i))
            out += " bis " + std::to_string(t.Ende(i));
    }
    return out;
}

} // namespace kv
