// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The gap search and the "+" / "-" buttons, against a window made of the analysis alone.
#include "analysis/representations.h"
#include "search/gap_search.h"
#include "ui/core/conversions.h"
#include "ui/core/runtime_error.h"

#include <QTest>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

using namespace kv;

namespace {

struct FakeWindow : SearchWindow {
    std::int16_t n = 15;
    std::string luecke = "0";
    bool isEnding = false;
    int changes = 0;
    std::unique_ptr<Representations> table = std::make_unique<Representations>();

    std::int16_t value() const override { return n; }
    std::int16_t maximum() const override { return 1365; }
    void setValue(std::int16_t v) override
    {
        if (v == n)
            return;
        n = v;
        ++changes;
        analyse(*table, Str(n), nullptr);
    }
    std::string gapText() const override { return luecke; }
    std::int32_t distanceCount(std::int32_t index) const override { return table->Abstand(index); }
    bool ending() const override { return isEnding; }
};

// Drives the searches as the window's event loop does: between two steps, whatever the user
// does; records how each search ended.
struct Driver {
    explicit Driver(FakeWindow& window)
        : w(window)
    {
    }
    FakeWindow& w;
    GapSearches searches { w };
    std::vector<SearchEnd> ends;
    int between = 0;

    SearchEnd run(const std::function<void()>& user = {})
    {
        if (const auto end = searches.start())
            return *end;
        for (;;) {
            ++between;
            if (user)
                user();
            if (const auto end = searches.step()) {
                ends.push_back(*end);
                if (searches.running() == 0)
                    return *end;
            }
        }
    }
};

} // namespace

Q_DECLARE_METATYPE(kv::SearchEnd)

class TestGapSearch : public QObject {
    Q_OBJECT
private slots:
    void stops_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("luecke");
        QTest::addColumn<int>("stop");
        QTest::addColumn<SearchEnd>("end");
        QTest::newRow("14, adjacent: one step") << 14 << "0" << 15 << SearchEnd::Hit;
        QTest::newRow("15, adjacent: not 15 itself") << 15 << "0" << 27 << SearchEnd::Hit;
        QTest::newRow("1, adjacent") << 1 << "0" << 3 << SearchEnd::Hit;
        QTest::newRow("1, gap 1") << 1 << "1" << 5 << SearchEnd::Hit;
        QTest::newRow("1, overlap 1") << 1 << "-1" << 9 << SearchEnd::Hit;
        QTest::newRow("gap 1399 runs to the maximum") << 1 << "1399" << 1365 << SearchEnd::Maximum;
        QTest::newRow("no number means 0") << 14 << "Lücke?" << 15 << SearchEnd::Hit;
        QTest::newRow("text as the user types it") << 1 << " 1 " << 5 << SearchEnd::Hit;
        QTest::newRow("gap 1400: one step, then stop")
            << 15 << "1400" << 16 << SearchEnd::InvalidGap;
        QTest::newRow("overlap 1402: one step, then stop")
            << 15 << "-1402" << 16 << SearchEnd::InvalidGap;
        QTest::newRow("too large for the index") << 15 << "1e300" << 16 << SearchEnd::InvalidGap;
        QTest::newRow("too large for Val") << 15 << "1e999" << 16 << SearchEnd::InvalidGap;
        QTest::newRow("invalid in the step to the maximum")
            << 1364 << "5000" << 1365 << SearchEnd::InvalidGap;
        QTest::newRow("at the maximum nothing, not even an error")
            << 1365 << "5000" << 1365 << SearchEnd::AlreadyAtMaximum;
    }
    void stops()
    {
        QFETCH(int, start);
        QFETCH(QString, luecke);
        QFETCH(int, stop);
        QFETCH(SearchEnd, end);
        FakeWindow w;
        w.n = static_cast<std::int16_t>(start);
        w.luecke = luecke.toStdString();
        Driver driver(w);
        QCOMPARE(driver.run(), end);
        QCOMPARE(int(w.n), stop);
        QCOMPARE(driver.between, stop - start); // a turn of the event loop after every step
        QCOMPARE(w.changes, stop - start);
    }

    void gapIndex_data()
    {
        QTest::addColumn<QString>("luecke");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << "0" << 1399;
        QTest::newRow("0.5 uses the gap of 1") << "0.5" << 1398;
        QTest::newRow("1.5 uses the gap of 1") << "1.5" << 1398;
        QTest::newRow("2.5 uses the gap of 3") << "2.5" << 1396;
        QTest::newRow("largest gap") << "1399" << 0;
        QTest::newRow("largest overlap") << "-1401" << 2800;
        QTest::newRow("1399.5 rounds to even 0") << "1399.5" << 0;
        QTest::newRow("-1401.5 rounds to even 2800") << "-1401.5" << 2800;
    }
    void gapIndex()
    {
        QFETCH(QString, luecke);
        QFETCH(int, index);
        QCOMPARE(kv::gapIndex(luecke.toStdString()), index);
    }

    void gapIndexOutOfRange()
    {
        for (const char* text : { "1400", "-1402", "1e300", "1e999" })
            QVERIFY_THROWS_EXCEPTION(RuntimeError, kv::gapIndex(text));
    }

    void plusAndMinus_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("plus");
        QTest::addColumn<QString>("minus");
        QTest::newRow("0") << "0"
                           << " 1"
                           << "-1";
        QTest::newRow("-1") << "-1"
                            << " 0"
                            << "-2";
        QTest::newRow("no number") << "abc"
                                   << " 1"
                                   << "-1";
        QTest::newRow("empty") << ""
                               << " 1"
                               << "-1";
        QTest::newRow("fraction") << "2.5"
                                  << " 3.5"
                                  << " 1.5";
        QTest::newRow("blanks") << " 1 2 "
                                << " 13"
                                << " 11";
    }
    void plusAndMinus()
    {
        QFETCH(QString, before);
        QFETCH(QString, plus);
        QFETCH(QString, minus);
        QCOMPARE(QString::fromStdString(gapPlus(before.toStdString())), plus);
        QCOMPARE(QString::fromStdString(gapMinus(before.toStdString())), minus);
    }

    void plusOnTooLargeTextIsError6()
    {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, gapPlus("1e999"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, gapMinus("-1e999"));
    }

    // A second search started while one runs: it runs alone, and both end at the same n.
    void secondSearch()
    {
        FakeWindow w;
        w.n = 1;
        Driver driver(w);
        const auto secondAfterTheFirstStep = [&] {
            if (driver.between == 1)
                QVERIFY(!driver.searches.start());
        };
        QCOMPARE(driver.run(secondAfterTheFirstStep), SearchEnd::Hit);
        QCOMPARE(driver.ends, (std::vector { SearchEnd::Hit, SearchEnd::Hit }));
        QCOMPARE(w.n, std::int16_t(3));
    }

    void gapChangedBetweenSteps()
    {
        FakeWindow w;
        w.n = 1;
        QCOMPARE(Driver(w).run([&] { w.luecke = "1"; }), SearchEnd::Hit);
        QCOMPARE(w.n, std::int16_t(5)); // 3 has an adjacent pair, but L is 1 by then
    }

    void nChangedBetweenSteps()
    {
        FakeWindow w;
        w.n = 1;
        bool moved = false;
        const auto pick20 = [&] {
            if (!std::exchange(moved, true))
                w.setValue(20); // the user picks 20 while the search runs
        };
        QCOMPARE(Driver(w).run(pick20), SearchEnd::Hit);
        QCOMPARE(w.n, std::int16_t(27)); // on from 20, not from 2: 3 would have been a hit
    }

    void endingBetweenStepsEndsEverySearch()
    {
        FakeWindow w;
        w.n = 1;
        w.luecke = "1399";
        Driver driver(w);
        const auto secondSearchThenTheEnd = [&] {
            if (driver.between == 2)
                QVERIFY(!driver.searches.start());
            if (driver.between == 10)
                w.isEnding = true;
        };
        QCOMPARE(driver.run(secondSearchThenTheEnd), SearchEnd::Ending);
        QCOMPARE(driver.searches.running(), 0);
        QCOMPARE(w.n, std::int16_t(12)); // the second search moved n once more
    }
};

QTEST_APPLESS_MAIN(TestGapSearch)
#include "test_gap_search.moc"
