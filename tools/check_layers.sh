#!/usr/bin/env bash
# Fails when an object of the program opens a header above its folder's
# floor. Each folder (each family of skin/) is named below with the folders
# it may include besides itself; a header of any other folder of the project
# is above its floor, and so is a folder of skin/ that the table does not
# name (a new family gets its floor here first). Which headers an object
# opens is the compiler's answer, not a reading of its lines: the list GCC
# wrote as each object of the Windows build and of the native build was
# compiled, which ninja keeps (tools/layer_includes.py says how it is read,
# and what else it holds: the headers no object of their folder opens, the
# files no compiler reads, the engine's state). So the check reads the two
# builds, after they are built (tools/test.sh builds them before its tests).
# Also fails when the program's code (app/, skin/, gdip/, platform/) calls
# BeginPaint or EndPaint anywhere but inside the platform's paint scope
# (platform/gdi_object.cpp): one pair, which no early return can leave open.
# (A lock taken or released by hand is refused by the objects' symbols and
# the names in their data, tools/check_library_symbols.py, where no spelling
# of the call hides it.)
# Prints every offending header and line.
#
# Usage: tools/check_layers.sh [ROOT [WINDOWS_BUILD NATIVE_BUILD]] [--planted FILE]
#   (by default the tree the script is in, and its build/win and build/native;
#   --planted: objects compiled anew from a copy, tests/tools/check_layers_test.sh)
set -uo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
planted=()
given=()
while [ $# -gt 0 ]; do
  case $1 in
    --planted) planted=(--planted "$2"); shift 2 ;;
    *) given+=("$1"); shift ;;
  esac
done
if [ ${#given[@]} != 0 ] && [ ${#given[@]} != 1 ] && [ ${#given[@]} != 3 ]; then
  echo "usage: tools/check_layers.sh [ROOT [WINDOWS_BUILD NATIVE_BUILD]] [--planted FILE]" >&2
  exit 2
fi
if ! root=$(cd "${given[0]:-$tools/..}" 2>/dev/null && pwd); then
  echo "layers: ${given[0]} is no folder" >&2
  exit 2
fi
windows_build=$(realpath -m "${given[1]:-$root/build/win}")
native_build=$(realpath -m "${given[2]:-$root/build/native}")
cd "$root"

# folder | the folders it may include besides itself, lowest first
floors=(
  "platform|"
  "gdip|platform"
  # The values a program hands the engine (settings, bytes, the click routine,
  # the picture as a program holds it): plain types that any folder of the
  # engine may include.
  "skin/values|"
  "skin/draw|platform gdip skin/values"
  "skin/core|platform gdip skin/values skin/draw"
  "skin/button|platform gdip skin/values skin/draw skin/core"
  "skin/edit|platform gdip skin/values skin/draw skin/core"
  "skin/menu|platform gdip skin/values skin/draw skin/core skin/button"
  "skin/control|platform gdip skin/values skin/draw skin/core skin/button skin/edit skin/menu"
  "skin/install|platform gdip skin/values skin/draw skin/core skin/button skin/edit skin/menu skin/control"
  "skin/panel|platform gdip skin/values skin/draw skin/core skin/button skin/edit skin/menu skin/control skin/install"
  "skin/shadow|platform gdip skin/values skin/draw skin/core"
  "skin/close_effect|platform gdip skin/values skin/draw skin/core skin/shadow"
  "skin/caption|platform gdip skin/values skin/draw skin/core"
  "skin/form|platform gdip skin/values skin/draw skin/core skin/button skin/edit skin/menu skin/control skin/install skin/shadow skin/close_effect skin/caption"
  "skin/message_box|platform gdip skin/values skin/draw skin/core skin/button skin/edit skin/menu skin/control skin/install skin/shadow skin/close_effect skin/caption skin/form"
  # The engine's front door: what a program may include of the engine. It
  # stands on every family; no folder of skin/ includes it.
  "skin/engine|platform gdip skin/values skin/draw skin/core skin/button skin/edit skin/menu skin/control skin/install skin/panel skin/shadow skin/close_effect skin/caption skin/form skin/message_box"
  # The tool includes of the engine its front door alone: the values come to
  # it through the door's headers (so its objects open them), never named by
  # a line of its own (the rule: docs/engine.md, "What the tool may call";
  # which header opened a value, the header check says:
  # tools/check_app_headers.py).
  "app|platform skin/values skin/engine"
)
# folder | what its headers may include besides the folder, where that is
# less than its floor. The front door's headers hand a program the values and
# nothing else of the engine; its sources join the families.
header_floors=(
  "skin/engine|platform skin/values"
)

status=0
declare -A floor_of
for entry in "${floors[@]}"; do floor_of[${entry%%|*}]=" ${entry#*|} "; done

for family in skin/*/; do
  family=${family%/}
  if [ -z "${floor_of[$family]+named}" ]; then
    echo "layers: $family/ is a family without a floor (name it in tools/check_layers.sh)" >&2
    status=1
  fi
done

# What each object opened, against its folder's floor.
arguments=()
for entry in "${floors[@]}"; do arguments+=(--floor "$entry"); done
for entry in "${header_floors[@]}"; do arguments+=(--header-floor "$entry"); done
python3 "$tools/layer_includes.py" "${arguments[@]}" "${planted[@]}" "$root" "$windows_build" "$native_build"
case $? in
  0) ;;
  1) status=1 ;;
  *) exit 2 ;;
esac

# Code lines (not comments) that call BeginPaint or EndPaint.
if found=$(grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inc' \
           '^[^/]*\b(BeginPaint|EndPaint)[[:space:]]*\(' app skin gdip platform |
           grep -v '^platform/gdi_object\.cpp:'); then
  echo "layers: BeginPaint/EndPaint outside the platform's paint scope (platform::PaintScope):" >&2
  echo "$found" >&2
  status=1
fi
# No alias names a part of the engine's state (skin/core/engine_state.h):
# every read says SkinEngine.<part>.<name>.
# (At namespace scope: a function's own reference to an element is no alias.)
if found=$(grep -rnE --include='*.h' --include='*.cpp' \
           '^[^[:space:]/].*&[[:space:]]*[A-Za-z_][A-Za-z0-9_]*[[:space:]]*=[[:space:]]*SkinEngine\.' app skin); then
  echo "layers: an alias into the engine's state (read it as SkinEngine.<part>.<name>):" >&2
  echo "$found" >&2
  status=1
fi

[ $status = 0 ] && echo "layers: every object of both builds opens only headers of its folder and its floor, and every header of the program is opened; BeginPaint and EndPaint only in the paint scope; the engine's state includes nothing that includes it back, and no alias names it"
exit $status
