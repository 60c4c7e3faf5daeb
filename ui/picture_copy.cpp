// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_copy.h"

#include <QAction>
#include <QApplication>
#include <QChildEvent>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace kv {

PictureCopy::PictureCopy(QWidget* widget, std::function<QImage()> picture)
    : QObject(widget)
    , widget_(widget)
    , picture_(std::move(picture))
    , action_(new QAction(QStringLiteral("Bild kopieren"), this))
{
    // The widget's children keep the pointer's events from it (the hover help needs that): the
    // requests for the menu are taken where they arrive, on every child it has or gets.
    watch(widget);

    action_->setObjectName(QStringLiteral("copyPicture"));
    action_->setShortcut(QKeySequence::Copy);
    action_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action_, &QAction::triggered, this, &PictureCopy::copy);
    widget->addAction(action_); // the shortcut is the widget's

    menu_ = new QMenu;
    menu_->setParent(widget, menu_->windowFlags()); // owned by the widget, but not watched
    menu_->setObjectName(widget->objectName() + QStringLiteral("Menu"));
    menu_->setAccessibleName(QStringLiteral("Bildmenü"));
    menu_->addAction(action_);
}

void PictureCopy::watch(QObject* object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watch(child);
}

void PictureCopy::copy()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(picture_());
}

// Platforms that turn the menu key into a context-menu event of their own send that event to
// the menu once it is open.
bool PictureCopy::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child != menu_)
            watch(child);
        return false;
    }
    if (event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        openMenu(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                               : keyboardMenuPosition());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Menu
            || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            openMenu(keyboardMenuPosition());
            return true;
        }
    }
    return false;
}

void PictureCopy::openMenu(QPoint globalPosition)
{
    if (!menu_->isVisible())
        menu_->popup(globalPosition);
}

// The middle of the part of the focused widget (the offering one or a child of it) that can be
// seen.
QPoint PictureCopy::keyboardMenuPosition() const
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused || (focused != widget_ && !widget_->isAncestorOf(focused)))
        focused = widget_;
    const QRect seen = focused->rect() & focused->visibleRegion().boundingRect();
    return focused->mapToGlobal(seen.isEmpty() ? focused->rect().center() : seen.center());
}

} // namespace kv
