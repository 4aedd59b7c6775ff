// The cap on what reading a file takes: a file larger than the cap is not
// read at all; one that grows past it while it is read stops there.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"

using namespace korvath::platform;

namespace {
std::string Repeated(const std::string& piece, size_t size) {
  std::string text;
  while (text.size() < size) text += piece;
  text.resize(size);
  return text;
}

// The lines that reading the file with the cap gives, and its read error.
std::pair<std::vector<std::string>, DWORD> LinesWithin(const std::wstring& path, uint64_t limit) {
  files::File file = files::OpenFile(WideToGbk(path).text, files::OpenMode::Read);
  EXPECT_TRUE(file);
  files::FileLimitReading(file, limit);
  std::vector<std::string> lines;
  while (!files::FileAtEnd(file)) lines.push_back(files::FileReadLine(file));
  return {lines, files::FileReadError(file)};
}
}  // namespace

TEST(Files, AFileLargerThanTheReadLimitIsNotRead) {
  const std::wstring path = GbkToWide(ProgramDirectory() + "\\limit_\xD6\xD0\xCE\xC4.txt");
  constexpr uint64_t kLimit = 200000;
  // Short lines across several read chunks: up to the limit, read whole.
  const std::string within = Repeated("abc\r\n", kLimit);
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << within;
  auto [lines, error] = LinesWithin(path, kLimit);
  EXPECT_EQ(error, DWORD(ERROR_SUCCESS));
  EXPECT_EQ(lines.size(), kLimit / 5);
  // One byte more: nothing is read, not even the lines before the limit.
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << within + "x";
  std::tie(lines, error) = LinesWithin(path, kLimit);
  EXPECT_EQ(error, DWORD(ERROR_FILE_TOO_LARGE));
  EXPECT_TRUE(lines.empty());
  files::File file = files::OpenFile(WideToGbk(path).text, files::OpenMode::Read);
  files::FileLimitReading(file, kLimit);
  EXPECT_EQ(files::FilePeekBytes(file, 4), "");
  EXPECT_TRUE(files::CloseFile(file));
  DeleteFileW(path.c_str());
}

// A file that another program writes on while it is read: the size looked
// at first says nothing of what comes. Reading stops once more than the
// limit has been read, whatever the lines, and keeps no more than that.
TEST(Files, AFileThatGrowsPastTheReadLimitWhileItIsReadStopsThere) {
  const std::wstring path = GbkToWide(ProgramDirectory() + "\\growing_\xD6\xD0\xCE\xC4.txt");
  constexpr uint64_t kLimit = 200000;
  for (const std::string& piece : {std::string("abc\r\n"), std::string("\xD5\xC5")}) {
    SCOPED_TRACE(piece);
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << "first\r\n";
    files::File file = files::OpenFile(WideToGbk(path).text, files::OpenMode::Read);
    files::FileLimitReading(file, kLimit);
    EXPECT_EQ(files::FileReadError(file), DWORD(ERROR_SUCCESS));
    std::ofstream(path.c_str(), std::ios::binary | std::ios::app) << Repeated(piece, 3 * kLimit);
    size_t bytes = 0;
    while (!files::FileAtEnd(file)) bytes += files::FileReadLine(file).size() + 2;
    EXPECT_EQ(files::FileReadError(file), DWORD(ERROR_FILE_TOO_LARGE));
    EXPECT_LE(bytes, kLimit + 2);
    EXPECT_GT(bytes, kLimit / 2);
    EXPECT_TRUE(files::CloseFile(file));
  }
  DeleteFileW(path.c_str());
}
