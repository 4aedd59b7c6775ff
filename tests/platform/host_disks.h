#pragma once
// Disks of the Linux host for the tests of what a save does on a real one:
// ext4 images on loop devices, made and mounted by the host's own programs in
// folders beside the test program (so that Wine reaches them as any folder).
// They need root and loop devices on the host; without them a test says so
// loudly and is skipped.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/win_test_support.h"

namespace korvath::platform::files::savetest {

// Runs `script` in the host's shell, its arguments as $1, $2...; true when
// it ended with status 0.
inline bool HostShell(const wchar_t* script, std::initializer_list<std::wstring> arguments) {
  std::vector<std::wstring> words{L"-c", L"PATH=\"$PATH:/usr/sbin:/sbin\"; " + std::wstring(script), L"sh"};
  words.insert(words.end(), arguments);
  return testsupport::RunHostProgram(L"/bin/sh", words);
}

// Whether the host gives root and a loop device, which a disk image needs.
inline bool HostMountsDiskImages() {
  return HostShell(L"[ \"$(id -u)\" = 0 ] && command -v mkfs.ext4 >/dev/null && losetup -f >/dev/null", {});
}

// Says on the error output, where no one misses it, that the test of `what`
// could not run and why; the message to skip it with.
inline std::string SkippedLoudly(const char* what, const char* why) {
  const std::string message = std::string("SKIPPED: the test of ") + what + " could not run: " + why;
  std::fprintf(stderr, "\n******** %s ********\n\n", message.c_str());
  return message;
}

}  // namespace korvath::platform::files::savetest
