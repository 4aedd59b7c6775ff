#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (as root).
# Fast when everything is already there: it only asks dpkg. When another
# install holds the package manager's lock, it waits for it (up to 30 min);
# when a mirror is in the middle of its sync, it waits a minute at most, then
# installs from the release's own packages where it must.
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

# apt's words of the last apt-get run, for the reasons of its failure.
apt_log=$(mktemp)
trap 'rm -f "$apt_log"' EXIT

# Runs an apt-get command; while another package manager holds a lock, waits
# and tries again, and ends the set-up when the lock is still held after
# 30 min. Any other failure returns non-zero, for the caller to read.
apt_get() {
  local waited=0
  while ! DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=60 "$@" 2>&1 | tee "$apt_log"; do
    if ! grep -qE 'Could not get lock|Unable to lock|another process using it' "$apt_log"; then
      return 1
    fi
    if [ $waited -ge 1800 ]; then
      echo "setup: apt-get $* failed: another package manager held the lock for 30 min" >&2
      exit 1
    fi
    echo "setup: another package manager holds the lock; waiting"
    sleep 10
    waited=$((waited + 70))
  done
}

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386

# A mirror caught in the middle of its sync serves an index that its release
# file does not describe ("File has unexpected size", "Hash Sum mismatch"),
# which apt refuses. The update is tried again for a minute (the mirror may
# have finished); then the install goes on with the indexes there are. Any
# other failure of the update ends the set-up.
unserved=
for try in 1 2 3; do
  apt_get update -q && { unserved=; break; }
  if ! grep -qE 'Mirror sync in progress|File has unexpected size|Hash Sum mismatch' "$apt_log"; then
    echo "setup: apt-get update -q failed" >&2
    exit 1
  fi
  # The indexes apt names in its "Failed to fetch <url> <why>" lines.
  unserved=$(sed -n 's/^.*Failed to fetch \([^ ]*\).*$/\1/p' "$apt_log" | sort -u | paste -sd ' ')
  unserved=${unserved:-an index}
  if [ $try -lt 3 ]; then
    echo "setup: a mirror serves $unserved in the middle of its sync; trying again in 30 s"
    sleep 30
  fi
done
[ -z "$unserved" ] ||
  echo "setup: a mirror still serves $unserved in the middle of its sync; installing with the indexes there are" >&2

install=(install -y -q --no-install-recommends "${missing[@]}")
apt_get "${install[@]}" && exit 0
if [ -z "$unserved" ]; then
  echo "setup: apt-get ${install[*]} failed" >&2
  exit 1
fi
# The index missing is most often a security or updates suite's for one
# architecture: a library installed for both (wine's, amd64 and i386) must be
# one version, and the other architecture's candidate comes from the suite
# whose index is there. The release's own suite has both: installing from its
# candidates gives every architecture the same version.
codename=$(sed -n 's/^VERSION_CODENAME=//p' "${KORVATH_OS_RELEASE:-/etc/os-release}" | tr -d '"')
if [ -n "$codename" ]; then
  echo "setup: the install failed while the mirror could not serve $unserved; installing again from $codename's own packages (APT::Default-Release=$codename)"
  apt_get install -o "APT::Default-Release=$codename" "${install[@]:1}" && exit 0
fi
echo "setup: apt-get ${install[*]} failed: the mirror, in the middle of its sync, could not serve $unserved" >&2
exit 1
