#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A pupil who sees the mark and kills the program cannot take the mark away: the real program,
# in a real X server, runs a test to the hand-in, and is killed with SIGKILL the moment its
# result box appears, three times over. Every attempt is in the journal as «сдан» with its mark
# and what was typed.
# Usage: killed_at_result.sh PROGRAM (with DISPLAY set, for instance by scripts/with-xvfb.sh).
set -euo pipefail
program=$1
title='Тест для 6 класса'
rounds=3

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

for round in $(seq "$rounds"); do
    "$program" &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name "$title" |
        head -n 1) || fail "the window did not appear (round $round)"
    xdotool windowfocus --sync "$wid"
    sleep 0.3
    # Start; type into the first row's whole part and numerator; back to «Готово!» and press it.
    xdotool key space
    sleep 0.5
    xdotool key "$round" Tab 4
    xdotool key shift+Tab shift+Tab Return
    # Killed as soon as the box is there, before anyone could close it.
    timeout 10 xdotool search --sync --onlyvisible --pid "$pid" --name '^Результат теста$' \
        >/dev/null || fail "no result box (round $round)"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
done

csv=$home/journal.csv
"$program" --export-csv "$csv" >/dev/null || fail "the export failed"
/usr/bin/python3 - "$csv" "$rounds" <<'PY' || fail "an attempt killed at its result lost its mark"
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    rows = list(csv.DictReader(f))
rounds = int(sys.argv[2])
assert len(rows) == rounds, f"{len(rows)} attempts in the journal, expected {rounds}"
for a in rows:
    assert a["Как закончен"] == "сдан", a["Как закончен"]
    assert a["Отметка"] in ("2", "3", "4", "5"), a["Отметка"]
    assert a["Задание 1: итог"] in ("верно", "неверно"), a["Задание 1: итог"]
wholes = sorted(a["Задание 1: введено, целая часть"] for a in rows)
assert wholes == [str(r) for r in range(1, rounds + 1)], wholes
print(f"e2e: {rounds} tests killed at the result box are all in the journal as сдан with a mark")
PY
