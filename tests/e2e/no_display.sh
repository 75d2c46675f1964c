#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started where no display can be reached, the program says so in one line and exits with a
# non-zero status of its own: no crash, no core dump, no Qt internals.
# Usage: no_display.sh PROGRAM
set -uo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

check() {
    local what=$1
    shift
    local err status
    err=$(mktemp)
    "$@" 2>"$err" >/dev/null
    status=$?
    local lines
    lines=$(wc -l <"$err")
    echo "$what: status $status, stderr: $(cat "$err")"
    [[ $status -ne 0 && $status -lt 128 ]] || fail "$what: status $status"
    [[ $lines -eq 1 ]] || fail "$what: $lines lines on stderr"
    grep -q 'дисплея' "$err" || fail "$what: the line does not say what is missing"
    rm -f "$err"
}

check "no DISPLAY" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
check "unreachable X server" env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=:7919 "$program"
check "no Wayland server" env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland "$program"
