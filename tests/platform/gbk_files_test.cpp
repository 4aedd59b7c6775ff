// GBK conversion and reading lines from a real file (replacing files beside
// the old one, read-only files: the tool's writing and reading tests).
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"

using namespace korvath::platform;
namespace f = korvath::platform::files;

TEST(Files, ConversionReportsMissingCharactersAndLinesAreReadAcrossReadChunks) {
  EXPECT_EQ(WideToGbk(L"张三 ab").text, "\xD5\xC5\xC8\xFD ab");
  EXPECT_FALSE(WideToGbk(L"张ก").exact);  // Thai has no GBK form: never a silent "?"
  EXPECT_FALSE(WideToGbk(L"\xD83D\xDE00").exact);
  // The first line fills the read-ahead up to one byte before a two-byte
  // character, so that the character is split between two chunks.
  const std::wstring path = GbkToWide(ProgramDirectory() + "\\lines_\xD6\xD0\xCE\xC4.txt");  // "中文"
  const std::string longLine(64 * 1024 - 1, 'a');
  std::ofstream(path.c_str(), std::ios::binary) << longLine + "\xD5\xC5\r\nb\r\r\n\r\nlast";
  f::File file = f::OpenFile(WideToGbk(path).text, f::OpenMode::Read);
  std::vector<std::string> lines;
  while (file && !f::FileAtEnd(file)) lines.push_back(f::FileReadLine(file));
  EXPECT_EQ(lines, (std::vector<std::string>{longLine + "\xD5\xC5", "b\r", "", "last"}));
  EXPECT_TRUE(f::CloseFile(file));
  DeleteFileW(path.c_str());
  EXPECT_FALSE(f::OpenFile(WideToGbk(path).text, f::OpenMode::Read));
}
