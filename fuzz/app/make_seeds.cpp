// Writes the fuzz targets' seed corpus into <folder>/<target>/: the files that
// the writer itself makes (the form at start-up, every field changed, names
// of every kind of pinyin, each behaviour item, HP at its edges), the form
// inputs that make them, a few inputs it refuses, and files that the reader
// refuses (byte-order marks, lone CRs, a NUL byte, a lone byte in the name,
// a shifted line, random bytes). The fuzz build runs it; its literals are GBK.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/npc_script.h"
#include "app/value_tables.h"
#include "tests/app/npc_file_properties.h"
#include "tests/app/npc_test_record.h"

namespace {

namespace fs = std::filesystem;
using namespace korvath::app;

void Put(const fs::path& folder, const std::string& name, const std::string& bytes) {
  std::ofstream(folder / name, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

struct FormCase {
  std::string label;
  NpcRecord npc;
  int behaviour;
  std::string name, hp, folder;
};

std::vector<FormCase> FormCases() {
  const NpcRecord start = testdata::StartRecord();
  const std::string folder = "C:\\AI文件夹\\";
  std::vector<FormCase> cases = {{"start", start, 3, "张三", "5000", folder}};
  auto changed = [&](const std::string& label, const std::function<void(NpcRecord&)>& change) {
    NpcRecord npc = start;
    change(npc);
    cases.push_back({label, npc, 3, "张三", "5000", folder});
  };
  changed("model", [](NpcRecord& n) { n.NpcModel = 19; });
  changed("weapon", [](NpcRecord& n) { n.NpcWeapon = WeaponIdOfItem(11); });
  changed("weapon2", [](NpcRecord& n) { n.NpcWeapon2 = WeaponIdOfItem(0); });
  changed("team0", [](NpcRecord& n) { n.NpcTeam = 0; });
  changed("team2", [](NpcRecord& n) { n.NpcTeam = 2; });
  changed("view", [](NpcRecord& n) { n.NpcView = 2000; });
  changed("think", [](NpcRecord& n) { n.NpcThink = 10; });
  changed("attacks", [](NpcRecord& n) { n.NpcAttack1 = 80, n.NpcAttack2 = 10, n.NpcAttack3 = 10; });
  changed("guard", [](NpcRecord& n) { n.NpcGuard = 100; });
  changed("dodge", [](NpcRecord& n) { n.NpcDodge = 55; });
  changed("jump", [](NpcRecord& n) { n.NpcJump = 10; });
  changed("look", [](NpcRecord& n) { n.NpcLook = 100; });
  changed("burst", [](NpcRecord& n) { n.NpcBurst = 65; });
  changed("aim", [](NpcRecord& n) { n.NpcAim = 10; });
  changed("getitem", [](NpcRecord& n) { n.NpcGetItem = 95; });
  const std::pair<const char*, const char*> hps[] = {{"hp1", "1"}, {"hp9999", "9999"}, {"hp0", "0"},
                                                     {"hp_negative", "-5"}, {"hp_full_width", "１２"}};
  for (const auto& [label, hp] : hps) cases.push_back({label, start, 3, "张三", hp, folder});
  // Polyphones, ü, letters and digits, the longest name the box takes, GBK
  // that is valid UTF-8 too, characters beyond GB2312 (trail bytes below
  // 0x80), blanks and full-width letters the writer removes.
  const std::pair<const char*, const char*> names[] = {
      {"name_polyphone", "长城行者"}, {"name_lv", "绿林"},       {"name_letters", "欧阳AbC"},
      {"name_longest", "一二三四五六七八"}, {"name_xiexie", "谢谢"}, {"name_digits", "李1号"},
      {"name_boss", "Boss张"},         {"name_marks", "张-三_2"}, {"name_blanks", " 王\xA1\xA1五 "},
      {"name_full_width", "ＡＢ李四"}, {"name_haohai", "皓海"},  {"name_beyond_gb2312", "张乗亅丄"}};
  for (const auto& [label, name] : names) cases.push_back({label, start, 3, name, "5000", folder});
  for (int behaviour = 0; behaviour < int(BehaviourTable().size()); ++behaviour) {
    NpcRecord npc = start;
    npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
    cases.push_back({"behaviour" + std::to_string(behaviour), npc, behaviour, "王五", "5000", folder});
  }
  cases.push_back({"folder_trail_backslash", start, 3, "张三", "5000", "D:\\表"});
  cases.push_back({"folder_empty", start, 3, "张三", "5000", ""});
  return cases;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  const fs::path reader = root / "npc_script_reader_fuzz", writer = root / "npc_script_writer_fuzz",
                 text = root / "text_commands_fuzz";
  for (const fs::path& folder : {reader, writer, text}) fs::create_directories(folder);

  std::string startFile;
  for (const FormCase& c : FormCases()) {
    NpcRecord npc = c.npc;
    if (!BuildNpcScript(npc, ScriptInput{c.hp, c.name, c.folder}).accepted()) {
      std::fprintf(stderr, "make_seeds: the writer refuses %s\n", c.label.c_str());
      return 1;
    }
    const std::string file = NpcScriptFileBytes(npc.NpcOutputLines);
    if (c.label == "start") startFile = file;
    Put(reader, c.label + ".pst", file);
    Put(writer, c.label, properties::BytesOfFormInput(c.npc, c.behaviour, c.name, c.hp, c.folder));
  }

  // Form inputs the writer refuses: no name, a quote, no Chinese character,
  // hit chances above 100, a name with a character that GBK lacks, the euro
  // sign (code page 936's one byte 0x80).
  const NpcRecord start = testdata::StartRecord();
  NpcRecord hits = start;
  hits.NpcAttack1 = 100;
  const std::string folder = "C:\\";
  Put(writer, "refused_empty_name", properties::BytesOfFormInput(start, 3, " \xA1\xA1 ", "5000", folder));
  Put(writer, "refused_quote", properties::BytesOfFormInput(start, 3, "张\"三", "5000", folder));
  Put(writer, "refused_no_chinese", properties::BytesOfFormInput(start, 3, "Abc", "5000", folder));
  Put(writer, "refused_euro", properties::BytesOfFormInput(start, 3, "张\x80", "5000", folder));
  Put(writer, "refused_hit_chances", properties::BytesOfFormInput(hits, 3, "张三", "5000", folder));
  std::string inexact = properties::BytesOfFormInput(start, 3, "张三", "5000", folder);
  inexact[properties::kFormChoiceBytes - 1] = 0x03;
  Put(writer, "refused_name_not_gbk", inexact);

  // Files the reader refuses.
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string bytes = startFile;
    return bytes.replace(bytes.find(from), from.size(), to);
  };
  std::string utf16 = "\xFF\xFE", utf32 = std::string("\xFF\xFE\0\0", 4), mac = startFile;
  for (char c : startFile) {
    utf16 += std::string{c, '\0'};
    utf32 += std::string{c, '\0', '\0', '\0'};
  }
  std::erase(mac, '\n');
  Put(reader, "refused_bom_utf8.pst", "\xEF\xBB\xBF" + startFile);
  Put(reader, "refused_bom_utf16.pst", utf16);
  Put(reader, "refused_bom_utf32.pst", utf32);
  Put(reader, "refused_lone_cr_everywhere.pst", mac);
  Put(reader, "refused_lone_cr.pst", replaced("int Team =1;\r\n", "int Team =1;\r"));
  Put(reader, "refused_nul.pst", replaced("int Jump", std::string("\0int Jump", 9)));
  Put(reader, "refused_lone_byte_name.pst", replaced("\"张三\"", "\"张\x80\""));
  Put(reader, "utf8_name_read_as_gbk.pst", replaced("\"张三\"", "\"\xE5\xBC\xA0\xE4\xB8\x89\""));
  Put(reader, "refused_shifted.pst", "\t\r\n" + startFile);
  Put(reader, "refused_value.pst", replaced("int HP = 5000;", "int HP = 10000;"));
  Put(reader, "refused_statement.pst", replaced("int View =800;", "int View 800;"));
  std::mt19937 rng(20261101);
  std::string random(512, '\0');
  for (char& c : random) c = char(rng());
  Put(reader, "refused_random.pst", random);

  // Texts: the first byte picks the searched part's length and a start (or
  // the chunk size of the line reader); two-byte characters whose trail byte
  // is "\", "|" or a letter, full-width forms and blanks, line ends.
  const std::string texts[] = {"\x02\\\\表\\a\xB1\x5C",           "\x0D|x\xB1\x7C|x||",
                               "\x83" "aA\xB1\x61\xB1\x41zZ",       "\x01 ＡＢ　张三 ～☆★~ ",
                               "\x05 -2147483649 ",                "\x06\xA3\xB1\xA3\xB2\xA3\xB3" "45",
                               "\x03" "a\r\nb\nc\r\r\n\xB0\n\xD5",  std::string("\x04" "ab\0cd\x1A" "e", 9),
                               "\x07长\xD0\xD0绿",                  std::string(1, '\0') + startFile};
  for (size_t i = 0; i < std::size(texts); ++i) Put(text, "text" + std::to_string(i), texts[i]);
  return 0;
}
