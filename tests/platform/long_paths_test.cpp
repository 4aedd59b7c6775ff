// Paths for the file API and the dialogs at the lengths where they change
// form: 247 and 248 characters (kPlainPathLimit), 259 and 260 (MAX_PATH).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/gbk_convert.h"
#include "platform/long_paths.h"

using namespace korvath::platform;

namespace {
constexpr size_t kLengths[] = {247, 248, 259, 260};

// "<start>\" and folders of up to 40 characters, of exactly `length`
// characters; none of them need exist.
std::wstring PathOf(std::wstring start, size_t length) {
  std::wstring path = std::move(start);
  while (path.size() < length) {
    const size_t room = length - path.size() - 1;
    path += L'\\' + std::wstring(room <= 40 ? room : room - 40 >= 2 ? 40 : 38, L'长');
  }
  return path;
}

std::wstring CurrentFolder() {
  std::wstring folder(kLongestPath, L'\0');
  folder.resize(GetCurrentDirectoryW(DWORD(folder.size()), folder.data()));
  return folder;
}
}  // namespace

TEST(FileApiPath, APathShorterThanThePlainLimitStaysAsItIs) {
  ASSERT_EQ(kPlainPathLimit, 248u);
  for (size_t length : kLengths) {
    SCOPED_TRACE(length);
    const std::wstring path = PathOf(L"C:", length);
    ASSERT_EQ(path.size(), length);
    EXPECT_EQ(FileApiPath(path), length < 248 ? path : L"\\\\?\\" + path);
    const std::wstring unc = PathOf(L"\\\\server\\share", length);
    EXPECT_EQ(FileApiPath(unc), length < 248 ? unc : L"\\\\?\\UNC\\" + unc.substr(2));
    // A relative path of that length: made full (and longer) once it is long.
    const std::wstring relative = PathOf(L"sub", length);
    EXPECT_EQ(FileApiPath(relative), length < 248 ? relative : L"\\\\?\\" + CurrentFolder() + L"\\" + relative);
  }
  const std::string gbk = WideToGbk(PathOf(L"C:", 248)).text;
  EXPECT_EQ(FileApiPath(gbk), L"\\\\?\\" + PathOf(L"C:", 248));
}

// Real files at each length, in folders made through the form that
// FileApiPath gives: created, found and read back by that form.
TEST(FileApiPath, FilesOfEachLengthAreMadeAndReadThroughIt) {
  for (size_t length : kLengths) {
    SCOPED_TRACE(length);
    const std::wstring base = CurrentFolder() + L"\\" + std::to_wstring(length);
    const std::wstring file = PathOf(base, length - 6) + L"\\a.pst";
    ASSERT_EQ(file.size(), length);
    for (size_t slash = file.find(L'\\', base.size()); slash != std::wstring::npos; slash = file.find(L'\\', slash + 1))
      CreateDirectoryW(FileApiPath(file.substr(0, slash)).c_str(), nullptr);
    HANDLE h = CreateFileW(FileApiPath(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, "npc", 3, &written, nullptr));
    CloseHandle(h);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExW(FileApiPath(file).c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 3u);
    EXPECT_TRUE(DeleteFileW(FileApiPath(file).c_str()));
  }
}

TEST(DeepestShortFolder, AFolderOfThePlainLimitOrMoreGivesWayToItsParent) {
  for (size_t length : kLengths) {
    SCOPED_TRACE(length);
    const std::wstring folder = PathOf(L"C:", length);
    const std::wstring shown = DeepestShortFolder(folder);
    if (length < 248) {
      EXPECT_EQ(shown, folder);
    } else {
      EXPECT_LT(shown.size(), 248u);
      EXPECT_EQ(folder.substr(0, shown.size()), shown);
      EXPECT_EQ(shown.back(), L'\\');
      // Its deepest parent that is short: the next folder down is not.
      const size_t next = folder.find(L'\\', shown.size());
      EXPECT_GE(next == std::wstring::npos ? folder.size() : next + 1, 248u);
    }
  }
}
