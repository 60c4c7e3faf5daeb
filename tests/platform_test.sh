#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on a real display server, compared with the offscreen platform the other tests use:
#   platform_test.sh wayland|xcb BUILD_DIR DESKTOP_FILE
# wayland: starts weston with its headless backend (a private XDG_RUNTIME_DIR) and runs the
# program there as a native Wayland client; xcb: starts Xvfb. In both, the snapshot helper
# selects n = 27 and n = 1365 and writes every control's text and the pixels of both drawings,
# which must equal those of the same run on the offscreen platform. The program must also name
# itself as its desktop entry does: the Wayland app_id is the entry's name, the X11 window class
# is its StartupWMClass. On X11, another client (xclip) pastes each drawing the program copied
# with the Copy key, as image/png, with the pixels of the drawing's whole picture; the headless
# Wayland compositor has no seat, so that no client there can use the clipboard. The display
# server is stopped on every exit; if it cannot start, the test fails and says why.
set -euo pipefail
platform=$1
build=$2
desktop_file=$3
snapshot="$build/app/kalvoster-snapshot"

work=$(mktemp -d)
server=
program=
cleanup() {
    if [ -n "$program" ]; then
        kill "$program" 2>/dev/null || true
        wait "$program" 2>/dev/null || true
    fi
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
fail() {
    echo "FAIL: $*"
    exit 1
}

# await_server WHAT CHECK...: waits up to ten seconds for CHECK to succeed while the display
# server just started runs.
await_server() {
    local what=$1
    shift
    for _ in $(seq 100); do
        "$@" && return 0
        kill -0 "$server" 2>/dev/null || break
        sleep 0.1
    done
    tail -n 20 "$work/server.log"
    fail "$what did not start (log above)"
}

app_id=$(basename "$desktop_file" .desktop)
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
[ -n "$wm_class" ] || fail "$desktop_file has no StartupWMClass"

case "$platform" in
wayland)
    command -v weston >/dev/null || fail "weston is not installed (Debian package weston)"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=headless-backend.so --socket=kalvoster-test --idle-time=0 \
        --width=2560 --height=1600 >"$work/server.log" 2>&1 &
    server=$!
    await_server "the headless Wayland compositor" test -S "$XDG_RUNTIME_DIR/kalvoster-test"
    display=(env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=kalvoster-test)
    ;;
xcb)
    command -v Xvfb >/dev/null || fail "Xvfb is not installed (Debian package xvfb)"
    Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp -noreset 3>"$work/display" \
        >"$work/server.log" 2>&1 &
    server=$!
    await_server "the virtual X server" test -s "$work/display"
    display=(env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=":$(cat "$work/display")")
    ;;
*)
    fail "unknown platform $platform"
    ;;
esac

offscreen=offscreen # or as the test's environment sets it up, with its screen
case "${QT_QPA_PLATFORM:-}" in offscreen*) offscreen=$QT_QPA_PLATFORM ;; esac

differences=0
for n in 27 1365; do
    QT_QPA_PLATFORM=$offscreen "$snapshot" --parts "$work/offscreen-$n" "$n" 2>"$work/offscreen.log" \
        || { cat "$work/offscreen.log"; fail "the offscreen run for n = $n failed"; }
    WAYLAND_DEBUG=client "${display[@]}" "$snapshot" --parts "$work/$platform-$n" "$n" \
        2>"$work/$platform.log" || {
        grep -v '^\[' "$work/$platform.log" | tail -n 20
        fail "the run on $platform for n = $n failed"
    }
    [ "$(cat "$work/$platform-$n/platform.txt")" = "$platform" ] \
        || fail "the program ran on $(cat "$work/$platform-$n/platform.txt"), not on $platform"
    diff -u "$work/offscreen-$n/texts.txt" "$work/$platform-$n/texts.txt" \
        || { echo "FAIL: n = $n: the texts differ on $platform"; differences=1; }
    for part in picausgabe picZeichenblatt; do
        cmp "$work/offscreen-$n/$part.ppm" "$work/$platform-$n/$part.ppm" \
            || { echo "FAIL: n = $n: $part differs on $platform"; differences=1; }
    done
done
[ "$differences" -eq 0 ] || exit 1

case "$platform" in
wayland)
    grep -q "set_app_id(\"$app_id\")" "$work/wayland.log" \
        || fail "the window's Wayland app_id is not $app_id: $(grep -o 'set_app_id([^)]*)' "$work/wayland.log")"
    echo "wayland: app_id $app_id"
    echo "wayland: the clipboard is not checked: the headless compositor has no seat"
    ;;
xcb)
    command -v xprop >/dev/null || fail "xprop is not installed (Debian package x11-utils)"
    "${display[@]}" "$build/app/kalvoster" >"$work/program.log" 2>&1 &
    program=$!
    class=
    for _ in $(seq 100); do
        # The window may be found by its name a moment before its class is set.
        class=$("${display[@]}" xprop -name Kalvoster WM_CLASS 2>/dev/null || true)
        [[ $class == *"WM_CLASS(STRING)"* ]] && break
        sleep 0.1
    done
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=
    if [ "$class" != "WM_CLASS(STRING) = \"kalvoster\", \"$wm_class\"" ]; then
        tail -n 20 "$work/program.log"
        fail "the window's class is not (kalvoster, $wm_class): ${class:-no window}"
    fi
    echo "xcb: ${class}"

    # Each drawing copied with the Copy key, pasted by another client.
    command -v xclip >/dev/null || fail "xclip is not installed (Debian package xclip)"
    for drawing in picausgabe picZeichenblatt; do
        "${display[@]}" "$snapshot" --copy "$drawing" "$work/$drawing-whole.png" 1365 \
            >"$work/copy.out" 2>"$work/copy.log" &
        program=$!
        for _ in $(seq 100); do
            grep -qx copied "$work/copy.out" && break
            kill -0 "$program" 2>/dev/null || break
            sleep 0.1
        done
        grep -qx copied "$work/copy.out" || { tail -n 20 "$work/copy.log"; fail "$drawing was not copied"; }
        "${display[@]}" timeout 10 xclip -selection clipboard -t TARGETS -o >"$work/targets" \
            || fail "xclip cannot read the clipboard's targets"
        grep -qx image/png "$work/targets" || fail "the clipboard does not offer image/png: $(cat "$work/targets")"
        "${display[@]}" timeout 10 xclip -selection clipboard -t image/png -o >"$work/$drawing-pasted.png" \
            || fail "xclip cannot paste $drawing as image/png"
        kill "$program" 2>/dev/null || true
        wait "$program" 2>/dev/null || true
        program=
        "$build/tests/same_pixels" "$work/$drawing-whole.png" "$work/$drawing-pasted.png" \
            || fail "$drawing pasted by another client is not the drawing's whole picture"
    done
    echo "xcb: both drawings pasted by another client as image/png, pixel for pixel"
    ;;
esac
echo "$platform: the texts and both drawings equal the offscreen platform's for n = 27 and 1365"
