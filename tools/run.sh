#!/usr/bin/env bash
# Builds the tool and starts it under Wine. On a desktop (DISPLAY set) the
# tool's window is the desktop's window manager's, in a prefix of its own
# (<build>/win/wineprefix-desktop). With no display it runs on a virtual one,
# waits for the main window, saves a screenshot of it as
# <build>/win/screenshot.png and closes the tool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVATH_BUILD:-$root/build}

"$root/tools/setup.sh"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" --target KorvathNpc -j "$(nproc)"
exe="$build/win/app/KorvathNpc.exe"

. "$root/tools/wine-env.sh" "$build/win"
cd "$(dirname "$exe")"
if [ -n "${DISPLAY:-}" ]; then
  # The build's prefix keeps its windows from the window manager (the virtual
  # screens have none to wait for). On a desktop that would leave the tool
  # without a taskbar entry and without a way back from minimised: it runs in
  # a copy of the prefix whose windows the window manager handles.
  korvath_copy_prefix "$WINEPREFIX" "$build/win/wineprefix-desktop" managed
  export WINEPREFIX=$build/win/wineprefix-desktop
  exec wine "$exe"
fi

. "$root/tools/xvfb.sh"
trap 'wineserver -k >/dev/null 2>&1 || true; kill "$korvath_xvfb_pid" 2>/dev/null || true' EXIT
wine "$exe" &
tool_pid=$!

# The main window: the top-level X window that carries the tool's title.
main_window() {
  xwininfo -root -children 2>/dev/null | grep -m1 -E '^[[:space:]]*0x[0-9a-f]+ "KorvathNPC' | awk '{print $1}'
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

window=
for _ in $(seq 1 300); do
  window=$(main_window) && [ -n "$window" ] && viewable "$window" && break
  window=
  kill -0 "$tool_pid" 2>/dev/null || { echo "run: the tool ended before showing its window" >&2; exit 1; }
  sleep 0.2
done
[ -n "$window" ] || { echo "run: no main window within 60 s" >&2; exit 1; }

# Wherever the window is: take it when two captures in a row agree, so that
# the picture is the one the tool settled on, not a half-painted one.
shot=$build/win/screenshot
previous=
for _ in $(seq 1 50); do
  import -display "$DISPLAY" -window "$window" "rgb:$shot.rgb.new"
  if [ -n "$previous" ] && cmp -s "$shot.rgb.new" "$shot.rgb"; then break; fi
  mv "$shot.rgb.new" "$shot.rgb"
  previous=1
  sleep 0.2
done
import -display "$DISPLAY" -window "$window" "$shot.png"
rm -f "$shot.rgb" "$shot.rgb.new"
echo "screenshot: $shot.png"
