#!/usr/bin/python3
"""Walks mvul's accessible tree as a screen reader sees it (AT-SPI).

Usage: accessibility_walk.py BIN_DIR

Starts Xvfb, a private D-Bus session with the AT-SPI bus on it, and mvul on
the xcb platform with accessibility on; then walks the main window (every
tab), the options dialog (every page), the turn board and a message box.
Fails on a focusable control without a name, on a name two controls of one
window share, and on grid columns or rows without a name. Run with the
system python3 (python3-pyatspi).
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BIN = sys.argv[1]
INTERACTIVE = None  # set once pyatspi is imported


def fail(message):
    print("accessibility: " + message, file=sys.stderr)
    sys.exit(1)


class Session:
    def __init__(self):
        self.tmp = tempfile.mkdtemp(prefix="mvul-a11y-")
        self.procs = []
        self.display = self.start_xvfb()
        self.env = dict(os.environ, DISPLAY=self.display, HOME=self.tmp, XDG_RUNTIME_DIR=self.tmp,
                        XDG_CONFIG_HOME=os.path.join(self.tmp, "config"), XDG_DATA_HOME=os.path.join(self.tmp, "data"))
        self.env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        # The daemon forks: its address and pid through files, never a pipe it would keep open.
        address, pid = os.path.join(self.tmp, "bus-address"), os.path.join(self.tmp, "bus-pid")
        subprocess.run("dbus-daemon --session --fork --print-address=3 --print-pid=4 3>'%s' 4>'%s' 2>/dev/null"
                       % (address, pid), shell=True, env=self.env, check=True)
        with open(address) as f:
            self.env["DBUS_SESSION_BUS_ADDRESS"] = f.read().strip()
        with open(pid) as f:
            self.bus_pid = int(f.read().strip() or 0)
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        time.sleep(1.0)
        self.spawn(["openbox"])
        time.sleep(0.5)
        os.environ.update(DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.env["DBUS_SESSION_BUS_ADDRESS"])
        prog = os.path.join(self.tmp, "prog")
        os.makedirs(prog)
        self.mvul = self.spawn([os.path.join(BIN, "mvul")],
                               dict(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", MVUL_DIR=prog,
                                    QT_ACCESSIBILITY="1"))

    def spawn(self, args, extra=None):
        env = dict(self.env, **(extra or {}))
        proc = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(proc)
        return proc

    def start_xvfb(self):
        for n in range(121, 160):
            if os.path.exists("/tmp/.X%d-lock" % n):
                continue
            proc = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(1.0)
            if proc.poll() is None:
                self.procs.append(proc)
                return ":%d" % n
        fail("no free display for Xvfb")

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--clearmodifiers"] + list(keys), env=self.env, check=True)
        time.sleep(0.6)

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        if self.bus_pid:
            try:
                os.kill(self.bus_pid, signal.SIGTERM)
            except OSError:
                pass
        shutil.rmtree(self.tmp, ignore_errors=True)


def application(pyatspi, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            # The application's name, as Qt registers it.
            if app is not None and app.name in ("mvul", "duzovudevi") and app.childCount > 0:
                return app
        time.sleep(0.3)
    fail("mvul never showed up on the accessibility bus")


def window(pyatspi, app, roles, title=None, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for w in app:
            if w is None or w.getRole() not in roles:
                continue
            if w.getState().contains(pyatspi.STATE_SHOWING) and (title is None or title in w.name):
                return w
        time.sleep(0.2)
    fail("no window %r of roles %s; there are: %s" % (title, roles, [(w.getRoleName(), w.name) for w in app if w]))


def controls(pyatspi, root):
    """Every focusable control that shows, below root, with its place."""
    found = []

    def walk(node, depth):
        if node is None or depth > 40:
            return
        role = node.getRole()
        states = node.getState()
        if role in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TREE_ITEM,
                    pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_ROW_HEADER, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU):
            return  # named by their text; headers are checked on their own
        # A tab bar is called by the page it shows (Qt's way): its tabs are the controls.
        if role != pyatspi.ROLE_PAGE_TAB_LIST and states.contains(pyatspi.STATE_FOCUSABLE) and \
                states.contains(pyatspi.STATE_SHOWING):
            extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            found.append((node.name.strip(), node.getRoleName(), (extents.x, extents.y, extents.width, extents.height)))
        if role == pyatspi.ROLE_COMBO_BOX:
            return  # its edit line and list are parts of it, named by it
        for child in node:
            walk(child, depth + 1)

    walk(root, 0)
    return found


def check_window(what, seen, problems):
    """seen: (name, role, extents) of one window's controls, maybe over several looks."""
    unique = {}
    for name, role, extents in seen:
        unique[(name, role, extents)] = True
    names = {}
    for name, role, extents in unique:
        if not name:
            problems.append("%s: a %s at %s has no name" % (what, role, extents))
            continue
        names.setdefault(name, []).append((role, extents))
    for name, places in names.items():
        if len(places) > 1:
            problems.append("%s: %d controls are all named %r: %s" % (what, len(places), name, places))


def check_grid(pyatspi, frame, problems):
    def tables(node, depth=0):
        if node is None or depth > 30:
            return []
        if node.getRole() == pyatspi.ROLE_TABLE:
            return [node]
        out = []
        for child in node:
            out += tables(child, depth + 1)
        return out

    for table in tables(frame):
        t = table.queryTable()
        if t.nColumns != 10 or t.nRows != 20:
            continue
        columns = [t.getColumnDescription(c) or (t.getColumnHeader(c).name if t.getColumnHeader(c) else "")
                   for c in range(t.nColumns)]
        rows = [t.getRowDescription(r) or (t.getRowHeader(r).name if t.getRowHeader(r) else "")
                for r in range(t.nRows)]
        if any(not c.strip() for c in columns) or len(set(columns)) != len(columns):
            problems.append("the grid's columns are named %s" % columns)
        if any(not r.strip() for r in rows) or len(set(rows)) != len(rows):
            problems.append("the grid's rows are named %s" % rows)
        return
    problems.append("the order grid (20 rows, 10 columns) was not found")


def press(node):
    """The node's own action, as a screen reader user triggers it."""
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    for wanted in ("press", "click", "activate", "switch", "select"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    if not names:
        fail("%r has no action" % node.name)
    action.doAction(0)


def main():
    global INTERACTIVE
    s = Session()
    try:
        import pyatspi
        app = application(pyatspi)
        problems = []
        frame = window(pyatspi, app, (pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW), "UL")
        # Every tab in turn.
        def tab_list(node, depth=0):
            if node is None or depth > 10:
                return None
            if node.getRole() == pyatspi.ROLE_PAGE_TAB_LIST:
                return node
            for child in node:
                found = tab_list(child, depth + 1)
                if found:
                    return found
            return None
        tabs = tab_list(frame)
        pages = [i for i in range(tabs.childCount) if tabs[i].getRole() == pyatspi.ROLE_PAGE_TAB] if tabs else []
        if len(pages) != 7:
            fail("the main window has not seven tabs")
        seen = []
        for i in pages:
            press(tabs[i])
            time.sleep(0.5)
            seen += controls(pyatspi, frame)
            if tabs[i].name == "Utasítás Lap":
                check_grid(pyatspi, frame, problems)
        check_window("the main window", seen, problems)

        # The options dialog, every page: the tree's leaves one by one.
        s.key("ctrl+b")
        dialog = window(pyatspi, app, (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW), "Beállítások")
        seen = controls(pyatspi, dialog)
        for _ in range(14):
            s.key("Down")
            seen += controls(pyatspi, dialog)
        check_window("the options dialog", seen, problems)
        s.key("Escape")

        # The turn board.
        s.key("F6")
        board = window(pyatspi, app, (pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW, pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILLER),
                       "Fordulók áttekintése")
        time.sleep(1.0)
        check_window("the board", controls(pyatspi, board), problems)
        s.key("alt+F4")

        # A message box: "Összes elküldése" with nothing to send says so... the
        # simplest one at hand: Ment másként of a character without a number.
        s.key("ctrl+b")
        dialog = window(pyatspi, app, (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW), "Beállítások")
        def button(node, name, depth=0):
            if node is None or depth > 30:
                return None
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == name:
                return node
            for child in node:
                found = button(child, name, depth + 1)
                if found:
                    return found
            return None
        test = button(dialog, "Próbalevél")
        if test is None:
            fail("no Próbalevél button on the options dialog")
        press(test)
        box = None
        deadline = time.time() + 10
        while time.time() < deadline and box is None:
            for w in app:
                if w is not None and w.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG) and \
                        w.getState().contains(pyatspi.STATE_SHOWING) and "Beállítások" not in w.name:
                    box = w
            time.sleep(0.2)
        if box is None:
            fail("no message box came up")
        check_window("a message box", controls(pyatspi, box), problems)
        if problems:
            fail("\n  " + "\n  ".join(problems))
        print("accessibility: every control has a name of its own")
    finally:
        s.close()


if __name__ == "__main__":
    main()
