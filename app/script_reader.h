#pragma once
// The read button: choosing a ".pst" and loading it into the form and the
// record.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvath::app {

// The kept lines of a file in file order, or nothing when it cannot be
// opened. It is opened for reading only and shared, so read-only files and
// files that another program has open can be read.
std::optional<std::vector<std::string>> ReadKeptLines(std::string_view path);

// The read button "读取NPC文档...".
void OnReadButtonClick();
// Reads the file and, when it holds at least the 19 declaration lines,
// applies it to the record and the units, sets NpcFilePath to it and shows
// its folder in the folder box. A file that cannot be opened or is too short
// is refused with a message and changes nothing. True when applied.
bool ReadNpcFile(std::string_view path);

}  // namespace korvath::app
