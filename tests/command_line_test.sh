#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's command line: --help and --version answer and end with status 0, every other
# argument ends with status 2 and one line on standard error, the toolkit's own options
# included; none of them opens a window.
# Usage: command_line_test.sh PROGRAM VERSION
set -uo pipefail
program=$1
version=$2
failed=0
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

check() { # expected-status stdout-pattern (empty: no output) stderr-line-count args...
    local status=$1 pattern=$2 lines=$3
    shift 3
    timeout 20 "$program" "$@" >"$out" 2>"$err"
    local got=$?
    local output_ok=1
    if [ -z "$pattern" ]; then [ -s "$out" ] && output_ok=0; else grep -q -- "$pattern" "$out" || output_ok=0; fi
    if [ "$got" != "$status" ] || [ "$output_ok" = 0 ] \
        || [ "$(wc -l <"$err")" != "$lines" ]; then
        echo "FAIL: kalvoster $* gave status $got (expected $status)"
        echo "  stdout: $(cat "$out")"
        echo "  stderr: $(cat "$err")"
        failed=1
    else
        echo "ok: kalvoster $*"
    fi
}

check 0 "^Aufruf: kalvoster" 0 --help
check 0 "^Kalvoster $version\$" 0 --version
for args in "-reverse" "-stylesheet /etc/passwd" "-style windows" "-platform offscreen" \
    "--bogus" "27" "--help extra"; do
    # shellcheck disable=SC2086
    check 2 "" 1 $args
done
grep -q "unbekanntes Argument" "$err" || { echo "FAIL: no German message"; failed=1; }
exit $failed
