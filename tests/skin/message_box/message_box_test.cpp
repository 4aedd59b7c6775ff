// Skinned message boxes driven for real: the hook dressing the box and no
// other dialog, the box's record, layout and layered look, its buttons and
// their answers, its fade-in, shadow and close, what is left after it, and a
// dressing that runs out of memory.
#include <windows.h>
#include <commdlg.h>
#include <pthread.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "gdip/image.h"
#include "platform/gdi_object.h"
#include "platform/window_geometry.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/message_box.h"
#include "skin/engine/start.h"
#include "skin/form/skin_removal.h"
#include "skin/message_box/dialog_layout.h"
#include "skin/message_box/dialog_skin_attach.h"
#include "skin/message_box/dialog_window_proc.h"
#include "skin/message_box/fade_in.h"
#include "skin/message_box/message_box.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/message_box/box_probes.h"
#include "tests/support/failing_allocation.h"
#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::PixelBuffer;
using testsupport::PumpUntil;

constexpr char kCaption[] = "\xCC\xE1\xCA\xBE";  // "提示"
constexpr char kText[] = "\xC7\xEB\xCA\xE4\xC8\xEB NPC \xC3\xFB\xD7\xD6";  // "请输入 NPC 名字"
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;  // 0x30
constexpr UINT kOverwrite = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;  // 0x134

RECT Bounds(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}
using korvath::platform::Width;
using korvath::platform::Height;
RECT Grown(RECT r, int d) {
  InflateRect(&r, d, d);
  return r;
}

int Brightness(uint32_t rgb) { return int((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF)) / 3; }
int Red(uint32_t rgb) { return int(rgb >> 16 & 0xFF); }
int Green(uint32_t rgb) { return int(rgb >> 8 & 0xFF); }
int Blue(uint32_t rgb) { return int(rgb & 0xFF); }

PixelBuffer BackBuffer(HWND box) {
  const SkinWindowRecord* record = SkinRecordOfWindow(box);
  if (!record || !record->BackDC) return {};
  const RECT r = Bounds(box);
  return testsupport::CaptureDC(record->BackDC.get(), 0, 0, Width(r), Height(r));
}

LRESULT HitAt(HWND box, int x, int y) {
  const RECT r = Bounds(box);
  return SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
}

// A button's rectangle in the box's client coordinates.
RECT ButtonRect(HWND box, int id) {
  RECT r = Bounds(GetDlgItem(box, id));
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class MessageBoxTest : public EngineTest {
 protected:
  static void SetUpTestSuite() { SkinEngineStart(); }
  void SetUp() override { windowsBefore_ = ThreadWindowCount(); }
  void TearDown() override {
    // Every box takes its record, shadow and hook with it.
    EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty() || ownerRecord_);
    EXPECT_EQ(SkinEngine.box.MsgBoxCbtHook.get(), nullptr);
    owner_.reset();
    EXPECT_EQ(ThreadWindowCount(), windowsBefore_);
  }
  // A skinned form to own the boxes, with its own background colour.
  HWND SkinnedOwner(COLORREF back) {
    owner_ = std::make_unique<testsupport::TestWindow>(300, 200, L"owner");
    auto record = std::make_unique<SkinWindowRecord>();
    record->Window = owner_->hwnd();
    record->BackColor = back;
    ownerRecord_ = SkinRecordNumber(*SkinAppendWindowRecord(std::move(record)));
    return owner_->hwnd();
  }

  std::unique_ptr<testsupport::TestWindow> owner_;
  int32_t ownerRecord_ = 0;
  int windowsBefore_ = 0;
};

TEST_F(MessageBoxTest, TheHookSkinsTheBoxBeforeItShowsAndTheBoxAnswersAsBefore) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    const SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(DialogSkinWndProc));
    EXPECT_NE(GetSkinProp(box, prop::Hw_hProc), 0);
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU);
    const RECT r = Bounds(box);
    const int w = Width(r), h = Height(r);
    // Rounded corners: the region leaves the corner pixel out.
    korvath::platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(box, region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.get(), w / 2, h / 2));
    EXPECT_TRUE(PtInRegion(region.get(), w - 1, h / 2));
    // One close item in the top right corner.
    ASSERT_EQ(record->CaptionItems.size(), 1u);
    const CaptionItem& close = record->CaptionItems[0];
    EXPECT_EQ(close.Kind, CaptionItemKind::Close);
    EXPECT_EQ(close.Width, 38);
    EXPECT_EQ(close.TipText, "\xB9\xD8\xB1\xD5");  // "关闭"
    EXPECT_FALSE(close.ItemImage.empty());
    EXPECT_EQ(close.Bounds.x, float(w - 36));
    EXPECT_EQ(close.Bounds.y, 2.0f);
    EXPECT_EQ(close.Bounds.width, 36.0f);
    EXPECT_EQ(record->ButtonStripLeft, w - 36);
    EXPECT_EQ(record->ButtonStripWidth, 41);
    // The OK button 12 pixels inside the width and 33 above the height, as
    // placed in client coordinates; the band measured in window coordinates.
    const RECT ok = ButtonRect(box, IDOK);
    EXPECT_EQ(ok.right, w - 12);
    EXPECT_EQ(ok.bottom, h - 33);
    EXPECT_EQ(record->ButtonBandHeight, h - SkinRectInParentWindow(GetDlgItem(box, IDOK)).top + 7);
    EXPECT_TRUE(record->RenderPending);
    // Hit tests: the close button, the caption band, the rest.
    EXPECT_EQ(HitAt(box, w - 35, 4), HTCLOSE);
    EXPECT_EQ(HitAt(box, w - 6, 20), HTCLOSE);
    for (POINT caption : {POINT{w - 36, 4}, {w - 5, 4}, {w - 20, 3}, {w - 20, 21}, {10, 25}}) {
      EXPECT_EQ(HitAt(box, caption.x, caption.y), HTCAPTION) << caption.x << ", " << caption.y;
    }
    EXPECT_EQ(HitAt(box, w - 20, 26), HTCLIENT);
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
  EXPECT_EQ(int(driver.seen().size()), 1);
}

TEST_F(MessageBoxTest, YesAndNoAnswerFiveAndSixFromARightAlignedRow) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    const RECT r = Bounds(box);
    const RECT yes = ButtonRect(box, IDYES);
    const RECT no = ButtonRect(box, IDNO);
    EXPECT_EQ(Width(yes), Width(no));
    EXPECT_EQ(no.left - yes.right, 5);
    EXPECT_EQ(no.right, Width(r) - 12);
    EXPECT_EQ(yes.bottom, Height(r) - 33);
    Press(box, IDYES);
  });
  driver.Add([](HWND box) { Press(box, IDNO); });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kOverwrite, kCaption), 5);
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kOverwrite, kCaption), 6);
}

// The close button and Esc end a box with what the system box answers for
// the same close (WM_CLOSE) and the same key. The skinned box is 10 pixels
// wider than the system's, as high and at the same place.
TEST_F(MessageBoxTest, TheCloseButtonAndEscAnswerAsTheSystemBoxDoes) {
  testsupport::DialogAnswerer driver;
  RECT plain{}, skinned{};
  auto closeButton = [&](HWND box) {
    const RECT r = skinned = Bounds(box);
    const LPARAM at = MAKELPARAM(r.right - 20, r.top + 10);
    EXPECT_EQ(SendMessageW(box, WM_NCLBUTTONDOWN, HTCLOSE, at), 0);  // the press alone does nothing
    testsupport::PumpMessages(30);
    EXPECT_TRUE(IsWindowVisible(box));
    SendMessageW(box, WM_NCLBUTTONUP, HTCLOSE, at);
  };
  auto escape = [](HWND box) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); };
  driver.Add([&](HWND box) {
    plain = Bounds(box);
    SendMessageW(box, WM_CLOSE, 0, 0);
  });
  driver.Add(closeButton);
  driver.Add(escape);
  driver.Add(escape);
  const int plainClose = MessageBoxW(nullptr, L"\u8BF7\u8F93\u5165 NPC \u540D\u5B57", L"\u63D0\u793A", kWarning);
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), plainClose - 1);
  EXPECT_EQ(Width(skinned), Width(plain) + 10);
  EXPECT_EQ(Height(skinned), Height(plain));
  EXPECT_EQ(skinned.left, plain.left);
  const int plainEscape = MessageBoxW(nullptr, L"x", L"x", MB_OKCANCEL);
  EXPECT_EQ(SkinMessageBox(nullptr, kText, MB_OKCANCEL, kCaption), plainEscape - 1);
  EXPECT_EQ(plainEscape, IDCANCEL);
}

// The box is laid out once, when the system has placed its buttons: a box
// shown again (as WM_SHOWWINDOW tells it) keeps what was moved since.
TEST_F(MessageBoxTest, ABoxIsLaidOutOnceAndNotAgainWhenShown) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    ASSERT_TRUE(WaitForFirstPaint(box));
    const SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->BoxLayoutPending);
    HWND ok = GetDlgItem(box, IDOK);
    const RECT laid = ButtonRect(box, IDOK);
    MoveWindow(ok, 3, 4, Width(laid), Height(laid), FALSE);
    SendMessageW(box, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(ButtonRect(box, IDOK), (RECT{3, 4, 3 + Width(laid), 4 + Height(laid)}));
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
  EXPECT_EQ(int(driver.seen().size()), 1);
}

// A dialog of the message box's class with a text and an OK button, made
// shown or hidden, as the system makes a box before it is activated.
HWND SystemLikeBox(bool shown) {
  HWND box = CreateWindowExW(0, L"#32770", L"x", WS_POPUP | WS_CAPTION | (shown ? WS_VISIBLE : 0), 40, 40, 240, 140,
                             nullptr, nullptr, nullptr, nullptr);
  if (!box) return nullptr;
  CreateWindowExW(0, L"Static", L"text", WS_CHILD | WS_VISIBLE | SS_LEFT, 20, 20, 100, 16, box, nullptr, nullptr,
                  nullptr);
  CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 70, 24, box, HMENU(IDOK),
                  nullptr, nullptr);
  return box;
}

// A dialog dressed while it is already shown is laid out at once; one dressed
// while hidden, when it is shown.
TEST_F(MessageBoxTest, ADialogDressedWhileShownIsLaidOutAtOnceAndAHiddenOneWhenShown) {
  for (const bool shown : {true, false}) {
    HWND box = SystemLikeBox(shown);
    ASSERT_NE(box, nullptr);
    HWND ok = GetDlgItem(box, IDOK);
    DialogSkinAttach(box);
    const SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->BoxLayoutPending, !shown);
    if (!shown) {
      EXPECT_EQ(record->ButtonBandHeight, 0);
      ShowWindow(box, SW_SHOWNA);
      EXPECT_FALSE(record->BoxLayoutPending);
    }
    const RECT r = Bounds(box);
    EXPECT_EQ(ButtonRect(box, IDOK).right, Width(r) - 12) << shown;
    EXPECT_EQ(record->ButtonBandHeight, Height(r) - korvath::platform::WindowRectIn(ok, box).top + 7) << shown;
    DestroyWindow(box);
    EXPECT_EQ(SkinRecordOfWindow(box), nullptr);
  }
}

// Memory that runs out at any allocation of a box's dressing, each in turn,
// leaves the box dressed in full (the failure met in a procedure that the
// dressing's messages reach, which ends there) or as the system made it:
// then not layered, which would keep it invisible without its fade-in, not
// to be minimised, with its own procedure and without a record.
TEST_F(MessageBoxTest, ABoxWhoseDressingRunsOutOfMemoryIsDressedInFullOrNotAtAll) {
  int undressed = 0;
  for (int nth = 1;; ++nth) {
    ASSERT_LT(nth, 10000) << "no dressing went without a failed allocation";
    HWND box = SystemLikeBox(true);
    ASSERT_NE(box, nullptr);
    const LONG_PTR own = GetWindowLongPtrW(box, GWLP_WNDPROC);
    bool failed = false;
    {
      const testsupport::FailingAllocation failing(nth);
      DialogSkinAttach(box);
      failed = failing.Failed();
    }
    const bool layered = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    const bool minimisable = (GetWindowLongW(box, GWL_STYLE) & WS_MINIMIZEBOX) != 0;
    if (SkinRecordOfWindow(box)) {
      EXPECT_TRUE(layered) << nth;
      EXPECT_TRUE(minimisable) << nth;
      EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), LONG_PTR(&DialogSkinWndProc)) << nth;
    } else {
      ++undressed;
      EXPECT_FALSE(layered) << nth;
      EXPECT_FALSE(minimisable) << nth;
      EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), own) << nth;
      EXPECT_EQ(SkinFindWindowRecord(box), 0) << nth;
    }
    DestroyWindow(box);
    EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty()) << nth;
    if (!failed) break;
  }
  EXPECT_GT(undressed, 0);
}

// A box whose dressing stops (memory that runs out at any allocation of it,
// each in turn, as the hook dresses it at its activation) takes the hook with
// it: activated again after another window, it is dressed no more than it
// was. A box dressed in full ends the hook at its activation.
TEST_F(MessageBoxTest, ABoxWhoseDressingStopsTakesTheHookWithIt) {
  testsupport::TestWindow other(100, 80, L"other");
  int undressed = 0;
  for (int nth = 1;; ++nth) {
    ASSERT_LT(nth, 10000) << "no dressing went without a failed allocation";
    SkinMessageBoxHookInstall();
    HWND box = SystemLikeBox(false);  // the hook's box from its creation
    ASSERT_NE(box, nullptr);
    bool failed = false;
    {
      const testsupport::FailingAllocation failing(nth);
      ShowWindow(box, SW_SHOW);  // activates it
      failed = failing.Failed();
    }
    testsupport::PumpMessages();
    const bool dressed = SkinRecordOfWindow(box) != nullptr;
    undressed += !dressed;
    EXPECT_EQ(SkinEngine.box.MsgBoxCbtHook.get(), nullptr) << nth;
    SetActiveWindow(other.hwnd());
    SetActiveWindow(box);
    testsupport::PumpMessages();
    EXPECT_EQ(SkinRecordOfWindow(box) != nullptr, dressed) << nth;
    EXPECT_EQ((GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, dressed) << nth;
    SkinMessageBoxHookRemove(box);
    DestroyWindow(box);
    EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty()) << nth;
    if (!failed || HasFailure()) break;
  }
  EXPECT_GT(undressed, 0);
}

// A box whose text the skin does not draw (a blank one) keeps the system's
// layout: 10 pixels wider than the system's box, as high, at the same place.
TEST_F(MessageBoxTest, ABoxWithABlankTextKeepsTheSystemsLayoutWidened) {
  testsupport::DialogAnswerer driver;
  RECT plain{}, skinned{};
  driver.Add([&](HWND box) {
    plain = Bounds(box);
    Press(box, IDOK);
  });
  driver.Add([&](HWND box) {
    ASSERT_TRUE(WaitForFirstPaint(box));
    skinned = Bounds(box);
    Press(box, IDOK);
  });
  MessageBoxW(nullptr, L"  ", L"\u63D0\u793A", MB_OK);
  EXPECT_EQ(SkinMessageBox(nullptr, "  ", MB_OK, kCaption), 0);
  EXPECT_EQ(Width(skinned), Width(plain) + 10);
  EXPECT_EQ(Height(skinned), Height(plain));
  EXPECT_EQ(skinned.left, plain.left);
  EXPECT_EQ(skinned.top, plain.top);
}

// A box that keeps the system's layout keeps it inside the work area: a
// size larger than the work area shrinks to it, a place past its edge moves
// inside.
TEST_F(MessageBoxTest, ABoxThatKeepsTheSystemsLayoutStaysInsideTheWorkArea) {
  testsupport::DialogAnswerer driver;
  driver.Add([&](HWND box) {
    ASSERT_TRUE(WaitForFirstPaint(box));
    SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    const RECT before = Bounds(box);
    record->BoxBaseBounds = {before.left, before.top, before.left + Width(work) + 300, before.bottom};
    DialogLayOut(*record);
    const RECT wide = Bounds(box);
    EXPECT_EQ(wide, (RECT{work.left, before.top, work.right, before.bottom}));
    record->BoxBaseBounds = before;
    SetWindowPos(box, nullptr, work.right - 20, work.bottom - 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DialogLayOut(*record);
    EXPECT_EQ(Bounds(box), (RECT{work.right - Width(before), work.bottom - Height(before), work.right,
                                        work.bottom}));
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, "  ", MB_OK, kCaption), 0);
  EXPECT_EQ(driver.seen().size(), 1u);
}

// The box is painted in its owner's colour under white veils, with lighter
// bands below the caption, a separator above the buttons, an outline, a
// dark title and the close glyph; without a skinned owner in the theme's
// background colour.
TEST_F(MessageBoxTest, TheBackBufferHoldsFrameBandsTitleAndCloseGlyph) {
  for (const bool skinnedOwner : {true, false}) {
    SCOPED_TRACE(skinnedOwner ? "green owner" : "red theme");
    SkinEngine.options.SkinBackgroundColor = RGB(255, 0, 0);
    HWND owner = skinnedOwner ? SkinnedOwner(RGB(0, 255, 0)) : nullptr;
    testsupport::DialogAnswerer driver;
    driver.Add([skinnedOwner](HWND box) {
      ASSERT_TRUE(WaitForFirstPaint(box));
      const PixelBuffer p = BackBuffer(box);
      const int w = p.width, h = p.height;
      const int band = SkinRecordOfWindow(box)->ButtonBandHeight;
      const uint32_t body = p.RgbAt(w / 2, 40);
      if (skinnedOwner) {
        EXPECT_GT(Green(body), Red(body) + 20);
      } else {
        EXPECT_GT(Red(body), Green(body) + 20);
      }
      EXPECT_GT(std::min(Red(body), Green(body)), 0x60);  // under white veils
      EXPECT_LT(Brightness(p.RgbAt(w / 2, 3)), Brightness(body));  // the caption band is less veiled
      EXPECT_LT(Brightness(p.RgbAt(w / 2, 0)) + 20, Brightness(p.RgbAt(w / 2, 3)));  // outline
      EXPECT_EQ(p.At(0, 0) >> 24, 0u);  // outside the rounded corner
      const int separator = Brightness(p.RgbAt(w / 2, h - band));
      EXPECT_LT(separator + 10, Brightness(p.RgbAt(w / 2, h - band - 2)));
      EXPECT_LT(separator + 10, Brightness(p.RgbAt(w / 2, h - band + 2)));
      int darkest = 255;
      for (int y = 2; y < 24; ++y) {
        for (int x = 8; x < 40; ++x) darkest = std::min(darkest, Brightness(p.RgbAt(x, y)));
      }
      EXPECT_LT(darkest, 0x50);  // the title
      EXPECT_LT(Brightness(p.RgbAt(w - 18, 13)), 0x60);  // the close glyph's centre
      // Hover look of the close button: a red plate, until the mouse leaves.
      const uint32_t plateBefore = p.RgbAt(w - 12, 19);
      SendMessageW(box, WM_NCMOUSEMOVE, HTCLOSE, 0);
      EXPECT_TRUE(SkinRecordOfWindow(box)->CloseHot);
      const uint32_t hot = BackBuffer(box).RgbAt(w - 12, 19);
      EXPECT_GT(Red(hot), Blue(hot) + 60);
      EXPECT_GT(Red(hot), Green(hot) + 60);
      SendMessageW(box, WM_NCMOUSEMOVE, HTCAPTION, 0);
      EXPECT_FALSE(SkinRecordOfWindow(box)->CloseHot);
      EXPECT_EQ(BackBuffer(box).RgbAt(w - 12, 19), plateBefore);
      // A full paint while hot draws the normal look; one back buffer stays.
      SendMessageW(box, WM_NCMOUSEMOVE, HTCLOSE, 0);
      const size_t surfaces = SkinMemoryDcList().size();
      RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      EXPECT_EQ(BackBuffer(box).RgbAt(w - 12, 19), plateBefore);
      EXPECT_EQ(SkinMemoryDcList().size(), surfaces);
      if (HasFailure()) testsupport::SaveFailureImage(p, "message_box_back_buffer");
      Press(box, IDOK);
    });
    EXPECT_EQ(SkinMessageBox(owner, kText, kWarning, kCaption), 0);
    EXPECT_EQ(SkinFindWindowRecord(owner), skinnedOwner ? 1 : 0);
    owner_.reset();
    ownerRecord_ = 0;
    SkinEngine.lists.SkinWindowList.clear();
  }
}

// A print of the box's client area gives the picture its last paint put on
// the window, from the client corner on, with its buttons and statics left
// out (each prints itself).
TEST_F(MessageBoxTest, PrintingTheClientGivesTheBackBufferAroundTheControls) {
  HWND owner = SkinnedOwner(RGB(0, 255, 0));
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    ASSERT_TRUE(WaitForFirstPaint(box));
    const PixelBuffer back = BackBuffer(box);
    POINT origin{0, 0};
    ClientToScreen(box, &origin);
    const RECT bounds = Bounds(box);
    const int ox = origin.x - bounds.left, oy = origin.y - bounds.top;
    std::vector<RECT> controls;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (!IsWindowVisible(c)) continue;
      RECT r = Bounds(c);
      MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
      controls.push_back(r);
    }
    ASSERT_FALSE(controls.empty());
    const PixelBuffer printed = testsupport::PrintClient(box, 0xFF00FF);
    ASSERT_GT(printed.width, 0);
    int compared = 0, differing = 0, onControls = 0;
    for (int y = 0; y < printed.height; ++y) {
      for (int x = 0; x < printed.width; ++x) {
        const bool onControl = std::any_of(controls.begin(), controls.end(),
                                           [&](const RECT& r) { return PtInRect(&r, POINT{x, y}) != FALSE; });
        if (onControl) {
          onControls += printed.RgbAt(x, y) != 0xFF00FF;
        } else {
          ++compared;
          differing += printed.RgbAt(x, y) != back.RgbAt(x + ox, y + oy);
        }
      }
    }
    EXPECT_GT(compared, printed.width * printed.height / 2);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(onControls, 0) << "the controls are left out";
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(owner, kText, kWarning, kCaption), 0);
}

// A box owned by a form with a background picture shows the picture, and
// decodes it and its close glyph once: its repaints and the close button's
// hover and leave only draw. The tool's boxes are owned by a window whose
// picture is 557 x 800, which takes longer to decode than the box to paint.
TEST_F(MessageBoxTest, ABoxDecodesItsOwnersPictureOnceNotAtEveryPaint) {
  HWND owner = SkinnedOwner(RGB(0, 0, 0));
  std::vector<uint32_t> pixels(64 * 64, 0xFFFFFF00u);  // yellow
  SkinRecordAt(ownerRecord_)->SkinImage = testsupport::EncodePng(64, 64, pixels);
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    ASSERT_TRUE(WaitForFirstPaint(box));
    // Yellow under the black fill's and the white veils: more red and green
    // than blue.
    const uint32_t picture = BackBuffer(box).RgbAt(30, 40);
    EXPECT_GT(Red(picture), Blue(picture) + 20);
    EXPECT_GT(Green(picture), Blue(picture) + 20);
    const uint64_t decoded = korvath::gdip::Image::StreamLoads();
    for (int i = 0; i < 3; ++i) {
      RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      SendMessageW(box, WM_NCMOUSEMOVE, HTCLOSE, 0);
      SendMessageW(box, WM_NCMOUSEMOVE, HTCAPTION, 0);
    }
    EXPECT_EQ(korvath::gdip::Image::StreamLoads(), decoded);
    EXPECT_EQ(BackBuffer(box).RgbAt(30, 40), picture);
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(owner, kText, kWarning, kCaption), 0);
  owner_.reset();
  ownerRecord_ = 0;
  SkinEngine.lists.SkinWindowList.clear();
}

// The title's glowing picture is kept for the next box with the same title
// and width: a box with another title shows its own, and the first title
// comes back exactly as it was drawn the first time.
TEST_F(MessageBoxTest, EachBoxShowsItsOwnTitleThoughTheLastTitlesPictureIsKept) {
  constexpr char kOtherCaption[] = "\xBE\xAF\xB8\xE6";  // "警告"
  auto titleBand = [](const char* caption) {
    std::vector<uint32_t> band;
    testsupport::DialogAnswerer driver;
    driver.Add([&band](HWND box) {
      ASSERT_TRUE(WaitForFirstPaint(box));
      const PixelBuffer p = BackBuffer(box);
      for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < p.width - 40; ++x) band.push_back(p.At(x, y));
      }
      Press(box, IDOK);
    });
    EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, caption), 0);
    return band;
  };
  const std::vector<uint32_t> first = titleBand(kCaption);
  const std::vector<uint32_t> other = titleBand(kOtherCaption);
  const std::vector<uint32_t> again = titleBand(kCaption);
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(other.size(), first.size());  // the same width: only the title differs
  EXPECT_NE(other, first);
  EXPECT_EQ(again, first);
}

bool FadesInTo240(HWND box) { return PumpUntil([box] { return LayeredAlpha(box) == 240; }, 3000); }

// Every box fades in on its own: two in a row, and one opened while
// another is still open. A box keeps its own owner's colours after a box
// that it owns has come and gone.
TEST_F(MessageBoxTest, EveryBoxFadesInAlsoOneOpenedWhileAnotherLives) {
  HWND owner = SkinnedOwner(RGB(0, 255, 0));
  testsupport::DialogAnswerer driver;
  int inner = -2;
  driver.Add([&](HWND outer) {
    EXPECT_TRUE(FadesInTo240(outer));
    inner = SkinMessageBox(outer, kText, kWarning, kCaption);
    EXPECT_EQ(SkinEngine.lists.SkinWindowList.size(), 2u);
    EXPECT_TRUE(IsWindowVisible(outer));
    RedrawWindow(outer, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const uint32_t body = BackBuffer(outer).RgbAt(20, 40);
    EXPECT_GT(Green(body), Red(body) + 20);
    Press(outer, IDYES);
  });
  driver.Add([](HWND box) {
    EXPECT_TRUE(FadesInTo240(box));
    Press(box, IDOK);
  });
  driver.Add([](HWND box) {
    EXPECT_TRUE(FadesInTo240(box));
    Press(box, IDNO);
  });
  EXPECT_EQ(SkinMessageBox(owner, kText, kOverwrite, kCaption), 5);
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kOverwrite, kCaption), 6);
  EXPECT_EQ(int(driver.seen().size()), 3);
}

INT_PTR CALLBACK DefDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HHOOK early = nullptr;
LRESULT CALLBACK AnswerAtActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && SkinRecordOfWindow(reinterpret_cast<HWND>(wParam))) {
    Press(reinterpret_cast<HWND>(wParam), IDOK);
  }
  return CallNextHookEx(early, code, wParam, lParam);
}

// A box answered before it ever painted: nothing of it is left, and the
// next box fades in as ever. Fade threads end by themselves.
TEST_F(MessageBoxTest, ABoxGoneBeforeItsFirstPaintLeavesNothingBehind) {
  const int threads = ProcessThreadCount();
  // Runs after the skin's own hook (a later hook comes first and chains to
  // this one): the answer is queued before the box can paint.
  early = SetWindowsHookExW(WH_CBT, AnswerAtActivation, nullptr, GetCurrentThreadId());
  const int painted = int(SkinMemoryDcList().size());
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
  UnhookWindowsHookEx(early);
  EXPECT_EQ(int(SkinMemoryDcList().size()), painted);
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    EXPECT_TRUE(FadesInTo240(box));
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
  EXPECT_TRUE(PumpUntil([&] { return ProcessThreadCount() <= threads; }, 3000));
}

// The shadow reaches 15 pixels beyond the box on every side and follows it
// when it moves or changes size alone; it hides when the box is hidden.
TEST_F(MessageBoxTest, TheShadowFollowsTheBoxAndHidesWithIt) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    HWND shadow = SkinRecordOfWindow(box)->ShadowWindow;
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(SkinGetClassNameText(shadow), "yinyWindow");
    EXPECT_EQ(GetWindow(shadow, GW_OWNER), box);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_EQ(GetSkinProp(shadow, prop::Yyck_yysd), 15);
    EXPECT_EQ(GetSkinProp(shadow, prop::Yyck_Tmd), 20);
    EXPECT_TRUE(GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_EQ(Bounds(shadow), Grown(Bounds(box), 15));
    const RECT start = Bounds(box);
    SetWindowPos(box, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Bounds(shadow), (RECT{35, 45, 65 + Width(start), 75 + Height(start)}));
    SetWindowPos(box, nullptr, 0, 0, Width(start) + 20, Height(start), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Bounds(shadow), (RECT{35, 45, 85 + Width(start), 75 + Height(start)}));
    ShowWindow(box, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(shadow));
    EXPECT_EQ(Bounds(box), (RECT{50, 60, 70 + Width(start), 60 + Height(start)}));  // no close played
    ShowWindow(box, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_EQ(Bounds(shadow), Grown(Bounds(box), 15));
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
}

// A minimised box takes its shadow along, whoever minimises it (the system
// command is what Wine sends when a window manager minimises the box with
// its owner, and it sends it only to a box that may be minimised); restored,
// the shadow is back around the box, where it is now.
TEST_F(MessageBoxTest, AMinimisedBoxTakesItsShadowAlongAndBringsItBackWhereItIsRestored) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    ASSERT_TRUE(PumpUntil([record] { return record->ShadowWindow && record->ShadowDrawn; }, 3000));
    const HWND shadow = record->ShadowWindow;
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & WS_MINIMIZEBOX);
    const auto byCommand = [](HWND window, bool minimise) {
      SendMessageW(window, WM_SYSCOMMAND, minimise ? SC_MINIMIZE : SC_RESTORE, 0);
    };
    const auto byShowWindow = [](HWND window, bool minimise) { ShowWindow(window, minimise ? SW_MINIMIZE : SW_RESTORE); };
    const struct {
      const char* how;
      void (*ask)(HWND, bool);
    } ways[] = {{"the system command", byCommand}, {"ShowWindow", byShowWindow}};
    for (const auto& way : ways) {
      SCOPED_TRACE(way.how);
      const RECT before = Bounds(shadow);
      way.ask(box, true);
      ASSERT_TRUE(IsIconic(box));
      EXPECT_FALSE(IsWindowVisible(shadow));
      EXPECT_EQ(Bounds(shadow), before) << "the shadow went to the icon";
      // Moved while minimised: it comes back at its new place.
      WINDOWPLACEMENT placement{sizeof placement};
      GetWindowPlacement(box, &placement);
      OffsetRect(&placement.rcNormalPosition, 30, 20);
      placement.showCmd = SW_SHOWMINNOACTIVE;
      SetWindowPlacement(box, &placement);
      EXPECT_FALSE(IsWindowVisible(shadow));
      way.ask(box, false);
      ASSERT_FALSE(IsIconic(box));
      EXPECT_TRUE(IsWindowVisible(shadow));
      EXPECT_EQ(Bounds(shadow), Grown(Bounds(box), 15));
    }
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
}

// A box minimised before its shadow is made gets it hidden; the shadow
// shows, drawn, when the box is restored.
TEST_F(MessageBoxTest, AShadowMadeWhileTheBoxIsMinimisedShowsWhenItIsRestored) {
  HWND box = SystemLikeBox(true);
  ASSERT_NE(box, nullptr);
  DialogSkinAttach(box);
  SkinWindowRecord* record = SkinRecordOfWindow(box);
  ASSERT_NE(record, nullptr);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // its first frame asks for the shadow
  ASSERT_EQ(record->ShadowWindow, nullptr);
  ShowWindow(box, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return (record = SkinRecordOfWindow(box)) && record->ShadowWindow; }, 3000));
  const HWND shadow = record->ShadowWindow;
  EXPECT_FALSE(IsWindowVisible(shadow));
  ShowWindow(box, SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_TRUE(record->ShadowDrawn);
  EXPECT_EQ(Bounds(shadow), Grown(Bounds(box), 15));
  ASSERT_TRUE(FadesInTo240(box));
  DestroyWindow(box);
}

// The shadow does not hold up the box's first frame: it is made and drawn
// just after it, and it shows with the box.
TEST_F(MessageBoxTest, TheShadowIsDrawnJustAfterTheBoxsFirstFrame) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    ASSERT_TRUE(WaitForFirstPaint(box));
    EXPECT_TRUE(PumpUntil([record] { return record->ShadowWindow && record->ShadowDrawn; }, 3000));
    EXPECT_TRUE(IsWindowVisible(record->ShadowWindow));
    EXPECT_EQ(GetWindow(record->ShadowWindow, GW_OWNER), box);
    Press(box, IDOK);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
}

// The box shrinks to its centre in ten fading frames when it closes, and
// keeps its size and alpha when it merely gets the focus.
TEST_F(MessageBoxTest, TheBoxShrinksAwayWhenItClosesAndOnlyThen) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    ASSERT_TRUE(FadesInTo240(box));
    const RECT start = Bounds(box);
    SetFocus(box);
    SendMessageW(box, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(Bounds(box), start);
    EXPECT_EQ(LayeredAlpha(box), 240);
    HWND shadow = SkinRecordOfWindow(box)->ShadowWindow;
    EndDialog(box, IDYES);
    EXPECT_FALSE(IsWindowVisible(shadow));
    const RECT end = Bounds(box);
    const int dx = Width(start) / 10, dy = Height(start) / 10;
    EXPECT_EQ(Width(end), Width(start) - 10 * dx);
    EXPECT_EQ(Height(end), Height(start) - 10 * dy);
    EXPECT_NEAR(end.left, start.left + 10 * (dx / 2.0), 10);
    EXPECT_NEAR(end.top, start.top + 10 * (dy / 2.0), 10);
  });
  // Closed in the middle of its fade-in: the fade ends there and leaves the
  // shrunk picture alone (its next step would make the box a full-size
  // translucent window again).
  driver.Add([](HWND box) {
    ASSERT_TRUE(WaitForFirstPaint(box));
    SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_TRUE(PumpUntil([&] { return record->FadeInThread.joinable(); }));
    // The fade's own thread, looked at through a handle of the test's.
    HANDLE fade = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), pthread_gethandle(record->FadeInThread.native_handle()),
                                GetCurrentProcess(), &fade, SYNCHRONIZE, FALSE, 0));
    EndDialog(box, IDNO);
    // Ended by the time the box has closed.
    EXPECT_EQ(WaitForSingleObject(fade, 0), WAIT_OBJECT_0);
    CloseHandle(fade);
    EXPECT_EQ(LayeredAlpha(box), -1);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kOverwrite, kCaption), 5);
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kOverwrite, kCaption), 6);
}

// A first paint that runs out of memory still asks for the box's fade-in:
// the box, invisible until then, comes to its full alpha.
TEST_F(MessageBoxTest, ABoxWhoseFirstPaintRunsOutOfMemoryStillFadesIn) {
  HWND box = CreateWindowExW(0, L"#32770", L"x", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 240, 140, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(box, nullptr);
  CreateWindowExW(0, L"Static", L"text", WS_CHILD | WS_VISIBLE | SS_LEFT, 20, 20, 100, 16, box, nullptr, nullptr,
                  nullptr);
  DialogSkinAttach(box);
  ASSERT_NE(SkinRecordOfWindow(box), nullptr);
  ASSERT_EQ(LayeredAlpha(box), 0);
  {
    const testsupport::FailingAllocation failing;
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(failing.Failed());
  }
  EXPECT_TRUE(FadesInTo240(box));
  DestroyWindow(box);
}

// A box fades in once, after its first paint: a repaint of a box that has
// faded in starts no fade again, which would take the box down to its first
// step's alpha and up again; the box keeps the alpha it has.
TEST_F(MessageBoxTest, ABoxFadesInOnceAndItsRepaintsLeaveItsAlpha) {
  HWND box = SystemLikeBox(true);
  ASSERT_NE(box, nullptr);
  DialogSkinAttach(box);
  SkinWindowRecord* record = SkinRecordOfWindow(box);
  ASSERT_NE(record, nullptr);
  ASSERT_TRUE(FadesInTo240(box));
  // The thread the box holds for its fade, looked at through a handle of the
  // test's: ended.
  const auto fadeEnded = [&] {
    HANDLE fade = nullptr;
    if (!record->FadeInThread.joinable() ||
        !DuplicateHandle(GetCurrentProcess(), pthread_gethandle(record->FadeInThread.native_handle()),
                         GetCurrentProcess(), &fade, SYNCHRONIZE, FALSE, 0)) {
      return false;
    }
    const bool ended = PumpUntil([fade] { return WaitForSingleObject(fade, 0) == WAIT_OBJECT_0; }, 5000);
    CloseHandle(fade);
    return ended;
  };
  ASSERT_TRUE(fadeEnded());
  // An alpha that no step of a fade gives (each gives a multiple of 24): a
  // fade started again would leave 240.
  constexpr BYTE kKept = 100;
  SetLayeredWindowAttributes(box, 0xFF00FF, kKept, LWA_COLORKEY | LWA_ALPHA);
  for (int i = 0; i < 3; ++i) {
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testsupport::PumpMessages();  // what the paint posted
  }
  EXPECT_TRUE(fadeEnded());
  EXPECT_EQ(LayeredAlpha(box), int(kKept));
  DestroyWindow(box);
}

// A fade-in that cannot start, for want of memory as of a thread, shows the
// box at its last alpha at once.
TEST_F(MessageBoxTest, AFadeInThatCannotStartShowsTheBoxAtOnce) {
  HWND box = CreateWindowExW(WS_EX_LAYERED, L"#32770", L"x", WS_POPUP | WS_VISIBLE, 40, 40, 120, 60, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(box, nullptr);
  SkinSetWindowAlpha(box, 0);
  std::jthread fade;
  {
    const testsupport::FailingAllocation failing;
    EXPECT_NO_THROW(fade = FadeInStart(box));
    EXPECT_TRUE(failing.Failed());
  }
  EXPECT_FALSE(fade.joinable());
  EXPECT_EQ(LayeredAlpha(box), int(kFadeInFinalAlpha));
  DestroyWindow(box);
}

// A modeless dialog ("#32770") of the plain template, not shown.
HWND EmptyDialog() {
  struct {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
  } dialog{{WS_POPUP | WS_CAPTION, 0, 0, 10, 10, 120, 60}, 0, 0, 0};
  return CreateDialogIndirectW(GetModuleHandleW(nullptr), &dialog.header, nullptr, DefDialogProc);
}

// The hook dresses the box it was installed for and nothing else: not the
// open dialog or the folder chooser after a box, also not after a box that
// could not be shown, nor a window of another class.
TEST_F(MessageBoxTest, OnlyTheBoxIsSkinnedNeverTheOpenDialogOrTheFolderChooser) {
  auto unskinned = [](HWND dialog) {
    EXPECT_EQ(GetSkinProp(dialog, prop::Hw_hProc), 0);
    EXPECT_EQ(SkinFindWindowRecord(dialog), 0);
    EXPECT_FALSE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYERED);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  };
  auto openDialog = [] {
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW ofn{sizeof ofn};
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    GetOpenFileNameW(&ofn);
  };
  auto folderChooser = [] {
    BROWSEINFOW info{};
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info)) CoTaskMemFree(chosen);
  };
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) { Press(box, IDOK); });
  driver.Add(unskinned);
  driver.Add(unskinned);
  driver.Add(unskinned);
  EXPECT_EQ(SkinMessageBox(nullptr, kText, kWarning, kCaption), 0);
  openDialog();
  HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(SkinMessageBox(gone, kText, kWarning, kCaption), -1);
  EXPECT_EQ(SkinEngine.box.MsgBoxCbtHook.get(), nullptr);
  openDialog();
  folderChooser();
  EXPECT_EQ(int(driver.seen().size()), 4);
  // An installed hook takes the first dialog made after it for its box.
  SkinMessageBoxHookInstall();
  testsupport::TestWindow other(100, 80, L"other");
  testsupport::Activate(other.hwnd());
  EXPECT_EQ(GetSkinProp(other.hwnd(), prop::Hw_hProc), 0);
  HWND first = EmptyDialog();
  HWND second = EmptyDialog();
  testsupport::Activate(second);
  EXPECT_EQ(SkinFindWindowRecord(second), 0);
  testsupport::Activate(first);
  EXPECT_NE(SkinFindWindowRecord(first), 0);
  SkinMessageBoxHookRemove(first);
  EXPECT_EQ(SkinEngine.box.MsgBoxCbtHook.get(), nullptr);
  DestroyWindow(second);
  DestroyWindow(first);
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
}

// Taking the skin off a live box gives it its own procedure back and
// removes its record alone; it answers as a plain box from then on.
TEST_F(MessageBoxTest, UnskinningGivesTheProcedureBackAndRemovesOnlyTheBoxRecord) {
  HWND owner = SkinnedOwner(RGB(0, 255, 0));
  testsupport::DialogAnswerer driver;
  driver.Add([owner](HWND box) {
    EXPECT_EQ(SkinFindWindowRecord(box), 2);
    const LONG_PTR previous = GetSkinProp(box, prop::Hw_hProc);
    SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    UnskinWindow(*record);
    EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), previous);
    EXPECT_EQ(SkinFindWindowRecord(box), 0);
    EXPECT_EQ(SkinEngine.lists.SkinWindowList.size(), 1u);
    EXPECT_EQ(GetSkinProp(owner, prop::Hw_lbID), 1);
    EXPECT_EQ(GetSkinProp(box, prop::Hw_hProc), previous);  // properties stay
    Press(box, IDNO);
  });
  EXPECT_EQ(SkinMessageBox(owner, kText, kOverwrite, kCaption), 6);
  EXPECT_EQ(SkinEngine.lists.SkinWindowList.size(), 1u);
}

}  // namespace
