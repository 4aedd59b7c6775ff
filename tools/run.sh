#!/usr/bin/env bash
# Builds the tool and starts it under Wine. With no display it runs on a
# virtual one, saves a screenshot of the main window as
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
  exec wine "$exe"
fi

. "$root/tools/xvfb.sh"
trap 'wineserver -k >/dev/null 2>&1 || true; kill "$korvath_xvfb_pid" 2>/dev/null || true' EXIT
wine "$exe" &
sleep "${KORVATH_SHOT_DELAY:-8}"
# The main window is 409 x 471, centred on the 1920 x 1080 virtual screen.
import -display "$DISPLAY" -window root -crop 409x471+755+304 +repage "$build/win/screenshot.png"
echo "screenshot: $build/win/screenshot.png"
