// Files that are no text the tool wrote, read through the read button:
// binary files, NUL bytes, lines of 10 MB.
#include <gtest/gtest.h>

#include "platform/gbk_convert.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// The bytes of this test program: a real Windows binary.
std::string ProgramBytes() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return ReadBytes(platform::WideToGbk(self).text);
}
}  // namespace

// A program file, a picture, a file with a NUL byte before its behaviour
// line (whatever followed it would not have been read: the behaviour of the
// form would have stood for the file's), one with a NUL among its
// declarations, a UTF-16 file without a byte-order mark: none is text that
// the tool wrote, and each says so. One 0x1A at the very end, as old
// editors end a file, is read.
TEST_F(BadInputTest, BinaryFilesAndNulBytesAreRefusedAsNoText) {
  FillInAndSave();
  // Differs from the form in its name, HP and behaviour: read, it would show.
  const std::string other = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  std::string nulBeforeBehaviour = other, nulInDeclarations = other;
  nulBeforeBehaviour.insert(nulBeforeBehaviour.find("\tChangeBehavior"), 1, '\0');
  nulInDeclarations.insert(nulInDeclarations.find("int Jump"), 1, '\0');
  const std::wstring wide = Wide(other);
  const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
  const std::pair<const char*, std::string> files[] = {
      {"program.pst", ProgramBytes()},
      {"picture.pst", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20)},
      {"nul_before_behaviour.pst", nulBeforeBehaviour},
      {"nul_in_declarations.pst", nulInDeclarations},
      {"utf16_no_mark.pst", utf16},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    const std::string path = folder_ + name;
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadNotice(path), Wide(Refused(path, "文件中有空字节(NUL)或文件结束符(0x1A),不是文本文件")));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
    EXPECT_EQ(ReadBytes(path), bytes);
  }
  ExpectNextSaveAsBefore();

  const std::string dosEnd = folder_ + "dos_end.pst";
  WriteBytes(dosEnd, other + "\x1A");
  EXPECT_EQ(ClickAnswering(读取按钮, {ChooseFile(dosEnd)}).size(), 1u);  // the open dialog only
  EXPECT_EQ(Npc().NpcFilePath, dosEnd);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "1234");
}

// One line of 10 MB: the whole file, the name of an otherwise written file,
// or its HP value. Each is refused at once with what is wrong; none reaches
// the form (the name box would show 16 bytes of a name the record held whole).
TEST_F(BadInputTest, ALineOfTenMegabytesIsRefused) {
  FillInAndSave();
  const std::string longName(10 << 20, '\xD5');  // 张 halves: GBK characters throughout
  const struct {
    const char* file;
    std::string bytes, why;
  } files[] = {
      {"one_line.pst", longName, "文件内容不完整"},
      {"long_name.pst", ExpectedFile({{"string Name=\"张三\";", "string Name=\"" + longName + "\";"}}),
       "人物名字不是本工具能写出的名字"},
      {"long_hp.pst", ExpectedFile({{"int HP = 5000;", "int HP = " + std::string(10 << 20, '7') + ";"}}),
       "“int HP”的值不在可选范围内"},
  };
  for (const auto& [file, bytes, why] : files) {
    SCOPED_TRACE(file);
    const std::string path = folder_ + file;
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadNotice(path), Wide(Refused(path, why)));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
  }
  ExpectNextSaveAsBefore();
}
