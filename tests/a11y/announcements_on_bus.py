# SPDX-License-Identifier: GPL-3.0-or-later
"""Lets a whole test run out in the real program and listens on the accessibility bus for what a
screen reader would speak of the time left.

Usage (inside tests/a11y/with-atspi.sh): /usr/bin/python3 announcements_on_bus.py PROGRAM

The program runs unchanged under faketime, its clocks ten times as fast, so that the ten
minutes take one. After the start it listens for objects that say they are showing, as Orca
does, and checks that exactly four notifications arrive, in order, each holding one label with
the same Russian text: «Осталось 5 минут», «Осталась 1 минута», «Осталось 30 секунд» and «Время
вышло»; that each comes while the time shown is close to its moment (the exact tick is checked
by tst_time_announcements); and that the focus stays in the box it was in until the time out.
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_tree  # noqa: E402  (found next to this file)
import check_started_window as started  # noqa: E402

from atspi_tree import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

SPEED = 10
EXPECTED = [("Осталось 5 минут", 300), ("Осталась 1 минута", 60),
            ("Осталось 30 секунд", 30), ("Время вышло", 0)]
# How far from its moment an announcement may be seen, in the program's seconds: the time
# text is read after the event has crossed the bus, while the faster clock runs on.
SLACK = 6
TIME_TEXT = re.compile(r"^00:(\d\d):(\d\d)$")


def TimeLabel(application):
    """The label showing the time left (the one labelled «Осталось времени»)."""
    found = []

    def Walk(accessible):
        for index in range(accessible.childCount):
            child = accessible.getChildAtIndex(index)
            if child is None:
                continue
            if TIME_TEXT.match(child.name or "") and any(
                    relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                    for relation in child.getRelationSet() or []):
                found.append(child)
            Walk(child)

    Walk(application)
    return found[0] if len(found) == 1 else None


def SecondsShown(label):
    label.clearCache()
    match = TIME_TEXT.match(label.name or "")
    return int(match.group(1)) * 60 + int(match.group(2)) if match else None


def Listen(application, time_label, focused_box, timeout):
    """Every notification that shows until «Время вышло» or `timeout` seconds: its text, its
    label's text, the seconds the time label shows then, and whether `focused_box` still has
    the focus."""
    heard = []
    pid = application.get_process_id()

    def OnShowing(event):
        source = event.source
        try:
            if source.get_process_id() != pid or not event.detail1:
                return
            if source.getRole() != pyatspi.ROLE_NOTIFICATION:
                return  # the message box and the answer key show at the time out
            labels = [source.getChildAtIndex(i) for i in range(source.childCount)]
            heard.append({
                "role": source.getRoleName(),
                "name": source.name or "",
                "labels": [(label.getRoleName(), label.name or "") for label in labels if label],
                "shown": SecondsShown(time_label),
                "focus kept": focused_box.clearCache() or
                              focused_box.getState().contains(pyatspi.STATE_FOCUSED),
            })
        except Exception as error:  # an object gone meanwhile: noted, not fatal
            heard.append({"role": "?", "name": f"error: {error}", "labels": [], "shown": None,
                          "focus kept": None})
        if heard and heard[-1]["name"] == EXPECTED[-1][0]:
            GLib.timeout_add(2000, Stop)  # a moment more, to hear anything that follows

    def Stop():
        pyatspi.Registry.stop()
        return False

    def NoteName(_event):
        pass

    # Like a screen reader, hear name changes too: they are what tells the bus's client cache
    # that a notification and its label have a new text.
    names = ("object:state-changed:showing", "object:property-change:accessible-name")
    pyatspi.Registry.registerEventListener(OnShowing, names[0])
    pyatspi.Registry.registerEventListener(NoteName, names[1])
    GLib.timeout_add(int(timeout * 1000), Stop)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(OnShowing, names[0])
    pyatspi.Registry.deregisterEventListener(NoteName, names[1])
    return heard


def Check(heard):
    failures = []
    said = [(h["role"], h["name"]) for h in heard]
    if said != [("notification", text) for text, _ in EXPECTED]:
        failures.append(f"the notifications heard were {said}")
    for h, (text, moment) in zip(heard, EXPECTED):
        if h["labels"] != [("label", text)]:
            failures.append(f"{text!r} holds {h['labels']}, not one label with its text")
        shown = h["shown"]
        if shown is None or not moment - SLACK <= shown <= moment + SLACK:
            failures.append(f"{text!r} came with {shown} seconds shown, not about {moment}")
        # At the time out the result box takes the focus, as it should.
        if moment > 0 and not h["focus kept"]:
            failures.append(f"{text!r} came with the focus out of {started.FIRST_BOX!r}")
    return failures


def FirstBox(application):
    """The first answer box, which has the focus after the start."""
    for index in range(application.childCount):
        window = application.getChildAtIndex(index)
        box = pyatspi.findDescendant(window, lambda a: a.name == started.FIRST_BOX)
        if box is not None:
            return box
    return None


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    program = subprocess.Popen(["faketime", "-f", f"+0 x{SPEED}", sys.argv[1]])
    try:
        application = atspi_tree.FindApplication(started.TITLE_PATTERN, timeout=40)
        started.StartTheTest(started.TITLE_PATTERN, timeout=45)
        time_label = TimeLabel(application)
        if time_label is None:
            raise TimeoutError("no single time label labelled by its caption")
        first_box = FirstBox(application)
        if first_box is None or not first_box.getState().contains(pyatspi.STATE_FOCUSED):
            raise TimeoutError(f"{started.FIRST_BOX!r} does not have the focus after the start")
        # The ten minutes at ten times the speed, and room for a slow machine.
        heard = Listen(application, time_label, first_box, timeout=600 / SPEED + 60)
        failures = Check(heard)
    except (TimeoutError, subprocess.SubprocessError) as error:
        failures = [str(error)]
    finally:
        atspi_tree.Stop(program)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        return 1
    print("a11y: the time left is announced over AT-SPI at 5 minutes, 1 minute, 30 seconds "
          "and the time out, and at no other moment")
    return 0


if __name__ == "__main__":
    sys.exit(main())
