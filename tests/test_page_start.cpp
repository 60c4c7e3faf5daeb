// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a web page passes at the start: taken where it is sound, left out where it is not, so
// that a page's mistake, or a hand-made address, starts the program as it always starts.
#include "app/web_page.h"

#include <QTest>
#include <vector>

class TestPageStart : public QObject {
    Q_OBJECT

private slots:
    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<double>("scale"); // 0: none
        QTest::addColumn<int>("n"); // 0: none
        QTest::addColumn<QString>("gap"); // null: none

        QTest::newRow("none") << QStringList {} << 0.0 << 0 << QString();
        QTest::newRow("all") << QStringList { "--scale=1.25", "--n=27", "--gap=5" } << 1.25 << 27
                             << QStringLiteral("5");
        QTest::newRow("below one") << QStringList { "--scale=0.8" } << 0.8 << 0 << QString();
        QTest::newRow("the gap as typed")
            << QStringList { "--gap=-3 ü", "--gap=" } << 0.0 << 0 << QStringLiteral("");
        QTest::newRow("n's range ends") << QStringList { "--n=1365" } << 0.0 << 1365 << QString();
        for (const char* scale : { "abc", "0", "-1", "inf", "nan", "100", "" })
            QTest::addRow("scale %s", scale)
                << QStringList { QStringLiteral("--scale=") + scale } << 0.0 << 0 << QString();
        for (const char* n : { "0", "1366", "-5", "12x", "1e3", "" })
            QTest::addRow("n %s", n)
                << QStringList { QStringLiteral("--n=") + n } << 0.0 << 0 << QString();
        QTest::newRow("other options")
            << QStringList { "--help", "--scale", "n=27", "-n=27" } << 0.0 << 0 << QString();
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(double, scale);
        QFETCH(int, n);
        QFETCH(QString, gap);
        std::vector<QByteArray> bytes { QByteArrayLiteral("kalvoster") };
        for (const QString& argument : arguments)
            bytes.push_back(argument.toUtf8());
        std::vector<const char*> argv;
        for (const QByteArray& argument : bytes)
            argv.push_back(argument.constData());

        const kv::page::Start start = kv::page::parseStart(int(argv.size()), argv.data());
        QCOMPARE(start.scale.value_or(0.0), scale);
        QCOMPARE(start.n.value_or(0), n);
        QCOMPARE(start.gap.value_or(QString()), gap);
        QCOMPARE(start.gap.has_value(), !gap.isNull());
    }
};

QTEST_APPLESS_MAIN(TestPageStart)
#include "test_page_start.moc"
