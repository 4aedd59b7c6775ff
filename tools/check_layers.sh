#!/usr/bin/env bash
# Fails when a lower layer includes an upper one. The layers, lowest first:
# platform/, gdip/, skin/core/, then the skins (skin/window, button, edit,
# control) and app/. A lower layer may include only itself and the layers
# below it. Prints every offending line.
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"

# folder | the include paths it must not use
rules=(
  "platform|gdip/|skin/|app/"
  "gdip|skin/|app/"
  "skin/core|skin/window/|skin/button/|skin/edit/|skin/control/|app/|\\.\\./(window|button|edit|control)/"
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
[ $status = 0 ] && echo "layers: platform/, gdip/ and skin/core/ include no upper layer"
exit $status
