// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What every window test shares: a fresh main window for each test function, the report a given
// n must show, a recorder of the program's message boxes, a closer of real modal boxes, an event
// loop with a time limit, and the diagram's colour on screen at a point of its user scale.
//
// Every test that runs the event loop gives it a limit, and asserts only after the call it checks
// has returned: a program that never ends its loop, or a box that never opens, fails the test in
// seconds instead of hanging the whole test program.
#pragma once

#include "app/form1.h"
#include "image_difference.h"
#include "ui/core/conversions.h"
#include "ui/messages.h"

#include <QAccessible>
#include <QDeadlineTimer>
#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <QPalette>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace kv::testing {

// The report the window must show for n, made apart from the window.
QString reportOf(int n);

bool sameColor(QColor a, Rgb b);

// What the screen holds of a window now, in device pixels, taken from the screen without a
// paint done for the purpose.
QImage screenPicture(QWidget* window);

// A rectangle of device-independent pixels in the device pixels of the ratio.
QRect toDevice(const QRect& rect, qreal ratio);

// The text of a control as a screen reader asks for it.
QString accessibleText(QObject* object, QAccessible::Text what);

struct Message {
    MessageKind kind;
    QString title, text;
};

// Records the program's message boxes instead of showing them, while it lives.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<Message> shown;
};

// The status execWithin returns when its limit passed; the program never ends with it.
inline constexpr int loopTimedOut = -4711;

// Long enough for any loop here to end by itself, short enough to fail fast when it does not.
inline constexpr std::chrono::milliseconds loopLimit { 5000 };

// Runs the application's event loop until something ends it, or until the limit passes.
// Returns the loop's exit status, or loopTimedOut.
int execWithin(std::chrono::milliseconds limit);

// Fails the test with where two pictures first differ, unless they hold the same pixels; where
// names the case (a panning position, say).
#define KV_COMPARE_IMAGES_AT(actual, expected, where)                                              \
    do {                                                                                           \
        const QString difference_ = ::kv::testing::imageDifference(actual, expected);              \
        QVERIFY2(difference_.isEmpty(),                                                            \
            qPrintable(QString(where) + QStringLiteral(" " #actual " against " #expected ": ")     \
                + difference_));                                                                   \
    } while (false)
#define KV_COMPARE_IMAGES(actual, expected) KV_COMPARE_IMAGES_AT(actual, expected, QString())

// While it lives, closes every modal box that opens: a repeating timer finds the active modal
// widget, records what it shows and clicks OK (a box without OK is rejected). A box that opens
// after the deadline is closed too, and counted as late, so that the call that opened it returns
// and the test can fail.
class ModalCloser : public QObject {
    Q_OBJECT
public:
    struct Box {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        QImage behind; // the screen's picture of the window behind the box, when asked for
        bool late = false; // opened after the deadline
    };

    // With behind, each box also records what the screen shows of that window while the box
    // is open.
    explicit ModalCloser(
        std::chrono::milliseconds deadline = std::chrono::seconds(5), QWidget* behind = nullptr);

    const std::vector<Box>& closed() const { return closed_; }
    // How many boxes opened after the deadline.
    int late() const { return late_; }

private:
    void look();

    QTimer timer_;
    QDeadlineTimer deadline_;
    QWidget* behind_;
    std::vector<Box> closed_;
    int late_ = 0;
};

// The base of every window test: a window, shown and exposed, for each test function.
class WindowTest : public QObject {
    Q_OBJECT
protected:
    // Handles the events that are waiting, paints included.
    static void settle();
    // The colour on screen at a point of the diagram's user scale, read from a picture of the
    // window at its device pixel ratio.
    QColor diagramPixel(double x, double y, const QImage& shot) const;
    // The diagram of n drawn on a surface of its own, as large as the window's, and rasterised
    // whole at the window's pixel ratio.
    QImage diagramAlone(int n) const;
    // An image's pixels alone, without its format and pixel ratio, to compare with another's.
    static QImage plainPixels(const QImage& image);
    // What the screen holds of the window now.
    QImage screenOfWindow() const { return screenPicture(w.get()); }
    // Selects n through the n scroll bar, as a change even where n is shown already.
    void selectN(int n) const;
    // Runs the event loop until no search runs, or no search has taken a step for the time given
    // (or a minute has passed); then returns what held the searches (an open box or menu), else
    // nothing.
    QString waitForSearches(std::chrono::milliseconds stall = std::chrono::seconds(2)) const;
    // The part of the diagram a picture of the screen shows, beside the same part of the
    // diagram of n drawn alone: equal when the screen shows the diagram of n. None where the
    // platform's picture of the screen lacks the window's device pixels, as the offscreen
    // platform of Qt 6.4 gives at a ratio other than 1: KV_COMPARE_DIAGRAM_ON_SCREEN skips then.
    struct DiagramOnScreen {
        QImage shown, expected;
    };
    std::optional<DiagramOnScreen> diagramOnScreen(const QImage& screen, int n) const;

    std::unique_ptr<Form1> w;
    QPalette desktopPalette; // what the toolkit offered before the application's set-up

private slots:
    void initTestCase();
    void init();
    void cleanup();
};

} // namespace kv::testing

// Clicks "Suche bis" and lets the event loop run the search to its end; fails the test, saying
// what held it, when it takes no step for two seconds.
#define KV_SEARCH()                                                                                \
    do {                                                                                           \
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);                                 \
        KV_WAIT_FOR_SEARCHES();                                                                    \
    } while (false)
#define KV_WAIT_FOR_SEARCHES()                                                                     \
    do {                                                                                           \
        const QString held_ = waitForSearches();                                                   \
        QVERIFY2(held_.isEmpty(), qPrintable(held_));                                              \
    } while (false)

// Fails the test unless the screen's picture shows the diagram of n; skips it, saying why, when
// the picture cannot show it. Comes last in a test function.
#define KV_COMPARE_DIAGRAM_ON_SCREEN(screen, n)                                                    \
    do {                                                                                           \
        const auto seen_ = diagramOnScreen(screen, n);                                             \
        if (!seen_)                                                                                \
            QSKIP("the platform's picture of the screen lacks the window's device pixels");        \
        KV_COMPARE_IMAGES(seen_->shown, seen_->expected);                                          \
    } while (false)
