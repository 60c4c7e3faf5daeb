// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: a report split into its lines at CR LF. Compared as lists, two reports that differ
// are shown by their first differing line, actual beside expected; a line end other than CR LF
// stays inside its line, where it shows too.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string>

namespace kv::testing {

inline QStringList reportLines(const QString& text)
{
    return text.split(QStringLiteral("\r\n"));
}

inline QStringList reportLines(const std::string& text)
{
    return reportLines(QString::fromStdString(text));
}

// The lines of a report as written out in a test, each ending with CR LF.
inline QStringList reportLines(std::initializer_list<const char*> lines)
{
    QStringList list;
    for (const char* line : lines)
        list << QString::fromUtf8(line);
    return list << QString();
}

} // namespace kv::testing
