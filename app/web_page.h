// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program as the guest of a web page. The page chooses the scale that fits the browser
// window and starts the program with it; it restarts the program with n and the gap it had when
// another scale fits better, and shows what follows the end. On the desktop there is no page:
// only parseStart is built there (and tested).
#pragma once

#include <QString>
#include <optional>

namespace kv {

class Form1;

namespace page {

    // What the page passes at the start: --scale=S (the window's size in CSS pixels is S times
    // its natural size), --n=N and --gap=TEXT (where it stood before a restart). Anything else,
    // or a value out of range, is left out: the program then starts as it always does.
    struct Start {
        std::optional<double> scale;
        std::optional<int> n;
        std::optional<QString> gap;
    };
    Start parseStart(int argc, const char* const* argv);

#ifdef __EMSCRIPTEN__
    // Sets the scale, before the application object exists.
    void applyScale(const Start& start);

    // The menus' and boxes' font as on the desktop (DejaVu Sans at 9 points, where the browser's
    // toolkit would take 12), after the application object exists and before the window.
    void useDesktopFont();

    // Joins the window to the page: n and the gap as they were, the window's natural size told
    // to the page (which makes its place exactly that size times the scale), its state there
    // for the page to ask, and the on-screen keyboard only for fields that take text.
    void join(Form1& window, const Start& start);

    // Ends the program in the page, its window hidden, with the exit status; the page shows that
    // it has ended.
    void end(int exitStatus);
#endif

} // namespace page
} // namespace kv
