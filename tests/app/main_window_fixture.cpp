#include "tests/app/main_window_fixture.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <iterator>

#include "app/folder_chooser.h"
#include "app/npc_tool.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"
#include "platform/long_paths.h"
#include "skin/core/window_list.h"
#include "tests/app/npc_test_record.h"

namespace korvath::app::uitest {

std::wstring Wide(std::string_view gbk) { return platform::GbkToWide(gbk); }

std::string DocumentFolder() { return platform::ProgramDirectory() + "\\AI文件夹\\"; }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(Wide(path).c_str(), std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(Wide(path).c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

std::wstring ExtendedPath(const std::wstring& path) { return L"\\\\?\\" + path; }

namespace {
// Through the extended-length form, since std::filesystem stops at MAX_PATH.
void RemoveFolderWide(std::wstring folder) {
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(ExtendedPath(folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0) continue;
      const std::wstring path = folder + L'\\' + data.cFileName;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolderWide(path);
      } else {
        SetFileAttributesW(ExtendedPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(ExtendedPath(path).c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(ExtendedPath(folder).c_str());
}
}  // namespace

void RemoveFolder(const std::string& folder) { RemoveFolder(Wide(folder)); }
void RemoveFolder(const std::wstring& folder) {
  // Links of the host in it go first, by the host, as a test that was ended
  // before it removed its own leaves them: Wine shows a link as what it
  // points to, so that the walk below would empty a folder elsewhere, or
  // fail on a link to a file or to nothing, and the folder would stay.
  const std::wstring host = UnixPath(ExtendedPath(folder));
  if (!host.empty()) RunHostProgram(L"/usr/bin/find", {host, L"-mindepth", L"1", L"-type", L"l", L"-delete"});
  RemoveFolderWide(folder);
}

std::string MakeLongFolder(const std::string& parent, size_t length) {
  std::wstring folder = Wide(parent);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr);
  for (int level = 1; folder.size() < length; ++level) {
    // Names of at most 40 characters: 120 bytes in Wine's UTF-8, under 255;
    // the last one at least one character.
    const size_t room = length - folder.size() - 1;
    std::wstring name = L"第" + std::to_wstring(level) + L"层存档目录";
    name.resize(room <= 40 ? room : room - 40 >= 2 ? 40 : 38, L'长');
    folder += L'\\' + name;
    CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr);
  }
  EXPECT_EQ(folder.size(), length);
  const DWORD attributes = GetFileAttributesW(ExtendedPath(folder).c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
  return platform::WideToGbk(folder).text;
}

std::vector<std::wstring> FolderEntries(const std::string& folder) {
  std::wstring pattern = Wide(folder);
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  return testsupport::NamesFound(ExtendedPath(pattern + L"*"));
}

std::string ExpectedFile(const std::vector<std::pair<std::string, std::string>>& lineChanges) {
  std::string bytes = testdata::StartFileBytes();
  for (const auto& [from, to] : lineChanges) bytes.replace(bytes.find(from + "\r\n"), from.size(), to);  // throws if missing
  return bytes;
}

namespace {
std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[MAX_PATH] = {};
  TVITEMW data = {};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = MAX_PATH;
  if (!item || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data))) return {};
  return text;
}

// The child of `parent` whose text is `text`, or ends with it where
// `ending`; `parent` expanded first where `expand`, as its button does.
HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::wstring& text, bool ending, bool expand) {
  if (expand) TreeView_Expand(tree, parent, TVE_EXPAND);
  for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
    const std::wstring shown = ItemText(tree, child);
    if (ending ? shown.ends_with(text) : shown == text) return child;
  }
  return nullptr;
}

// The item of `folder` ("X:\" and the names below it) in the dialog's tree,
// reached as a user reaches it: the drive's item, "(X:)", under an item of
// the Desktop (under one already open first), then each name's item below
// it, each level opened. None where a level has no such item.
HTREEITEM TreeItemOf(HWND tree, const std::wstring& folder) {
  if (folder.size() < 2 || folder[1] != L':') return nullptr;
  const std::wstring drive = {L'(', wchar_t(std::towupper(folder[0])), L':', L')'};
  const HTREEITEM desktop = TreeView_GetRoot(tree);
  HTREEITEM item = nullptr;
  for (const bool expand : {false, true})
    for (HTREEITEM top = TreeView_GetChild(tree, desktop); top && !item; top = TreeView_GetNextSibling(tree, top))
      item = ChildNamed(tree, top, drive, true, expand);
  for (size_t start = 2; item && start < folder.size();) {
    const size_t end = std::min(folder.find(L'\\', start + 1), folder.size());
    const std::wstring name = folder.substr(start + 1, end - start - 1);
    if (!name.empty()) item = ChildNamed(tree, item, name, false, true);
    start = end;
  }
  return item;
}
}  // namespace

std::wstring SelectedTreeText(HWND dialog) {
  const HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
  return tree ? ItemText(tree, TreeView_GetSelection(tree)) : std::wstring();
}

bool SelectInFolderDialog(HWND dialog, const std::wstring& folder) {
  const std::wstring trimmed = folder.substr(0, folder.find_last_not_of(L'\\') + 1);
  const size_t slash = trimmed.find_last_of(L'\\');
  const std::wstring name = slash == std::wstring::npos ? L"" : trimmed.substr(slash + 1);
  // The shell finds a folder by its path with the blanks and a dot at the
  // end of its name dropped, as another folder or none, and a deep folder
  // by a path cut short: such a folder is chosen in the tree alone, as a
  // click does.
  const bool byTree = !name.empty() && (name.back() == L' ' || name.back() == L'.' ||
                                        trimmed.size() >= platform::kPlainPathLimit);
  if (!byTree) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
  if (name.empty() || SelectedTreeText(dialog) == name) return true;
  // Where the message did not reach it (see ListFoldersOnTheWay), however
  // often it is sent, the folder is chosen in the tree by its names, as a
  // user does.
  const HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
  const HTREEITEM item = tree ? TreeItemOf(tree, trimmed) : nullptr;
  return item && TreeView_SelectItem(tree, item) && TreeView_GetSelection(tree) == item;
}

void ListFoldersOnTheWay(const std::wstring& folder) {
  for (size_t end = folder.find(L'\\'); end != std::wstring::npos; end = folder.find(L'\\', end + 1))
    testsupport::NamesFound(ExtendedPath(folder.substr(0, end + 1) + L"*"));
  testsupport::NamesFound(ExtendedPath(folder + L"\\*"));
}

void AgeLastAccess(const std::wstring& folder, int minutes) {
  HANDLE opened = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(opened, INVALID_HANDLE_VALUE);
  FILETIME written = {};
  EXPECT_TRUE(GetFileTime(opened, nullptr, nullptr, &written));
  ULARGE_INTEGER time = {{written.dwLowDateTime, written.dwHighDateTime}};
  time.QuadPart -= ULONGLONG(minutes) * 60 * 10000000;
  const FILETIME accessed = {time.LowPart, time.HighPart};
  EXPECT_TRUE(SetFileTime(opened, nullptr, &accessed, nullptr));
  CloseHandle(opened);
}

std::string FolderOnC(const std::string& name) {
  const std::string folder = "C:\\" + name + "\\";
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  return folder;
}

DialogAnswerer::Answer ChooseFile(const std::string& path) {
  return [wide = Wide(path)](HWND dialog) {
    // The file name box: a plain edit box in some dialogs, a combo box's in others.
    ASSERT_TRUE(SetDlgItemTextW(dialog, edt1, wide.c_str()) || SetDlgItemTextW(dialog, cmb13, wide.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

DialogAnswerer::Answer AnswerByKey(WORD key) {
  return [key](HWND dialog) {
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == dialog && IsChild(dialog, GetFocus()); }))
        << "the dialog never took the focus";
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
  };
}

void ClickCaptionItem(int item) {
  const skin::SkinWindowRecord& r = *skin::SkinRecordOfWindow(MainWindow());
  const gdip::RectF b = r.CaptionItems[size_t(item) - 1].Bounds;
  Click(MainWindow(), int(b.x + b.width / 2), int(b.y + b.height / 2));
}

PixelBuffer Look(HWND window) {
  MouseMoveTo(MainWindow(), 200, 423);  // between the HP group and the buttons
  PumpMessages(100);
  return CaptureWindow(window);
}

namespace {
template <typename Counts>
int CountPixels(const PixelBuffer& a, const PixelBuffer& b, Counts counts) {
  int n = 0;
  for (int y = 0; y < std::min(a.height, b.height); ++y)
    for (int x = 0; x < std::min(a.width, b.width); ++x) n += counts(a.RgbAt(x, y), b.RgbAt(x, y));
  return n;
}
}  // namespace

int Differing(const PixelBuffer& a, const PixelBuffer& b) {
  return CountPixels(a, b, [](uint32_t p, uint32_t q) { return p != q; });
}

int Contrasting(const PixelBuffer& a, const PixelBuffer& b) {
  return CountPixels(a, b, [](uint32_t p, uint32_t q) { return !ColorNear(p, q, 63); });
}

void MainWindowTest::SetUp() {
  Npc() = NpcRecord{};
  BrowseInitialFolder().clear();
  ASSERT_TRUE(StartProgram());
  focusAtStart_ = GetFocus();
  Activate(MainWindow());
}

void MainWindowTest::TearDown() {
  if (MainForm().IsAlive()) MainForm().DestroyWindowOrUnit();
  PumpMessages();
  EndProgram();
}

void MainWindowTest::ClickUnit(Unit unit) {
  // A second press on the same control within the double-click time is a
  // double click, which the skinned buttons take for no click at all.
  static HWND lastControl = nullptr;
  static DWORD lastClick = 0;
  const DWORD since = GetTickCount() - lastClick;
  if (H(unit) == lastControl && since <= GetDoubleClickTime()) PumpMessages(int(GetDoubleClickTime() - since) + 50);
  RECT r;
  GetClientRect(H(unit), &r);
  Click(H(unit), r.right / 2, r.bottom / 2);
  lastControl = H(unit);
  lastClick = GetTickCount();
}

void MainWindowTest::TypeInto(Unit unit, const std::wstring& text) {
  MainForm().SetEditContent(unit, "");
  ClickUnit(unit);
  TypeText(text);
}

void MainWindowTest::Pick(Unit combo, int index) {
  MainForm().UnitSetFocus(combo);
  for (int at = MainForm().ComboSelectedIndex(combo); at != index; at += at < index ? 1 : -1)
    PressKey(at < index ? VK_DOWN : VK_UP);
  ASSERT_EQ(MainForm().ComboSelectedIndex(combo), index);
}

std::vector<SeenDialog> MainWindowTest::ClickAnswering(Unit unit, std::vector<DialogAnswerer::Answer> answers) {
  const size_t expected = answers.size();
  DialogAnswerer answerer(std::move(answers));
  ClickUnit(unit);
  // The click's handler has returned once its last dialog is gone.
  PumpUntil([&] { return answerer.seen().size() == expected && !FindThreadDialog(); });
  return answerer.seen();
}

}  // namespace korvath::app::uitest
