// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// same_pixels A.png B.png: status 0 if the two pictures hold the same pixels, whatever their
// format and pixel ratio; 1, and where they first differ, if not; 2 if one cannot be read.
#include "image_difference.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: same_pixels A.png B.png\n");
        return 2;
    }
    const QString a = QString::fromLocal8Bit(argv[1]), b = QString::fromLocal8Bit(argv[2]);
    const QImage first(a), second(b);
    if (first.isNull() || second.isNull()) {
        std::fprintf(stderr, "same_pixels: cannot read %s\n", qPrintable(first.isNull() ? a : b));
        return 2;
    }
    const QString difference = kv::testing::imageDifference(first, second);
    if (difference.isEmpty())
        return 0;
    std::fprintf(stderr, "same_pixels: %s against %s: %s\n", qPrintable(a), qPrintable(b),
        qPrintable(difference));
    return 1;
}
