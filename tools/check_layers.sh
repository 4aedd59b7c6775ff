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
# The engine's state (skin/core/engine_state.h) and the core modules it
# includes, directly or through another: none of them includes the state back
# (nor engine_startup.h or window_list.h, which include it), so that the state
# stands below everything that reads it. The one exception is memory_dc.cpp:
# records and fades own memory DCs that free themselves into a list the state
# owns. No alias names a part of the state either: every read says
# SkinEngine.<part>.<name>.
state_modules=()
pending=(skin/core/engine_state.h)
while [ ${#pending[@]} -gt 0 ]; do
  header=${pending[0]}
  pending=("${pending[@]:1}")
  case " ${state_modules[*]} " in *" $header "*) continue ;; esac
  state_modules+=("$header")
  for included in $(grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"skin/core/[a-z_]+\.h"' "$header" |
                    grep -oE 'skin/core/[a-z_]+\.h'); do
    pending+=("$included")
  done
done
for header in "${state_modules[@]}"; do
  [ "$header" = skin/core/engine_state.h ] && continue
  for file in "$header" "${header%.h}.cpp"; do
    [ -f "$file" ] && [ "$file" != skin/core/memory_dc.cpp ] || continue
    if found=$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"skin/core/(engine_state|engine_startup|window_list)\.h"' "$file"); then
      echo "layers: $file is included by the engine's state and includes it back:" >&2
      echo "$found" | sed "s|^|$file:|" >&2
      status=1
    fi
  done
done
# (At namespace scope: a function's own reference to an element is no alias.)
if found=$(grep -rnE --include='*.h' --include='*.cpp' \
           '^[^[:space:]/].*&[[:space:]]*[A-Za-z_][A-Za-z0-9_]*[[:space:]]*=[[:space:]]*SkinEngine\.' app skin); then
  echo "layers: an alias into the engine's state (read it as SkinEngine.<part>.<name>):" >&2
  echo "$found" >&2
  status=1
fi

[ $status = 0 ] && echo "layers: no layer includes an upper one; BeginPaint and EndPaint only in the paint scope; the engine's state includes nothing that includes it back, and no alias names it"
exit $status
