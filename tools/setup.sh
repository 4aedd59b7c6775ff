#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (as root).
# Fast when everything is already there: it only asks dpkg.
set -euo pipefail

packages=(cmake ninja-build g++ python3 g++-mingw-w64-i686 wine wine32:i386 wine64
          xvfb xauth imagemagick fonts-wine fonts-wqy-zenhei unicode-data googletest)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" != 0 ]; then
  echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
