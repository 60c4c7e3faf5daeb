// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's message boxes, routed through one function that tests can replace. A box opens
// beside the event loop, modal to its window, and says when it has been closed: nothing waits in
// a loop of its own, so every other part of the program goes on as the event loop drives it.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kv {

class RuntimeError;

enum class MessageKind { Information, Warning, Critical };

// Opens a box with one OK button, modal to parent's window, and returns at once; closed runs
// once the box has been closed, unless parent is gone by then.
void showMessage(QWidget* parent, MessageKind kind, const QString& title, const QString& text,
    std::function<void()> closed = {});

// Replaces the box, e.g. by a recorder in tests: the hook is called instead of opening it, and
// the box counts as closed when the hook returns. An empty function restores the real box.
using MessageHook = std::function<void(MessageKind, const QString& title, const QString& text)>;
void setMessageHook(MessageHook hook);

// The box for a run-time error: "Laufzeitfehler '9':" and the German description.
void showRuntimeError(QWidget* parent, const RuntimeError& error, std::function<void()> closed);

} // namespace kv
