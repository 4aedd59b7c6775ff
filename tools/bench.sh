#!/usr/bin/env bash
# Builds and runs every benchmark program (korvath_benchmark in the
# CMakeLists) and prints their figures: the Windows ones through Wine on one
# group (one CPU, its own Xvfb, prefix and wineserver; tools/wine-groups.sh),
# the native ones from an optimised native build without sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVATH_BUILD:-$root/build}
jobs=$(nproc)

"$root/tools/setup.sh"

cmake -S "$root" -B "$build/native-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/native-bench" --target benchmarks -j "$jobs" >/dev/null
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" --target benchmarks -j "$jobs" >/dev/null

run_each() { # list-file command...
  local list=$1 program
  shift
  while IFS= read -r program; do
    [ -n "$program" ] || continue
    echo "== $(basename "$program")"
    (cd "$(dirname "$program")" && "$@" "$program")
    echo
  done <"$list"
}

run_each "$build/native-bench/benchmarks.txt" taskset -c "$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status | cut -d, -f1 | cut -d- -f1)"

trap 'korvath_stop_groups' EXIT
. "$root/tools/wine-groups.sh" "$build/win" 1
. "$korvath_groups_dir/0.env"
. "$root/tools/wine-env.sh" "$build/win" "$WINEPREFIX"
run_each "$build/win/benchmarks.txt" taskset -c "$KORVATH_CPU" wine
