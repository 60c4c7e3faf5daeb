// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The representation search, the distance histogram and the written report.
#include "analysis/representations.h"
#include "present/report.h"
#include "report_lines.h"
#include "run_time_errors.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"

#include <QTest>
#include <memory>
#include <numeric>
#include <set>
#include <vector>

using namespace kv;
using kv::testing::errorOf;
using kv::testing::reportLines;

namespace {

struct Found {
    std::int32_t c, S, k;
    bool operator==(const Found&) const = default;
};

struct Recorder : RepresentationSink {
    std::vector<double> prepared;
    std::vector<Found> bars;
    void prepare(double n) override { prepared.push_back(n); }
    void found(std::int32_t c, std::int32_t S, std::int32_t k) override
    {
        bars.push_back({ c, S, k });
    }
};

int oddDivisors(int n)
{
    int count = 0;
    for (int d = 1; d <= n; d += 2)
        count += n % d == 0;
    return count;
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT
    std::unique_ptr<Representations> table;

    std::string run(int n)
    {
        const std::string txtN = Str(n);
        analyse(*table, txtN, nullptr);
        return reportText(*table, txtN);
    }

private slots:
    void init() { table = std::make_unique<Representations>(); }

    void workedExample15()
    {
        Recorder rec;
        analyse(*table, " 15", &rec);
        QCOMPARE(rec.prepared, std::vector<double> { 15 });
        const std::vector<Found> expected { { 0, 1, 4 }, { 1, 4, 2 }, { 2, 7, 1 }, { 3, 15, 0 } };
        QVERIFY(rec.bars == expected);
        QCOMPARE(table->Anzahl, 4);
        QCOMPARE(table->Anfang(3), 7);
        QCOMPARE(table->Ende(3), 8);
        // One pair each at the overlap 2 (1 ... 5 and 4 ... 6) and the gaps 1, 9, 0, 8 and 6.
        const std::set<int> distances { -2, 1, 9, 0, 8, 6 };
        for (int x = Representations::firstIndex; x <= Representations::lastIndex; ++x) {
            const bool pair = distances.contains(Representations::distanceAt(x));
            QCOMPARE(table->Abstand(x), pair ? 1 : 0);
        }
    }

    void reports_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("report");
        QTest::newRow("n=15 worked example")
            << 15
            << reportLines({ "Darstellungen: 4", "", " 15 =  1 + ... 5     (A =  5 )     (D =  3 )",
                   " 15 =  4 + ... 6     (A =  3 )     (D =  5 )",
                   " 15 =  7 + 8     (A =  2 )     (D =  7.5 )",
                   " 15 =  15     (A =  1 )     (D =  15 )", "", "Lücke  0  Anz.: 1",
                   "Lücke  1  Anz.: 1", "Lücke  6  Anz.: 1", "Lücke  8  Anz.: 1",
                   "Lücke  9  Anz.: 1", "", "Überlappung  2  Anz.: 1" });
        QTest::newRow("n=54 gap twice, no overlap")
            << 54
            << reportLines(
                   { "Darstellungen: 4", "", " 54 =  2 + ... 10     (A =  9 )     (D =  6 )",
                       " 54 =  12 + ... 15     (A =  4 )     (D =  13.5 )",
                       " 54 =  17 + ... 19     (A =  3 )     (D =  18 )",
                       " 54 =  54     (A =  1 )     (D =  54 )", "", "Lücke  1  Anz.: 2",
                       "Lücke  6  Anz.: 1", "Lücke  34  Anz.: 1", "Lücke  38  Anz.: 1",
                       "Lücke  43  Anz.: 1", "" });
        QTest::newRow("n=1 three empty lines at the end")
            << 1
            << reportLines(
                   { "Darstellungen: 1", "", " 1 =  1     (A =  1 )     (D =  1 )", "", "" });
        QTest::newRow("n=8 power of two") << 8
                                          << reportLines({ "Darstellungen: 1", "",
                                                 " 8 =  8     (A =  1 )     (D =  8 )", "", "" });
    }
    void reports()
    {
        QFETCH(int, n);
        QFETCH(QStringList, report);
        QCOMPARE(reportLines(run(n)), report);
    }

    void overlapCountedTwice()
    {
        const std::string report = run(75);
        QCOMPARE(table->Anzahl, 6);
        QCOMPARE(table->Abstand(Representations::indexOf(-3)), 2);
        QVERIFY(report.find("\r\nÜberlappung  3  Anz.: 2\r\n") != std::string::npos);
    }

    void largestN()
    {
        const std::string report = run(1365);
        QCOMPARE(table->Anzahl, 16);
        int pairs = 0;
        for (int x = Representations::firstIndex; x <= Representations::lastIndex; ++x)
            pairs += table->Abstand(x);
        QCOMPARE(pairs, 120);
        QVERIFY(report.starts_with(
            "Darstellungen: 16\r\n\r\n 1365 =  12 + ... 53     (A =  42 )     (D =  32.5 )\r\n"));
    }

    void aRunLeavesNoTraceOfTheLast()
    {
        run(15);
        run(8);
        QCOMPARE(table->Anzahl, 1);
        QCOMPARE(table->Anfang(1), 8);
        QCOMPARE(table->Ende(1), 8);
        for (int i = 2; i <= 120; ++i) {
            QCOMPARE(table->Anfang(i), 0);
            QCOMPARE(table->Ende(i), 0);
        }
        for (int x = Representations::firstIndex; x <= Representations::lastIndex; ++x)
            QCOMPARE(table->Abstand(x), 0);
    }

    void textWithoutNumberGivesZero()
    {
        Recorder rec;
        analyse(*table, "keine Zahl", &rec);
        QCOMPARE(table->n, 0.0);
        QCOMPARE(table->Anzahl, 0);
        QVERIFY(rec.bars.empty());
        QCOMPARE(reportLines(reportText(*table, "keine Zahl")),
            reportLines({ "Darstellungen: 0", "", "", "" }));
    }

    // Against a brute-force check for every n the selector offers.
    void everyN()
    {
        for (int n = 1; n <= 1365; ++n) {
            Recorder rec;
            analyse(*table, Str(n), &rec);
            const int count = table->Anzahl;
            if (count != oddDivisors(n))
                QFAIL(qPrintable(QStringLiteral("n=%1: %2 representations").arg(n).arg(count)));
            QCOMPARE(int(rec.bars.size()), count);
            for (int i = 1; i <= count; ++i) {
                const int a = table->Anfang(i), e = table->Ende(i);
                QCOMPARE((a + e) * (e - a + 1) / 2, n);
                QCOMPARE(rec.bars[std::size_t(i - 1)], (Found { i - 1, a, e - a }));
                if (i > 1) {
                    QVERIFY(a > table->Anfang(i - 1));
                    QVERIFY(e > table->Ende(i - 1));
                }
            }
            QCOMPARE(table->Anfang(count), n);
            QCOMPARE(table->Ende(count), n);
            int pairs = 0;
            for (int x = Representations::firstIndex; x <= Representations::lastIndex; ++x)
                pairs += table->Abstand(x);
            QCOMPARE(pairs, count * (count - 1) / 2);
        }
    }

    void boundsOfTheHistogram()
    {
        QCOMPARE(errorOf([&] { run(1456); }), 0);
        // 8 ... 54 and 1457 give index 1400 + 54 - 1457 = -3.
        QCOMPARE(errorOf([&] { run(1457); }), 9);
    }

    void tableAccessOutsideItsBoundsIsError9()
    {
        QCOMPARE(errorOf([&] { (void)table->Anfang(121); }), 9);
        QCOMPARE(errorOf([&] { (void)table->Ende(-1); }), 9);
        QCOMPARE(errorOf([&] { (void)table->Abstand(2801); }), 9);
    }
};

QTEST_APPLESS_MAIN(TestAnalysis)
#include "test_analysis.moc"
