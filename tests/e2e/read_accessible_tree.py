#!/usr/bin/env python3
"""Reads an application's window as a screen reader does, through the accessibility bus
(pyatspi), and prints what it finds, one line each:

  TREE <indent><role> "<name>" [<states>] <value>   the whole tree on the first screen
  ROW <name>                                         the first list item
  TAB <name>                                         the selected page tab
  SWITCH <name>: checked|unchecked                   each check box, after pressing the tab
                                                     named by --press (and waiting for one)
  HEARD <event> <role> "<name>"                      what the application announced meanwhile

With --listen FILE it reads no tree: it listens for what a screen reader speaks from (focus,
checked and value changes), makes FILE once it listens, and prints until the application has
gone from the bus:

  SPOKE <event> <role> "<name>" <value, or the new state as 1 or 0>

and, for each line, makes a file beside FILE named FILE.<event>-<name> with every run of other
characters than letters and digits made one "-" ("listening.object-state-changed-checked-Sound"),
so that the application's script can wait until an announcement was heard before it moves on.

Usage: read_accessible_tree.py APPLICATION_NAME [--press TAB | --listen FILE]
                               [--timeout SECONDS]
Exits 1 when the application does not show up on the bus in time."""
import argparse
import re
import sys
import time

import pyatspi
from gi.repository import GLib


def find_application(name, deadline):
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == name:
                return application
        time.sleep(0.2)
    return None


def walk(accessible, depth=0):
    yield accessible, depth
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def states(accessible):
    interesting = {
        pyatspi.STATE_CHECKED: "checked",
        pyatspi.STATE_SELECTED: "selected",
        pyatspi.STATE_FOCUSED: "focused",
        pyatspi.STATE_SHOWING: "showing",
    }
    held = accessible.getState()
    names = [name for state, name in interesting.items() if held.contains(state)]
    if not held.contains(pyatspi.STATE_ENABLED):
        names.append("disabled")
    return names


def value(accessible):
    try:
        text = accessible.queryText()
        return '= "%s"' % text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


def role(accessible, name):
    return [a for a, _ in walk(accessible) if a.getRoleName() == name]


def spoken_value(accessible):
    try:
        return "%g" % accessible.queryValue().currentValue
    except NotImplementedError:
        return value(accessible)


def listen(application, ready, deadline):
    def hear(event):
        source = event.source
        try:
            said = event.detail1 if event.type.startswith("object:state-changed:") \
                else spoken_value(source)
            line = 'SPOKE %s %s "%s" %s' % (event.type, source.getRoleName(), source.name, said)
        except Exception:  # gone before it could be asked
            return
        print(line)
        sys.stdout.flush()
        open("%s.%s" % (ready, re.sub(r"[^A-Za-z0-9]+", "-", "%s %s" % (event.type, source.name))),
             "w").close()

    for kind in ("focus:", "object:state-changed:checked",
                 "object:property-change:accessible-value"):
        pyatspi.Registry.registerEventListener(hear, kind)
    open(ready, "w").close()
    context = GLib.MainContext.default()
    seen = False
    while time.monotonic() < deadline:
        pause = time.monotonic() + 0.2
        while time.monotonic() < pause:
            context.iteration(False)
            time.sleep(0.01)
        shown = find_application(application, time.monotonic() + 0.1) is not None
        if seen and not shown:
            return 0
        seen = seen or shown
    print("the application did not end in time")
    return 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("application")
    parser.add_argument("--press")
    parser.add_argument("--listen")
    parser.add_argument("--timeout", type=float, default=30)
    arguments = parser.parse_args()
    deadline = time.monotonic() + arguments.timeout
    if arguments.listen:
        return listen(arguments.application, arguments.listen, deadline)

    application = find_application(arguments.application, deadline)
    if application is None:
        print("no application named %s on the accessibility bus" % arguments.application)
        return 1
    for accessible, depth in walk(application):
        print('TREE %s%s "%s" [%s] %s' % ("  " * depth, accessible.getRoleName(),
                                          accessible.name, " ".join(states(accessible)),
                                          value(accessible)))
    for item in role(application, "list item")[:1]:
        print("ROW %s" % item.name)
    for tab in role(application, "page tab"):
        if tab.getState().contains(pyatspi.STATE_SELECTED):
            print("TAB %s" % tab.name)
    sys.stdout.flush()

    if arguments.press:
        tabs = [tab for tab in role(application, "page tab") if tab.name == arguments.press]
        if not tabs:
            print("no tab named %s" % arguments.press)
            return 1
        heard = []

        def hear(event):
            source = event.source
            heard.append('%s %s "%s"' % (event.type, source.getRoleName(), source.name))

        for kind in ("object:state-changed", "object:children-changed", "focus:"):
            pyatspi.Registry.registerEventListener(hear, kind)
        actions = tabs[0].queryAction()
        actions.doAction(0)
        switches = []
        context = GLib.MainContext.default()
        while not switches and time.monotonic() < deadline:
            pause = time.monotonic() + 0.2
            while time.monotonic() < pause:
                context.iteration(False)
                time.sleep(0.01)
            switches = role(application, "check box")
        for line in heard:
            print("HEARD %s" % line)
        for switch in switches:
            checked = switch.getState().contains(pyatspi.STATE_CHECKED)
            print("SWITCH %s: %s" % (switch.name, "checked" if checked else "unchecked"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
