// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "factorisation.h"

#include "ui/core/checked.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"

namespace kv {

namespace {
    constexpr double lineTop = 10;
    constexpr float factorSize = 18;
    constexpr float exponentSize = 14;

    double length(double v)
    {
        return static_cast<double>(Str(v).size());
    }
    float single(double v)
    {
        return static_cast<float>(v);
    }
} // namespace

void scaleFactorisationSurface(Surface& surface)
{
    surface.Scale(0, 1, 0.9f, 30);
}

void drawFactorisation(Surface& surface, std::string_view txtN)
{
    surface.Cls();
    std::int32_t n = toInt32(Val(txtN));
    Zerlegen(surface, n);
}

void Zerlegen(Surface& surface, std::int32_t& n)
{
    if (n < 1)
        return;
    try {
        double x = 0;
        double y = lineTop;
        std::int32_t d = 1;

        surface.setCurrentX(single(x));
        surface.setCurrentY(single(lineTop));
        surface.setFontSize(factorSize);
        surface.Print(Str(n) + " =");
        x += length(n) / 24;
        surface.setCurrentX(single(x));
        surface.setCurrentY(single(lineTop));

        do {
            d = checkedAdd(d, 1);
            std::int32_t i = 0;
            while (n % d == 0) {
                i = checkedAdd(i, 1);
                n /= d;
            }
            if (i >= 1) {
                surface.PrintNumber(d);
                x += length(d) / 45;
                surface.setCurrentX(single(x));
                surface.setCurrentY(single(y));
                y -= 2;
                surface.setCurrentY(single(y));
                surface.setFontSize(exponentSize);
                surface.PrintNumber(i);
                surface.setFontSize(factorSize);
                x += length(i) / 30;
                y += 2;
                surface.setCurrentX(single(x));
                surface.setCurrentY(single(y));
                if (n >= 2) {
                    surface.setDrawWidth(2);
                    surface.PSet(single(x), single(y + 7));
                    surface.setCurrentX(single(x));
                    surface.setCurrentY(single(y));
                }
            }
        } while (n != 1);
    } catch (const RuntimeError&) {
        // The drawing ends here; what is drawn stays.
    }
}

std::string describeFactorisation(std::int32_t n)
{
    if (n < 1)
        return {};
    if (n == 1)
        return "1 hat keine Primfaktoren";
    std::string out = std::to_string(n) + " =";
    const char* joint = " ";
    for (std::int32_t d = 2; n > 1; ++d) {
        int i = 0;
        for (; n % d == 0; n /= d)
            ++i;
        if (i > 0) {
            out += joint + std::to_string(d) + " hoch " + std::to_string(i);
            joint = " mal ";
        }
    }
    return out;
}

} // namespace kv
