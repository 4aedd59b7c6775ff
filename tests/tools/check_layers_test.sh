#!/usr/bin/env bash
# The layer check (tools/check_layers.sh) on a copy of the program's folders
# with one include added at a time: an include that reaches above its
# folder's floor fails the check, with its line named, however its path is
# spelt ("." and ".." steps, beside the file or from the root), the tool's
# naming a value header among them; one that lands on the floor passes; one
# named by a macro fails (a case's "\n" parts are added as lines of their
# own, the last being the one named). Prints each case and exits non-zero if
# one goes wrong.
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$root/app" "$root/gdip" "$root/platform" "$root/skin" "$copy"

# what the check says | the including file | the added line
cases=(
  'fails|skin/shadow/shadow_window.cpp|#include "skin/draw/../form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|#include "skin/shadow/../form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|#include <skin/./form/form_attach.h>'
  'fails|skin/shadow/shadow_window.cpp|#include "./skin/form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|#include "../form/form_attach.h"'
  'fails|platform/form.cpp|#include "platform/../app/notice.h"'
  # The tool reaches the engine through its front door alone, and no family
  # of the engine reaches up to the front door.
  'fails|app/form_setup.cpp|#include "skin/form/form_attach.h"'
  'fails|app/notice.cpp|#include "../skin/message_box/message_box.h"'
  'fails|skin/message_box/message_box.cpp|#include "skin/engine/start.h"'
  'passes|app/notice.cpp|#include "skin/engine/message_box.h"'
  # The values come to the tool through the door's headers, never named by
  # a line of its own (docs/engine.md, "What the tool may call").
  'fails|app/notice.cpp|#include "skin/values/skin_picture.h"'
  'fails|app/notice.h|#include "../skin/values/form_settings.h"'
  'passes|skin/engine/picture.h|#include "skin/values/byte_set.h"'
  # An include named by a macro is refused, whatever the macro names; the
  # macro alone is no include.
  'fails|app/notice.cpp|#define H "skin/core/engine_state.h"\n#include H'
  'fails|skin/shadow/shadow_window.cpp|#define H "skin/form/form_attach.h"\n#  include H'
  'fails|app/notice.cpp|#define H "skin/engine/message_box.h"\n#include H'
  'passes|app/notice.cpp|#define H "skin/core/engine_state.h"'
  'passes|skin/shadow/shadow_window.cpp|#include "skin/form/../core/window_record.h"'
  'passes|skin/shadow/shadow_window.cpp|#include "../core/window_record.h"'
  # (A lock taken or released by hand is refused by the objects' symbols:
  # tests/tools/check_library_symbols_test.sh.)
)

. "$(dirname "$0")/planted_cases.sh"
if ! "$root/tools/check_layers.sh" "$copy" >/dev/null 2>&1; then
  echo "the copy as it is fails the check" >&2
  exit 1
fi
for entry in "${cases[@]}"; do
  expected=${entry%%|*}
  rest=${entry#*|}
  file=${rest%%|*}
  line=${rest#*|}
  cp "$copy/$file" "$copy/$file.kept"
  printf '%b\n' "$line" >> "$copy/$file"
  number=$(wc -l < "$copy/$file")
  said=$("$root/tools/check_layers.sh" "$copy" 2>&1)
  got=$(planted_verdict $?)
  # Of lines added together, the last is the one the check names.
  last=${line##*\\n}
  if [ "$got" = fails ] && [[ $said != *"$file:$number:$last"* ]]; then got="fails without naming the line"; fi
  planted_report "$file: $line" "$expected" "$got" "$said"
  mv "$copy/$file.kept" "$copy/$file"
done
exit $status
