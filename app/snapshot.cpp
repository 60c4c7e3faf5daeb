// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// kalvoster-snapshot: opens the main window, selects n (if given) through the scroll bar as a
// user would, waits until the window is shown, and then, by its mode:
//
//   FILE.png [n]              saves a picture of the window;
//   --parts DIR [n]           writes what the window shows in parts, to compare one platform
//                             with another: texts.txt (every control's text), picausgabe.ppm and
//                             picZeichenblatt.ppm (the two drawings as seen, plain pixels
//                             without metadata), window.png, and platform.txt;
//   --copy DRAWING FILE.png [n]  writes the whole picture of the drawing (picausgabe or
//                             picZeichenblatt) to FILE.png, runs its copy command, prints
//                             "copied" and goes on serving the clipboard until it is ended.
#include "form1.h"
#include "ui/desktop.h"
#include "ui/picture_box.h"
#include "ui/picture_copy.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTextStream>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <optional>
#include <variant>

namespace {

struct Request {
    enum Mode { Picture, Parts, Copy } mode = Picture;
    QString path; // the picture, the folder of parts, or the copied drawing's picture
    QString drawing;
    std::optional<int> n;
};

// The request of the arguments, or an exit status after a message: 0 for --help, 2 for anything
// the tool cannot do.
std::variant<Request, int> parseArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens the Kalvoster window, selects n, and saves what it shows."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption parts(QStringLiteral("parts"),
        QStringLiteral("Write the window's parts into <dir>."), QStringLiteral("dir"));
    const QCommandLineOption copy(QStringLiteral("copy"),
        QStringLiteral("Copy <drawing> (picausgabe or picZeichenblatt) to the clipboard and serve "
                       "it; FILE.png gets its whole picture."),
        QStringLiteral("drawing"));
    parser.addOption(parts);
    parser.addOption(copy);
    parser.addPositionalArgument(
        QStringLiteral("FILE.png"), QStringLiteral("The picture to write (not with --parts)."));
    parser.addPositionalArgument(
        QStringLiteral("n"), QStringLiteral("The n to select, 1 to 1365."), QStringLiteral("[n]"));

    // Parsed before the application object exists, which would name the program.
    const QString usage
        = parser.helpText().replace(QStringLiteral("<executable_name>"), "kalvoster-snapshot");
    const auto usageError = [&usage](const QString& message) {
        std::fprintf(
            stderr, "kalvoster-snapshot: %s\n\n%s", qPrintable(message), qPrintable(usage));
        return 2;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(usage), stdout);
        return 0;
    }
    Request request;
    QStringList rest = parser.positionalArguments();
    if (parser.isSet(parts) && parser.isSet(copy))
        return usageError(QStringLiteral("--parts and --copy exclude each other"));
    if (parser.isSet(parts)) {
        request.mode = Request::Parts;
        request.path = parser.value(parts);
    } else {
        if (parser.isSet(copy)) {
            request.mode = Request::Copy;
            request.drawing = parser.value(copy);
            if (request.drawing != QLatin1String("picausgabe")
                && request.drawing != QLatin1String("picZeichenblatt"))
                return usageError(QStringLiteral("%1 is no drawing").arg(request.drawing));
        }
        if (rest.isEmpty())
            return usageError(QStringLiteral("FILE.png is missing"));
        request.path = rest.takeFirst();
    }
    if (rest.size() > 1)
        return usageError(QStringLiteral("too many arguments"));
    if (!rest.isEmpty()) {
        bool number = false;
        const int n = rest.front().toInt(&number);
        const QString notN = QStringLiteral("n must be a whole number from 1 to 1365, not \"%1\"");
        if (!number || n < 1 || n > 1365)
            return usageError(notN.arg(rest.front()));
        request.n = n;
    }
    return request;
}

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

// Copies a drawing through its copy command, as the menu and the Copy key do, and serves the
// clipboard.
int copyDrawing(QApplication& app, kv::Form1& window, const Request& request)
{
    const kv::Form1Controls& controls = window.controls();
    const bool diagram = request.drawing == QLatin1String("picausgabe");
    kv::PictureBox* box = diagram ? controls.picausgabe : controls.picZeichenblatt;
    if (!box->wholePicture().save(request.path)) {
        std::fprintf(stderr, "kalvoster-snapshot: cannot write %s\n", qPrintable(request.path));
        return 1;
    }
    (diagram ? controls.diagramCopy : controls.factorisationCopy)->action()->trigger();
    std::printf("copied\n");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const std::variant<Request, int> parsed = parseArguments(arguments);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const Request& request = std::get<Request>(parsed);

    QApplication app(argc, argv);
    kv::setUpApplication(app);
    kv::Form1 window;
    window.show();
    if (request.n) {
        kv::ScrollBar* selector = window.controls().HScroll2;
        const int n = *request.n;
        if (n == selector->value()) // the window opens at 15 without its analysis
            selector->setValue(n == selector->maximum() ? n - 1 : n + 1);
        selector->setValue(n);
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

    bool written = false;
    switch (request.mode) {
    case Request::Copy:
        return copyDrawing(app, window, request);
    case Request::Parts:
        written = writeParts(request.path, window);
        break;
    case Request::Picture:
        written = window.grab().save(request.path);
        break;
    }
    if (!written) {
        std::fprintf(stderr, "kalvoster-snapshot: cannot write %s\n", qPrintable(request.path));
        return 1;
    }
    return 0;
}
