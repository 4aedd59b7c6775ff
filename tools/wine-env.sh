# Sourced: sets up Wine for one build folder and makes its prefix once.
# Usage: . tools/wine-env.sh <windows build folder>
korvath_build_dir=$(cd "$1" && pwd)
export WINEARCH=win32
export WINEPREFIX="$korvath_build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The program must look right on any display language: run it on a
# non-Chinese one, so that nothing leans on the ANSI code page being 936.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

korvath_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ ! -f "$WINEPREFIX/.korvath-ready" ]; then
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # Wine ships no SimSun: map the Chinese faces onto WenQuanYi Zen Hei.
  # Unmanaged X windows: with no window manager on Xvfb, Wine would otherwise
  # wait two seconds for every destroyed top-level window to be withdrawn.
  wine regedit /S "$(winepath -w "$korvath_root/tools/wine-settings.reg" 2>/dev/null)" >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.korvath-ready"
fi
