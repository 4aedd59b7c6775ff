# Sourced: sets up Wine for one build folder and makes its prefix once.
# Usage: . tools/wine-env.sh <windows build folder> [<prefix folder>]
# The prefix defaults to <windows build folder>/wineprefix. Returns non-zero,
# with a message, when the prefix cannot be made; the prefix is marked ready
# only when Wine booted and took the settings.
korvath_build_dir=$(cd "$1" && pwd)
export WINEARCH=win32
export WINEPREFIX=${2:-$korvath_build_dir/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The program must look right on any display language: run it on a
# non-Chinese one, so that nothing leans on the ANSI code page being 936.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

korvath_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

korvath_make_prefix() {
  local log="$WINEPREFIX.setup.log" settings
  rm -rf "$WINEPREFIX"
  if ! wineboot -i >"$log" 2>&1 || ! wineserver -w; then
    echo "wine-env: wineboot failed for $WINEPREFIX (see $log)" >&2
    return 1
  fi
  # Wine draws the caption buttons of its own windows (the file and folder
  # dialogs) with Marlett, which this Wine does not find among its own fonts:
  # without it they show the letters "r", "0" and "1".
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>>"$log" || return 1
  # Wine ships no SimSun: map the Chinese faces onto WenQuanYi Zen Hei, the
  # Song faces onto its "Sharp" cut, whose 12-pixel glyphs keep their thin
  # strokes in native controls (the plain cut drops them).
  # Unmanaged X windows: with no window manager on Xvfb, Wine would otherwise
  # wait two seconds for every destroyed top-level window to be withdrawn.
  settings=$(winepath -w "$korvath_root/tools/wine-settings.reg" 2>>"$log") &&
    wine regedit /S "$settings" >>"$log" 2>&1
  wineserver -w
  # regedit's status says little: check that the settings are in the saved registry.
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null ||
     ! grep -q '^"SimSun"="WenQuanYi Zen Hei Sharp"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    echo "wine-env: the font and window settings did not reach $WINEPREFIX (see $log)" >&2
    return 1
  fi
  echo "$korvath_settings_id" >"$WINEPREFIX/.korvath-ready"
}

# Copies of a ready prefix (korvath_copy_prefix).
. "$korvath_root/tools/wine-prefix-copy.sh"

# A prefix is ready for the settings and the set-up it was made with: a
# change to either makes it anew.
korvath_settings_id=$({ cat "$korvath_root/tools/wine-settings.reg"; declare -f korvath_make_prefix; } | sha1sum | cut -c1-40)
if [ "$(cat "$WINEPREFIX/.korvath-ready" 2>/dev/null)" != "$korvath_settings_id" ]; then
  korvath_make_prefix || return 1 2>/dev/null || exit 1
fi
