// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: drops the warnings the offscreen platform prints for what it cannot do (size hints
// of every window it shows, raising a menu and letting it grab the keyboard), so that what a test
// prints is its own; every other message goes on as before.
#pragma once

#include <QtGlobal>

namespace kv::testing {

inline void dropOffscreenWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            for (const char* unsupported :
                { "propagateSizeHints()", "raise()", "grabbing the keyboard" }) {
                if (message == QLatin1String("This plugin does not support ") + unsupported)
                    return;
            }
            previous(type, context, message);
        });
}

} // namespace kv::testing
