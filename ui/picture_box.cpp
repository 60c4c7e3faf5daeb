// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_box.h"

#include "twips.h"

#include <QPaintEvent>
#include <QPainter>

namespace kv {

PictureBox::PictureBox(const QString& name, QWidget* parent)
    : QFrame(parent)
    , surface_(QSize(), twips::perPixel())
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.setSize(contentsRect().size());
    surface_.setLogicalDpi(logicalDpiY());
    surface_.setChangedHandler([this] { update(); });
    // Until told otherwise, the standard colour of a plain picture box: the button face.
    surface_.setBackground(static_cast<Rgb>(palette().color(QPalette::Window).rgb()) & 0xFFFFFFu);
}

void PictureBox::setBackColor(Rgb color)
{
    surface_.setBackground(color);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(color));
    setPalette(p);
}

void PictureBox::setDrawFont(const QFont& font)
{
    surface_.setFont(font);
    setFont(font);
}

void PictureBox::setLeft(float twips)
{
    left_ = twips;
    // Inside the container's border, like any child placed at (0, 0).
    const int inner = parentWidget() ? parentWidget()->contentsRect().left() : 0;
    move(inner + twips::toPixels(twips), y());
}

// A hidden box gets its resize event only when shown; its size is already known.
ImageSurface& PictureBox::surface()
{
    surface_.setSize(contentsRect().size());
    return surface_;
}

const QImage& PictureBox::image()
{
    return surface().image(devicePixelRatioF());
}

QColor PictureBox::pixelAt(float x, float y)
{
    return surface().pixelAt(x, y, devicePixelRatioF());
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    surface_.setSize(contentsRect().size());
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event); // the border
    const QRect inner = contentsRect();
    const QRect area = inner & event->rect();
    if (area.isEmpty())
        return;
    QPainter p(this);
    p.setClipRect(area);
    if (surface_.isBlank()) { // nothing drawn: no image needed
        p.fillRect(area, toQColor(surface_.background()));
        surface_.markShown();
    } else {
        p.drawImage(inner.topLeft(),
            surface_.render(area.translated(-inner.topLeft()), devicePixelRatioF()));
    }
}

} // namespace kv
