// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: drops the one warning the offscreen platform prints for every window it shows
// ("This plugin does not support propagateSizeHints()"), so that what a test prints is its own;
// every other message goes on as before.
#pragma once

#include <QtGlobal>

namespace kv::testing {

inline void dropOffscreenSizeHintWarning()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
                return;
            previous(type, context, message);
        });
}

} // namespace kv::testing
