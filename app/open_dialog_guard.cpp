#include "app/open_dialog_guard.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cwchar>
#include <optional>

#include "app/file_paths.h"
#include "app/handler_guard.h"
#include "platform/device_names.h"
#include "platform/files.h"
#include "platform/gbk_convert.h"
#include "platform/long_paths.h"
#include "platform/message_params.h"
#include "platform/window_procedure.h"
#include "skin/engine/drawing_values.h"
#include "skin/engine/message_box.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;

OpenDialogGuard* active = nullptr;

std::wstring TextOf(HWND control) {
  std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(size_t(std::max(GetWindowTextW(control, text.data(), int(text.size())), 0)));
  return text;
}

// The file name box: a combo box's edit in some dialogs, a plain edit box in others.
std::wstring TypedName(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);
  if (!box) box = GetDlgItem(dialog, edt1);
  std::wstring name = box ? TextOf(box) : std::wstring();
  if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"') name = name.substr(1, name.size() - 2);
  return name;
}

// A drive's path, a share's or one in the device namespace: "//./com1" is
// "\\.\com1".
bool IsAbsolute(const std::wstring& path) {
  return (path.size() >= 3 && path[1] == L':' && IsPathSeparator(path[2])) ||
         (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]));
}

// The dialog's folder; none when it shows no file-system folder. Wine's
// dialog cuts a folder of MAX_PATH characters or more short.
std::optional<std::wstring> DialogFolder(HWND dialog) {
  std::wstring folder(kLongestPath, L'\0');
  if (SendWithPointer(dialog, CDM_GETFOLDERPATH, WPARAM(folder.size()), folder.data()) <= 0)
    return std::nullopt;
  folder.resize(wcslen(folder.c_str()));
  return folder;
}

void Refuse(HWND dialog, const std::wstring& path) {
  const std::string shown = path.empty() ? std::string("?") : NoticePath(WideToGbk(path).text);
  skin::SkinMessageBox(dialog, "文件[" + shown + "]不存在或路径过长,无法打开!", MB_OK | MB_ICONEXCLAMATION, "提示");
}
}  // namespace

OpenDialogGuard::OpenDialogGuard() {
  active = this;
  hook_ = platform::WindowsHook(SetWindowsHookExW(WH_CBT, &WatchActivation, nullptr, GetCurrentThreadId()));
}

OpenDialogGuard::~OpenDialogGuard() {
  hook_.Reset();
  if (dialog_ && IsWindow(dialog_) && previous_) SetWindowProcedure(dialog_, previous_);
  if (active == this) active = nullptr;
}

// Both run beneath the system's dialog code, which no exception may unwind
// through: one ends there, guarded, as any handler's does.
LRESULT CALLBACK OpenDialogGuard::WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
  RunGuarded([&] {
    OpenDialogGuard* guard = active;
    if (code == HCBT_ACTIVATE && guard && !guard->dialog_) {
      HWND window = FromParam<HWND>(LONG_PTR(wParam));
      if (skin::SkinGetClassNameText(window) == "#32770") {
        guard->dialog_ = window;
        guard->previous_ = SetWindowProcedure(window, &DialogProc);
      }
    }
  });
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OpenDialogGuard::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  OpenDialogGuard* guard = active;
  if (!guard || guard->dialog_ != dialog) return DefDlgProcW(dialog, message, wParam, lParam);
  const WNDPROC previous = guard->previous_;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
    // An OK that fails here ends with the notice; the dialog stays open.
    bool answered = true;
    RunGuarded([&] { answered = guard->AnswerOk(dialog); });
    if (answered) return 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowProcedure(dialog, previous);
    guard->previous_ = nullptr;
  }
  return CallWindowProcW(previous, dialog, message, wParam, lParam);
}

bool OpenDialogGuard::AnswerOk(HWND dialog) {
  const std::wstring typed = TypedName(dialog);
  if (typed.empty()) return false;
  std::wstring path = typed;
  if (!IsAbsolute(typed)) {
    const std::optional<std::wstring> folder = DialogFolder(dialog);
    if (folder && folder->size() + 1 >= MAX_PATH) {  // perhaps cut short: where the file is is unknown
      Refuse(dialog, typed);
      return true;
    }
    if (folder && !folder->empty())
      path = *folder + (folder->back() == L'\\' ? L"" : L"\\") + typed;
    else if (!PathNamesDevice(typed))
      return false;  // the dialog's own business
  }
  if (PathNamesDevice(path)) return Take(dialog, path);
  if (path.size() < kPlainPathLimit) return false;  // the dialog's own business
  // What is there but has no attributes (under Wine a host's FIFO, socket or
  // link to a device) goes to the reader, which says what it is.
  const DWORD attributes = GetFileAttributesW(FileApiPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ? !files::PathIsNoDiskFile(path)
                                            : (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    Refuse(dialog, path);
    return true;
  }
  return Take(dialog, path);
}

// The path becomes the dialog's answer, and the dialog closes as cancelled.
bool OpenDialogGuard::Take(HWND dialog, const std::wstring& path) {
  taken_ = path;
  CallWindowProcW(previous_, dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return true;
}

}  // namespace korvath::app
