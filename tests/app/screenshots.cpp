// The pictures of docs/: the tool's real window driven through its states by
// real input, its boxes and dialogs as they open, and the engine's
// every-control form with a close effect half played. Each picture is the
// screen around the windows of the moment (boxes, shadows and lists
// included), taken once two captures in a row agree. tools/screenshots.sh
// runs this program with KORVATH_SCREENSHOTS set to the folder to write
// into; it is no test, and ctest does not run it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/field_panels.h"
#include "platform/gdi_object.h"
#include "skin/button/button_lookup.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/core/window_record.h"
#include "skin/engine/panel.h"
#include "skin/panel/panel_window.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/npc_test_record.h"
#include "tests/skin/message_box/box_probes.h"
#include "tests/skin/stress/every_control_form.h"

namespace korvath::app::uitest {
namespace {

// The desktop that Xvfb does not have: a plain window under every other,
// so that what lies around a window (its shadow, a box beside it) shows
// against one colour. It runs on a thread of its own, as a desktop is
// another program's: it repaints what a window uncovers while this thread
// is busy, as during a close effect, which pumps no messages.
constexpr COLORREF kDesktop = RGB(58, 110, 165);

LRESULT CALLBACK DesktopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

class Desktop : public ::testing::Environment {
 public:
  void SetUp() override {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([ready] {
      const platform::GdiBrush colour(CreateSolidBrush(kDesktop));
      WNDCLASSEXW wc = {sizeof wc};
      wc.lpfnWndProc = DesktopProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
      wc.hbrBackground = colour.get();
      wc.lpszClassName = L"KorvathDesktop";
      RegisterClassExW(&wc);
      window_ = CreateWindowExW(WS_EX_NOACTIVATE, wc.lpszClassName, L"desktop", WS_POPUP | WS_DISABLED, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                wc.hInstance, nullptr);
      SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      UpdateWindow(window_);
      SetEvent(ready);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
  }
  void TearDown() override {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  static HWND Window() { return window_; }

 private:
  std::thread thread_;
  static inline HWND window_ = nullptr;
};
const auto* const kDesktopEnvironment = ::testing::AddGlobalTestEnvironment(new Desktop);

std::string OutputFolder() {
  const char* folder = std::getenv("KORVATH_SCREENSHOTS");
  std::string out = folder && *folder ? folder : ".";
  if (out.back() != '\\' && out.back() != '/') out += '\\';
  return out;
}

BOOL CALLBACK AddVisibleWindow(HWND window, LPARAM rect) {
  if (!IsWindowVisible(window)) return TRUE;
  RECT r;
  GetWindowRect(window, &r);
  if (r.right > r.left && r.bottom > r.top) UnionRect(reinterpret_cast<RECT*>(rect), reinterpret_cast<RECT*>(rect), &r);
  return TRUE;
}

// The screen around every visible top-level window of this thread (the
// tool's window, its boxes, their shadows, an open list), `margin` pixels
// wider on each side, inside the screen.
RECT AroundThreadWindows(int margin = 24) {
  RECT all{};
  EnumThreadWindows(GetCurrentThreadId(), &AddVisibleWindow, reinterpret_cast<LPARAM>(&all));
  InflateRect(&all, margin, margin);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&all, &all, &screen);
  return all;
}

// What the screen settles on, the caret of the moment shown.
PixelBuffer Settled(const RECT& r) {
  PixelBuffer picture = SettledScreen(r);
  if (picture.Empty()) ADD_FAILURE() << "the screen did not settle";
  return picture;
}

void Save(const PixelBuffer& picture, const std::string& name) {
  const std::string path = OutputFolder() + name + ".png";
  EXPECT_TRUE(picture.SavePng(path)) << path;
  std::printf("picture: %s (%d x %d)\n", path.c_str(), picture.width, picture.height);
}

void SaveScreenAround(const std::string& name) {
  const RECT around = AroundThreadWindows();
  const PixelBuffer picture = Settled(around);
  EXPECT_TRUE(ShowsCaret(picture, around)) << name << " does not show the caret of the focused box";
  Save(picture, name);
}

// Moves the pointer to the desktop's corner, away from every window.
void PointerAway() { MouseMoveTo(Desktop::Window(), 2, 2); }

// Waits for a box to have faded in, then takes the picture and answers it.
DialogAnswerer::Answer PictureOfBox(const std::string& name, int answer) {
  return [name, answer](HWND box) {
    EXPECT_TRUE(skin::test::WaitForFadeIn(box)) << name;
    SaveScreenAround(name);
    skin::test::Press(box, answer);
  };
}

// The tool as it starts, with an empty document folder, the pointer away.
class ToolPictures : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    RemoveFolder(DocumentFolder());
    CreateDirectoryW(Wide(DocumentFolder()).c_str(), nullptr);
    // The focus where the tool puts it (the fixture's activation took it).
    SetFocus(focusAtStart_);
    PointerAway();
  }
  std::vector<SeenDialog> Generate(std::vector<DialogAnswerer::Answer> answers) {
    return ClickAnswering(生成保存按钮, std::move(answers));
  }
  RECT ClientRect(Unit unit) {
    RECT r;
    GetClientRect(H(unit), &r);
    return r;
  }
  // The buttons' fades have ended: a picture shows their final look.
  static bool ButtonsAtRest() { return skin::SkinEngine.lists.FadeList.empty(); }
};

TEST_F(ToolPictures, TheWindowItsButtonsEditsAndLists) {
  ASSERT_TRUE(PumpUntil(ButtonsAtRest));
  SaveScreenAround("main_window");

  const HWND save = H(生成保存按钮);
  RECT r = ClientRect(生成保存按钮);
  MouseMoveTo(save, r.right / 2, r.bottom / 2);
  ASSERT_TRUE(PumpUntil([] { return !skin::SkinEngine.lists.FadeList.empty(); }, 2000));
  ASSERT_TRUE(PumpUntil(ButtonsAtRest));
  SaveScreenAround("button_hover");
  {
    // A press released away from the button clicks nothing; should it click
    // after all, its box is answered.
    DialogAnswerer guard;
    MouseDown(save, r.right / 2, r.bottom / 2);
    SaveScreenAround("button_pressed");
    PointerAway();
    MouseUp(Desktop::Window(), 2, 2);
    PumpUntil(ButtonsAtRest);
    EXPECT_TRUE(guard.seen().empty()) << "the press released away from the button clicked it";
  }

  TypeInto(名字编辑框, L"张三");
  PointerAway();
  PumpUntil(ButtonsAtRest);
  ASSERT_EQ(GetFocus(), H(名字编辑框));
  SaveScreenAround("edit_focused");

  r = ClientRect(行为组合框);
  Click(H(行为组合框), r.right / 2, r.bottom / 2);
  COMBOBOXINFO info = {sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(H(行为组合框), &info));
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(info.hwndList) != FALSE; }, 3000));
  PointerAway();
  SaveScreenAround("list_open");
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(info.hwndList); }, 3000));
}

TEST_F(ToolPictures, TheBoxesAndTheOpenDialog) {
  TypeInto(名字编辑框, L"张三");
  PointerAway();
  ASSERT_EQ(Generate({PictureOfBox("box_done", IDOK)}).size(), 1u);
  ASSERT_EQ(Generate({PictureOfBox("box_overwrite", IDNO)}).size(), 1u);
  TypeInto(名字编辑框, L"Abc");
  PointerAway();
  ASSERT_EQ(Generate({PictureOfBox("box_warning", IDOK)}).size(), 1u);

  // A file that another program wrote, with a life the form cannot show.
  const std::string foreign = DocumentFolder() + "lisi.pst";
  WriteBytes(foreign, ExpectedFile({{"string Name=\"张三\";", "string Name=\"李四\";"}, {"int HP = 5000;", "int HP = 20000;"}}));
  const std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {
      [&](HWND dialog) {
        // The dialog lists its folder's files once it has read the folder.
        HWND list = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
        list = list ? FindWindowExW(list, nullptr, L"SysListView32", nullptr) : nullptr;
        EXPECT_TRUE(PumpUntil([&] { return list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) >= 2; }, 10000));
        PointerAway();
        SaveScreenAround("open_dialog");
        ChooseFile(foreign)(dialog);
      },
      PictureOfBox("box_read_refused", IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[1].text.find(L"不在可选范围内"), std::wstring::npos);
}

TEST_F(ToolPictures, TheFolderChooser) {
  skin::ZqkPanel& panel = PanelInsides(skin::ZqkWindows()[kFolderPanel]);
  const RECT button = panel.entries().at(0).rectangle;
  const std::wstring start = Wide(DocumentFolder());
  const std::wstring expected = start.substr(0, start.size() - 1).substr(start.find_last_of(L'\\', start.size() - 2) + 1);
  DialogAnswerer answerer({[&](HWND dialog) {
    // It goes to its start folder as it shows. Under Wine, on a busy
    // machine, its walk down the tree now and then stops short and leaves
    // the Desktop chosen: the folder is chosen again then, as a user would.
    if (!PumpUntil([&] { return SelectedTreeText(dialog) == expected; }, 5000)) {
      std::printf("note: the folder dialog opened on \"%ls\"; choosing the start folder again\n",
                  SelectedTreeText(dialog).c_str());
      EXPECT_TRUE(SelectInFolderDialog(dialog, start));
      // The dialog's own walk leaves its tree scrolled to the top, the
      // folder in view below; a folder chosen afterwards is scrolled into
      // view from wherever the tree was. The picture is the same either way.
      const HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
      EXPECT_TRUE(tree && TreeView_Select(tree, TreeView_GetRoot(tree), TVGN_FIRSTVISIBLE));
    }
    SaveScreenAround("folder_chooser");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }});
  const POINT p = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  Click(panel.panel(), p.x, p.y);
  PumpUntil([&] { return !answerer.seen().empty() && !FindThreadDialog(); });
  EXPECT_EQ(answerer.seen().size(), 1u);
}

// The engine's form with every kind of control it skins, at rest, and again
// half-way through its close effect.
class EnginePictures : public ::testing::Test {
 protected:
  void SetUp() override {
    skin::test::StartEngineForEveryControlForm();
    PointerAway();
  }
  void TearDown() override {
    PumpMessages();
    skin::SkinEngineShutdown();
  }
  static constexpr POINT kPlace{640, 300};
};

// The sweep stops where a picture shows it best: over the middle of the fill.
void HoldSweep(HWND bar, int offset) {
  KillTimer(bar, UINT_PTR(skin::GetSkinProp(bar, skin::prop::Hw_lbID)));
  skin::SkinProgressEntry* entry = skin::SkinFindEntry(bar, &skin::SkinWindowRecord::Progresses).get();
  ASSERT_NE(entry, nullptr);
  entry->sweepOffset = offset;
  InvalidateRect(bar, nullptr, FALSE);
  UpdateWindow(bar);
}

TEST_F(EnginePictures, TheEveryControlForm) {
  skin::test::EveryControlForm form(kPlace);
  HoldSweep(form.controls().progress, 50);
  Save(Settled(AroundThreadWindows()), "every_control");
}

struct HalfWay {
  HWND form = nullptr;
  int frames = 0;
  PixelBuffer picture;
  RECT around{};
};
HalfWay halfWay;

// True when every pixel of the picture outside `window` (both in screen
// coordinates, the picture's top left at `origin`) is the desktop's.
bool OnlyDesktopAround(const PixelBuffer& picture, POINT origin, const RECT& window) {
  const uint32_t desktop = uint32_t(GetRValue(kDesktop)) << 16 | uint32_t(GetGValue(kDesktop)) << 8 | GetBValue(kDesktop);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const POINT p{origin.x + x, origin.y + y};
      if (!PtInRect(&window, p) && picture.RgbAt(x, y) != desktop) return false;
    }
  }
  return true;
}

// The fifth of the ten frames, once the desktop has repainted what the
// frames before it uncovered (its thread does so while the effect, which
// pumps no messages, sleeps between frames).
void OnCloseFrame(const skin::LayeredFrame& frame) {
  if (frame.window != halfWay.form || ++halfWay.frames != 5) return;
  const POINT origin{halfWay.around.left, halfWay.around.top};
  for (int i = 0; i < 300; ++i) {
    halfWay.picture = CaptureScreen(halfWay.around);
    if (OnlyDesktopAround(halfWay.picture, origin, frame.bounds)) return;
    Sleep(10);  // the desktop's thread paints; this one may not pump here
  }
  ADD_FAILURE() << "the desktop did not repaint around the fifth frame";
}

TEST_F(EnginePictures, ACloseEffectHalfWay) {
  skin::test::EveryControlForm form(kPlace);
  HoldSweep(form.controls().progress, 50);
  Settled(AroundThreadWindows());
  skin::SkinRecordOfWindow(form.hwnd())->CloseEffect = 1;  // shrinks towards its centre
  halfWay = {form.hwnd(), 0, {}, AroundThreadWindows()};
  skin::SkinWatchLayeredFrames(&OnCloseFrame);
  SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  skin::SkinWatchLayeredFrames(nullptr);
  EXPECT_FALSE(IsWindow(form.hwnd()));
  ASSERT_EQ(halfWay.frames, 10);
  Save(halfWay.picture, "close_effect");
}

}  // namespace
}  // namespace korvath::app::uitest
