#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's screenshots of the real program under Xvfb: at start, during a test and
# after hand-in. Usage: scripts/screenshots.sh PROGRAM [SUFFIX]   (run inside with-xvfb.sh)
set -euo pipefail
program=$1
suffix=${2:-}
docs=$(cd "$(dirname "$0")/../docs" && pwd)

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Тест для 6 класса' | head -n 1)
xdotool windowfocus --sync "$wid"
sleep 0.5
import -window "$wid" "$docs/screenshot-start$suffix.png"

xdotool key space
sleep 0.3
# A few answers, as a pupil might type them: some right, some not.
xdotool type --delay 20 '1'
xdotool key Tab
xdotool type --delay 20 '1'
xdotool key Tab
xdotool type --delay 20 '4'
xdotool key Tab Tab
xdotool type --delay 20 '3'
xdotool key Tab
xdotool type --delay 20 '5'
sleep 1.5
import -window "$wid" "$docs/screenshot-test$suffix.png"

xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Результат теста$' | head -n 1)
xdotool windowfocus --sync "$box"
xdotool key Return
sleep 0.5
import -window "$wid" "$docs/screenshot-result$suffix.png"
