// Files in encodings other than GBK, files that another program holds and
// files whose reading fails: read and saved over through the real window.
#include <gtest/gtest.h>

#include "app/script_reader.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

// Names in bytes that no GBK text has (Latin-1, bytes no GBK character
// begins with) and a UTF-32 file: refused with the encoding named.
TEST_F(BadInputTest, TextThatIsNotGbkIsRefusedWithItsEncoding) {
  FillInAndSave();
  std::string utf32 = "\xFF\xFE";
  utf32 += std::string("\0\0", 2);
  for (char c : ExpectedFile()) utf32 += std::string{c, '\0', '\0', '\0'};
  const struct {
    const char* file;
    std::string bytes, why;
  } files[] = {
      {"latin1.pst", ExpectedFile({{"string Name=\"张三\";", "string Name=\"Jos\xE9\";"}}), "人物名字中有不是GBK编码的字节"},
      {"ff.pst", ExpectedFile({{"string Name=\"张三\";", "string Name=\"张\xFF\";"}}), "人物名字中有不是GBK编码的字节"},
      {"utf32.pst", utf32, ""},
  };
  for (const auto& [file, bytes, why] : files) {
    SCOPED_TRACE(file);
    const std::string path = folder_ + file;
    WriteBytes(path, bytes);
    const std::string notice =
        why.empty() ? "NPC文档[" + path + "]是UTF-32编码的文件,不是GBK编码的NPC文档!" : Refused(path, why);
    EXPECT_EQ(ReadNotice(path), Wide(notice));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
  }
  ExpectNextSaveAsBefore();
}

// Another process (this program started again) holds the file and shares it
// with nobody, as a program that keeps its document locked does. Wine
// enforces such sharing between processes as Windows does; it does not
// enforce ranges locked with LockFile, so the lock is the whole file's.
// Reading it and saving over it are refused with the notice that says so;
// once it lets go, the save goes through.
TEST_F(BadInputTest, AFileLockedByAnotherProcessIsNeitherReadNorReplaced) {
  FillInAndSave();
  const std::string old = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  WriteBytes(saved_, old);
  const DWORD attributes = Attributes(saved_);
  {
    FileHeldByOtherProcess holder(Wide(saved_));
    ASSERT_TRUE(holder.held());
    EXPECT_EQ(ReadNotice(saved_), Wide("无法打开NPC文档[" + saved_ + "],文件正被其他程序占用!"));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);

    std::vector<SeenDialog> seen = Generate({PressButton(IDYES), PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, Wide("NPC存档文件[" + saved_ + "]已经存在,是否覆盖!"));
    EXPECT_EQ(seen[1].caption, L"提示");
    EXPECT_EQ(seen[1].text, Wide("NPC文件[" + saved_ + "]保存失败,文件正被其他程序占用!"));
    EXPECT_EQ(Shown(), shown_);
  }
  EXPECT_EQ(ReadBytes(saved_), old);
  EXPECT_EQ(Attributes(saved_), attributes);
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"wangwu.pst"});
  ExpectNextSaveAsBefore();
}

// Another program holds the file open for writing and lets others read and
// write it, but not delete it, as an editor holds the document it shows: the
// file cannot be replaced while it is held. The notice says so, and the file
// and its folder stay as they were; once it lets go, the save goes through.
TEST_F(BadInputTest, AFileHeldForWritingByAnotherProcessIsNotReplaced) {
  FillInAndSave();
  const std::string old = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  WriteBytes(saved_, old);
  const DWORD attributes = Attributes(saved_);
  {
    FileHeldByOtherProcess holder(Wide(saved_), FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(holder.held());
    std::vector<SeenDialog> seen = Generate({PressButton(IDYES), PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, L"提示");
    EXPECT_EQ(seen[1].text, Wide("NPC文件[" + saved_ + "]保存失败,文件正被其他程序占用!"));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_EQ(ReadBytes(saved_), old);
  }
  EXPECT_EQ(ReadBytes(saved_), old);
  EXPECT_EQ(Attributes(saved_), attributes);
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"wangwu.pst"});
  ExpectNextSaveAsBefore();
}

// A file that opens but whose reading fails: on Windows a range that another
// program has locked; under Wine (which does not enforce such locks) a file
// of the Linux host whose reading the kernel refuses, the loopback device's
// speed. The read stops with a notice instead of waiting for an end that
// never comes (it hung there, the tool with it).
TEST_F(BadInputTest, AFileWhoseReadingFailsIsRefusedAndTheToolGoesOn) {
  const std::string failing = "Z:\\sys\\class\\net\\lo\\speed";
  if (GetFileAttributesW(Wide(failing).c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no Linux host file whose reading fails";
  FillInAndSave();
  // Read as the read button reads a chosen file: the open dialog does not
  // take this file's name (it has no extension).
  DialogAnswerer answerer({PressButton(IDOK)});
  {
    HangGuard guard(60000);
    EXPECT_FALSE(ReadNpcFile(failing));
  }
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].caption, L"提示");
  EXPECT_EQ(answerer.seen()[0].text, Wide("读取NPC文档[" + failing + "]时出错!"));
  ExpectNothingLost();
}
