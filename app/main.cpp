// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Kalvoster: in how many ways, and which, can n be written as a sum of consecutive natural
// numbers?
#include "command_line.h"
#include "form1.h"
#include "ui/desktop.h"
#include "web_page.h"

#include <QApplication>
#include <QLibraryInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
#ifdef __EMSCRIPTEN__
    // In a web page, the arguments are the page's.
    const kv::page::Start start = kv::page::parseStart(argc, argv);
    kv::page::applyScale(start);
#else
    if (argc > 1)
        kv::attachToCallingConsole();
    if (const std::optional<int> status = kv::handleCommandLine(argc, argv, stdout, stderr))
        return *status;
#endif
    // The toolkit gets the program's name only: none of its command-line options act.
    static int toolkitArgc = 1;
    static char* toolkitArgv[] = { argv[0], nullptr };
#ifdef __EMSCRIPTEN__
    // In a page the browser's event loop runs the program once main has returned: the
    // application and its window live on outside main's frame.
    static QApplication app(toolkitArgc, toolkitArgv);
#else
    QApplication app(toolkitArgc, toolkitArgv);
#endif
    if (!kv::setUpApplication(app)) {
        const QByteArray where = QLibraryInfo::path(QLibraryInfo::TranslationsPath).toLocal8Bit();
        std::fprintf(stderr,
            "kalvoster: no German toolkit texts in %s (package qt6-translations-l10n); buttons "
            "and menus stay English\n",
            where.constData());
    }
#ifdef __EMSCRIPTEN__
    kv::page::useDesktopFont();
    static kv::Form1 window;
    kv::page::join(window, start);
    window.show();
    // Not exec(): it would give the control back to the browser with an exception through main,
    // which the toolkit's own catch takes for an error of the program's.
    return 0;
#else
    kv::Form1 window;
    window.show();
    return app.exec();
#endif
}
