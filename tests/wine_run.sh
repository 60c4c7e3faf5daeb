#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# wine_run.sh PREFIX PROGRAM.exe [ARGUMENT...]: runs a Windows program of the build under Wine,
# as CMake's emulator for the tests of a Windows build.
#
# PREFIX is a Wine prefix of the tests' own, made on first use (and again when unfinished):
# Windows 10, no Mono or Gecko, "Times New Roman" replaced by Liberation Serif, the fonts the
# offscreen platform reads in PREFIX/fonts. Runs that start together wait for one to make it.
#
# Wine gives Windows programs no QT_ variables of the Linux environment (they would steer a
# Windows toolkit wrongly); it passes WINEQT_* as QT_*. So every QT_ variable is handed on that
# way, and the toolkit's messages go to the error output, not the debugger.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ ! -f "$prefix/.kalvoster-ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.kalvoster-ready" ]; then
        rm -rf "$prefix"
        wineboot -i >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
        for face in "Times New Roman" "Times"; do
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
                /d "Liberation Serif" /f >/dev/null 2>&1
        done
        mkdir -p "$prefix/fonts"
        find /usr/share/fonts/truetype/liberation /usr/share/fonts/truetype/dejavu \
            -name '*.ttf' -exec cp {} "$prefix/fonts/" \; 2>/dev/null
        wineserver -w
        touch "$prefix/.kalvoster-ready"
    fi
    exec 9>&-
fi

while IFS='=' read -r name value; do
    case "$name" in QT_*) export "WINE$name=$value" ;; esac
done < <(env)
export WINEQT_FORCE_STDERR_LOGGING=1
export WINEQT_QPA_FONTDIR="Z:$prefix/fonts"
exec wine "$@"
