# SPDX-License-Identifier: GPL-3.0-or-later
r"""The program's window as a screen reader meets it on the accessibility bus (AT-SPI).

Run with /usr/bin/python3 (Debian's, which has gi and pyatspi), inside tests/a11y/with-atspi.sh
or any session with the accessibility bus. As a module it offers:

  FindApplication(title, timeout)   the application one of whose windows' name matches `title`
                                    (a regular expression), waited for with retries
  DumpTree(accessible)              the whole subtree as plain dicts (see Node below)
  Flatten(tree)                     every node of a dumped tree in reading order
  PressKeys(title, keys, via)       key presses to the window, by xdotool or the AT-SPI registry
  WaitForNode(title, test, timeout) dumps again and again until a node passes `test`
  XWindow(title, timeout)           the X window id of the visible window named like `title`
  FocusWindow(title, timeout)       gives that window the keyboard focus; returns its id
  Named(nodes, name)                the dumped nodes with exactly that name
  Showing(node)                     whether a dumped node is showing
  Labels(node, relation)            the names a dumped node's relation ("LABELLED_BY", ...)
                                    points at

As a program it runs a list of steps and prints what the dump steps collected as JSON:

  atspi_tree.py --title '^Тест для 6 класса' \
      dump key:space wait:'Задание 1, целая часть' dump

Steps: `dump` (append the tree to the output), `key:NAME[,NAME...]` (X key names, as xdotool
takes them, to the window after focusing it), `atspikey:NAME[,NAME...]` (through the AT-SPI
registry, to whichever window has the focus), `sleep:SECONDS`, `wait:NAME` (until an object
with exactly that accessible name is showing). The output is a JSON list, one tree per `dump`.

It reads the tree and sends keys; it does not judge what it finds, start or stop the program,
or set up the buses (with-atspi.sh does).
"""

import argparse
import json
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402  (after the version pin above)

def _Nick(enum_value, prefix):
    """'ATSPI_RELATION_LABELLED_BY' -> 'LABELLED_BY'; a plain int falls back to its number."""
    name = getattr(enum_value, "value_name", None)
    if not name:
        return str(int(enum_value))
    return name[len(prefix):] if name.startswith(prefix) else name


def _States(accessible):
    states = accessible.getState()
    names = []
    for state in states.getStates():
        names.append(getattr(state, "value_nick", str(int(state))).replace("-", "_"))
    return sorted(names)


def _Relations(accessible):
    relations = []
    for relation in accessible.getRelationSet() or []:
        targets = []
        for i in range(relation.getNTargets()):
            target = relation.getTarget(i)
            targets.append(target.name if target is not None else None)
        relations.append({
            "type": _Nick(relation.getRelationType(), "ATSPI_RELATION_"),
            "targets": targets,
        })
    return relations


def _Text(accessible):
    try:
        text = accessible.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, -1)


def _Extents(accessible):
    try:
        component = accessible.queryComponent()
    except NotImplementedError:
        return None
    box = component.getExtents(pyatspi.DESKTOP_COORDS)
    return [box.x, box.y, box.width, box.height]


def Node(accessible, path):
    """One object: role, name, description, states, relations, text, extents, child path.

    `states` lists every state the object has by its AT-SPI nick ("focusable", "focused",
    "showing", "visible", "enabled", "sensitive", "editable", ...); `relations` holds
    {"type": "LABELLED_BY", "targets": [names]}; `text` is the text of an object with the text
    interface, else None; `extents` is [x, y, width, height] on the screen."""
    return {
        "path": list(path),
        "role": accessible.getRoleName(),
        "name": accessible.name or "",
        "description": accessible.description or "",
        "states": _States(accessible),
        "relations": _Relations(accessible),
        "text": _Text(accessible),
        "extents": _Extents(accessible),
        "children": [],
    }


def DumpTree(accessible, path=()):
    """The subtree under `accessible`, depth first, children in the bus's (reading) order."""
    node = Node(accessible, path)
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is None:
            continue
        node["children"].append(DumpTree(child, tuple(path) + (index,)))
    return node


def Flatten(tree):
    """Every node of a dumped tree in reading order (pre-order), children lists included."""
    nodes = [tree]
    for child in tree["children"]:
        nodes.extend(Flatten(child))
    return nodes


def _MatchingApplication(title):
    pattern = re.compile(title)
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is None:
            continue
        for window_index in range(application.childCount):
            window = application.getChildAtIndex(window_index)
            if window is not None and pattern.search(window.name or ""):
                return application
    return None


def FindApplication(title, timeout=20.0):
    """Waits for an application with a window named like `title`; raises TimeoutError."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            application = _MatchingApplication(title)
        except Exception:  # the bus or the program still starting: try again
            application = None
        if application is not None:
            return application
        if time.monotonic() > deadline:
            raise TimeoutError(f"no application with a window named like {title!r}")
        time.sleep(0.1)


def XWindow(title, timeout):
    result = subprocess.run(
        ["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
        capture_output=True, text=True, timeout=timeout, check=True)
    return result.stdout.split()[0]


def FocusWindow(title, timeout=20.0):
    window = XWindow(title, timeout)
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=timeout)
    return window


def Named(nodes, name):
    return [node for node in nodes if node["name"] == name]


def Showing(node):
    return "showing" in node["states"]


def Labels(node, relation):
    return [target for r in node["relations"] if r["type"] == relation for target in r["targets"]]


def Stop(program):
    """Ends a program started by a test: asked first, killed if it does not go within 10 s."""
    program.terminate()
    try:
        program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        program.kill()
        program.wait()


def PressKeys(title, keys, via="xdotool", timeout=20.0):
    """Presses X keys (names as xdotool knows them) in the window named like `title`.

    "xdotool" focuses the window first and sends the keys through XTEST; "atspi" asks the
    registry daemon to synthesise them, into whichever window has the focus."""
    if via == "xdotool":
        window = FocusWindow(title, timeout)
        subprocess.run(["xdotool", "key", "--window", window, "--delay", "30", *keys],
                       check=True, timeout=timeout)
        return
    for key in keys:
        pyatspi.Registry.generateKeyboardEvent(Keysym(key), None, pyatspi.KEY_SYM)
        time.sleep(0.03)


# The X keysyms of the keys the window is driven with (X11/keysymdef.h); a printable ASCII
# character is its own keysym.
_KEYSYMS = {
    "space": 0x20, "Return": 0xFF0D, "Tab": 0xFF09, "ISO_Left_Tab": 0xFE20,
    "BackSpace": 0xFF08, "Escape": 0xFF1B, "Left": 0xFF51, "Up": 0xFF52, "Right": 0xFF53,
    "Down": 0xFF54, "Home": 0xFF50, "End": 0xFF57, "F10": 0xFFC7, "Alt_L": 0xFFE9,
}


def Keysym(key):
    """The keysym of an X key name, a single printable character, or a number ("0xff0d")."""
    if key in _KEYSYMS:
        return _KEYSYMS[key]
    if len(key) == 1 and 0x20 < ord(key) < 0x7F:
        return ord(key)
    try:
        return int(key, 0)
    except ValueError:
        raise ValueError(f"no keysym known for {key!r}; give it as a number") from None


def WaitForNode(title, test, timeout=10.0):
    """Dumps the application until some node passes `test`; returns that dump."""
    deadline = time.monotonic() + timeout
    while True:
        tree = DumpTree(FindApplication(title, timeout))
        if any(test(node) for node in Flatten(tree)):
            return tree
        if time.monotonic() > deadline:
            raise TimeoutError("the awaited object did not appear")
        time.sleep(0.1)


def _RunSteps(title, steps, timeout):
    dumps = []
    application = FindApplication(title, timeout)
    for step in steps:
        kind, _, argument = step.partition(":")
        if kind == "dump":
            dumps.append(DumpTree(application))
        elif kind == "key":
            PressKeys(title, argument.split(","), "xdotool", timeout)
        elif kind == "atspikey":
            PressKeys(title, argument.split(","), "atspi", timeout)
        elif kind == "sleep":
            time.sleep(float(argument))
        elif kind == "wait":
            WaitForNode(title, lambda node, name=argument: node["name"] == name
                        and "showing" in node["states"], timeout)
        else:
            raise ValueError(f"unknown step {step!r}")
    return dumps


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--title", required=True,
                        help="regular expression for the name of one of the program's windows")
    parser.add_argument("--timeout", type=float, default=20.0,
                        help="seconds to wait for the program and for each awaited object")
    parser.add_argument("steps", nargs="*", default=["dump"])
    arguments = parser.parse_args(argv)
    try:
        dumps = _RunSteps(arguments.title, arguments.steps, arguments.timeout)
    except (TimeoutError, ValueError, subprocess.SubprocessError) as error:
        print(f"atspi_tree: {error}", file=sys.stderr)
        return 1
    json.dump(dumps, sys.stdout, ensure_ascii=False, indent=1)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
