#!/usr/bin/env bash
# Runs a command on an X display of its own. Xvfb picks a free display number itself
# (xvfb-run -a can pick one another run is taking at the same moment), so parallel
# runs never meet; it does not reset when its first client leaves, so the next can still
# connect. Usage: with-xvfb.sh [-s WIDTHxHEIGHT] command [arguments...]
set -uo pipefail
size=1280x1024
if [[ ${1:-} == -s ]]; then
  size=$2
  shift 2
fi
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do
  [[ -s $display_file ]] && break
  sleep 0.05
done
if [[ ! -s $display_file ]]; then
  echo "Xvfb did not start" >&2
  kill "$xvfb" 2>/dev/null
  rm -f "$display_file"
  exit 1
fi
DISPLAY=:$(head -n 1 "$display_file")
export DISPLAY
rm -f "$display_file"
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit "$status"
