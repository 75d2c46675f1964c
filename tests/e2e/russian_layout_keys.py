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

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "a11y"))
import atspi_tree  # noqa: E402

from Xlib import X, XK, display  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

TITLE = "^Тест для 6 класса"
FIRST_BOX = "Задание 1, целая часть"


XK.load_keysym_group("cyrillic")
XK.load_keysym_group("xkb")
# The Russian layout: the Latin key, and the Cyrillic letter it carries.
RUSSIAN = dict(zip(
    ["q", "w", "e", "r", "t", "y", "u", "i", "o", "p", "bracketleft", "bracketright",
     "a", "s", "d", "f", "g", "h", "j", "k", "l", "semicolon", "apostrophe",
     "z", "x", "c", "v", "b", "n", "m", "comma", "period", "grave"],
    ["shorti", "tse", "u", "ka", "ie", "en", "ghe", "sha", "shcha", "ze", "ha", "hardsign",
     "ef", "yeru", "ve", "a", "pe", "er", "o", "el", "de", "zhe", "e",
     "ya", "che", "es", "em", "i", "te", "softsign", "be", "yu", "io"]))


def Keysym(name):
    keysym = XK.string_to_keysym(name)
    if not keysym:
        raise RuntimeError(f"no keysym {name!r}")
    return keysym


class Keyboard:
    """Physical keys through XTEST, named by what the Latin layout prints on them."""

    def __init__(self):
        self.display = display.Display()

    def AddRussianGroup(self):
        """The Russian letters as the second group of their keys, and Caps Lock as the key
        that switches groups."""
        for latin, cyrillic in RUSSIAN.items():
            code = self.Code(latin)
            lower, upper = (self.display.keycode_to_keysym(code, i) for i in (0, 1))
            self.display.change_keyboard_mapping(code, [(
                lower, upper, Keysym("Cyrillic_" + cyrillic),
                Keysym("Cyrillic_" + cyrillic.upper()))])
        self.display.change_keyboard_mapping(
            self.Code("Caps_Lock"), [(Keysym("ISO_Next_Group"),) * 4])
        self.display.sync()

    def Code(self, name):
        keysym = XK.string_to_keysym(name)
        code = self.display.keysym_to_keycode(keysym)
        if not code:
            raise RuntimeError(f"no key for {name!r}")
        return code

    def _Send(self, kind, code):
        xtest.fake_input(self.display, kind, code)
        self.display.sync()
        time.sleep(0.03)

    def PressCode(self, code):
        self._Send(X.KeyPress, code)
        self._Send(X.KeyRelease, code)
        time.sleep(0.1)

    def Press(self, *names, held=()):
        """Each key in `names` pressed and released, with the keys in `held` held down."""
        for name in held:
            self._Send(X.KeyPress, self.Code(name))
        for name in names:
            self._Send(X.KeyPress, self.Code(name))
            self._Send(X.KeyRelease, self.Code(name))
        for name in reversed(held):
            self._Send(X.KeyRelease, self.Code(name))
        time.sleep(0.1)

    def Ctrl(self, letter):
        self.Press(letter, held=("Control_L",))


def Focus(timeout):
    window = atspi_tree._XWindow(TITLE, timeout)
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=timeout)


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
    caps_lock = keys.Code("Caps_Lock")
    keys.AddRussianGroup()
    program = subprocess.Popen([sys.argv[1]])
    failures = []
    try:
        atspi_tree.FindApplication(TITLE, timeout=40)
        Start(keys, timeout=45)
        keys.PressCode(caps_lock)  # the Russian group

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
    print("e2e: on the Russian layout Ctrl+М pastes into whole-part and numerator boxes; in a "
          "denominator box Ctrl+М, Ctrl+Ч, Ctrl+Я and Cyrillic letters are dropped, digits go in")
    return 0


if __name__ == "__main__":
    sys.exit(main())
