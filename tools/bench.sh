#!/usr/bin/env bash
# Builds and runs every benchmark program (korvath_benchmark in the
# CMakeLists) and prints one table of their figures: each beside its
# reference measured in the same run, the ratio and the goal
# (tools/bench_table.py gathers the programs' "figure|" lines,
# bench/figure_line.h). The programs' whole reports go to
# <build>/bench/reports.txt.
#
#   tools/bench.sh [--stress-forms N] [--stress-boxes N] [--docs]
#
# The Windows programs run through Wine on one group per CPU
# (tools/wine-groups.sh: each group's program, X server and wineserver share
# one CPU), each group taking the next job when it comes free. The stress
# benchmark runs the issue's 10,000 form cycles and 1,000 message boxes
# (~0.6 s a form cycle under Wine, ~1.2 s on a loaded machine: 100-200 CPU
# minutes, so the whole run takes 15-35 minutes on 8 CPUs) in parts of 500
# form cycles and 250 boxes, each part a process of its own whose counts must
# come back to their start; the table sums the parts. --stress-forms and
# --stress-boxes set other counts (e.g. --stress-forms 1000 for a run of
# about 8 minutes); the table says which were used. The nine close effects
# run side by side, each its share of 1,000 cycles (one after the other they
# took 16 minutes, most of it the effects' own pauses). The start-up
# benchmark runs pinned among the others, then once more unpinned and alone,
# its X server, wineserver and programs free to use every CPU as on a user's
# desktop. --docs also writes the table to docs/benchmarks.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVATH_BUILD:-$root/build}
jobs=$(nproc)
forms=10000
boxes=1000
docs=0
invocation="tools/bench.sh${*:+ $*}"
while [ $# -gt 0 ]; do
  case $1 in
    --stress-forms) forms=$2; shift 2 ;;
    --stress-boxes) boxes=$2; shift 2 ;;
    --docs) docs=1; shift ;;
    *) echo "usage: tools/bench.sh [--stress-forms N] [--stress-boxes N] [--docs]" >&2; exit 2 ;;
  esac
done
started=$(date +%s)
load=$(cut -d' ' -f1-3 /proc/loadavg)

"$root/tools/setup.sh"

cmake -S "$root" -B "$build/native-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/native-bench" --target benchmarks -j "$jobs" >/dev/null
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" --target benchmarks -j "$jobs" >/dev/null

run=$build/bench
rm -rf "$run"
mkdir -p "$run/claims"

# The jobs, one a line: name, program, arguments (tab-separated), the
# longest first so that the groups end together.
{
  while IFS= read -r program; do
    name=$(basename "$program" .exe)
    case $name in
      stress_benchmark)
        for ((done_ = 0; done_ < forms; done_ += 500)); do
          printf '%s\t%s\t%d\t0\n' "$name" "$program" $(( forms - done_ < 500 ? forms - done_ : 500 ))
        done
        for ((done_ = 0; done_ < boxes; done_ += 250)); do
          printf '%s\t%s\t0\t%d\n' "$name" "$program" $(( boxes - done_ < 250 ? boxes - done_ : 250 ))
        done ;;
    esac
  done <"$build/win/benchmarks.txt"
  while IFS= read -r program; do
    name=$(basename "$program" .exe)
    case $name in
      stress_benchmark) ;;
      close_effect_benchmark)
        for effect in 1 2 3 4 5 6 7 8 9; do printf '%s\t%s\t1000\t%d\n' "$name" "$program" "$effect"; done ;;
      startup_benchmark) printf '%s\t%s\t16\tpinned\n' "$name" "$program" ;;
      *) printf '%s\t%s\n' "$name" "$program" ;;
    esac
  done < <(grep -e message_box -e startup -e button "$build/win/benchmarks.txt"
           grep -v -e message_box -e startup -e button "$build/win/benchmarks.txt")
} >"$run/jobs.tsv"

# Native benchmark programs, if any, on one CPU before the Wine groups start.
cpu0=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status | cut -d, -f1 | cut -d- -f1)
native=0
while IFS= read -r program; do
  [ -n "$program" ] || continue
  native=$((native + 1))
  k=$(( $(wc -l <"$run/jobs.tsv") + 1 ))
  printf '%s\t%s\n' "$(basename "$program")" "$program" >>"$run/jobs.tsv"
  mkdir "$run/claims/$k"
  status=0
  (cd "$(dirname "$program")" && taskset -c "$cpu0" "$program") >"$run/$k.out" 2>"$run/$k.err" || status=$?
  echo "$status" >"$run/$k.status"
done <"$build/native-bench/benchmarks.txt"

# One worker per group: it claims the next job nobody has claimed (mkdir is
# atomic) and runs it on its group's CPU.
worker() {
  local group=$1 k=0 name program args status
  (
    . "$korvath_groups_dir/$group.env"
    . "$root/tools/wine-env.sh" "$build/win" "$WINEPREFIX"
    while IFS=$'\t' read -r name program args; do
      k=$((k + 1))
      mkdir "$run/claims/$k" 2>/dev/null || continue
      status=0
      # shellcheck disable=SC2086  # the arguments are words
      (cd "$(dirname "$program")" && timeout 3600 taskset -c "$KORVATH_CPU" wine "$program" ${args//$'\t'/ }) \
        </dev/null >"$run/$k.out" 2>"$run/$k.err" || status=$?
      echo "$status" >"$run/$k.status"
      echo "  $(date +%T) group $group: $name ${args//$'\t'/ } (exit $status)" >&2
    done <"$run/jobs.tsv"
  )
}

trap 'korvath_stop_groups' EXIT
. "$root/tools/wine-groups.sh" "$build/win" "$jobs"
echo "bench: $(wc -l <"$run/jobs.tsv") jobs on $korvath_group_count Wine groups (stress: $forms form cycles, $boxes boxes)" >&2
for ((group = 0; group < korvath_group_count; group++)); do worker "$group" & done
wait

# The start-up once more, unpinned and alone: group 0's X server, wineserver
# and programs may use every CPU, as on a user's desktop.
startup=$(grep '/startup_benchmark\.exe$' "$build/win/benchmarks.txt" || true)
if [ -n "$startup" ]; then
  k=$(( $(wc -l <"$run/jobs.tsv") + 1 ))
  printf 'startup_benchmark\t%s\t16\tunpinned\n' "$startup" >>"$run/jobs.tsv"
  (
    . "$korvath_groups_dir/0.env"
    . "$root/tools/wine-env.sh" "$build/win" "$WINEPREFIX"
    all_cpus=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status)
    taskset -a -p -c "$all_cpus" "$KORVATH_XVFB_PID" >/dev/null
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p
    status=0
    (cd "$(dirname "$startup")" && timeout 3600 wine "$startup" 16 unpinned) </dev/null >"$run/$k.out" \
      2>"$run/$k.err" || status=$?
    echo "$status" >"$run/$k.status"
    echo "  $(date +%T) unpinned: startup_benchmark (exit $status)" >&2
  )
fi

# Every program's whole report, in the order of the jobs.
k=0
while IFS=$'\t' read -r name program args; do
  k=$((k + 1))
  echo "== $name ${args//$'\t'/ }"
  grep -v '^figure|' "$run/$k.out" || true
  echo
done <"$run/jobs.tsv" >"$run/reports.txt"

status=0
python3 "$root/tools/bench_table.py" "$run" >"$run/table.md" || status=$?
minutes=$(( ($(date +%s) - started + 59) / 60 ))
{
  echo "# Benchmark figures"
  echo
  echo "One run of \`$invocation\` ($(date -u '+%Y-%m-%d %H:%M UTC'), commit" \
       "$(git -C "$root" rev-parse --short HEAD), $jobs CPUs shared with other builds, load average at the start" \
       "$load; $minutes minutes). Each figure beside its reference, measured in the same run and interleaved with it" \
       "(the message box's fade-in and shrink stand beside their plan);" \
       "the ratio is figure / reference; the goal is the one the issues set (none where they set none); n is the" \
       "number of runs, frames or cycles behind the figure (a median, or for cycles the mean). The stress benchmark" \
       "ran $forms form cycles and $boxes message boxes (the issue's counts: 10,000 and 1,000)," \
       "split into parts of 500 and 250 cycles, each a process on a Wine group of its own; its counts must be" \
       "back to their start in every part. Start-up runs twice: pinned to one CPU among the other benchmarks, and" \
       "unpinned, alone. The programs' whole reports: \`build/bench/reports.txt\`."
  echo
  cat "$run/table.md"
} >"$run/benchmarks.md"
cat "$run/benchmarks.md"
if [ $docs = 1 ]; then
  mkdir -p "$root/docs"
  cp "$run/benchmarks.md" "$root/docs/benchmarks.md"
  echo "(written to docs/benchmarks.md)" >&2
fi
exit $status
