#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real program in a real X server with real key presses: start the test, hand it
# in, close the result box, leave through the menu, and expect exit status 0.
# Usage: hand_in.sh PROGRAM (with DISPLAY set, for instance by scripts/with-xvfb.sh).
set -euo pipefail
program=$1
title='Тест для 6 класса'

fail() {
    echo "FAIL: $*" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
}

"$program" &
pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -n 1) ||
    fail "the window did not appear"
xdotool windowfocus --sync "$wid"
sleep 0.3

# "Начать тест" has the focus: Space starts the test.
xdotool key space
sleep 0.5
# The start button is gone and the focus is in the first answer box. Type into two boxes,
# then Shift+Tab goes back round the focus order, past the hidden start button, to "Готово!".
xdotool key 1 Tab 4
sleep 0.2
xdotool key shift+Tab shift+Tab Return

box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Результат теста$' | head -n 1) ||
    fail "no window titled Результат теста"
xdotool windowfocus --sync "$box"
xdotool key Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Результат теста$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Результат теста$' >/dev/null 2>&1 &&
    fail "the result box did not close"

# Alt opens the menu bar; Enter opens "Меню"; Up wraps to its last item, "Выход".
xdotool windowfocus --sync "$wid"
xdotool key alt
sleep 0.2
xdotool key Return
sleep 0.2
xdotool key Up Return

for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
status=0
wait "$pid" || status=$?
[[ $status -eq 0 ]] || { echo "FAIL: exit status $status" >&2; exit 1; }
echo "e2e: the program ran a test, showed its result and ended with status 0"
