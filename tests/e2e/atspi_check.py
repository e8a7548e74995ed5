"""What a screen reader finds in the running program, through AT-SPI: every visible control has
a role and a name; the seek slider moves while playing and takes a value set through the value
interface, its description saying the place as a time; Play is pressed through its action;
Ctrl+Right changes the strip's selected item and shows a notification naming the new record.

    atspi_check.py APPLICATION_NAME WINDOW_ID
"""
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The bindings warn of their own older spellings; the checks' output is what counts.
warnings.simplefilter("ignore", DeprecationWarning)

# Roles a listener works with; containers (fillers, panels, frames) carry no name of their own.
CONTROL_ROLES = {
    "push button", "check box", "slider", "spin button", "text", "list", "list item", "label",
    "scroll bar", "combo box", "menu item",
}


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def wait_until(what, check, seconds=15):
    end = time.time() + seconds
    while time.time() < end:
        value = check()
        if value:
            return value
        time.sleep(0.2)
    fail("waited in vain for " + what)


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            return app
    return None


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def nodes(node, inside_menu=False):
    """Every node under node, the menus' closed popups left out."""
    yield node, inside_menu
    if node.get_role_name() == "popup menu" and not showing(node):
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from nodes(child, inside_menu or node.get_role_name() == "menu bar")


def find(root, role, name=None):
    for node, _ in nodes(root):
        if node.get_role_name() == role and (name is None or node.get_name() == name):
            return node
    return None


def value_of(node):
    return node.get_value_iface().get_current_value()


def selected_item(strip):
    for i in range(strip.get_child_count()):
        item = strip.get_child_at_index(i)
        if item.get_state_set().contains(Atspi.StateType.SELECTED):
            return item.get_name()
    return None


def announced(app):
    notice = find(app, "notification")
    return notice.get_name() if notice is not None and showing(notice) else None


def main():
    app_name, window = sys.argv[1], sys.argv[2]
    app = wait_until("the application on the accessibility bus", lambda: application(app_name))

    unnamed = []
    for node, _ in nodes(app):
        role = node.get_role_name()
        if role in CONTROL_ROLES and showing(node) and not node.get_name():
            unnamed.append(role)
        if showing(node) and role in ("unknown", "invalid"):
            unnamed.append("no role: " + (node.get_name() or "?"))
    if unnamed:
        fail("visible controls without a name or role: " + ", ".join(unnamed))

    play = find(app, "push button", "Play") or fail("no Play button")
    position = find(app, "slider", "Position") or fail("no Position slider")
    strip = find(app, "list", "Records") or fail("no Records list")
    volume = find(app, "spin button", "Volume") or fail("no Volume spin button")
    if volume.get_value_iface().get_current_value() != 100:
        fail("volume %s" % volume.get_value_iface().get_current_value())
    first = selected_item(strip)
    if first != "Record 1 of 2: Opening":
        fail("selected strip item %r" % first)

    actions = play.get_action_iface()
    names = [actions.get_action_name(i) for i in range(actions.get_n_actions())]
    if not names:
        fail("Play has no action")
    actions.do_action(0)
    start = wait_until("the position to move", lambda: value_of(position) > 0 and value_of(position))
    time.sleep(2)
    if value_of(position) <= start:
        fail("the position stayed at %s while playing" % value_of(position))

    position.get_value_iface().set_current_value(30)
    wait_until("the position set to 30", lambda: 29 <= value_of(position) < 34)
    wait_until("the position described as a time",
               lambda: position.get_description().startswith("00:00:3"))

    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=10)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+Right"], check=True, timeout=10)
    wait_until("the second record selected in the strip",
               lambda: selected_item(strip) == "Record 2 of 2: The Middle")
    wait_until("the new record announced", lambda: announced(app) == "Record 2 of 2: The Middle")
    print("accessibility: passed")


main()
