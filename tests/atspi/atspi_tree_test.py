#!/usr/bin/python3
"""TALVEX as a screen reader meets it: started on its own virtual display, session bus and
accessibility bus, against talvex-sim, it walks the accessibility tree of each window and checks
every control a user can work (its role, a name from the tables below, and that no two controls of
a window share name and description); then it presses Clear Status and Query Current Frequency
through the bus, as a screen reader does, and waits for the Frequency field to announce the
simulator's frequency; and it runs Create File through the bus and hears its progress and its end
as text from the Memory window's status line, and a sort in the Channel Editor and its undo as text
from the editor's.

    atspi_tree_test.py TALVEX TALVEX-SIM DEMO-DIR
"""
import os
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

TIMEOUT = 20  # seconds for anything to show on the bus

INTERACTIVE = {"push button", "radio button", "check box", "toggle button", "text", "list", "list item",
               "menu item", "menu", "combo box", "spin button", "slider", "table"}

RADIO_LISTS = {
    "Mode": ["AM", "FM", "USB", "LSB", "CW", "CWr", "RTTY", "RTTYr"], "Filter": ["Filter 1", "Filter 2", "Filter 3"],
    "Vfo/Memory": ["VFO", "MEM"], "VFO": ["VFO A", "VFO B"], "Split": ["Split Off", "Split On"],
    "RIT": ["RIT Off", "RIT On"], "^TX": ["^TX Off", "^TX On"], "Monitor": ["Monitor Off", "Monitor On"],
    "Tuner": ["Tuner Off", "Tuner On", "TUNE"], "Pre Amp": ["Pre Amp Off", "Pre Amp 1", "Pre Amp 2"],
    "Attenuator": ["Attenuator Off", "Attenuator On"], "VOX": ["VOX Off", "VOX On"],
    "Bk-In": ["Bk-In Off", "Bk-In Semi", "Bk-In Full"], "Man Notch": ["Man Notch Off", "Man Notch On"],
    "Auto Notch": ["Auto Notch Off", "Auto Notch On"], "NR": ["NR Off", "NR On"], "NB": ["NB Off", "NB On"],
}

# Window -> role -> the names its controls of that role carry, each at least once.
EXPECTED = {
    "Radio Operations": {
        "push button": {"Query Current Frequency", "Query Current Mode", "Query Edge Frequency", "Radio Frequency Set",
                        "Radio Mode Set", "Memory > VFO", "VFO A = B", "Query Memory Channel", "Memory Channel Select",
                        "Memory Channel Clear", "Memory Write", "Memory UP", "Memory DN", "Rig ID", "Time", "S-Meter",
                        "Set Vol", "Speech", "Squelch Status", "Auto Status Toggle", "Clear Status", "My Call",
                        "R/T Status", "Manual Command", "Power ON", "Power OFF", "go to Memory Window", "Exit"},
        "radio button": {"Rx", "Tx", "HEX", "BCD"},
        "text": {"Frequency", "Channel", "Mode", "Filter", "Status/Info", "Selected Memory", "Messages"},
        "list": set(RADIO_LISTS),
        "list item": {item for items in RADIO_LISTS.values() for item in items},
        "menu item": {"File", "Edit Channels…", "Exit", "Memory-Window", "Setup", "Help"},
    },
    "Memory Operations": {
        "push button": {"Change Data File", "View File", "Create File", "Stop", "TALVEX.txt", "Ham.txt", "CB.txt",
                        "Tele.txt", "Sw+Air.txt", "Empty.txt", "View Rig", "Update Rig", "Blank Rig", "Scan Rig",
                        "Pause", "go to Radio Window", "Exit"},
        "text": {"Channel", "Frequency", "Mode", "Filter", "Status/Info", "Selected Memory", "Current File", "Status",
                 "Messages"},
        "menu item": {"File", "Edit Channels…", "Exit", "Radio-Window", "Setup", "Help"},
    },
    "Channel Editor": {
        "text": {"Find", "Update Rig", "Report", "Status"},
        "table": {"Channels"},
        "menu item": {"File", "Save", "Import CHIRP CSV...", "Export CHIRP CSV...", "Compare with Radio",
                      "Take Settings from the Radio", "Write to Radio", "Close", "Edit", "Undo", "Redo", "Cut Rows",
                      "Copy Rows", "Paste Rows", "Clear Cells", "Insert Channel", "Clear Channel", "Move Up",
                      "Move Down", "Sort by Frequency", "Sort by Label", "Find...", "Find Next"},
    },
    "System Setup": {
        "radio button": {f"Com {n}" for n in range(1, 9)} | {"19200,N,8,1", "9600,N,8,1", "4800,N,8,1"},
        "text": {"Call Sign", "Default Data File", "Rig Server"},
        "push button": {"Save", "Quit"},
        "menu item": {"File", "Quit", "Save", "Help"},
    },
    "Data File Setup": {
        "text": {"Current File", "New File"},
        "push button": {"Open New File", "Search for File", "Use Default File", "Return"},
        "menu item": {"File", "Quit", "Return", "Help"},
    },
}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


running = []  # the program under test: waiting ends when it does


def wait_for(what, probe, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if running and running[0].poll() is not None:
            raise RuntimeError(f"TALVEX ended (status {running[0].returncode}) while waiting for {what}")
        found = probe()
        if found:
            return found
        pump(0.05)
    raise TimeoutError(what)


def pump(seconds):
    """Lets pyatspi's main loop deliver events for a while."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def answers(address):
    with socket.socket(socket.AF_UNIX) as probe:
        try:
            probe.connect(address)
            return True
        except OSError:
            return False


def x_sockets(display):
    # Clients try the abstract socket first; it belongs to the network namespace, which other
    # sandboxes on this machine may share while their /tmp (and its lock files) is their own.
    return ("\0/tmp/.X11-unix/X" + display, "/tmp/.X11-unix/X" + display)


def start_display():
    """Xvfb on a display number that no X server answers on, once it takes clients."""
    for number in random.sample(range(200, 1000), 20):
        display = str(number)
        if os.path.exists(f"/tmp/.X{display}-lock") or any(answers(a) for a in x_sockets(display)):
            continue
        xvfb = subprocess.Popen(["Xvfb", ":" + display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.monotonic() + TIMEOUT
        while xvfb.poll() is None and time.monotonic() < deadline and not all(answers(a) for a in x_sockets(display)):
            time.sleep(0.05)
        if xvfb.poll() is None and all(answers(a) for a in x_sockets(display)):
            return xvfb, display
        xvfb.kill()
        xvfb.wait()
    raise RuntimeError("Xvfb did not start")


def start_environment(work, talvex, sim, bus=None):
    procs = []
    if bus is None:
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                               text=True, start_new_session=True)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    procs.append(bus)
    xvfb, display = start_display()
    procs.append(xvfb)
    os.environ["DISPLAY"] = ":" + display
    radio = subprocess.Popen([sim, "--link", "COM1", "--baud", "19200", "--callsign", "N0CALL", "--memory",
                              "sim-memory.txt", "--transceive", "off", "--log", "sim.log"],
                             cwd=work, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, start_new_session=True)
    procs.append(radio)
    if "ready" not in radio.stdout.readline():
        raise RuntimeError("talvex-sim did not start")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               ASAN_OPTIONS="detect_leaks=0")
    app = subprocess.Popen([talvex], cwd=work, env=env, start_new_session=True)
    procs.append(app)
    return procs


def ended_within(proc, seconds):
    deadline = time.monotonic() + seconds
    while proc.poll() is None and time.monotonic() < deadline:
        time.sleep(0.05)
    return proc.poll() is not None


def stop_environment(procs):
    for proc in reversed(procs):
        try:
            os.killpg(proc.pid, signal.SIGTERM)  # the bus takes the services it started along
        except ProcessLookupError:
            pass
    for proc in procs:
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()


def children(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child


def controls(node, path=()):
    """Every control a user can work, with the menus it sits in (menu items are told apart by
    them)."""
    role = node.getRoleName()
    if role in INTERACTIVE:
        yield node, path
    inside = path + (node.name,) if role in ("menu item", "menu") else path
    for child in children(node):
        yield from controls(child, inside)


def app_of(pyatspi):
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in children(desktop) if a.name == "TALVEX"), None)


def window(pyatspi, title):
    app = app_of(pyatspi)
    return next((w for w in children(app) if w.name == title and w.childCount > 0), None) if app else None


def find(node, role, name):
    for control, _ in controls(node):
        if control.getRoleName() == role and control.name == name:
            return control
    return None


def press(control):
    actions = control.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    index = next((i for i, n in enumerate(names) if n in ("press", "click", "activate")), 0)
    actions.doAction(index)


def check_window(title, top):
    expected = EXPECTED[title]
    seen = {}
    pairs = {}
    for control, menus in controls(top):
        role, name, description = control.getRoleName(), control.name, control.description
        check(bool(role) and role != "unknown", f"{title}: a control without a role")
        check(bool(name and name.strip()), f"{title}: a {role} without a name (description {description!r})")
        check(name in expected.get(role, set()), f"{title}: {role} {name!r} is not one the window should have")
        seen.setdefault(role, set()).add(name)
        key = (menus, name, description)
        check(key not in pairs or role == "list item" and pairs[key] != role,
              f"{title}: two controls named {name!r} with the description {description!r}")
        pairs[key] = role
    for role, names in expected.items():
        missing = names - seen.get(role, set())
        check(not missing, f"{title}: no {role} named {sorted(missing)}")


def hear_create_file(pyatspi, memory):
    """Create File through the bus, its question answered there too; its progress and its end must
    reach the bus as text from the status line, the way a screen reader hears them."""
    heard = []

    def on_text(event):
        if event.source is not None and event.source.name == "Status":
            heard.append(str(event.any_data))
    pyatspi.Registry.registerEventListener(on_text, "object:text-changed:insert")
    press(find(memory, "push button", "Create File"))
    question = wait_for("Create File's question", lambda: window(pyatspi, "Create File"))
    press(find(question, "push button", "Yes"))
    def said(start):
        return any(text.startswith(start) for text in heard)
    try:
        wait_for("Create File's first channel", lambda: said("Create File: channel 1 of 99"))
        wait_for("Create File's end", lambda: "Create File ended" in heard, timeout=90)
    except TimeoutError:
        print("heard:", heard[-5:], flush=True)
        raise
    check(said("Create File: channel 99 of 99"), f"the last channel was not heard: {heard[-3:]}")
    pyatspi.Registry.deregisterEventListener(on_text, "object:text-changed:insert")


def hear_editor(pyatspi, editor):
    """A sort and its undo through the bus: what each did must reach it as text from the
    editor's status line."""
    heard = []

    def on_text(event):
        if event.source is not None and event.source.name == "Status":
            heard.append(str(event.any_data))
    pyatspi.Registry.registerEventListener(on_text, "object:text-changed:insert")
    try:
        press(find(editor, "menu item", "Sort by Frequency"))
        wait_for("the sort to be heard", lambda: any(t.startswith("Sorted ") and "by frequency" in t for t in heard))
        press(find(editor, "menu item", "Undo Sort by Frequency"))
        wait_for("its undo to be heard", lambda: any(t.startswith("Undid Sort by Frequency: ") for t in heard))
    except TimeoutError:
        print("heard:", heard[-5:], flush=True)
        raise
    finally:
        pyatspi.Registry.deregisterEventListener(on_text, "object:text-changed:insert")


def main():
    talvex, sim, demo = sys.argv[1:4]
    work = tempfile.mkdtemp(prefix="talvex-atspi-")
    for name in ("TALVEX.INI", "TALVEX.TXT", "sim-memory.txt"):
        shutil.copy(os.path.join(demo, name), work)
    procs = start_environment(work, talvex, sim)
    for _ in range(3):
        # An X server that comes and goes on the same display number from elsewhere on this
        # machine can refuse TALVEX its display: it then ends at once, and everything but the
        # bus is started again on another display.
        if not ended_within(procs[-1], 3):
            break
        stop_environment(procs[1:])
        procs = start_environment(work, talvex, sim, procs[0])
    running.append(procs[-1])
    try:
        import pyatspi  # after the bus is known: it connects on import

        radio = wait_for("the Radio Operations window", lambda: window(pyatspi, "Radio Operations"))
        check_window("Radio Operations", radio)

        frequency = find(radio, "text", "Frequency")
        values = []

        def on_value(event):
            if event.source is not None and event.source.name == "Frequency":
                values.append(event.source.queryText().getText(0, -1))
        pyatspi.Registry.registerEventListener(on_value, "object:property-change:accessible-value")
        # The start-up queries end with My Call (1A 05 00 91); its answer is the last traffic shown.
        messages = find(radio, "text", "Messages")
        wait_for("the start-up queries to end", lambda: "91" in messages.queryText().getText(0, -1).split("FD")[0])
        press(find(radio, "push button", "Clear Status"))
        wait_for("Clear Status to blank the frequency", lambda: frequency.queryText().getText(0, -1) == " ")
        with open(os.path.join(work, "sim.log")) as log:
            before = log.read().count(" in ")
        values.clear()  # what the start-up queries announced
        press(find(radio, "push button", "Query Current Frequency"))
        said = wait_for("the Frequency field to announce", lambda: values)
        check(said[-1] == "14.074.0", f"the Frequency field announced {said}, not the simulator's 14.074.0")
        with open(os.path.join(work, "sim.log")) as log:
            received = [line.split(" in ", 1)[1] for line in log.read().splitlines() if " in " in line][before:]
        check(received == ["FE FE 94 E0 03 FD"], f"the simulator received {received} for the query")

        press(find(radio, "push button", "go to Memory Window"))
        memory = wait_for("the Memory Operations window", lambda: window(pyatspi, "Memory Operations"))
        check_window("Memory Operations", memory)
        hear_create_file(pyatspi, memory)
        press(find(memory, "push button", "Change Data File"))
        data = wait_for("the Data File Setup window", lambda: window(pyatspi, "Data File Setup"))
        check_window("Data File Setup", data)
        press(find(memory, "menu item", "Edit Channels…"))
        editor = wait_for("the Channel Editor window", lambda: window(pyatspi, "Channel Editor"))
        check_window("Channel Editor", editor)
        hear_editor(pyatspi, editor)
        press(find(radio, "menu item", "Setup"))
        setup = wait_for("the System Setup window", lambda: window(pyatspi, "System Setup"))
        check_window("System Setup", setup)
    finally:
        stop_environment(procs)
        shutil.rmtree(work, ignore_errors=True)
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
