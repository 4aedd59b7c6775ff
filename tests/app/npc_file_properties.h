#pragma once
// Properties of the ".pst" reader and writer that hold for any input. The
// unit tests check them on seeded random and mutated inputs, the fuzz targets
// (fuzz/app/) on what libFuzzer makes. Each check returns the name of the
// first property that failed, or an empty text. Texts are GBK, spelled as
// bytes so that this header reads the same in every build.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_paths.h"
#include "app/model_names.h"
#include "app/npc_record.h"
#include "app/npc_script.h"
#include "app/npc_script_reader.h"
#include "app/value_tables.h"
#include "platform/pinyin.h"
#include "platform/text_commands.h"
#include "tests/platform/text_properties.h"

namespace korvath::app::properties {

using korvath::platform::properties::WholeGbkChars;

// Every CR of the text (up to a NUL or 0x1A byte, which ends it) stands right
// before an LF.
inline bool OnlyCrLfLineEnds(std::string_view bytes) {
  bytes = bytes.substr(0, std::min(bytes.find('\0'), bytes.find('\x1A')));
  for (size_t at = bytes.find('\r'); at != std::string_view::npos; at = bytes.find('\r', at + 1))
    if (at + 1 == bytes.size() || bytes[at + 1] != '\n') return false;
  return true;
}

// Whether the record's fields hold values that the form's lists, radio
// buttons and boxes can show.
inline bool ValuesTheFormShows(const NpcScriptValues& read) {
  const auto& v = read.values;
  const int64_t models = int64_t(ModelNames().size());
  auto listItem = [](const NumericList& list, int32_t value) { return IsListItem(list, value); };
  if (v[1] < 0 || v[1] >= models || !IsKnownWeaponId(v[2]) || !IsKnownWeaponId(v[3]) || v[4] < 0 || v[4] > 2 ||
      !listItem(kViewRange, v[5]))
    return false;
  for (int i = 6; i <= 9; ++i)
    if (!listItem(kTensRange, v[size_t(i)])) return false;
  for (int i = 10; i <= 16; ++i)
    if (!listItem(kFivesRange, v[size_t(i)])) return false;
  return v[17] == kWrittenSpawn && v[18] >= 1 && v[18] <= 9999;
}

// A record with a value in every field that no file holds, so that a field
// the reader forgets to set shows.
inline NpcRecord ForeignRecord() {
  NpcRecord npc;
  for (int32_t* field : {&npc.NpcModel, &npc.NpcWeapon, &npc.NpcWeapon2, &npc.NpcTeam, &npc.NpcView, &npc.NpcThink,
                         &npc.NpcAttack1, &npc.NpcAttack2, &npc.NpcAttack3, &npc.NpcGuard, &npc.NpcDodge,
                         &npc.NpcJump, &npc.NpcLook, &npc.NpcBurst, &npc.NpcAim, &npc.NpcGetItem, &npc.NpcSpawn,
                         &npc.NpcHp})
    *field = -7;
  npc.NpcName = "?";
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(0));
  return npc;
}

// The record's numbers in the order of the file's lines 2 to 19.
inline std::vector<int32_t> RecordNumbers(const NpcRecord& n) {
  return {n.NpcModel,   n.NpcWeapon,  n.NpcWeapon2, n.NpcTeam,  n.NpcView,  n.NpcThink,
          n.NpcAttack1, n.NpcAttack2, n.NpcAttack3, n.NpcGuard, n.NpcDodge, n.NpcJump,
          n.NpcLook,    n.NpcBurst,   n.NpcAim,     n.NpcGetItem, n.NpcSpawn, n.NpcHp};
}

// The file that saving `npc` as the form shows it (its name and HP in the
// boxes) writes; empty when the writer refuses it.
inline std::string SavedAsShown(NpcRecord npc) {
  if (!BuildNpcScript(npc, ScriptInput{korvath::platform::ToText(npc.NpcHp), npc.NpcName, "C:\\"}).accepted())
    return {};
  return NpcScriptFileBytes(npc.NpcOutputLines);
}

// The kept lines after the declarations of a file that the writer writes
// with a behaviour item.
inline const std::vector<std::string>& WrittenScriptLinesOf(int item) {
  static const auto lines = [] {
    std::vector<std::vector<std::string>> all;
    for (size_t i = 0; i < BehaviourTable().size(); ++i) {
      NpcRecord npc;
      npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(int(i)));
      BuildNpcScript(npc, ScriptInput{"5000", "\xD5\xC5\xC8\xFD", "C:\\"});  // 张三
      const std::vector<std::string> kept = KeptLinesOfFile(NpcScriptFileBytes(npc.NpcOutputLines));
      all.emplace_back(kept.begin() + kDeclarationLines, kept.end());
    }
    return all;
  }();
  return lines[size_t(item)];
}

// Reading any bytes as the tool reads a ".pst": the parse never breaks, says
// the same in its check and its values, refuses a file with a byte-order mark
// or a lone CR and puts into the record only values that the form shows. An
// accepted file, saved again, reads back the same values and behaviour, and
// saving that once more writes the same bytes.
inline std::string CheckReadFileProperties(std::string_view bytes) {
  using Reason = NpcScriptRefusal::Reason;
  const std::vector<std::string> kept = KeptLinesOfFile(bytes);
  if (kept.size() > kMostWrittenKeptLines + 1) return "KeptLinesOfFile";
  for (const std::string& line : kept)
    if (!IsKeptLine(line) || line.find_first_of(std::string_view("\n\0\x1A", 3)) != std::string::npos)
      return "KeptLinesOfFile";
  const std::optional<NpcScriptRefusal> refusal = CheckNpcScript(kept);
  const std::optional<NpcScriptValues> read = ParseNpcScript(kept);
  if (refusal.has_value() == read.has_value()) return "CheckNpcScript and ParseNpcScript";
  if (refusal) {
    // A line of the declarations, or one after them that is there (or, when
    // the lines end too soon, the first that is missing).
    const bool script = refusal->reason == Reason::Script || refusal->reason == Reason::ExtraLine ||
                        refusal->reason == Reason::MissingLine;
    const int firstLine = refusal->reason == Reason::Incomplete ? 0 : script ? kDeclarationLines + 1 : 1;
    const int lastLine = refusal->reason == Reason::Incomplete           ? 0
                         : refusal->reason == Reason::LoneCarriageReturn ? int(kept.size())
                         : refusal->reason == Reason::MissingLine        ? int(kept.size()) + 1
                         : script                                        ? int(kept.size())
                                                                         : std::min(int(kept.size()), kDeclarationLines);
    if (refusal->line < firstLine || refusal->line > lastLine ||
        (refusal->reason == Reason::MissingLine && refusal->line != int(kept.size()) + 1) ||
        refusal->reason == Reason::TextEndedEarly || refusal->reason == Reason::TooLarge)
      return "refused line";
    const std::string message = NpcScriptRefusalMessage("C:\\a.pst", *refusal);
    if (!message.starts_with("NPC\xCE\xC4\xB5\xB5[C:\\a.pst]") || !message.ends_with("!")) return "refusal message";
    return {};
  }
  if (ByteOrderMarkEncoding(bytes.substr(0, 4))) return "a file with a byte-order mark is accepted";
  if (!OnlyCrLfLineEnds(bytes)) return "a file with a lone CR is accepted";
  if (kept.size() < size_t(kDeclarationLines) || read->name.empty() || read->name.size() > size_t(kNameBoxBytes) ||
      WholeGbkChars(read->name) != read->name)
    return "name read";
  if (!ValuesTheFormShows(*read)) return "values the form shows";
  // The lines after the declarations are exactly the ones that the writer
  // writes for the behaviour read, and they carry nothing but it: the values
  // come from lines 1 to 19.
  const int item = read->behaviour;
  if (item < 0 || item >= int(BehaviourTable().size())) return "behaviour read";
  const std::vector<std::string> script(kept.begin() + kDeclarationLines, kept.end());
  if (script != WrittenScriptLinesOf(item)) return "lines after the declarations";
  std::vector<std::string> otherBehaviour(kept.begin(), kept.begin() + kDeclarationLines);
  const int otherItem = (item + 1) % int(BehaviourTable().size());
  for (const std::string& line : WrittenScriptLinesOf(otherItem)) otherBehaviour.push_back(line);
  const std::optional<NpcScriptValues> first = ParseNpcScript(otherBehaviour);
  if (!first || first->name != read->name || first->values != read->values ||
      first->behaviour != otherItem)
    return "values from lines 1 to 19";

  NpcRecord npc = ForeignRecord();
  StoreNpcScriptValues(*read, npc);
  if (npc.NpcName != read->name ||
      RecordNumbers(npc) != std::vector<int32_t>(read->values.begin() + 1, read->values.end()))
    return "StoreNpcScriptValues";
  const std::string saved = SavedAsShown(npc);
  if (saved.empty()) return "the writer refuses what was read";
  const std::optional<NpcScriptValues> again = ParseNpcScript(KeptLinesOfFile(saved));
  if (!again) return "a saved file is refused";
  if (again->name != read->name || again->values != read->values) return "saved values read back";
  if (again->behaviour != read->behaviour) return "saved behaviour";
  NpcRecord other = ForeignRecord();
  StoreNpcScriptValues(*again, other);
  if (SavedAsShown(other) != saved) return "saving again";
  return {};
}

// What the form hands the writer: the lists' selections and the three boxes.
struct FormInput {
  NpcRecord npc;
  ScriptInput input;
};

// The characters of code page 936 in `bytes`, as the conversion from a box's
// text gives them: two-byte characters, one-byte ones below 0x80 and the
// one-byte euro sign 0x80; no NUL, which ends a window's text.
inline std::string CharsOfTheCodePage(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = korvath::platform::GbkCharLength(bytes, i);
    if (len == 2 || (uint8_t(bytes[i]) <= 0x80 && bytes[i] != '\0')) out.append(bytes.substr(i, len));
    i += len;
  }
  return out;
}

// The first 19 bytes pick the lists' items (model, weapons, camp, the twelve
// numeric lists, behaviour), the record's spawn and whether the name and
// folder had characters without a GBK form; the rest is the name, the HP and
// the folder text, between 0xFF bytes (which code page 936 text never holds).
// The boxes' texts are characters of the code page (CharsOfTheCodePage): the
// name box takes 16 bytes, the HP box 4 characters.
inline constexpr size_t kFormChoiceBytes = 19;

inline FormInput FormInputOfBytes(std::string_view bytes) {
  uint8_t choice[kFormChoiceBytes] = {};
  const size_t n = std::min(bytes.size(), kFormChoiceBytes);
  std::copy_n(bytes.begin(), n, choice);
  bytes.remove_prefix(n);
  auto item = [](const NumericList& list, uint8_t pick) {
    return list.first + pick % ((list.last - list.first) / list.step + 1) * list.step;
  };
  FormInput form;
  NpcRecord& npc = form.npc;
  npc.NpcModel = choice[0] % int(ModelNames().size());
  npc.NpcWeapon = WeaponIdOfItem(choice[1] % int(WeaponTable().size()));
  npc.NpcWeapon2 = WeaponIdOfItem(choice[2] % int(WeaponTable().size()));
  npc.NpcTeam = choice[3] % 3;
  npc.NpcView = item(kViewRange, choice[4]);
  int32_t* tens[] = {&npc.NpcThink, &npc.NpcAttack1, &npc.NpcAttack2, &npc.NpcAttack3};
  for (size_t i = 0; i < std::size(tens); ++i) *tens[i] = item(kTensRange, choice[5 + i]);
  int32_t* fives[] = {&npc.NpcGuard, &npc.NpcDodge, &npc.NpcJump, &npc.NpcLook, &npc.NpcBurst, &npc.NpcAim,
                      &npc.NpcGetItem};
  for (size_t i = 0; i < std::size(fives); ++i) *fives[i] = item(kFivesRange, choice[9 + i]);
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(choice[16] % int(BehaviourTable().size())));
  npc.NpcSpawn = int8_t(choice[17]);
  form.input.nameExact = (choice[18] & 0x03) != 0x03;
  form.input.folderExact = (choice[18] & 0x0C) != 0x0C;

  std::string texts[3];
  for (std::string& text : texts) {
    const size_t end = std::min(bytes.find('\xFF'), bytes.size());
    text = CharsOfTheCodePage(bytes.substr(0, end));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
  }
  auto firstChars = [](const std::string& text, size_t chars, size_t maxBytes) {
    size_t i = 0;
    for (size_t c = 0; c < chars && i < text.size(); ++c) {
      const size_t len = korvath::platform::GbkCharLength(text, i);
      if (i + len > maxBytes) break;
      i += len;
    }
    return text.substr(0, i);
  };
  form.input.nameText = firstChars(texts[0], texts[0].size(), size_t(kNameBoxBytes));
  form.input.hpText = firstChars(texts[1], size_t(kHpBoxChars), texts[1].size());
  form.input.folderText = texts[2];
  return form;
}

// The bytes that FormInputOfBytes turns into this record's selections and
// these box texts (the seed corpus is made with it).
inline std::string BytesOfFormInput(const NpcRecord& npc, int behaviour, std::string_view name, std::string_view hp,
                                    std::string_view folder) {
  auto pick = [](const NumericList& list, int32_t value) { return char((value - list.first) / list.step); };
  std::string bytes = {char(npc.NpcModel), char(WeaponIdToIndex(npc.NpcWeapon)), char(WeaponIdToIndex(npc.NpcWeapon2)),
                       char(npc.NpcTeam), pick(kViewRange, npc.NpcView), pick(kTensRange, npc.NpcThink),
                       pick(kTensRange, npc.NpcAttack1), pick(kTensRange, npc.NpcAttack2),
                       pick(kTensRange, npc.NpcAttack3), pick(kFivesRange, npc.NpcGuard),
                       pick(kFivesRange, npc.NpcDodge), pick(kFivesRange, npc.NpcJump), pick(kFivesRange, npc.NpcLook),
                       pick(kFivesRange, npc.NpcBurst), pick(kFivesRange, npc.NpcAim),
                       pick(kFivesRange, npc.NpcGetItem), char(behaviour), char(npc.NpcSpawn), 0};
  bytes.append(name).append(1, '\xFF').append(hp).append(1, '\xFF').append(folder);
  return bytes;
}

// Whether the text holds a GB2312 Chinese character, which has a pinyin.
inline bool HoldsChineseCharacter(std::string_view text) {
  for (size_t i = 0; i < text.size(); i += korvath::platform::GbkCharLength(text, i)) {
    const uint8_t lead = uint8_t(text[i]), trail = i + 1 < text.size() ? uint8_t(text[i + 1]) : 0;
    if (korvath::platform::GbkCharLength(text, i) == 2 && lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 &&
        trail <= 0xFE && !(lead == 0xD7 && trail >= 0xFA))
      return true;
  }
  return false;
}

// Whether the text holds a single-byte character that `bad` accepts.
template <typename Bad>
bool HoldsByte(std::string_view text, Bad bad) {
  for (size_t i = 0; i < text.size(); i += korvath::platform::GbkCharLength(text, i))
    if (korvath::platform::GbkCharLength(text, i) == 1 && bad(uint8_t(text[i]))) return true;
  return false;
}

// The pinyin of the text's two-byte characters (only GB2312's Chinese
// characters have one): all that a file name takes from a name.
inline std::string PinyinOfChars(std::string_view text) {
  std::string pinyin;
  for (size_t i = 0; i < text.size(); i += korvath::platform::GbkCharLength(text, i))
    if (korvath::platform::GbkCharLength(text, i) == 2) pinyin += korvath::platform::GetPinyin(text.substr(i, 2));
  return pinyin;
}

// Saving what the form holds: a name with a Chinese character, nothing that
// breaks the script's statement, no lone byte of 0x80 or above and hit
// chances within 100 are written, anything else never; a refusal changes
// nothing; the file's name is the folder's and the pinyin of the name's
// characters; the file has CR LF line ends and reads back with every value,
// the name and the behaviour, whatever the name's bytes, and saving what was
// read writes the same bytes. `verdict`, when given, receives the writer's.
inline std::string CheckWrittenForm(const FormInput& form, BuildVerdict* verdictOut = nullptr) {
  NpcRecord npc = form.npc;
  npc.NpcFilePath = "previous.pst";
  // The writer fills elements 1 to 21; nothing fills the rest.
  std::fill_n(npc.NpcOutputLines.begin(), 21, "previous");
  const NpcRecord before = npc;
  const BuildVerdict verdict = BuildNpcScript(npc, form.input);
  if (verdictOut) *verdictOut = verdict;

  // The writer takes the name without blanks and with full-width letters made
  // half-width ("\xA3\xA2", a full-width quote, becomes a quote).
  const std::string typed = korvath::platform::RemoveAllSpaces(form.input.nameText);
  const bool breaksLine = HoldsByte(korvath::platform::ToHalfWidth(korvath::platform::ToFullWidth(typed)),
                                    [](uint8_t b) { return b == '"' || b == ';' || b < 0x20 || b == 0x7F; });
  const bool loneHighByte = HoldsByte(typed, [](uint8_t b) { return b >= 0x80; });
  const bool hitsWithin100 = npc.NpcAttack1 + npc.NpcAttack2 + npc.NpcAttack3 <= 100;
  const bool expected = form.input.nameExact && form.input.folderExact && !breaksLine && !loneHighByte &&
                        hitsWithin100 && HoldsChineseCharacter(typed);
  if (!verdict.accepted()) {
    if (expected) return "a name with a Chinese character is refused";
    if (form.input.nameExact && loneHighByte && verdict.message != UnsavableNameMessage())
      return "a lone byte of 0x80 or above is refused with another message";
    if (npc.NpcOutputLines != before.NpcOutputLines || npc.NpcFilePath != before.NpcFilePath)
      return "a refusal changes the lines";
    return {};
  }
  if (!expected) return "a refused input is written";

  // The name as written: the typed one without blanks and full-width
  // letters, and the writer leaves it as it is when it is typed again.
  if (npc.NpcName.empty() || npc.NpcName != korvath::platform::ToHalfWidth(typed) ||
      korvath::platform::RemoveAllSpaces(npc.NpcName) != npc.NpcName ||
      korvath::platform::ToHalfWidth(npc.NpcName) != npc.NpcName || WholeGbkChars(npc.NpcName) != npc.NpcName)
    return "the name written";
  NpcRecord retyped = form.npc;
  if (!BuildNpcScript(retyped, ScriptInput{"1", npc.NpcName, "C:\\"}).accepted() || retyped.NpcName != npc.NpcName)
    return "the name typed again";

  // The path: the folder's, and a file name of whole characters that Windows
  // takes.
  const std::string folder = WithTrailingBackslash(form.input.folderText);
  if (npc.NpcFilePart != PinyinOfChars(typed) || npc.NpcFilePath != folder + npc.NpcFilePart + ".pst" ||
      PathDirectoryPart(npc.NpcFilePath) != folder || WholeGbkChars(npc.NpcFilePart) != npc.NpcFilePart ||
      HoldsByte(npc.NpcFilePart, [](uint8_t b) {
        return b < 0x20 || b == 0x7F || std::string_view("\\/:*?\"<>|").find(char(b)) != std::string_view::npos;
      }))
    return "the file path";

  const std::string file = NpcScriptFileBytes(npc.NpcOutputLines);
  if (!OnlyCrLfLineEnds(file) || file.find_first_of(std::string_view("\0\x1A", 2)) != std::string::npos)
    return "the file's line ends";
  const std::vector<std::string> kept = KeptLinesOfFile(file);
  if (CheckNpcScript(kept)) return "a written file is refused";
  const NpcScriptValues read = ParseNpcScript(kept).value();
  NpcRecord expectedValues = npc;
  expectedValues.NpcSpawn = kWrittenSpawn;
  if (read.name != npc.NpcName ||
      std::vector<int32_t>(read.values.begin() + 1, read.values.end()) != RecordNumbers(expectedValues))
    return "a written file reads back other values";
  if (read.behaviour < 0 || read.behaviour >= int(BehaviourTable().size()) ||
      BehaviourStatementOfItem(read.behaviour) != npc.NpcBehaviourText)
    return "a written file reads back another behaviour";
  NpcRecord other = ForeignRecord();
  StoreNpcScriptValues(read, other);
  if (SavedAsShown(other) != file) return "saving what was read";
  return {};
}

// The same for the form that `bytes` stand for (FormInputOfBytes).
inline std::string CheckWrittenFormProperties(std::string_view bytes) {
  return CheckWrittenForm(FormInputOfBytes(bytes));
}

}  // namespace korvath::app::properties
