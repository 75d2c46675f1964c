# SPDX-License-Identifier: GPL-3.0-or-later
"""Physical key presses through XTEST, as a keyboard makes them, with the Russian layout on the
same keys as a second group.

Run with /usr/bin/python3 (Debian's, which has python3-xlib). As a module it offers:

  Keyboard()                 the X server's keyboard (DISPLAY must be set)
    .AddRussianGroup()       the Russian letters (ЙЦУКЕН) as the second group of their keys,
                             and Caps Lock as the key that switches groups
    .SwitchGroup()           presses that Caps Lock: Latin to Russian, or back
    .Press(*names, held=())  keys by what the Latin layout prints on them ("a", "Tab",
                             "semicolon"), each pressed and released, with `held` held down
    .PressCode(code)         one key by its X key code
    .Ctrl(letter)            Ctrl with a letter key
    .TypeRussian(text)       the keys that give `text`'s lower-case Cyrillic letters with the
                             Russian group on (the caller switches the group)
  RUSSIAN                    Latin key name -> the Cyrillic letter's keysym name it carries
  LETTERS                    the same letters as text, in the same order

The groups are set through the core keyboard mapping, which the server turns into XKB groups:
Xvfb ignores XKB keymap uploads (setxkbmap, xkbcomp).

It presses keys; it does not focus a window, read what the keys did, or undo the mapping (it
ends with the X server).
"""

import time

from Xlib import X, XK, display
from Xlib.ext import xtest

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


# The same letters as text, in the same order.
LETTERS = "йцукенгшщзхъфывапролджэячсмитьбюё"
assert len(LETTERS) == len(RUSSIAN)
LATIN_KEY_OF = dict(zip(LETTERS, RUSSIAN))


def Keysym(name):
    keysym = XK.string_to_keysym(name)
    if not keysym:
        raise RuntimeError(f"no keysym {name!r}")
    return keysym


class Keyboard:
    """Physical keys through XTEST, named by what the Latin layout prints on them."""

    def __init__(self):
        self.display = display.Display()
        self.group_switch = self.Code("Caps_Lock")

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
            self.group_switch, [(Keysym("ISO_Next_Group"),) * 4])
        self.display.sync()

    def SwitchGroup(self):
        """Caps Lock, which AddRussianGroup made the key that switches groups."""
        self.PressCode(self.group_switch)

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

    def TypeRussian(self, text):
        """The keys of `text`'s letters on the Russian layout (lower case, no spaces)."""
        missing = [letter for letter in text if letter not in LATIN_KEY_OF]
        if missing:
            raise RuntimeError(f"no key carries {missing} on the Russian layout")
        self.Press(*(LATIN_KEY_OF[letter] for letter in text))
