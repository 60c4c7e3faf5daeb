// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Rings of filled strips, which cost next to nothing at any pixel ratio: the focus frame, and what
// picture boxes lay under their border.
//
// The focus frame shows where the keyboard focus is: a black rectangle inside a white one, one
// pixel each, so that it stands out on the yellow, white and grey faces of the window alike.
#pragma once

#include <QPainter>
#include <QRect>

namespace kv {

// The strips of the given width along the inside of outer's edges.
inline void fillRing(QPainter& p, const QRectF& outer, qreal width, const QColor& color)
{
    p.fillRect(QRectF(outer.left(), outer.top(), outer.width(), width), color);
    p.fillRect(QRectF(outer.left(), outer.bottom() - width, outer.width(), width), color);
    p.fillRect(QRectF(outer.left(), outer.top(), width, outer.height()), color);
    p.fillRect(QRectF(outer.right() - width, outer.top(), width, outer.height()), color);
}

inline void drawFocusFrame(QPainter& p, const QRect& r)
{
    if (r.width() < 2 || r.height() < 2)
        return;
    fillRing(p, r, 1, Qt::white);
    if (r.width() > 2 && r.height() > 2)
        fillRing(p, r.adjusted(1, 1, -1, -1), 1, Qt::black);
}

} // namespace kv
