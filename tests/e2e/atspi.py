#!/usr/bin/python3
"""Walks the program's accessible tree on the AT-SPI bus as a screen reader does.

atspi.py press NAME          press the push button of that name (waits for it to appear)
atspi.py wait-text TEXT      wait until a shown object is named TEXT
atspi.py unnamed             print every shown, actionable object with no name; exit 1 if any
Exit status 2 when the program or the object never appears.
"""
import sys
import time

import pyatspi

ACTIONABLE = {"push button", "radio button", "check box", "text", "combo box", "spin button", "toggle button"}


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name and a.name.lower() == "quillmoor":
            return a
    return None


def walk(obj):
    if obj is None:
        return
    yield obj
    for i in range(obj.childCount):
        yield from walk(obj.getChildAtIndex(i))


def shown(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def find(test, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        root = app()
        if root is not None:
            for obj in walk(root):
                if test(obj) and shown(obj):
                    return obj
        time.sleep(0.2)
    return None


def actions(obj):
    try:
        act = obj.queryAction()
    except NotImplementedError:
        return []
    return [act.getName(i) for i in range(act.nActions)]


def main():
    command = sys.argv[1]
    if command == "press":
        button = find(lambda o: o.getRoleName() == "push button" and o.name == sys.argv[2])
        if button is None:
            print("no push button named %r" % sys.argv[2])
            return 2
        act = button.queryAction()
        names = [act.getName(i) for i in range(act.nActions)]
        print("pressed %.3f" % time.time())
        act.doAction(names.index("Press") if "Press" in names else 0)
        return 0
    if command == "wait-text":
        return 0 if find(lambda o: o.name == sys.argv[2]) is not None else 2
    if command == "unnamed":
        root = app()
        if root is None:
            return 2
        found = [o for o in walk(root) if shown(o) and (o.getRoleName() in ACTIONABLE or "Press" in actions(o))]
        bad = [o for o in found if not (o.name or "").strip()]
        for o in bad:
            print("unnamed %s in %s" % (o.getRoleName(), o.parent.name if o.parent else "?"))
        print("actionable objects shown: %d, without a name: %d" % (len(found), len(bad)))
        return 1 if bad or not found else 0
    print(__doc__)
    return 2


sys.exit(main())
