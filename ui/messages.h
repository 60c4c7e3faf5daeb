// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's message boxes, routed through one function that tests can replace.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kv {

class RuntimeError;

enum class MessageKind { Information, Warning, Critical };

// Shows a modal box with one OK button and returns when it is closed.
void showMessage(QWidget* parent, MessageKind kind, const QString& title, const QString& text);

// Replaces the box, e.g. by a recorder in tests; an empty function restores the real box.
using MessageHook = std::function<void(MessageKind, const QString& title, const QString& text)>;
void setMessageHook(MessageHook hook);

// The box for a run-time error: "Laufzeitfehler '9':" and the German description.
void showRuntimeError(QWidget* parent, const RuntimeError& error);

} // namespace kv
