#!/usr/bin/env bash
# Builds the fuzz build (clang, libFuzzer with AddressSanitizer and UBSan,
# build/fuzz) and runs each fuzz target in turn for SECONDS (default 600) on
# every CPU (libFuzzer's fork mode: the workers share one corpus, and a
# finding does not stop the run). The corpus each run grows is kept in
# build/fuzz/corpus/ for the next; inputs that fail a property are kept in
# build/fuzz/findings/<target>/. Prints each target's executions and findings
# and the totals; exits non-zero when there is a finding.
#
#   tools/fuzz.sh [SECONDS] [libFuzzer options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVATH_BUILD:-$root/build}/fuzz
seconds=${1:-600}
shift $(( $# > 0 ? 1 : 0 ))
workers=${KORVATH_FUZZ_WORKERS:-$(nproc)}

"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVATH_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

total_runs=0 total_findings=0
summary=()
while read -r program max_len; do
  [ -n "$program" ] || continue
  name=$(basename "$program")
  mkdir -p "$build/findings/$name"
  before=$(find "$build/findings/$name" -type f | wc -l)
  log="$build/$name.log"
  echo "== $name: $seconds s on $workers workers (log: $log)"
  "$root/tools/fuzz-target.sh" "$build" "$program" "$max_len" "$seconds" \
      -fork="$workers" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 "$@" >"$log" 2>&1 || true
  runs=$(grep -oE '^#[0-9]+' "$log" | tail -n 1 | tr -d '#')
  runs=${runs:-0}
  findings=$(( $(find "$build/findings/$name" -type f | wc -l) - before ))
  total_runs=$(( total_runs + runs ))
  total_findings=$(( total_findings + findings ))
  summary+=("$(printf '%-26s %12d executions %4d findings' "$name" "$runs" "$findings")")
  echo "${summary[-1]}"
done <"$build/fuzz_targets.txt"

echo "== summary"
printf '%s\n' "${summary[@]}"
printf '%-26s %12d executions %4d findings\n' "total" "$total_runs" "$total_findings"
[ "$total_findings" -eq 0 ] || { echo "findings: $build/findings/" >&2; exit 1; }
