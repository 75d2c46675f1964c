#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A test cut off by a crash is not lost: the real program, in a real X server, starts a test,
# takes typed answers, and is killed with SIGKILL. Started again, it finds the attempt and
# marks it "прерван" with what was typed; the journal's CSV export shows it.
# Usage: killed_mid_test.sh PROGRAM (with DISPLAY set, for instance by scripts/with-xvfb.sh).
set -euo pipefail
program=$1
title='Тест для 6 класса'

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# A journal of this test's own, and no classroom server from the machine's settings.
export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_CONFIG_DIRS=$home/etc
unset FRACTION_TEST_JOURNAL

fail() {
    echo "FAIL: $*" >&2
    [[ -n ${pid:-} ]] && kill -9 "$pid" 2>/dev/null
    exit 1
}

window_of() {
    timeout 20 xdotool search --sync --onlyvisible --pid "$1" --name "$title" | head -n 1
}

"$program" &
pid=$!
wid=$(window_of "$pid") || fail "the window did not appear"
xdotool windowfocus --sync "$wid"
sleep 0.3
# Start, then type into the first row's three boxes: whole part, numerator, denominator.
xdotool key space
sleep 0.5
xdotool type --delay 30 '7'
xdotool key Tab
xdotool type --delay 30 'ab'
xdotool key Tab
xdotool type --delay 30 '12'
# Typed answers are saved about once a second: give the last change time to reach the file.
sleep 2.5
kill -9 "$pid"
wait "$pid" 2>/dev/null || true

# The next start finds the attempt its dead process left running.
"$program" &
pid=$!
wid=$(window_of "$pid") || fail "the window did not appear the second time"
csv=$home/journal.csv
for _ in $(seq 50); do
    "$program" --export-csv "$csv" >/dev/null
    grep -q 'прерван' "$csv" && break
    sleep 0.2
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

/usr/bin/python3 - "$csv" <<'PY' || fail "the export does not show the interrupted attempt"
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    rows = list(csv.DictReader(f))
assert len(rows) == 1, f"{len(rows)} attempts in the journal, expected 1"
a = rows[0]
assert a["Как закончен"] == "прерван", a["Как закончен"]
typed = (a["Задание 1: введено, целая часть"], a["Задание 1: введено, числитель"],
         a["Задание 1: введено, знаменатель"])
# The denominator box keeps digits only; the others keep what was typed.
assert typed == ("7", "ab", "12"), typed
assert a["Задание 1: итог"] == "", a["Задание 1: итог"]
print("e2e: the killed test is in the journal as прерван with", typed)
PY
