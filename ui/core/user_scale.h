// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where a point of a picture box's coordinate system lies on its inner area, and back.
//
// Until a scale is set, coordinates are twips from the top-left corner of the inner area. A
// scale (x1, y1)-(x2, y2) makes the top-left corner (x1, y1) and the bottom-right (x2, y2): with
// y2 < y1 the y axis points up, with x2 < x1 the x axis points left. Pixels are device-
// independent pixels; device pixels are pixels times the screen's pixel ratio.
#pragma once

namespace kv {

struct PointF {
    double x = 0, y = 0;
    bool operator==(const PointF&) const = default;
};

class UserScale {
public:
    // An inner area of width x height pixels, measured in twips at twipsPerPixel.
    UserScale(double width, double height, double twipsPerPixel);

    void setScale(double x1, double y1, double x2, double y2);
    // The inner area changed its size; a set scale stretches over the new size.
    void setSize(double width, double height);

    double width() const { return width_; }
    double height() const { return height_; }
    bool isTwips() const { return !userScale_; }

    PointF toPixels(double x, double y) const;
    PointF toDevice(double x, double y, double ratio) const;
    // The inverse mappings. On a scale without extent (x1 = x2 or y1 = y2), that axis maps every
    // point to the start of the inner area and every pixel back to x1 or y1.
    PointF fromPixels(double px, double py) const;
    PointF fromDevice(double dx, double dy, double ratio) const;

private:
    double width_, height_, twipsPerPixel_;
    bool userScale_ = false;
    double x1_ = 0, y1_ = 0, x2_ = 1, y2_ = 1;
};

} // namespace kv
