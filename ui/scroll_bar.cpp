// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scroll_bar.h"

#include "focus_frame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleFactory>

namespace kv {

ScrollBar::ScrollBar(const QString& name, int minimum, int maximum, int initial, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
    setObjectName(name);
    setRange(minimum, maximum);
    setValue(initial);
    setSingleStep(1);
    setPageStep(1);
    setTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    makeClassic(this);

    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (isSliderDown())
            emit Scroll();
        else
            emit Change();
    });
    connect(this, &QAbstractSlider::sliderPressed, this, [this] { valueAtPress_ = value(); });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (value() != valueAtPress_)
            emit Change();
    });
}

namespace {
    // The application's child that is the classic style.
    QString classicLookName()
    {
        return QStringLiteral("kv-classic-scroll-bars");
    }
}

void createClassicLook(QApplication& app)
{
    if (app.findChild<QStyle*>(classicLookName(), Qt::FindDirectChildrenOnly))
        return;
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        classic->setObjectName(classicLookName());
        classic->setParent(&app);
    }
}

void makeClassic(QScrollBar* bar)
{
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (auto* classic = app->findChild<QStyle*>(classicLookName(), Qt::FindDirectChildrenOnly))
            bar->setStyle(classic);
    }
}

void ScrollBar::paintEvent(QPaintEvent* event)
{
    {
        // At a fractional pixel ratio the style's rounding leaves device pixels at the edges of
        // the arrows and the thumb uncovered; below them lies the button face.
        QPainter p(this);
        p.fillRect(QRectF(rect()).adjusted(0, 0, 1, 1), palette().color(QPalette::Button));
    }
    QScrollBar::paintEvent(event);
    if (hasFocus()) {
        QPainter p(this);
        drawFocusFrame(p, rect());
    }
}

void ScrollBar::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
        triggerAction(SliderSingleStepSub);
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace kv
