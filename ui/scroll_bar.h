// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A horizontal scroll bar with the two events the program handles:
//   Change  for every change of the value, by code or by the user (arrow, trough, keyboard,
//           end of a thumb drag); an assignment raises it synchronously, and only when the value
//           really changes;
//   Scroll  repeatedly while the thumb is dragged, with the value already at the thumb.
// Arrows and trough clicks move by exactly 1; Right raises and Left lowers the value.
#pragma once

#include <QScrollBar>

class QApplication;

namespace kv {

// Scroll bars in the plain classic look: flat trough, bevelled arrows and thumb. They also
// repaint without the gradients that make every move of a thumb cost a round trip through the
// painting worker threads. The application's set-up makes the style, once, owned by the
// application; before that, a bar keeps the application's style. A classic bar has no context
// menu either: the toolkit's own would run in a loop of its own and hold everything else.
void createClassicLook(QApplication& app);
void makeClassic(QScrollBar* bar);

class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    ScrollBar(const QString& name, int minimum, int maximum, int initial, QWidget* parent);

signals:
    void Change();
    void Scroll();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The focus shows on the bar's edge, not only inside the narrow thumb.
    void paintEvent(QPaintEvent* event) override;

private:
    int valueAtPress_ = 0;
};

} // namespace kv
