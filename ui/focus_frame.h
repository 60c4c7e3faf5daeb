// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the keyboard focus is: a dotted rectangle in alternating black and white, so that it
// stands out on the yellow, white and grey faces of the window alike.
#pragma once

#include <QPainter>
#include <QRect>

namespace kv {

inline void drawFocusFrame(QPainter& p, const QRect& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    const QRectF edge = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(edge);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(edge);
    p.restore();
}

} // namespace kv
