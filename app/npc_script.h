#pragma once
// The ".pst" NPC script: validation of the form's input, the 30 lines built
// from the NPC record, and the file's bytes. Texts are GBK. No Win32 here.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/npc_record.h"

namespace korvath::app {

// What the writer reads from the edit boxes at the moment of the click.
struct ScriptInput {
  std::string hpText;
  std::string nameText;
  std::string folderText;
  bool nameExact = true;    // every character typed into the name has a GBK form
  bool folderExact = true;  // likewise for the folder text
};

// Why an input was refused: the text of the "提示" message to show. Empty
// when the input was accepted.
struct BuildVerdict {
  std::string message;
  bool accepted() const { return message.empty(); }
};

// What keeps a name's bytes from being saved and read back as they stand:
// one rule for the writer, which refuses such a name, and the reader, which
// refuses a file that holds one. The text model takes a byte of 0x80 or above
// for the start of a two-byte character, so a lone one cannot stand in a
// name: code page 936's one-byte euro sign (0x80), or a lead byte without its
// trail. A double quote would end the script's string early, a semicolon its
// statement, and a control character its line.
enum class NameFault { None, LoneHighByte, BreaksStatement };
NameFault NameFaultOf(std::string_view name);

// Validates the input and, when it is accepted, sets NpcHp, NpcName,
// NpcFilePart, NpcFilePath and elements 1 to 21 of NpcOutputLines from the
// input and the record's other fields. A refused input leaves the output
// lines and the path as they were.
BuildVerdict BuildNpcScript(NpcRecord& npc, const ScriptInput& input);

// Element 18 declares this spawn value whatever the record holds.
inline constexpr int32_t kWrittenSpawn = 42;

// Element 20, the fixed script body (141 bytes).
std::string_view NpcScriptBody();

// The file: every element followed by CR LF.
std::string NpcScriptFileBytes(const std::array<std::string, kOutputLineCount>& lines);

// The messages of the writer.
std::string_view EmptyNameMessage();
std::string_view UnsavableNameMessage();
std::string_view UnsavableFolderMessage();  // a folder with characters that GBK lacks
std::string_view HitChanceMessage();

}  // namespace korvath::app
