// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// kalvoster-icon DIR: writes the program's icon as DIR/16.png, 32, 48 and 256, for installing.
#include "ui/desktop.h"

#include <QDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvoster-icon DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;
    for (const int size : { 16, 32, 48, 256 }) {
        if (!kv::programIconImage(size).save(dir.filePath(QStringLiteral("%1.png").arg(size)))) {
            std::fprintf(stderr, "kalvoster-icon: cannot write %d.png\n", size);
            return 1;
        }
    }
    return 0;
}
