// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace kv {

std::chrono::nanoseconds frameInterval(const QScreen* screen)
{
    const qreal hertz = screen ? screen->refreshRate() : 0;
    const qreal rate = hertz >= 20 && hertz <= 1000 ? hertz : 60;
    return std::chrono::nanoseconds(qRound64(1e9 / rate));
}

PaintPacer::PaintPacer(QWidget* window)
    : QObject(window)
    , window_(window)
{
    nextFrame_.setSingleShot(true);
    connect(&nextFrame_, &QTimer::timeout, this, &PaintPacer::paintNow);
    window_->installEventFilter(this);
}

// The toolkit asks a top-level widget to paint what has become dirty with one UpdateRequest
// event, and asks again only after it was handled: holding that event back holds back the
// paint, while the dirty regions go on collecting. A held paint is sent when its frame is due.
bool PaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    if (scopes_ == 0 || painting_ || watched != window_ || event->type() != QEvent::UpdateRequest)
        return false;
    const auto interval = frameInterval(window_->screen());
    // Before the scope's first paint, a whole frame counts as passed.
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

PaintPacer::Scope::Scope(PaintPacer& pacer)
    : pacer_(pacer)
{
    if (pacer_.scopes_++ == 0)
        pacer_.sinceFrame_.invalidate(); // the first step is painted at once
}

PaintPacer::Scope::~Scope()
{
    --pacer_.scopes_;
    // The last step, before anything that follows; its request may not have arrived yet when
    // the step came in the same turn as the one before.
    pacer_.held_ = true;
    pacer_.paintNow();
}

} // namespace kv
