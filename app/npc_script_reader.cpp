#include "app/npc_script_reader.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#include "app/model_names.h"
#include "app/npc_script.h"
#include "app/value_tables.h"
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

bool AddKeptLine(std::vector<std::string>& keptLines, std::string line) {
  if (IsKeptLine(line)) keptLines.push_back(std::move(line));
  return keptLines.size() <= kMostWrittenKeptLines;
}

namespace {

// The kept lines that the writer writes after the declarations, for each
// behaviour item: element 20, the script body, and element 21, the item's
// statement, each followed by CR LF as in the file.
const std::vector<std::vector<std::string>>& WrittenScriptLines() {
  static const std::vector<std::vector<std::string>> lines = [] {
    std::vector<std::vector<std::string>> all;
    for (size_t item = 0; item < BehaviourTable().size(); ++item)
      all.push_back(KeptLinesOfFile(std::string(NpcScriptBody()) + "\r\n" +
                                    std::string(BehaviourStatementOfItem(int(item))) + "\r\n"));
    return all;
  }();
  return lines;
}

// The behaviour item whose written lines kept lines 20 to the last are, or
// the refusal of the first line that none of them explains: the line after
// the longest run that one item's written lines begin with.
struct ScriptMatch {
  std::optional<size_t> item;
  NpcScriptRefusal refusal;
};
ScriptMatch MatchScript(const std::vector<std::string>& keptLines) {
  using Reason = NpcScriptRefusal::Reason;
  const size_t first = size_t(kDeclarationLines);
  const size_t after = keptLines.size() > first ? keptLines.size() - first : 0;
  size_t longest = 0;
  bool longestEnds = false;  // the item with the longest run has no written line after it
  for (size_t item = 0; item < WrittenScriptLines().size(); ++item) {
    const std::vector<std::string>& written = WrittenScriptLines()[item];
    size_t run = 0;
    while (run < written.size() && run < after && keptLines[first + run] == written[run]) ++run;
    if (run == written.size() && run == after) return {item, {}};
    if (run > longest || (run == longest && run == written.size())) {
      longest = run;
      longestEnds = run == written.size();
    }
  }
  const int line = int(first + longest) + 1;
  if (longest == after) return {std::nullopt, {Reason::MissingLine, line}};
  return {std::nullopt, {longestEnds ? Reason::ExtraLine : Reason::Script, line}};
}

}  // namespace

std::optional<std::string_view> BehaviourFromLines(const std::vector<std::string>& keptLines) {
  const std::optional<size_t> item = MatchScript(keptLines).item;
  if (!item) return std::nullopt;
  return BehaviourTable()[*item].name;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A statement taken apart from its front.
class StatementCursor {
 public:
  explicit StatementCursor(std::string_view text) : rest_(text) {}
  void SkipBlanks() {
    while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
  }
  bool Take(std::string_view part) {
    if (!rest_.starts_with(part)) return false;
    rest_.remove_prefix(part.size());
    return true;
  }
  // A word that at least one blank separates from what follows.
  bool TakeWord(std::string_view word) {
    if (!Take(word) || rest_.empty() || !IsBlank(rest_.front())) return false;
    SkipBlanks();
    return true;
  }
  // An optional "-" and decimal digits. Far too large values stay far too
  // large, without overflow, however many digits there are.
  std::optional<int64_t> TakeNumber() {
    bool negative = Take("-");
    int64_t value = 0;
    size_t digits = 0;
    for (; digits < rest_.size() && rest_[digits] >= '0' && rest_[digits] <= '9'; ++digits)
      value = std::min<int64_t>(value * 10 + (rest_[digits] - '0'), int64_t(1) << 40);
    if (digits == 0) return std::nullopt;
    rest_.remove_prefix(digits);
    return negative ? -value : value;
  }
  // The text up to the next `closing` byte, which is stepped over.
  std::optional<std::string_view> TakeUntil(char closing) {
    size_t end = rest_.find(closing);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view taken = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    return taken;
  }
  // The statement's end: ";" and nothing but blanks after it.
  bool TakeEnd() {
    SkipBlanks();
    if (!Take(";")) return false;
    SkipBlanks();
    return rest_.empty();
  }

 private:
  std::string_view rest_;
};

// `string Name="…";` (the writer's blanks; others around its parts are let
// pass). The name cannot hold a double quote, and no trail byte of a GBK
// character is one, so the first quote after the opening one closes it.
std::optional<std::string_view> NameOfStatement(std::string_view line) {
  StatementCursor cursor(line);
  cursor.SkipBlanks();
  if (!cursor.TakeWord("string") || !cursor.Take("Name")) return std::nullopt;
  cursor.SkipBlanks();
  if (!cursor.Take("=")) return std::nullopt;
  cursor.SkipBlanks();
  if (!cursor.Take("\"")) return std::nullopt;
  std::optional<std::string_view> name = cursor.TakeUntil('"');
  if (!name || !cursor.TakeEnd()) return std::nullopt;
  return name;
}

// `int <key> =<number>;`.
std::optional<int64_t> NumberOfStatement(std::string_view line, std::string_view key) {
  StatementCursor cursor(line);
  cursor.SkipBlanks();
  if (!cursor.TakeWord("int") || !cursor.Take(key)) return std::nullopt;
  cursor.SkipBlanks();
  if (!cursor.Take("=")) return std::nullopt;
  cursor.SkipBlanks();
  std::optional<int64_t> number = cursor.TakeNumber();
  if (!number || !cursor.TakeEnd()) return std::nullopt;
  return number;
}

// Whether the writer would write this name back as it stands: one that fits
// the name box, that its validation accepts, and that it leaves unchanged
// (it removes blanks and makes full-width letters half-width).
bool IsNameTheWriterWrites(std::string_view name) {
  if (name.size() > size_t(kNameBoxBytes)) return false;
  NpcRecord probe;
  return BuildNpcScript(probe, ScriptInput{"5000", std::string(name), "C:\\"}).accepted() &&
         probe.NpcName == name;
}

constexpr int64_t kModelCount = int64_t(std::tuple_size_v<std::remove_cvref_t<decltype(ModelNames())>>);

// The statements of kept lines 2 to 19: the writer's key for each place and
// the values that the writer writes there, which are all that the form can
// show (a list's items, a model, a camp) or that it writes at all.
struct DeclarationPlace {
  std::string_view key;
  bool (*written)(int64_t value);
};
constexpr std::array<DeclarationPlace, kDeclarationLines - 1> kPlaces = {{
    {"Model", [](int64_t v) { return v >= 0 && v < kModelCount; }},
    {"Weapon", [](int64_t v) { return v == int32_t(v) && IsKnownWeaponId(int32_t(v)); }},
    {"Weapon2", [](int64_t v) { return v == int32_t(v) && IsKnownWeaponId(int32_t(v)); }},
    {"Team", [](int64_t v) { return v >= 0 && v <= 2; }},
    {"View", [](int64_t v) { return IsListItem(kViewRange, v); }},
    {"Think", [](int64_t v) { return IsListItem(kTensRange, v); }},
    {"Attack1", [](int64_t v) { return IsListItem(kTensRange, v); }},
    {"Attack2", [](int64_t v) { return IsListItem(kTensRange, v); }},
    {"Attack3", [](int64_t v) { return IsListItem(kTensRange, v); }},
    {"Guard", [](int64_t v) { return IsListItem(kFivesRange, v); }},
    {"Dodge", [](int64_t v) { return IsListItem(kFivesRange, v); }},
    {"Jump", [](int64_t v) { return IsListItem(kFivesRange, v); }},
    {"Look", [](int64_t v) { return IsListItem(kFivesRange, v); }},
    {"Burst", [](int64_t v) { return IsListItem(kFivesRange, v); }},
    {"Aim", [](int64_t v) { return IsListItem(kFivesRange, v); }},
    {"GetItem", [](int64_t v) { return IsListItem(kFivesRange, v); }},
    {"Spawn", [](int64_t v) { return v == kWrittenSpawn; }},
    // Four digits are all that the HP box takes; the writer turns 0 and less
    // into its default.
    {"HP", [](int64_t v) { return v >= 1 && v <= 9999; }},
}};

// Attack1 to Attack3 stand on kept lines 8 to 10.
constexpr size_t kLastHitChanceLine = 10;
static_assert(kPlaces[kLastHitChanceLine - 2].key == "Attack3");

std::optional<NpcScriptRefusal> ReadDeclarations(const std::vector<std::string>& keptLines,
                                                 NpcScriptValues& out) {
  using Reason = NpcScriptRefusal::Reason;
  for (size_t i = 0; i < keptLines.size(); ++i)
    if (keptLines[i].find('\r') != std::string::npos) return NpcScriptRefusal{Reason::LoneCarriageReturn, int(i) + 1};
  if (keptLines.size() < size_t(kDeclarationLines)) return NpcScriptRefusal{Reason::Incomplete, 0};

  std::optional<std::string_view> name = NameOfStatement(keptLines[0]);
  if (!name) return NpcScriptRefusal{Reason::Statement, 1};
  if (NameFaultOf(*name) == NameFault::LoneHighByte) return NpcScriptRefusal{Reason::NotGbkName, 1};
  if (!IsNameTheWriterWrites(*name)) return NpcScriptRefusal{Reason::Name, 1};
  out.name = std::string(*name);

  for (size_t i = 1; i < size_t(kDeclarationLines); ++i) {
    const DeclarationPlace& place = kPlaces[i - 1];
    std::optional<int64_t> value = NumberOfStatement(keptLines[i], place.key);
    if (!value) return NpcScriptRefusal{Reason::Statement, int(i) + 1};
    if (!place.written(*value)) return NpcScriptRefusal{Reason::Value, int(i) + 1};
    out.values[i] = int32_t(*value);
    // Each hit chance is a list's item, but the writer refuses three that
    // add up to more than 100: the last of them is out of the range that the
    // other two leave.
    if (i == kLastHitChanceLine - 1 && int64_t(out.values[7]) + out.values[8] + out.values[9] > 100)
      return NpcScriptRefusal{Reason::Value, int(i) + 1};
  }
  const ScriptMatch script = MatchScript(keptLines);
  if (!script.item) return script.refusal;
  out.behaviour = int(*script.item);
  return std::nullopt;
}

}  // namespace

std::variant<NpcScriptValues, NpcScriptRefusal> ReadNpcScript(const std::vector<std::string>& keptLines) {
  NpcScriptValues out;
  if (std::optional<NpcScriptRefusal> refusal = ReadDeclarations(keptLines, out)) return *refusal;
  return out;
}

std::optional<NpcScriptRefusal> CheckNpcScript(const std::vector<std::string>& keptLines) {
  std::variant<NpcScriptValues, NpcScriptRefusal> read = ReadNpcScript(keptLines);
  if (const NpcScriptRefusal* refusal = std::get_if<NpcScriptRefusal>(&read)) return *refusal;
  return std::nullopt;
}

std::optional<NpcScriptValues> ParseNpcScript(const std::vector<std::string>& keptLines) {
  std::variant<NpcScriptValues, NpcScriptRefusal> read = ReadNpcScript(keptLines);
  if (NpcScriptValues* values = std::get_if<NpcScriptValues>(&read)) return std::move(*values);
  return std::nullopt;
}

void StoreNpcScriptValues(const NpcScriptValues& read, NpcRecord& npc) {
  const auto& v = read.values;
  npc.NpcName = read.name;
  npc.NpcModel = v[1];
  npc.NpcWeapon = v[2];
  npc.NpcWeapon2 = v[3];
  npc.NpcTeam = v[4];
  npc.NpcView = v[5];
  npc.NpcThink = v[6];
  npc.NpcAttack1 = v[7];
  npc.NpcAttack2 = v[8];
  npc.NpcAttack3 = v[9];
  npc.NpcGuard = v[10];
  npc.NpcDodge = v[11];
  npc.NpcJump = v[12];
  npc.NpcLook = v[13];
  npc.NpcBurst = v[14];
  npc.NpcAim = v[15];
  npc.NpcGetItem = v[16];
  npc.NpcSpawn = v[17];
  npc.NpcHp = v[18];
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(read.behaviour));
}

std::string NpcScriptRefusalMessage(std::string_view path, const NpcScriptRefusal& refusal) {
  using Reason = NpcScriptRefusal::Reason;
  std::string why;
  const std::string place = refusal.line >= 2 && refusal.line <= kDeclarationLines
                                ? "int " + std::string(kPlaces[size_t(refusal.line - 2)].key)
                                : std::string("string Name");
  switch (refusal.reason) {
    case Reason::Incomplete: why = "文件内容不完整"; break;
    case Reason::LoneCarriageReturn: why = "文件中有单独的回车符(行尾应为CR LF)"; break;
    case Reason::Script: why = "第" + ToText(refusal.line) + "项不是本工具写出的脚本内容"; break;
    case Reason::ExtraLine:
      why = "脚本在第" + ToText(refusal.line - 1) + "项结束,第" + ToText(refusal.line) + "项是多余的";
      break;
    case Reason::MissingLine: why = "文件内容不完整,缺少第" + ToText(refusal.line) + "项"; break;
    case Reason::TooLarge: why = "文件远大于本工具写出的NPC文档"; break;
    case Reason::Statement:
      why = "第" + ToText(refusal.line) + "项不是“" + place +
            (refusal.line == 1 ? "=\"名字\";”" : " =数值;”");
      break;
    case Reason::Name: why = "人物名字不是本工具能写出的名字"; break;
    case Reason::NotGbkName: why = "人物名字中有不是GBK编码的字节"; break;
    case Reason::TextEndedEarly: why = "文件中有空字节(NUL)或文件结束符(0x1A),不是文本文件"; break;
    case Reason::Value: why = "“" + place + "”的值不在可选范围内"; break;
  }
  std::string message = "NPC文档[";
  message.append(path).append("]不是有效的NPC文档,").append(why).append("!");
  return message;
}

std::optional<std::string_view> ByteOrderMarkEncoding(std::string_view firstBytes) {
  if (firstBytes.starts_with("\xEF\xBB\xBF")) return "UTF-8";
  if (firstBytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
      firstBytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
    return "UTF-32";
  if (firstBytes.starts_with("\xFF\xFE") || firstBytes.starts_with("\xFE\xFF")) return "UTF-16";
  return std::nullopt;
}

std::string EncodingRefusalMessage(std::string_view path, std::string_view encoding) {
  std::string message = "NPC文档[";
  message.append(path).append("]是").append(encoding).append("编码的文件,不是GBK编码的NPC文档!");
  return message;
}

std::vector<std::string> KeptLinesOfFile(std::string_view bytes) {
  std::vector<std::string> kept;
  ForEachTextLine(bytes, [&](std::string_view line) { return AddKeptLine(kept, std::string(line)); });
  return kept;
}

}  // namespace korvath::app
