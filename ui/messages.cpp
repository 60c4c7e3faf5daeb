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

void showMessage(QWidget* parent, MessageKind kind, const QString& title, const QString& text,
    std::function<void()> closed)
{
    if (hook()) {
        hook()(kind, title, text);
        if (closed)
            closed();
        return;
    }
    const QMessageBox::Icon icon = kind == MessageKind::Information ? QMessageBox::Information
        : kind == MessageKind::Warning                              ? QMessageBox::Warning
                                                                    : QMessageBox::Critical;
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (closed) {
        QObject* receiver = parent ? static_cast<QObject*>(parent) : box;
        QObject::connect(
            box, &QDialog::finished, receiver, [closed = std::move(closed)] { closed(); });
    }
    box->open(); // modal to the window, without a loop of its own
}

void showRuntimeError(QWidget* parent, const RuntimeError& error, std::function<void()> closed)
{
    showMessage(parent, MessageKind::Critical, QStringLiteral("Kalvoster"),
        QStringLiteral("Laufzeitfehler '%1':\n\n%2")
            .arg(error.number())
            .arg(QString::fromStdString(error.description())),
        std::move(closed));
}

} // namespace kv
