// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface that keeps what has been drawn since it was last cleared, and rasterises it
// on demand: only the parts that are asked for, at the pixel ratio they are asked for.
//
// The picture is kept as its drawing operations in device-independent pixels, in the order they
// were made: runs of lines, filled boxes and texts, each with its horizontal reach; consecutive
// lines of one colour and width form one run. The image is cut into
// columns (tiles) of device pixels; a tile is rasterised when a render asks for it and is stale,
// and every tile a drawing operation touches becomes stale. Panning therefore rasterises only
// the columns that come into view, and a new pixel ratio rasterises sharply at that ratio.
//
// A tile gives the same pixels as rasterising the whole picture at once: it is filled and then
// drawn with every operation that reaches it, in order, clipped to its device pixels.
//
// A picture that starts with upright lines of one colour through its whole height, such as the
// bar diagram's grid, has the same background in every row: one row is made and copied into the
// tile's rows, instead of filling the background and then each line column by column. The
// columns are those the raster engine fills for the same box: from the rounded left to the
// rounded right edge, in device pixels.
#pragma once

#include "ui/colors.h"
#include "ui/core/surface.h"
#include "ui/core/user_scale.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QVarLengthArray>
#include <QVector>
#include <functional>
#include <variant>
#include <vector>

class QPainter;

namespace kv {

class ImageSurface : public Surface {
public:
    // Device pixels per tile; the last tile may be narrower.
    static constexpr int tileWidth = 128;

    // A surface of size device-independent pixels whose coordinates are twips until Scale.
    ImageSurface(QSize size, double twipsPerPixel);

    // A new size stretches what has been drawn over it, as the scale does.
    void setSize(QSize size);
    QSize size() const { return size_; }
    void setBackground(Rgb color);
    Rgb background() const { return background_; }
    // The base font; FontSize changes only its size.
    void setFont(const QFont& font);
    const QFont& font() const { return font_; }
    // Font points turn into pixels at this resolution, the screen's logical one.
    void setLogicalDpi(int dpi);
    const UserScale& userScale() const { return scale_; }

    // Called at the first drawing after a render: what is shown is out of date.
    void setChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }
    // The owner showed the picture without rendering it (a blank one as its background): the
    // next drawing calls the handler again.
    void markShown() { announced_ = false; }

    // Nothing drawn since the last Cls, or ever: the picture is its background.
    bool isBlank() const { return operations_.empty(); }

    // The image at the pixel ratio, up to date at least within area (device-independent pixels
    // of the surface); elsewhere it may hold older drawing. The image carries the ratio.
    const QImage& render(const QRect& area, qreal ratio);
    // The whole picture at the pixel ratio.
    const QImage& image(qreal ratio);
    // The colour of the picture under a point of the user scale.
    QColor pixelAt(float x, float y, qreal ratio);
    // How many tiles the image has, and how many of them are up to date.
    int tileCount() const { return static_cast<int>(fresh_.size()); }
    int freshTileCount() const { return freshCount_; }

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

private:
    // What is kept of each drawing call, in device-independent pixels.
    struct LineRun { // consecutive lines of one colour and width, square-capped
        QRgb color;
        int width;
        QVarLengthArray<QLineF, 1> lines; // a line on its own needs no allocation
    };
    struct Fill { // a filled box
        QRgb color;
        QRectF rect;
    };
    struct Text { // a text from the top-left corner of its first character cell
        QRgb color;
        QPointF at;
        QString text;
        qreal points;
    };
    struct Operation {
        std::variant<LineRun, Fill, Text> shape;
        // The horizontal reach, for skipping the tiles it misses.
        double left, right;
    };

    // The font size the painter has, and its ascent, while a render draws texts.
    struct TextStyle {
        qreal points = -1;
        qreal ascent = 0;
    };
    enum class Grid { Unknown, None, Row };

    QPointF toPixels(float x, float y) const;
    void add(Operation operation);
    void addFill(const QRectF& box, Rgb color);
    void restart();
    void changed(double left, double right);
    void ensureImage(qreal ratio);
    bool gridStartsThePicture() const;
    void makeGridRow();
    void fillBackground(int fromColumn, int toColumn);
    void draw(
        QPainter& p, TextStyle& style, const Operation& operation, double left, double right) const;
    static void drawLines(QPainter& p, const LineRun& run, double left, double right);

    QSize size_;
    UserScale scale_;
    Rgb background_ = 0xFFFFFF;
    QFont font_;
    int logicalDpi_ = 96;
    std::function<void()> changed_;
    bool announced_ = false; // the change handler was called since the last render

    std::vector<Operation> operations_;
    float currentX_ = 0, currentY_ = 0;
    Rgb foreColor_ = 0;
    int drawWidth_ = 1;
    qreal points_ = 0; // the font size drawing uses; 0 until FontSize: the base font's

    QImage image_;
    std::vector<bool> fresh_; // per tile
    int freshCount_ = 0;
    Grid grid_ = Grid::Unknown; // whether the picture starts with a grid, once decided
    std::vector<QRgb> gridRow_; // its first row, when it does
};

} // namespace kv
