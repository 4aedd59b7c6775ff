#!/usr/bin/env bash
# Runs one Windows test program through Wine: ctest's command for every
# Windows test. Usage: tools/wine-test.sh <windows build folder> <program> [args]
# Under tools/test.sh, ctest hands the program one group (tools/wine-groups.sh)
# and it runs on that group's CPU, display and prefix. Run by hand, it uses the
# build's prefix and the caller's DISPLAY.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift

# ctest names the group as "id:<k>,slots:1".
group=${CTEST_RESOURCE_GROUP_0_WINE:-}
if [ -n "$group" ]; then
  group=${group#id:}
  group=${group%%,*}
  . "$build/wine-groups/$group.env"
  . "$root/tools/wine-env.sh" "$build" "$WINEPREFIX"
  # Wine's own background programs outlive the test under the group's
  # lasting wineserver: they get a file, not ctest's pipe, which would
  # otherwise stay open and keep ctest waiting.
  output=$(mktemp)
  status=0
  taskset -c "$KORVATH_CPU" wine "$@" </dev/null >"$output" 2>&1 || status=$?
  cat "$output"
  # A program that crashes under Wine can still end with status 0: only
  # GoogleTest's closing summary, with no failed test, counts as a pass.
  if [ $status -eq 0 ] && { ! grep -q '^\[  PASSED  \]' "$output" || grep -q '^\[  FAILED  \]' "$output"; }; then
    echo "wine-test: $(basename "$1") ended without a passing summary" >&2
    status=1
  fi
  rm -f "$output"
  exit $status
fi
. "$root/tools/wine-env.sh" "$build" "${WINEPREFIX:-}"
exec wine "$@"
