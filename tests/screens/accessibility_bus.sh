#!/usr/bin/env bash
# Runs a command as on a desktop with a screen reader: on a display of its own, with a
# private session bus and the accessibility bus, so that a Qt program's accessibility
# bridge is active and an assistive-technology client can read it. Every process
# started here ends with the command, or after the time limit.
# Usage: accessibility_bus.sh [--timeout seconds] command [arguments...]
set -uo pipefail

limit=60
if [[ ${1:-} == --timeout ]]; then
  limit=$2
  shift 2
fi

if [[ ${1:-} != --on-bus ]]; then
  # Xvfb picks a free display number itself, so that parallel runs never meet; it must
  # not reset when its first client (the bus launcher) leaves, or the next cannot connect.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do
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
  # A process group of its own: whatever the buses start is ended with it.
  setsid timeout -k 5 "$limit" dbus-run-session -- "$0" --on-bus "$@" &
  group=$!
  wait "$group"
  status=$?
  kill -TERM -- "-$group" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  ((status == 124)) && echo "timed out after ${limit} s" >&2
  exit "$status"
fi
shift

/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null; wait "$launcher" 2>/dev/null' EXIT
# The accessibility bus is on once its launcher owns its name on the session bus.
for _ in $(seq 100); do
  if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'; then
    break
  fi
  sleep 0.05
done

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$@"
