#!/usr/bin/env bash
# Builds and runs every benchmark program (korvath_benchmark in the
# CMakeLists) and prints their figures: the Windows ones through Wine on one
# group (one CPU, its own Xvfb, prefix and wineserver; tools/wine-groups.sh),
# the native ones from an optimised native build without sanitizers. The
# start-up benchmark runs twice: pinned so, and unpinned (a second group whose
# X server, wineserver and programs may use every CPU), since one CPU hides
# most of what a start-up costs on a multi-core desktop.
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

# Two groups: group 0 keeps the program, its X server and its wineserver on one
# CPU; group 1's are free to use every CPU, as on a user's desktop. The
# start-up benchmark runs in both; the others only pinned.
trap 'korvath_stop_groups' EXIT
. "$root/tools/wine-groups.sh" "$build/win" 2
all_cpus=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status)
startup=$(grep '/startup_benchmark\.exe$' "$build/win/benchmarks.txt" || true)
grep -v '/startup_benchmark\.exe$' "$build/win/benchmarks.txt" >"$build/win/benchmarks-pinned.txt" || true
(
  . "$korvath_groups_dir/0.env"
  . "$root/tools/wine-env.sh" "$build/win" "$WINEPREFIX"
  run_each "$build/win/benchmarks-pinned.txt" taskset -c "$KORVATH_CPU" wine
  if [ -n "$startup" ]; then
    echo "== $(basename "$startup") (pinned to CPU $KORVATH_CPU)"
    (cd "$(dirname "$startup")" && taskset -c "$KORVATH_CPU" wine "$startup" 16 pinned)
    echo
  fi
)
if [ -n "$startup" ]; then
  (
    . "$korvath_groups_dir/1.env"
    . "$root/tools/wine-env.sh" "$build/win" "$WINEPREFIX"
    taskset -a -p -c "$all_cpus" "$KORVATH_XVFB_PID" >/dev/null
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p
    echo "== $(basename "$startup") (unpinned, CPUs $all_cpus)"
    (cd "$(dirname "$startup")" && wine "$startup" 16 unpinned)
    echo
  )
fi
