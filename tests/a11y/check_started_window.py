# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the real program, presses Space to start the test, and checks over the accessibility
bus what a screen reader finds before and after.

Usage (inside tests/a11y/with-atspi.sh): /usr/bin/python3 check_started_window.py PROGRAM

It checks what the window offers today: its title, the start button that goes away, the thirty
answer boxes that appear named for their exercise and part, focusable, with the focus in the
first, each described by its exercise. It does not check the wording of those descriptions.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_tree  # noqa: E402  (found next to this file)

TITLE = 'Тест для 6 класса на тему "Умноженния и деление обыкновенных дробей"'
TITLE_PATTERN = "^Тест для 6 класса"
START = "Начать тест"
DONE = "Готово!"
FIRST_BOX = "Задание 1, целая часть"
PARTS = ("целая часть", "числитель", "знаменатель")
BOXES = [f"Задание {row}, {part}" for row in range(1, 11) for part in PARTS]
SIGNS = (" умножить на ", " разделить на ")


def Named(nodes, name):
    return [node for node in nodes if node["name"] == name]


def Showing(node):
    return "showing" in node["states"]


def CheckBefore(tree):
    """What the window shows before the test starts; a list of failures."""
    nodes = atspi_tree.Flatten(tree)
    failures = []
    frames = [node for node in nodes if node["role"] == "frame"]
    if [frame["name"] for frame in frames] != [TITLE]:
        failures.append(f"one window titled {TITLE!r} expected, found "
                        f"{[frame['name'] for frame in frames]}")
    start = Named(nodes, START)
    if len(start) != 1 or start[0]["role"] != "push button" or not Showing(start[0]):
        failures.append(f"one showing push button {START!r} expected before the start")
    shown_boxes = [node["name"] for node in nodes if node["name"] in BOXES and Showing(node)]
    if shown_boxes:
        failures.append(f"answer boxes showing before the start: {shown_boxes}")
    return failures


def CheckStarted(tree):
    """What the window shows once Space has started the test; a list of failures."""
    nodes = atspi_tree.Flatten(tree)
    failures = []
    checks = [
        (START + " is gone", lambda: all(not Showing(n) for n in Named(nodes, START))),
        (DONE + " is showing", lambda: any(Showing(n) for n in Named(nodes, DONE))),
        (FIRST_BOX + " has the focus",
         lambda: any("focused" in n["states"] for n in Named(nodes, FIRST_BOX))),
        ("no other object has the focus",
         lambda: [n["name"] for n in nodes if "focused" in n["states"]] == [FIRST_BOX]),
    ]
    for what, holds in checks:
        if not holds():
            failures.append(what + ": not so")
    # Every box once, in the order of the rows and, within a row, whole part first.
    found = [n["name"] for n in nodes if n["name"] in BOXES]
    if found != BOXES:
        failures.append(f"the answer boxes in reading order are {found}")
    for name in BOXES:
        for node in Named(nodes, name):
            wanted = {"focusable", "showing", "enabled", "editable"}
            missing = wanted - set(node["states"])
            if node["role"] != "text" or missing:
                failures.append(f"{name!r}: role {node['role']!r}, lacks {sorted(missing)}")
            if not any(sign in node["description"] for sign in SIGNS):
                failures.append(f"{name!r}: description {node['description']!r} names no "
                                "operation")
    return failures


def StartTheTest(program_title, timeout):
    """Presses Space until the start button has gone (a press can land before the window
    takes the focus); returns the tree once the first answer box is showing."""
    deadline = time.monotonic() + timeout
    while True:
        atspi_tree.PressKeys(program_title, ["space"], "xdotool", timeout)
        try:
            return atspi_tree.WaitForNode(
                program_title, lambda n: n["name"] == FIRST_BOX and Showing(n), 3.0)
        except TimeoutError:
            tree = atspi_tree.DumpTree(atspi_tree.FindApplication(program_title, timeout))
            still = [n for n in Named(atspi_tree.Flatten(tree), START) if Showing(n)]
            if not still or time.monotonic() > deadline:
                raise


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    program = subprocess.Popen([sys.argv[1]])
    try:
        application = atspi_tree.FindApplication(TITLE_PATTERN, timeout=20)
        failures = CheckBefore(atspi_tree.DumpTree(application))
        failures += CheckStarted(StartTheTest(TITLE_PATTERN, timeout=15))
    except (TimeoutError, subprocess.SubprocessError) as error:
        failures = [str(error)]
    finally:
        program.terminate()
        try:
            program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        return 1
    print("a11y: the window and its thirty answer boxes read as expected over AT-SPI")
    return 0


if __name__ == "__main__":
    sys.exit(main())
