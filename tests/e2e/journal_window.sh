#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A pupil takes the test with the real program in a real X server; then the teacher's window
# (`fraction-test --journal`) is opened on the same journal and read as a screen reader reads
# it: the attempt must be in its list, with the pupil's name, how it ended, the mark and the
# check that its record holds together.
# Usage: journal_window.sh PROGRAM (with DISPLAY set, for instance by scripts/with-xvfb.sh).
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
    [[ -n $pid ]] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A journal of this run's own, and nothing from the machine's settings.
export FRACTION_TEST_JOURNAL=$work/journal.sqlite
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/etc

# The pupil: start, answer two boxes, hand in, close the result, leave through the menu.
"$program" &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Тест для 6 класса' | head -n 1) ||
    fail "the test window did not appear"
xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool key space
sleep 0.5
xdotool key 1 Tab 4
sleep 0.2
xdotool key shift+Tab shift+Tab Return
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Результат теста$' | head -n 1) ||
    fail "no result box"
xdotool windowfocus --sync "$box"
xdotool key Return
sleep 0.5
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
kill -0 "$pid" 2>/dev/null && fail "the test window did not end"
wait "$pid" || fail "the test window ended with status $?"
pid=""

# Who the journal says took the test: the account's full name, else the login name.
login=$(id -un)
pupil=$(getent passwd "$login" | cut -d: -f5 | cut -d, -f1)
[[ -n $pupil ]] || pupil=$login

# The teacher: the journal window, read over the accessibility bus of a private session.
read_window() {
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" --journal &
    local teacher=$!
    local status=0
    /usr/bin/python3 "$here/read_journal_window.py" 30 >"$work/read.txt" || status=$?
    local wid
    wid=$(xdotool search --onlyvisible --name '^Журнал результатов' | head -n 1) || true
    if [[ -n $wid ]]; then
        xdotool windowfocus --sync "$wid" key ctrl+q || true
    fi
    for _ in $(seq 50); do
        kill -0 "$teacher" 2>/dev/null || break
        sleep 0.1
    done
    kill "$teacher" 2>/dev/null || true
    wait "$teacher" || true
    return "$status"
}
export -f read_window
export program here work
dbus-run-session -- bash -c read_window || fail "the list of attempts was not read: $(cat "$work/read.txt")"
cat "$work/read.txt"

rows=$(grep -c '^row' "$work/read.txt")
[[ $rows -eq 1 ]] || fail "expected one attempt in the list, found $rows"
IFS=$'\t' read -r _ name host started duration ending right mark check < <(grep '^row' "$work/read.txt")
[[ $name == "$pupil" ]] || fail "pupil '$name', expected '$pupil'"
[[ $host == "$(hostname)" ]] || fail "computer '$host', expected '$(hostname)'"
[[ $started == "$(date +%d.%m.%Y)"* ]] || fail "started '$started' is not today"
[[ $ending == "сдан" ]] || fail "ending '$ending'"
[[ $right =~ ^[0-9]+$ && $right -le 1 ]] || fail "right answers '$right'"
[[ $mark == "2" ]] || fail "mark '$mark'"
# The window judges the attempt again from its rows: one the pupil's program wrote holds together.
[[ $check == "сходится" ]] || fail "check '$check'"
grep -q $'^totals\tПоказано попыток: 1 (за '"$(date +%d.%m.%Y)"$'); средняя отметка: 2,0$' "$work/read.txt" ||
    fail "totals line"
echo "e2e: the attempt taken as a pupil is in the teacher's window: $name, $ending, mark $mark"

# The menu's keys from the name box: on X11 a line edit takes Ctrl+E (end of line) for itself;
# the window's «Сохранить список в CSV» must win, and Ctrl+Q close the window from there.
"$program" --journal &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Журнал результатов' | head -n 1) ||
    fail "the journal window did not appear again"
xdotool windowfocus --sync "$wid"
sleep 0.5
width=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { split($2, size, "x"); print size[1] }')
# The name box fills the right of the filter's first row.
xdotool mousemove --window "$wid" $((width - 200)) 36 click 1
sleep 0.2
xdotool type ab
xdotool key ctrl+e
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Сохранить список в CSV$' |
    head -n 1) || fail "Ctrl+E in the name box did not open «Сохранить список в CSV»"
xdotool windowfocus --sync "$dialog" key Escape
sleep 0.5
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" $((width - 200)) 36 click 1
xdotool key ctrl+q
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q in the name box did not close the journal window"
pid=""
echo "e2e: Ctrl+E and Ctrl+Q work from the journal window's name box"
