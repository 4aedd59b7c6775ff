#!/usr/bin/env bash
# The copies of a ready prefix (tools/wine-prefix-copy.sh) that the desktop's
# tool (windows left to the window manager) and the test groups (windows kept
# from it) run in, made of a small stand-in prefix: a whole copy with the
# asked setting is kept as it is; one left as anything else (unmarked,
# another base's, a registry file missing, empty or shared with the base,
# the DLLs not linked, the other setting or none) is made anew; a copy or a
# removal cut short leaves no mark, so the next call makes it whole. Prints
# each case and exits non-zero if one goes wrong.
# Usage: wine_prefix_copy_test.sh <source folder>
# Without pipefail: the copy may not lean on its caller's shell options.
set -u
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
. "$root/tools/wine-prefix-copy.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
base=$work/base copy=$work/copy system=drive_c/windows/system32

# What Wine's tools leave of a prefix that the copy leans on.
mkdir -p "$base/$system" "$base/drive_c/windows/Fonts" "$base/dosdevices"
echo dll >"$base/$system/user32.dll"
echo font >"$base/drive_c/windows/Fonts/marlett.ttf"
ln -s ../drive_c "$base/dosdevices/c:"
printf 'WINE REGISTRY Version 2\n' | tee "$base/system.reg" >"$base/userdef.reg"
printf 'WINE REGISTRY Version 2\n\n[Software\\\\Wine\\\\X11 Driver] 1700000000\n#time=1da\n"Managed"="N"\n' \
  >"$base/user.reg"
echo ready-1 >"$base/.korvath-ready"

# A whole copy with the setting given ("managed" or "-"), and a file of its
# own that shows whether a later call kept it.
whole() {
  rm -rf "$copy"
  korvath_copy_prefix "$base" "$copy" "${1#-}" && touch "$copy/drive_c/kept"
}
# The copy holds every file of the base (and the base's DLLs, not copies).
complete() {
  diff <(cd "$base" && find . | sort) <(cd "$copy" && find . ! -name kept | sort) >/dev/null &&
    [ "$copy/$system/user32.dll" -ef "$base/$system/user32.dll" ]
}

# A run cut short: the command named goes as far as the given step, then the
# call's shell ends as a killed one would.
cut_rm() {  # the removal: the fonts gone, the rest still there
  rm() { if [ "$1" = -rf ]; then command rm -rf "$copy/drive_c/windows/Fonts"; exit 1; fi; command rm "$@"; }
}
cut_cp() {  # the DLLs' links: the rest copied
  cp() { if [ "$1" = -al ]; then exit 1; fi; command cp "$@"; }
}
# Reads of the base that fail on a file (one removed as it was read, say)
# and go on with the rest: the copy lacks the fonts and tar says so. The
# first <count> reads fail, or every one.
failing_read() {
  echo "${1:-1000}" >"$work/failures"
  tar() {
    local failures
    failures=$(cat "$work/failures")
    if [ "$3" = --exclude="./$system" ] && [ "$failures" -gt 0 ]; then
      echo $((failures - 1)) >"$work/failures"
      command tar --exclude=./drive_c/windows/Fonts "$@"
      return 1
    fi
    command tar "$@"
  }
}

# name | the call's "managed" | the copy before the call | kept, made (anew) or cut (the call failed)
cases=(
  'no copy|managed|command rm -rf "$copy"|made'
  'a whole managed copy|managed|whole managed|kept'
  'a whole unmanaged copy, for a group|-|whole -|kept'
  "an unmanaged copy, another version's, for the desktop|managed|whole -|made"
  'a managed copy, for a group|-|whole managed|made'
  'no setting|managed|whole managed; sed -i /Managed/d "$copy/user.reg"|made'
  'unmarked|managed|whole managed; command rm "$copy/.korvath-ready"|made'
  "another base's mark|managed|whole managed; echo ready-0 >\"\$copy/.korvath-ready\"|made"
  'system.reg missing|managed|whole managed; command rm "$copy/system.reg"|made'
  'userdef.reg missing|managed|whole managed; command rm "$copy/userdef.reg"|made'
  'system.reg empty, as one cut short|managed|whole managed; : >"$copy/system.reg"|made'
  "user.reg the base's own|-|whole -; ln -f \"\$base/user.reg\" \"\$copy/user.reg\"|made"
  "the DLLs copied, not linked|managed|whole managed; command cp --remove-destination \"\$base/$system/user32.dll\" \"\$copy/$system/\"|made"
  # Cut short: the first call ends in the middle, the next one finds what it left.
  'its removal cut short, for another setting|managed|whole managed; (cut_rm; korvath_copy_prefix "$base" "$copy")|made'
  'its copy cut short|managed|command rm -rf "$copy"; (cut_cp; korvath_copy_prefix "$base" "$copy" managed)|made'
  'every read of the base failing|managed|command rm -rf "$copy"; failing_read|cut'
  'a read of the base failing once|managed|command rm -rf "$copy"; failing_read 1|made'
)

status=0
for case in "${cases[@]}"; do
  IFS='|' read -r name asked plant expected <<<"$case"
  [ "$asked" = managed ] || asked=
  (
    eval "$plant" >/dev/null 2>&1
    korvath_copy_prefix "$base" "$copy" "$asked" >/dev/null 2>&1
    made=$?
    if [ $made != 0 ]; then
      # Failed: no mark, and the next call makes the copy whole.
      unset -f tar
      if [ -e "$copy/.korvath-ready" ]; then echo "failed and left its mark"
      elif korvath_copy_prefix "$base" "$copy" "$asked" && complete; then echo cut
      else echo "failed, and the next call made no whole copy"
      fi
    elif ! complete || ! korvath_prefix_copy_holds "$base" "$copy" "$([ -n "$asked" ] && echo Y || echo N)"; then
      echo "left an incomplete copy or one with another setting"
    elif [ -e "$copy/drive_c/kept" ]; then echo kept
    else echo made
    fi
  ) >"$work/got"
  got=$(cat "$work/got")
  if [ "$got" = "$expected" ]; then
    echo "ok: $name: $got"
  else
    echo "WRONG: $name: $got, where it is $expected" >&2
    status=1
  fi
done
exit $status
