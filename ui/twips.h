// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Twips (1/1440 inch) to device-independent pixels at the screen's logical resolution:
// 15 twips a pixel at 96 dpi, 12 at 120 dpi.
#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <cmath>

namespace kv::twips {

inline double perPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / perPixel()));
}

// A control's rectangle; edges are rounded on their own, so controls that meet in twips meet in
// pixels.
inline QRect rect(int left, int top, int width, int height)
{
    const int l = toPixels(left), t = toPixels(top);
    return QRect(l, t, toPixels(left + width) - l, toPixels(top + height) - t);
}

} // namespace kv::twips
