// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The surface in two halves: recording (Scale, Cls, Line, Box, PSet, Print turn into operations
// in pixels, kept with their reach, and mark the tiles they touch stale) and rasterising
// (render fills each stale tile asked for, from the grid's row where the picture starts with a
// grid, and replays every operation that reaches the tile, clipped to it).
#include "image_surface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

    // Visits a variant with one lambda per alternative.
    template <typename... Handlers> struct Overloaded : Handlers... {
        using Handlers::operator()...;
    };
    template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

ImageSurface::ImageSurface(QSize size, double twipsPerPixel)
    : size_(size)
    , scale_(size.width(), size.height(), twipsPerPixel)
{
}

void ImageSurface::setSize(QSize size)
{
    if (size == size_)
        return;
    if (!size_.isEmpty() && !size.isEmpty()) {
        const double sx = double(size.width()) / size_.width();
        const double sy = double(size.height()) / size_.height();
        const auto stretch = [sx, sy](QPointF p) { return QPointF(p.x() * sx, p.y() * sy); };
        for (Operation& o : operations_) {
            o.left *= sx;
            o.right *= sx;
            std::visit(Overloaded {
                           [&](LineRun& run) {
                               for (QLineF& l : run.lines)
                                   l = QLineF(stretch(l.p1()), stretch(l.p2()));
                           },
                           [&](Fill& fill) {
                               const QRectF& r = fill.rect;
                               fill.rect = QRectF(
                                   stretch(r.topLeft()), QSizeF(r.width() * sx, r.height() * sy));
                           },
                           [&](Text& text) { text.at = stretch(text.at); },
                       },
                o.shape);
        }
    }
    size_ = size;
    scale_.setSize(size.width(), size.height());
    restart();
}

void ImageSurface::setBackground(Rgb color)
{
    background_ = color;
    restart();
}

void ImageSurface::setFont(const QFont& font)
{
    font_ = font;
    points_ = 0;
}

void ImageSurface::setLogicalDpi(int dpi)
{
    if (dpi > 0 && dpi != logicalDpi_) {
        logicalDpi_ = dpi;
        image_ = QImage(); // made anew with the next render, at the new resolution
        restart();
    }
}

void ImageSurface::setFontSize(float points)
{
    if (points > 0)
        points_ = points;
}

QPointF ImageSurface::toPixels(float x, float y) const
{
    const PointF p = scale_.toPixels(x, y);
    return { p.x, p.y };
}

// ---- recording

void ImageSurface::Scale(float x1, float y1, float x2, float y2)
{
    scale_.setScale(x1, y1, x2, y2);
}

void ImageSurface::Cls()
{
    operations_.clear();
    restart();
}

// Everything is to be rasterised anew, the grid decided again.
void ImageSurface::restart()
{
    std::fill(fresh_.begin(), fresh_.end(), false);
    freshCount_ = 0;
    grid_ = Grid::Unknown;
    changed(0, 0);
}

void ImageSurface::Line(float x1, float y1, float x2, float y2, Rgb color)
{
    const QLineF line(toPixels(x1, y1), toPixels(x2, y2));
    const double half = drawWidth_ / 2.0;
    add({ .shape
        = LineRun { .color = toQColor(color).rgb(), .width = drawWidth_, .lines = { line } },
        .left = std::min(line.x1(), line.x2()) - half,
        .right = std::max(line.x1(), line.x2()) + half });
}

void ImageSurface::Box(float x1, float y1, float x2, float y2, Rgb color)
{
    addFill(QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized(), color);
}

void ImageSurface::PSet(float x, float y)
{
    const QPointF c = toPixels(x, y);
    const qreal half = drawWidth_ / 2.0;
    addFill(QRectF(c.x() - half, c.y() - half, drawWidth_, drawWidth_), foreColor_);
}

void ImageSurface::addFill(const QRectF& box, Rgb color)
{
    add({ .shape = Fill { .color = toQColor(color).rgb(), .rect = box },
        .left = box.left(),
        .right = box.right() });
}

void ImageSurface::Print(std::string_view text)
{
    const QPointF at = toPixels(currentX_, currentY_);
    const qreal points = points_ > 0 ? points_ : font_.pointSizeF();
    // Generous bounds: no glyph is wider than an em, nor reaches further back than one.
    const double em = std::max<qreal>(points, 1) * logicalDpi_ / 72.0;
    add({ .shape = Text { .color = toQColor(foreColor_).rgb(),
              .at = at,
              .text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
              .points = points },
        .left = at.x() - em,
        .right = at.x() + (double(text.size()) + 1) * em });
}

// Keeps an operation; a line of the colour and width of the run before it joins that run.
void ImageSurface::add(Operation operation)
{
    const double left = operation.left, right = operation.right;
    auto* run = std::get_if<LineRun>(&operation.shape);
    auto* last = operations_.empty() ? nullptr : std::get_if<LineRun>(&operations_.back().shape);
    if (run && last && last->color == run->color && last->width == run->width) {
        last->lines.append(run->lines.constData(), run->lines.size());
        operations_.back().left = std::min(operations_.back().left, left);
        operations_.back().right = std::max(operations_.back().right, right);
    } else {
        operations_.push_back(std::move(operation));
    }
    if (operations_.size() == 1) // the first run may be a grid, or may have stopped being one
        grid_ = Grid::Unknown;
    changed(left, right);
}

// Marks the tiles within left ... right pixels stale (all of them when the reach is not a
// plain range) and tells the owner once. After a Cls every tile is stale already: the drawing
// that follows costs no marking.
void ImageSurface::changed(double left, double right)
{
    if (freshCount_ > 0 && !image_.isNull()) {
        const qreal ratio = image_.devicePixelRatio();
        const double from = std::floor(left * ratio) - 2, to = std::ceil(right * ratio) + 2;
        if (std::isfinite(from) && std::isfinite(to) && from <= to) {
            const int last = tileCount() - 1;
            const int first = std::clamp(int(std::max(from, 0.0)) / tileWidth, 0, last);
            const int end
                = std::clamp(int(std::min(to, double(image_.width()))) / tileWidth, 0, last);
            for (int t = first; t <= end; ++t) {
                if (fresh_[std::size_t(t)]) {
                    fresh_[std::size_t(t)] = false;
                    --freshCount_;
                }
            }
        } else {
            std::fill(fresh_.begin(), fresh_.end(), false);
            freshCount_ = 0;
        }
    }
    if (!announced_) {
        announced_ = true;
        if (changed_)
            changed_();
    }
}

// ---- rasterising

void ImageSurface::ensureImage(qreal ratio)
{
    const QSize device = (size_ * ratio).expandedTo(QSize(1, 1));
    if (!image_.isNull() && image_.size() == device && image_.devicePixelRatio() == ratio)
        return;
    image_ = QImage(device, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    // Font points turn into pixels at the screen's logical resolution, as on the window.
    const int dotsPerMeter = qRound(logicalDpi_ / 0.0254);
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
    fresh_.assign(std::size_t((device.width() + tileWidth - 1) / tileWidth), false);
    freshCount_ = 0;
    grid_ = Grid::Unknown;
}

bool ImageSurface::gridStartsThePicture() const
{
    const LineRun* grid
        = operations_.empty() ? nullptr : std::get_if<LineRun>(&operations_.front().shape);
    if (!grid)
        return false;
    const qreal height = image_.height() / image_.devicePixelRatio();
    const qreal half = grid->width / 2.0;
    return std::all_of(grid->lines.begin(), grid->lines.end(), [&](const QLineF& l) {
        return l.x1() == l.x2() && std::min(l.y1(), l.y2()) - half <= 0
            && std::max(l.y1(), l.y2()) + half >= height;
    });
}

void ImageSurface::makeGridRow()
{
    const LineRun& grid = std::get<LineRun>(operations_.front().shape);
    const qreal ratio = image_.devicePixelRatio();
    const int width = image_.width();
    const qreal half = grid.width / 2.0;
    gridRow_.assign(std::size_t(width), toQColor(background_).rgb());
    for (const QLineF& l : grid.lines) {
        const int from = std::max(0, qRound((l.x1() - half) * ratio));
        const int to = std::min(width, qRound((l.x1() + half) * ratio));
        for (int c = from; c < to; ++c)
            gridRow_[std::size_t(c)] = grid.color;
    }
}

void ImageSurface::fillBackground(int fromColumn, int toColumn)
{
    const auto count = std::size_t(toColumn - fromColumn);
    const qsizetype stride = image_.bytesPerLine();
    uchar* const bits = image_.bits();
    if (grid_ == Grid::Row) {
        const QRgb* row = gridRow_.data() + fromColumn;
        for (int y = 0; y < image_.height(); ++y)
            std::copy_n(row, count, reinterpret_cast<QRgb*>(bits + y * stride) + fromColumn);
    } else {
        const QRgb back = toQColor(background_).rgb();
        for (int y = 0; y < image_.height(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(bits + y * stride) + fromColumn, count, back);
    }
}

const QImage& ImageSurface::render(const QRect& area, qreal ratio)
{
    ensureImage(ratio);
    announced_ = false;
    const int width = image_.width();
    const int from = std::max(0, int(std::floor(area.left() * ratio)));
    const int to = std::min(width, int(std::ceil((area.left() + area.width()) * ratio)));
    std::vector<int> stale;
    for (int t = from / tileWidth; from < to && t <= (to - 1) / tileWidth; ++t) {
        if (!fresh_[std::size_t(t)])
            stale.push_back(t);
    }
    if (stale.empty())
        return image_;

    if (grid_ == Grid::Unknown) {
        grid_ = gridStartsThePicture() ? Grid::Row : Grid::None;
        if (grid_ == Grid::Row)
            makeGridRow();
    }
    const bool grid = grid_ == Grid::Row;
    for (int t : stale)
        fillBackground(t * tileWidth, std::min(width, (t + 1) * tileWidth));

    const std::size_t start = grid ? 1 : 0;
    if (operations_.size() > start) {
        // Drawn in device pixels under a scale of the ratio: each tile's clip is then exactly its
        // columns. The image gets its ratio back when the painter is done.
        image_.setDevicePixelRatio(1);
        {
            QPainter p(&image_);
            TextStyle text;
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            for (int t : stale) {
                const int left = t * tileWidth, right = std::min(width, left + tileWidth);
                p.resetTransform();
                p.setClipRect(QRect(left, 0, right - left, image_.height()));
                p.setTransform(QTransform::fromScale(ratio, ratio));
                // A little beyond the tile, so that rounding never drops what reaches into it.
                const double reachLeft = (left - 2) / ratio, reachRight = (right + 2) / ratio;
                for (std::size_t i = start; i < operations_.size(); ++i) {
                    const Operation& o = operations_[i];
                    if (o.right >= reachLeft && o.left <= reachRight)
                        draw(p, text, o, reachLeft, reachRight);
                }
            }
        }
        image_.setDevicePixelRatio(ratio);
    }
    for (int t : stale)
        fresh_[std::size_t(t)] = true;
    freshCount_ += static_cast<int>(stale.size());
    return image_;
}

void ImageSurface::draw(
    QPainter& p, TextStyle& style, const Operation& o, double left, double right) const
{
    std::visit(Overloaded {
                   [&](const LineRun& run) { drawLines(p, run, left, right); },
                   [&](const Fill& fill) { p.fillRect(fill.rect, QColor::fromRgb(fill.color)); },
                   [&](const Text& text) {
                       if (style.points != text.points) { // one font and ascent per size
                           QFont font = font_;
                           font.setPointSizeF(text.points);
                           p.setFont(font);
                           style.points = text.points;
                           style.ascent = QFontMetricsF(font, &image_).ascent();
                       }
                       p.setPen(QColor::fromRgb(text.color));
                       p.drawText(QPointF(text.at.x(), text.at.y() + style.ascent), text.text);
                   },
               },
        o.shape);
}

// Upright and level lines are filled as thin boxes: the same pixels as a square-capped pen,
// without the cost of stroking each line. Slanted lines follow, stroked together.
void ImageSurface::drawLines(QPainter& p, const LineRun& run, double left, double right)
{
    const QColor c = QColor::fromRgb(run.color);
    const qreal w = run.width, half = w / 2;
    QVector<QLineF> slanted;
    for (const QLineF& l : run.lines) {
        if (std::max(l.x1(), l.x2()) + half < left || std::min(l.x1(), l.x2()) - half > right)
            continue;
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
}

const QImage& ImageSurface::image(qreal ratio)
{
    return render(QRect(QPoint(0, 0), size_), ratio);
}

QColor ImageSurface::pixelAt(float x, float y, qreal ratio)
{
    const QImage& img = image(ratio);
    const QPointF p = toPixels(x, y) * ratio;
    return img.pixelColor(qBound(0, static_cast<int>(p.x()), img.width() - 1),
        qBound(0, static_cast<int>(p.y()), img.height() - 1));
}

} // namespace kv
