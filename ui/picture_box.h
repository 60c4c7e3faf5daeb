// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: a framed drawing surface whose drawing persists in an image until it is
// cleared. Covering, minimising, restoring and moving the box show the image; nothing is redrawn.
//
// The image has the box's inner size at the screen's device pixel ratio, so drawings stay sharp
// on HiDPI screens. Coordinates follow the user scale (twips over the inner area until Scale is
// called); line widths and point sizes are in device-independent pixels.
#pragma once

#include "ui/core/surface.h"

#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QVector>
#include <memory>

namespace kv {

// One of the program's RGB colours as the toolkit's, opaque.
inline QColor toQColor(Rgb c)
{
    return QColor::fromRgb(static_cast<QRgb>(c) | 0xFF000000u);
}

class PictureBox : public QFrame, public Surface {
    Q_OBJECT
public:
    PictureBox(const QString& name, QWidget* parent);
    ~PictureBox() override;

    void setBackColor(Rgb color);
    Rgb backColor() const { return background_; }
    // The base font; FontSize changes only its size.
    void setDrawFont(const QFont& font);

    // The left edge inside the container's inner area, in twips; moves the box.
    void setLeft(float twips);
    float left() const { return left_; }

    // The persistent image, complete (pending drawing flushed).
    const QImage& image();
    // The image pixel under a user-scale point.
    QColor pixelAt(float x, float y);

    // Off, every line is drawn on its own; for comparing the shortcut with the plain way.
    void setFastFill(bool on) { fastFill_ = on; }

    void Scale(float x1, float y1, float x2, float y2) override;
    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, Rgb color) override;
    void Box(float x1, float y1, float x2, float y2, Rgb color) override;
    void PSet(float x, float y) override;
    void Print(std::string_view text) override;
    void setCurrentX(float x) override { currentX_ = x; }
    void setCurrentY(float y) override { currentY_ = y; }
    void setForeColor(Rgb color) override { foreColor_ = color; }
    void setFontSize(float points) override;
    void setDrawWidth(int pixels) override { drawWidth_ = pixels < 1 ? 1 : pixels; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF toPixel(float x, float y) const;
    QPainter& painter(); // open on the image; ended before the image is shown or read
    void flushLines();
    bool fillClearedWithUprightLines();
    void fillPendingClear(); // the background fill that Cls left for later
    void endPainting();
    void ensureImage();

    Rgb background_ = 0;
    QImage image_;
    bool clearPending_ = false; // cleared, but not yet filled with the background
    bool fastFill_ = true;
    std::unique_ptr<QPainter> painter_;
    QVector<QLineF> pendingLines_; // consecutive lines of one colour, drawn together
    Rgb pendingColor_ = 0;
    int pendingWidth_ = 1;

    float x1_ = 0, y1_ = 0, x2_ = 1, y2_ = 1;
    bool userScale_ = false;
    float currentX_ = 0, currentY_ = 0;
    Rgb foreColor_ = 0;
    int drawWidth_ = 1;
    QFont font_;
    float left_ = 0;
};

} // namespace kv
