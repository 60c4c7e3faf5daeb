#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# windows_package_test.sh PACKAGE_DIR VERSION: the two Windows files under Wine, in a fresh
# prefix, on a virtual X server. The zip's program answers --version and opens its window "Kalvoster";
# the installer, run silently, puts the program under Program Files with a Start-menu entry and
# an entry in "Apps & Features", the installed program opens its window, and the uninstaller,
# run silently, removes all of it.
set -euo pipefail
packages=$(realpath "$1")
version=$2
work=$(mktemp -d)
display=
cleanup() {
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    [ -n "$display" ] && kill "$display" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The X server takes a free display and writes its number when it is ready for clients. It comes
# first: Wine's desktop, started with the prefix, stays without a display if there is none yet.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
display=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$display" 2>/dev/null || { cat "$work/xvfb.log"; fail "the virtual X server ended"; }
    sleep 0.1
done
[ -s "$work/display" ] || fail "the virtual X server did not start within 10 s"
export DISPLAY=":$(cat "$work/display")"
wineboot -i >/dev/null 2>&1

# window_opens EXE: starts EXE and waits until its window "Kalvoster" is on the X server.
window_opens() {
    wine "$1" >"$work/program.log" 2>&1 &
    local program=$! seen=
    for _ in $(seq 150); do
        seen=$(xprop -name Kalvoster WM_NAME 2>/dev/null || true)
        [ -n "$seen" ] && break
        kill -0 "$program" 2>/dev/null || break
        sleep 0.2
    done
    kill "$program" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    [ -n "$seen" ] || { tail -n 20 "$work/program.log"; fail "$1 opened no window \"Kalvoster\""; }
}

zip="$packages/kalvoster-$version-win64.zip"
unzip -q "$zip" -d "$work/zip" || fail "cannot unpack $zip"
exe="$work/zip/kalvoster-$version-win64/kalvoster.exe"
answer=$(wine "$exe" --version 2>/dev/null | tr -d '\r')
[ "$answer" = "Kalvoster $version" ] || fail "the zip's program answers --version with: $answer"
window_opens "$exe"
echo "zip: kalvoster.exe answers --version and opens its window"

wine "$packages/kalvoster-$version-win64-setup.exe" /S || fail "the silent installation failed"
wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/Kalvoster"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kalvoster"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvoster'
[ -f "$installed/kalvoster.exe" ] || fail "no kalvoster.exe under Program Files"
[ -f "$menu/Kalvoster.lnk" ] || fail "no Start-menu entry Kalvoster"
wine reg query "$key" 2>/dev/null | tr -d '\r' >"$work/entry"
for value in "DisplayName.*Kalvoster" "DisplayVersion.*$version" "Publisher.*Kalvoster" \
    "DisplayIcon.*kalvoster.exe"; do
    grep -q "$value" "$work/entry" || fail "the entry in Apps & Features lacks $value"
done
window_opens "$installed/kalvoster.exe"
echo "installer: silent, under Program Files, in the Start menu and in Apps & Features; starts"

wine "$installed/Uninstall.exe" /S || fail "the silent uninstallation failed"
for _ in $(seq 50); do [ -e "$installed" ] || break; sleep 0.2; done
wineserver -w
[ ! -e "$installed" ] || fail "left behind: $(find "$installed" | head -n 5)"
[ ! -e "$menu" ] || fail "the Start-menu entry is left behind"
! wine reg query "$key" >/dev/null 2>&1 || fail "the entry in Apps & Features is left behind"
echo "uninstaller: silent, removes the program, its Start-menu entry and its entry"
