#pragma once
// Reading a ".pst" back: the text routines of the reader and the positional
// parse of the kept lines. Texts are GBK. No Win32 here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/npc_record.h"

namespace korvath::app {

// The bytes between the opening and the closing text, searching for the
// opening from `start` (1-based; below 1 = from the beginning) and for the
// closing after the opening. "#引号" in the opening or closing stands for a
// double quote. Empty when either is missing.
std::string TextBetween(std::string_view text, std::string_view opening, std::string_view closing,
                        int start = 1, bool ignoreCase = false);

// Cuts out every piece that stands between an opening and the next closing
// text and returns their number. The next search for the opening starts
// right after the previous opening, so with the same text as opening and
// closing the texts between two quoted pieces are pieces too. A piece is
// kept when `maxLength` is 0 or the piece is shorter than it.
int SplitQuoted(std::string_view text, std::string_view opening, std::string_view closing,
                std::vector<std::string>& pieces, bool ignoreCase = false, int maxLength = 0,
                std::string_view prefix = {}, std::string_view suffix = {},
                bool addOpening = false, bool addClosing = false, int start = 1);

// A kept line holds something besides ASCII and full-width blanks.
bool IsKeptLine(std::string_view line);

// The most kept lines that the writer writes: the 19 declarations, the
// script body's nine and the two-call statement's three.
inline constexpr size_t kMostWrittenKeptLines = 31;
// Appends the line when it is a kept line. False once the lines hold more
// kept lines than any file that the writer writes: such a file is refused
// whatever follows, so its reader stops there, however long the file.
bool AddKeptLine(std::vector<std::string>& keptLines, std::string line);

// The name of the behaviour item whose lines the writer writes after the
// 19 declarations: kept lines 20 to the last are exactly the script body's
// and that item's statement's kept lines. None for anything else.
std::optional<std::string_view> BehaviourFromLines(const std::vector<std::string>& keptLines);

// Kept lines 1 to 19 read positionally, as the writer writes them.
inline constexpr int kDeclarationLines = 19;
struct NpcScriptValues {
  std::string name;  // between the two double quotes of line 1
  // values[i] is the number of the statement on kept line i + 1, for
  // i = 1 .. 18 (values[0] is unused).
  std::array<int32_t, kDeclarationLines> values{};
  int behaviour = 0;  // the behaviour item (BehaviourTable) whose script the lines after the declarations are
};

// Why kept lines are no file that the tool wrote. The reader is positional:
// read anyway, such a file would put values into the wrong fields, or values
// that the form cannot show into the record, and the next save would write
// what the form does not show.
struct NpcScriptRefusal {
  enum class Reason {
    Incomplete,          // fewer than the 19 declaration lines
    LoneCarriageReturn,  // a CR that ends no line: the writer ends each with CR LF
    Statement,           // `line` is not the writer's statement for its place
    Name,                // the name is none that the writer would write back as it is
    Value,               // `line` holds a value that the writer never writes
    NotGbkName,          // the name holds a byte of 0x80 or above that is no whole character
    TextEndedEarly,      // a NUL byte, or a 0x1A byte with more after it (found by the file's reader)
    Script,              // `line`, after the declarations, is none that the writer writes there
    ExtraLine,           // `line` follows the end of the script that the lines before it are
    MissingLine,         // the lines end before the script does: `line` is missing
    TooLarge,            // the file is far larger than any the writer writes (found by the file's reader)
  };
  Reason reason = Reason::Incomplete;
  int line = 0;  // the kept line (1-based) that is refused; 0 for the whole file
  bool operator==(const NpcScriptRefusal&) const = default;
};
// The values, when kept lines 1 to 19 carry, in the writer's order, the
// statements that the writer writes, with a name and values that it writes,
// and the lines after them are the ones that it writes for a behaviour; why
// not, when they do not. One pass over the lines gives either.
std::variant<NpcScriptValues, NpcScriptRefusal> ReadNpcScript(const std::vector<std::string>& keptLines);
// ReadNpcScript's refusal; none for lines that it reads.
std::optional<NpcScriptRefusal> CheckNpcScript(const std::vector<std::string>& keptLines);
// ReadNpcScript's values; none when it refuses the lines.
std::optional<NpcScriptValues> ParseNpcScript(const std::vector<std::string>& keptLines);
// Puts the values read into the record's fields, the behaviour's statement
// too.
void StoreNpcScriptValues(const NpcScriptValues& read, NpcRecord& npc);

// The "提示" text for a refused file at `path`.
std::string NpcScriptRefusalMessage(std::string_view path, const NpcScriptRefusal& refusal);

// The encoding whose byte-order mark the file's first bytes begin with
// ("UTF-8", "UTF-16", "UTF-32"); none for a file without one, as the writer
// writes it.
std::optional<std::string_view> ByteOrderMarkEncoding(std::string_view firstBytes);
// The "提示" text for a file at `path` in that encoding.
std::string EncodingRefusalMessage(std::string_view path, std::string_view encoding);

// The kept lines of a file's bytes, cut as the runtime's FileReadLine cuts
// them, up to the one that makes more than the writer writes (AddKeptLine).
std::vector<std::string> KeptLinesOfFile(std::string_view bytes);

}  // namespace korvath::app
