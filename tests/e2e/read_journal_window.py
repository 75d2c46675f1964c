# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the teacher's window as a screen reader does, over the accessibility bus: waits for
the list of attempts, then prints each row's cells (tab-separated) and the list's totals line.

Usage: read_journal_window.py TIMEOUT_SECONDS
Exit status 0 when the list was found, 1 when not.
"""
import sys
import time

import pyatspi

LIST_NAME = "Список попыток"
TOTALS_NAME = "Итог по списку"


def find(node, predicate, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if predicate(node):
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), predicate, depth + 1)
            if found is not None:
                return found
    except Exception:  # a node that went away while being read
        return None
    return None


def journal_window():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        for j in range(app.childCount):
            window = app.getChildAtIndex(j)
            if window is not None and window.name.startswith("Журнал результатов"):
                return window
    return None


def main():
    deadline = time.monotonic() + float(sys.argv[1])
    while time.monotonic() < deadline:
        window = journal_window()
        table = find(window, lambda n: n.getRoleName() == "table" and n.name == LIST_NAME)
        if table is not None:
            cells = table.queryTable()
            if cells.nRows > 0:
                for row in range(cells.nRows):
                    texts = [cells.getAccessibleAt(row, column).name
                             for column in range(cells.nColumns)]
                    print("row\t" + "\t".join(texts))
                totals = find(window, lambda n: n.name == TOTALS_NAME)
                if totals is not None:
                    print("totals\t" + totals.description)
                return 0
        time.sleep(0.3)
    print("no list of attempts with rows found", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
