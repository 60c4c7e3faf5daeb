// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_surface.h"

#include "runtime_error.h"

#include <iomanip>
#include <ostream>
#include <sstream>

namespace kv {

namespace {
    struct Printer {
        std::ostream& out;
        void color(Rgb c)
        {
            out << " #" << std::hex << std::setw(6) << std::setfill('0') << c << std::dec
                << std::setfill(' ');
        }
        void operator()(const ScaleOp& o)
        {
            out << "Scale (" << o.x1 << ", " << o.y1 << ")-(" << o.x2 << ", " << o.y2 << ")";
        }
        void operator()(const ClsOp&) { out << "Cls"; }
        void operator()(const LineOp& o)
        {
            out << "Line (" << o.x1 << ", " << o.y1 << ")-(" << o.x2 << ", " << o.y2 << ")";
            color(o.color);
        }
        void operator()(const BoxOp& o)
        {
            out << "Box (" << o.x1 << ", " << o.y1 << ")-(" << o.x2 << ", " << o.y2 << ")";
            color(o.color);
        }
        void operator()(const PSetOp& o)
        {
            out << "PSet (" << o.x << ", " << o.y << ") width " << o.drawWidth;
            color(o.color);
        }
        void operator()(const PrintOp& o)
        {
            out << "Print \"" << o.text << "\" at (" << o.x << ", " << o.y << ") size "
                << o.fontSize;
            color(o.color);
        }
    };
} // namespace

std::ostream& operator<<(std::ostream& out, const DrawOp& op)
{
    const auto flags = out.flags();
    out << std::setprecision(9);
    std::visit(Printer { out }, op);
    out.flags(flags);
    return out;
}

std::string describe(const DrawOp& op)
{
    std::ostringstream s;
    s << op;
    return s.str();
}

void RecordingSurface::call()
{
    if (failAtCall && calls_ >= *failAtCall)
        throw RuntimeError(RuntimeError::InvalidCall);
    ++calls_;
}

void RecordingSurface::Scale(float x1, float y1, float x2, float y2)
{
    call();
    ops.emplace_back(ScaleOp { x1, y1, x2, y2 });
}

void RecordingSurface::Cls()
{
    call();
    ops.emplace_back(ClsOp {});
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, Rgb color)
{
    call();
    ops.emplace_back(LineOp { x1, y1, x2, y2, color });
}

void RecordingSurface::Box(float x1, float y1, float x2, float y2, Rgb color)
{
    call();
    ops.emplace_back(BoxOp { x1, y1, x2, y2, color });
}

void RecordingSurface::PSet(float x, float y)
{
    call();
    ops.emplace_back(PSetOp { x, y, drawWidth, foreColor });
}

void RecordingSurface::Print(std::string_view text)
{
    call();
    ops.emplace_back(PrintOp { std::string(text), currentX, currentY, fontSize, foreColor });
}

void RecordingSurface::setCurrentX(float x)
{
    call();
    currentX = x;
}

void RecordingSurface::setCurrentY(float y)
{
    call();
    currentY = y;
}

void RecordingSurface::setForeColor(Rgb color)
{
    call();
    foreColor = color;
}

void RecordingSurface::setFontSize(float points)
{
    call();
    fontSize = points;
}

void RecordingSurface::setDrawWidth(int pixels)
{
    call();
    drawWidth = pixels;
}

} // namespace kv
