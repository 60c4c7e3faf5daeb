// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told beyond the toolkit's defaults: the role a control plays (a
// drawing is a graphic, a frame of buttons a grouping) and a spoken name for a menu command whose
// caption is too short to say anything ("i" is announced as "Information").
#pragma once

#include <QAccessible>

class QAction;
class QWidget;

namespace kv {

// Makes the toolkit ask for the roles and names below; once, before any window exists.
void installAccessibility();

void setAccessibleRole(QWidget* widget, QAccessible::Role role);
// The name a screen reader announces for a command of the menu bar, instead of its caption.
void setAccessibleName(QAction* action, const QString& name);

} // namespace kv
