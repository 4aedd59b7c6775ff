#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (as root).
# Fast when everything is already there: it only asks dpkg. When another
# install holds the package manager's lock, it waits for it (up to 30 min).
set -euo pipefail

# clang with its sanitizer and libFuzzer runtimes (and llvm's symbolizer for
# their reports) builds the fuzz targets; strace fails a folder's listing in
# a test; openbox is the window manager of the test of the tool on a desktop,
# xdotool its real input and its taskbar's requests.
packages=(cmake ninja-build g++ python3 g++-mingw-w64-i686 wine wine32:i386 wine64
          xvfb xauth x11-utils imagemagick fonts-wine fonts-wqy-zenhei unicode-data googletest
          clang libclang-rt-14-dev llvm strace openbox xdotool)

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

# Runs an apt-get command; while another package manager holds a lock, waits
# and tries again. A mirror caught in the middle of its sync serves an index
# that its release file does not describe ("File has unexpected size", "Hash
# Sum mismatch"), which apt refuses: the update is tried again for a few
# minutes (the mirror may have finished), then given up with a warning, and
# the install goes on with the indexes there are; it fails only where they
# cannot give it the packages. Any other failure ends the set-up.
apt_get() {
  local log waited=0 syncs=0
  log=$(mktemp)
  while true; do
    if DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=60 "$@" 2>&1 | tee "$log"; then
      rm -f "$log"
      return 0
    fi
    if [ "$1" = update ] &&
       grep -qE 'Mirror sync in progress|File has unexpected size|Hash Sum mismatch|Some index files failed' "$log"; then
      if [ $syncs -ge 5 ]; then
        rm -f "$log"
        echo "setup: a mirror still serves indexes that do not match; installing with the indexes there are" >&2
        return 0
      fi
      syncs=$((syncs + 1))
      echo "setup: a mirror serves an index in the middle of its sync; trying again in 60 s"
      sleep 60
      continue
    fi
    if ! grep -qE 'Could not get lock|Unable to lock|another process using it' "$log" || [ $waited -ge 1800 ]; then
      rm -f "$log"
      echo "setup: apt-get $* failed" >&2
      return 1
    fi
    echo "setup: another package manager holds the lock; waiting"
    sleep 10
    waited=$((waited + 70))
  done
}

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt_get update -q
apt_get install -y -q --no-install-recommends "${missing[@]}"
