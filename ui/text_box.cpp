// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_box.h"

#include "focus_frame.h"
#include "scroll_bar.h"

#include <QPainter>

namespace kv {

TextBox::TextBox(const QString& name, const QString& text, QWidget* parent)
    : QLineEdit(text, parent)
{
    setObjectName(name);
}

MultiLineTextBox::MultiLineTextBox(const QString& name, const QString& text, QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(name);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    makeClassic(horizontalScrollBar());
    makeClassic(verticalScrollBar());
    setText(text);
}

void MultiLineTextBox::setText(const QString& text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(lines);
    document()->setModified(false); // modified from here on only by the user
}

bool MultiLineTextBox::event(QEvent* event)
{
    const bool handled = QPlainTextEdit::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        QPainter p(this);
        drawFocusFrame(p, rect());
    }
    return handled;
}

void MultiLineTextBox::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    update();
}

void MultiLineTextBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    update();
}

QString MultiLineTextBox::text() const
{
    QString lines = toPlainText();
    lines.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return lines;
}

} // namespace kv
