# Sourced (by tools/wine-env.sh): copies of a ready Wine prefix, each a
# prefix of its own beside it, for the test groups (tools/wine-groups.sh) and
# for the desktop (tools/run.sh).

# Whether <copy> is a whole copy of the ready prefix <base> as it was last
# made, whose top-level windows are the window manager's (Y) or not (N). A
# copy's mark comes last and goes first (korvath_copy_prefix), but a copy
# that another version of this file made, or left half removed, may carry
# one: its registry and its setting are looked at too, every time, since
# Wine would make a missing registry file anew with its own defaults.
# Usage: korvath_prefix_copy_holds <base> <copy> Y|N
korvath_prefix_copy_holds() {
  local base=$1 copy=$2 managed=$3 system=drive_c/windows/system32 file
  cmp -s "$copy/.korvath-ready" "$base/.korvath-ready" &&
    [ "$copy/$system/user32.dll" -ef "$base/$system/user32.dll" ] || return 1
  for file in system.reg user.reg userdef.reg; do
    [ -s "$copy/$file" ] && [ ! "$copy/$file" -ef "$base/$file" ] || return 1
  done
  grep -q "^\"Managed\"=\"$managed\"\$" "$copy/user.reg"
}

# Makes <copy> a copy of the ready prefix <base>, unless it is one already
# (korvath_prefix_copy_holds). Its system32 (about 530 MB of DLLs that Wine
# only reads) is hard-linked, not copied; everything else, the registry
# files above all (Wine rewrites them), is the copy's own. With "managed",
# the copy's top-level windows are left to the window manager; without,
# they stay the base's, kept from it (the rest of its settings are the
# base's either way). Nothing may run in <copy> while it is made.
# Usage: korvath_copy_prefix <base> <copy> [managed]
korvath_copy_prefix() {
  local base=$1 copy=$2 managed=N attempt
  [ -z "${3:-}" ] || managed=Y
  korvath_prefix_copy_holds "$base" "$copy" "$managed" && return 0
  # A program running in the base meanwhile (the first test group's) may
  # make and remove files there as they are read (a test's own folder,
  # Wine's registry saved through a file of its own): tar then fails and the
  # copy is made again.
  for attempt in 1 2 3; do
    korvath_make_prefix_copy "$base" "$copy" "$managed" && return 0
  done
  echo "wine-prefix-copy: could not copy $base to $copy" >&2
  return 1
}

korvath_make_prefix_copy() {
  local base=$1 copy=$2 managed=$3 system=drive_c/windows/system32
  # Unmarked before anything else goes: a copy cut short at any later
  # point, its removal included, is never taken for a whole one.
  rm -f "$copy/.korvath-ready"
  rm -rf "$copy"
  mkdir -p "$copy"
  # The copy is marked ready last, once it holds everything; either tar
  # failing fails it (a pipe's status is only its last command's).
  tar -C "$base" --exclude="./$system" --exclude=./.korvath-ready -cf - . | tar -C "$copy" -xf - &&
    [ "${PIPESTATUS[0]}" = 0 ] && cp -al "$base/$system" "$copy/$system" || return 1
  sed -i "s/^\"Managed\"=\"[YN]\"\$/\"Managed\"=\"$managed\"/" "$copy/user.reg" &&
    grep -q "^\"Managed\"=\"$managed\"\$" "$copy/user.reg" ||
    { echo "wine-prefix-copy: could not set the window manager's hold on the windows of $copy to $managed" >&2; return 1; }
  cp "$base/.korvath-ready" "$copy/.korvath-ready"
}
