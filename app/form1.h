// The main window: every control at its fixed place, the handlers of every user event, and the
// n-change sequence that each change of n runs (txtN, then Berechnen, then Primfaktoren).
//
// Controls carry their names as objectName, so tests and accessibility tools find them by the
// same names the code uses.
#pragma once

#include "analysis/representations.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QPushButton;

namespace kv {

class MultiLineTextBox;
class PictureBox;
class RuntimeError;
class ScrollBar;
class TextBox;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The event pump of the gap search; tests replace it.
    void setDoEvents(std::function<void()> doEvents);

    // True once the program is ending; from then on no handler does anything.
    bool ending() const { return ending_; }
    const Representations& table() const { return table_; }

    // The controls.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wireEvents();

    void Form_Load();
    void HScroll2_Change();
    void HScroll2_Scroll();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void Berechnen();
    void Primfaktoren();
    void exampleClick(int n); // cmd15_Click ... cmd1365_Click
    void cmdSuche_Click();
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
    void showGapRangeMessage();

    class SearchAdapter;
    std::unique_ptr<SearchAdapter> search_;
    std::function<void()> doEvents_;
    Representations table_;
    bool ending_ = false;
};

} // namespace kv
