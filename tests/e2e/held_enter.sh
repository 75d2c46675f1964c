#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real program in a real X server: start the test, go to "Готово!" and hold Enter
# down. The X server repeats the held key; the test is handed in once, so one result box opens,
# however long the key is held.
# Usage: held_enter.sh PROGRAM (with DISPLAY set, for instance by scripts/with-xvfb.sh).
set -euo pipefail
program=$1
seen=$(mktemp)

fail() {
    echo "FAIL: $*" >&2
    xdotool keyup Return 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
    rm -f "$seen"
    exit 1
}

"$program" &
pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Тест для 6 класса' | head -n 1) ||
    fail "the window did not appear"
xdotool windowfocus --sync "$wid"
sleep 0.3
# Space starts the test and leaves the focus in the first answer box; Shift+Tab goes back round
# the focus order, past the hidden start button, to "Готово!".
xdotool key space
sleep 0.5
xdotool key shift+Tab
sleep 0.2

# Hold Enter for about two seconds, noting every result box that shows meanwhile.
xdotool keydown Return
for _ in $(seq 40); do
    xdotool search --onlyvisible --name '^Результат теста$' 2>/dev/null || true
    sleep 0.05
done | sort -u >"$seen"
xdotool keyup Return

boxes=$(wc -l <"$seen")
[[ $boxes -eq 1 ]] || fail "$boxes result boxes opened while Enter was held; one expected"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
rm -f "$seen"
echo "e2e: a held Enter handed the test in once"
