#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native
# build (sanitizers), the fuzz build (clang; each fuzz target runs a few
# seconds over its corpus, tools/fuzz.sh runs them long) and the Windows build
# (through Wine, one group per CPU, see tools/wine-groups.sh). Exits non-zero
# on any failure, after ctest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVATH_BUILD:-$root/build}
jobs=$(nproc)

"$root/tools/setup.sh"

cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVATH_SANITIZE=ON >/dev/null
cmake --build "$build/native" -j "$jobs"
cmake -S "$root" -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVATH_FUZZ=ON >/dev/null
cmake --build "$build/fuzz" -j "$jobs"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" -j "$jobs"

# One group per CPU, but no more groups than Windows test programs.
windows_tests=$(ctest --test-dir "$build/win" -N | grep -c 'Test *#' || true)
groups=$(( jobs < windows_tests ? jobs : windows_tests ))
trap 'korvath_stop_groups' EXIT
. "$root/tools/wine-groups.sh" "$build/win" "$(( groups > 0 ? groups : 1 ))"

# The three builds under one ctest run, so one summary closes the output.
# Each Windows test takes one group; the native and fuzz tests run beside them.
printf 'subdirs("native" "fuzz" "win")\n' > "$build/CTestTestfile.cmake"
ctest --test-dir "$build" --output-on-failure -j "$((korvath_group_count + 1))" \
      --resource-spec-file "$korvath_groups_dir/resources.json" "$@"
