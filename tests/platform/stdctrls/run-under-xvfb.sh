#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a test program under a virtual X server (Qt's xcb platform). Without
# xvfb-run the test is skipped, and says so.
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: xvfb-run is not installed (Debian package xvfb); the X server run did not happen"
  exit 77
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$@"
