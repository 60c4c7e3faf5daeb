// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the window at the display's pace while the gap search runs. The search's pump still
// handles every pending event on every step (input, clicks, a second search, closing the
// window); only the window's paints are held back, so that it is painted at most once per
// display frame, and at once when the search ends. What the user sees does not change, only how
// often it is drawn: no screen shows more than one frame per refresh.
//
// Outside a search every paint goes through as it comes.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

class QWidget;

namespace kv {

class PaintPacer : public QObject {
public:
    // Paces the paints of window, a top-level widget.
    explicit PaintPacer(QWidget* window);

    // Paced painting for as long as it lives; searches may nest. When it ends, what was held
    // back is painted at once.
    class Search {
    public:
        explicit Search(PaintPacer& pacer);
        ~Search();
        Search(const Search&) = delete;
        Search& operator=(const Search&) = delete;

    private:
        PaintPacer& pacer_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The display's refresh interval, 60 Hz where the platform does not say.
    std::chrono::nanoseconds frameInterval() const;
    void paintNow();

    QWidget* window_;
    int searches_ = 0;
    bool held_ = false; // a paint was asked for and is held back
    bool painting_ = false;
    QElapsedTimer sinceFrame_; // since the last paint of the search; invalid before its first
    QTimer nextFrame_;
};

} // namespace kv
