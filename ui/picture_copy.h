// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Copying a picture to the clipboard, offered on a widget: one command, "Bild kopieren", reached
// by the platform's Copy key while the widget or one of its children has the focus, and by a
// context menu that holds it and shows the key beside it. The menu opens on a right-click, the
// menu key or Shift+F10: where the pointer is, or from the keyboard in the middle of the part of
// the focused widget that can be seen. It opens beside the event loop, not in a loop of its own,
// so a running search goes on while it is open.
#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kv {

class PictureCopy : public QObject {
    Q_OBJECT
public:
    // Offers what picture returns, taken when the command runs, on widget and its children,
    // those added later included; widget owns the offer.
    PictureCopy(QWidget* widget, std::function<QImage()> picture);

    // The command: "Bild kopieren", with the Copy key as its shortcut.
    QAction* action() const { return action_; }
    // The context menu that holds the command.
    QMenu* menu() const { return menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void copy();
    void watch(QObject* object);
    void openMenu(QPoint globalPosition);
    QPoint keyboardMenuPosition() const;

    QWidget* widget_;
    std::function<QImage()> picture_;
    QAction* action_;
    QMenu* menu_ = nullptr;
};

} // namespace kv
