#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Reads and edits the qt-widgets example through the Linux accessibility bus, as a
# screen reader does: a virtual X display, a session bus of its own and the
# accessibility bus on it, the example on a fresh copy of the sample, and
# check.py as the reader. Exits 77 (skipped) when a tool for this is missing.
#
#   run-check.sh <qt-widgets-example> <work folder>
set -uo pipefail

example=${1:?the qt-widgets-example program}
work=${2:?a folder for the sample}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${QUIRE_IN_SESSION:-}" ]; then
  for tool in xvfb-run dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
  /usr/bin/python3 -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null ||
    { echo "skipped: the AT-SPI bindings for Python (gir1.2-atspi-2.0) are not installed"; exit 77; }
  export QUIRE_IN_SESSION=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- bash "$0" "$@"
fi

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "skipped: at-spi-bus-launcher (at-spi2-core) is not installed"; exit 77; }
"$launcher" --launch-immediately &

mkdir -p "$work"
rm -f "$work/sample.db"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
"$example" --database "$work/sample.db" &
app=$!
/usr/bin/python3 "$here/check.py"
status=$?
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
exit $status
