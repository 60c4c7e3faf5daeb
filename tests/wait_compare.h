// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: waits, handling events, until a value reaches what is expected, then compares the
// two, so that a failure shows both. Qt's QTRY_COMPARE narrows its timeout inside its expansion
// on newer Qt releases, which -Wconversion reports in the test's own code.
#pragma once

#include <QTest>

#define KV_TRY_COMPARE(actual, expected)                                                           \
    do {                                                                                           \
        static_cast<void>(QTest::qWaitFor([&] { return (actual) == (expected); }, 5000));          \
        QCOMPARE(actual, expected);                                                                \
    } while (false)
