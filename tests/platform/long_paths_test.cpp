// Paths for the file API and the dialogs at the lengths where they change
// form: 247 and 248 characters (kPlainPathLimit), 259 and 260 (MAX_PATH);
// and at the names that the system's tidying of a plain path changes.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <utility>

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

// A path longer than the system holds names nothing, whatever form it is
// given in: an extended-length one of 32768 characters more than a file's
// path reached that file under Wine, which counts a path's bytes in 16 bits,
// and one of 100,000 made its search read past the path's end. The longest
// the system holds is 32766 characters: with its terminator 65534 bytes, the
// most 16 bits count in whole characters; one of 32767 goes in the plain
// form, and up to 32766 the extended-length form stays.
TEST(FileApiPath, APathLongerThanTheSystemHoldsNamesNothing) {
  const std::wstring file = L"\\\\?\\" + CurrentFolder() + L"\\cut.pst";
  HANDLE made = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE) << GetLastError();
  CloseHandle(made);
  const auto beyond = [&](size_t length) { return file + L"\\" + std::wstring(length - file.size() - 1, L'x'); };
  for (const std::wstring& path : {beyond(file.size() + 32768), beyond(file.size() + 32768).substr(4),
                                   beyond(kLongestExtendedPath + 1), beyond(32767), beyond(100000)}) {
    SCOPED_TRACE(path.size());
    const std::wstring api = FileApiPath(path);
    EXPECT_FALSE(api.starts_with(L"\\\\?\\"));
    EXPECT_EQ(GetFileAttributesW(api.c_str()), INVALID_FILE_ATTRIBUTES);
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW(api.c_str(), &found), INVALID_HANDLE_VALUE);
  }
  EXPECT_EQ(FileApiPath(beyond(kLongestExtendedPath)), beyond(kLongestExtendedPath));
  EXPECT_EQ(FileApiPath(beyond(32766)), beyond(32766));
  EXPECT_TRUE(DeleteFileW(file.c_str()));
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

// A name ending in a dot is dropped of it by the system's tidying of a plain
// path: a path with a folder of such a name comes in its extended-length
// form, which names that folder. A file's own name, and names that step
// within the path, keep the plain form.
TEST(ExactPath, AFolderNameEndingInADotTakesTheExtendedLengthForm) {
  const std::pair<const wchar_t*, const wchar_t*> folders[] = {
      {L"C:\\npc\\pick ", L"C:\\npc\\pick "},
      {L"C:\\npc\\pick\u3000\\", L"C:\\npc\\pick\u3000\\"},
      {L"C:\\", L"C:\\"},
      {L"C:\\npc\\.\\x\\..\\", L"C:\\npc\\.\\x\\..\\"},
      {L"C:\\npc\\e_dot.", L"\\\\?\\C:\\npc\\e_dot."},
      {L"C:\\npc\\e_dot.\\", L"\\\\?\\C:\\npc\\e_dot.\\"},
      {L"C:\\e..\\npc", L"\\\\?\\C:\\e..\\npc"},
      {L"\\\\server\\share\\e_dot.\\", L"\\\\?\\UNC\\server\\share\\e_dot.\\"},
      {L"\\\\?\\C:\\npc\\e_dot.", L"\\\\?\\C:\\npc\\e_dot."},
  };
  for (const auto& [folder, exact] : folders) EXPECT_EQ(ExactPath(folder), exact);
  EXPECT_EQ(ExactPath(L"C:\\npc\\zhangsan.pst.", true), L"C:\\npc\\zhangsan.pst.");
  EXPECT_EQ(ExactPath(L"C:\\e_dot.\\zhangsan.pst", true), L"\\\\?\\C:\\e_dot.\\zhangsan.pst");
}

// Folders whose names end in a blank, a dot or a full-width blank, beside a
// folder of the name without it, and one in the extended-length form, each
// with a separator after it or without: the shell, handed the folder that
// DialogFolder gives, finds that folder and no other. So do a plain folder
// and a drive's root, handed as they are.
TEST(DialogFolder, TheShellFindsTheFolderItself) {
  const std::wstring base = CurrentFolder() + L"\\dialog_folders\\";
  CreateDirectoryW(base.c_str(), nullptr);
  for (const wchar_t* name : {L"pick ", L"pick", L"e_dot.", L"e_dot", L"e..", L"e", L"sp\u3000", L"sp"})
    CreateDirectoryW((L"\\\\?\\" + base + name).c_str(), nullptr);
  auto foundByShell = [](const std::wstring& folder) {
    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(SHParseDisplayName(folder.c_str(), nullptr, &items, 0, nullptr))) return std::wstring(L"<none>");
    std::wstring path(kLongestPath, L'\0');
    const BOOL ok = SHGetPathFromIDListEx(items, path.data(), DWORD(path.size()), GPFIDL_DEFAULT);
    CoTaskMemFree(items);
    return ok ? std::wstring(path.c_str()) : std::wstring(L"<no path>");
  };
  for (const wchar_t* name : {L"pick ", L"pick", L"e_dot.", L"e_dot", L"e..", L"sp\u3000"}) {
    const std::wstring folder = base + name;
    SCOPED_TRACE(WideToGbk(folder).text);
    EXPECT_EQ(foundByShell(DialogFolder(folder + L"\\")), folder);
    EXPECT_EQ(foundByShell(DialogFolder(L"\\\\?\\" + folder + L"\\")), folder);
    // Without a separator after it, as the current folder is named: its last
    // name is a folder's all the same.
    EXPECT_EQ(foundByShell(DialogFolder(folder)), folder);
    EXPECT_EQ(foundByShell(DialogFolder(L"\\\\?\\" + folder)), folder);
  }
  EXPECT_EQ(DialogFolder(base + L"pick\\"), base + L"pick\\");
  EXPECT_EQ(DialogFolder(L"C:\\"), L"C:\\");
  for (const wchar_t* name : {L"pick ", L"pick", L"e_dot.", L"e_dot", L"e..", L"e", L"sp\u3000", L"sp"})
    RemoveDirectoryW((L"\\\\?\\" + base + name).c_str());
  RemoveDirectoryW(base.c_str());
}

// A share's folder whose name ends in a dot, plain or in the extended-length
// form: handed to the shell by its short path in the plain form, the share
// named whole ("\\server\share\..."). The system under Wine gives no short
// path of a share, so the test gives the one that Windows gives. Where the
// system gives none, as of a folder that is not there, the folder is handed
// as it is.
TEST(DialogFolder, AShareGoesByItsShortPathInThePlainFormAndAFolderWithoutOneAsItIs) {
  static std::wstring asked;
  const auto shortOfShare = [](const std::wstring& path) {
    asked = path;
    return std::wstring(L"\\\\?\\UNC\\server\\share\\NPCFOL~1\\E_DO~XY3\\");
  };
  for (const wchar_t* folder :
       {L"\\\\server\\share\\npc folder\\e_dot.\\", L"\\\\?\\UNC\\server\\share\\npc folder\\e_dot.\\"}) {
    SCOPED_TRACE(WideToGbk(folder).text);
    asked.clear();
    EXPECT_EQ(DialogFolder(folder, shortOfShare), L"\\\\server\\share\\NPCFOL~1\\E_DO~XY3\\");
    EXPECT_EQ(asked, L"\\\\?\\UNC\\server\\share\\npc folder\\e_dot.\\");
  }
  const std::wstring missing = L"\\\\?\\" + CurrentFolder() + L"\\not_there\\e_dot.\\";
  ASSERT_EQ(ShortPath(missing), L"");
  EXPECT_EQ(DialogFolder(missing), missing);
}
