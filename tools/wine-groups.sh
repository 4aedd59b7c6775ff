# Sourced: starts groups in which Windows test programs run side by side.
# Each group has one CPU, and its own Xvfb, Wine prefix and wineserver, all
# pinned to that CPU: a test program, its wineserver and its X server wake each
# other tens of thousands of times a second, and on separate CPUs every
# wake-up crosses CPUs. Usage:
#   . tools/wine-groups.sh <windows build folder> [<group count>]
#   ... ctest, given the groups file $korvath_groups_dir/resources.json ...
#   korvath_stop_groups
# The count defaults to the number of CPUs this shell may use. Group k keeps
# its settings in $korvath_groups_dir/<k>.env, which tools/wine-test.sh reads.
korvath_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
korvath_groups_build=$(cd "$1" && pwd)
korvath_groups_dir=$korvath_groups_build/wine-groups

# The CPUs this shell may run on, one a line (honours taskset around the caller).
korvath_cpus() {
  local list part
  list=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status)
  for part in ${list//,/ }; do
    if [[ $part == *-* ]]; then seq "${part%-*}" "${part#*-}"; else echo "$part"; fi
  done
}

# The groups stop side by side: each wineserver takes a second or so to end.
korvath_stop_groups() {
  local env pid
  local -a stopping=()
  for env in "$korvath_groups_dir"/*.env; do
    [ -f "$env" ] || continue
    (. "$env"; WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1; kill "$KORVATH_XVFB_PID" 2>/dev/null; rm -f "$env") &
    stopping+=($!)
  done
  for pid in "${stopping[@]}"; do wait "$pid" || true; done
}

korvath_start_groups() {
  local count=$1 k cpu prefix
  local -a cpus pids
  mapfile -t cpus < <(korvath_cpus)
  [ "$count" -ge 1 ] || count=${#cpus[@]}
  korvath_stop_groups
  mkdir -p "$korvath_groups_dir"
  # Group 0 uses the build's own prefix, the one tools/run.sh uses without a
  # display. The other groups' prefixes are copies of it (with its unmanaged
  # windows: no window manager runs on the groups' Xvfbs).
  local base=$korvath_groups_build/wineprefix
  (
    . "$korvath_root/tools/wine-env.sh" "$korvath_groups_build" "$base" || exit 1
    for ((k = 1; k < count; k++)); do
      korvath_copy_prefix "$base" "$korvath_groups_build/wineprefix-$k" || exit 1
    done
  ) || return 1
  for ((k = 0; k < count; k++)); do
    cpu=${cpus[k % ${#cpus[@]}]}
    prefix=$base
    [ $k = 0 ] || prefix=$korvath_groups_build/wineprefix-$k
    (
      set -e
      unset DISPLAY
      . "$korvath_root/tools/xvfb.sh"
      taskset -a -p -c "$cpu" "$korvath_xvfb_pid" >/dev/null
      . "$korvath_root/tools/wine-env.sh" "$korvath_groups_build" "$prefix"
      # One server for the whole run, started on the group's CPU.
      taskset -c "$cpu" wineserver -p
      printf 'export DISPLAY=%q WINEPREFIX=%q KORVATH_CPU=%q KORVATH_XVFB_PID=%q\n' \
        "$DISPLAY" "$WINEPREFIX" "$cpu" "$korvath_xvfb_pid" >"$korvath_groups_dir/$k.env"
    ) &
    pids+=($!)
  done
  local failed=0 pid
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  if [ $failed = 1 ]; then
    echo "wine-groups: a group did not start" >&2
    korvath_stop_groups
    return 1
  fi
  {
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"wine": ['
    for ((k = 0; k < count; k++)); do
      printf '%s{"id": "%d", "slots": 1}' "$([ $k = 0 ] || echo ', ')" "$k"
    done
    printf ']}]}\n'
  } >"$korvath_groups_dir/resources.json"
  korvath_group_count=$count
}

korvath_start_groups "${2:-0}" || { return 1 2>/dev/null || exit 1; }
