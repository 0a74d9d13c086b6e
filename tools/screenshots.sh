#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots: plays exercises through the real program
# under Xvfb, with xdotool as the pupil, then writes a lesson in the lesson editor as a
# teacher would.
#   tools/screenshots.sh            (after ./run or ./test has built build/bin)
# The first run is on a monitor where the screens open at their designed size (1024 by
# 768 and room for a frame); two more show the screens fitted to a 1280x720 projector
# and a 1920x1080 monitor. The chooser is worked with the keyboard, the exercise screen
# with the mouse at its design positions times the screen's zoom. The editor gets the
# screen of a teacher's laptop, 1440x900.
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
  for size in 1032x806 1280x720 1920x1080; do
    xvfb-run -a -s "-screen 0 ${size}x24" "$0" "$size"
  done
  xvfb-run -a -s "-screen 0 1440x900x24" "$0" --editor
  exit 0
fi

size=$1
width=${size%x*}
height=${size#*x}
# The zoom the program takes: the largest at which 1024 by 768 and a frame fit.
zoom=$(awk -v w="$width" -v h="$height" 'BEGIN { a = (w - 8) / 1024; b = (h - 38) / 768; print (a < b ? a : b) }')
# The chooser, designed 640 by 720, fits the same way; it opens at the top left.
chooser_w=$(awk -v w="$width" -v h="$height" 'BEGIN { a = (w - 8) / 640; b = (h - 38) / 720; print int(640 * (a < b ? a : b)) }')
chooser_h=$(awk -v w="$width" -v h="$height" 'BEGIN { a = (w - 8) / 640; b = (h - 38) / 720; print int(720 * (a < b ? a : b)) }')

cd build/bin
program=
start_program() {
  [[ -n $program ]] && kill "$program" 2>/dev/null
  ./cloze-trainer 2>/dev/null &
  program=$!
  sleep 2
  xdotool mousemove 10 10
}
trap '[[ -n $program ]] && kill $program 2>/dev/null || true' EXIT

at() { awk -v v="$1" -v z="$zoom" 'BEGIN { printf "%d", v * z + 0.5 }'; }
click() { xdotool mousemove "$(at "$1")" "$(at "$2")" click 1; sleep "${3:-0.4}"; }
shoot() { # name: the designed screen, cropped to it, or the whole monitor
  sleep 0.5
  if [[ $size == 1032x806 ]]; then
    import -window root -crop 1024x768+0+0 +repage "$out/$1.png"
  else
    import -window root "$out/$1-$size.png"
  fi
}
answer() { click "$1" "$2" 0.2; xdotool type -- "$3"; xdotool key Return; sleep 0.3; }
keys() { for key in "$@"; do xdotool key "$key"; sleep 0.15; done; }
# A point of the chooser, as shares of its width and height.
on_chooser() { # x-share y-share
  xdotool mousemove "$(awk -v s="$1" -v w="$chooser_w" 'BEGIN { printf "%d", s * w }')" \
    "$(awk -v s="$2" -v h="$chooser_h" 'BEGIN { printf "%d", s * h }')" click 1
  sleep 0.3
}
# Optionally without the word bank, then pattern 5 (modals), its first lesson, Start.
choose_and_start() { # [typed] [shoot]
  if [[ ${1:-} == typed ]]; then on_chooser 0.25 0.155; shift; fi
  on_chooser 0.5 0.3; keys Home Down Down Down Down Return   # the pattern list
  on_chooser 0.5 0.6; keys Home Return                        # the lesson list
  [[ ${1:-} == shoot ]] && shoot chooser
  on_chooser 0.5 0.95                                         # Start
  sleep 1
}

start_program
if [[ $size != 1032x806 ]]; then
  choose_and_start typed
  answer 90 162 "can"
  answer 280 162 "cant"
  answer 110 202 "can't"
  click 60 282 0.2; xdotool type "ca"
  shoot exercise
  click 169 684 0.8     # new exercise: the question, answered yes
  xdotool key Return
  shoot results
  exit 0
fi

choose_and_start shoot # with the word bank and signs
click 100 161 0.2     # gap 1: each step down the list is a choice
xdotool key Down; sleep 0.3
click 120 201 0.2     # gap 2: a wrong choice first
xdotool key Down Down; sleep 0.3
click 100 241 0.2
xdotool key Down Down; sleep 0.3
shoot exercise-word-bank

start_program
choose_and_start typed
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
