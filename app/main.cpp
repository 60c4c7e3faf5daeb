// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Kalvoster: in how many ways, and which, can n be written as a sum of consecutive natural
// numbers?
#include "form1.h"
#include "ui/desktop.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kv::setUpApplication(app);
    kv::Form1 window;
    window.show();
    return app.exec();
}
