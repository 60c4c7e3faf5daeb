// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A surface that records every drawing call with the state it was made in, for tests and
// benchmarks. It can be told to fail at a given call, to exercise error paths.
#pragma once

#include "surface.h"

#include <iosfwd>
#include <optional>
#include <variant>
#include <vector>

namespace kv {

struct ScaleOp {
    float x1, y1, x2, y2;
    bool operator==(const ScaleOp&) const = default;
};
struct ClsOp {
    bool operator==(const ClsOp&) const = default;
};
struct LineOp {
    float x1, y1, x2, y2;
    Rgb color;
    bool operator==(const LineOp&) const = default;
};
struct BoxOp {
    float x1, y1, x2, y2;
    Rgb color;
    bool operator==(const BoxOp&) const = default;
};
struct PSetOp {
    float x, y;
    int drawWidth;
    Rgb color;
    bool operator==(const PSetOp&) const = default;
};
struct PrintOp {
    std::string text;
    float x, y;
    float fontSize;
    Rgb color;
    bool operator==(const PrintOp&) const = default;
};

using DrawOp = std::variant<ScaleOp, ClsOp, LineOp, BoxOp, PSetOp, PrintOp>;

std::ostream& operator<<(std::ostream& out, const DrawOp& op);
std::string describe(const DrawOp& op);

class RecordingSurface : public Surface {
public:
    std::vector<DrawOp> ops;

    // The state properties, as the next call would use them.
    float currentX = 0, currentY = 0;
    Rgb foreColor = 0;
    float fontSize = 0;
    int drawWidth = 1;

    // Raises error 5 at the call with this number (0 is the first call, property assignments
    // included), and at every call after it.
    std::optional<int> failAtCall;

    void Scale(float x1, float y1, float x2, float y2) override;
    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, Rgb color) override;
    void Box(float x1, float y1, float x2, float y2, Rgb color) override;
    void PSet(float x, float y) override;
    void Print(std::string_view text) override;
    void setCurrentX(float x) override;
    void setCurrentY(float y) override;
    void setForeColor(Rgb color) override;
    void setFontSize(float points) override;
    void setDrawWidth(int pixels) override;

    template <typename Op> std::vector<Op> only() const
    {
        std::vector<Op> out;
        for (const auto& op : ops)
            if (const auto* o = std::get_if<Op>(&op))
                out.push_back(*o);
        return out;
    }

private:
    void call();
    int calls_ = 0;
};

} // namespace kv
