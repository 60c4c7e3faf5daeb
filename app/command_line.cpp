// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "kalvoster/version.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kv {

void attachToCallingConsole()
{
#ifdef _WIN32
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return; // started from the desktop, or the output goes elsewhere already
    // Streams the caller redirected (to a file, a pipe) stay where they are.
    const auto unset = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE
            || GetFileType(handle) == FILE_TYPE_UNKNOWN;
    };
    if (unset(STD_OUTPUT_HANDLE))
        std::freopen("CONOUT$", "w", stdout);
    if (unset(STD_ERROR_HANDLE))
        std::freopen("CONOUT$", "w", stderr);
#endif
}

std::optional<int> handleCommandLine(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    if (argc <= 1)
        return std::nullopt;
    const char* arg = argv[1];
    if (argc == 2 && std::strcmp(arg, "--help") == 0) {
        std::fputs("Aufruf: kalvoster [--help | --version]\n"
                   "Zeigt, auf welche Arten sich eine nat\xC3\xBCrliche Zahl n von 1 bis 1365 als "
                   "Summe\naufeinanderfolgender nat\xC3\xBCrlicher Zahlen schreiben l\xC3\xA4sst.\n"
                   "\n"
                   "  --help     diese Hilfe zeigen und enden\n"
                   "  --version  die Version zeigen und enden\n",
            out);
        return 0;
    }
    if (argc == 2 && std::strcmp(arg, "--version") == 0) {
        std::fprintf(out, "Kalvoster %s\n", version);
        return 0;
    }
    const bool known = std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "--version") == 0;
    if (known) // followed by more
        arg = argv[2];
    std::fprintf(err,
        "kalvoster: unbekanntes Argument \xE2\x80\x9E%s\xE2\x80\x9C (kalvoster --help zeigt die "
        "m\xC3\xB6glichen)\n",
        arg);
    return 2;
}

} // namespace kv
