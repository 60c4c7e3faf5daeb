// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: a framed widget that shows the drawing of its surface. The drawing persists
// until it is cleared; covering, minimising, restoring and moving the box show it again without
// anything being drawn anew. Only the part of the box that can be seen is rasterised, at the
// screen's pixel ratio, so drawings stay sharp on HiDPI screens.
//
// Coordinates follow the surface's user scale (twips over the inner area until Scale is called);
// line widths and point sizes are in device-independent pixels.
#pragma once

#include "image_surface.h"

#include <QFrame>

class QMenu;

namespace kv {

class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(const QString& name, QWidget* parent);

    // What the drawings draw on, as large as the inner area.
    ImageSurface& surface();

    void setBackColor(Rgb color);
    Rgb backColor() const { return surface_.background(); }
    // The base font; FontSize changes only its size.
    void setDrawFont(const QFont& font);

    // The left edge inside the container's inner area, in twips; moves the box.
    void setLeft(float twips);
    float left() const { return left_; }

    // Offers the whole picture of source (this box, or the one it holds) for copying: the
    // platform's Copy key while this box has the focus, and a context menu with the one command
    // "Bild kopieren", opened by a right-click, the menu key or Shift+F10.
    void offerCopy(PictureBox* source);
    // The menu that offerCopy made, or none.
    QMenu* copyMenu() const { return copyMenu_; }
    // The whole picture at the screen's pixel ratio, as copied: every part of it, also what is
    // panned out of view, without border or focus frame.
    QImage wholePicture();
    // Puts the whole picture on the clipboard as an image.
    void copyPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Opens the copy menu at a global position.
    void showCopyMenu(QPoint at);
    QPoint keyboardMenuPosition() const;

    ImageSurface surface_;
    float left_ = 0;
    PictureBox* copySource_ = nullptr;
    QMenu* copyMenu_ = nullptr;
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
