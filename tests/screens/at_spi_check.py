#!/usr/bin/python3
"""The program read through the accessibility bus, as a screen reader reads it.

    accessibility_bus.sh /usr/bin/python3 at_spi_check.py PROGRAM_FOLDER

Starts the program from a copy of its folder (it writes its working lesson file
there), finds the chooser's four setting fields by their names, starts an exercise
as a keyboard user does, finds the first gap by its name, answers it and hears the
next gap say that the answer was right. AT-SPI's actions press the buttons; the
toolkit's lists have no action that chooses an entry, so the keys go through xdotool.
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


class Failure(Exception):
    pass


def wait_for(what, probe, seconds=10.0):
    deadline = time.monotonic() + seconds
    while not (found := probe()):
        if time.monotonic() > deadline:
            raise Failure("gave up waiting for " + what)
        time.sleep(0.1)
    return found


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def has(node, state):
    return state in node.getState().getStates()


def find(root, role, name):
    """The shown node of that role whose name is `name` or matches it."""
    return next((n for n in descendants(root) if n.getRoleName() == role and has(n, pyatspi.STATE_SHOWING)
                 and (re.fullmatch(name, n.name) if isinstance(name, re.Pattern) else n.name == name)), None)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "50", *names], check=True, timeout=10)


def focus_window(pid):
    """No window manager runs here: give the program's shown window the keyboard."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True, timeout=10).stdout.split()
    if found:
        subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True, timeout=10)
    return bool(found)


def choose_first_entry(app, pid, list_name):
    listing = wait_for("the list " + list_name, lambda: find(app, "list", list_name))
    wait_for("entries in " + list_name, lambda: listing.childCount > 0)
    wait_for("the keyboard", lambda: focus_window(pid))
    for _ in range(30):
        if has(listing, pyatspi.STATE_FOCUSED):
            return keys("Home", "Return")
        keys("Tab")
        time.sleep(0.1)  # the focus state comes over the bus
    raise Failure("Tab never reached " + list_name)


def check(app, pid):
    for name, value in SETTINGS.items():
        field = wait_for("the setting field " + name, lambda n=name: find(app, "combo box", n))
        text = next(n for n in descendants(field) if n.getRoleName() == "text").queryText()
        if text.getText(0, text.characterCount) != value:
            raise Failure("%s does not hold %s" % (name, value))
        print("setting field: %s = %s (%s)" % (name, value, field.description))

    choose_first_entry(app, pid, "תבנית דקדוק")
    choose_first_entry(app, pid, "שיעור")
    start = find(app, "push button", "התחל")
    wait_for("Start to be enabled", lambda: has(start, pyatspi.STATE_SENSITIVE))
    action = start.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))

    exercise = wait_for("the exercise screen", lambda: next(
        (w for w in app if w is not None and w.name == "תרגיל" and has(w, pyatspi.STATE_SHOWING)), None))
    gap = wait_for("the first gap", lambda: find(exercise, "combo box", re.compile(r"השלמה 1 מתוך \d+")))
    if "___" not in gap.description:
        raise Failure("the first gap is described as %r" % gap.description)
    print("gap: %s: %s" % (gap.name, gap.description))
    wait_for("the keyboard", lambda: focus_window(pid))
    wait_for("the focus in the first gap", lambda: has(gap, pyatspi.STATE_FOCUSED), seconds=5)

    # Down picks the word bank's first entry, the first gap's answer: the gap closes
    # and the focus moves to the next one, which says so.
    keys("Down")
    after = wait_for("the focus in the next gap", lambda: next(
        (n for n in descendants(exercise) if n.getRoleName() == "combo box" and has(n, pyatspi.STATE_FOCUSED)), None))
    if not after.name.startswith("נכון! השלמה 2 מתוך"):
        raise Failure("after a right answer the gap in focus is called %r" % after.name)
    print("after a right answer: " + after.name)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    with tempfile.TemporaryDirectory() as work:
        folder = shutil.copytree(sys.argv[1], os.path.join(work, "program"))
        log = os.path.join(work, "program.log")
        with open(log, "w") as errors:
            program = subprocess.Popen([os.path.join(folder, "cloze-trainer")], cwd=folder,
                                       stdout=subprocess.DEVNULL, stderr=errors)
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            app = wait_for("the program on the accessibility bus", lambda: next(
                (a for a in desktop if a is not None and a.get_process_id() == program.pid), None), seconds=15)
            check(app, program.pid)
        except (Failure, subprocess.SubprocessError) as failure:
            print("FAILED:", failure)
            with open(log) as said:
                print("the program said:", said.read(), sep="\n")
            return 1
        finally:
            program.terminate()
            try:
                program.wait(timeout=5)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
