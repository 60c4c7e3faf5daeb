// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where two pictures first differ, in their plain pixels (whatever their format and pixel
// ratio): their sizes, or the first pixel in reading order with both colours. Empty when they
// hold the same pixels.
#pragma once

#include <QImage>
#include <QString>

namespace kv::testing {

inline QString imageDifference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("%1x%2 pixels, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowE = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if ((rowA[x] & 0xFFFFFF) != (rowE[x] & 0xFFFFFF))
                return QStringLiteral("pixel (%1, %2) is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(rowA[x] & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                    .arg(rowE[x] & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    }
    return {};
}

} // namespace kv::testing
