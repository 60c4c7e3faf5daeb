// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: --help and --version, nothing else. The toolkit never sees the
// arguments, so its own options (-reverse, -stylesheet, -style, ...) have no effect; its
// environment settings (QT_SCALE_FACTOR, QT_QPA_PLATFORM) still do.
#pragma once

#include <cstdio>
#include <optional>

namespace kv {

// What the arguments ask for: nothing (the window opens), or an exit status after a text on out
// (help, version: 0) or on err (anything else: 2).
std::optional<int> handleCommandLine(int argc, char** argv, std::FILE* out, std::FILE* err);

// Windows starts a windowed program without a console: one started from a console writes its
// answers there. Elsewhere it does nothing.
void attachToCallingConsole();

} // namespace kv
