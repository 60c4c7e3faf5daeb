// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// kalvoster-snapshot FILE.png [n]: opens the main window, selects n (if given) through the
// scroll bar as a user would, waits until the window is shown and saves a picture of it.
//
// kalvoster-snapshot --parts DIR [n]: the same, but writes what the window shows in parts, to
// compare one platform with another: texts.txt (every control's text), picausgabe.ppm and
// picZeichenblatt.ppm (the two drawings as seen, plain pixels without metadata), window.png,
// and platform.txt (the platform it ran on).
//
// kalvoster-snapshot --copy DRAWING FILE.png [n]: the same, then writes the whole picture of the
// drawing (picausgabe or picZeichenblatt) to FILE.png, gives the drawing the focus, presses the
// platform's Copy key on it, prints "copied" and goes on serving the clipboard until it is ended.
//
// kalvoster-snapshot --same-pixels A.png B.png: status 0 if the two pictures have the same
// pixels, else 1.
#include "form1.h"
#include "ui/desktop.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QTextStream>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <cstring>

namespace {

// What the window shows as text, control by control, in the order the window made them.
QString textsOf(const kv::Form1& window)
{
    QString texts;
    QTextStream out(&texts);
    out << "Form1: " << window.windowTitle() << '\n';
    for (const QAction* action : window.menuBar()->actions())
        out << "menu: " << action->text() << '\n';
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        QString text;
        if (const auto* box = qobject_cast<const kv::MultiLineTextBox*>(w))
            text = box->text();
        else if (const auto* line = qobject_cast<const kv::TextBox*>(w))
            text = line->text();
        else if (const auto* label = qobject_cast<const QLabel*>(w))
            text = label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            text = button->text();
        else
            continue;
        if (!w->objectName().isEmpty())
            out << w->objectName() << ": " << text.replace(QStringLiteral("\r\n"), "|") << '\n';
    }
    return texts;
}

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

// The pixels of a widget as drawn, in a format without metadata, so that equal files mean
// equal pixels.
bool writePixels(const QString& path, QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32).save(path, "PPM");
}

bool writeParts(const QString& dir, kv::Form1& window)
{
    return QDir().mkpath(dir) && writeFile(dir + "/texts.txt", textsOf(window))
        && writeFile(dir + "/platform.txt", QGuiApplication::platformName() + '\n')
        && writePixels(dir + "/picausgabe.ppm", window.controls().picausgabe)
        && writePixels(dir + "/picZeichenblatt.ppm", window.controls().picZeichenblatt)
        && window.grab().save(dir + "/window.png");
}

// Whether two pictures hold the same pixels, whatever their format and pixel ratio.
int samePixels(const QString& a, const QString& b)
{
    QImage first(a), second(b);
    if (first.isNull() || second.isNull()) {
        std::fprintf(
            stderr, "kalvoster-snapshot: cannot read %s\n", qPrintable(first.isNull() ? a : b));
        return 2;
    }
    first = first.convertToFormat(QImage::Format_RGB32);
    second = second.convertToFormat(QImage::Format_RGB32);
    first.setDevicePixelRatio(1);
    second.setDevicePixelRatio(1);
    if (first == second)
        return 0;
    std::fprintf(stderr, "kalvoster-snapshot: %s (%dx%d) and %s (%dx%d) differ\n", qPrintable(a),
        first.width(), first.height(), qPrintable(b), second.width(), second.height());
    return 1;
}

// Copies a drawing as a user would, with the Copy key on it, and serves the clipboard.
int copyDrawing(QApplication& app, kv::Form1& window, const QString& drawing, const QString& file)
{
    auto* box = window.findChild<kv::PictureBox*>(drawing);
    if (!box || !box->copyMenu()) {
        std::fprintf(stderr, "kalvoster-snapshot: %s is no drawing\n", qPrintable(drawing));
        return 2;
    }
    if (!box->wholePicture().save(file)) {
        std::fprintf(stderr, "kalvoster-snapshot: cannot write %s\n", qPrintable(file));
        return 1;
    }
    box->setFocus();
    const QKeyCombination copy = QKeySequence(QKeySequence::Copy)[0];
    QKeyEvent press(QEvent::KeyPress, copy.key(), copy.keyboardModifiers());
    QKeyEvent release(QEvent::KeyRelease, copy.key(), copy.keyboardModifiers());
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
    std::printf("copied\n");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--same-pixels") == 0) // needs no display
        return samePixels(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QApplication app(argc, argv);
    kv::setUpApplication(app);
    QStringList args = app.arguments();
    const bool parts = args.size() > 1 && args[1] == QStringLiteral("--parts");
    if (parts)
        args.removeAt(1);
    QString copied;
    if (args.size() > 2 && args[1] == QStringLiteral("--copy")) {
        copied = args[2];
        args.remove(1, 2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
            "usage: kalvoster-snapshot FILE.png [n]\n"
            "       kalvoster-snapshot --parts DIR [n]\n"
            "       kalvoster-snapshot --copy picausgabe|picZeichenblatt FILE.png [n]\n"
            "       kalvoster-snapshot --same-pixels A.png B.png\n");
        return 2;
    }
    kv::Form1 window;
    window.show();
    if (args.size() > 2) {
        const int n = args[2].toInt();
        if (n == window.controls().HScroll2->value()) // the window opens at 15 without its analysis
            window.controls().HScroll2->setValue(
                n == window.controls().HScroll2->maximum() ? n - 1 : n + 1);
        window.controls().HScroll2->setValue(n);
    }

    // Until the window is on the screen, and every event that showing it caused is handled.
    const QDeadlineTimer deadline(10000);
    while (!window.windowHandle()->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    if (!window.windowHandle()->isExposed()) {
        std::fprintf(stderr, "kalvoster-snapshot: the window was not shown within 10 seconds\n");
        return 1;
    }
    QCoreApplication::processEvents();

    if (!copied.isEmpty())
        return copyDrawing(app, window, copied, args[1]);
    const bool written = parts ? writeParts(args[1], window) : window.grab().save(args[1]);
    if (!written) {
        std::fprintf(stderr, "kalvoster-snapshot: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
