// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Kalvoster: in how many ways, and which, can n be written as a sum of consecutive natural
// numbers?
#include "command_line.h"
#include "form1.h"
#include "ui/desktop.h"

#include <QApplication>
#include <QLibraryInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc > 1)
        kv::attachToCallingConsole();
    if (const std::optional<int> status = kv::handleCommandLine(argc, argv, stdout, stderr))
        return *status;
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
    window.show();
    return app.exec();
}
