#!/usr/bin/python3
"""The program read through the accessibility bus, as a screen reader reads it.

Run by accessibility_bus.sh, which gives it a display, a session bus and the
accessibility bus, with the system Python and its pyatspi:

    accessibility_bus.sh /usr/bin/python3 at_spi_check.py PROGRAM_FOLDER

Starts the program from a copy of its folder (it writes its working lesson file
there), finds the chooser's four setting fields by their names, starts an exercise
as a keyboard user does, finds the first gap of the exercise by its name, answers it
and hears the next gap say that the answer was right.
AT-SPI's own actions press the buttons; the toolkit's lists offer no action that
chooses an entry, so the arrow keys, Tab and Enter go to them through xdotool.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

SETTINGS = {"זמן בדקות": "1", "נסיונות במשחק": "5", "זיכוי": "1", "חיוב": "1"}
FIRST_GAP = re.compile(r"^השלמה 1 מתוך (\d+)$")


class Failure(Exception):
    pass


def wait_for(what, probe, seconds=10.0):
    """probe() until it gives something, or fail saying what was awaited."""
    deadline = time.monotonic() + seconds
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure("gave up waiting for " + what)
        time.sleep(0.1)


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def states(node):
    return node.getState().getStates()


def showing(node):
    return pyatspi.STATE_SHOWING in states(node)


def focused(node):
    return pyatspi.STATE_FOCUSED in states(node)


def find(root, role, name=None, pattern=None):
    for node in descendants(root):
        if node.getRoleName() != role or not showing(node):
            continue
        if name is not None and node.name != name:
            continue
        if pattern is not None and not pattern.match(node.name):
            continue
        return node
    return None


def field_text(combo):
    for node in descendants(combo):
        if node.getRoleName() == "text":
            text = node.queryText()
            return text.getText(0, text.characterCount)
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "50", *names], check=True, timeout=10)


def focus_window(pid):
    """No window manager runs here: give the program's shown window the keyboard."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True, timeout=10).stdout.split()
    if not found:
        return False
    subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True, timeout=10)
    return True


def tab_to(node):
    for _ in range(30):
        if focused(node):
            return
        keys("Tab")
        time.sleep(0.05)
    raise Failure("Tab never reached " + node.name)


def choose_first_entry(app, pid, list_name):
    listing = wait_for("the list " + list_name, lambda: find(app, "list", list_name))
    wait_for("entries in " + list_name, lambda: listing.childCount > 0)
    wait_for("the keyboard on the chooser", lambda: focus_window(pid))
    tab_to(listing)
    keys("Home", "Return")


def check(program_folder):
    desktop = pyatspi.Registry.getDesktop(0)
    with tempfile.TemporaryDirectory() as work:
        folder = os.path.join(work, "program")
        shutil.copytree(program_folder, folder)
        program = subprocess.Popen([os.path.join(folder, "cloze-trainer")], cwd=folder,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            app = wait_for("the program on the accessibility bus", lambda: next(
                (a for a in descendants(desktop) if a.getRoleName() == "application"
                 and a.get_process_id() == program.pid), None), seconds=15)

            # The chooser: each setting field by its caption, its value apart.
            for name, value in SETTINGS.items():
                field = wait_for("the setting field " + name, lambda n=name: find(app, "combo box", n))
                if field_text(field) != value:
                    raise Failure("%s holds %r, not %r" % (name, field_text(field), value))
                print("setting field: %s = %s (%s)" % (name, value, field.description))

            choose_first_entry(app, program.pid, "תבנית דקדוק")
            choose_first_entry(app, program.pid, "שיעור")
            start = find(app, "push button", "התחל")
            wait_for("Start to be enabled", lambda: pyatspi.STATE_SENSITIVE in states(start))
            press(start)

            # The exercise: its first gap by its name, described by its row.
            exercise = wait_for("the exercise screen", lambda: next(
                (w for w in app if w is not None and w.name == "תרגיל" and showing(w)), None))
            gap = wait_for("the first gap", lambda: find(exercise, "combo box", pattern=FIRST_GAP))
            if "___" not in gap.description:
                raise Failure("the first gap is described as %r" % gap.description)
            print("gap: %s: %s" % (gap.name, gap.description))
            # Start put the pupil into it: with the keyboard on the window, the gap has the focus.
            wait_for("the keyboard on the exercise", lambda: focus_window(program.pid))
            wait_for("the focus in the first gap", lambda: focused(gap), seconds=5)
            print("focus: in the first gap")

            # The arrow key picks the word bank's first entry, which is the first gap's
            # answer: the gap closes and the next one, now in focus, says so.
            keys("Down")
            after = wait_for("the focus in the second gap", lambda: next(
                (n for n in descendants(exercise) if n.getRoleName() == "combo box" and focused(n)), None), seconds=5)
            if not after.name.startswith("נכון! השלמה 2 מתוך"):
                raise Failure("after a right answer the gap in focus is called %r" % after.name)
            print("after a right answer: %s" % after.name)
        finally:
            program.terminate()
            try:
                program.wait(timeout=5)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    try:
        check(sys.argv[1])
    except (Failure, subprocess.SubprocessError) as failure:
        print("FAILED:", failure)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
