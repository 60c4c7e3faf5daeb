#include "desktop.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPainter>
#include <QTranslator>

namespace kv {

QImage programIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0x00, 0x00));
    p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    const qreal bar = size / 8.0, arm = size * 0.3, c = size / 2.0;
    p.setBrush(Qt::white);
    p.drawRect(QRectF(c - arm, c - bar / 2, 2 * arm, bar));
    p.drawRect(QRectF(c - bar / 2, c - arm, bar, 2 * arm));
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : { 16, 32 })
        icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}

bool useGermanToolkitTexts(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(
            QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace kv
