# SPDX-License-Identifier: GPL-3.0-or-later
"""A pupil picks their name from the class's list before the test: the real program, physical
key presses through XTEST, and the dialog read over the accessibility bus as a screen reader
reads it.

Usage (inside tests/a11y/with-atspi.sh): /usr/bin/python3 pupil_from_list.py PROGRAM

In a folder of its own, the settings file the program reads says `[pupil] identity=list` and
`PROGRAM --import-roster FILE --class 6А` puts three pupils on the local journal's roster.
Then, in one run of the program:

  - «Начать тест» (Space) opens the dialog «Кто проходит тест» and no exercise yet; the class
    box, the pupil field, the pupils' list and the buttons say their names, the list holds the
    class's pupils with nobody chosen yet («Начать» not offered), and Tab goes through the
    controls in that order and round (Shift+Tab back);
  - «Отмена» (Shift+Tab to it, Space) goes back to the start: the dialog gone, «Начать тест»
    showing with the focus, no exercise showing, and no attempt in the journal;
  - «Начать тест» again; Enter in the class box goes on to the pupil field; «ив» typed on the
    Russian layout narrows the list to two pupils, Down chooses the second, Tab and Tab reach
    «Начать» with that pupil still chosen, Enter starts;
  - the exercises show with the focus in the first box and the time counts down from ten
    minutes;
  - Shift+Tab and Enter hand in; once the result box shows, the journal (read with the sqlite3
    shell) holds one attempt, handed in, by that pupil, of class «6А», linked to the pupil's
    line on the roster.
"""

import json
import os
import re
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "a11y"))
import atspi_tree  # noqa: E402
from atspi_tree import Labels, Showing  # noqa: E402
from xtest_keyboard import Keyboard  # noqa: E402  (found next to this file)

TITLE = "^Тест для 6 класса"
DIALOG = "Кто проходит тест"
START = "Начать тест"
FIRST_BOX = "Задание 1, целая часть"
RESULT_BOX = "^Результат теста$"
CLASS = "6А"
PUPILS = ["Иванов Иван", "Ивлева Ольга", "Петров Пётр"]
TYPED = "ив"
NARROWED = ["Иванов Иван", "Ивлева Ольга"]
CHOSEN = "Ивлева Ольга"
# What a screen reader says for each control of the dialog, in the order Tab reaches them
# («Начать» only while somebody is chosen).
CLASS_BOX = ("combo box", f"Класс: {CLASS}")
PUPIL_FIELD = ("text", "Ученик: начните вводить фамилию")
PUPIL_LIST = ("list", "Ученики класса")
START_BUTTON = ("push button", "Начать")
CANCEL_BUTTON = ("push button", "Отмена")
TIME_TEXT = re.compile(r"^00:(\d\d):(\d\d)$")
WAIT = 20.0


class Failed(Exception):
    pass


def Spoken(node):
    """What a screen reader says for a control: a combo box by its label and its value, the
    others by their name (else their label)."""
    labels = Labels(node, "LABELLED_BY")
    if node["role"] == "combo box":
        return " ".join(labels + [node["name"]])
    return node["name"] or " ".join(labels)


def Controls(node):
    """The controls a Tab can reach under `node`, in reading order: a combo box's popup and a
    list's items are the control's own."""
    found = []
    for child in node["children"]:
        if child["role"] in ("combo box", "text", "list", "push button"):
            found.append(child)
        else:
            found.extend(Controls(child))
    return found


def FocusNow():
    """Where the focus is in the whole program, for a failure's message."""
    nodes = atspi_tree.Flatten(atspi_tree.DumpTree(Application()))
    return [(n["role"], n["name"]) for n in nodes
            if "focused" in n["states"] and n["role"] != "list item"]


def Application(timeout=WAIT):
    return atspi_tree.FindApplication(TITLE, timeout)


def Dialog():
    """The dialog as dumped now, or None when it is not showing."""
    tree = atspi_tree.DumpTree(Application())
    dialogs = [n for n in tree["children"] if n["name"] == DIALOG and Showing(n)]
    return dialogs[0] if dialogs else None


def Within(timeout, read):
    """Reads with `read` until it gives something true, for at most `timeout` seconds; that
    value, or None."""
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(0.1)


def Focused(dialog):
    focused = [(n["role"], Spoken(n)) for n in Controls(dialog) if "focused" in n["states"]]
    return focused[0] if len(focused) == 1 else tuple(focused)


def FocusAfter(keys, key, expected, held=()):
    """Presses `key` in the dialog and waits for the focus to reach `expected`; returns where
    it is then."""
    keys.Press(key, held=held)
    dialog = None
    deadline = time.monotonic() + 3.0
    while time.monotonic() < deadline:
        dialog = Dialog()
        if dialog is not None and Focused(dialog) == expected:
            break
        time.sleep(0.1)
    return Focused(dialog) if dialog is not None else "the dialog is gone"


def PupilList(dialog):
    """The pupils' list's items as read, and the one chosen (selected)."""
    if dialog is None:
        raise Failed(f"the dialog «{DIALOG}» is gone")
    lists = [n for n in Controls(dialog) if n["role"] == "list"]
    if len(lists) != 1:
        raise Failed(f"the dialog has {len(lists)} pupils' lists")
    items = [n for n in lists[0]["children"] if Showing(n)]
    chosen = [n["name"] for n in items if "selected" in n["states"]]
    return [n["name"] for n in items], chosen


def OpenDialog(keys):
    """Space on «Начать тест» until the dialog shows (a press can land before the window has
    the focus); the dialog then."""
    deadline = time.monotonic() + WAIT
    while True:
        atspi_tree.FocusWindow(TITLE, WAIT)
        keys.Press("space")
        dialog = Within(3.0, Dialog)
        if dialog is not None:
            atspi_tree.FocusWindow("^" + DIALOG + "$", WAIT)
            return dialog
        nodes = atspi_tree.Flatten(atspi_tree.DumpTree(Application()))
        if not any(Showing(n) for n in atspi_tree.Named(nodes, START)):
            raise Failed(f"«{START}» went away without a dialog")
        if time.monotonic() > deadline:
            raise Failed(f"Space on «{START}» opened no dialog «{DIALOG}»")


def CheckDialog(dialog):
    """The dialog's name, its controls' names, the class's pupils, and no exercise behind."""
    failures = []
    if dialog["role"] != "dialog":
        failures.append(f"«{DIALOG}» is a {dialog['role']}, not a dialog")
    controls = [(n["role"], Spoken(n)) for n in Controls(dialog)]
    wanted = [CLASS_BOX, PUPIL_FIELD, PUPIL_LIST, START_BUTTON, CANCEL_BUTTON]
    if controls != wanted:
        failures.append(f"the dialog's controls read {controls}, not {wanted}")
    pupils, chosen = PupilList(dialog)
    if pupils != PUPILS:
        failures.append(f"the list holds {pupils}, not {PUPILS}")
    # Nobody is chosen before a letter or an arrow says who, so Enter cannot start the test
    # for whoever the list begins with.
    start = [n for n in Controls(dialog) if (n["role"], Spoken(n)) == START_BUTTON]
    if chosen or any("enabled" in n["states"] for n in start):
        failures.append(f"the dialog opens with {chosen} chosen and «Начать» "
                        f"{[n['states'] for n in start]}")
    nodes = atspi_tree.Flatten(atspi_tree.DumpTree(Application()))
    if any(Showing(n) for n in atspi_tree.Named(nodes, FIRST_BOX)):
        failures.append("the exercises show behind the dialog")
    return failures


def CheckTabOrder(keys, dialog):
    """Tab from the class box through every control and round to it; then Shift+Tab, which
    leaves the focus on «Отмена»."""
    failures = []
    at = Focused(dialog)
    if at != CLASS_BOX:
        failures.append(f"the dialog opens with the focus on {at}, not {CLASS_BOX}")
    # The list, once it has the focus, has its first pupil chosen (the one a screen reader says
    # on entering it), so «Начать» is offered from then on.
    ring = [PUPIL_FIELD, PUPIL_LIST, START_BUTTON, CANCEL_BUTTON, CLASS_BOX]
    for expected in ring:
        at = FocusAfter(keys, "Tab", expected)
        if at != expected:
            return failures + [f"Tab reached {at}, not {expected}"]
    at = FocusAfter(keys, "Tab", CANCEL_BUTTON, held=("Shift_L",))
    if at != CANCEL_BUTTON:
        failures.append(f"Shift+Tab from the class box reached {at}, not {CANCEL_BUTTON}")
    return failures


def Attempts(journal):
    """The journal's attempts with the roster line each is linked to, read with sqlite3."""
    result = subprocess.run(
        ["sqlite3", "-readonly", "-json", journal,
         "SELECT a.pupil, a.class_name, a.pupil_id, a.ending,"
         " p.surname || ' ' || p.first_name AS roster_pupil, c.name AS roster_class"
         " FROM attempt a LEFT JOIN roster_pupil p ON p.id = a.pupil_id"
         " LEFT JOIN school_class c ON c.id = p.class_id"],
        capture_output=True, text=True, timeout=WAIT)
    if result.returncode != 0:
        raise Failed(f"sqlite3 could not read the journal: {result.stderr.strip()}")
    return json.loads(result.stdout) if result.stdout.strip() else []


def Cancel(keys, journal):
    """Space on «Отмена» (which has the focus): back to the start, nothing in the journal."""
    keys.Press("space")
    failures = []
    BackToWindow()

    def StartFocused():
        nodes = atspi_tree.Flatten(atspi_tree.DumpTree(Application()))
        return any(Showing(n) and "focused" in n["states"]
                   for n in atspi_tree.Named(nodes, START))
    if not Within(3.0, StartFocused):
        failures.append(f"after «Отмена» «{START}» is not showing with the focus, "
                        f"which is on {FocusNow()}")
    nodes = atspi_tree.Flatten(atspi_tree.DumpTree(Application()))
    if any(Showing(n) for n in atspi_tree.Named(nodes, FIRST_BOX)):
        failures.append("after «Отмена» the exercises show")
    # A started test is in the journal within a second or so; a cancelled one never.
    time.sleep(2.0)
    if Attempts(journal):
        failures.append(f"after «Отмена» the journal holds {Attempts(journal)}")
    return failures


def Choose(keys):
    """Enter in the class box to reach the pupil field, «ив» typed on the Russian layout,
    Down to choose the second pupil left, Tab and Tab to «Начать», and Enter."""
    failures = []
    dialog = Dialog()
    if Focused(dialog) != CLASS_BOX:
        failures.append(f"the dialog opens again with the focus on {Focused(dialog)}")
    at = FocusAfter(keys, "Return", PUPIL_FIELD)
    if at != PUPIL_FIELD:
        raise Failed(f"Enter in the class box left the focus on {at}, not {PUPIL_FIELD}")
    keys.SwitchGroup()
    keys.TypeRussian(TYPED)
    keys.SwitchGroup()
    if not Within(5.0, lambda: PupilList(Dialog())[0] == NARROWED):
        raise Failed(f"«{TYPED}» left {PupilList(Dialog())[0]} in the list, not {NARROWED}")
    field = [n for n in Controls(Dialog()) if (n["role"], Spoken(n)) == PUPIL_FIELD]
    if not field or field[0]["text"] != TYPED:
        failures.append(f"the pupil field reads {[n['text'] for n in field]}, not {TYPED!r}")
    keys.Press("Down")
    if not Within(5.0, lambda: PupilList(Dialog())[1] == [CHOSEN]):
        raise Failed(f"Down chose {PupilList(Dialog())[1]}, not {CHOSEN}")
    for expected in (PUPIL_LIST, START_BUTTON):
        at = FocusAfter(keys, "Tab", expected)
        if at != expected:
            raise Failed(f"Tab reached {at}, not {expected}")
    _, chosen = PupilList(Dialog())
    if chosen != [CHOSEN]:
        failures.append(f"with the focus on «Начать» the list has {chosen} chosen")
    keys.Press("Return")
    BackToWindow()
    return failures


def BackToWindow():
    """The focus back to the test's window once the dialog has closed, as a desktop's window
    manager gives it back (Xvfb runs none)."""
    if not Within(5.0, lambda: Dialog() is None):
        raise Failed(f"the dialog «{DIALOG}» did not close")
    atspi_tree.FocusWindow(TITLE, WAIT)


def SecondsShown(nodes):
    times = [n for n in nodes if "Осталось времени" in Labels(n, "LABELLED_BY")]
    match = TIME_TEXT.match(times[0]["name"]) if len(times) == 1 else None
    return int(match.group(1)) * 60 + int(match.group(2)) if match else None


def CheckStarted():
    """The first box has the focus, the dialog is gone, and the time runs from ten minutes."""
    def FirstBoxFocused():
        tree = atspi_tree.DumpTree(Application())
        nodes = atspi_tree.Flatten(tree)
        return nodes if any(Showing(n) and "focused" in n["states"]
                            for n in atspi_tree.Named(nodes, FIRST_BOX)) else None
    nodes = Within(WAIT, FirstBoxFocused)
    if nodes is None:
        raise Failed(f"«Начать» did not start the test with the focus in «{FIRST_BOX}»; "
                     f"it is on {FocusNow()}")
    failures = []
    if any(n["name"] == DIALOG and Showing(n) for n in nodes):
        failures.append("the dialog still shows after «Начать»")
    first = SecondsShown(nodes)
    if first is None or not 590 <= first <= 600:
        return failures + [f"the time shows {first} seconds at the start, not about 600"]

    def Later():
        now = SecondsShown(atspi_tree.Flatten(atspi_tree.DumpTree(Application())))
        return now is not None and now < first
    if not Within(5.0, Later):
        failures.append(f"the time stays at {first} seconds")
    return failures


def HandIn(keys, journal):
    """Shift+Tab from the first box to «Готово!», Enter; the journal once the result shows."""
    keys.Press("Tab", held=("Shift_L",))
    keys.Press("Return")
    try:
        atspi_tree.WaitForNode(RESULT_BOX, lambda n: re.search(RESULT_BOX, n["name"])
                               and n["role"] == "alert", WAIT)
    except TimeoutError:
        raise Failed("no result box after the hand-in") from None
    attempts = Attempts(journal)
    if len(attempts) != 1:
        return [f"the journal holds {len(attempts)} attempts, not one: {attempts}"]
    attempt = attempts[0]
    wanted = {"pupil": CHOSEN, "class_name": CLASS, "ending": "handed_in",
              "roster_pupil": CHOSEN, "roster_class": CLASS}
    failures = [f"the attempt's {key} is {attempt.get(key)!r}, not {value!r}"
                for key, value in wanted.items() if attempt.get(key) != value]
    if not attempt.get("pupil_id"):
        failures.append("the attempt is not linked to a pupil on the roster")
    return failures


def Prepare(program, folder):
    """The settings file, the roster, and the environment that points the program at them."""
    environment = dict(os.environ, XDG_DATA_HOME=os.path.join(folder, "data"),
                       XDG_CONFIG_HOME=os.path.join(folder, "config"),
                       XDG_CONFIG_DIRS=os.path.join(folder, "etc"))
    environment.pop("FRACTION_TEST_JOURNAL", None)
    settings = os.path.join(folder, "config", "fraction-test")
    os.makedirs(settings)
    with open(os.path.join(settings, "fraction-test.ini"), "w", encoding="utf-8") as ini:
        ini.write("[pupil]\nidentity=list\n")
    roster = os.path.join(folder, "6a.csv")
    with open(roster, "w", encoding="utf-8") as csv:
        csv.write("Фамилия;Имя\n")
        csv.writelines(name.replace(" ", ";") + "\n" for name in reversed(PUPILS))
    imported = subprocess.run([program, "--import-roster", roster, "--class", CLASS],
                              env=environment, capture_output=True, text=True, timeout=WAIT)
    if imported.returncode != 0:
        raise Failed(f"--import-roster ended with {imported.returncode}: {imported.stderr}")
    journal = os.path.join(folder, "data", "fraction-test", "journal.sqlite")
    if not os.path.exists(journal):
        raise Failed(f"--import-roster made no journal at {journal}")
    return environment, journal


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    keys = Keyboard()
    keys.AddRussianGroup()
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        program = None
        try:
            environment, journal = Prepare(sys.argv[1], folder)
            program = subprocess.Popen([sys.argv[1]], env=environment)
            Application(timeout=40)  # a slow start under the sanitizers
            dialog = OpenDialog(keys)
            failures += CheckDialog(dialog)
            failures += CheckTabOrder(keys, dialog)
            failures += Cancel(keys, journal)
            OpenDialog(keys)
            failures += Choose(keys)
            failures += CheckStarted()
            failures += HandIn(keys, journal)
        except (Failed, TimeoutError, subprocess.SubprocessError) as error:
            failures.append(str(error))
        finally:
            if program is not None:
                atspi_tree.Stop(program)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        return 1
    print(f"e2e: «{CHOSEN}» chosen from the list of {CLASS} by keys alone, read over AT-SPI; "
          "the attempt is hers in the journal, and «Отмена» wrote none")
    return 0


if __name__ == "__main__":
    sys.exit(main())
