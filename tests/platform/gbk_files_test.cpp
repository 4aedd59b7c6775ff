// GBK conversion and the file commands on the real file system.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"

using namespace korvath::platform;
namespace f = korvath::platform::files;
using Lines = std::vector<std::string>;

TEST(Files, ConversionReportsMissingCharactersAndFilesReadWriteAndReplace) {
  EXPECT_EQ(WideToGbk(L"张三 ab").text, "\xD5\xC5\xC8\xFD ab");
  EXPECT_FALSE(WideToGbk(L"张ก").exact);  // Thai has no GBK form: never a silent "?"
  EXPECT_FALSE(WideToGbk(L"\xD83D\xDE00").exact);
  const std::string folder = ProgramDirectory() + "\\files_test_\xD6\xD0\xCE\xC4\\";  // "中文"
  CreateDir(folder);
  auto write = [&](const std::string& name, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    SetFileAttributesW(GbkToWide(folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(GbkToWide(folder + name).c_str(), std::ios::binary) << bytes;
    SetFileAttributesW(GbkToWide(folder + name).c_str(), attributes);
  };
  auto lines = [&](const std::string& name) {
    f::File file = f::OpenFile(folder + name, f::OpenMode::Read);
    Lines read;
    while (file && !f::FileAtEnd(file)) read.push_back(f::FileReadLine(file));
    return read;
  };
  // The first line fills the read-ahead up to one byte before a two-byte
  // character, so that the character is split between two chunks.
  const std::string longLine(64 * 1024 - 1, 'a');
  write("lines.txt", longLine + "\xD5\xC5\r\nb\r\r\n\r\nlast");
  EXPECT_EQ(lines("lines.txt"), (Lines{longLine + "\xD5\xC5", "b\r", "", "last"}));
  write("ro.pst", std::string("x\r\ny\0z\r\n", 8), FILE_ATTRIBUTE_READONLY);  // a NUL byte ends the text
  EXPECT_EQ(lines("ro.pst"), (Lines{"x", "y"}));
  EXPECT_FALSE(f::OpenFile(folder + "missing.pst", f::OpenMode::Read));

  write("t.pst", "old");
  const std::string fresh = f::NewFileBeside(folder + "t.pst"), second = f::NewFileBeside(folder + "t.pst");
  EXPECT_EQ(fresh.rfind(folder, 0), 0u);
  EXPECT_NE(second, fresh);
  f::File file = f::OpenFile(fresh, f::OpenMode::Rewrite);
  EXPECT_TRUE(f::FileWriteText(file, "\xD5\xC5\r\n") && f::CloseFile(file));
  EXPECT_TRUE(f::MoveFileReplacing(fresh, folder + "t.pst"));
  EXPECT_FALSE(f::FileExists(fresh));
  EXPECT_EQ(lines("t.pst"), Lines{"\xD5\xC5"});
  EXPECT_TRUE(f::NewFileBeside(folder + "missing folder\\x.pst").empty());
  for (const std::string& path : {folder + "lines.txt", folder + "ro.pst", folder + "t.pst", second}) {
    SetFileAttributesW(GbkToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(GbkToWide(path).c_str());
  }
  RemoveDirectoryW(GbkToWide(folder).c_str());
}
