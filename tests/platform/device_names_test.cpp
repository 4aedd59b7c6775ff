// Which paths name a device rather than a file on disk: every form of the
// reserved names, the device namespace and pipes; and never a name that the
// tool writes or that merely looks like a device's.
#include "platform/device_names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "tests/platform/tool_names.h"

namespace korvath::platform {
namespace {

TEST(DeviceNames, ReservedNamesAreDevicesInAnyFolderCaseAndExtension) {
  for (const wchar_t* path :
       {L"aux", L"AUX", L"Aux", L"con", L"PRN", L"nul", L"NUL", L"CONIN$", L"conout$", L"COM1", L"com9", L"LPT1",
        L"lpt9", L"COM\u00B9", L"com\u00B2", L"LPT\u00B3", L"aux.pst", L"AUX.PST", L"nul.txt.pst", L"com1 .pst",
        L"aux  ", L"aux.", L"aux. ", L"COM1:", L"nul:.pst", L"C:\\users\\Public\\aux.pst", L"C:/users/Public/CON.pst",
        L"D:\\资料\\lpt5.pst", L"C:aux", L"C:aux.pst", L"\\aux", L"sub\\prn.txt", L"..\\nul"})
    EXPECT_TRUE(PathNamesDevice(path)) << testing::PrintToString(std::wstring(path));
}

TEST(DeviceNames, NamesThatOnlyLookLikeDevicesAreFiles) {
  for (const wchar_t* path :
       {L"", L"con1.pst", L"auxiliary.pst", L"comx.pst", L"com10.pst", L"COM0", L"LPT0", L"com", L"lpt.pst",
        L"COM1x", L"conin", L"conout.pst", L"nulls", L" aux", L"_aux.pst", L"aux_.pst", L"C:\\aux\\wangwu.pst",
        L"C:\\con\\", L"C:\\", L"C:", L"C:\\users\\Public\\", L"C:\\资料\\zhangsan.pst", L"COM\u2074", L"com\u00B9x"})
    EXPECT_FALSE(PathNamesDevice(path)) << testing::PrintToString(std::wstring(path));
}

// A drive-relative path takes its file part for a device's on every drive,
// whatever the case of the letter: "z:aux.pst" (Z: is the host's root under
// Wine) as much as "C:aux.pst"; a file's name there stays a file's.
TEST(DeviceNames, ADriveRelativePathOnEveryDriveInEitherCase) {
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    for (const wchar_t drive : {letter, wchar_t(letter - L'A' + L'a')}) {
      const std::wstring prefix = {drive, L':'};
      EXPECT_TRUE(PathNamesDevice(prefix + L"aux.pst")) << testing::PrintToString(prefix);
      EXPECT_TRUE(PathNamesDevice(prefix + L"com1")) << testing::PrintToString(prefix);
      EXPECT_FALSE(PathNamesDevice(prefix + L"wangwu.pst")) << testing::PrintToString(prefix);
    }
  }
}

// In the device namespace a device is named by itself; a path inside a
// drive, share or volume there is a file's, its names taken literally. The
// pipes and mail slots are devices wherever they are named, also on
// another computer.
TEST(DeviceNames, TheDeviceNamespaceAndPipes) {
  for (const wchar_t* path :
       {L"\\\\.\\COM1", L"\\\\.\\com1\\", L"//./COM1", L"\\\\?\\COM1", L"\\??\\COM1", L"\\\\.\\C:", L"\\\\?\\C:\\",
        L"\\\\.\\PhysicalDrive0", L"\\\\.\\", L"\\\\?\\", L"\\\\.\\CONIN$", L"\\\\.\\pipe\\korvath",
        L"\\\\.\\PIPE\\a\\b.pst", L"//./pipe/korvath", L"\\\\?\\pipe\\korvath", L"\\??\\pipe\\korvath",
        L"\\\\.\\mailslot\\x", L"\\\\server\\pipe\\korvath", L"//server/PIPE/x.pst", L"\\\\?\\UNC\\server\\pipe\\x",
        L"\\\\server\\mailslot\\x"})
    EXPECT_TRUE(PathNamesDevice(path)) << testing::PrintToString(std::wstring(path));
  for (const wchar_t* path :
       {L"\\\\?\\C:\\users\\Public\\aux.pst", L"\\\\.\\C:\\x\\con.pst", L"\\\\?\\UNC\\server\\share\\nul.pst",
        L"\\\\?\\Volume{12345678-0000-0000-0000-000000000000}\\x\\wangwu.pst", L"\\\\server\\share\\aux.pst",
        L"\\\\server\\share\\pipe\\x.pst", L"\\\\pipe\\share\\x.pst", L"\\\\?\\C:\\pipe\\x.pst",
        L"\\\\..\\share\\x.pst"})
    EXPECT_FALSE(PathNamesDevice(path)) << testing::PrintToString(std::wstring(path));
}

// A drive's root is a folder in each form, the device namespace's among
// them, "/" counting as "\" as everywhere here; the drive without the
// separator after it (its current folder, its volume), or with anything else
// after it ("C:x", a name in its current folder), a path inside it and what
// only looks like a drive are no root.
TEST(DeviceNames, ADrivesRootWithItsSeparatorInEveryForm) {
  for (const wchar_t* path : {L"C:\\", L"z:/", L"\\\\?\\C:\\", L"\\\\?\\z:\\", L"\\\\.\\C:\\", L"//?/c:/", L"//./Z:\\",
                              L"\\??\\C:\\", L"\\\\?\\C:/"})
    EXPECT_TRUE(PathIsDriveRoot(path)) << testing::PrintToString(std::wstring(path));
  for (const wchar_t* path : {L"", L"C:", L"\\\\?\\C:", L"\\\\.\\c:", L"\\??\\C:", L"C:\\\\", L"\\\\?\\C:\\\\",
                              L"C:\\x", L"\\\\?\\C:\\x\\", L"\\\\?", L"\\\\?\\", L"1:\\", L"CD:\\", L"\\\\x\\C:\\",
                              L"\\\\?\\UNC\\server\\share\\", L"C:x", L"c:.", L"C: ", L"\\\\?\\C:x", L"\\\\.\\C:.",
                              L"\\??\\C:x"})
    EXPECT_FALSE(PathIsDriveRoot(path)) << testing::PrintToString(std::wstring(path));
}

// Every file part of up to five letters (any run of syllables: the reserved
// names of letters alone have three, the longer ones a digit or a "$", which
// no pinyin has) and every file part of two syllables, the empty one too,
// with ".pst" after it, in folders of every form the save takes: none is a
// device's, in lower case as the save writes it nor in the name box's upper
// case.
TEST(DeviceNames, NoNameThatTheToolWritesIsADevice) {
  const std::vector<std::wstring> syllables = ToolNameSyllables();
  ASSERT_GT(syllables.size(), 350u);
  std::vector<std::wstring> parts = {L""};
  for (size_t from = 0, to = 1; from < to; from = to, to = parts.size())
    for (size_t i = from; i < to; ++i)
      for (const std::wstring& s : syllables)
        if (parts[i].size() + s.size() <= 5) parts.push_back(parts[i] + s);
  const size_t shortParts = parts.size();
  for (const std::wstring& a : syllables)
    for (const std::wstring& b : syllables) parts.push_back(a + b);
  ASSERT_GT(parts.size() - shortParts, 100'000u);

  const std::wstring folders[] = {L"", L"C:\\Korvath\\AI文件夹\\", L"D:/npc/", L"\\\\server\\share\\",
                                   L"\\\\?\\UNC\\server\\share\\"};
  size_t refused = 0;
  std::wstring path, upper;
  for (const std::wstring& part : parts) {
    upper = part;
    for (wchar_t& c : upper) c = wchar_t(std::toupper(c));
    for (const std::wstring& folder : folders)
      for (const std::wstring* name : {&part, static_cast<const std::wstring*>(&upper)}) {
        path.assign(folder).append(*name).append(L".pst");
        if (PathNamesDevice(path) && ++refused < 10) ADD_FAILURE() << testing::PrintToString(path);
      }
  }
  EXPECT_EQ(refused, 0u);
}

}  // namespace
}  // namespace korvath::platform
