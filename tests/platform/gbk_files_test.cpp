// GBK conversion, the file commands and the folder commands on the real
// file system.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"

using namespace korvath::platform;
namespace f = korvath::platform::files;

namespace {

// A scratch folder beside the test program, emptied for each test.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ProgramDirectory() + "\\files_test_\xD6\xD0\xCE\xC4";  // "中文"
    Clear();
    ASSERT_TRUE(CreateDir(folder_));
  }
  void TearDown() override { Clear(); }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  void Write(const std::string& name, const std::string& bytes) {
    HANDLE h = CreateFileW(GbkToWide(Path(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }

  std::string Read(const std::string& name) {
    HANDLE h = CreateFileW(GbkToWide(Path(name)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
  }

  std::vector<std::string> ReadLines(const std::string& name) {
    f::File file = f::OpenFile(Path(name), f::OpenMode::Read);
    std::vector<std::string> lines;
    while (!f::FileAtEnd(file)) lines.push_back(f::FileReadLine(file));
    return lines;
  }

  void Clear() {
    std::wstring wide = GbkToWide(folder_);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((wide + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring file = wide + L"\\" + data.cFileName;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(wide.c_str());
  }

  std::string folder_;
};

}  // namespace

TEST(GbkConvert, ChineseRoundTripsAndMissingCharactersAreReported) {
  EXPECT_EQ(GbkToWide("\xD5\xC5\xC8\xFD"), L"张三");
  GbkText back = WideToGbk(L"张三 ab");
  EXPECT_TRUE(back.exact);
  EXPECT_EQ(back.text, "\xD5\xC5\xC8\xFD ab");
  GbkText thai = WideToGbk(L"张ก");  // Thai has no GBK form
  EXPECT_FALSE(thai.exact);
  GbkText emoji = WideToGbk(L"\xD83D\xDE00");
  EXPECT_FALSE(emoji.exact);
  EXPECT_TRUE(WideToGbk(L"").exact);
}

TEST(GbkConvert, EveryGb2312CharacterRoundTrips) {
  int checked = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail >= 0xFA) continue;  // unassigned
      std::string ch = {char(lead), char(trail)};
      std::wstring wide = GbkToWide(ch);
      ASSERT_EQ(wide.size(), 1u) << lead << " " << trail;
      GbkText back = WideToGbk(wide);
      ASSERT_TRUE(back.exact);
      ASSERT_EQ(back.text, ch);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 6763);
}

TEST_F(FilesTest, ReadLineFollowsTheLineRulesAcrossReadChunks) {
  // The first line fills the read-ahead up to one byte before a two-byte
  // character, so that the character is split between two chunks.
  std::string longLine(64 * 1024 - 1, 'a');
  Write("lines.txt", longLine + "\xD5\xC5\r\nb\r\r\n\r\nlast");
  EXPECT_EQ(ReadLines("lines.txt"),
            (std::vector<std::string>{longLine + "\xD5\xC5", "b\r", "", "last"}));
}

TEST_F(FilesTest, ANulByteEndsTheFilesText) {
  Write("zero.txt", std::string("a\r\nb\0c\r\nd\r\n", 11));
  EXPECT_EQ(ReadLines("zero.txt"), (std::vector<std::string>{"a", "b"}));
  f::File none;
  EXPECT_TRUE(f::FileAtEnd(none));
  EXPECT_EQ(f::FileReadLine(none), "");
  EXPECT_FALSE(f::CloseFile(none));
}

TEST_F(FilesTest, ReadOnlyFilesOpenForReadingOnly) {
  Write("ro.pst", "x\r\n");
  SetFileAttributesW(GbkToWide(Path("ro.pst")).c_str(), FILE_ATTRIBUTE_READONLY);
  f::File file = f::OpenFile(Path("ro.pst"), f::OpenMode::Read);
  ASSERT_TRUE(file);
  EXPECT_EQ(f::FileReadLine(file), "x");
  EXPECT_TRUE(f::FileAtEnd(file));
  EXPECT_TRUE(f::CloseFile(file));
  EXPECT_FALSE(f::OpenFile(Path("missing.pst"), f::OpenMode::Read));
}

TEST_F(FilesTest, RewriteEmptiesAndWriteTextWritesExactBytes) {
  Write("w.txt", "a much longer old content");
  f::File file = f::OpenFile(Path("w.txt"), f::OpenMode::Rewrite);
  ASSERT_TRUE(file);
  EXPECT_TRUE(f::FileWriteText(file, "\xD5\xC5"));
  EXPECT_TRUE(f::FileWriteText(file, "\r\n"));
  EXPECT_TRUE(f::FileWriteText(file, ""));
  EXPECT_TRUE(f::CloseFile(file));
  EXPECT_EQ(Read("w.txt"), "\xD5\xC5\r\n");
}

TEST_F(FilesTest, ExistsNewFileBesideAndReplace) {
  EXPECT_FALSE(f::FileExists(Path("t.pst")));
  Write("t.pst", "old");
  EXPECT_TRUE(f::FileExists(Path("t.pst")));
  EXPECT_TRUE(f::FileExists(folder_));

  std::string fresh = f::NewFileBeside(Path("t.pst"));
  ASSERT_FALSE(fresh.empty());
  EXPECT_EQ(fresh.rfind(folder_ + "\\", 0), 0u);
  EXPECT_TRUE(f::FileExists(fresh));
  EXPECT_NE(f::NewFileBeside(Path("t.pst")), fresh);
  f::File file = f::OpenFile(fresh, f::OpenMode::Rewrite);
  f::FileWriteText(file, "new");
  f::CloseFile(file);
  EXPECT_TRUE(f::MoveFileReplacing(fresh, Path("t.pst")));
  EXPECT_EQ(Read("t.pst"), "new");
  EXPECT_FALSE(f::FileExists(fresh));
  EXPECT_TRUE(f::NewFileBeside(folder_ + "\\missing folder\\x.pst").empty());
}

TEST_F(FilesTest, FolderCommands) {
  std::string program = ProgramDirectory();
  ASSERT_FALSE(program.empty());
  EXPECT_NE(program.back(), '\\');
  std::string saved = CurrentDirectory();
  std::string sub = folder_ + "\\\xD7\xD3";  // "子"
  EXPECT_TRUE(CreateDir(sub));
  EXPECT_FALSE(CreateDir(sub));
  EXPECT_TRUE(ChangeDirectory(sub));
  EXPECT_EQ(CurrentDirectory(), sub);
  EXPECT_TRUE(ChangeDirectory(saved));
  EXPECT_FALSE(ChangeDirectory(folder_ + "\\nowhere"));
  RemoveDirectoryW(GbkToWide(sub).c_str());
}
