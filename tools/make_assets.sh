#!/usr/bin/env bash
# Makes the pictures in assets/ with ImageMagick. The outputs are committed and
# the build embeds them (korvath_embed_assets in CMakeLists.txt); run this only
# to change them.
# Noise is seeded and metadata stripped, so a rerun gives the same bytes on the
# same ImageMagick version.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/assets
convert=${CONVERT:-convert}
mkdir -p "$out"

# PNG without time stamps or other chunks that change from run to run.
png=(-strip -define png:exclude-chunks=date,time,tIME -define png:format=png32)

# Window background, 557 x 800: a light vertical gradient around the form's
# background grey (0xECECEC) with a faint grey grain, so it reads as paper
# behind the grey theme (0xC0C0C0) without competing with the controls.
"$convert" -seed 1931 -size 557x800 gradient:'#F6F6F6-#E6E6E6' \
  \( -size 557x800 xc:'#808080' -attenuate 0.8 +noise Gaussian -colorspace Gray -blur 0x0.4 \) \
  -compose SoftLight -composite \
  \( -size 557x800 radial-gradient:'#FFFFFF-#F0F0F0' \) -compose Multiply -composite \
  -type TrueColor -strip -sampling-factor 1x1 -quality 88 "$out/background.jpg"

# Folder button, 20 x 15, transparent around a folder glyph: normal, hover
# (lighter, with a highlight line) and pressed (darker, one pixel lower).
folder() { # name outline back-fill front-fill highlight dy
  local name=$1 outline=$2 back=$3 front=$4 light=$5 dy=$6
  "$convert" -size 20x15 xc:none -strokewidth 1 \
    -fill "$back" -stroke "$outline" \
    -draw "path 'M 2.5,$((2 + dy)).5 L 7.5,$((2 + dy)).5 L 9.5,$((4 + dy)).5 L 16.5,$((4 + dy)).5 L 16.5,$((12 + dy)).5 L 2.5,$((12 + dy)).5 Z'" \
    -fill "$front" -stroke "$outline" \
    -draw "path 'M 2.5,$((12 + dy)).5 L 4.5,$((6 + dy)).5 L 18.5,$((6 + dy)).5 L 16.5,$((12 + dy)).5 Z'" \
    -stroke "$light" -fill none -draw "line 5,$((7 + dy)) 17,$((7 + dy))" \
    "${png[@]}" "PNG32:$out/$name.png"
}
folder folder_normal  '#8A6A1E' '#E9C873' '#F4D88C' '#FBEBC0' 0
folder folder_hover   '#9A7826' '#F3D688' '#FFE6A3' '#FFFFFF' 0
folder folder_pressed '#6E5416' '#D4B060' '#E2C16E' '#EDD08A' 1

ls -l "$out"
