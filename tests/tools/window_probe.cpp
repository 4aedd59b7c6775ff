// Tells a script that drives another program's window through X what the
// window holds as that program sees it: whether it is minimised, which of its
// controls has the keyboard focus, the text of every control and where it is
// on the screen. It runs in the program's Wine prefix (its wineserver) and
// prints UTF-8 lines, the controls in the window's own order:
//   iconic 0|1
//   focus <the focused control's handle; 0 when none of the window's has it>
//   control <handle> <text>
//   place <handle> <left> <top> <right> <bottom>   (screen coordinates)
// Usage: window_probe.exe <the window's title> [settext <handle> <text>].
// With settext it first gives that control of the window the UTF-8 text, as
// a paste would, where X cannot type it (text of another script than the
// keyboard's). Exits 1 when no window has that title, or no such control.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/support/win_test_support.h"

namespace {

// A control of another process keeps its text where GetWindowText does not
// look: ask the control itself, and give up on one that hangs.
std::wstring TextOf(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           5000, &copied))
    return L"<no answer>";
  text.resize(copied);
  return text;
}

BOOL CALLBACK AddControl(HWND control, LPARAM controls) {
  reinterpret_cast<std::vector<HWND>*>(controls)->push_back(control);
  return TRUE;
}

std::string Handle(HWND window) { return std::to_string(reinterpret_cast<uintptr_t>(window)); }

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const bool setText = arguments && count == 5 && std::wstring(arguments[2]) == L"settext";
  const HWND window = arguments && (count == 2 || setText) ? FindWindowW(nullptr, arguments[1]) : nullptr;
  const HWND target = setText ? reinterpret_cast<HWND>(uintptr_t(std::wcstoul(arguments[3], nullptr, 10))) : nullptr;
  const std::wstring text = setText ? arguments[4] : L"";
  LocalFree(arguments);
  if (!window) {
    std::fputs("window_probe: no window with that title\n", stderr);
    return 1;
  }
  if (setText) {
    DWORD_PTR done = 0;
    if (!IsChild(window, target) || !SendMessageTimeoutW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                                         SMTO_ABORTIFHUNG, 5000, &done)) {
      std::fputs("window_probe: no such control took the text\n", stderr);
      return 1;
    }
  }
  // Lines end in LF alone, as the script reads them.
  _setmode(_fileno(stdout), _O_BINARY);
  std::string report = std::string("iconic ") + (IsIconic(window) ? "1" : "0") + "\n";
  GUITHREADINFO thread{sizeof thread};
  HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) ? thread.hwndFocus : nullptr;
  if (focus != window && !IsChild(window, focus)) focus = nullptr;
  report += "focus " + Handle(focus) + "\n";
  std::vector<HWND> controls;
  EnumChildWindows(window, AddControl, reinterpret_cast<LPARAM>(&controls));
  for (HWND control : controls) {
    report += "control " + Handle(control) + " " + testsupport::Utf8(TextOf(control)) + "\n";
    RECT at{};
    GetWindowRect(control, &at);
    report += "place " + Handle(control) + " " + std::to_string(at.left) + " " + std::to_string(at.top) + " " +
              std::to_string(at.right) + " " + std::to_string(at.bottom) + "\n";
  }
  std::fwrite(report.data(), 1, report.size(), stdout);
  return 0;
}
