#include "tests/support/win_test_support.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <optional>
#include <utility>

#include "platform/gdi_object.h"
#include "tests/support/png_writer.h"

namespace testsupport {

// ---- start-up -------------------------------------------------------------

ProgramRuntime::ProgramRuntime() : ole_(OleInitialize(nullptr)) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) != Gdiplus::Ok) gdiplusToken_ = 0;
}

ProgramRuntime::~ProgramRuntime() {
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
  if (SUCCEEDED(ole_)) OleUninitialize();
}

// ---- pixels -------------------------------------------------------------

bool PixelBuffer::SavePng(const std::string& path) const {
  return WritePng(path, width, height, pixels);
}

PixelBuffer CaptureDC(HDC dc, int x, int y, int width, int height) {
  PixelBuffer out;
  if (width <= 0 || height <= 0) return out;
  const korvath::platform::DibSection dib = korvath::platform::CreateDibSection32(width, height);
  const korvath::platform::MemoryDC mem = korvath::platform::MemoryDC::CompatibleWith(dc);
  if (!mem || !dib.bitmap) return out;
  const korvath::platform::SelectScope selected(mem.get(), dib.bitmap.get());
  BitBlt(mem.get(), 0, 0, width, height, dc, x, y, SRCCOPY);
  GdiFlush();
  out.width = width;
  out.height = height;
  const uint32_t* p = static_cast<const uint32_t*>(dib.bits);
  out.pixels.assign(p, p + size_t(width) * height);
  return out;
}

PixelBuffer CaptureScreen(const RECT& r) {
  HDC screen = GetDC(nullptr);
  PixelBuffer out = CaptureDC(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  for (uint32_t& p : out.pixels) p |= 0xFF000000u;
  return out;
}

PixelBuffer CaptureWindow(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return CaptureScreen(r);
}

PixelBuffer CaptureClient(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return CaptureScreen(r);
}

PixelBuffer PrintClient(HWND hwnd, uint32_t fill) {
  PixelBuffer out;
  RECT r = {};
  GetClientRect(hwnd, &r);
  if (r.right <= 0 || r.bottom <= 0) return out;
  const korvath::platform::DibSection dib = korvath::platform::CreateDibSection32(r.right, r.bottom);
  const korvath::platform::MemoryDC mem = korvath::platform::MemoryDC::CompatibleWith(nullptr);
  if (!mem || !dib.bitmap) return out;
  const korvath::platform::SelectScope selected(mem.get(), dib.bitmap.get());
  uint32_t* bits = static_cast<uint32_t*>(dib.bits);
  std::fill(bits, bits + size_t(r.right) * r.bottom, fill);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
  GdiFlush();
  out.width = r.right;
  out.height = r.bottom;
  out.pixels.assign(bits, bits + size_t(r.right) * r.bottom);
  for (uint32_t& p : out.pixels) p |= 0xFF000000u;
  return out;
}

PixelBuffer CaptureBitmap(HBITMAP bitmap) {
  BITMAP bm = {};
  if (!GetObjectW(bitmap, sizeof(bm), &bm)) return {};
  const korvath::platform::MemoryDC mem = korvath::platform::MemoryDC::CompatibleWith(nullptr);
  const korvath::platform::SelectScope selected(mem.get(), bitmap);
  return CaptureDC(mem.get(), 0, 0, bm.bmWidth, bm.bmHeight);
}

bool SameRgb(const PixelBuffer& a, const PixelBuffer& b) {
  if (a.width != b.width || a.height != b.height) return false;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    if ((a.pixels[i] ^ b.pixels[i]) & 0x00FFFFFFu) return false;
  return true;
}

bool ColorNear(uint32_t a, uint32_t b, int tol) {
  for (int shift = 0; shift <= 16; shift += 8) {
    int ca = int((a >> shift) & 0xFF), cb = int((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > tol) return false;
  }
  return true;
}

uint32_t Blend(uint32_t under, uint32_t over, int alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int u = int((under >> shift) & 0xFF), o = int((over >> shift) & 0xFF);
    out |= uint32_t((u * (255 - alpha) + o * alpha + 127) / 255) << shift;
  }
  return out;
}

std::string SaveFailureImage(const PixelBuffer& buffer, const std::string& name) {
  CreateDirectoryA("failures", nullptr);
  std::string path = "failures/" + name + ".png";
  buffer.SavePng(path);
  return path;
}

// ---- resources ------------------------------------------------------------

long LiveUserObjects() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return long(count);
  // Wine's user handles are (index << 1) + 0x20 in their low word; it finds
  // the object of an index whatever the high word holds when that is 0.
  using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
  static const auto frameInfo = reinterpret_cast<FrameInfo>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetCursorFrameInfo")));
  if (!frameInfo) return 0;
  constexpr UINT_PTR kFirst = 0x20, kLast = 0xFFEF;
  long count = 0;
  for (UINT_PTR handle = kFirst; handle <= kLast; handle += 2) {
    DWORD rate = 0, steps = 0;
    if (frameInfo(reinterpret_cast<HCURSOR>(handle), 0, 0, &rate, &steps)) ++count;
  }
  return count;
}

// ---- messages -----------------------------------------------------------

static void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void PumpMessages(int ms) {
  DWORD start = GetTickCount();
  do {
    DispatchWaiting();
    if (ms > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (int(GetTickCount() - start) < ms);
  DispatchWaiting();
}

bool PumpUntil(const std::function<bool()>& cond, int timeoutMs) {
  DWORD start = GetTickCount();
  while (!cond()) {
    if (int(GetTickCount() - start) >= timeoutMs) return cond();
    DispatchWaiting();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// This thread's caret where it lies in `r` (screen coordinates), in the
// coordinates of a picture of `r`; none when it has no caret in a visible
// window there.
static std::optional<RECT> CaretIn(const RECT& r) {
  GUITHREADINFO info = {sizeof info};
  if (!GetGUIThreadInfo(GetCurrentThreadId(), &info) || !info.hwndCaret || !IsWindowVisible(info.hwndCaret))
    return std::nullopt;
  RECT caret = info.rcCaret;
  MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
  if (!IntersectRect(&caret, &caret, &r)) return std::nullopt;
  OffsetRect(&caret, -r.left, -r.top);
  return caret;
}

static std::vector<uint32_t> PixelsOf(const PixelBuffer& picture, const RECT& part) {
  std::vector<uint32_t> out;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) out.push_back(picture.At(x, y));
  return out;
}

bool ShowsCaret(const PixelBuffer& picture, const RECT& r) {
  const std::optional<RECT> caret = CaretIn(r);
  if (!caret) return true;
  HideCaret(nullptr);
  // The screen shows the hidden caret once the window's drawing has reached it.
  PumpMessages(60);
  const bool shown = PixelsOf(CaptureScreen(r), *caret) != PixelsOf(picture, *caret);
  ShowCaret(nullptr);
  return shown;
}

PixelBuffer SettledScreen(const RECT& r, int tries) {
  PixelBuffer last;
  for (int i = 0; i < tries; ++i) {
    PumpMessages(60);
    PixelBuffer now = CaptureScreen(r);
    if (!last.Empty() && now.pixels == last.pixels && ShowsCaret(now, r)) return now;
    last = std::move(now);
  }
  return {};
}

// ---- windows ------------------------------------------------------------

static const wchar_t kTestWindowClass[] = L"KorvathTestWindow";

TestWindow::TestWindow(int width, int height, const wchar_t* title, DWORD style, WNDPROC proc,
                       COLORREF background) {
  background_ = CreateSolidBrush(background);
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kTestWindowClass;
    RegisterClassExW(&wc);
    registered = true;
  }
  hwnd_ = CreateWindowExW(0, kTestWindowClass, title, style, 100, 100, width, height, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  SetClassLongPtrW(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(background_));
  if (proc) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
  PumpMessages();
}

TestWindow::~TestWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  PumpMessages();
  if (background_) DeleteObject(background_);
}

HWND TestWindow::AddChild(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                          int h, int id, DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, cls, text, style | WS_CHILD | WS_VISIBLE, x, y, w, h, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  PumpMessages();
  return child;
}

std::wstring WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring s(size_t(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, s.data(), n + 1);
  s.resize(size_t(std::max(n, 0)));
  return s;
}

static BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM lp) {
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> ThreadDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindThreadDialog() {
  const std::vector<HWND> dialogs = ThreadDialogs();
  return dialogs.empty() ? nullptr : dialogs.front();
}

std::wstring MessageBoxText(HWND dialog) {
  HWND text = GetDlgItem(dialog, 0xFFFF);
  return text ? WindowText(text) : std::wstring();
}

// ---- modal dialogs --------------------------------------------------------

static DialogAnswerer* g_answerer = nullptr;

DialogAnswerer::DialogAnswerer(std::vector<Answer> answers) : answers_(std::move(answers)) {
  g_answerer = this;
  // A thread timer keeps firing inside the dialog's own modal loop.
  timer_ = SetTimer(nullptr, 0, 30, &DialogAnswerer::OnTimer);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(nullptr, timer_);
  if (g_answerer == this) g_answerer = nullptr;
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_answerer) g_answerer->Poll();
}

static BOOL CALLBACK CollectButtons(HWND child, LPARAM lp) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Button") == 0 && IsWindowVisible(child))
    reinterpret_cast<std::vector<std::wstring>*>(lp)->push_back(WindowText(child));
  return TRUE;
}

void DialogAnswerer::Poll() {
  // A dialog opened by an answer (while the one it answers is still open)
  // comes after that one.
  HWND dialog = nullptr;
  for (HWND d : ThreadDialogs()) {
    if (std::find(handled_.begin(), handled_.end(), d) == handled_.end()) {
      dialog = d;
      break;
    }
  }
  if (!dialog) return;
  handled_.push_back(dialog);
  SeenDialog seen;
  seen.caption = WindowText(dialog);
  seen.text = MessageBoxText(dialog);
  EnumChildWindows(dialog, CollectButtons, reinterpret_cast<LPARAM>(&seen.buttons));
  seen_.push_back(seen);
  if (next_ < answers_.size()) {
    Answer answer = answers_[next_++];
    answer(dialog);
  } else {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}

DialogAnswerer::Answer PressButton(int id) {
  return [id](HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  };
}

// ---- hangs -----------------------------------------------------------------

HangGuard::HangGuard(DWORD ms) : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "?";
  watcher_ = std::thread([this, ms, name] {
    if (WaitForSingleObject(done_, ms) == WAIT_OBJECT_0) return;
    std::printf("\n[  FAILED  ] %s: the code under test did not return within %lu ms\n", name.c_str(), ms);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
  });
}

HangGuard::~HangGuard() {
  SetEvent(done_);
  watcher_.join();
  CloseHandle(done_);
}

// ---- input ---------------------------------------------------------------

// Input reaches a thread in the order it was sent, and the thread's own key
// state changes only when it takes a key's message: once a Scroll Lock
// press has toggled that state, everything sent before it has been handled.
// The press comes in pairs, so the lock ends as it was. Keys reach a thread
// only while one of its windows is active: without one, a short wait has to
// do.
static void AwaitInput() {
  if (!GetActiveWindow()) {
    PumpMessages(30);
    return;
  }
  for (int i = 0; i < 2; ++i) {
    const SHORT before = GetKeyState(VK_SCROLL) & 1;
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_SCROLL;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    PumpUntil([&] { return (GetKeyState(VK_SCROLL) & 1) != before; });
  }
  DispatchWaiting();
}

static POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(hwnd, &p);
  return p;
}

// An absolute mouse event at a screen point.
static void SendAbsolute(POINT screen, DWORD flags) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &in, sizeof(in));
}

static void SendMouse(HWND hwnd, int x, int y, DWORD flags) {
  POINT p = ClientToScreenPoint(hwnd, x, y);
  SetCursorPos(p.x, p.y);
  SendAbsolute(p, flags);
  AwaitInput();
}

void MouseMoveTo(HWND hwnd, int x, int y) { SendMouse(hwnd, x, y, 0); }
void MouseDown(HWND hwnd, int x, int y) { SendMouse(hwnd, x, y, MOUSEEVENTF_LEFTDOWN); }
void MouseUp(HWND hwnd, int x, int y) { SendMouse(hwnd, x, y, MOUSEEVENTF_LEFTUP); }

void Click(HWND hwnd, int x, int y) {
  MouseMoveTo(hwnd, x, y);
  MouseDown(hwnd, x, y);
  MouseUp(hwnd, x, y);
}

static POINT dragTarget;
static void CALLBACK FinishDrag(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  SendAbsolute({dragTarget.x - 20, dragTarget.y - 10}, 0);
  SendAbsolute(dragTarget, 0);
  SendAbsolute(dragTarget, MOUSEEVENTF_LEFTUP);
}

void DragInModalLoop(HWND hwnd, POINT from, POINT to) {
  ClientToScreen(hwnd, &from);
  ClientToScreen(hwnd, &to);
  dragTarget = to;
  SendAbsolute(from, 0);
  PumpMessages(20);
  SetTimer(nullptr, 0, 50, &FinishDrag);
  SendAbsolute(from, MOUSEEVENTF_LEFTDOWN);
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
  }
  AwaitInput();
}

void PressKey(WORD vk, WORD modifier) {
  INPUT in[4] = {};
  UINT n = 0;
  auto key = [&](WORD k, DWORD flags) {
    in[n].type = INPUT_KEYBOARD;
    in[n].ki.wVk = k;
    in[n++].ki.dwFlags = flags;
  };
  if (modifier) key(modifier, 0);
  key(vk, 0);
  key(vk, KEYEVENTF_KEYUP);
  if (modifier) key(modifier, KEYEVENTF_KEYUP);
  SendInput(n, in, sizeof(INPUT));
  AwaitInput();
}

void Activate(HWND hwnd) {
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  SetActiveWindow(hwnd);
  SetFocus(hwnd);
  PumpMessages(50);
}

std::vector<NamedStep> AnotherWindowComingAndGoing() {
  return {{"another window closed by Alt+F4",
           [] {
             TestWindow other(300, 200, L"another window");
             Activate(other.hwnd());
             PressKey(VK_F4, VK_MENU);
             PumpUntil([&] { return !IsWindow(other.hwnd()); }, 2000);
           }},
          {"another window made active, then destroyed", [] {
             TestWindow other(300, 200, L"another window");
             Activate(other.hwnd());
           }}};
}

// ---- other processes -------------------------------------------------------

namespace {
constexpr wchar_t kHoldFileOption[] = L"--hold-file-for-test";

// A command-line argument as the C runtime reads it back: quoted, with
// backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    out += c;
    backslashes = 0;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}
}  // namespace

bool StartProcess(const std::wstring& program, const std::vector<std::wstring>& arguments, HANDLE* process) {
  std::wstring line = Quoted(program);
  for (const std::wstring& argument : arguments) line += L" " + Quoted(argument);
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  if (info.hThread) CloseHandle(info.hThread);
  if (process) *process = info.hProcess;
  else if (info.hProcess) CloseHandle(info.hProcess);
  return true;
}

FileHeldByOtherProcess::FileHeldByOtherProcess(const std::wstring& path, DWORD share) {
  static unsigned count = 0;
  const std::wstring name = L"korvath-test-hold-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, (name + L"-ready").c_str());
  release_ = CreateEventW(nullptr, TRUE, FALSE, (name + L"-release").c_str());
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (ready && release_ &&
      StartProcess(self, {kHoldFileOption, name, std::to_wstring(GetCurrentProcessId()), path, std::to_wstring(share)},
                   &process_)) {
    HANDLE either[] = {ready, process_};  // held, or the holder gave up
    held_ = WaitForMultipleObjects(2, either, FALSE, 30000) == WAIT_OBJECT_0;
  }
  if (ready) CloseHandle(ready);
}

FileHeldByOtherProcess::~FileHeldByOtherProcess() {
  if (release_) SetEvent(release_);
  if (process_) {
    WaitForSingleObject(process_, 30000);
    CloseHandle(process_);
  }
  if (release_) CloseHandle(release_);
}

bool RunAsFileHolderIfAsked() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return false;
  const bool asked = count == 6 && wcscmp(arguments[1], kHoldFileOption) == 0;
  if (asked) {
    const std::wstring name = arguments[2];
    HANDLE starter = OpenProcess(SYNCHRONIZE, FALSE, DWORD(_wtoi(arguments[3])));
    const DWORD share = DWORD(_wtoi(arguments[5]));
    HANDLE file = CreateFileW(arguments[4], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (name + L"-ready").c_str());
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, (name + L"-release").c_str());
    if (file != INVALID_HANDLE_VALUE && starter && ready && release) {
      SetEvent(ready);
      HANDLE either[] = {release, starter};
      WaitForMultipleObjects(2, either, FALSE, INFINITE);
    }
    for (HANDLE h : {starter, ready, release})
      if (h) CloseHandle(h);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  LocalFree(arguments);
  return asked;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  std::string out(size_t(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr)),
                  '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), int(out.size()), nullptr, nullptr);
  return out;
}

bool RunHostProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  // Wine's own way of running a host program and waiting for it: CreateProcess
  // starts one too, but hands back no handle to wait on.
  using Spawn = LONG(WINAPI*)(char* const* argv, int wait);
  const auto spawn = reinterpret_cast<Spawn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
  if (!spawn) return false;
  std::vector<std::string> words{Utf8(program)};
  for (const std::wstring& argument : arguments) words.push_back(Utf8(argument));
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return spawn(argv.data(), TRUE) == 0;
}

std::wstring UnixPath(const std::wstring& windowsPath) {
  using UnixFileName = char*(CDECL*)(const wchar_t*);
  const auto convert = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix = convert ? convert(windowsPath.c_str()) : nullptr;
  if (!unix) return {};
  std::wstring out(strlen(unix) + 1, L'\0');
  out.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, unix, -1, out.data(), int(out.size()))));
  HeapFree(GetProcessHeap(), 0, unix);
  if (!out.empty()) out.pop_back();  // the terminator
  return out;
}

std::wstring OwnHostFile(const std::wstring& stem) {
  static unsigned count = 0;
  wchar_t temp[MAX_PATH + 1] = {};
  if (!GetTempPathW(MAX_PATH + 1, temp)) return {};
  return UnixPath(temp + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count));
}

HostLinks::~HostLinks() {
  for (const std::wstring& link : made_) RunHostProgram(L"/bin/rm", {L"-f", link});
}

bool HostLinks::Make(const std::wstring& link, const std::wstring& target) {
  const std::wstring host = UnixPath(link);
  if (host.empty() || !RunHostProgram(L"/bin/rm", {L"-f", host})) return false;
  made_.push_back(host);
  return RunHostProgram(L"/bin/ln", {L"-s", target, host});
}

bool HostLinks::PointsTo(const std::wstring& link, const std::wstring& target) {
  const std::wstring host = UnixPath(link);
  return !host.empty() &&
         RunHostProgram(L"/bin/sh", {L"-c", L"[ -L \"$0\" ] && [ \"$(readlink \"$0\")\" = \"$1\" ]", host, target});
}

namespace {
// Runs `script` in the host's shell with the link of the drive `letter` in
// the prefix's "dosdevices" as $1 and `target` as $2.
bool WithDriveLink(const wchar_t* script, wchar_t letter, const std::wstring& target) {
  const std::wstring name = {wchar_t(std::towlower(letter)), L':'};
  return RunHostProgram(L"/bin/sh", {L"-c",
                                     L"PATH=/usr/bin:/bin; set -- \"${WINEPREFIX:-$HOME/.wine}/dosdevices/$1\" \"$2\"; " +
                                         std::wstring(script),
                                     L"sh", name, target});
}
}  // namespace

namespace {
// The letter of the drive by which Wine tells the name of `folder` (as the
// system tells the names of open files, upper case); 0 when it tells none.
wchar_t DriveTelling(const std::wstring& folder) {
  HANDLE opened = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return 0;
  std::wstring name(0x8000, L'\0');
  const DWORD size = GetFinalPathNameByHandleW(opened, name.data(), DWORD(name.size()), VOLUME_NAME_DOS);
  CloseHandle(opened);
  // "\\?\X:\..."
  return size >= 6 && size < name.size() && name[5] == L':' ? wchar_t(std::towupper(name[4])) : 0;
}

// How long Wine may take to read its drives again: at most a second, on a
// busy machine more.
constexpr int kDrivesReadAgainMs = 10000;
}  // namespace

MappedDrive::MappedDrive(const std::wstring& folder) : folder_(folder), target_(UnixPath(folder)) {
  if (target_.empty()) return;
  // ln makes no link where an entry is, a link to nothing included: a letter
  // that another program mapped meanwhile stays its own. Without -n it would
  // make one inside the folder that a letter's link leads to, such as one
  // that this program mapped: Wine's list of drives, which GetLogicalDrives
  // tells, has no drive mapped while it runs.
  for (wchar_t letter = L'Y'; letter >= L'D' && !letter_; --letter)
    if (!(GetLogicalDrives() & (1u << (letter - L'A'))) && WithDriveLink(L"ln -sn \"$2\" \"$1\" 2>/dev/null", letter, target_))
      letter_ = letter;
  if (letter_) PumpUntil([&] { return DriveTelling(folder_) == letter_; }, kDrivesReadAgainMs);
}

MappedDrive::~MappedDrive() {
  if (letter_ && WithDriveLink(L"[ \"$(readlink \"$1\")\" = \"$2\" ] && rm -f \"$1\"", letter_, target_))
    PumpUntil([&] { return DriveTelling(folder_) != letter_; }, kDrivesReadAgainMs);
}

HostEntry::HostEntry(Kind kind, std::wstring path, std::wstring linkTarget)
    : kind_(kind), path_(std::move(path)), unix_(UnixPath(path_)), target_(std::move(linkTarget)) {
  static constexpr const wchar_t* kMake[] = {
      L"mkfifo \"$1\"",
      // Bound by its name in its folder: a socket's whole path may have at most 107 bytes.
      L"cd \"${1%/*}\" && python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' \"${1##*/}\"",
      L"ln -s \"$2\" \"$1\""};
  made_ = !unix_.empty() && Host(L"rm -f \"$1\"") && Host(kMake[int(kind_)]);
}

HostEntry::~HostEntry() {
  if (!unix_.empty()) Host(L"rm -f \"$1\"");
}

bool HostEntry::Intact() const {
  if (kind_ == Kind::Link) return HostLinks::PointsTo(path_, target_);
  return Host(kind_ == Kind::Fifo ? L"[ -p \"$1\" ]" : L"[ -S \"$1\" ]");
}

bool HostEntry::Host(const wchar_t* script) const {
  return RunHostProgram(L"/bin/sh", {L"-c", L"PATH=/usr/bin:/bin; " + std::wstring(script), L"sh", unix_, target_});
}

WaitingFifoWriter::WaitingFifoWriter(const std::wstring& fifo) {
  pidFile_ = OwnHostFile(L"korvath-fifo-writer");
  waiting_ = RunHostProgram(L"/bin/sh",
                            {L"-c",
                             L"PATH=/usr/bin:/bin; sh -c 'exec 3>\"$1\"' sh \"$0\" >/dev/null 2>&1 & echo $! >\"$1\"; "
                             L"for i in $(seq 1000); do grep -q partner /proc/$!/wchan 2>/dev/null && exit 0; sleep 0.01; "
                             L"done; exit 1",
                             UnixPath(fifo), pidFile_});
}

WaitingFifoWriter::~WaitingFifoWriter() {
  RunHostProgram(L"/bin/sh", {L"-c", L"kill $(cat \"$0\") 2>/dev/null; rm -f \"$0\"", pidFile_});
}

bool WaitingFifoWriter::StillWaiting() const {
  return waiting_ && RunHostProgram(L"/bin/sh", {L"-c", L"grep -q partner /proc/$(cat \"$0\")/wchan", pidFile_});
}

std::vector<std::wstring> NamesFound(const std::wstring& searchPattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(searchPattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) names.push_back(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

}  // namespace testsupport
