// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bar_diagram.h"

namespace kv {

void BarDiagram::prepare(double n)
{
    const double W = width(n);
    surface_.Scale(-3, 0, static_cast<float>(W), 7);
    surface_.Cls();
    const Rgb grid = QBColor(11);
    for (int x = 0; x <= 1000; ++x)
        surface_.Line(static_cast<float>(x), 0, static_cast<float>(x), 7, grid);
}

void BarDiagram::found(std::int32_t c, std::int32_t S, std::int32_t k)
{
    const std::int32_t y = row(c);
    const std::int32_t left = checkedSub(S, 1);
    const std::int32_t E = checkedAdd(S, k);

    surface_.Box(static_cast<float>(left), static_cast<float>(y), static_cast<float>(E),
        static_cast<float>(y + 0.9), QBColor(c % 7));
    surface_.Line(static_cast<float>(left), 0, static_cast<float>(left), 7, QBColor(0));

    surface_.setCurrentX(static_cast<float>(S - 1.5));
    surface_.setCurrentY(static_cast<float>(y + 0.2));
    surface_.setForeColor(QBColor(15));
    surface_.PrintNumber(S);

    surface_.setCurrentX(static_cast<float>(E));
    surface_.setCurrentY(static_cast<float>(y + 0.2));
    surface_.setForeColor(QBColor(0));
    if (k > 0)
        surface_.PrintNumber(E);
}

float panningLeft(std::int16_t scrollValue)
{
    const std::int16_t negated = checkedSub<std::int16_t>(0, scrollValue);
    return static_cast<float>(negated * 1.9);
}

} // namespace kv
