// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"

#include "ui/core/runtime_error.h"

#include <QMessageBox>

namespace kv {

namespace {
    MessageHook& hook()
    {
        static MessageHook h;
        return h;
    }
} // namespace

void setMessageHook(MessageHook h)
{
    hook() = std::move(h);
}

void showMessage(QWidget* parent, MessageKind kind, const QString& title, const QString& text)
{
    if (hook()) {
        hook()(kind, title, text);
        return;
    }
    const QMessageBox::Icon icon = kind == MessageKind::Information ? QMessageBox::Information
        : kind == MessageKind::Warning                              ? QMessageBox::Warning
                                                                    : QMessageBox::Critical;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void showRuntimeError(QWidget* parent, const RuntimeError& error)
{
    showMessage(parent, MessageKind::Critical, QStringLiteral("Kalvoster"),
        QStringLiteral("Laufzeitfehler '%1':\n\n%2")
            .arg(error.number())
            .arg(QString::fromStdString(error.description())));
}

} // namespace kv
