# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the real program, presses Space to start the test, and checks over the accessibility
bus what a screen reader finds before and after.

Usage (inside tests/a11y/with-atspi.sh): /usr/bin/python3 check_started_window.py PROGRAM

It checks, after the start: the title, the start button that goes away, the thirty answer boxes
named for their exercise and part, focusable, with the focus in the first; the exercises frame
met row by row, each row one object named by its task and its exercise in words with the sign
once, holding its three boxes and its verdict; no bars or dots, no object named or labelled by a
frame's title; the time labelled by its caption. Then it hands the test in from the keyboard and
checks the message box's icon is named, and, once the box is closed: the boxes locked and not
focusable, their descriptions ending in the verdict, the key read in words row by row, the counts
labelled by their captions and the mark described as the mark. It checks the words only for
being words (the reading itself is tested in the engine's tests).
"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_tree  # noqa: E402  (found next to this file)
from atspi_tree import Labels, Named, Showing  # noqa: E402

TITLE = 'Тест для 6 класса на тему "Умноженния и деление обыкновенных дробей"'
TITLE_PATTERN = "^Тест для 6 класса"
START = "Начать тест"
DONE = "Готово!"
FIRST_BOX = "Задание 1, целая часть"
PARTS = ("целая часть", "числитель", "знаменатель")
BOXES = [f"Задание {row}, {part}" for row in range(1, 11) for part in PARTS]
SIGNS = (" умножить на ", " разделить на ")
FRAMES = ("Задания", "Ответы")
RESULT_BOX = "^Результат теста$"
VERDICTS = ("Ответ верный.", "Ответ неверный.")
# A number or a fraction in words: Russian letters and spaces, no figures.
WORDS = "[а-яё]+(?: [а-яё]+)*"


def Sign(text):
    """How many times an operation is read in `text`."""
    return sum(text.count(sign) for sign in SIGNS)


def Frame(nodes, title):
    frames = [n for n in nodes if n["name"] == title and n["role"] == "panel"]
    return frames[0] if len(frames) == 1 else None


def CheckNothingBorrowed(nodes):
    """No bars or dots, nothing named or labelled by a frame's title but the frames."""
    failures = []
    for title in FRAMES:
        named = [n for n in nodes if n["name"] == title]
        if len(named) != 1 or named[0]["role"] != "panel":
            failures.append(f"{title!r} names {[n['role'] for n in named]}, not one frame")
        for frame in named:
            fillers = [n for n in atspi_tree.Flatten(frame) if n["role"] == "filler"]
            if fillers:
                failures.append(f"{len(fillers)} drawing objects (bars or dots) in {title!r}")
    for node in nodes:
        borrowed = [t for t in Labels(node, "LABELLED_BY") if t in FRAMES]
        if borrowed:
            failures.append(f"{node['role']} {node['name']!r} is labelled by {borrowed}")
        if node["name"].strip() in ("умножить на", "разделить на"):
            failures.append(f"a sign is an object of its own: {node['name']!r}")
    return failures


def CheckRows(nodes, after_check):
    """The exercises frame holds ten rows in order, each read once with its parts inside."""
    frame = Frame(nodes, FRAMES[0])
    if frame is None:
        return ["no exercises frame"]
    failures = []
    rows = frame["children"]
    if len(rows) != 10:
        return [f"the exercises frame holds {len(rows)} objects, not ten rows"]
    for number, row in enumerate(rows, start=1):
        if row["role"] != "panel" or not re.fullmatch(
                f"Задание {number}: {WORDS}", row["name"]) or Sign(row["name"]) != 1:
            failures.append(f"row {number} reads {row['role']} {row['name']!r}")
        exercise = row["name"].partition(": ")[2]
        parts = [(c["role"], c["name"]) for c in row["children"]]
        verdict = parts[3][1] if len(parts) == 4 else None
        wanted = [("text", f"Задание {number}, {part}") for part in PARTS]
        wanted.append(("label", verdict if after_check and verdict in VERDICTS else ""))
        if parts != wanted:
            failures.append(f"row {number} holds {parts}")
            continue
        described = exercise + ". " + verdict if after_check else exercise
        for box in row["children"][:3]:
            if box["description"] != described:
                failures.append(f"{box['name']!r} is described as {box['description']!r}, "
                                f"not {described!r}")
            if after_check and ({"focusable", "enabled"} & set(box["states"])):
                failures.append(f"{box['name']!r} is locked but {sorted(box['states'])}")
        if row["children"][3]["description"] != (described if after_check else ""):
            failures.append(f"the verdict of row {number} is described as "
                            f"{row['children'][3]['description']!r}")
    return failures


def CheckLabelled(nodes, caption, value_pattern):
    """The value after `caption` is labelled by it, and keeps its own caption as its name."""
    values = [n for n in nodes if caption in Labels(n, "LABELLED_BY")]
    if len(values) != 1 or not re.fullmatch(value_pattern, values[0]["name"]):
        return [f"labelled by {caption!r}: {[n['name'] for n in values]}"]
    label = Named(nodes, caption)
    if len(label) != 1 or Labels(label[0], "LABEL_FOR") != [values[0]["name"]]:
        return [f"{caption!r} is not the label for {values[0]['name']!r}"]
    return []


def CheckKey(nodes):
    """The key, once shown, reads each row's task and answer in words."""
    frame = Frame(nodes, FRAMES[1])
    if frame is None or not Showing(frame):
        return ["the key is not showing"]
    failures = []
    for number, row in enumerate(frame["children"], start=1):
        if (row["role"] != "label" or not Showing(row) or row["children"]
                or not re.fullmatch(f"Задание {number}: {WORDS}", row["description"])):
            failures.append(f"key row {number}: {row['role']} {row['description']!r}")
    if len(frame["children"]) != 10:
        failures.append(f"the key has {len(frame['children'])} rows")
    return failures


def CheckHandedIn(tree):
    """What the window reads once the test is handed in and the result box closed."""
    nodes = atspi_tree.Flatten(tree)
    failures = CheckNothingBorrowed(nodes) + CheckRows(nodes, after_check=True)
    failures += CheckKey(nodes)
    failures += CheckLabelled(nodes, "Правильных ответов", "[0-9]+")
    failures += CheckLabelled(nodes, "Неправильных ответов", "[0-9]+")
    marks = [n for n in nodes if n["description"] == "Оценка"]
    if len(marks) != 1 or marks[0]["name"] not in "2345" or not Showing(marks[0]):
        failures.append(f"the mark: {[(n['name'], n['states']) for n in marks]}")
    return failures


def CheckResultBox(tree):
    """The result box's icon is a named image."""
    boxes = [n for n in tree["children"] if re.search(RESULT_BOX, n["name"])]
    if len(boxes) != 1:
        return [f"{len(boxes)} result boxes"]
    images = [n for n in atspi_tree.Flatten(boxes[0]) if n["role"] in ("image", "icon")]
    if not images or any(not n["name"] for n in images):
        return [f"the result box's images are {[n['name'] for n in images]}"]
    return []


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
    failures += CheckNothingBorrowed(nodes) + CheckRows(nodes, after_check=False)
    failures += CheckLabelled(nodes, "Осталось времени", "00:[0-9]{2}:[0-9]{2}")
    return failures


def HandIn(program_title, timeout):
    """Tabs from the first box to «Готово!» and presses Enter; checks the result box, closes it
    with Enter and returns the tree once the key is showing."""
    atspi_tree.PressKeys(program_title, ["Tab"] * 30 + ["Return"], "xdotool", timeout)
    try:
        tree = atspi_tree.WaitForNode(
            RESULT_BOX, lambda n: re.search(RESULT_BOX, n["name"]) and n["role"] == "alert",
            timeout)
    except TimeoutError:
        raise TimeoutError("no result box after the hand-in") from None
    failures = CheckResultBox(tree)
    # Enter to the box once it has the focus, as XTEST key presses (the box is gone before a
    # key release sent to its own window could land); again if the press came too early.
    deadline = time.monotonic() + timeout
    while True:
        box = atspi_tree.XWindow(RESULT_BOX, timeout)
        subprocess.run(["xdotool", "windowfocus", "--sync", box], check=False, timeout=timeout)
        subprocess.run(["xdotool", "key", "Return"], check=True, timeout=timeout)
        try:
            tree = atspi_tree.WaitForNode(
                program_title, lambda n: n["name"] == FRAMES[1] and Showing(n), 3.0)
            return failures, tree
        except TimeoutError:
            if time.monotonic() > deadline:
                raise TimeoutError("the key did not show after the result box") from None


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
        application = atspi_tree.FindApplication(TITLE_PATTERN, timeout=40)
        failures = CheckBefore(atspi_tree.DumpTree(application))
        failures += CheckStarted(StartTheTest(TITLE_PATTERN, timeout=45))
        box_failures, handed_in = HandIn(TITLE_PATTERN, timeout=45)
        failures += box_failures + CheckHandedIn(handed_in)
    except (TimeoutError, subprocess.SubprocessError) as error:
        failures = [str(error)]
    finally:
        atspi_tree.Stop(program)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        return 1
    print("a11y: the window reads as expected over AT-SPI after the start and the hand-in")
    return 0


if __name__ == "__main__":
    sys.exit(main())
