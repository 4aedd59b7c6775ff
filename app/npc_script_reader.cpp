#include "app/npc_script_reader.h"

#include "platform/text_commands.h"
#include "platform/text_lines.h"

namespace korvath::app {

using namespace korvath::platform;

std::string TextBetween(std::string_view text, std::string_view opening, std::string_view closing,
                        int start, bool ignoreCase) {
  std::string open = ReplaceSubText(opening, "#引号", "\"");
  std::string close = ReplaceSubText(closing, "#引号", "\"");
  if (open.empty() || close.empty()) return {};
  int p = FindText(text, open, start < 1 ? 1 : start, ignoreCase);
  if (p < 1) return {};
  p += int(open.size());
  int q = FindText(text, close, p, ignoreCase);
  if (q < p) return {};
  return std::string(text.substr(size_t(p - 1), size_t(q - p)));
}

int SplitQuoted(std::string_view text, std::string_view opening, std::string_view closing,
                std::vector<std::string>& pieces, bool ignoreCase, int maxLength,
                std::string_view prefix, std::string_view suffix, bool addOpening,
                bool addClosing, int start) {
  pieces.clear();
  if (opening.empty() || closing.empty()) return 0;
  // Only `start` may fall inside a two-byte character: every later search
  // starts right after a match, on a character boundary, so it need not walk
  // from the text's beginning. A closing found earlier that still lies at or
  // after the search start is the first one there, so it is not searched for
  // again. Both keep a line of many quotes linear in its length.
  int pos = start < 1 ? 1 : start;
  int q = 0;
  for (bool first = true;; first = false) {
    const int p = first ? FindText(text, opening, pos, ignoreCase)
                        : FindTextFromBoundary(text, opening, pos, ignoreCase);
    if (p < 1) break;
    pos = p + int(opening.size());
    if (q < pos) q = FindTextFromBoundary(text, closing, pos, ignoreCase);
    if (q < pos) break;
    std::string piece = std::string(prefix) + std::string(text.substr(size_t(pos - 1), size_t(q - pos))) +
                        std::string(suffix);
    if (addOpening) piece = std::string(opening) + piece;
    if (addClosing) piece += closing;
    if (maxLength == 0 || int(piece.size()) < maxLength) pieces.push_back(std::move(piece));
  }
  return int(pieces.size());
}

bool IsKeptLine(std::string_view line) { return !RemoveAllSpaces(line).empty(); }

std::optional<std::string_view> BehaviourFromLines(const std::vector<std::string>& keptLines) {
  if (keptLines.size() == 31) return "巡逻跟随";
  if (keptLines.size() != 30) return std::nullopt;
  std::vector<std::string> pieces;
  SplitQuoted(TextBetween(keptLines[28], "(", ")"), "\"", "\"", pieces);
  if (pieces.size() == 1) {
    if (pieces[0] == "wait") return "张望";
    if (pieces[0] == "patrol") return "巡逻";
    if (pieces[0] == "idle") return "等待";
    if (pieces[0] == "run") return "乱跑";
  } else if (pieces.size() == 3) {
    if (pieces[0] == "follow" && pieces[2] == "player") return "跟随";
    if (pieces[0] == "follow" && pieces[2] == "vip") return "跟随老大";
    if (pieces[0] == "kill" && pieces[2] == "player") return "杀死玩家";
  }
  return std::nullopt;
}

std::optional<NpcScriptValues> ParseNpcScript(const std::vector<std::string>& keptLines) {
  if (keptLines.size() < size_t(kDeclarationLines)) return std::nullopt;
  NpcScriptValues out;
  out.name = TextBetween(keptLines[0], "\"", "\"");
  for (int i = 1; i < kDeclarationLines; ++i)
    out.values[size_t(i)] = ToInteger(TextBetween(keptLines[size_t(i)], "=", ";"));
  out.behaviour = BehaviourFromLines(keptLines);
  return out;
}

std::vector<std::string> KeptLinesOfFile(std::string_view bytes) {
  std::vector<std::string> kept;
  for (std::string& line : SplitTextLines(bytes))
    if (IsKeptLine(line)) kept.push_back(std::move(line));
  return kept;
}

}  // namespace korvath::app
