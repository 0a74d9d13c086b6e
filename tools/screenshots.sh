#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots: plays one exercise with the word bank and
# one typed exercise through the real program under Xvfb, with xdotool as the pupil.
#   tools/screenshots.sh            (after ./run or ./test has built build/bin)
# Positions are the screens' design positions at 15 twips per pixel on a 1024x768 screen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh scripts/screenshot-packages.txt
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

out=$PWD/docs/screenshots
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
