// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace kv {

// The toolkit asks a top-level widget to paint what has become dirty with one UpdateRequest
// event, and asks again only after it was handled: holding that event back holds back the
// paint, while the dirty regions go on collecting.
PaintPacer::PaintPacer(QWidget* window)
    : QObject(window)
    , window_(window)
{
    nextFrame_.setSingleShot(true);
    connect(&nextFrame_, &QTimer::timeout, this, &PaintPacer::paintNow);
    window_->installEventFilter(this);
}

std::chrono::nanoseconds PaintPacer::frameInterval() const
{
    const QScreen* screen = window_->screen();
    const qreal hertz = screen ? screen->refreshRate() : 0;
    const qreal rate = hertz >= 20 && hertz <= 1000 ? hertz : 60;
    return std::chrono::nanoseconds(qRound64(1e9 / rate));
}

bool PaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    if (searches_ == 0 || painting_ || watched != window_ || event->type() != QEvent::UpdateRequest)
        return false;
    const auto interval = frameInterval();
    // Before the search's first paint, a whole frame counts as passed.
    const std::chrono::nanoseconds elapsed(
        sinceFrame_.isValid() ? sinceFrame_.nsecsElapsed() : interval.count());
    if (elapsed >= interval) { // a frame is due: this paint goes through
        sinceFrame_.start();
        return false;
    }
    held_ = true;
    if (!nextFrame_.isActive())
        nextFrame_.start(std::chrono::ceil<std::chrono::milliseconds>(interval - elapsed));
    return true;
}

void PaintPacer::paintNow()
{
    nextFrame_.stop();
    if (!held_)
        return;
    held_ = false;
    painting_ = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(window_, &request);
    painting_ = false;
    sinceFrame_.start();
}

PaintPacer::Search::Search(PaintPacer& pacer)
    : pacer_(pacer)
{
    if (pacer_.searches_++ == 0)
        pacer_.sinceFrame_.invalidate(); // the search's first step is painted at once
}

PaintPacer::Search::~Search()
{
    --pacer_.searches_;
    pacer_.paintNow(); // the search's last n, before anything that follows it
}

} // namespace kv
