// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text boxes with a Text property as the program reads and writes it.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

namespace kv {

// A single-line text box.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    TextBox(const QString& name, const QString& text, QWidget* parent);
};

// A multi-line text box with both scroll bars, whose lines do not wrap. Its Text ends lines with
// CR LF, however the editor keeps them.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    MultiLineTextBox(const QString& name, const QString& text, QWidget* parent);

    void setText(const QString& text);
    QString text() const;

protected:
    // The focus shows on the box's border, beside the caret.
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace kv
