#!/usr/bin/env bash
# The set-up (tools/setup.sh) run with stand-ins for apt-get, dpkg, id and
# sleep first on PATH: every package is missing, nothing is installed and
# nothing waits. A case gives the answers of apt-get's updates and of its
# installs, one per call in turn (the last one repeated): what a mirror in
# the middle of its sync, a held lock, unmet dependencies or another fault
# make apt say; like apt-get, the stand-in refuses to install a package it
# does not know (one the set-up did not ask dpkg about). The set-up must end
# as the case says, after the calls it says and having slept the seconds it
# says (the time spent waiting on a mirror is bounded), and say the line the
# case names once. Prints each case and exits non-zero if one goes wrong.
# Usage: setup_test.sh <source folder>
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# A codename that is not this machine's: the set-up reads the file it is given.
echo 'VERSION_CODENAME="trixie"' >"$work/os-release"
index=http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz

# Each stand-in records what it was asked in $work/calls (apt-get: its verb,
# and the release it was told to prefer) or $work/slept.
standin() { { echo '#!/usr/bin/env bash'; echo "work=$work index=$index"; cat; } >"$work/bin/$1"; chmod +x "$work/bin/$1"; }
standin id <<<'echo 0'
standin sleep <<<'echo "$1" >>"$work/slept"'
standin dpkg <<'EOF'
case $1 in
  -s) echo "$2" >>"$work/known"; exit 1 ;;
  --print-foreign-architectures) echo i386 ;;
  *) echo "dpkg $*" >>"$work/calls" ;;
esac
EOF
standin apt-get <<'EOF'
# As apt-get reads its words: "-o" takes the next, the first word that is no
# option is the verb, and every word after it names a package; a name that
# the set-up did not ask dpkg about is no package ("install" given twice).
verb= release= packages=() option=
for a; do
  if [ -n "$option" ]; then
    option=
    [[ $a == APT::Default-Release=* ]] && release=" from ${a#*=}"
  elif [ "$a" = -o ]; then
    option=1
  elif [[ $a != -* ]]; then
    if [ -z "$verb" ]; then verb=$a; else packages+=("$a"); fi
  fi
done
echo "$verb$release" >>"$work/calls"
for p in "${packages[@]}"; do
  if ! grep -qxF -- "$p" "$work/known"; then
    echo "E: Unable to locate package $p"
    exit 100
  fi
done
n=$(($(cat "$work/$verb.n" 2>/dev/null || echo 0) + 1))
echo $n >"$work/$verb.n"
read -ra answers <"$work/$verb.answers"
answer=${answers[n - 1]:-${answers[-1]}}
case $answer in
  ok) echo 'Reading package lists...' ;;
  lock) echo 'E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (apt-get)' ;;
  sync) cat <<EOT ;;
Err:4 http://deb.debian.org/debian-security bookworm-security/main i386 Packages
  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
Reading package lists...
E: Failed to fetch $index  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
E: Some index files failed to download. They have been ignored, or old ones used instead.
EOT
  hash) cat <<EOT ;;
Err:4 http://deb.debian.org/debian-security bookworm-security/main i386 Packages
  Hash Sum mismatch
  Hashes of expected file:
   - SHA256:5d1bd4bd2e0bb1b6c3b0f5a2b1e3c0e33a7e4c6f1f0a4a1c2e5b8d7f9a0c3e61
   - Filesize:376004 [weak]
  Hashes of received file:
   - SHA256:0b8e3f0c94c6d1a7f2e5b4c3d2a1f0e9d8c7b6a5f4e3d2c1b0a9f8e7d6c5b4a3
   - Filesize:376004 [weak]
  Last modification reported: Sat, 10 Feb 2024 09:31:12 +0000
  Release file created at: Sat, 10 Feb 2024 09:29:48 +0000
Reading package lists...
E: Failed to fetch $index  Hash Sum mismatch
E: Some index files failed to download. They have been ignored, or old ones used instead.
EOT
  deps) cat <<EOT ;;
The following packages have unmet dependencies:
 libssl3:i386 : Depends ... but it is not going to be installed
E: Unable to correct problems, you have held broken packages.
EOT
  fails) echo 'E: Sub-process /usr/bin/dpkg returned an error code (1)' ;;
esac
[ "$answer" = ok ]
EOF

# Consecutive calls alike as one, with their count: "3x update".
calls() { uniq -c "$work/calls" | sed -E 's/^ *1 //; s/^ *([0-9]+) /\1x /' | paste -sd, | sed 's/,/, /g'; }
slept() { local s=0 n; while read -r n; do s=$((s + n)); done <"$work/slept"; echo $s; }

# name | the updates' answers | the installs' answers | how it ends | a line said once
cases=(
  'nothing in the way|ok|ok|0 after update, install; slept 0 s|'
  'a mirror in the middle of its sync that finishes|sync ok|ok|0 after 2x update, install; slept 30 s|'
  'a mirror in the middle of its sync that finishes, the install failing|sync ok|deps|1 after 2x update, install; slept 30 s|^setup: apt-get install .* failed$'
  "a mirror in the middle of its sync for good, the indexes there are enough|sync|ok|0 after 3x update, install; slept 60 s|"
  "a mirror in the middle of its sync for good, the release's own packages installed|sync|deps ok|0 after 3x update, install, install from trixie; slept 60 s|^setup: the install failed while the mirror could not serve $index; installing again from trixie's own packages"
  "a mirror in the middle of its sync for good, every install failing|sync|deps|1 after 3x update, install, install from trixie; slept 60 s|^setup: apt-get install .* failed: .*could not serve $index\$"
  "a mirror in the middle of its sync for good, a lock held on the release's install|sync|deps lock ok|0 after 3x update, install, 2x install from trixie; slept 70 s|"
  # An index whose hashes are not those its release file gives: the same
  # mirror in the middle of its sync, told otherwise.
  'a mirror serving an index of other hashes that finishes|hash ok|ok|0 after 2x update, install; slept 30 s|'
  "a mirror serving an index of other hashes for good, the release's own packages installed|hash|deps ok|0 after 3x update, install, install from trixie; slept 60 s|^setup: the install failed while the mirror could not serve $index; installing again from trixie's own packages"
  'a lock held on the update a while|lock lock ok|ok|0 after 3x update, install; slept 20 s|'
  'a lock held on the install a while|ok|lock lock lock ok|0 after update, 4x install; slept 30 s|'
  'a lock held for good|lock|ok|1 after 27x update; slept 260 s|^setup: apt-get .*held the lock for 30 min$'
  'the update failing otherwise|fails|ok|1 after update; slept 0 s|^setup: apt-get update -q failed$'
  'the install failing with every index there|ok|deps|1 after update, install; slept 0 s|^setup: apt-get install .* failed$'
  'the install failing otherwise|ok|fails|1 after update, install; slept 0 s|^setup: apt-get install .* failed$'
)

. "$(dirname "$0")/planted_cases.sh"
for case in "${cases[@]}"; do
  IFS='|' read -r name updates installs expected line <<<"$case"
  rm -f "$work"/*.n "$work/known"
  : >"$work/calls"
  : >"$work/slept"
  echo "$updates" >"$work/update.answers"
  echo "$installs" >"$work/install.answers"
  PATH=$work/bin:$PATH KORVATH_OS_RELEASE=$work/os-release "$root/tools/setup.sh" >"$work/said" 2>&1
  got="$? after $(calls); slept $(slept) s"
  if [ -n "$line" ] && [ "$(grep -cE "$line" "$work/said")" != 1 ]; then
    got="$got, without saying once: $line"
  fi
  planted_report "$name" "ends $expected" "ends $got" "$(cat "$work/said")" "the set-up"
done
exit $status
