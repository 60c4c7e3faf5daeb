// What makes the program a desktop citizen: its icon, and the toolkit's own texts in German.
#pragma once

#include <QIcon>
#include <QImage>

class QCoreApplication;

namespace kv {

// The program's icon, a red disc with a white plus sign, at size x size pixels.
QImage programIconImage(int size);
// The icon with its 16 and 32 pixel images.
QIcon programIcon();

// Loads the toolkit's German translations (context menus of text boxes, message box buttons),
// whatever the user's locale. Returns false if they are not installed.
bool useGermanToolkitTexts(QCoreApplication& app);

} // namespace kv
