// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What makes the program a desktop citizen: its names as the desktop knows them, its icon, one
// fixed light look, and the toolkit's own texts in German.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPalette>

class QApplication;

namespace kv {

// Prepares the application before its window is built: the names by which the desktop finds
// its entry ("Kalvoster" as the X11 window class and the shown name, org.kalvoster.Kalvoster as
// the application id), the toolkit's German texts (context menus of text boxes, message box
// buttons) whatever the user's locale, and the light look. Returns false if the German texts are
// not installed.
bool setUpApplication(QApplication& app);

// The window's one look, under every desktop theme and colour scheme: the Fusion style with its
// light palette (dark text on light grey, white boxes, a blue selection).
QPalette lightPalette();

// The program's icon, a red disc with a white plus sign, at size x size pixels.
QImage programIconImage(int size);
// The icon with its 16 and 32 pixel images.
QIcon programIcon();

} // namespace kv
