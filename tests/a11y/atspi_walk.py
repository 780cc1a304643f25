#!/usr/bin/env python3
"""Drives Kalimbo from outside through its accessibility tree, as a screen
reader sees it: every window the main menu opens is walked, and the run
fails on a nameless button, label or picture, on a focusable control that
lies outside its window, and on a Tab order other than the window's own.

Run inside an X display and a D-Bus session (atspi_test.sh sets both up):
    atspi_walk.py KALIMBO PICTURE_FOLDER [--dump] [--switches-on]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# A shared 2-core machine may take its time: every wait is long, and each
# poll is short so a quick machine passes quickly.
WAIT = float(os.environ.get("KALIMBO_ATSPI_WAIT", "60"))
POLL = 0.1

MENU = "Kalimbo (Menü)"
ARROWS = ["Zurück", "Abbruch", "Weiter"]
# How to reach each window from the main menu (buttons pressed in turn), and
# its Tab order from the control that has the focus when it opens.
WINDOWS = [
    ((), ["Filter", "Beenden", "Farben", "Nomen", "Begleiter", "Abschrift", "Fange", "Kontrolle",
          "Laute", "Bildwahl", "Ergänzen", "Diktat", "Memory", "Lehrer", "Name", "Wortwahl", "ABC",
          "Teppich", "Galgen"]),
    (("Nomen",), ["Hilfe", "Abbruch", "Neu"]),
    (("Begleiter",), ["der", "die", "das"] + ARROWS),
    (("Ergänzen",), ["ein", "eine", "einen"] + ARROWS),
    (("Wortwahl",), ARROWS),
    (("Bildwahl",), ARROWS),
    (("Abschrift",), ["Eingabe"] + ARROWS + ["Bild"]),
    (("Diktat",), ["Eingabe"] + ARROWS),
    (("ABC",), ["Hilfe", "Abbruch", "ABC-Reihe", "Neu"] + ["Bild %d" % k for k in range(1, 6)]),
    # Memory greets with a message first, answered with "OK".
    (("Memory", "Nomen-Memory:OK"), ["Hilfe", "Abbruch", "Start"]),
    (("Fange",), ["Wörter", "Abbruch", "Hilfe zeigen"]),
    (("Teppich",), ["Buchstabenteppich", "Hilfe", "Abbruch", "Neu"]),
    # Names and places only. Hangman keeps the focus on its window, where
    # letters are typed; the tables and lists below report a focused item
    # after the focus has left them, so Tab cannot be followed from outside.
    (("Galgen",), None),
    (("Kontrolle",), None),
    (("Lehrer", "Kärtchen"), None),
    (("Lehrer", "Lautübung"), None),
    (("Lehrer", "Schreiben"), None),
]

# Buttons that open a panel of the main menu rather than a window.
IN_MENU = {"Lehrer", "Farben", "Name"}

S = Atspi.StateType
NAMED_ROLES = {Atspi.Role.PUSH_BUTTON, Atspi.Role.LABEL, Atspi.Role.IMAGE,
               Atspi.Role.CHECK_BOX, Atspi.Role.RADIO_BUTTON, Atspi.Role.TOGGLE_BUTTON}


def wait_for(what, probe, timeout=WAIT):
    end = time.monotonic() + timeout
    while True:
        try:
            got = probe()
        except gi.repository.GLib.Error:
            got = None
        if got:
            return got
        if time.monotonic() > end:
            raise TimeoutError("waited %.0f s for %s" % (timeout, what))
        time.sleep(POLL)


def children(o):
    for i in range(o.get_child_count()):
        c = o.get_child_at_index(i)
        if c is not None:
            yield c


def showing(o):
    st = o.get_state_set()
    return st.contains(S.SHOWING) and st.contains(S.VISIBLE)


def walk(o):
    """Every object under o that is on show (a hidden parent hides all)."""
    for c in children(o):
        if showing(c):
            yield c
            yield from walk(c)


def app_of(pid):
    desktop = Atspi.get_desktop(0)
    for a in children(desktop):
        if a.get_process_id() == pid:
            return a
    return None


def windows(app):
    return [w for w in children(app) if showing(w)]


def window(app, menu):
    """The main menu, or the one other window on show (the menu hides itself)."""
    for w in windows(app):
        if (w.get_name() == MENU) == menu:
            return w
    return None


def focused(win):
    for o in walk(win):
        if o.get_state_set().contains(S.FOCUSED):
            return o
    return None


def where(o):
    e = o.get_extents(Atspi.CoordType.SCREEN)
    return (o.get_role(), o.get_name(), e.x, e.y, e.width, e.height)


def label(o):
    return "%s %r" % (o.get_role_name(), o.get_name())


def find(win, name, role=Atspi.Role.PUSH_BUTTON):
    for o in walk(win):
        if o.get_role() == role and o.get_name() == name:
            return o
    return None


def press(win, name):
    button = wait_for("button %r in %r" % (name, win.get_name()), lambda: find(win, name))
    for i in range(button.get_n_actions()):
        if button.get_action_name(i) in ("Press", "press", "click"):
            button.do_action(i)
            return
    button.do_action(0)


def key(name):
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)


def problems_of(win):
    """Nameless controls, and focusable controls outside the window."""
    bad = []
    frame = win.get_extents(Atspi.CoordType.SCREEN)
    for o in walk(win):
        role = o.get_role()
        st = o.get_state_set()
        if role in NAMED_ROLES and not o.get_name().strip():
            e = o.get_extents(Atspi.CoordType.SCREEN)
            bad.append("nameless %s at %d,%d %dx%d" % (o.get_role_name(), e.x - frame.x,
                                                        e.y - frame.y, e.width, e.height))
        if st.contains(S.FOCUSABLE) and st.contains(S.ENABLED) and role != Atspi.Role.LIST_ITEM:
            e = o.get_extents(Atspi.CoordType.SCREEN)
            inside = (e.width > 0 and e.height > 0 and e.x >= frame.x and e.y >= frame.y
                      and e.x + e.width <= frame.x + frame.width
                      and e.y + e.height <= frame.y + frame.height)
            if not inside:
                bad.append("%s can take the focus outside the window" % label(o))
    return bad


def settled_problems(win):
    """problems_of once the window has stopped moving: the window manager may
    still place or frame it when it is first seen. What is still there
    after three seconds is a fault."""
    for _ in range(3):
        if not problems_of(win):
            return []
        time.sleep(1)
    return problems_of(win)


def tab_cycle(win, steps):
    """The focused control's name before and after each of `steps` Tabs."""
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                    "^%s$" % win.get_name().replace("(", "\\(").replace(")", "\\)"),
                    "windowactivate", "--sync"], stdout=subprocess.DEVNULL, timeout=WAIT)
    try:
        first = wait_for("a focused control in %r" % win.get_name(), lambda: focused(win),
                         timeout=WAIT / 4)
    except TimeoutError:
        # Nothing has the focus until the first Tab.
        key("Tab")
        first = wait_for("a focused control in %r after Tab" % win.get_name(),
                         lambda: focused(win))
    seen = [first.get_name()]
    current = first
    for _ in range(steps):
        key("Tab")
        before = current
        # A window with one focusable control keeps it: then the wait ends.
        try:
            current = wait_for("the focus to move", lambda: (
                lambda f: f if f is not None and where(f) != where(before) else None)(focused(win)),
                timeout=5 if steps == 1 else WAIT / 4)
        except TimeoutError:
            current = focused(win) or before
        seen.append(current.get_name())
    return seen


def rotations_match(seen, expected):
    # A picture's name goes on with its noun ("Bild 1: Pilz"), which is drawn.
    seen = [s.split(":")[0] for s in seen]
    n = len(expected)
    if len(seen) != n + 1 or seen[0] != seen[n]:
        return False
    return any(seen[:n] == expected[k:] + expected[:k] for k in range(n))


def main():
    kalimbo, pictures = sys.argv[1], sys.argv[2]
    dump = "--dump" in sys.argv
    work = tempfile.mkdtemp(prefix="kalimbo-atspi-")
    for f in os.listdir(pictures):
        if "." in f and f.rsplit(".", 1)[1].lower() in ("jpg", "bmp", "gif", "wmf"):
            shutil.copy(os.path.join(pictures, f), work)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               XDG_CONFIG_HOME=os.path.join(work, ".config"), QT_QPA_PLATFORM="xcb")
    if "--switches-on" in sys.argv:
        # The on-screen keyboard and high contrast bring keys and a focus
        # frame of their own: they must keep the names and the Tab order.
        os.makedirs(os.path.join(work, ".config", "Kalimbo"))
        with open(os.path.join(work, ".config", "Kalimbo", "Kalimbo.ini"), "w") as ini:
            ini.write("[Extras]\nBildschirmtastatur=true\nKontrast=true\n")
    started = []
    try:
        started.append(subprocess.Popen(["at-spi-bus-launcher", "--launch-immediately"],
                                        env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
                       if shutil.which("at-spi-bus-launcher") else
                       subprocess.Popen(["/usr/libexec/at-spi-bus-launcher",
                                         "--launch-immediately"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # The window manager first, so that it focuses the program's windows.
        # On a loaded machine it may fail to get in at its first try.
        wm_log = open(os.path.join(work, "openbox.log"), "w")
        wm = subprocess.Popen(["openbox"], env=env, stdout=wm_log, stderr=wm_log)
        started.append(wm)

        def wm_running():
            if wm.poll() is not None:
                time.sleep(1)
                started[started.index(wm)] = restart = subprocess.Popen(
                    ["openbox"], env=env, stdout=wm_log, stderr=wm_log)
                return wm_restarted(restart)
            return subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                  capture_output=True, text=True).stdout.count("window id")

        def wm_restarted(p):
            nonlocal wm
            wm = p
            return False

        try:
            wait_for("the window manager", wm_running)
        except TimeoutError:
            wm_log.close()
            print("openbox said:", open(wm_log.name).read())
            raise
        program = subprocess.Popen([kalimbo], cwd=work, env=env)
        started.append(program)
        app = wait_for("Kalimbo on the accessibility bus", lambda: app_of(program.pid))
        failures = []
        for path, expected in WINDOWS:
            menu = wait_for("the main menu", lambda: next(
                (w for w in windows(app) if w.get_name() == MENU), None))
            for name in path:
                if ":" in name:
                    title, name = name.split(":")
                    box = wait_for("the message " + title, lambda: next(
                        (w for w in windows(app) if w.get_name() == title), None))
                    press(box, name)
                    wait_for("the message to go", lambda: not any(
                        w.get_name() == title for w in windows(app)))
                    continue
                press(window(app, False) or menu, name)
            opened = [n for n in path if ":" not in n]
            where = " > ".join(opened) or "main menu"
            win = wait_for("the window of " + where,
                           lambda: window(app, not opened or opened[-1] in IN_MENU))
            if dump:
                print("== %s: %s" % (where, win.get_name()))
                for o in walk(win):
                    print("   ", label(o))
            failures += ["%s: %s" % (where, p) for p in settled_problems(win)]
            seen = tab_cycle(win, len(expected) if expected else 30) if expected or dump else []
            if dump:
                print("   Tab:", seen)
            elif expected and not rotations_match(seen, expected):
                failures.append("%s: Tab order %s, expected %s" % (where, seen, expected))
            if path:
                press(win, "Abbruch")
                wait_for("the main menu alone", lambda: not window(app, False))
        for f in failures:
            print("FAIL", f)
        return 1 if failures and not dump else 0
    finally:
        for p in reversed(started):
            p.terminate()
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
