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
    int toolkitArgc = 1;
    char* toolkitArgv[] = { argv[0], nullptr };
    QApplication app(toolkitArgc, toolkitArgv);
    if (!kv::setUpApplication(app)) {
        const QByteArray where = QLibraryInfo::path(QLibraryInfo::TranslationsPath).toLocal8Bit();
        std::fprintf(stderr,
            "kalvoster: no German toolkit texts in %s (package qt6-translations-l10n); buttons "
            "and menus stay English\n",
            where.constData());
    }
    kv::Form1 window;
#ifdef __EMSCRIPTEN__
    kv::page::join(window, start);
#endif
    window.show();
    return app.exec();
}
