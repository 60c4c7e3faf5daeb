// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's behaviour: the handlers of every user event, the n-change sequence that each
// change of n runs (txtN, then Berechnen, then Primfaktoren), and the error guard every handler
// runs through. The controls themselves are made by Form1Controls.
#pragma once

#include "analysis/representations.h"
#include "form1_controls.h"
#include "search/gap_search.h"

#include <QMainWindow>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

enum class MessageKind;
class PaintPacer;
class RuntimeError;
class SearchRunner;

class Form1 : public QMainWindow, private Form1Controls {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The controls, for tests, tools and benchmarks that act as a user would.
    const Form1Controls& controls() const { return *this; }

    // True once the program is ending; from then on no handler does anything.
    bool ending() const { return ending_; }

    // How many gap searches run; each further one was started while the one before ran.
    int searching() const;

signals:
    // A search has moved n one up, its analysis shown.
    void searchStepped();
    // A search has ended.
    void searchEnded(kv::SearchEnd end);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wireEvents();
    void wireHoverHelp();

    void Form_Load();
    void HScroll2_Change();
    void HScroll2_Scroll();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void Berechnen();
    void Primfaktoren();
    void exampleClick(int n); // cmd15_Click ... cmd1365_Click
    void cmdSuche_Click();
    void searchStep();
    void searchOver(SearchEnd end);
    void cmdPlus_Click();
    void cmdMinus_Click();
    void cmdInfo_Click();
    void cmdEnde_Click();
    void Form_MouseMove();
    void Frame1_MouseMove();
    void picausgabe_MouseMove();
    void Picture1_MouseMove();
    void picZeichenblatt_MouseMove();
    void txtN_MouseMove();

    // Runs a handler; a run-time error inside it is shown and ends the program.
    template <typename Handler> void handle(Handler&& handler);
    // Connects an event to its handler, run through handle().
    template <typename Sender, typename Signal>
    void on(Sender* sender, Signal signal, void (Form1::*handler)());
    void fatal(const RuntimeError& error);
    void End(int exitStatus);
    // Opens a box; the searches wait while it is open.
    void openBox(MessageKind kind, const QString& title, const QString& text);
    void showGapRangeMessage();
    void changeGap(std::string (*step)(std::string_view gapText));

    // The hover help: the controls that report the pointer, each with its MouseMove handler.
    std::vector<std::pair<QWidget*, void (Form1::*)()>> hoverOwners_;

    class SearchAdapter;
    std::unique_ptr<SearchAdapter> searchWindow_;
    PaintPacer* pacer_; // owned by the window, as its child
    std::unique_ptr<SearchRunner> search_;
    Representations table_;
    bool ending_ = false;
};

} // namespace kv
