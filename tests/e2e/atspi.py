#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks the program's accessible tree on the AT-SPI bus as a screen reader does.

atspi.py press NAME          press the push button of that name (waits for it to appear)
atspi.py wait-text TEXT      wait until a shown object is named TEXT
atspi.py wait-part TEXT      wait until a shown object's name holds TEXT
atspi.py where ROLE NAME     print the middle of the shown object of that role and name: "X Y"
atspi.py text NAME           print the text the shown object of that name holds
atspi.py table NAME          print the shown table of that name: its column headers, then a line a
                             row, the row's header first, tab-separated
atspi.py unnamed             print every shown, actionable object with no name; exit 1 if any
Exit status 2 when the program or the object never appears.
"""
import sys
import time

import pyatspi

ACTIONABLE = {"push button", "radio button", "check box", "text", "combo box", "spin button", "toggle button"}


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    found = [a for a in desktop if a is not None and (a.name or "").lower() == "quillmoor"]
    return found[0] if found else None


def walk(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from walk(child)


def shown(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def find(test, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        root = app()
        found = [o for o in walk(root) if test(o) and shown(o)] if root is not None else []
        if found:
            return found[0]
        time.sleep(0.2)
    return None


def actions(obj):
    try:
        act = obj.queryAction()
    except NotImplementedError:
        return []
    return [act.getName(i) for i in range(act.nActions)]


def table_lines(table):
    t = table.queryTable()
    flat = lambda obj: (obj.name or "").replace("\n", " ") if obj else ""  # a header of two lines
    header = [""] + [flat(t.getColumnHeader(c)) for c in range(t.nColumns)]
    lines = ["\t".join(header)]
    for r in range(t.nRows):
        lines.append("\t".join([flat(t.getRowHeader(r))] + [flat(t.getAccessibleAt(r, c)) for c in range(t.nColumns)]))
    return lines


def main(command, arg=None, arg2=None):
    if command == "press":
        button = find(lambda o: o.getRoleName() == "push button" and o.name == arg)
        if button is None:
            print("no push button named %r" % arg)
            return 2
        names = actions(button)
        button.queryAction().doAction(names.index("Press") if "Press" in names else 0)
        return 0
    if command == "wait-text":
        return 0 if find(lambda o: o.name == arg) is not None else 2
    if command == "wait-part":
        return 0 if find(lambda o: arg in (o.name or "")) is not None else 2
    if command == "where":
        obj = find(lambda o: o.getRoleName() == arg and o.name == arg2)
        if obj is None:
            print("no %s named %r" % (arg, arg2))
            return 2
        box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x + box.width // 2, box.y + box.height // 2)
        return 0
    if command == "text":
        obj = find(lambda o: o.name == arg)
        if obj is None:
            return 2
        text = obj.queryText()
        print(text.getText(0, text.characterCount))
        return 0
    if command == "table":
        obj = find(lambda o: o.getRoleName() == "table" and o.name == arg)
        if obj is None:
            return 2
        print("\n".join(table_lines(obj)))
        return 0
    root = app()
    if command != "unnamed" or root is None:
        print(__doc__)
        return 2
    found = [o for o in walk(root) if shown(o) and (o.getRoleName() in ACTIONABLE or "Press" in actions(o))]
    bad = [o for o in found if not (o.name or "").strip()]
    for o in bad:
        print("unnamed %s in %s" % (o.getRoleName(), o.parent.name if o.parent else "?"))
    print("actionable objects shown: %d, without a name: %d" % (len(found), len(bad)))
    return 1 if bad or not found else 0


sys.exit(main(*sys.argv[1:4]))
