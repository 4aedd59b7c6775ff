// Reading a ".pst" back: the text routines, the positional map and the
// behaviour recognised from the lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "app/npc_script.h"
#include "app/npc_script_reader.h"
#include "platform/text_commands.h"
#include "tests/app/npc_file_properties.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using namespace korvath::app::testdata;
using Lines = std::vector<std::string>;

TEST(Reader, TextBetweenAndSplitQuoted) {
  EXPECT_EQ(TextBetween("a(b)c)", "(", ")") + TextBetween(")before(", "(", ")"), "b");
  EXPECT_EQ(TextBetween("say \"hi\" now", "#引号", "#引号"), "hi");
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 3) + TextBetween("xABy", "a", "Y", 1, true) + TextBetween("xABy", "a", "Y"), "bB");
  Lines pieces;
  EXPECT_EQ(SplitQuoted("g_self, \"follow\", \"player\"", "\"", "\"", pieces), 3);
  EXPECT_EQ(pieces, (Lines{"follow", ", ", "player"}));
  SplitQuoted("<a><bb><ccc>", "<", ">", pieces, false, 7, "(", ")", true, true);  // shaped pieces below 7 bytes
  EXPECT_EQ(pieces, (Lines{"<(a)>", "<(bb)>"}));
}

TEST(Reader, AWrittenFileReadsBackEveryValueAndBehaviour) {
  NpcRecord npc{.NpcModel = 19, .NpcWeapon = 10, .NpcWeapon2 = 48, .NpcTeam = 2, .NpcView = 2000, .NpcThink = 10,
                .NpcAttack1 = 30, .NpcAttack2 = 30, .NpcAttack3 = 30, .NpcGuard = 100, .NpcDodge = 15, .NpcJump = 20,
                .NpcLook = 55, .NpcBurst = 60, .NpcAim = 65, .NpcGetItem = 70, .NpcSpawn = 42, .NpcHp = 777};
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    SCOPED_TRACE(behaviour);
    NpcRecord written = npc;
    written.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
    ASSERT_TRUE(BuildNpcScript(written, ScriptInput{"777", "王五", "C:\\"}).accepted());
    std::string bytes = NpcScriptFileBytes(written.NpcOutputLines);
    NpcScriptValues read = ParseNpcScript(KeptLinesOfFile(bytes)).value();
    EXPECT_EQ(read.name, "王五");
    EXPECT_EQ(std::vector<int32_t>(read.values.begin() + 1, read.values.end()), Numbers(npc));
    EXPECT_EQ(read.behaviour, behaviour);
    // The writer writes no behaviour in capitals.
    if (behaviour == 6) {
      bytes.replace(bytes.find("\"kill\""), 6, "\"KILL\"");
      EXPECT_EQ(CheckNpcScript(KeptLinesOfFile(bytes)), (NpcScriptRefusal{NpcScriptRefusal::Reason::Script, 29}));
    }
  }
}

// A line shifted down, a damaged statement or too few lines: the positional
// reader would put values into the wrong fields, so the file is refused.
TEST(Reader, BlankLinesAreSkippedShiftedOrDamagedLinesAndShortFilesAreRefused) {
  using enum NpcScriptRefusal::Reason;
  EXPECT_EQ(ParseNpcScript(KeptLinesOfFile("\r\n   \r\n\xA1\xA1\r\n" + StartFileBytes()))->values[1], 1);
  Lines kept = KeptLinesOfFile("\t\r\n" + StartFileBytes());  // a tab line is kept: all move down
  ASSERT_EQ(kept.size(), 31u);
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{Statement, 1}));
  EXPECT_FALSE(ParseNpcScript(kept));
  EXPECT_EQ(BehaviourFromLines(kept), std::nullopt);  // 31 lines, but not the two-call statement's
  const Lines start = KeptLinesOfFile(StartFileBytes());
  kept = start;
  kept[0] = "string Name=\"张\"三\";";
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{Statement, 1}));
  kept = start;
  kept[5] = "int View 800;";
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{Statement, 6}));
  kept[5] = start[5];
  kept[6] = "int Think =80";
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{Statement, 7}));
  kept = start;
  kept.resize(19);  // the declarations whole, the script missing
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{MissingLine, 20}));
  kept.resize(18);
  EXPECT_FALSE(ParseNpcScript(kept));
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{Incomplete, 0}));
  std::string bytes = StartFileBytes();
  bytes.insert(bytes.find("int Jump"), 1, '\0');  // a NUL byte ends the text
  EXPECT_EQ(KeptLinesOfFile(bytes).size(), 12u);
  EXPECT_EQ(CheckNpcScript(KeptLinesOfFile(bytes)), (NpcScriptRefusal{Incomplete, 0}));
}

namespace {
using korvath::platform::ToText;

// What a save right after reading `bytes` into `npc` writes; empty when the
// reader refuses them.
std::string SavedAfterReading(const std::string& bytes, NpcRecord npc) {
  std::optional<NpcScriptValues> read = ParseNpcScript(KeptLinesOfFile(bytes));
  if (!read) return {};
  StoreNpcScriptValues(*read, npc);
  // The form shows the name and HP that the record holds; the writer reads them from there.
  if (!BuildNpcScript(npc, ScriptInput{ToText(npc.NpcHp), npc.NpcName, "C:\\"}).accepted()) return "refused";
  return NpcScriptFileBytes(npc.NpcOutputLines);
}

std::string WrittenFile(NpcRecord npc, const std::string& name, const std::string& hp = "5000") {
  EXPECT_TRUE(BuildNpcScript(npc, ScriptInput{hp, name, "C:\\"}).accepted()) << name;
  return NpcScriptFileBytes(npc.NpcOutputLines);
}

// The start file with kept line `line` (1-based) replaced.
std::string WithLine(int line, const std::string& text) {
  Lines kept = KeptLinesOfFile(StartFileBytes());
  std::string bytes = StartFileBytes();
  const size_t at = bytes.find(kept[size_t(line - 1)] + "\r\n");
  return bytes.replace(at, kept[size_t(line - 1)].size(), text);
}
}  // namespace

// Defaults, every field through its range, names with letters, digits and
// the longest the name box takes, every behaviour: read back and saved at
// once, each gives the same bytes.
TEST(Reader, EveryFileTheToolWritesIsSavedAgainByteForByte) {
  const NpcRecord other = NpcRecord{.NpcName = "李四", .NpcModel = 7, .NpcWeapon = 12, .NpcTeam = 2, .NpcHp = 42};
  const std::string names[] = {"张三", "王五", "Boss张", "李1号", "一二三四五六七八", "谢谢", "欧阳AbC", "张-三_2"};
  for (int i = 0; i < 24; ++i) {
    SCOPED_TRACE(i);
    auto item = [i](const NumericList& list, int shift) {
      const int count = (list.last - list.first) / list.step + 1;
      return list.first + ((i + shift) % count) * list.step;
    };
    NpcRecord npc{.NpcModel = i * 7 % 20, .NpcWeapon = WeaponIdOfItem(i % 12), .NpcWeapon2 = WeaponIdOfItem((i + 5) % 12),
                  .NpcTeam = i % 3, .NpcView = item(kViewRange, 0), .NpcThink = item(kTensRange, 1),
                  .NpcAttack1 = 10 * (1 + i % 8), .NpcAttack2 = 10, .NpcAttack3 = 10, .NpcGuard = item(kFivesRange, 3),
                  .NpcDodge = item(kFivesRange, 4), .NpcJump = item(kFivesRange, 5), .NpcLook = item(kFivesRange, 6),
                  .NpcBurst = item(kFivesRange, 7), .NpcAim = item(kFivesRange, 8), .NpcGetItem = item(kFivesRange, 18),
                  .NpcBehaviourText = std::string(BehaviourStatementOfItem(i % 8))};
    const std::string hp[] = {"5000", "1", "9999", "100", "0", "-5"};  // the last two write 3000
    const std::string written = WrittenFile(npc, names[size_t(i) % std::size(names)], hp[size_t(i) % std::size(hp)]);
    EXPECT_EQ(SavedAfterReading(written, other), written);
    EXPECT_EQ(SavedAfterReading(written, StartRecord()), written);
  }
  EXPECT_EQ(SavedAfterReading(StartFileBytes(), other), StartFileBytes());
  // A name typed with blanks and full-width letters is written without them.
  const std::string typed = WrittenFile(StartRecord(), " \xA3\xC1\xA3\xC2李\xA1\xA1四 ");
  EXPECT_NE(typed.find("\"AB李四\""), std::string::npos);
  EXPECT_EQ(SavedAfterReading(typed, other), typed);
  // The other ids of a weapon show its item and are kept.
  EXPECT_EQ(SavedAfterReading(WithLine(3, "int Weapon =26;"), other), WithLine(3, "int Weapon =26;"));
}

// Random bytes, line ends other than CR LF, other encodings, NUL bytes, a
// statement out of place or damaged, a value that the form cannot show, a
// name that the writer would not write back as it stands: refused, with the
// line that is wrong.
TEST(Reader, FilesTheToolDidNotWriteAreRefused) {
  using enum NpcScriptRefusal::Reason;
  auto refusal = [](const std::string& bytes) { return CheckNpcScript(KeptLinesOfFile(bytes)); };
  std::mt19937 rng(20240917);
  std::string random(1 << 20, ' ');
  for (char& c : random)
    do c = char(rng()); while (c == '\0' || c == '\x1A');
  EXPECT_TRUE(refusal(random));
  EXPECT_FALSE(ParseNpcScript(KeptLinesOfFile(random)));

  // Mixed line ends: some lines end in LF alone, which the reader takes as
  // the writer's line end, and one in a lone CR, which it does not.
  std::string mixed = StartFileBytes();
  for (const char* line : {"int Model =1;\r\n", "int Team =1;\r\n", "int HP = 5000;\r\n"})
    mixed.erase(mixed.find(line) + std::string_view(line).size() - 2, 1);
  EXPECT_EQ(SavedAfterReading(mixed, StartRecord()), StartFileBytes());
  mixed.erase(mixed.find("int Weapon2") - 1, 1);
  EXPECT_EQ(refusal(mixed), (NpcScriptRefusal{LoneCarriageReturn, 3}));
  std::string body = StartFileBytes();
  body.erase(body.find("OnInit") - 1, 1);  // in the script body: the behaviour would be lost
  EXPECT_EQ(refusal(body), (NpcScriptRefusal{LoneCarriageReturn, 21}));
  std::string classicMac = StartFileBytes();
  std::erase(classicMac, '\n');
  EXPECT_EQ(refusal(classicMac), (NpcScriptRefusal{LoneCarriageReturn, 1}));

  // Byte-order marks, and the lines that such files would give.
  const std::string utf8Name = "string Name=\"\xE5\xBC\xA0\xE4\xB8\x89\";";  // 张三 in UTF-8
  const std::string utf8File = WithLine(1, utf8Name);
  const std::string utf16 = std::string("\xFF\xFEs\0t\0r\0", 8), utf16be = std::string("\xFE\xFF\0s\0t", 6);
  EXPECT_EQ(ByteOrderMarkEncoding("\xEF\xBB\xBF" + utf8File), "UTF-8");
  EXPECT_EQ(ByteOrderMarkEncoding(utf16), "UTF-16");
  EXPECT_EQ(ByteOrderMarkEncoding(utf16be), "UTF-16");
  EXPECT_EQ(ByteOrderMarkEncoding(std::string("\xFF\xFE\0\0s\0\0\0", 8)), "UTF-32");
  EXPECT_EQ(ByteOrderMarkEncoding(std::string("\0\0\xFE\xFF", 4)), "UTF-32");
  EXPECT_EQ(ByteOrderMarkEncoding(StartFileBytes()), std::nullopt);
  EXPECT_EQ(ByteOrderMarkEncoding("\xEF\xBB"), std::nullopt);
  EXPECT_EQ(refusal("\xEF\xBB\xBF" + StartFileBytes()), (NpcScriptRefusal{Statement, 1}));
  EXPECT_EQ(refusal(utf16 + StartFileBytes()), (NpcScriptRefusal{Incomplete, 0}));

  // UTF-8 without a mark cannot be told from GBK: the bytes of a name are
  // GBK, and read as the writer would write them. 张三 in UTF-8 is 寮犱笁,
  // 丰丰 is three GB2312 characters, Иван four GBK ones; 中 ends in a lone
  // byte, which no name holds; 谢谢 in GBK is valid UTF-8.
  EXPECT_EQ(ParseNpcScript(KeptLinesOfFile(utf8File)).value().name, "\xE5\xBC\xA0\xE4\xB8\x89");
  EXPECT_EQ(refusal(WithLine(1, "string Name=\"\xE4\xB8\xAD\";")), (NpcScriptRefusal{NotGbkName, 1}));  // 中
  EXPECT_EQ(refusal(WithLine(1, "string Name=\"\xE4\xB8\xB0\xE4\xB8\xB0\";")), std::nullopt);
  EXPECT_EQ(refusal(WithLine(1, "string Name=\"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\";")), std::nullopt);  // Иван
  EXPECT_EQ(refusal(WithLine(1, "string Name=\"\xD0\xBB\xD0\xBB\";")), std::nullopt);  // 谢谢 in GBK

  // NUL bytes end the text: whatever they cut short is refused.
  for (const char* at : {"\";\r\nint Model", "Weapon2", "5000;"}) {
    std::string cut = StartFileBytes();
    cut.insert(cut.find(at) + 1, 1, '\0');
    EXPECT_TRUE(refusal(cut)) << at;
  }

  // One line of 10 MB: refused in one pass; as the name or a number among
  // otherwise written lines, too long a name and too large a number.
  std::string longLine(10 << 20, '\xD5');
  EXPECT_EQ(refusal(longLine), (NpcScriptRefusal{Incomplete, 0}));
  EXPECT_EQ(refusal(WithLine(1, "string Name=\"" + longLine + "\";")), (NpcScriptRefusal{Name, 1}));
  EXPECT_EQ(refusal(WithLine(19, "int HP = " + std::string(10 << 20, '9') + ";")), (NpcScriptRefusal{Value, 19}));
  EXPECT_EQ(refusal(WithLine(1, "string Name=\"" + longLine)), (NpcScriptRefusal{Statement, 1}));

  // Each place holds the writer's key; blanks around the parts may differ.
  const Lines start = KeptLinesOfFile(StartFileBytes());
  for (int line = 2; line <= 19; ++line) {
    SCOPED_TRACE(line);
    EXPECT_EQ(refusal(WithLine(line, "int Spawnx =1;")), (NpcScriptRefusal{Statement, line}));
    EXPECT_EQ(refusal(WithLine(line, start[size_t(line % 18 + 1)])), (NpcScriptRefusal{Statement, line}));
    EXPECT_EQ(refusal(WithLine(line, "  " + start[size_t(line - 1)] + "\t ")), std::nullopt);
  }
  for (const char* damaged : {"int View =800; // far", "int View =800;;", "int View =+800;", "int View = 8 00;",
                              "intView =800;", "int view =800;", "int View =;", "int View =800", "int View == 800;",
                              "int View =800.0;", "int View =\xA3\xB8\xA3\xB0\xA3\xB0;", "int View =0x320;"})
    EXPECT_EQ(refusal(WithLine(6, damaged)), (NpcScriptRefusal{Statement, 6})) << damaged;
  for (const char* fine : {"int View = 800 ;", "int\tView\t=\t800\t;", "int View =0800;"})
    EXPECT_EQ(refusal(WithLine(6, fine)), std::nullopt) << fine;
  for (const char* damaged : {"string Name=\"张三\"", "string Name=\"张三;", "string Name=张三;", "string name=\"张三\";",
                              "string Name=\"张三\"; x", "stringName=\"张三\";", "\xEF\xBB\xBFstring Name=\"张三\";"})
    EXPECT_EQ(refusal(WithLine(1, damaged)), (NpcScriptRefusal{Statement, 1})) << damaged;

  // Values that no list, model or camp shows, and that the writer never writes.
  const std::pair<int, std::vector<std::string>> outOfRange[] = {
      {2, {"-1", "20", "99999999999"}}, {3, {"0", "99", "-17", "37"}}, {4, {"59", "46"}}, {5, {"3", "-1"}},
      {6, {"850", "0", "50", "2100", "-800"}}, {7, {"5", "15", "110", "0"}}, {10, {"100000"}},
      {11, {"12", "105", "5", "0"}}, {17, {"8", "101"}}, {18, {"7", "0", "43"}},
      {19, {"0", "-5", "10000", "2147483648"}}};
  for (const auto& [line, values] : outOfRange)
    for (const std::string& value : values) {
      const std::string text = start[size_t(line - 1)].substr(0, start[size_t(line - 1)].find('=') + 1);
      const std::string statement = text + value + ";";
      EXPECT_EQ(refusal(WithLine(line, statement)), (NpcScriptRefusal{Value, line})) << statement;
    }
  for (const char* edge : {"int Model =0;", "int Model =19;", "int Weapon =35;", "int Weapon =1;", "int HP = 1;", "int HP = 9999;"}) {
    const int line = std::string_view(edge).starts_with("int Model") ? 2 : std::string_view(edge).starts_with("int HP") ? 19 : 3;
    EXPECT_EQ(refusal(WithLine(line, edge)), std::nullopt) << edge;
  }

  // Names the writer would refuse, or write otherwise than they stand.
  for (const char* name : {"", "张 三", "张\xA1\xA1三", "张\xA3\xC1", "张;三", "张\t三", "张\x7F", "Abc",
                           "一二三四五六七八A", "\xA3\xC1\xA3\xC2"})
    EXPECT_EQ(refusal(WithLine(1, std::string("string Name=\"") + name + "\";")), (NpcScriptRefusal{Name, 1})) << name;
  // Bytes that are no GBK character: a lone 0x80, a lead byte at the end, a
  // Latin-1 letter, bytes that begin no GBK character.
  for (const char* name : {"\x80张", "张\xD5", "Jos\xE9", "\xFF\xFF"})
    EXPECT_EQ(refusal(WithLine(1, std::string("string Name=\"") + name + "\";")), (NpcScriptRefusal{NotGbkName, 1})) << name;
}

// The writer refuses hit chances (Attack1 to Attack3) that add up to more
// than 100, so no file it wrote holds them: refused at the last of the three,
// where the sum is known, before the lines after it. Up to 100 is read.
TEST(Reader, HitChancesAboveOneHundredInAllAreRefused) {
  using enum NpcScriptRefusal::Reason;
  auto refusal = [](const std::string& bytes) { return CheckNpcScript(KeptLinesOfFile(bytes)); };
  EXPECT_EQ(refusal(WithLine(8, "int Attack1=30;")), (NpcScriptRefusal{Value, 10}));  // 30 + 40 + 40
  EXPECT_EQ(refusal(WithLine(8, "int Attack1=100;")), (NpcScriptRefusal{Value, 10}));
  EXPECT_EQ(refusal(WithLine(10, "int Attack3 =50;")), (NpcScriptRefusal{Value, 10}));
  std::string later = WithLine(10, "int Attack3 =50;");
  later.replace(later.find("int Guard =25;"), 14, "int Guard =7;");
  EXPECT_EQ(refusal(later), (NpcScriptRefusal{Value, 10}));
  EXPECT_FALSE(ParseNpcScript(KeptLinesOfFile(WithLine(9, "int Attack2 =50;"))));
  EXPECT_EQ(refusal(WithLine(8, "int Attack1=10;")), std::nullopt);  // 10 + 40 + 40
  EXPECT_EQ(refusal(StartFileBytes()), std::nullopt);                  // 20 + 40 + 40
}

namespace {
// The kept lines of the file that the writer writes from the record with a
// behaviour item, a name and an HP text.
Lines WrittenLines(NpcRecord npc, int behaviour, const std::string& name = "王五", const std::string& hp = "5000") {
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
  EXPECT_TRUE(BuildNpcScript(npc, ScriptInput{hp, name, "C:\\"}).accepted()) << name;
  return KeptLinesOfFile(NpcScriptFileBytes(npc.NpcOutputLines));
}

// What the writer can write at each place of lines 2 to 19, given as the
// record's field and its values.
struct WrittenPlace {
  int32_t NpcRecord::*field;
  std::vector<int32_t> values;
};
std::vector<int32_t> Items(const NumericList& list, int last = 0) {
  std::vector<int32_t> items;
  for (int v = list.first; v <= (last ? last : list.last); v += list.step) items.push_back(v);
  return items;
}
std::vector<WrittenPlace> WrittenPlaces() {
  std::vector<int32_t> models, weapons;
  for (int32_t m = 0; m < 20; ++m) models.push_back(m);
  for (int item = 0; item < 12; ++item) weapons.push_back(WeaponIdOfItem(item));
  // A hit chance goes up to 80 beside two others at their least, 10.
  return {{&NpcRecord::NpcModel, models},
          {&NpcRecord::NpcWeapon, weapons},
          {&NpcRecord::NpcWeapon2, weapons},
          {&NpcRecord::NpcTeam, {0, 1, 2}},
          {&NpcRecord::NpcView, Items(kViewRange)},
          {&NpcRecord::NpcThink, Items(kTensRange)},
          {&NpcRecord::NpcAttack1, Items(kTensRange, 80)},
          {&NpcRecord::NpcAttack2, Items(kTensRange, 80)},
          {&NpcRecord::NpcAttack3, Items(kTensRange, 80)},
          {&NpcRecord::NpcGuard, Items(kFivesRange)},
          {&NpcRecord::NpcDodge, Items(kFivesRange)},
          {&NpcRecord::NpcJump, Items(kFivesRange)},
          {&NpcRecord::NpcLook, Items(kFivesRange)},
          {&NpcRecord::NpcBurst, Items(kFivesRange)},
          {&NpcRecord::NpcAim, Items(kFivesRange)},
          {&NpcRecord::NpcGetItem, Items(kFivesRange)}};
}
}  // namespace

// Every behaviour with every value that the writer writes at each place
// (each item of the lists, each model, weapon and camp, HP texts that it
// writes as they are or as its default, names of every kind), and with the
// most and the fewest kept lines: read, with that behaviour and those values.
TEST(Reader, EveryBehaviourIsReadWithEveryValueTheWriterWrites) {
  size_t mostLines = 0;
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    SCOPED_TRACE(behaviour);
    auto expectRead = [&](const NpcRecord& npc, const std::string& name, const std::string& hp) {
      const Lines kept = WrittenLines(npc, behaviour, name, hp);
      mostLines = std::max(mostLines, kept.size());
      std::optional<NpcScriptValues> read = ParseNpcScript(kept);
      ASSERT_TRUE(read) << ::testing::PrintToString(CheckNpcScript(kept)) << " " << name << " " << hp;
      EXPECT_EQ(read->behaviour, behaviour);
      EXPECT_EQ(BehaviourFromLines(kept), BehaviourTable()[size_t(behaviour)].name);
      NpcRecord saved = npc;
      saved.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
      ASSERT_TRUE(BuildNpcScript(saved, ScriptInput{hp, name, "C:\\"}).accepted());
      saved.NpcSpawn = 42;
      EXPECT_EQ(std::vector<int32_t>(read->values.begin() + 1, read->values.end()), Numbers(saved));
    };
    for (const WrittenPlace& place : WrittenPlaces())
      for (int32_t value : place.values) {
        NpcRecord npc = StartRecord();
        npc.NpcAttack1 = npc.NpcAttack2 = npc.NpcAttack3 = 10;
        npc.*place.field = value;
        expectRead(npc, "王五", "5000");
      }
    for (const char* hp : {"1", "9999", "3000", "0", "-5", "abc", "12ab", " 77"}) expectRead(StartRecord(), "王五", hp);
    for (const char* name : {"张三", "Boss张", "李1号", "一二三四五六七八", "谢谢", "欧阳AbC", "张-三_2"})
      expectRead(StartRecord(), name, "5000");
  }
  EXPECT_EQ(mostLines, kMostWrittenKeptLines);
}

// A file written with any behaviour, with a line added after the
// declarations (at the end, or in any place between), one of those lines
// removed or changed: refused, naming the kept line (1-based) that is not
// the writer's. Read by its count of lines or by one word of its statement,
// it was taken for another behaviour, or kept the form's, and the next save
// wrote that.
TEST(Reader, AScriptWithALineAddedRemovedOrChangedIsRefusedNamingTheLine) {
  using enum NpcScriptRefusal::Reason;
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    SCOPED_TRACE(behaviour);
    const Lines written = WrittenLines(StartRecord(), behaviour);
    const int n = int(written.size());
    ASSERT_EQ(n, behaviour == 7 ? 31 : 30);
    ASSERT_EQ(CheckNpcScript(written), std::nullopt);

    for (const char* added : {"// made by hand", "}", "\tChangeBehavior(g_self, \"wait\");", "\t"}) {
      Lines more = written;
      more.push_back(added);
      EXPECT_EQ(CheckNpcScript(more), (NpcScriptRefusal{ExtraLine, n + 1})) << added;
      EXPECT_EQ(BehaviourFromLines(more), std::nullopt);
      more.push_back(added);  // two lines
      EXPECT_EQ(CheckNpcScript(more), (NpcScriptRefusal{ExtraLine, n + 1})) << added;
    }
    for (int at = kDeclarationLines + 1; at <= n; ++at) {
      Lines more = written;
      more.insert(more.begin() + (at - 1), "// made by hand");
      EXPECT_EQ(CheckNpcScript(more), (NpcScriptRefusal{Script, at})) << at;
    }

    for (int at = kDeclarationLines + 1; at <= n; ++at) {
      Lines fewer = written;
      fewer.erase(fewer.begin() + (at - 1));
      // The two calls without the first are the file that the writer writes
      // for "跟随".
      if (behaviour == 7 && at == 29) {
        EXPECT_EQ(fewer, WrittenLines(StartRecord(), 3));
        continue;
      }
      EXPECT_EQ(CheckNpcScript(fewer), (NpcScriptRefusal{at == n ? MissingLine : Script, at})) << at;
      EXPECT_EQ(BehaviourFromLines(fewer), std::nullopt);
    }

    for (int at = kDeclarationLines + 1; at <= n; ++at) {
      const std::string& line = written[size_t(at - 1)];
      std::string upper = line;
      for (char& c : upper) c = char(std::toupper(uint8_t(c)));
      for (const std::string& changed : {line + " ", " " + line, line.substr(1), line + "// made by hand", upper}) {
        if (changed == line) continue;  // a line without letters
        Lines other = written;
        other[size_t(at - 1)] = changed;
        EXPECT_EQ(CheckNpcScript(other), (NpcScriptRefusal{Script, at})) << at << ": " << changed;
        EXPECT_EQ(BehaviourFromLines(other), std::nullopt);
      }
    }
  }

  // As a file: the kill statement with a comment line after all its empty
  // lines, or before its end.
  NpcRecord npc = StartRecord();
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(6));
  ASSERT_TRUE(BuildNpcScript(npc, ScriptInput{"5000", "王五", "C:\\"}).accepted());
  const std::string kill = NpcScriptFileBytes(npc.NpcOutputLines);
  auto refusal = [](const std::string& bytes) { return CheckNpcScript(KeptLinesOfFile(bytes)); };
  EXPECT_EQ(refusal(kill), std::nullopt);
  EXPECT_EQ(refusal(kill + "// made by hand\r\n"), (NpcScriptRefusal{ExtraLine, 31}));
  EXPECT_EQ(refusal(kill + "// made by hand"), (NpcScriptRefusal{ExtraLine, 31}));
  EXPECT_EQ(refusal(kill + "// made by hand\r\n// and again\r\n"), (NpcScriptRefusal{ExtraLine, 31}));
  std::string middle = kill;
  middle.insert(middle.find("OnStart()"), "// made by hand\r\n");
  EXPECT_EQ(refusal(middle), (NpcScriptRefusal{Script, 26}));
}

// Reading stops at the kept line that makes more than the writer writes: a
// file of millions of short lines keeps 32 of them, and is refused.
TEST(Reader, KeptLinesStopOneAfterTheMostThatTheWriterWrites) {
  using enum NpcScriptRefusal::Reason;
  std::string manyLines;
  for (int i = 0; i < (50 << 20) / 3; ++i) manyLines += "x\r\n";
  Lines kept = KeptLinesOfFile(manyLines);
  EXPECT_EQ(kept.size(), kMostWrittenKeptLines + 1);
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{Statement, 1}));
  kept = KeptLinesOfFile(StartFileBytes() + manyLines);
  EXPECT_EQ(kept.size(), kMostWrittenKeptLines + 1);
  EXPECT_EQ(CheckNpcScript(kept), (NpcScriptRefusal{ExtraLine, 31}));
  kept = KeptLinesOfFile("\r\n \r\n" + StartFileBytes() + "\r\n\xA1\xA1\r\n");
  EXPECT_EQ(kept.size(), 30u);  // lines that are not kept do not count
  Lines lines;
  for (size_t i = 0; i < kMostWrittenKeptLines; ++i) EXPECT_TRUE(AddKeptLine(lines, "x"));
  EXPECT_TRUE(AddKeptLine(lines, "  "));
  EXPECT_FALSE(AddKeptLine(lines, "x"));
  EXPECT_EQ(lines.size(), kMostWrittenKeptLines + 1);
}

TEST(Reader, RefusalMessagesSayWhatIsWrong) {
  using enum NpcScriptRefusal::Reason;
  const std::string path = "C:\\读取\\a.pst";
  EXPECT_EQ(NpcScriptRefusalMessage(path, {Incomplete, 0}), "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,文件内容不完整!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {Statement, 6}), "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,第6项不是“int View =数值;”!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {Statement, 1}),
            "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,第1项不是“string Name=\"名字\";”!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {Value, 19}), "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,“int HP”的值不在可选范围内!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {Name, 1}), "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,人物名字不是本工具能写出的名字!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {LoneCarriageReturn, 3}),
            "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,文件中有单独的回车符(行尾应为CR LF)!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {NotGbkName, 1}),
            "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,人物名字中有不是GBK编码的字节!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {TextEndedEarly, 0}),
            "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,文件中有空字节(NUL)或文件结束符(0x1A),不是文本文件!");
  EXPECT_EQ(EncodingRefusalMessage(path, "UTF-8"), "NPC文档[C:\\读取\\a.pst]是UTF-8编码的文件,不是GBK编码的NPC文档!");
  EXPECT_EQ(EncodingRefusalMessage(path, "UTF-16"), "NPC文档[C:\\读取\\a.pst]是UTF-16编码的文件,不是GBK编码的NPC文档!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {Script, 29}), "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,第29项不是本工具写出的脚本内容!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {ExtraLine, 31}),
            "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,脚本在第30项结束,第31项是多余的!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {MissingLine, 30}), "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,文件内容不完整,缺少第30项!");
  EXPECT_EQ(NpcScriptRefusalMessage(path, {TooLarge, 0}), "NPC文档[C:\\读取\\a.pst]不是有效的NPC文档,文件远大于本工具写出的NPC文档!");
}

namespace {
// The split as it was first written: every search walks from the text's
// start. The reader's split must cut exactly these pieces, only faster.
int FirstSplitQuoted(std::string_view text, std::string_view opening, std::string_view closing, Lines& pieces,
                     bool ignoreCase, int maxLength, std::string_view prefix, std::string_view suffix,
                     bool addOpening, bool addClosing, int start) {
  pieces.clear();
  if (opening.empty() || closing.empty()) return 0;
  for (int pos = start < 1 ? 1 : start;;) {
    const int p = korvath::platform::FindText(text, opening, pos, ignoreCase);
    if (p < 1) break;
    pos = p + int(opening.size());
    const int q = korvath::platform::FindText(text, closing, pos, ignoreCase);
    if (q < pos) break;
    std::string piece = std::string(prefix) + std::string(text.substr(size_t(pos - 1), size_t(q - pos))) + std::string(suffix);
    if (addOpening) piece = std::string(opening) + piece;
    if (addClosing) piece += closing;
    if (maxLength == 0 || int(piece.size()) < maxLength) pieces.push_back(std::move(piece));
  }
  return int(pieces.size());
}
}  // namespace

// The lines the reader splits (every behaviour's line 29, the shapes above)
// and random texts of quotes, brackets and two-byte characters whose trail
// bytes look like them, under every option.
TEST(Reader, SplitQuotedCutsThePiecesOfTheFirstAlgorithm) {
  std::vector<std::string> texts = {"g_self, \"follow\", \"player\"", "<a><bb><ccc>", "\"\"\"", "((a)(b)))", ""};
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    NpcRecord npc{.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour))};
    ASSERT_TRUE(BuildNpcScript(npc, ScriptInput{"5000", "王五", "C:\\"}).accepted());
    for (const std::string& line : KeptLinesOfFile(NpcScriptFileBytes(npc.NpcOutputLines))) texts.push_back(TextBetween(line, "(", ")"));
  }
  const char alphabet[] = "\"\"\"()<>aA \xB1\x22\xB1\x28\xD5\xC5\xA1";  // "\xB1\x22": a quote as a trail byte
  std::mt19937 rng(20261207);
  for (int i = 0; i < 3000; ++i) {
    std::string text(rng() % 40, ' ');
    for (char& c : text) c = alphabet[rng() % (sizeof alphabet - 1)];
    texts.push_back(text);
  }
  const std::pair<const char*, const char*> marks[] = {{"\"", "\""}, {"(", ")"}, {"<", ">"}, {"a", "A"}, {"\"\"", "\""}, {"\xD5\xC5", "\""}, {"", "\""}};
  for (const std::string& text : texts) {
    for (const auto& [opening, closing] : marks) {
      const int variant = int(rng() % 64), start = int(rng() % 8) - 2;
      const bool ignoreCase = variant & 1, addOpening = variant & 2, addClosing = variant & 4;
      const int maxLength = variant & 8 ? int(rng() % 6) : 0;
      const std::string prefix = variant & 16 ? "[" : "", suffix = variant & 32 ? "]" : "";
      Lines got, expected;
      const int n = SplitQuoted(text, opening, closing, got, ignoreCase, maxLength, prefix, suffix, addOpening, addClosing, start);
      FirstSplitQuoted(text, opening, closing, expected, ignoreCase, maxLength, prefix, suffix, addOpening, addClosing, start);
      ASSERT_EQ(got, expected) << ::testing::PrintToString(text) << " " << opening << closing << " " << variant << " " << start;
      ASSERT_EQ(n, int(expected.size()));
    }
  }
}

// Random and mutated texts: the parse must never read outside them (the
// sanitizers watch the native build).
TEST(ReaderFuzz, RandomAndMutatedFilesNeverBreakTheParse) {
  const char alphabet[] = "\"=;() \t\r\n\x1A\xA1\xB0\xD5\xC5\\#引号abcfollowplayer0123456789-";
  std::mt19937 rng(20240611);
  for (int i = 0; i < 40000; ++i) {
    std::string text = i % 2 ? "" : testdata::StartFileBytes();  // random, or a written file mutated
    for (size_t n = rng() % (i % 2 ? 400 : 9); n > 0; --n)
      text.insert(text.empty() ? 0 : rng() % text.size(), 1, rng() % 4 ? alphabet[rng() % (sizeof alphabet - 1)] : char(rng()));
    if (i % 2 == 0) text.erase(rng() % text.size(), i % 3 ? rng() % 16 : std::string::npos);
    const std::vector<std::string> kept = KeptLinesOfFile(text);
    if (std::optional<NpcScriptValues> read = ParseNpcScript(kept)) {
      EXPECT_GE(kept.size(), 19u);
      EXPECT_LE(read->name.size(), kept[0].size());
      // What is read is what the writer writes: saved, it reads the same.
      NpcRecord npc;
      StoreNpcScriptValues(*read, npc);
      ASSERT_TRUE(BuildNpcScript(npc, ScriptInput{korvath::platform::ToText(npc.NpcHp), npc.NpcName, "C:\\"}).accepted());
      std::optional<NpcScriptValues> again = ParseNpcScript(KeptLinesOfFile(NpcScriptFileBytes(npc.NpcOutputLines)));
      ASSERT_TRUE(again);
      EXPECT_EQ(again->name, read->name);
      EXPECT_EQ(again->values, read->values);
    }
    std::vector<std::string> pieces;
    SplitQuoted(text, "\"", "\"", pieces);
    if (i % 4 < 2) {
      ASSERT_EQ(properties::CheckReadFileProperties(text), "") << ::testing::PrintToString(text);
    }
  }
}

// Seeded random form input (tests/app/npc_file_properties.h; the fuzz target
// checks it at length): every list item, names of GBK characters that look
// like quotes, blanks, letters and Chinese characters, HP texts and folders.
TEST(WriterFuzz, WhatTheFormHoldsIsWrittenAsTheRulesSayAndReadsBack) {
  const char alphabet[] = " \"\\;aZ9-\t\xA1\xA3\xA2\xC1\xB0\xD5\xC5\xC8\xFD\xB1\x5C\xE4\xB8\xAD\x81\x40\xFF";
  std::mt19937 rng(20261102);
  for (int i = 0; i < 20000; ++i) {
    std::string input(properties::kFormChoiceBytes, '\0');
    for (char& c : input) c = char(rng());
    input[properties::kFormChoiceBytes - 1] = char(rng() % 8 ? 0 : rng());  // mostly exact texts
    for (size_t n = rng() % 24; n > 0; --n) input += alphabet[rng() % (sizeof alphabet - 1)];
    ASSERT_EQ(properties::CheckWrittenFormProperties(input), "") << ::testing::PrintToString(input);
  }
}
