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

case ${1:-} in
  --on-bus) shift ;;
  --on-display)
    shift
    # A process group of its own: whatever the buses start is ended with it.
    setsid timeout -k 5 "$limit" dbus-run-session -- "$0" --on-bus "$@" &
    group=$!
    wait "$group"
    status=$?
    kill -TERM -- "-$group" 2>/dev/null
    ((status == 124)) && echo "timed out after ${limit} s" >&2
    exit "$status"
    ;;
  *) exec "$(dirname "$0")/../../scripts/with-xvfb.sh" "$0" --timeout "$limit" --on-display "$@" ;;
esac

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
