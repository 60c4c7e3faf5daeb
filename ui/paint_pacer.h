// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Paints a window at the display's pace while a long run of changes goes on, steps at every turn
// of the event loop (the gap search): every pending event is still handled between two turns
// (input, clicks, a second run, closing the window); only the window's paints are held back, so
// that it is painted at most once per display frame, and at once when the run ends. What the
// user sees does not change, only how often it is drawn: no screen shows more than one frame per
// refresh.
//
// Outside a paced scope every paint goes through as it comes.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

class QScreen;
class QWidget;

namespace kv {

// The time between two frames of a screen: its refresh rate, 60 Hz where the platform does not
// say or says something implausible.
std::chrono::nanoseconds frameInterval(const QScreen* screen);

class PaintPacer : public QObject {
    Q_OBJECT
public:
    // Paces the paints of window, a top-level widget, which owns the pacer.
    explicit PaintPacer(QWidget* window);

    // Paced painting for as long as it lives; scopes may nest. When one ends, what has become
    // dirty is painted at once, before the statement after it, whether its paint was held back
    // or is still on its way.
    class Scope {
    public:
        explicit Scope(PaintPacer& pacer);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        PaintPacer& pacer_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintNow();

    QWidget* window_;
    int scopes_ = 0;
    bool held_ = false; // a paint was asked for and is held back
    bool painting_ = false;
    QElapsedTimer sinceFrame_; // since the last paint of the scope; invalid before its first
    QTimer nextFrame_;
};

} // namespace kv
