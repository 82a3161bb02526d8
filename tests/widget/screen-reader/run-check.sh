#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Reads and edits the qt-widgets example through the Linux accessibility bus, as a
# screen reader does: a virtual X server, a session bus of its own and the
# accessibility bus on it, the example on a fresh copy of the sample, and
# check.py as the reader. Exits 77 (skipped) when a tool for this is missing.
#
#   run-check.sh <qt-widgets-example> <work folder>
set -uo pipefail

example=${1:?the qt-widgets-example program}
work=${2:?a folder for the sample}
here=$(cd "$(dirname "$0")" && pwd)
# The session's exit status when the example could not reach the X server.
no_display=75

# One attempt: a new X server, which picks a free display itself and names it once it
# takes connections, and a session bus of its own with the check inside.
attempt() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  local server=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    echo "FAILED: the virtual X server did not start:"; cat "$work/xvfb.log"
    kill "$server" 2>/dev/null
    return 1
  fi
  DISPLAY=":$(cat "$work/display")" QUIRE_IN_SESSION=1 dbus-run-session -- bash "$0" "$@"
  local status=$?
  if [ $status -eq $no_display ]; then
    kill -0 "$server" 2>/dev/null && echo "(the X server on :$(cat "$work/display") was running)" ||
      { echo "(the X server had ended:)"; cat "$work/xvfb.log"; }
  fi
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  return $status
}

if [ -z "${QUIRE_IN_SESSION:-}" ]; then
  for tool in Xvfb dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
  /usr/bin/python3 -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null ||
    { echo "skipped: the AT-SPI bindings for Python (gir1.2-atspi-2.0) are not installed"; exit 77; }
  mkdir -p "$work"
  # On a loaded machine the example has now and then failed to connect to a server that
  # was running; that says nothing about what is checked here, so it gets a new server.
  for try in 1 2 3; do
    attempt "$@"
    status=$?
    [ $status -eq $no_display ] || exit $status
    echo "the example could not connect to the X server (attempt $try of 3)"
  done
  exit 1
fi

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "skipped: at-spi-bus-launcher (at-spi2-core) is not installed"; exit 77; }
"$launcher" --launch-immediately &

rm -f "$work/sample.db"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
"$example" --database "$work/sample.db" 2>"$work/example.log" &
app=$!
# A start that failed to reach the display shows within seconds.
for _ in $(seq 30); do
  kill -0 "$app" 2>/dev/null || break
  grep -q "could not connect to display" "$work/example.log" && break
  sleep 0.1
done
if grep -q "could not connect to display" "$work/example.log"; then
  cat "$work/example.log"
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  exit $no_display
fi
/usr/bin/python3 "$here/check.py"
status=$?
if ! kill -0 "$app" 2>/dev/null; then
  echo "the example ended early:"; cat "$work/example.log"
fi
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
exit $status
