// kalvoster-snapshot FILE.png [n]: opens the main window, selects n (if given) through the
// scroll bar as a user would, waits until the window is painted and saves a picture of it.
#include "form1.h"
#include "ui/desktop.h"
#include "ui/scroll_bar.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kv::useGermanToolkitTexts(app);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: kalvoster-snapshot FILE.png [n]\n");
        return 2;
    }
    kv::Form1 window;
    window.show();
    if (args.size() > 2) {
        const int n = args[2].toInt();
        if (n == window.HScroll2->value()) // the window opens at 15 without its analysis
            window.HScroll2->setValue(n == window.HScroll2->maximum() ? n - 1 : n + 1);
        window.HScroll2->setValue(n);
    }

    int status = 0;
    QTimer::singleShot(500, &app, [&] {
        if (!window.grab().save(args[1])) {
            std::fprintf(stderr, "kalvoster-snapshot: cannot write %s\n", qPrintable(args[1]));
            status = 1;
        }
        app.quit();
    });
    app.exec();
    return status;
}
