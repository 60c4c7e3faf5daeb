// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_box.h"

#include "twips.h"

#include <QFontMetricsF>
#include <QPaintEvent>

#include <cstring>

namespace kv {

PictureBox::PictureBox(const QString& name, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Until told otherwise, the standard colour of a plain picture box: the button face.
    background_ = static_cast<Rgb>(palette().color(QPalette::Window).rgb()) & 0xFFFFFFu;
}

PictureBox::~PictureBox()
{
    endPainting();
}

void PictureBox::setBackColor(Rgb color)
{
    background_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(color));
    setPalette(p);
}

void PictureBox::setDrawFont(const QFont& font)
{
    font_ = font;
    setFont(font);
}

void PictureBox::setLeft(float twips)
{
    left_ = twips;
    // Inside the container's border, like any child placed at (0, 0).
    const int inner = parentWidget() ? parentWidget()->contentsRect().left() : 0;
    move(inner + twips::toPixels(twips), y());
}

void PictureBox::ensureImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize size = contentsRect().size() * dpr;
    if (!image_.isNull() && image_.size() == size && image_.devicePixelRatio() == dpr)
        return;
    // A new pixel ratio (the window moved to another screen) makes a new image; the drawing
    // carries over, scaled, until the next one replaces it. Pending lines are in device-
    // independent pixels and go onto the new image as they are.
    painter_.reset();
    const QImage previous = clearPending_ ? QImage() : image_;
    image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(dpr);
    // Font points turn into pixels at the screen's logical resolution, as on the window.
    const int dotsPerMeter = qRound(logicalDpiY() / 0.0254);
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
    image_.fill(toQColor(background_));
    if (!previous.isNull()) {
        QPainter p(&image_);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(contentsRect().size())), previous);
    }
}

QPainter& PictureBox::painter()
{
    if (!painter_) {
        ensureImage();
        fillPendingClear();
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        update();
    }
    return *painter_;
}

void PictureBox::flushLines()
{
    if (pendingLines_.isEmpty())
        return;
    if (clearPending_ && fastFill_ && fillClearedWithUprightLines()) {
        pendingLines_.clear();
        return;
    }
    QPainter& p = painter();
    const QColor c = toQColor(pendingColor_);
    // Upright and level lines are filled as thin boxes: the same pixels as a square-capped pen,
    // without the cost of stroking each line.
    const qreal w = pendingWidth_, half = w / 2;
    QVector<QLineF> slanted;
    for (const QLineF& l : std::as_const(pendingLines_)) {
        if (l.x1() == l.x2())
            p.fillRect(
                QRectF(l.x1() - half, std::min(l.y1(), l.y2()) - half, w, std::abs(l.dy()) + w), c);
        else if (l.y1() == l.y2())
            p.fillRect(
                QRectF(std::min(l.x1(), l.x2()) - half, l.y1() - half, std::abs(l.dx()) + w, w), c);
        else
            slanted.append(l);
    }
    if (!slanted.isEmpty()) {
        p.setPen(QPen(c, w, Qt::SolidLine, Qt::SquareCap));
        p.drawLines(slanted);
    }
    pendingLines_.clear();
}

// A cleared image with upright lines through its whole height, such as the diagram's grid, has
// the same pixels in every row: one row is made and copied to all rows, instead of clearing the
// image and then filling each line column by column. The columns are those the raster engine
// fills for the same box: from the rounded left to the rounded right edge, in device pixels.
bool PictureBox::fillClearedWithUprightLines()
{
    const qreal dpr = image_.devicePixelRatio();
    const qreal height = image_.height() / dpr;
    const qreal half = pendingWidth_ / 2.0;
    for (const QLineF& l : std::as_const(pendingLines_)) {
        if (l.x1() != l.x2() || std::min(l.y1(), l.y2()) - half > 0
            || std::max(l.y1(), l.y2()) + half < height)
            return false;
    }
    const QRgb back = toQColor(background_).rgb();
    const QRgb line = toQColor(pendingColor_).rgb();
    const int width = image_.width();
    QVector<QRgb> row(width, back);
    for (const QLineF& l : std::as_const(pendingLines_)) {
        const int from = std::max(0, qRound((l.x1() - half) * dpr));
        const int to = std::min(width, qRound((l.x1() + half) * dpr));
        for (int x = from; x < to; ++x)
            row[x] = line;
    }
    const std::size_t bytes = std::size_t(width) * sizeof(QRgb);
    for (int y = 0; y < image_.height(); ++y)
        std::memcpy(image_.scanLine(y), row.constData(), bytes);
    clearPending_ = false;
    update();
    return true;
}

void PictureBox::endPainting()
{
    flushLines();
    painter_.reset();
}

const QImage& PictureBox::image()
{
    ensureImage();
    endPainting();
    fillPendingClear();
    return image_;
}

void PictureBox::fillPendingClear()
{
    if (clearPending_) {
        image_.fill(toQColor(background_));
        clearPending_ = false;
    }
}

QColor PictureBox::pixelAt(float x, float y)
{
    const QImage& img = image();
    const QPointF p = toPixel(x, y) * img.devicePixelRatio();
    return img.pixelColor(qBound(0, static_cast<int>(p.x()), img.width() - 1),
        qBound(0, static_cast<int>(p.y()), img.height() - 1));
}

QPointF PictureBox::toPixel(float x, float y) const
{
    const QSizeF inner = contentsRect().size();
    if (!userScale_) // twips
        return QPointF(x / twips::perPixel(), y / twips::perPixel());
    return QPointF(
        (static_cast<double>(x) - x1_) * inner.width() / (static_cast<double>(x2_) - x1_),
        (static_cast<double>(y) - y1_) * inner.height() / (static_cast<double>(y2_) - y1_));
}

void PictureBox::Scale(float x1, float y1, float x2, float y2)
{
    flushLines();
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    userScale_ = true;
}

void PictureBox::Cls()
{
    // The fill happens with the next drawing, which may do it more cheaply (see above).
    pendingLines_.clear();
    endPainting();
    ensureImage();
    clearPending_ = true;
    update();
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Rgb color)
{
    if (!pendingLines_.isEmpty() && (pendingColor_ != color || pendingWidth_ != drawWidth_))
        flushLines();
    if (pendingLines_.isEmpty()) {
        ensureImage();
        update();
        pendingColor_ = color;
        pendingWidth_ = drawWidth_;
    }
    pendingLines_.append(QLineF(toPixel(x1, y1), toPixel(x2, y2)));
}

void PictureBox::Box(float x1, float y1, float x2, float y2, Rgb color)
{
    flushLines();
    painter().fillRect(QRectF(toPixel(x1, y1), toPixel(x2, y2)).normalized(), toQColor(color));
}

void PictureBox::PSet(float x, float y)
{
    flushLines();
    const QPointF c = toPixel(x, y);
    const qreal half = drawWidth_ / 2.0;
    painter().fillRect(
        QRectF(c.x() - half, c.y() - half, drawWidth_, drawWidth_), toQColor(foreColor_));
}

void PictureBox::Print(std::string_view text)
{
    flushLines();
    QPainter& p = painter();
    p.setFont(font_);
    p.setPen(toQColor(foreColor_));
    const QPointF topLeft = toPixel(currentX_, currentY_);
    const QFontMetricsF metrics(font_, &image_);
    p.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void PictureBox::setFontSize(float points)
{
    if (points > 0)
        font_.setPointSizeF(points);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event); // the border
    QPainter p(this);
    p.setClipRect(contentsRect() & event->rect());
    if (image_.isNull()) // nothing drawn yet: no image needed
        p.fillRect(contentsRect(), toQColor(background_));
    else
        p.drawImage(contentsRect().topLeft(), image());
}

} // namespace kv
