// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The bar diagram and the factorisation, as recorded drawing calls.
#include "analysis/representations.h"
#include "factor/factorisation.h"
#include "present/bar_diagram.h"
#include "ui/core/recording_surface.h"

#include <QTest>
#include <memory>

using namespace kv;

namespace kv {
// Lets QCOMPARE print a drawing call.
char* toString(const DrawOp& op)
{
    return qstrdup(describe(op).c_str());
}
} // namespace kv

namespace {

constexpr Rgb black = 0x000000, white = 0xFFFFFF, lightCyan = 0x00FFFF;

// What was drawn after the grid: bars, lines and labels.
std::vector<DrawOp> barsOf(int n, RecordingSurface& surface)
{
    auto table = std::make_unique<Representations>();
    BarDiagram diagram(surface);
    analyse(*table, Str(n), &diagram);
    return { surface.ops.begin() + 2 + BarDiagram::gridLines, surface.ops.end() };
}

RecordingSurface factorisationOf(const char* txtN)
{
    RecordingSurface surface;
    drawFactorisation(surface, txtN);
    return surface;
}

// One call of the factorisation drawing as a worked example writes it: a text printed at
// (x, y) in a font size, or the dot between two factors at x. Positions are exact fractions; the
// drawing adds its fractions up in double precision and hands them on in single precision.
struct Drawn {
    bool isDot = false;
    QString text;
    double x = 0, y = 0;
    float size = 0;

    bool matches(const DrawOp& op) const
    {
        const auto near = [](double a, double b) { return std::abs(a - b) < 1e-6; };
        if (isDot) {
            const auto* p = std::get_if<PSetOp>(&op);
            return p && near(p->x, x) && p->y == 17.0f && p->drawWidth == 2;
        }
        const auto* p = std::get_if<PrintOp>(&op);
        return p && QString::fromStdString(p->text) == text && near(p->x, x) && near(p->y, y)
            && p->fontSize == size;
    }

    QString describe() const
    {
        const QString at = QString::number(x, 'g', 17);
        return isDot ? QStringLiteral("dot at x %1, y 17, width 2").arg(at)
                     : QStringLiteral("print \"%1\" at (%2, %3) in size %4")
                           .arg(text, at, QString::number(y))
                           .arg(size);
    }
};

Drawn print(const char* text, double x, double y, float size)
{
    return { false, QString::fromLatin1(text), x, y, size };
}

Drawn dot(double x)
{
    return { true, {}, x, 17, 0 };
}

} // namespace

Q_DECLARE_METATYPE(Drawn)

class TestDrawings : public QObject {
    Q_OBJECT
private slots:
    void diagramPreparation()
    {
        RecordingSurface s;
        barsOf(15, s);
        QCOMPARE(s.ops[0], DrawOp(ScaleOp { -3, 0, 500, 7 }));
        QCOMPARE(s.ops[1], DrawOp(ClsOp {}));
        for (int x = 0; x <= BarDiagram::gridEnd; ++x)
            QCOMPARE(
                s.ops[std::size_t(2 + x)], DrawOp(LineOp { float(x), 0, float(x), 7, lightCyan }));
    }

    void diagramWorkedExample15()
    {
        RecordingSurface s;
        const std::vector<DrawOp> expected {
            BoxOp { 0, 0, 5, 0.9f, 0x000000 },
            LineOp { 0, 0, 0, 7, black },
            PrintOp { " 1 ", -0.5f, 0.2f, 0, white },
            PrintOp { " 5 ", 5, 0.2f, 0, black },
            BoxOp { 3, 2, 6, 2.9f, 0x000080 },
            LineOp { 3, 0, 3, 7, black },
            PrintOp { " 4 ", 2.5f, 2.2f, 0, white },
            PrintOp { " 6 ", 6, 2.2f, 0, black },
            BoxOp { 6, 4, 8, 4.9f, 0x008000 },
            LineOp { 6, 0, 6, 7, black },
            PrintOp { " 7 ", 5.5f, 4.2f, 0, white },
            PrintOp { " 8 ", 8, 4.2f, 0, black },
            BoxOp { 14, 6, 15, 6.9f, 0x008080 },
            LineOp { 14, 0, 14, 7, black },
            PrintOp { " 15 ", 13.5f, 6.2f, 0, white },
        };
        const auto drawn = barsOf(15, s);
        QCOMPARE(drawn.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            QVERIFY2(drawn[i] == expected[i],
                (describe(drawn[i]) + " != " + describe(expected[i])).c_str());
        QCOMPARE(s.foreColor, black); // stays black after the run
    }

    void diagramRowsAndColoursRepeatAfterSeven()
    {
        RecordingSurface s;
        barsOf(1365, s);
        QCOMPARE(s.ops[0], DrawOp(ScaleOp { -3, 0, 1365, 7 }));
        const auto boxes = s.only<BoxOp>();
        QCOMPARE(boxes.size(), std::size_t(16));
        const int rows[] = { 0, 2, 4, 6, 1, 3, 5 };
        for (std::size_t c = 0; c < boxes.size(); ++c) {
            QCOMPARE(boxes[c].y1, float(rows[c % 7]));
            QCOMPARE(boxes[c].color, QBColor(int(c % 7)));
        }
        QCOMPARE(boxes.back().x1, 1364.0f);
        QCOMPARE(boxes.back().x2, 1365.0f);
        QCOMPARE(s.only<LineOp>().size(), std::size_t(BarDiagram::gridLines + 16));
    }

    void diagramPowerOfTwo()
    {
        RecordingSurface s;
        const auto drawn = barsOf(1024, s);
        QCOMPARE(s.ops[0], DrawOp(ScaleOp { -3, 0, 1024, 7 }));
        QCOMPARE(drawn.size(), std::size_t(3));
        QCOMPARE(drawn[0], DrawOp(BoxOp { 1023, 0, 1024, 0.9f, black }));
        QCOMPARE(drawn[1], DrawOp(LineOp { 1023, 0, 1023, 7, black }));
        QCOMPARE(drawn[2], DrawOp(PrintOp { " 1024 ", 1022.5f, 0.2f, 0, white }));
    }

    void diagramWidth()
    {
        RecordingSurface s500, s501;
        barsOf(500, s500);
        barsOf(501, s501);
        QCOMPARE(s500.ops[0], DrawOp(ScaleOp { -3, 0, 500, 7 }));
        QCOMPARE(s501.ops[0], DrawOp(ScaleOp { -3, 0, 501, 7 }));
    }

    void factorisationWorkedExamples_data()
    {
        QTest::addColumn<QString>("txtN");
        QTest::addColumn<QList<Drawn>>("drawn");
        QTest::newRow("n=15") << " 15"
                              << QList<Drawn> { print(" 15 =", 0, 10, 18),
                                     print(" 3 ", 0.125, 10, 18), print(" 1 ", 61.0 / 360, 8, 14),
                                     dot(17.0 / 72), print(" 5 ", 17.0 / 72, 10, 18),
                                     print(" 1 ", 101.0 / 360, 8, 14) };
        QTest::newRow("n=12") << " 12"
                              << QList<Drawn> { print(" 12 =", 0, 10, 18),
                                     print(" 2 ", 0.125, 10, 18), print(" 2 ", 61.0 / 360, 8, 14),
                                     dot(17.0 / 72), print(" 3 ", 17.0 / 72, 10, 18),
                                     print(" 1 ", 101.0 / 360, 8, 14) };
        QTest::newRow("n=128") << " 128"
                               << QList<Drawn> { print(" 128 =", 0, 10, 18),
                                      print(" 2 ", 1.0 / 6, 10, 18),
                                      print(" 7 ", 19.0 / 90, 8, 14) };
        QTest::newRow("n=1 heading only") << " 1" << QList<Drawn> { print(" 1 =", 0, 10, 18) };
        QTest::newRow("prime 7") << " 7"
                                 << QList<Drawn> { print(" 7 =", 0, 10, 18),
                                        print(" 7 ", 1.0 / 12, 10, 18),
                                        print(" 1 ", 23.0 / 180, 8, 14) };
        QTest::newRow("n=1024 wide exponent")
            << " 1024"
            << QList<Drawn> { print(" 1024 =", 0, 10, 18), print(" 2 ", 5.0 / 24, 10, 18),
                   print(" 10 ", 91.0 / 360, 8, 14) };
        QTest::newRow("n=1365 four factors")
            << " 1365"
            << QList<Drawn> { print(" 1365 =", 0, 10, 18), print(" 3 ", 5.0 / 24, 10, 18),
                   print(" 1 ", 91.0 / 360, 8, 14), dot(23.0 / 72), print(" 5 ", 23.0 / 72, 10, 18),
                   print(" 1 ", 131.0 / 360, 8, 14), dot(31.0 / 72),
                   print(" 7 ", 31.0 / 72, 10, 18), print(" 1 ", 19.0 / 40, 8, 14), dot(13.0 / 24),
                   print(" 13 ", 13.0 / 24, 10, 18), print(" 1 ", 73.0 / 120, 8, 14) };
    }
    void factorisationWorkedExamples()
    {
        QFETCH(QString, txtN);
        QFETCH(QList<Drawn>, drawn);
        const RecordingSurface s = factorisationOf(txtN.toLatin1().constData());
        QCOMPARE(s.ops.front(), DrawOp(ClsOp {}));
        QCOMPARE(qsizetype(s.ops.size()), drawn.size() + 1);
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            const DrawOp& op = s.ops[std::size_t(i + 1)];
            const QString where = QStringLiteral("call %1:\n   expected %2\n   drawn    %3");
            const QString actual = QString::fromStdString(describe(op));
            QVERIFY2(drawn[i].matches(op),
                qPrintable(where.arg(i + 1).arg(drawn[i].describe(), actual)));
        }
        QCOMPARE(s.fontSize, 18.0f); // left at 18 for the next drawing
    }

    void factorisationNothingBelowOne_data()
    {
        QTest::addColumn<QString>("txtN");
        QTest::newRow("zero") << " 0";
        QTest::newRow("negative") << "-12";
        QTest::newRow("no number") << "abc";
    }
    void factorisationNothingBelowOne()
    {
        QFETCH(QString, txtN);
        const RecordingSurface s = factorisationOf(txtN.toLatin1().constData());
        QCOMPARE(s.ops.size(), std::size_t(1));
        QCOMPARE(s.ops.front(), DrawOp(ClsOp {}));
    }

    // A failing surface ends the drawing silently; what was drawn before stays.
    void factorisationTrapsErrors_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<int>("opsKept");
        QTest::newRow("at the heading") << 4 << 1; // Cls, X, Y, FontSize, then Print fails
        QTest::newRow("at the first exponent") << 10 << 3; // Cls, heading, factor 3
        QTest::newRow("at the dot") << 17 << 4; // ... exponent 1
        QTest::newRow("at the last exponent") << 25 << 6;
        QTest::newRow("at the last position") << 28 << 7;
    }
    void factorisationTrapsErrors()
    {
        QFETCH(int, failAt);
        QFETCH(int, opsKept);
        RecordingSurface s;
        s.failAtCall = failAt;
        drawFactorisation(s, " 15");
        QCOMPARE(int(s.ops.size()), opsKept);
    }

    void factorisationDescription_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing below 1") << 0 << "";
        QTest::newRow("1") << 1 << "1 hat keine Primfaktoren";
        QTest::newRow("prime") << 1361 << "1361 = 1361 hoch 1";
        QTest::newRow("1024") << 1024 << "1024 = 2 hoch 10";
        QTest::newRow("1365") << 1365 << "1365 = 3 hoch 1 mal 5 hoch 1 mal 7 hoch 1 mal 13 hoch 1";
    }
    void factorisationDescription()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(describeFactorisation(n)), text);
    }

    void factorisationOfTooLargeTextIsError6()
    {
        RecordingSurface s;
        QVERIFY_THROWS_EXCEPTION(RuntimeError, drawFactorisation(s, " 3000000000"));
    }
};

QTEST_APPLESS_MAIN(TestDrawings)
#include "test_drawings.moc"
