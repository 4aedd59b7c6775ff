#!/usr/bin/env bash
# Fails when a lower layer includes an upper one. The layers, lowest first:
# platform/, gdip/, skin/core/, skin/button/ and skin/edit/ (side by side,
# neither includes the other), skin/control/, skin/window/, then app/. A lower
# layer may include only itself and the layers below it. Also fails when the
# program's code (app/, skin/, gdip/, platform/) calls BeginPaint or EndPaint
# anywhere but inside the platform's paint scope (platform/gdi_object.cpp):
# one pair, which no early return can leave open. Prints every offending line.
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"

# folder | the include paths it must not use
rules=(
  "platform|gdip/|skin/|app/"
  "gdip|skin/|app/"
  "skin/core|skin/window/|skin/button/|skin/edit/|skin/control/|app/|\\.\\./(window|button|edit|control)/"
  "skin/button|skin/window/|skin/edit/|skin/control/|app/|\\.\\./(window|edit|control)/"
  "skin/edit|skin/window/|skin/button/|skin/control/|app/|\\.\\./(window|button|control)/"
  "skin/control|skin/window/|app/|\\.\\./window/"
  "skin/window|app/"
)

status=0
for rule in "${rules[@]}"; do
  folder=${rule%%|*}
  forbidden=${rule#*|}
  # Quoted or angled, with or without leading "./" or "../" steps.
  pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]((\\.|\\.\\.)/)*(${forbidden})"
  if found=$(grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inc' \
             "$pattern" "$folder"); then
    echo "layers: $folder/ includes an upper layer:" >&2
    echo "$found" >&2
    status=1
  fi
done

# Code lines (not comments) that call BeginPaint or EndPaint.
if found=$(grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inc' \
           '^[^/]*\b(BeginPaint|EndPaint)[[:space:]]*\(' app skin gdip platform |
           grep -v '^platform/gdi_object\.cpp:'); then
  echo "layers: BeginPaint/EndPaint outside the platform's paint scope (platform::PaintScope):" >&2
  echo "$found" >&2
  status=1
fi
[ $status = 0 ] && echo "layers: no layer includes an upper one; BeginPaint and EndPaint only in the paint scope"
exit $status
