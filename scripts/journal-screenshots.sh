#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's pictures of the teacher's window under Xvfb, on a made-up class's journal:
# the list of today's attempts, one attempt, the charts, the typical mistakes, a practice
# sheet, the class view and the lists of classes.
# Usage: scripts/journal-screenshots.sh PROGRAM FILL_JOURNAL   (run inside with-xvfb.sh)
set -euo pipefail
program=$1
fill=$2
docs=$(cd "$(dirname "$0")/../docs" && pwd)
work=$(mktemp -d)
pid=""
trap '[[ -n $pid ]] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT

# Twenty-six pupils, each once a day over eight days.
"$fill" "$work/journal.sqlite" 208 8 >/dev/null
# The same pupils as class 6А, with two more who have not taken the test and one with 15 minutes.
{
    sqlite3 "$work/journal.sqlite" "SELECT DISTINCT pupil FROM attempt ORDER BY pupil" |
        awk '{ print $1 ";" $2 ($1 == "Ильина" ? ";;15" : "") }'
    printf 'Юдин;Юрий\nЯсенева;Яна\n'
} >"$work/6a.csv"
FRACTION_TEST_JOURNAL=$work/journal.sqlite XDG_CONFIG_DIRS=$work XDG_CONFIG_HOME=$work \
    "$program" --import-roster "$work/6a.csv" --class 6А >/dev/null
# A settings folder of its own: nothing the window remembered elsewhere, nothing written there.
FRACTION_TEST_JOURNAL=$work/journal.sqlite XDG_CONFIG_DIRS=$work XDG_CONFIG_HOME=$work \
    "$program" --journal &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Журнал результатов' | head -n 1)
xdotool windowfocus --sync "$wid"
sleep 0.5

# A click in the list, then down to an attempt with some wrong answers.
xdotool mousemove --window "$wid" 120 150 click 1
xdotool key Down Down Down
sleep 0.8
import -window "$wid" "$docs/screenshot-journal.png"

# Every day's attempts, so that the pupil's chart has a week of marks: «Дни» opened with a
# click, its last entry and the one above, «За все дни». Then into the list, on to the tabs'
# bar, and Right shows the charts.
xdotool mousemove --window "$wid" 98 36 click 1
sleep 0.5
xdotool key End Up Return
sleep 0.5
# The newest attempt, one with wrong answers, so that its page and its practice sheet show them.
xdotool mousemove --window "$wid" 120 113 click 1
sleep 0.5
xdotool key Tab Right
sleep 1.5
import -window "$wid" "$docs/screenshot-journal-charts.png"

# One tab further: the typical mistakes of the same attempts.
xdotool key Right
sleep 1.5
import -window "$wid" "$docs/screenshot-journal-mistakes.png"

# The attempt saved as PDF through the menu (Alt, Enter opens «Файл»; its fifth command),
# the file dialog given a path; its first page is the picture.
xdotool key Left Left
xdotool key alt
sleep 0.2
xdotool key Return
sleep 0.3
xdotool key Down Down Down Down Return
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name 'Сохранить попытку в PDF' | head -n 1)
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 10 "$work/attempt.pdf"
xdotool key Return
for _ in $(seq 50); do
    [[ -s $work/attempt.pdf ]] && break
    sleep 0.1
done
sleep 0.5
pdftoppm -r 80 -png -singlefile "$work/attempt.pdf" "$work/attempt"
convert "$work/attempt.png" -crop 662x560+0+0 +repage "$docs/screenshot-journal-attempt.png"

# The practice sheet of the same attempt, from the button under its facts; its first page.
xdotool mousemove --window "$wid" 852 229 click 1
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name 'Сохранить лист для тренировки' | head -n 1)
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 10 "$work/practice.pdf"
xdotool key Return
for _ in $(seq 50); do
    [[ -s $work/practice.pdf ]] && break
    sleep 0.1
done
sleep 0.5
pdftoppm -r 80 -png -f 1 -l 1 -singlefile "$work/practice.pdf" "$work/practice"
convert "$work/practice.png" -crop 662x560+0+0 +repage "$docs/screenshot-journal-practice.png"

# The class view (Alt+К) of all the days, each pupil's last attempt; then the lists of classes
# (Alt+И).
xdotool windowfocus --sync "$wid"
xdotool key alt+Cyrillic_ka
sleep 1.5
import -window "$wid" "$docs/screenshot-journal-class.png"
xdotool key alt+Cyrillic_i
sleep 1
import -window "$wid" "$docs/screenshot-journal-roster.png"
