// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user scale, and the image surface that keeps drawing operations and rasterises them tile by
// tile: its pixels against the toolkit's painter drawing the same shapes, pieces against the
// whole, and what becomes stale when.
#include "analysis/representations.h"
#include "present/bar_diagram.h"
#include "ui/core/user_scale.h"
#include "ui/image_surface.h"

#include <QPainter>
#include <QTest>
#include <cmath>
#include <memory>
#include <set>

using namespace kv;

namespace {

// The diagram's picture: 56000 x 4572 twips at 96 dpi.
const QSize diagramSize(3733, 305);

void drawDiagram(ImageSurface& surface, int n)
{
    auto table = std::make_unique<Representations>();
    BarDiagram diagram(surface);
    analyse(*table, Str(n), &diagram);
}

std::unique_ptr<ImageSurface> diagramSurface(int n)
{
    auto surface = std::make_unique<ImageSurface>(diagramSize, 15);
    surface->setBackground(0xE0E0E0);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(13.2);
    surface->setFont(font);
    drawDiagram(*surface, n);
    return surface;
}

QImage rgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestImageSurface : public QObject {
    Q_OBJECT
private slots:
    void userScale_data()
    {
        QTest::addColumn<QList<double>>("scale"); // empty: twips
        QTest::addColumn<QPointF>("user");
        QTest::addColumn<QPointF>("pixels");
        const QList<double> twips;
        using D = BarDiagram;
        const QList<double> diagram { -D::leftMargin, 0, D::leastWidth, D::rows };
        const double unit = diagramSize.width() / (D::leftMargin + D::leastWidth); // pixels
        const QList<double> flippedY { 0, 10, 10, 0 };
        const QList<double> negativeX { 10, 0, 0, 10 };
        QTest::newRow("twips origin") << twips << QPointF(0, 0) << QPointF(0, 0);
        QTest::newRow("twips inch") << twips << QPointF(1440, 720) << QPointF(96, 48);
        QTest::newRow("diagram left") << diagram << QPointF(-D::leftMargin, 0) << QPointF(0, 0);
        QTest::newRow("diagram right")
            << diagram << QPointF(D::leastWidth, D::rows) << QPointF(3733, 305);
        QTest::newRow("diagram 1") << diagram << QPointF(1, 3.5)
                                   << QPointF((1 + D::leftMargin) * unit, 3.5 * 305 / D::rows);
        QTest::newRow("flipped y top") << flippedY << QPointF(0, 10) << QPointF(0, 0);
        QTest::newRow("flipped y bottom") << flippedY << QPointF(10, 0) << QPointF(3733, 305);
        QTest::newRow("flipped y quarter")
            << flippedY << QPointF(2.5, 7.5) << QPointF(933.25, 76.25);
        QTest::newRow("negative x left") << negativeX << QPointF(10, 0) << QPointF(0, 0);
        QTest::newRow("negative x right") << negativeX << QPointF(0, 10) << QPointF(3733, 305);
        QTest::newRow("outside") << negativeX << QPointF(20, -10) << QPointF(-3733, -305);
    }
    void userScale()
    {
        QFETCH(QList<double>, scale);
        QFETCH(QPointF, user);
        QFETCH(QPointF, pixels);
        UserScale s(3733, 305, 15);
        if (!scale.isEmpty())
            s.setScale(scale[0], scale[1], scale[2], scale[3]);
        QCOMPARE(s.isTwips(), scale.isEmpty());
        const PointF p = s.toPixels(user.x(), user.y());
        QCOMPARE(QPointF(p.x, p.y), pixels);
        // At every pixel ratio, and back.
        for (double ratio : { 1.0, 1.25, 1.5, 1.75, 2.0, 3.0 }) {
            const PointF d = s.toDevice(user.x(), user.y(), ratio);
            QCOMPARE(QPointF(d.x, d.y), pixels * ratio);
            const PointF back = s.fromDevice(d.x, d.y, ratio);
            QVERIFY(std::abs(back.x - user.x()) < 1e-9 && std::abs(back.y - user.y()) < 1e-9);
        }
    }

    void userScaleWithoutExtentStaysFinite()
    {
        UserScale s(100, 50, 15);
        s.setScale(5, 0, 5, 0);
        QCOMPARE(s.toPixels(7, 3), (PointF { 0, 0 }));
        QCOMPARE(s.fromPixels(40, 20), (PointF { 5, 0 }));
        UserScale empty(0, 0, 15);
        empty.setScale(0, 0, 10, 10);
        QCOMPARE(empty.fromPixels(3, 3), (PointF { 0, 0 }));
        QCOMPARE(empty.toPixels(10, 10), (PointF { 0, 0 }));
    }

    // The grid is made from one row; its pixels are those of filling each line as a box, the
    // way the toolkit's painter fills it, with a bar drawn over it.
    void gridRowGivesThePaintersPixels_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (qreal r : { 1.0, 1.25, 1.5, 1.75, 2.0, 3.0 })
            QTest::addRow("ratio %g", r) << r;
    }
    void gridRowGivesThePaintersPixels()
    {
        QFETCH(qreal, ratio);
        using D = BarDiagram;
        // One user unit a pixel across, the grid's row 40 pixels high.
        const QSize size(int(D::leftMargin + D::leastWidth), 40);
        const double rowHeight = double(size.height()) / D::rows;
        ImageSurface surface(size, 15);
        surface.setBackground(0xE0E0E0);
        BarDiagram(surface).prepare(D::leastWidth);
        surface.Box(10, 2, 20, float(2 + D::barHeight), 0x800000);

        QImage expected((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(ratio);
        expected.fill(QColor(0xE0, 0xE0, 0xE0));
        {
            QPainter p(&expected);
            for (int x = 0; x <= D::gridEnd; ++x) // square-capped lines one pixel wide
                p.fillRect(QRectF(x + D::leftMargin - 0.5, -0.5, 1, size.height() + 1),
                    QColor(0, 0xFF, 0xFF));
            p.fillRect(QRectF(QPointF(10 + D::leftMargin, 2 * rowHeight),
                           QPointF(20 + D::leftMargin, float(2 + D::barHeight) * rowHeight)),
                QColor(0x80, 0, 0));
        }
        QCOMPARE(rgb32(surface.image(ratio)), expected);
    }

    // Rendered piece by piece, in any order, the picture is the one rendered whole.
    void piecesMakeTheWhole_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<qreal>("ratio");
        for (int n : { 15, 1365 })
            for (qreal r : { 1.0, 1.5, 2.0 })
                QTest::addRow("n=%d ratio %g", n, r) << n << r;
    }
    void piecesMakeTheWhole()
    {
        QFETCH(int, n);
        QFETCH(qreal, ratio);
        const auto whole = diagramSurface(n);
        const QImage expected = rgb32(whole->image(ratio));

        const auto pieces = diagramSurface(n);
        const int tiles = int(std::ceil(diagramSize.width() * ratio / ImageSurface::tileWidth));
        for (const QRect& area : { QRect(2000, 0, 997, 305), QRect(0, 0, 1, 1),
                 QRect(3700, 100, 33, 10), QRect(117, 0, 997, 305) }) {
            pieces->render(area, ratio);
            QVERIFY(pieces->freshTileCount() < tiles);
        }
        QCOMPARE(rgb32(pieces->image(ratio)), expected);
        QCOMPARE(pieces->freshTileCount(), tiles);
    }

    // Only what a drawing touches becomes stale; the owner hears of it once per render.
    void drawingMakesItsTilesStale()
    {
        auto surface = diagramSurface(15);
        int calls = 0;
        surface->setChangedHandler([&] { ++calls; });
        surface->image(1);
        const int tiles = surface->tileCount();
        QCOMPARE(surface->freshTileCount(), tiles);

        surface->Box(200, 1, 210, 2, 0x000080); // about 1503 to 1578 pixels: tiles 11 and 12
        surface->Box(201, 3, 209, 4, 0x008000);
        QCOMPARE(calls, 1);
        QCOMPARE(surface->freshTileCount(), tiles - 2);
        QVERIFY(surface->pixelAt(205, 1.5f, 1) == QColor(0, 0, 0x80));
        QCOMPARE(surface->freshTileCount(), tiles);
        surface->Line(300, 0, 300, 7, 0);
        QCOMPARE(calls, 2);

        // The same picture drawn in one go.
        auto fresh = diagramSurface(15);
        fresh->Box(200, 1, 210, 2, 0x000080);
        fresh->Box(201, 3, 209, 4, 0x008000);
        fresh->Line(300, 0, 300, 7, 0);
        QCOMPARE(rgb32(surface->image(1)), rgb32(fresh->image(1)));

        surface->Cls();
        QVERIFY(surface->isBlank());
        QCOMPARE(surface->freshTileCount(), 0);
        QImage blank(diagramSize, QImage::Format_RGB32);
        blank.fill(QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(rgb32(surface->image(1)), blank);
    }

    // A new size stretches what was drawn over it, as if drawn at that size: lines, slanted ones
    // too, boxes and texts.
    void newSizeStretchesTheDrawing()
    {
        const auto draw = [](ImageSurface& surface) {
            surface.setBackground(0xFFFFFF);
            QFont font(QStringLiteral("Times New Roman"));
            font.setPointSizeF(10);
            surface.setFont(font);
            surface.Scale(0, 0, 10, 10);
            surface.Cls();
            surface.Box(1, 1, 5, 5, 0x000080);
            surface.Line(0, 8, 10, 8, 0x800000);
            surface.Line(1, 9, 9, 2, 0x008000);
            surface.setCurrentX(2);
            surface.setCurrentY(6);
            surface.Print("15");
        };
        ImageSurface stretched(QSize(100, 100), 15);
        draw(stretched);
        stretched.image(1);
        stretched.setSize(QSize(200, 200));
        ImageSurface direct(QSize(200, 200), 15);
        draw(direct);
        QCOMPARE(rgb32(stretched.image(1)), rgb32(direct.image(1)));
        QCOMPARE(rgb32(stretched.image(2)), rgb32(direct.image(2)));
    }

    // Another pixel ratio rasterises the kept drawing anew: sharp edges in device pixels, no
    // scaled copy of the old image.
    void newPixelRatioRendersSharp()
    {
        ImageSurface surface(QSize(100, 100), 15);
        surface.setBackground(0xFFFFFF);
        surface.Scale(0, 0, 100, 100);
        surface.Cls();
        surface.Box(10.5f, 10.5f, 50.5f, 50.5f, 0x000080);
        surface.image(1);
        const QImage sharp = surface.image(2);
        QCOMPARE(sharp.size(), QSize(200, 200));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        std::set<QRgb> colours;
        for (int y = 0; y < sharp.height(); ++y)
            for (int x = 0; x < sharp.width(); ++x)
                colours.insert(sharp.pixel(x, y) & 0xFFFFFF);
        QCOMPARE(colours, (std::set<QRgb> { 0x000080, 0xFFFFFF }));
        QCOMPARE(sharp.pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(sharp.pixel(21, 21) & 0xFFFFFF, 0x000080u);
        QCOMPARE(sharp.pixel(100, 100) & 0xFFFFFF, 0x000080u);
        QCOMPARE(sharp.pixel(101, 101) & 0xFFFFFF, 0xFFFFFFu);
    }
};

QTEST_MAIN(TestImageSurface)
#include "test_image_surface.moc"
