#pragma once
// Helpers for tests that drive real windows under Wine: windows, message
// pumping, answering modal dialogs, synthetic input and pixel capture.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

// Rectangles compared and shown by the tests (RECT is a plain C struct).
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace testsupport {

// ---- start-up -------------------------------------------------------------

// What the program sets up before its first window, for a test or benchmark
// program's whole run: OLE for the shell dialogs and COM objects, the common
// controls and GDI+; undone in reverse order.
class ProgramRuntime {
 public:
  ProgramRuntime();
  ~ProgramRuntime();
  ProgramRuntime(const ProgramRuntime&) = delete;
  ProgramRuntime& operator=(const ProgramRuntime&) = delete;
  bool hasGdiplus() const { return gdiplusToken_ != 0; }

 private:
  HRESULT ole_;
  ULONG_PTR gdiplusToken_ = 0;
};

// ---- pixels -------------------------------------------------------------

// 32-bit pixels as 0xAARRGGBB, rows top to bottom.
struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  // RGB part only, for comparing with COLORREF-style colours written 0xRRGGBB.
  uint32_t RgbAt(int x, int y) const { return At(x, y) & 0x00FFFFFFu; }
  bool SavePng(const std::string& path) const;
};

// Copies a rectangle of a device context (x, y in the DC's coordinates).
PixelBuffer CaptureDC(HDC dc, int x, int y, int width, int height);
// What the screen shows of the whole window (frame included).
PixelBuffer CaptureWindow(HWND hwnd);
// What the screen shows of the window's client area.
PixelBuffer CaptureClient(HWND hwnd);
// What the screen shows of `r` (screen coordinates), opaque.
PixelBuffer CaptureScreen(const RECT& r);
// What the window paints of its client area when asked with WM_PRINTCLIENT,
// into a memory DC of the client's size first filled with `fill` (0xRRGGBB),
// opaque.
PixelBuffer PrintClient(HWND hwnd, uint32_t fill = 0xFF00FF);
// Copies a 32-bit top-down or bottom-up DIB section's bits.
PixelBuffer CaptureBitmap(HBITMAP bitmap);

// True when the two buffers have one size and the same colours (alpha aside).
bool SameRgb(const PixelBuffer& a, const PixelBuffer& b);
// True when each channel of the two 0xRRGGBB colours differs by at most tol.
bool ColorNear(uint32_t a, uint32_t b, int tol = 8);
// What alpha-blending `over` (0xRRGGBB) at `alpha` onto `under` gives.
uint32_t Blend(uint32_t under, uint32_t over, int alpha);

// Saves a buffer as "<current directory>/failures/<name>.png" for a failing
// test, and returns the path.
std::string SaveFailureImage(const PixelBuffer& buffer, const std::string& name);

// ---- resources ------------------------------------------------------------

// The USER objects (windows, menus, icons, cursors) that this process holds,
// as GetGuiResources counts them. Wine answers GetGuiResources with 0: there
// the icons and cursors of the process are counted instead, in Wine's
// handle table (which takes a handle's index without its generation), so
// that an icon made and not destroyed shows as one more.
long LiveUserObjects();

// ---- messages -----------------------------------------------------------

// Dispatches every waiting message, then keeps pumping for at least ms.
void PumpMessages(int ms = 0);
// Pumps until cond() holds or the timeout passes; returns cond()'s last value.
bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 5000);

// Whether `picture`, the screen at `r`, shows this thread's caret where it
// lies in `r`: its place differs from the same place with the caret hidden.
// True when there is no caret there. Showing the caret again starts its
// blink afresh, with the caret on.
bool ShowsCaret(const PixelBuffer& picture, const RECT& r);
// What the screen settles on at `r`: captures, pumping between them, until
// two in a row agree and show this thread's caret, which blinks (every half
// second under Wine, whatever the blink time says). Empty when it does not
// settle within `tries` captures.
PixelBuffer SettledScreen(const RECT& r, int tries = 200);

// ---- windows ------------------------------------------------------------

// A top-level window that owns itself: destroyed with the object.
class TestWindow {
 public:
  // proc may be null for a plain window (DefWindowProcW).
  TestWindow(int width, int height, const wchar_t* title = L"test",
             DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, WNDPROC proc = nullptr,
             COLORREF background = RGB(255, 255, 255));
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Adds a child control of a system class.
  HWND AddChild(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                int id = 0, DWORD exStyle = 0);

 private:
  HWND hwnd_ = nullptr;
  HBRUSH background_ = nullptr;
};

// The visible top-level dialogs ("#32770") of this thread, and the first of
// them (null when there is none).
std::vector<HWND> ThreadDialogs();
HWND FindThreadDialog();
// Text of a dialog's static message (the message box text).
std::wstring MessageBoxText(HWND dialog);
std::wstring WindowText(HWND hwnd);

// ---- modal dialogs --------------------------------------------------------

// What a DialogAnswerer saw of one dialog.
struct SeenDialog {
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;
};

// While alive, answers each modal dialog that this thread opens, also one
// that an answer opens while its own dialog is still open. The answers are
// used in order; each is a function run on the dialog window
// (typically one of the Press... makers below). Dialogs past the last
// answer are closed with IDCANCEL so that a failing test cannot hang.
class DialogAnswerer {
 public:
  using Answer = std::function<void(HWND dialog)>;
  explicit DialogAnswerer(std::vector<Answer> answers = {});
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  void Add(Answer answer) { answers_.push_back(std::move(answer)); }
  const std::vector<SeenDialog>& seen() const { return seen_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Poll();

  std::vector<Answer> answers_;
  std::vector<SeenDialog> seen_;
  std::vector<HWND> handled_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
};

// Presses a message-box button by identifier (IDOK, IDYES, IDNO, ...).
DialogAnswerer::Answer PressButton(int id);

// ---- hangs -----------------------------------------------------------------

// Fails the test and ends the program should the code under test, run on
// this thread while the object lives, not return within the time: a hang
// then costs seconds, not the whole test run's limit. It names the test.
class HangGuard {
 public:
  explicit HangGuard(DWORD ms);
  ~HangGuard();
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;

 private:
  HANDLE done_;
  std::thread watcher_;
};

// ---- input ---------------------------------------------------------------

// Real input through SendInput, in screen coordinates of the window's client
// area. Each returns once this thread has handled the input (a dialog that
// the input opens has closed again).
void MouseMoveTo(HWND hwnd, int clientX, int clientY);
void MouseDown(HWND hwnd, int clientX, int clientY);
void MouseUp(HWND hwnd, int clientX, int clientY);
void Click(HWND hwnd, int clientX, int clientY);
// Presses the left button at `from` and releases it at `to` (client points of
// the window as it is at the call) for a press that starts a modal loop (the
// system's move or size loop): the rest of the drag is sent from a timer that
// the loop dispatches. Returns before the press is handled; pump to run it.
void DragInModalLoop(HWND hwnd, POINT from, POINT to);
// Types text into the focused window as Unicode key events.
void TypeText(const std::wstring& text);
// Presses a key, with `modifier` (VK_SHIFT, VK_CONTROL, ...) held down around
// it when one is given.
void PressKey(WORD vk, WORD modifier = 0);

// Brings a window to the front and gives it the focus (Wine honours this
// for windows of the calling process).
void Activate(HWND hwnd);

// Something a test does, with what it is called (for SCOPED_TRACE).
struct NamedStep {
  const char* name;
  std::function<void()> run;
};
// The ways another window comes, is made active and goes, after which the
// system makes another window active: closed by a real Alt+F4, or destroyed.
std::vector<NamedStep> AnotherWindowComingAndGoing();

// ---- other processes -------------------------------------------------------

// Starts a program (its path) with its arguments, each passed as it is;
// false when it could not be started. Its process handle goes to `process`
// when one is given (the caller closes it).
bool StartProcess(const std::wstring& program, const std::vector<std::wstring>& arguments, HANDLE* process);

// While alive, another process (this test program started again) holds the
// file open for reading and writing, sharing it as `share` says: with nobody
// unless given, as a program that keeps its document locked does. The
// constructor returns once the file is held or the other process has given
// up; held() tells which.
class FileHeldByOtherProcess {
 public:
  explicit FileHeldByOtherProcess(const std::wstring& path, DWORD share = 0);
  ~FileHeldByOtherProcess();
  FileHeldByOtherProcess(const FileHeldByOtherProcess&) = delete;
  FileHeldByOtherProcess& operator=(const FileHeldByOtherProcess&) = delete;
  bool held() const { return held_; }

 private:
  HANDLE process_ = nullptr;
  HANDLE release_ = nullptr;
  bool held_ = false;
};
// For the main of a test program, before anything else: when this process
// was started as a FileHeldByOtherProcess, holds the file until it is told to
// let go (or its starter has ended) and returns true; the main then returns.
bool RunAsFileHolderIfAsked();

// UTF-8, what the host's programs and terminals take.
std::string Utf8(const std::wstring& text);

// Under Wine: runs a program of the Linux host (its absolute Linux path, then
// its arguments) and returns once it has ended: true when it ended with
// status 0, false when it failed or could not be started.
bool RunHostProgram(const std::wstring& program, const std::vector<std::wstring>& arguments);
// Under Wine: the Linux path of a Windows path; empty when there is none.
std::wstring UnixPath(const std::wstring& windowsPath);
// Under Wine: the host path of a file of this program's own, named after
// `stem`, new at each call: in the prefix's temporary folder, since Wine's
// process IDs are each prefix's own (programs of two prefixes side by side
// have the same ones) and the host's /tmp is every prefix's. Empty where
// there is no host.
std::wstring OwnHostFile(const std::wstring& stem);

// Under Wine: symbolic links of the Linux host, made and removed by the
// host's own programs (Wine shows a link to a file as that file, and a
// Windows program's delete of the link removes the file it points to). The
// links made go with the object.
class HostLinks {
 public:
  HostLinks() = default;
  ~HostLinks();
  HostLinks(const HostLinks&) = delete;
  HostLinks& operator=(const HostLinks&) = delete;
  // Makes `link` (a Windows path) point to `target` as `ln -s` takes it: a
  // path of the host, or one relative to the link's folder; whatever was at
  // `link` goes first. False when it could not, as where there is no host.
  bool Make(const std::wstring& link, const std::wstring& target);
  // Whether `link` is a link of the host that points to `target`.
  static bool PointsTo(const std::wstring& link, const std::wstring& target);

 private:
  std::vector<std::wstring> made_;  // their Linux paths
};

// Under Wine: a drive of this program's Wine prefix that leads to a folder
// while the object lives: a link of the host in the prefix's "dosdevices",
// which Wine looks up at every path, so that paths on the drive lead to the
// folder at once. (Wine's DefineDosDeviceW maps a letter that no path then
// reaches.) The other way, Wine tells the names of open files (and from them
// the volume's serial number) by the drive whose root holds them deepest, as
// its own list of drives has them, which it reads again at most once a
// second: until then the folder is told by the drive that held it before
// (under Z:\ its whole Linux path), as it is again for up to a second once
// the link has gone. So that the folder has one name and one identity all
// the while, the object comes and goes only once Wine tells the folder by
// its letter, and no longer so. The letter is the last one from Y down that
// no drive has; 0 when none could be mapped, as where there is no host.
class MappedDrive {
 public:
  explicit MappedDrive(const std::wstring& folder);
  ~MappedDrive();
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;
  wchar_t letter() const { return letter_; }

 private:
  std::wstring folder_;
  std::wstring target_;  // the folder's Linux path
  wchar_t letter_ = 0;
};

// Under Wine: something of the Linux host at a Windows path, whose name gives
// nothing away: a FIFO, a socket that no program listens on, or a link to a
// host path. Made and removed by the host's own programs (Wine makes and
// deletes none of them) while the object lives.
class HostEntry {
 public:
  enum class Kind { Fifo, Socket, Link };
  HostEntry(Kind kind, std::wstring path, std::wstring linkTarget = {});
  ~HostEntry();
  HostEntry(const HostEntry&) = delete;
  HostEntry& operator=(const HostEntry&) = delete;

  bool made() const { return made_; }
  // Still what it was made as, a link leading where it led.
  bool Intact() const;

 private:
  bool Host(const wchar_t* script) const;

  Kind kind_;
  std::wstring path_, unix_, target_;
  bool made_ = false;
};

// Under Wine: a program of the Linux host that waits to write into a FIFO
// (blocked in its open until some program opens the FIFO to read), while
// the object lives. Whether it still waits tells whether any program opened
// the FIFO meanwhile: once one has, the writer's open returns, and its next
// write, after that program let go, fails with a broken pipe.
class WaitingFifoWriter {
 public:
  explicit WaitingFifoWriter(const std::wstring& fifo);
  ~WaitingFifoWriter();
  WaitingFifoWriter(const WaitingFifoWriter&) = delete;
  WaitingFifoWriter& operator=(const WaitingFifoWriter&) = delete;
  // The writer waits in its open: no program has opened the FIFO to read.
  bool StillWaiting() const;

 private:
  std::wstring pidFile_;
  bool waiting_ = false;
};

// The names that a search pattern as FindFirstFileW takes it (a folder's path
// then "\\*", say) finds, without "." and ".."; none when nothing matches.
std::vector<std::wstring> NamesFound(const std::wstring& searchPattern);

}  // namespace testsupport
