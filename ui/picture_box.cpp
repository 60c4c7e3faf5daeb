// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The box paints only what its paint event asks for: the surface renders the tiles of that area
// and the box blits them, then draws its border and, with the focus, the focus frame around the
// part that can be seen. A change of the drawing asks for a paint of the whole box.
#include "picture_box.h"

#include "focus_frame.h"
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
    surface_.setBackground(toRgb(palette().color(QPalette::Window)));
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

// A hidden box gets its resize event only when shown; what is drawn before needs the size now.
void PictureBox::place(const QRect& geometry)
{
    setGeometry(geometry);
    surface_.setSize(contentsRect().size());
}

QImage PictureBox::wholePicture() const
{
    // A copy of its own, so that the next drawing does not have to copy the kept image.
    return surface_.image(devicePixelRatioF()).copy();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    surface_.setSize(contentsRect().size());
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    // At a fractional pixel ratio the border's rounding may leave device pixels of the box
    // uncovered, at its edge and at the border's corners: under the border lies the parent's
    // face, reaching a pixel beyond the box's rectangle.
    if (QWidget* parent = parentWidget()) {
        fillRing(p, QRectF(0, 0, width() + 1, height() + 1), frameWidth() + 1,
            parent->palette().color(parent->backgroundRole()));
    }
    // The picture, and a pixel around it in the background colour: at a fractional pixel ratio
    // the border's rounding may leave a row or column of device pixels between the two. The
    // border is drawn over it.
    const QRect inner = contentsRect();
    const QRect ring = inner.adjusted(-1, -1, 1, 1);
    const QRect reach = ring & event->rect();
    if (!reach.isEmpty()) {
        const QColor back = toQColor(surface_.background());
        p.save();
        p.setClipRect(reach);
        if (surface_.isBlank()) { // nothing drawn: no image needed
            p.fillRect(reach, back);
            surface_.markShown();
        } else {
            fillRing(p, ring, 2, back);
            const QRect area = inner & event->rect();
            if (!area.isEmpty())
                p.drawImage(inner.topLeft(),
                    surface_.render(area.translated(-inner.topLeft()), devicePixelRatioF()));
        }
        p.restore();
    }
    drawFrame(&p);
    if (hasFocus()) // inside the border, around the part that can be seen
        drawFocusFrame(p, (inner & visibleRegion().boundingRect()).adjusted(1, 1, -1, -1));
}

namespace {

    // Draws the holder's focus frame over the viewport and lets the pointer through.
    class FocusOverlay : public QWidget {
    public:
        FocusOverlay(QWidget* holder, QWidget* parent)
            : QWidget(parent)
            , holder_(holder)
        {
            setAttribute(Qt::WA_TransparentForMouseEvents);
            setAttribute(Qt::WA_NoSystemBackground);
            setFocusPolicy(Qt::NoFocus);
            // Shown only while the holder has the focus: a widget over the diagram would make
            // every panning step repaint all of it.
            hide();
            holder->installEventFilter(this);
        }

        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == holder_ && event->type() == QEvent::FocusIn)
                show();
            else if (watched == holder_ && event->type() == QEvent::FocusOut)
                hide();
            return false;
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            if (holder_->hasFocus()) {
                QPainter p(this);
                drawFocusFrame(p, rect().adjusted(1, 1, -1, -1));
            }
        }

    private:
        QWidget* holder_;
    };

} // namespace

PictureViewport::PictureViewport(PictureBox* holder)
    : QWidget(holder)
    , overlay_(new FocusOverlay(holder, this))
{
    setObjectName(holder->objectName() + QStringLiteral("Viewport"));
    setGeometry(holder->contentsRect());
    overlay_->setGeometry(rect());
}

void PictureViewport::raiseFocusFrame()
{
    overlay_->raise();
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}

// The focus frame surrounds the visible part, which moves with the box.
void PictureBox::moveEvent(QMoveEvent* event)
{
    QFrame::moveEvent(event);
    if (hasFocus())
        update();
}

} // namespace kv
