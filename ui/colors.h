// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's RGB colours (0xRRGGBB, as QBColor gives them) and the toolkit's, both ways.
#pragma once

#include "ui/core/conversions.h"

#include <QColor>

namespace kv {

// One of the program's colours as the toolkit's, opaque.
inline QColor toQColor(Rgb c)
{
    return QColor::fromRgb(static_cast<QRgb>(c) | 0xFF000000u);
}

// The toolkit's colour as one of the program's; its transparency is dropped.
inline Rgb toRgb(QColor c)
{
    return static_cast<Rgb>(c.rgb()) & 0xFFFFFFu;
}

} // namespace kv
