// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// kalvoster-icon DIR: writes the program's icon as DIR/16.png, 32, 48, 192, 256 and 512, for
// installing (192 and 512 are what a browser asks of an installed web app), and the images of
// 16, 32, 48 and 256 as DIR/kalvoster.ico, the program's icon on Windows.
#include "ui/desktop.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

// An icon file of PNG images, largest last, as Windows reads it from Vista on.
bool writeIco(const QString& path, const QList<QByteArray>& pngs, const QList<int>& sizes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pngs.size()); // reserved, an icon, the count
    quint32 offset = 6 + 16 * quint32(pngs.size());
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        const auto side = quint8(sizes[i] >= 256 ? 0 : sizes[i]); // 0 means 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(pngs[i].size()) << offset;
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        out.writeRawData(png.constData(), int(png.size()));
    return out.status() == QDataStream::Ok;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvoster-icon DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;
    const QList<int> sizes { 16, 32, 48, 192, 256, 512 };
    const QList<int> icoSizes { 16, 32, 48, 256 };
    QList<QByteArray> pngs;
    for (const int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        const QString name = QStringLiteral("%1.png").arg(size);
        QFile file(dir.filePath(name));
        if (!buffer.open(QIODevice::WriteOnly) || !kv::programIconImage(size).save(&buffer, "PNG")
            || !file.open(QIODevice::WriteOnly) || file.write(png) != png.size()) {
            std::fprintf(stderr, "kalvoster-icon: cannot write %s\n", qPrintable(name));
            return 1;
        }
        if (icoSizes.contains(size))
            pngs << png;
    }
    if (!writeIco(dir.filePath(QStringLiteral("kalvoster.ico")), pngs, icoSizes)) {
        std::fprintf(stderr, "kalvoster-icon: cannot write kalvoster.ico\n");
        return 1;
    }
    return 0;
}
