#!/usr/bin/env bash
# The check of what the tool's sources pull in of the engine
# (tools/check_app_headers.py) on a copy of the program's folders with lines
# added at a time: a header of the engine other than the front door and the
# values, reached from a source of app/ however it is reached (named in the
# source, by a macro, through a header of the front door or of the values),
# fails the check, which names the source and the header; so does a value
# reached but through the door. The front door, and the values through it,
# pass. Each case checks the one source it plants in or under.
# Prints each case and exits non-zero if one goes wrong.
#
# Usage: tests/tools/check_app_headers_test.sh <source folder> <windows build folder>
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
build=${2:-$root/build/win}
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$root/app" "$root/gdip" "$root/platform" "$root/skin" "$copy"

# what the check says | the source checked | the header it names | the file
# planted in (the lines added at its end; "^" before its name: at its
# start) | the added lines (\n between two)
cases=(
  'fails|app/notice.cpp|skin/core/engine_state.h|app/notice.cpp|#include "skin/core/engine_state.h"'
  'fails|app/notice.cpp|skin/core/engine_state.h|app/notice.cpp|#define H "skin/core/engine_state.h"\n#include H'
  'fails|app/notice.cpp|skin/message_box/message_box.h|app/notice.cpp|#include "../skin/message_box/message_box.h"'
  # The front door or a value header that includes more of the engine.
  'fails|app/notice.cpp|skin/core/window_props.h|skin/engine/message_box.h|#include "skin/core/window_props.h"'
  'fails|app/form_setup.cpp|skin/core/engine_state.h|skin/values/label_settings.h|#include "skin/core/engine_state.h"'
  'fails|app/field_panels.cpp|skin/panel/panel_window.h|skin/engine/panel.h|#include "skin/panel/panel_window.h"'
  # The picture's drawing, the engine's: the door hands a program the picture
  # alone.
  'fails|app/field_panels.cpp|skin/draw/skin_picture.h|app/field_panels.cpp|#include "skin/draw/skin_picture.h"'
  # The values come to a source through the door alone (docs/engine.md,
  # "What the tool may call"): named by the source, by a header of the tool
  # or by a macro, a value header fails; opened by a header of the door (and
  # one value by another), it passes.
  'fails|app/notice.cpp|skin/values/skin_picture.h|app/notice.cpp|#include "skin/values/skin_picture.h"'
  'fails|app/notice.cpp|skin/values/byte_set.h|app/notice.h|#include "skin/values/byte_set.h"'
  'fails|app/form_setup.cpp|skin/values/panel_click.h|app/form_setup.cpp|#define H "skin/values/panel_click.h"\n#include H'
  # A value that the source names right after a header of the door, the
  # first header the source opens: the value's chain is the value alone, the
  # door's chain ends with the door's header, and no step of it stays in the
  # value's.
  'fails|app/notice.cpp|skin/values/panel_click.h|^app/notice.cpp|#include "skin/engine/picture.h"\n#include "skin/values/panel_click.h"'
  'passes|app/notice.cpp||app/notice.cpp|#include "skin/engine/attach.h"'
  'passes|app/notice.cpp||app/notice.cpp|#include "skin/engine/panel.h"'
  'passes|app/notice.cpp||app/notice.cpp|#include "skin/engine/picture.h"'
  'passes|app/notice.cpp||app/notice.cpp|#define H "skin/engine/attach.h"\n#include H'
)

. "$(dirname "$0")/planted_cases.sh"
if ! python3 "$root/tools/check_app_headers.py" "$build" --sources "$copy" >/dev/null 2>&1; then
  echo "the copy as it is fails the check" >&2
  exit 1
fi
for entry in "${cases[@]}"; do
  IFS='|' read -r expected source header file lines <<< "$entry"
  at=end
  [[ $file == ^* ]] && at=start file=${file#^}
  cp "$copy/$file" "$copy/$file.kept"
  if [ $at = start ]; then
    { printf '%b\n' "$lines"; cat "$copy/$file.kept"; } > "$copy/$file"
  else
    printf '%b\n' "$lines" >> "$copy/$file"
  fi
  said=$(python3 "$root/tools/check_app_headers.py" "$build" --sources "$copy" "$source" 2>&1)
  got=$(planted_verdict $?)
  if [ "$got" = fails ] && [[ $said != *"$source pulls in $header"* ]]; then got="fails without naming $header"; fi
  planted_report "$file (at its $at): $lines: of $source" "$expected" "$got" "$said"
  mv "$copy/$file.kept" "$copy/$file"
done
exit $status
