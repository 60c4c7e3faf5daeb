// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A command button of the classic graphical style: a flat face in its back colour inside a raised
// 3D border that sinks while the button is pressed, the caption centred. Space, Return and Enter
// click it when it has the focus; the focus shows as a rectangle inside the border.
#pragma once

#include <QPushButton>

namespace kv {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const QString& name, const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kv
