// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the keyboard focus is: a black rectangle inside a white one, one pixel each, so that it
// stands out on the yellow, white and grey faces of the window alike. Drawn as filled strips,
// which cost next to nothing at any pixel ratio.
#pragma once

#include <QPainter>
#include <QRect>

namespace kv {

inline void drawFocusFrame(QPainter& p, const QRect& r)
{
    const auto ring = [&p](const QRect& e, Qt::GlobalColor color) {
        p.fillRect(QRect(e.left(), e.top(), e.width(), 1), color);
        p.fillRect(QRect(e.left(), e.bottom(), e.width(), 1), color);
        p.fillRect(QRect(e.left(), e.top(), 1, e.height()), color);
        p.fillRect(QRect(e.right(), e.top(), 1, e.height()), color);
    };
    if (r.width() < 2 || r.height() < 2)
        return;
    ring(r, Qt::white);
    if (r.width() > 2 && r.height() > 2)
        ring(r.adjusted(1, 1, -1, -1), Qt::black);
}

} // namespace kv
