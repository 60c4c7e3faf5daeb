// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bar_diagram.h"

namespace kv {

void BarDiagram::prepare(double n)
{
    const double W = width(n);
    surface_.Scale(static_cast<float>(-leftMargin), 0, static_cast<float>(W), rows);
    surface_.Cls();
    const Rgb grid = QBColor(11);
    for (int x = 0; x <= gridEnd; ++x)
        surface_.Line(static_cast<float>(x), 0, static_cast<float>(x), rows, grid);
}

void BarDiagram::found(std::int32_t c, std::int32_t S, std::int32_t k)
{
    const std::int32_t y = row(c);
    const std::int32_t left = checkedSub(S, 1);
    const std::int32_t E = checkedAdd(S, k);

    surface_.Box(static_cast<float>(left), static_cast<float>(y), static_cast<float>(E),
        static_cast<float>(y + barHeight), QBColor(c % colours));
    surface_.Line(static_cast<float>(left), 0, static_cast<float>(left), rows, QBColor(0));

    surface_.setCurrentX(static_cast<float>(S - labelLead));
    surface_.setCurrentY(static_cast<float>(y + labelDrop));
    surface_.setForeColor(QBColor(15));
    surface_.PrintNumber(S);

    surface_.setCurrentX(static_cast<float>(E));
    surface_.setCurrentY(static_cast<float>(y + labelDrop));
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
