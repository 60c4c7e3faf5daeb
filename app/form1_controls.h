// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls and their fixed settings: place and size in twips, captions,
// fonts, colours, accessible names and the keyboard order. Made once by setupControls, in the
// manner of a form designer's generated class; Form1 adds the behaviour.
//
// Controls carry their names as objectName, so tests and accessibility tools find them by the
// same names the code uses.
#pragma once

#include <array>
#include <iterator>

class QAction;
class QFrame;
class QLabel;
class QMainWindow;
class QPushButton;
class QWidget;

namespace kv {

class MultiLineTextBox;
class PictureBox;
class PictureCopy;
class ScrollBar;
class TextBox;

class Form1Controls {
public:
    // An example button in Frame1: the n it selects (its caption, and its name cmd<n>), and its
    // top-left corner in the frame, in twips.
    struct Example {
        int n;
        int left, top;
    };
    // The twelve, in the order the window makes them; the keyboard visits them the other way.
    static constexpr Example examples[] = {
        { 15, 120, 240 },
        { 27, 120, 960 },
        { 30, 1080, 240 },
        { 45, 2040, 240 },
        { 75, 2040, 960 },
        { 90, 3000, 240 },
        { 105, 3000, 960 },
        { 128, 3960, 240 },
        { 150, 3960, 960 },
        { 945, 4920, 240 },
        { 32, 1080, 960 },
        { 1365, 4920, 960 },
    };
    // The button of an n of the table, or none.
    QPushButton* example(int n) const;

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
    std::array<QPushButton*, std::size(examples)> exampleButtons; // cmd15 ... cmd1365, as the table
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
    // Copying the drawings: the diagram's on its window, so both share it, and the
    // factorisation's.
    PictureCopy* diagramCopy;
    PictureCopy* factorisationCopy;

private:
    void setAccessibleNames();
    void setFocusOrder();
};

} // namespace kv
