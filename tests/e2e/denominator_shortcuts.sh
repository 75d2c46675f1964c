#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real program in a real X server and reads its answer boxes as a screen reader
# does: Ctrl+C copies from a whole-part box, Ctrl+V pastes into another whole-part box, but in a
# denominator box Ctrl+V types a control code, which the box's filter discards.
# Usage (inside tests/a11y/with-atspi.sh): denominator_shortcuts.sh PROGRAM
set -euo pipefail
program=$1
a11y=$(cd "$(dirname "$0")/../a11y" && pwd)
title='^Тест для 6 класса'

dump=$(mktemp)
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -f "$dump"' EXIT

tree() { /usr/bin/python3 "$a11y/atspi_tree.py" --title "$title" "$@"; }

# Space starts the test; a press that lands before the window has the focus is pressed again.
for attempt in 1 2 3; do
    tree key:space 'wait:Задание 1, целая часть' >/dev/null && break
    [[ $attempt -lt 3 ]] || { echo "FAIL: the test did not start" >&2; exit 1; }
done

# From the first whole-part box: type "ab", select and copy it, go on to the row's denominator
# box, paste and type 3, then paste into the next row's whole-part box.
tree key:a,b,ctrl+a,ctrl+c,Tab,Tab,ctrl+v,3,Tab,ctrl+v sleep:0.5 dump >"$dump"

/usr/bin/python3 - "$dump" <<'PY'
import json
import sys

nodes = []
def walk(node):
    nodes.append(node)
    for child in node["children"]:
        walk(child)
with open(sys.argv[1], encoding="utf-8") as dumped:
    walk(json.load(dumped)[0])
texts = {node["name"]: node["text"] for node in nodes}
expected = {
    "Задание 1, целая часть": "ab",
    "Задание 1, знаменатель": "3",
    "Задание 2, целая часть": "ab",
}
failures = [f"{name!r} reads {texts.get(name)!r}, {text!r} expected"
            for name, text in expected.items() if texts.get(name) != text]
for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
if failures:
    sys.exit(1)
print("e2e: Ctrl+V pastes into a whole-part box and is discarded in a denominator box")
PY
