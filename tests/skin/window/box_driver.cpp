#include "tests/skin/window/box_driver.h"

#include <tlhelp32.h>

#include <algorithm>

#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

namespace {

BoxDriver* current = nullptr;

BOOL CALLBACK FindNewDialog(HWND window, LPARAM found) {
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  auto* list = reinterpret_cast<std::vector<HWND>*>(found);
  if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window)) list->push_back(window);
  return TRUE;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

}  // namespace

BoxDriver::BoxDriver() {
  current = this;
  timer_ = SetTimer(nullptr, 0, 20, &BoxDriver::OnTimer);
}

BoxDriver::~BoxDriver() {
  KillTimer(nullptr, timer_);
  if (current == this) current = nullptr;
}

void CALLBACK BoxDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (current) current->Poll();
}

void BoxDriver::Poll() {
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), FindNewDialog, reinterpret_cast<LPARAM>(&dialogs));
  for (HWND dialog : dialogs) {
    if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) continue;
    handled_.push_back(dialog);
    if (next_ < actions_.size()) {
      Action action = actions_[next_++];
      action(dialog);
    } else {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return;
  }
}

bool WaitForFirstPaint(HWND box) {
  return testsupport::PumpUntil([box] {
    const SkinWindowRecord* record = SkinRecordOfWindow(box);
    return record && record->BackDC;
  });
}

void Press(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

int ProcessThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{sizeof entry};
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

int LayeredAlpha(HWND window) {
  BYTE alpha = 0;
  COLORREF key = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
  return alpha;
}

}  // namespace korvath::skin::test
