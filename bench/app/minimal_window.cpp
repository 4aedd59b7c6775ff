// The reference of the start-up benchmark: the least a program showing the
// tool's window could do. One 409 x 471 window with a label, an edit box, a
// drop-down list and a push button, shown and painted; it closes on WM_CLOSE.
#include <windows.h>

namespace {

LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSEXW cls = {sizeof(cls)};
  cls.lpfnWndProc = &MinimalWindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  cls.lpszClassName = L"KorvathMinimalWindow";
  RegisterClassExW(&cls);
  const HWND window = CreateWindowExW(
      WS_EX_APPWINDOW, cls.lpszClassName, L"Minimal", WS_POPUP | WS_MINIMIZEBOX,
      (GetSystemMetrics(SM_CXSCREEN) - 409) / 2, (GetSystemMetrics(SM_CYSCREEN) - 471) / 2, 409, 471,
      nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  CreateWindowExW(0, L"Static", L"Label", WS_CHILD | WS_VISIBLE, 25, 32, 64, 24, window, nullptr,
                  instance, nullptr);
  CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 89, 32, 286,
                  18, window, nullptr, instance, nullptr);
  const HWND list = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 89,
                                    72, 104, 260, window, nullptr, instance, nullptr);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Item"));
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  CreateWindowExW(0, L"Button", L"Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 285, 430, 100, 30,
                  window, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
