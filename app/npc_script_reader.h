#pragma once
// Reading a ".pst" back: the text routines of the reader and the positional
// parse of the kept lines. Texts are GBK. No Win32 here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The name of the behaviour item that the kept lines of a written file
// stand for; none for anything the writer does not write.
std::optional<std::string_view> BehaviourFromLines(const std::vector<std::string>& keptLines);

// Kept lines 1 to 19 read positionally, as the writer writes them.
inline constexpr int kDeclarationLines = 19;
struct NpcScriptValues {
  std::string name;  // between the first two double quotes of line 1
  // values[i] is the integer between "=" and ";" of kept line i + 1, for
  // i = 1 .. 18 (values[0] is unused).
  std::array<int32_t, kDeclarationLines> values{};
  std::optional<std::string_view> behaviour;
};
// None when fewer than 19 lines were kept.
std::optional<NpcScriptValues> ParseNpcScript(const std::vector<std::string>& keptLines);

// The kept lines of a file's bytes, cut as the runtime's FileReadLine cuts them.
std::vector<std::string> KeptLinesOfFile(std::string_view bytes);

}  // namespace korvath::app
