# SPDX-License-Identifier: MIT
"""The reader's side of run-check.sh: finds the inspector of the qt-widgets example
on the accessibility bus, reads its rows, selects a row with the mouse, types a
new value into the edit field the way an assistive tool does and presses Enter,
then checks that the row, the events and the table view all tell of the change."""

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

NEW_TITLE = "Анна Каренина"
failures = []


def check(condition, what):
    print(("ok: " if condition else "FAILED: ") + what)
    if not condition:
        failures.append(what)
    return condition


def pump_until(condition, seconds=15.0):
    """Lets events arrive until condition() holds or the time is up."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        try:
            if condition():
                return True
        except GLib.Error:
            pass
        time.sleep(0.05)
    return condition()


def find(node, wanted, depth=0):
    if node is None or depth > 15:
        return None
    if wanted(node):
        return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), wanted, depth + 1)
        if found is not None:
            return found
    return None


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "qt-widgets-example":
            return app
    return None


def inspector_list(app):
    return find(app, lambda n: n.get_role() == Atspi.Role.LIST and n.get_name() == "Properties")


def rows_of(listing):
    rows = {}
    for i in range(listing.get_child_count()):
        child = listing.get_child_at_index(i)
        if child.get_role() == Atspi.Role.LIST_ITEM:
            rows[child.get_name()] = child
    return rows


def selected(node):
    return node.get_state_set().contains(Atspi.StateType.SELECTED)


def main():
    if not pump_until(lambda: application() is not None and inspector_list(application()), 60):
        check(False, "the example's inspector is on the accessibility bus")
        return
    app = application()
    listing = inspector_list(app)
    rows = rows_of(listing)
    check({"Id", "Title", "Pages", "Price", "Published", "Notes"} <= set(rows),
          "the rows are named after the table's fields: %s" % sorted(rows))
    title = rows.get("Title")
    if not check(title is not None, "there is a Title row"):
        return
    check(title.get_description() == "Война и мир",
          "the Title row reads its value: %r" % title.get_description())

    heard = []
    listener = Atspi.EventListener.new(
        lambda event: heard.append((event.type, event.source.get_name() if event.source else "")))
    for kind in ("focus:", "object:property-change:accessible-description"):
        listener.register(kind)

    box = title.get_extents(Atspi.CoordType.SCREEN)
    Atspi.generate_mouse_event(box.x + box.width - 10, box.y + box.height // 2, "b1c")
    check(pump_until(lambda: selected(title)), "a click selects the Title row")
    check(pump_until(lambda: ("focus:", "Title") in heard), "the Title row is announced on focus")
    edit = find(listing, lambda n: n.get_role() == Atspi.Role.TEXT)
    if not check(edit is not None and edit.get_name() == "Title",
                 "the edit field is reachable and names its row"):
        return
    check(Atspi.Text.get_text(edit, 0, Atspi.Text.get_character_count(edit)) == "Война и мир",
          "the edit field holds the row's value")

    Atspi.EditableText.set_text_contents(edit, NEW_TITLE)
    pump_until(lambda: False, 0.3)
    Atspi.generate_keyboard_event(0xFF0D, None, Atspi.KeySynthType.SYM)  # Return
    check(pump_until(lambda: title.get_description() == NEW_TITLE),
          "the Title row reads the new value: %r" % title.get_description())
    check(pump_until(
        lambda: ("object:property-change:accessible-description", "Title") in heard),
        "the change of the Title row's value is announced")
    check(pump_until(lambda: find(app, lambda n: n.get_role() == Atspi.Role.TABLE_CELL
                                  and n.get_name() == NEW_TITLE) is not None),
          "the table view shows the new value")


main()
sys.exit(1 if failures else 0)
