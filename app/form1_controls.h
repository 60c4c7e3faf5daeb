// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls and their fixed settings: place and size in twips, captions,
// fonts, colours, accessible names and the keyboard order. Made once by setupControls, in the
// manner of a form designer's generated class; Form1 adds the behaviour.
//
// Controls carry their names as objectName, so tests and accessibility tools find them by the
// same names the code uses.
#pragma once

#include <span>

class QAction;
class QFrame;
class QLabel;
class QMainWindow;
class QPushButton;
class QWidget;

namespace kv {

class MultiLineTextBox;
class PictureBox;
class ScrollBar;
class TextBox;

class Form1Controls {
public:
    // An example button in Frame1: the control, the n it selects (its caption too), and its
    // top-left corner in the frame, in twips.
    struct Example {
        // The formatter's releases disagree on the space in a pointer to member.
        // clang-format off
        QPushButton* Form1Controls::*button;
        // clang-format on
        int n;
        int left, top;
    };
    // The twelve, in the order the window makes them; the keyboard visits them the other way.
    static std::span<const Example> examples();

    // Builds every control into the window: the form itself is its central widget "Form".
    void setupControls(QMainWindow* window);

    QWidget* Form;
    MultiLineTextBox* txtAusgabe;
    QPushButton* cmdMinus;
    QPushButton* cmdPlus;
    TextBox* txtLuecke;
    QPushButton* cmdSuche;
    PictureBox* Picture1;
    QFrame* Frame1;
    QPushButton* cmd15;
    QPushButton* cmd27;
    QPushButton* cmd30;
    QPushButton* cmd45;
    QPushButton* cmd75;
    QPushButton* cmd90;
    QPushButton* cmd105;
    QPushButton* cmd128;
    QPushButton* cmd150;
    QPushButton* cmd945;
    QPushButton* cmd32;
    QPushButton* cmd1365;
    TextBox* txthilfe;
    PictureBox* picZeichenblatt;
    TextBox* txtN;
    ScrollBar* HScroll2;
    ScrollBar* HScroll1;
    PictureBox* picContainer;
    PictureBox* picausgabe;
    QWidget* Line2;
    QLabel* Label3;
    QLabel* Label1;
    QAction* cmdEnde;
    QAction* cmdInfo;

private:
    void setAccessibleNames();
    void setFocusOrder();
};

} // namespace kv
