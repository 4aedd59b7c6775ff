#include "tests/skin/window/box_probes.h"

#include <tlhelp32.h>

#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

}  // namespace

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
