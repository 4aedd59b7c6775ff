#include "tests/app/main_window_fixture.h"

#include <shlobj.h>

#include "app/folder_chooser.h"
#include "app/npc_tool.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"
#include "tests/app/npc_test_record.h"

namespace korvath::app::uitest {

using namespace testsupport;

std::wstring Wide(std::string_view gbk) { return platform::GbkToWide(gbk); }

std::string DocumentFolder() { return platform::ProgramDirectory() + "\\AI文件夹\\"; }

std::string ReadBytes(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr);
  CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  RemoveFile(path);
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

void RemoveFile(const std::string& path) {
  std::wstring wide = Wide(path);
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(wide.c_str());
}

void RemoveFolder(const std::string& folder) {
  std::wstring wide = Wide(folder);
  while (!wide.empty() && wide.back() == L'\\') wide.pop_back();
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((wide + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring file = wide + L"\\" + name;
      SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(file.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(wide.c_str());
}

std::string ExpectedFile(const std::vector<std::pair<std::string, std::string>>& lineChanges) {
  std::string bytes = testdata::StartFileBytes();
  for (const auto& [from, to] : lineChanges) {
    size_t at = bytes.find(from + "\r\n");
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) bytes.replace(at, from.size(), to);
  }
  return bytes;
}

static BOOL CALLBACK FindEditChild(HWND child, LPARAM found) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Edit") == 0 && IsWindowVisible(child)) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

DialogAnswerer::Answer ChooseFile(const std::string& path) {
  std::wstring wide = Wide(path);
  return [wide](HWND dialog) {
    HWND edit = nullptr;
    EnumChildWindows(dialog, FindEditChild, reinterpret_cast<LPARAM>(&edit));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, wide.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

DialogAnswerer::Answer ChooseFolder(const std::wstring& folder) {
  return [folder](HWND dialog) {
    if (!folder.empty())
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

void MainWindowTest::SetUp() {
  Npc() = NpcRecord{};
  BrowseInitialFolder().clear();
  ASSERT_TRUE(RunMainWindow());
  focusAtStart_ = GetFocus();
  Activate(MainWindow());
}

void MainWindowTest::TearDown() {
  if (MainForm().IsAlive()) MainForm().DestroyWindowOrUnit();
  PumpMessages();
}

void MainWindowTest::ClickUnit(Unit unit) {
  RECT r;
  GetClientRect(H(unit), &r);
  Click(H(unit), r.right / 2, r.bottom / 2);
}

void MainWindowTest::TypeInto(Unit unit, const std::wstring& text) {
  MainForm().SetEditContent(unit, "");
  ClickUnit(unit);
  TypeText(text);
}

void MainWindowTest::PickWithMouse(Unit combo, int index) {
  ClickUnit(combo);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(H(combo), CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  COMBOBOXINFO info = {sizeof(info)};
  GetComboBoxInfo(H(combo), &info);
  SendMessageW(info.hwndList, LB_SETTOPINDEX, index, 0);
  RECT item;
  SendMessageW(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  Click(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PumpUntil([&] { return SendMessageW(H(combo), CB_GETDROPPEDSTATE, 0, 0) == 0; });
  ASSERT_EQ(MainForm().ComboSelectedIndex(combo), index);
}

void MainWindowTest::PickWithKeys(Unit combo, int index) {
  MainForm().UnitSetFocus(combo);
  int at = MainForm().ComboSelectedIndex(combo);
  for (; at < index; ++at) PressKey(VK_DOWN);
  for (; at > index; --at) PressKey(VK_UP);
  ASSERT_EQ(MainForm().ComboSelectedIndex(combo), index);
}

std::vector<SeenDialog> MainWindowTest::Generate(std::vector<DialogAnswerer::Answer> answers) {
  DialogAnswerer answerer(std::move(answers));
  ClickUnit(生成保存按钮);
  PumpMessages(100);
  return answerer.seen();
}

}  // namespace korvath::app::uitest
