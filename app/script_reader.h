#pragma once
// The read button: choosing a ".pst" and loading it into the form and the
// record.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvath::app {

// What a read takes from a file: its kept lines in file order, or, for a
// file that begins with a byte-order mark, that mark's encoding and no lines.
struct KeptFile {
  std::optional<std::string_view> encoding;
  std::vector<std::string> lines;
};
// Nothing when the file cannot be opened. It is opened for reading only and
// shared, so read-only files and files that another program has open can be
// read.
std::optional<KeptFile> ReadKeptLines(std::string_view path);

// The read button "读取NPC文档...".
void OnReadButtonClick();
// Reads the file and, when it is one that the tool wrote (see
// CheckNpcScript), applies it to the record and the units, sets NpcFilePath
// to it and shows its folder in the folder box. A file that cannot be opened,
// is in another encoding or is none that the tool wrote is refused with a
// message and changes nothing. True when applied.
bool ReadNpcFile(std::string_view path);

}  // namespace korvath::app
