// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop.h"

#include "accessibility.h"
#include "scroll_bar.h"

#include "kalvoster/version.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>
#include <QTranslator>

namespace kv {

namespace {

    void useLightLook()
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        // Asks the desktop's theme for its light variant too, for what it draws itself.
        QGuiApplication::styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
        if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
            QApplication::setStyle(fusion);
        QApplication::setPalette(lightPalette());
    }

    // The system's toolkit texts; where the toolkit is built into the program (on Windows),
    // those built in with it.
    bool useGermanToolkitTexts(QCoreApplication& app)
    {
        auto* translator = new QTranslator(&app);
        if (!translator->load(
                QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
            && !translator->load(QStringLiteral("qtbase_de"), QStringLiteral(":/translations"))) {
            delete translator;
            return false;
        }
        QCoreApplication::installTranslator(translator);
        return true;
    }

    // The fonts built into the program, where the platform has no font folders to read (in the
    // browser): every file under :/fonts.
    void addBuiltInFonts()
    {
        const QDir fonts(QStringLiteral(":/fonts"));
        for (const QString& name : fonts.entryList(QDir::Files))
            QFontDatabase::addApplicationFont(fonts.filePath(name));
    }

} // namespace

bool setUpApplication(QApplication& app)
{
    // The layout is measured in Times New Roman; where it is missing (the offscreen platform,
    // which reads only the fonts of a folder), Liberation Serif has its metrics.
    addBuiltInFonts();
    QFont::insertSubstitution(
        QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QCoreApplication::setApplicationName(QStringLiteral("Kalvoster"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(version));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kalvoster.Kalvoster"));
    useLightLook();
    createClassicLook(app);
    installAccessibility();
    return useGermanToolkitTexts(app);
}

QPalette lightPalette()
{
    // Fusion's light colours, as the toolkit shows them where no desktop theme speaks. The style's
    // own standard palette cannot serve: it follows the desktop's theme, dark ones included.
    const QColor window(0xEF, 0xEF, 0xEF), disabledText(0xBE, 0xBE, 0xBE);
    const QColor highlight(0x30, 0x8C, 0xC6), disabledHighlight(0x91, 0x91, 0x91);
    QPalette p(Qt::black, window, Qt::white, QColor(0x9F, 0x9F, 0x9F), QColor(0xB8, 0xB8, 0xB8),
        Qt::black, Qt::white, Qt::white, window);
    p.setColor(QPalette::Midlight, QColor(0xCA, 0xCA, 0xCA));
    p.setColor(QPalette::Shadow, QColor(0x76, 0x76, 0x76));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, Qt::blue);
    p.setColor(QPalette::LinkVisited, Qt::magenta);
    p.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    p.setColor(QPalette::NoRole, Qt::black);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 0x80));
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    p.setColor(QPalette::Accent, highlight);
    p.setColor(QPalette::Disabled, QPalette::Accent, disabledHighlight);
#endif
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Dark })
        p.setColor(QPalette::Disabled, role, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Shadow, QColor(0xB1, 0xB1, 0xB1));
    p.setColor(QPalette::Disabled, QPalette::Highlight, disabledHighlight);
    return p;
}

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

} // namespace kv
