// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_button.h"

#include "focus_frame.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace kv {

CommandButton::CommandButton(const QString& name, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setObjectName(name);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool pressed = isDown() || isChecked();
    p.fillRect(rect(), palette().color(QPalette::Button));
    qDrawWinButton(&p, rect(), palette(), pressed);
    // The caption moves with the face while pressed.
    const QRect caption
        = rect().adjusted(2, 2, -2, -2).translated(pressed ? QPoint(1, 1) : QPoint());
    p.setPen(palette().color(QPalette::ButtonText));
    p.setFont(font());
    p.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (hasFocus())
        drawFocusFrame(p, rect().adjusted(3, 3, -3, -3));
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat()
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace kv
