#!/usr/bin/env bash
# Takes the pictures of docs/: builds the picture program
# (tests/app/screenshots.cpp) and runs it under Wine on a virtual display of
# its own, in a fresh Wine prefix, from C:\Korvath, so that the paths the
# pictures show are the same on every machine. It drives the tool's real
# window through its states and the engine's every-control form, and writes
# one PNG per state into docs/. Arguments go to the program: a
# --gtest_filter=... takes only some of the pictures and leaves the others.
# Usage: tools/screenshots.sh [--gtest_filter=ToolPictures.*]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVATH_BUILD:-$root/build}
out=$root/docs

"$root/tools/setup.sh"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" --target app_screenshots -j "$(nproc)"

# A prefix of its own, made anew: nothing that an earlier run or another
# program left in it (files, the dialogs' remembered folders) shows.
prefix=$build/win/screenshots-prefix
rm -rf "$prefix"
. "$root/tools/wine-env.sh" "$build/win" "$prefix"
KORVATH_OWN_DISPLAY=1 . "$root/tools/xvfb.sh"
trap 'wineserver -k >/dev/null 2>&1 || true; kill "$korvath_xvfb_pid" 2>/dev/null || true' EXIT

program_folder=$WINEPREFIX/drive_c/Korvath
mkdir -p "$program_folder"
cp "$build/win/tests/app/app_screenshots.exe" "$program_folder/KorvathNpc.exe"
mkdir -p "$out"
[ $# -gt 0 ] || rm -f "$out"/*.png
KORVATH_SCREENSHOTS=$(winepath -w "$out") wine "$program_folder/KorvathNpc.exe" "$@" </dev/null 2>&1 |
  tee "$build/win/screenshots.log" | grep -E '^(picture:|note:|\[  FAILED  \]|\[  PASSED  \])' || true
wineserver -w
grep -q '^\[  PASSED  \]' "$build/win/screenshots.log" && ! grep -q '^\[  FAILED  \]' "$build/win/screenshots.log" ||
  { echo "screenshots: the picture program failed (see $build/win/screenshots.log)" >&2; exit 1; }
echo "screenshots: $(ls "$out"/*.png | wc -l) pictures in $out"
