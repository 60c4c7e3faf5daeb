// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Str, Val, rounding to integers and the palette.
#include "run_time_errors.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace kv;
using kv::testing::errorOf;

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void str_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("negative zero") << -0.0 << " 0";
        QTest::newRow("5") << 5.0 << " 5";
        QTest::newRow("1365") << 1365.0 << " 1365";
        QTest::newRow("-1") << -1.0 << "-1";
        QTest::newRow("half") << 7.5 << " 7.5";
        QTest::newRow("mean 13.5") << 54.0 / 4 << " 13.5";
        QTest::newRow("below one keeps its zero") << 0.5 << " 0.5";
        QTest::newRow("negative below one") << -0.5 << "-0.5";
        QTest::newRow("15 digits, no noise") << 1.2 - 1 << " 0.2";
        QTest::newRow("a third") << 1.0 / 3 << " 0.333333333333333";
        QTest::newRow("largest plain") << 999999999999999.0 << " 999999999999999";
        QTest::newRow("exponent form large") << 1e15 << " 1E+15";
        QTest::newRow("exponent form huge") << -2.5e300 << "-2.5E+300";
        QTest::newRow("smallest plain") << 0.0001 << " 0.0001";
        QTest::newRow("exponent form small") << 0.00005 << " 5E-05";
        QTest::newRow("tiny") << 1e-300 << " 1E-300";
    }
    void str()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(Str(value)), text);
    }

    void strOfNonFiniteIsOverflow()
    {
        QCOMPARE(errorOf([] { Str(std::numeric_limits<double>::infinity()); }), 6);
        QCOMPARE(errorOf([] { Str(std::nan("")); }), 6);
    }

    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("only blanks") << "   " << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("Str of n") << " 27" << 27.0;
        QTest::newRow("plain") << "15" << 15.0;
        QTest::newRow("blanks inside") << "1 2" << 12.0;
        QTest::newRow("tabs and line feeds") << "\t1\n2 . 5" << 12.5;
        QTest::newRow("sign then blank") << "- 5" << -5.0;
        QTest::newRow("plus sign") << "+3" << 3.0;
        QTest::newRow("stops at a letter") << "12abc" << 12.0;
        QTest::newRow("stops at a second point") << "1.2.3" << 1.2;
        QTest::newRow("fraction only") << ".5" << 0.5;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("exponent e") << "2.5e1" << 25.0;
        QTest::newRow("exponent E with sign") << "25E-1" << 2.5;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("exponent sign without digits") << "1e+x" << 1.0;
        QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("non-ASCII stops") << "4ü5" << 4.0;
        QTest::newRow("non-ASCII only") << "Überlappung" << 0.0;
        QTest::newRow("no hexadecimal") << "0x10" << 0.0;
        QTest::newRow("no infinity") << "inf" << 0.0;
        QTest::newRow("tiny underflows to zero") << "1e-999" << 0.0;
        QTest::newRow("leading zeros") << "000000000000000000000000000042" << 42.0;
        QTest::newRow("largest double") << "1.7976931348623157e308" << 1.7976931348623157e308;
        QTest::newRow("halves for rounding") << "2.5" << 2.5;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Val(text.toStdString()), value);
    }

    void valOverflowIsError6_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("1e999") << "1e999";
        QTest::newRow("-1e309") << "-1e309";
        QTest::newRow("huge exponent") << "1e99999999999999999999";
        QTest::newRow("400 digits") << QString(400, QLatin1Char('9'));
    }
    void valOverflowIsError6()
    {
        QFETCH(QString, text);
        QCOMPARE(errorOf([&] { Val(text.toStdString()); }), 6);
    }

    void valOfLongTexts()
    {
        // A pasted 100 kB text reads in one pass.
        QCOMPARE(Val(std::string(100000, 'x')), 0.0);
        QCOMPARE(Val("0." + std::string(100000, '0') + "1"), 0.0);
        QCOMPARE(Val(std::string(100000, ' ') + "7"), 7.0);
        QCOMPARE(Val("1." + std::string(100000, '5')), 1.5555555555555556);
    }

    void shownValuesReadBack_data()
    {
        QTest::addColumn<double>("value");
        for (double v : { 0.1, 1.0 / 3, 2.0 / 3, 7.5, -1401.0, 1e15, 1e-5, 123456.789,
                 6.02214076e23, -9.87654321e-300, 1.7976931348623157e308, 4.9e-324 })
            QTest::addRow("%g", v) << v;
    }
    void shownValuesReadBack()
    {
        QFETCH(double, value);
        const std::string shown = Str(value);
        QCOMPARE(Str(Val(shown)), shown);
    }

    void toInt32_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5 to even 0") << 0.5 << 0;
        QTest::newRow("1.5 to even 2") << 1.5 << 2;
        QTest::newRow("2.5 to even 2") << 2.5 << 2;
        QTest::newRow("-0.5 to even 0") << -0.5 << 0;
        QTest::newRow("-1.5 to even -2") << -1.5 << -2;
        QTest::newRow("1398.5 to even 1398") << 1398.5 << 1398;
        QTest::newRow("nearest") << 2.6 << 3;
        QTest::newRow("largest") << 2147483647.4 << 2147483647;
        QTest::newRow("smallest") << -2147483648.0 << int(-2147483647 - 1);
    }
    void toInt32()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(kv::toInt32(value), rounded);
    }

    void toIntegerOutOfRangeIsError6()
    {
        QCOMPARE(errorOf([] { kv::toInt32(2147483647.5); }), 6);
        QCOMPARE(errorOf([] { kv::toInt32(-2147483649.0); }), 6);
        QCOMPARE(errorOf([] { kv::toInt32(1e300); }), 6);
        QCOMPARE(errorOf([] { kv::toInt32(std::nan("")); }), 6);
        QCOMPARE(errorOf([] { kv::toInt16(32767.5); }), 6);
        QCOMPARE(kv::toInt16(-32768.4), std::int16_t(-32768));
    }

    void palette()
    {
        QCOMPARE(QBColor(0), 0x000000u);
        QCOMPARE(QBColor(1), 0x000080u);
        QCOMPARE(QBColor(6), 0x808000u);
        QCOMPARE(QBColor(7), 0xC0C0C0u);
        QCOMPARE(QBColor(11), 0x00FFFFu);
        QCOMPARE(QBColor(15), 0xFFFFFFu);
        QCOMPARE(errorOf([] { QBColor(16); }), 5);
        QCOMPARE(errorOf([] { QBColor(-1); }), 5);
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "test_conversions.moc"
