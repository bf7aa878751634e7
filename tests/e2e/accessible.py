#!/usr/bin/python3
# Finds a control of a running program by what it says to assistive
# technology: its role and accessible name (a caption, a file name), or its
# tooltip when it has no name (a toolbar button).
#   accessible.py PID ROLE NAME [WINDOW]   prints the control's centre on the screen
# With WINDOW, only the program's windows whose title begins so are searched.
# Exits 1 when the program shows no such control (yet).
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find(node, role, name):
    if node.get_role_name() == role:
        own = node.get_name()
        if own == name or (not own and node.get_description() == name):
            return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), role, name)
        if found:
            return found
    return None


def main():
    pid, role, name = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    window = sys.argv[4] if len(sys.argv) > 4 else ""
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if not app or app.get_process_id() != pid:
            continue
        for j in range(app.get_child_count()):
            top = app.get_child_at_index(j)
            if not top.get_name().startswith(window):
                continue
            control = find(top, role, name)
            if control:
                box = control.get_extents(Atspi.CoordType.SCREEN)
                print(box.x + box.width // 2, box.y + box.height // 2)
                return 0
    return 1


sys.exit(main())
