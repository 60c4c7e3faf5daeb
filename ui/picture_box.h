// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: a framed widget that shows the drawing of its surface. The drawing persists
// until it is cleared; covering, minimising, restoring and moving the box show it again without
// anything being drawn anew. Only the part of the box that can be seen is rasterised, at the
// screen's pixel ratio, so drawings stay sharp on HiDPI screens.
//
// Coordinates follow the surface's user scale (twips over the inner area until Scale is called);
// line widths and point sizes are in device-independent pixels.
//
// A box that holds another (the diagram's window) clips it to its inner area through a
// PictureViewport, which also lays the holder's focus frame over what it holds.
#pragma once

#include "image_surface.h"

#include <QFrame>

namespace kv {

class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(const QString& name, QWidget* parent);

    // What the drawings draw on, as large as the inner area.
    ImageSurface& surface() { return surface_; }
    // Places and sizes the box; its surface takes the new inner size at once, also while the
    // box is hidden and gets no resize event.
    void place(const QRect& geometry);

    void setBackColor(Rgb color);
    Rgb backColor() const { return surface_.background(); }
    // The base font; FontSize changes only its size.
    void setDrawFont(const QFont& font);

    // The left edge inside the container's inner area, in twips; moves the box.
    void setLeft(float twips);
    float left() const { return left_; }

    // The whole picture at the screen's pixel ratio: every part of it, also what is panned out
    // of view, without border or focus frame.
    QImage wholePicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Rasterised on demand: reading the picture renders what is stale, which nobody can see.
    mutable ImageSurface surface_;
    float left_ = 0;
};

// The inner area of a picture box that holds another: it clips what it holds to the area, so the
// holder's border stays whole, and shows the holder's focus frame over it.
class PictureViewport : public QWidget {
    Q_OBJECT
public:
    explicit PictureViewport(PictureBox* holder);
    // Lays the focus frame over everything put into the viewport since.
    void raiseFocusFrame();

private:
    QWidget* overlay_;
};

} // namespace kv
