// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "user_scale.h"

namespace kv {

namespace {

    // value's place from `from` in an extent of `extent` units spread over `size` pixels.
    double toAxis(double value, double from, double extent, double size)
    {
        return extent == 0 ? 0 : (value - from) * size / extent;
    }

    double fromAxis(double pixels, double from, double extent, double size)
    {
        return size == 0 ? from : from + pixels * extent / size;
    }

} // namespace

UserScale::UserScale(double width, double height, double twipsPerPixel)
    : width_(width)
    , height_(height)
    , twipsPerPixel_(twipsPerPixel > 0 ? twipsPerPixel : 15)
{
}

void UserScale::setScale(double x1, double y1, double x2, double y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    userScale_ = true;
}

void UserScale::setSize(double width, double height)
{
    width_ = width;
    height_ = height;
}

PointF UserScale::toPixels(double x, double y) const
{
    if (!userScale_)
        return { x / twipsPerPixel_, y / twipsPerPixel_ };
    return { toAxis(x, x1_, x2_ - x1_, width_), toAxis(y, y1_, y2_ - y1_, height_) };
}

PointF UserScale::toDevice(double x, double y, double ratio) const
{
    const PointF p = toPixels(x, y);
    return { p.x * ratio, p.y * ratio };
}

PointF UserScale::fromPixels(double px, double py) const
{
    if (!userScale_)
        return { px * twipsPerPixel_, py * twipsPerPixel_ };
    if (x1_ == x2_)
        px = 0;
    if (y1_ == y2_)
        py = 0;
    return { fromAxis(px, x1_, x2_ - x1_, width_), fromAxis(py, y1_, y2_ - y1_, height_) };
}

PointF UserScale::fromDevice(double dx, double dy, double ratio) const
{
    return ratio > 0 ? fromPixels(dx / ratio, dy / ratio) : fromPixels(0, 0);
}

} // namespace kv
