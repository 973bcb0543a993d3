#!/usr/bin/python3
"""What a screen reader gets from every window of the program, read over AT-SPI.

Usage: atspi_tree.py <showwindow>

Starts a virtual X display and a private session bus of its own (the accessibility bus comes
up on it when first asked for), then shows each window that `showwindow --list` names, one at a
time, and walks the accessibility tree a reader sees. It checks that:

- every control a person can reach with the keyboard has a name, and the name is not merely
  what the control holds (a list named "January" says nothing about what it is for);
- the rows and columns of a table are named by what they hold, or not at all, never by a bare
  number;
- nothing that is out of sight is reported as showing: a showing object lies inside its
  parent and inside its window;
- the names the windows are known to give arrive as given (EXPECTED below).

Whatever it needs and does not find (the display server, the bus, the Python bindings) makes it
fail with a message naming the Debian package; it never passes by doing nothing. Every wait has
a time limit, so it cannot hang.
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

START_SECONDS = 20
WINDOW_SECONDS = 30
WALK_SECONDS = 240
MAX_NODES = 3000

# Names a reader must meet in a window, by its role: (window, role, name).
EXPECTED = [
    ("frmMain", "combo box", "Birth Day"),
    ("frmMain", "combo box", "Birth month"),
    ("frmMain", "combo box", "Birth year"),
    ("frmMain", "text", "Name"),
    ("frmMain", "link", "Visit us now at https://www.orvantis.example"),
    ("frmNineStar year ahead", "table column header", "East"),
    ("frmNineStar year ahead", "table row header", "South"),
    ("frmNineStar element", "panel", "Feng Shui group"),
    ("frmNineStar year ahead", "spin button", "Date of the year ahead"),
    ("frmNineStar year ahead", "table", "Nine-year cycle"),
    ("frmFarewell", "check box", "Click Here To Visit https://www.orvantis.example Now"),
    ("frmTimeZone", "list", "Time zones"),
    ("frmTimeZone", "text", "Filter time zones"),
    ("frmCalendar", "table", "Days of the month"),
    ("frmCalendar", "push button", "Previous month"),
]

# Objects whose name the reader takes from elsewhere: a page tab's text is the tab's own, and
# a table cell's name is read with its row and column.
UNNAMED_ROLES = {"filler", "unknown", "redundant object", "scroll bar"}


def fail(message):
    print("atspi_tree: FAIL: " + message, file=sys.stderr, flush=True)
    sys.exit(1)


def read_line(stream, seconds, what):
    """One line from a pipe within the time limit, or a failure naming what never came."""
    ready, _, _ = select.select([stream], [], [], seconds)
    if not ready:
        fail(f"{what} did not answer within {seconds} s")
    line = stream.readline()
    if not line:
        fail(f"{what} ended without answering")
    return line.strip()


def start(command, what, env=None):
    """A process in a process group of its own, with a pipe on which it reports its address."""
    reader, writer = os.pipe()
    argv = [argument.replace("{fd}", str(writer)) for argument in command]
    try:
        process = subprocess.Popen(argv, pass_fds=(writer,), env=env, start_new_session=True,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
    except OSError as error:
        fail(f"cannot start {what}: {error.strerror}")
    os.close(writer)
    with os.fdopen(reader) as stream:
        answer = read_line(stream, START_SECONDS, what)
    return process, answer


def stop(process):
    """Ends a process this script started, with everything it started in its group."""
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=5)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait(timeout=5)


def check_prerequisites():
    for program, package in (("Xvfb", "xvfb"), ("dbus-daemon", "dbus-daemon")):
        if shutil.which(program) is None:
            fail(f"{program} is missing: install the Debian package {package}")
    services = ["/usr/share/dbus-1/services/org.a11y.Bus.service"]
    if not any(os.path.exists(path) for path in services):
        fail("the accessibility bus is not installed: install the Debian package at-spi2-core")


def run_session(tool):
    """Display and bus up, the walk run in a child with both, everything ended after."""
    check_prerequisites()
    display = bus = None
    home = tempfile.mkdtemp(prefix="kistarra-atspi-")
    try:
        display, number = start(["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24",
                                 "-nolisten", "tcp", "-noreset"], "Xvfb")
        env = dict(os.environ)
        for variable in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS",
                         "DBUS_SESSION_BUS_ADDRESS", "NO_AT_BRIDGE", "XAUTHORITY"):
            env.pop(variable, None)
        env.update({"DISPLAY": ":" + number, "HOME": home, "XDG_CONFIG_HOME": home,
                    "XDG_CACHE_HOME": home, "GTK_MODULES": "", "LC_ALL": "C.UTF-8"})
        bus, address = start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                              "--print-address={fd}"], "dbus-daemon", env)
        env.update({"DBUS_SESSION_BUS_ADDRESS": address, "QT_QPA_PLATFORM": "xcb",
                    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
        try:
            walk = subprocess.run([sys.executable, os.path.abspath(__file__), "--walk", tool],
                                  env=env, timeout=WALK_SECONDS, stdin=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            fail(f"the walk did not end within {WALK_SECONDS} s")
        return walk.returncode
    finally:
        stop(bus)
        stop(display)
        shutil.rmtree(home, ignore_errors=True)


# ---- the walk, in the child process, with the display and the bus in its environment ----

def state_names(node):
    import pyatspi
    states = node.getState()
    return {name for name, state in (("focusable", pyatspi.STATE_FOCUSABLE),
                                     ("showing", pyatspi.STATE_SHOWING),
                                     ("visible", pyatspi.STATE_VISIBLE),
                                     ("sensitive", pyatspi.STATE_SENSITIVE),
                                     ("editable", pyatspi.STATE_EDITABLE))
            if states.contains(state)}


def extents(node):
    import pyatspi
    try:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except NotImplementedError:
        return None
    return (box.x, box.y, box.width, box.height)


def overlaps(inner, outer):
    ix, iy, iw, ih = inner
    ox, oy, ow, oh = outer
    return ix < ox + ow and ox < ix + iw and iy < oy + oh and oy < iy + ih


def values_of(node, role):
    """What the control holds or can hold, as a reader would say it after its name: the text
    of a text box, the entries of a drop-down list."""
    values = set()
    if "Text" in node.get_interfaces():
        text = node.queryText()
        values.add(text.getText(0, text.characterCount).strip())
    if role == "combo box":
        for index in range(node.childCount):
            entries = node.getChildAtIndex(index)
            for entry in range(entries.childCount if entries is not None else 0):
                item = entries.getChildAtIndex(entry)
                if item is not None:
                    values.add((item.name or "").strip())
    values.discard("")
    return values


class Walk:
    def __init__(self, window):
        self.window = window
        self.faults = []
        self.found = set()
        self.count = 0

    def fault(self, path, message):
        self.faults.append(f"{self.window}: {' > '.join(path)}: {message}")

    def visit(self, node, path, parent_box, window_box):
        self.count += 1
        if self.count > MAX_NODES:
            self.fault(path, f"more than {MAX_NODES} objects: the tree does not end")
            return
        role = node.getRoleName()
        name = (node.name or "").strip()
        here = path + [f"{role} '{name}'"]
        states = state_names(node)
        box = extents(node)
        self.found.add((role, name))
        if os.environ.get("KISTARRA_ATSPI_DUMP"):
            print("  " * len(path) + f"{role} '{name}' {sorted(state_names(node))} {extents(node)}"
                  f" holds {sorted(values_of(node, role))[:3]}")
        showing = "showing" in states and "visible" in states
        if showing and box is not None and box[2] > 0 and box[3] > 0:
            if parent_box is not None and not overlaps(box, parent_box):
                self.fault(here, f"reported as showing at {box}, outside its parent {parent_box}")
            elif window_box is not None and not overlaps(box, window_box):
                self.fault(here, f"reported as showing at {box}, outside its window")
        if showing and "focusable" in states and "sensitive" in states \
                and role not in UNNAMED_ROLES:
            if not name:
                self.fault(here, "a control the keyboard reaches has no name")
            elif name in values_of(node, role):
                self.fault(here, "named only by what it holds")
        if role in ("table column header", "table row header") and name.isdigit():
            self.fault(here, "a header named only by its number")
        if not showing:
            return
        if window_box is None and role in ("frame", "window", "dialog"):
            window_box = box
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is not None:
                self.visit(child, here, box if box and box[2] > 0 else parent_box, window_box)


def find_application(pid):
    import pyatspi
    deadline = time.monotonic() + WINDOW_SECONDS
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            try:
                if application is not None and application.get_process_id() == pid \
                        and application.childCount > 0:
                    return application
            except Exception:  # an application that went away while being asked
                continue
        time.sleep(0.2)
    return None


def walk_window(tool, window, env):
    shown = subprocess.Popen([tool, window], env=env, stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, text=True)
    try:
        if read_line(shown.stdout, WINDOW_SECONDS, f"showwindow '{window}'") != "ready":
            fail(f"showwindow '{window}' did not say it was ready")
        application = find_application(shown.pid)
        if application is None:
            fail(f"'{window}' never reached the accessibility bus: is the Qt AT-SPI bridge "
                 "built in, and QT_LINUX_ACCESSIBILITY_ALWAYS_ON honoured?")
        walk = Walk(window)
        for index in range(application.childCount):
            walk.visit(application.getChildAtIndex(index), [], None, None)
        return walk
    finally:
        shown.stdin.close()
        try:
            shown.wait(timeout=10)
        except subprocess.TimeoutExpired:
            shown.kill()
            shown.wait(timeout=5)


def run_walk(tool):
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        import pyatspi  # noqa: F401  (the reader's own library)
    except (ImportError, ValueError) as error:
        fail(f"cannot read AT-SPI from Python ({error}): install the Debian packages "
             "python3-pyatspi and gir1.2-atspi-2.0")
    listed = subprocess.run([tool, "--list"], capture_output=True, text=True,
                            timeout=WINDOW_SECONDS, env=os.environ)
    windows = [line for line in listed.stdout.splitlines() if line]
    if listed.returncode != 0 or not windows:
        fail(f"'{tool} --list' named no windows: {listed.stderr.strip()}")

    faults = []
    for window in windows:
        walk = walk_window(tool, window, os.environ)
        print(f"{window}: {walk.count} objects", flush=True)
        if walk.count < 5:
            faults.append(f"{window}: only {walk.count} objects reached the reader")
        faults += walk.faults
        for expected_window, role, name in EXPECTED:
            if expected_window == window and (role, name) not in walk.found:
                faults.append(f"{window}: no {role} named '{name}'")
    for fault in faults:
        print("FAULT " + fault, file=sys.stderr)
    return 1 if faults else 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--walk":
        return run_walk(sys.argv[2])
    if len(sys.argv) != 2:
        fail("usage: atspi_tree.py <showwindow>")
    if not os.access(sys.argv[1], os.X_OK):
        fail(f"{sys.argv[1]} is not a program")
    return run_session(sys.argv[1])


if __name__ == "__main__":
    sys.exit(main())
