#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native
# build (sanitizers) and the Windows build (through Wine on one Xvfb).
# Exits non-zero on any failure, after ctest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVATH_BUILD:-$root/build}
jobs=$(nproc)

"$root/tools/setup.sh"

cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVATH_SANITIZE=ON >/dev/null
cmake --build "$build/native" -j "$jobs"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" -j "$jobs"

. "$root/tools/wine-env.sh" "$build/win"
KORVATH_OWN_DISPLAY=1 . "$root/tools/xvfb.sh"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${korvath_xvfb_pid:-}" ] && kill "$korvath_xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Both builds under one ctest run, so one summary closes the output.
printf 'subdirs("native" "win")\n' > "$build/CTestTestfile.cmake"
ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
