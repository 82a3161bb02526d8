#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# scripts/spdx-headers on a small tree outside git: --check names the files of ours
# without the licence line and fails, the fix adds it once (after a "#!" line), and
# data files are never touched.
set -euo pipefail

script=${1:?usage: spdx-headers-test.sh PATH-TO-spdx-headers}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

fail() {
  echo "spdx-headers-test: $*" >&2
  exit 1
}

mkdir -p "$tree/quire" "$tree/scripts" "$tree/fuzz/corpus/x" "$tree/build/quire" "$tree/res"
printf '#pragma once\n' >"$tree/quire/Box.h"
printf '// SPDX-License-Identifier: MIT\nint x;\n' >"$tree/quire/Done.cpp"
printf '#!/usr/bin/env bash\necho hi\n' >"$tree/scripts/tool"
printf 'project(X)\n' >"$tree/CMakeLists.txt"
printf 'seed bytes\n' >"$tree/fuzz/corpus/x/seed0.cpp"
printf 'int generated;\n' >"$tree/build/quire/Gen.cpp"
printf 'FileVersion: 1.0.0.0\n' >"$tree/res/Version.txt"

if bash "$script" --check "$tree" 2>"$tree/check.err"; then
  fail "--check passed on files without the line"
fi
for missing in quire/Box.h scripts/tool CMakeLists.txt; do
  grep -q "^spdx-headers: $missing has no" "$tree/check.err" || fail "--check did not name $missing"
done
[ "$(grep -c ' has no ' "$tree/check.err")" -eq 3 ] || fail "--check named other files: $(cat "$tree/check.err")"
rm -f "$tree/check.err"

bash "$script" "$tree" 2>/dev/null
bash "$script" "$tree" 2>/dev/null # a second run adds nothing
bash "$script" --check "$tree" 2>/dev/null || fail "--check fails after the fix"

[ "$(cat "$tree/quire/Box.h")" = $'// SPDX-License-Identifier: MIT\n#pragma once' ] ||
  fail "header: $(cat "$tree/quire/Box.h")"
[ "$(cat "$tree/scripts/tool")" = $'#!/usr/bin/env bash\n# SPDX-License-Identifier: MIT\necho hi' ] ||
  fail "script: $(cat "$tree/scripts/tool")"
[ "$(cat "$tree/CMakeLists.txt")" = $'# SPDX-License-Identifier: MIT\nproject(X)' ] ||
  fail "CMakeLists.txt: $(cat "$tree/CMakeLists.txt")"
[ "$(cat "$tree/quire/Done.cpp")" = $'// SPDX-License-Identifier: MIT\nint x;' ] ||
  fail "a file with the line changed"
[ "$(cat "$tree/fuzz/corpus/x/seed0.cpp")" = "seed bytes" ] || fail "a fuzz input changed"
[ "$(cat "$tree/build/quire/Gen.cpp")" = "int generated;" ] || fail "a build folder's file changed"
[ "$(cat "$tree/res/Version.txt")" = "FileVersion: 1.0.0.0" ] || fail "a resource changed"
echo "spdx-headers-test: passed"
