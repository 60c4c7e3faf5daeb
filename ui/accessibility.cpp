// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenuBar>
#include <QVariant>

namespace kv {

namespace {

    const char* const roleProperty = "kvAccessibleRole";
    const char* const nameProperty = "kvAccessibleName";

    QMenuBar* menuBarOf(QAction* action)
    {
        for (QObject* o : action->associatedObjects()) {
            if (auto* bar = qobject_cast<QMenuBar*>(o))
                return bar;
        }
        return nullptr;
    }

    // A command of the menu bar: a menu item that can be pressed, under its spoken name.
    class MenuCommand : public QAccessibleObject, public QAccessibleActionInterface {
    public:
        MenuCommand(QAction* action, QMenuBar* bar)
            : QAccessibleObject(action)
            , bar_(bar)
        {
        }

        QAction* action() const { return static_cast<QAction*>(object()); }

        QAccessibleInterface* parent() const override
        {
            return QAccessible::queryAccessibleInterface(bar_);
        }
        int childCount() const override { return 0; }
        QAccessibleInterface* child(int) const override { return nullptr; }
        int indexOfChild(const QAccessibleInterface*) const override { return -1; }
        QAccessibleInterface* childAt(int, int) const override { return nullptr; }
        QAccessible::Role role() const override { return QAccessible::MenuItem; }
        QString text(QAccessible::Text t) const override
        {
            switch (t) {
            case QAccessible::Name:
                return action()->property(nameProperty).toString();
            case QAccessible::Description:
                return action()->toolTip();
            default:
                return {};
            }
        }
        QAccessible::State state() const override
        {
            QAccessible::State s;
            s.disabled = !action()->isEnabled();
            s.invisible = !action()->isVisible() || !bar_->isVisible();
            return s;
        }
        QRect rect() const override
        {
            const QRect r = bar_->actionGeometry(action());
            return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
        }
        void* interface_cast(QAccessible::InterfaceType type) override
        {
            return type == QAccessible::ActionInterface
                ? static_cast<QAccessibleActionInterface*>(this)
                : nullptr;
        }

        QStringList actionNames() const override { return { pressAction() }; }
        void doAction(const QString& name) override
        {
            if (name == pressAction())
                action()->trigger();
        }
        QStringList keyBindingsForAction(const QString&) const override { return {}; }

    private:
        QMenuBar* bar_;
    };

    QAccessibleInterface* factory(const QString&, QObject* object)
    {
        if (!object)
            return nullptr;
        const QVariant role = object->property(roleProperty);
        if (role.isValid() && object->isWidgetType())
            return new QAccessibleWidget(
                static_cast<QWidget*>(object), static_cast<QAccessible::Role>(role.toInt()));
        if (auto* action = qobject_cast<QAction*>(object);
            action && object->property(nameProperty).isValid()) {
            if (QMenuBar* bar = menuBarOf(action))
                return new MenuCommand(action, bar);
        }
        return nullptr;
    }

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(factory);
        installed = true;
    }
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    widget->setProperty(roleProperty, static_cast<int>(role));
}

void setAccessibleName(QAction* action, const QString& name)
{
    action->setProperty(nameProperty, name);
}

} // namespace kv
