#!/usr/bin/env bash
# Fails when a folder of the program includes a folder above its floor. Each
# folder (each family of skin/) is named below with the folders it may
# include besides itself; anything else of the project it includes is an
# upward include, and so is a folder of skin/ that the table does not name
# (a new family gets its floor here first). Includes are read as the
# preprocessor reads them (tools/include_directives.py): a comment is a
# blank, a backslash at a line's end joins the next line, so that no comment
# or line break inside a directive hides it, and a commented-out include or
# a string that holds one is none; an include in an "#if 0" block is read as
# any other. They are read quoted or angled, from the root or relative to the
# including file, each where its "." and ".." steps lead
# (tests/tools/check_layers_test.sh); an include named by a macro is
# refused, since no line says where it leads. Also fails when
# the program's code (app/, skin/, gdip/, platform/) calls BeginPaint or
# EndPaint anywhere but inside the platform's paint scope
# (platform/gdi_object.cpp): one pair, which no early return can leave open.
# (A lock taken or released by hand is refused by the objects' symbols and
# the names in their data, tools/check_library_symbols.py, where no spelling
# of the call hides it.)
# Prints every offending line.
set -uo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
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
  # it through the door's headers, never named by a line of its own (the
  # rule: docs/engine.md, "What the tool may call").
  "app|platform skin/engine"
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

# The folder an included path belongs to (skin/<family> or a top folder of
# the project), in `included`; empty for a header from outside the project.
project_folders=" $(find . -mindepth 1 -maxdepth 1 -type d ! -name '.*' ! -name build -printf '%f ') "
folder_of() {
  included=""
  case $1 in
    skin/*/*) local rest=${1#skin/}; included="skin/${rest%%/*}" ;;
    */*) case $project_folders in *" ${1%%/*} "*) included=${1%%/*} ;; esac ;;
  esac
}

# Every include directive of the folders, as the preprocessor reads it: the
# folder, the file, the line on which the header's name stands, the directive
# (comments gone, lines joined), whether that line alone says it, and the
# line as written.
folders=()
for entry in "${floors[@]}"; do [ -d "${entry%%|*}" ] && folders+=("${entry%%|*}"); done
directives=$(python3 "$tools/include_directives.py" "${folders[@]}") || exit 2
declare -A offending_in directives_of
macro_named=""
while IFS=$'\x1f' read -r folder file line directive plain text; do
  [ -n "$file" ] || continue
  directives_of[$file]+="$line"$'\x1f'"$directive"$'\x1f'"$text"$'\n'
  # The line as the check names it, and the directive as read when the line
  # alone does not say it.
  named="$file:$line:$text"
  as_read=""
  [ "$plain" = said ] || as_read="read as $directive: "
  # An include named by a macro (`#define H "skin/core/engine_state.h"`,
  # `#include H`): where it leads is the preprocessor's to say, not a line's,
  # so no folder may write one, whatever it names.
  if ! [[ $directive =~ ^#[a-z_]+\ [\"\<]([^\"\>]+)[\"\>] ]]; then
    macro_named+="$named${as_read:+ (${as_read%: })}"$'\n'
    continue
  fi
  path=${BASH_REMATCH[1]}
  # Where the preprocessor finds it: a quoted path beside the including file
  # first, then from the root; with its "." and ".." steps taken (and its
  # doubled "/"), so that a path that climbs out of a folder counts for the
  # one it lands in.
  if [[ $directive =~ ^#[a-z_]+\ \" ]] && [ -e "${file%/*}/$path" ]; then
    path=$(realpath -m --relative-to="$root" "${file%/*}/$path")
  elif [[ /$path/ == */./* || /$path/ == */../* || /$path/ == *//* ]]; then
    path=$(realpath -m --relative-to="$root" "$root/$path")
  fi
  folder_of "$path"
  [ -n "$included" ] && [ "$included" != "$folder" ] || continue
  case ${floor_of[$folder]} in *" $included "*) continue ;; esac
  offending_in[$folder]+="$named (${as_read}${included}/ is not on ${folder}/'s floor)"$'\n'
done <<< "$directives"
for entry in "${floors[@]}"; do
  folder=${entry%%|*}
  [ -n "${offending_in[$folder]:-}" ] || continue
  echo "layers: $folder/ includes above its floor (its floor:${floor_of[$folder]% }):" >&2
  printf '%s' "${offending_in[$folder]}" >&2
  status=1
done
if [ -n "$macro_named" ]; then
  echo "layers: an include named by a macro (name the header itself):" >&2
  printf '%s' "$macro_named" >&2
  status=1
fi

# Code lines (not comments) that call BeginPaint or EndPaint.
if found=$(grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inc' \
           '^[^/]*\b(BeginPaint|EndPaint)[[:space:]]*\(' app skin gdip platform |
           grep -v '^platform/gdi_object\.cpp:'); then
  echo "layers: BeginPaint/EndPaint outside the platform's paint scope (platform::PaintScope):" >&2
  echo "$found" >&2
  status=1
fi
# The engine's state (skin/core/engine_state.h) and the modules of the core
# and of the drawing vocabulary it includes, directly or through another: none
# of them includes the state back (nor engine_startup.h or window_list.h,
# which include it), so that the state stands below everything that reads it.
# What the vocabulary keeps (the memory-DC list, the painters' caches) is its
# own, not the state's. No alias names a part of the state either: every read
# says SkinEngine.<part>.<name>.
state_modules=()
pending=(skin/core/engine_state.h)
while [ ${#pending[@]} -gt 0 ]; do
  header=${pending[0]}
  pending=("${pending[@]:1}")
  case " ${state_modules[*]} " in *" $header "*) continue ;; esac
  state_modules+=("$header")
  while IFS=$'\x1f' read -r line directive text; do
    [[ $directive =~ ^#[a-z_]+\ \"(skin/(core|draw)/[a-z_]+\.h)\" ]] && pending+=("${BASH_REMATCH[1]}")
  done <<< "${directives_of[$header]:-}"
done
for header in "${state_modules[@]}"; do
  [ "$header" = skin/core/engine_state.h ] && continue
  for file in "$header" "${header%.h}.cpp"; do
    [ -f "$file" ] || continue
    found=""
    while IFS=$'\x1f' read -r line directive text; do
      [[ $directive =~ ^#[a-z_]+\ \"skin/core/(engine_state|engine_startup|window_list)\.h\" ]] &&
        found+="$file:$line:$text"$'\n'
    done <<< "${directives_of[$file]:-}"
    if [ -n "$found" ]; then
      echo "layers: $file is included by the engine's state and includes it back:" >&2
      printf '%s' "$found" >&2
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

[ $status = 0 ] && echo "layers: every folder includes only its floor, each include by its own name; BeginPaint and EndPaint only in the paint scope; the engine's state includes nothing that includes it back, and no alias names it"
exit $status
