#pragma once
// The read button: choosing a ".pst" and loading it into the form and the
// record.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvath::app {

// What a read takes from a file: its kept lines in file order, up to the one
// that makes more than the writer writes (AddKeptLine); or, for a file that
// begins with a byte-order mark, that mark's encoding and no lines; or, for
// one that cannot be opened or read through, the error and no lines. A file
// of more than kMostFileBytes is not read: its read error is
// ERROR_FILE_TOO_LARGE.
struct KeptFile {
  // The path is no file on disk: its name is a device's or a pipe's, or what
  // opened is one (or a folder). Not a byte of it was read: a serial port or
  // a pipe that nobody serves would keep a read waiting for ever.
  bool notAFile = false;
  DWORD openError = ERROR_SUCCESS;
  DWORD readError = ERROR_SUCCESS;
  // A NUL byte, or a 0x1A byte with more after it, ended the text: the
  // writer writes neither, and what follows them would not be read.
  bool textEndedEarly = false;
  std::optional<std::string_view> encoding;
  std::vector<std::string> lines;
};
// The file is opened for reading only and shared, so read-only files and
// files that another program has open (and lets others read) can be read.
KeptFile ReadKeptLines(std::string_view path);
// The largest file that is read, whether it is that large when it is opened
// or grows past it while it is read. The writer's files are under 1 KB: one
// a thousand times larger is none that it wrote, and is refused before a
// byte of it is read, in the time it takes to ask for its size. Reading any
// file takes memory of a few times this size at most.
inline constexpr uint64_t kMostFileBytes = uint64_t(1) << 20;

// The read button "读取NPC文档...".
void OnReadButtonClick();
// Reads the file and, when it is one that the tool wrote (see
// ReadNpcScript), applies it to the record and the units, sets NpcFilePath
// to it and shows its folder in the folder box. A path that is no file on
// disk (a device, a pipe), a file that cannot be opened, is in another
// encoding or is none that the tool wrote is refused with a message and
// changes nothing. True when applied.
bool ReadNpcFile(std::string_view path);

}  // namespace korvath::app
