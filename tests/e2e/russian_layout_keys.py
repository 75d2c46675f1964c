# SPDX-License-Identifier: GPL-3.0-or-later
"""Types into the real program with the Russian layout active, pressing physical keys, and reads
the answer boxes back as a screen reader does.

Usage (inside tests/a11y/with-atspi.sh): /usr/bin/python3 russian_layout_keys.py PROGRAM

The X server's keyboard gets two groups, the US layout and the Russian one (ЙЦУКЕН) on the
same keys, and Caps Lock switches between them; the test presses it once, so the Russian group
is on. The groups are set through the core keyboard mapping, which the server turns into XKB
groups: Xvfb here ignores XKB keymap uploads (setxkbmap, xkbcomp). Every key is pressed by its
X key code through XTEST, as a keyboard would: the key marked V and М gives «м», and Ctrl with
it is Ctrl+М. Then:

  - in the first whole-part box, typed letters come out Cyrillic (the Russian group is on) and
    Ctrl+A, Ctrl+C, End, Ctrl+М paste the box's text after itself: the shortcut works, so the
    denominator box below cannot pass for the wrong reason;
  - in the numerator box, Ctrl+М pastes and a Cyrillic letter goes in;
  - in the denominator box, a digit goes in, Ctrl+Z (the key marked Я) would take it back,
    Shift+Home and Ctrl+X (Ч) would cut what is there, Ctrl+М would paste, Cyrillic letters would
    go in: all are dropped, and the digits typed between them stay;
  - the next row's whole-part box still takes Ctrl+М.
"""

import os
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "a11y"))
import atspi_tree  # noqa: E402
from xtest_keyboard import Keyboard  # noqa: E402  (found next to this file)

TITLE = "^Тест для 6 класса"
FIRST_BOX = "Задание 1, целая часть"


def Focus(timeout):
    atspi_tree.FocusWindow(TITLE, timeout)


def Texts(timeout):
    """The answer boxes' texts by their names, read over the bus."""
    application = atspi_tree.FindApplication(TITLE, timeout)
    nodes = atspi_tree.Flatten(atspi_tree.DumpTree(application))
    return {n["name"]: n["text"] for n in nodes if n["role"] == "text"}


def Start(keys, timeout):
    """Space until the first whole-part box has the focus (a press can land too early)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        Focus(timeout)
        keys.Press("space")
        try:
            atspi_tree.WaitForNode(
                TITLE, lambda n: n["name"] == FIRST_BOX and "focused" in n["states"], 3.0)
            return
        except TimeoutError:
            continue
    raise TimeoutError("the test did not start")


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    keys = Keyboard()
    keys.AddRussianGroup()
    program = subprocess.Popen([sys.argv[1]])
    failures = []
    try:
        atspi_tree.FindApplication(TITLE, timeout=40)
        Start(keys, timeout=45)
        keys.SwitchGroup()  # the Russian group

        # The first whole-part box: "1", "2" and the keys marked F/А and Y/Н, then the box's
        # text pasted after itself with Ctrl+М.
        keys.Press("1", "2", "f", "y")
        keys.Ctrl("a")
        keys.Ctrl("c")
        keys.Press("End")
        keys.Ctrl("v")
        # The numerator box: a paste and the key marked R/К.
        keys.Press("Tab")
        keys.Ctrl("v")
        keys.Press("r")
        # The denominator box.
        keys.Press("Tab")
        keys.Press("3")
        keys.Ctrl("z")
        keys.Press("4")
        keys.Press("Home", held=("Shift_L",))
        keys.Ctrl("x")
        keys.Press("End")
        keys.Ctrl("v")
        keys.Press("a", "s", "d", "f", "semicolon", "bracketleft", "grave")
        keys.Press("5")
        # The next row's whole-part box.
        keys.Press("Tab")
        keys.Ctrl("v")
        time.sleep(0.5)

        expected = {
            "Задание 1, целая часть": "12ан12ан",
            "Задание 1, числитель": "12анк",
            "Задание 1, знаменатель": "345",
            "Задание 2, целая часть": "12ан",
        }
        texts = Texts(timeout=20)
        failures = [f"{name!r} reads {texts.get(name)!r}, {text!r} expected"
                    for name, text in expected.items() if texts.get(name) != text]
    except (TimeoutError, subprocess.SubprocessError, RuntimeError) as error:
        failures = [str(error)]
    finally:
        atspi_tree.Stop(program)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        return 1
    print("e2e: on the Russian layout Ctrl+М pastes into whole-part and numerator boxes; in a "
          "denominator box Ctrl+М, Ctrl+Ч, Ctrl+Я and Cyrillic letters are dropped, digits go in")
    return 0


if __name__ == "__main__":
    sys.exit(main())
