#!/usr/bin/python3
# A screen reader's load on the program, for bench/exit-time.sh: listens to the events a
# screen reader listens to and asks each event's source for its name and role (as Orca
# does), presses the named buttons through their accessibility action, then walks the
# program's whole accessible tree (every child of every list and table, as accerciser
# does) WALKS times, so that Qt's bridge holds an interface for every entry it showed.
# The file READY is written after the first walk; the walks go on while the program runs.
# Usage: atspi_reader.py APP WALKS READY [BUTTON,sleepSECONDS,...]
# Needs python3-gi and gir1.2-atspi-2.0 (run with the system's /usr/bin/python3).
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

app_name, walks, ready = sys.argv[1], int(sys.argv[2]), sys.argv[3]
steps = [s for s in (sys.argv[4] if len(sys.argv) > 4 else "").split(",") if s]
LISTS = (Atspi.Role.TREE, Atspi.Role.TABLE, Atspi.Role.LIST, Atspi.Role.TREE_TABLE)
events = 0


def on_event(event):
    global events
    events += 1
    try:
        if event.source is not None:
            event.source.get_name()
            event.source.get_role()
    except GLib.Error:
        pass


Atspi.init()
listener = Atspi.EventListener.new(on_event)
for kind in ("object:text-changed", "object:property-change:accessible-name",
             "object:property-change:accessible-description", "object:children-changed",
             "object:state-changed", "object:active-descendant-changed",
             "object:selection-changed", "object:visible-data-changed", "object:announcement",
             "focus:", "window:activate", "window:deactivate"):
    listener.register(kind)


def find_app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == app_name:
            return app
    return None


def find_button(node, name):
    try:
        role = node.get_role()
        if role == Atspi.Role.PUSH_BUTTON and node.get_name() == name:
            return node
        if role in LISTS:
            return None
        count = node.get_child_count()
    except GLib.Error:
        return None
    for i in range(count):
        child = node.get_child_at_index(i)
        found = find_button(child, name) if child is not None else None
        if found is not None:
            return found
    return None


def walk(node):
    seen = 1
    try:
        node.get_name()
        node.get_role()
        node.get_state_set()
        count = node.get_child_count()
    except GLib.Error:
        return seen
    for i in range(count):
        try:
            child = node.get_child_at_index(i)
        except GLib.Error:
            continue
        if child is not None:
            seen += walk(child)
    return seen


state = {"app": None, "tries": 0, "walked": 0}


def step():
    # One step per main-loop turn, so that events are read between the steps.
    if state["app"] is None:
        state["app"] = find_app()
        state["tries"] += 1
        if state["app"] is None and state["tries"] > 400:
            print("atspi_reader: the program is not on the accessibility bus", file=sys.stderr)
            Atspi.event_quit()
            return False
        return True
    if steps:
        what = steps.pop(0)
        if what.startswith("sleep"):
            time.sleep(float(what[5:]))
            return True
        button = find_button(state["app"], what)
        if button is None:
            print(f"atspi_reader: no button {what}", file=sys.stderr)
        else:
            Atspi.Action.do_action(button, 0)
        return True
    if state["walked"] >= walks:
        return False
    start = time.monotonic()
    objects = walk(state["app"])
    state["walked"] += 1
    print(f"atspi_reader: walk {state['walked']}: {objects} objects in "
          f"{time.monotonic() - start:.1f} s, {events} events", file=sys.stderr, flush=True)
    if state["walked"] == 1:
        with open(ready, "w") as f:
            f.write(f"{objects}\n")
    return True


GLib.timeout_add(50, step)
Atspi.event_main()
