#!/usr/bin/env bash
# Runs one libFuzzer target of the fuzz build for a number of seconds over its
# corpus folders (fuzz/CMakeLists.txt): what it finds new goes into
# <build>/corpus/<target>/, an input that fails a property into
# <build>/findings/<target>/. Exits non-zero on a finding (unless libFuzzer
# options after the seconds say to go on).
#
#   tools/fuzz-target.sh <fuzz build> <target program> <max input bytes> <seconds> [libFuzzer options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 program=$2 max_len=$3 seconds=$4
shift 4
name=$(basename "$program")

work=$build/corpus/$name
findings=$build/findings/$name
mkdir -p "$work" "$findings"
folders=("$work" "$build/seeds/$name")
[ -d "$root/fuzz/corpus/$name" ] && folders+=("$root/fuzz/corpus/$name")

cd "$build"
exec "$program" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
     -artifact_prefix="$findings/" -print_final_stats=1 "$@" "${folders[@]}"
