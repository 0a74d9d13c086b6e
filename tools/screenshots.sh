#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots: plays one exercise with the word bank and
# one typed exercise through the real program under Xvfb, with xdotool as the pupil,
# then writes a lesson in the lesson editor as a teacher would.
#   tools/screenshots.sh            (after ./run or ./test has built build/bin)
# Positions are the screens' design positions at 15 twips per pixel on a 1024x768 screen;
# the editor gets a screen of a teacher's laptop, 1440x900.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/docs/screenshots

# The editor over a copy of the built store, with a home of its own, so that neither
# the store nor the settings of whoever runs this change.
editor_shots() {
  work=$(mktemp -d)
  cp build/bin/db1.sqlite "$work/db1.sqlite"
  mkdir -p "$work/home"
  HOME=$work/home XDG_RUNTIME_DIR=$work build/bin/cloze-editor "$work/db1.sqlite" 2>/dev/null &
  editor=$!
  trap 'kill $editor 2>/dev/null || true; rm -rf "$work"' EXIT
  sleep 3
  xdotool mousemove 1300 120 click 1; sleep 0.3   # the list of lessons
  xdotool type "24"; sleep 0.5                     # finds pattern 24 as it is typed
  xdotool key ctrl+n; sleep 0.5                    # a new lesson, its text box ready
  xdotool type --delay 15 "She &plays& (play) the piano."; xdotool key Return
  xdotool type --delay 15 "2. My brother watches"
  xdotool key ctrl+shift+Left ctrl+g; sleep 0.3    # the word before the caret becomes a gap
  xdotool key End; xdotool type --delay 15 " (watch) TV every evening."; xdotool key Return
  xdotool type --delay 15 "3. We &don't like& (not / like) cold tea."; sleep 1
  import -window root "$out/editor.png"
  xdotool key ctrl+Home; sleep 0.3
  # The word bank off: the page as a pupil who types the answers sees it.
  xdotool mousemove 668 64 click 1; sleep 0.8
  import -window root -crop 684x640+0+50 +repage "$out/editor-preview.png"
}

scripts/install-deps.sh scripts/screenshot-packages.txt
if [[ "${1:-}" == --editor ]]; then
  editor_shots
  exit
fi
if [[ -z "${DISPLAY:-}" ]]; then
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
  exec xvfb-run -a -s "-screen 0 1440x900x24" "$0" --editor
fi

cd build/bin
./cloze-trainer 2>/dev/null &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.4}"; }
shoot() { sleep 0.5; import -window root "$out/$1.png"; }
answer() { click "$1" "$2" 0.2; xdotool type -- "$3"; xdotool key Return; sleep 0.3; }

sleep 2
click 60 240          # pattern 5, modals
click 80 412          # its first lesson
shoot chooser

click 320 684 1       # Start, with the word bank and signs
click 100 161 0.2     # gap 1: each step down the list is a choice
xdotool key Down; sleep 0.3
click 120 201 0.2     # gap 2: a wrong choice first
xdotool key Down Down; sleep 0.3
click 100 241 0.2
xdotool key Down Down; sleep 0.3
shoot exercise-word-bank

click 169 684 0.8     # new exercise: the question, answered yes
xdotool key Return; sleep 1
click 404 324         # back to the chooser

click 164 120         # without the word bank
click 80 412
click 320 684 1
# Each box is clicked near its left edge, where the caret goes anyway.
answer 75 162 "can"
answer 268 162 "cant"
answer 268 162 "can't"
answer 96 202 "can't"
answer 83 242 "can"
answer 258 362 "cannot"
click 45 282 0.2; xdotool type "ca"
shoot exercise-typed

click 960 412 1       # grammar help for this exercise
shoot grammar-help
click 320 453
click 243 8 1         # the general help from the menu
shoot general-help
click 320 452

answer 45 282 "can"
answer 81 322 "can't"
answer 258 362 "can't"
answer 84 402 "can"
answer 305 442 "can't"
shoot results
