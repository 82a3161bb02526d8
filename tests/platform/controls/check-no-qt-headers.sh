#!/bin/sh
# SPDX-License-Identifier: MIT
# Layering: nothing in quire/ includes Qt, and no public header of the framework
# layer outside platform/qt/ does (private headers live in an internal/ folder).
root="$1"
found=$( { grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$root/quire" 2>/dev/null
          find "$root/platform" -name '*.h' -not -path "$root/platform/qt/*" -not -path '*/internal/*' \
            -exec grep -lE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' {} + 2>/dev/null; } )
if [ -n "$found" ]; then
  echo "Qt included where it must not be:"
  echo "$found"
  exit 1
fi
echo "No Qt header outside platform/qt (public headers) and none in quire/"
