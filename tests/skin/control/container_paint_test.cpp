// Group boxes under the control layer: the subclass order, the framed look
// painted over the skinned background and kept in the child layer, the
// caption strip, the skins of the controls inside, and the washed look of a
// group box without children. Other controls of the layer: one that paints
// on its own window, laid over the background where it was invalidated, and
// the frame mode's frame and drop-down face.
#include "skin/control/container_paint.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include "skin/control/container_skin.h"
#include "skin/control/control_skin.h"
#include "skin/control/frame_paint.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_props.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/pen.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/skin_graphics.h"
#include "skin/engine/attach.h"
#include "skin/install/container_attach.h"
#include "skin/install/control_attach.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/skin/draw/noisy_section.h"

namespace korvath::skin {
namespace {

using testsupport::ColorNear;
using testsupport::PixelBuffer;
using test::Shown;

constexpr uint32_t kBackground = 0x808080;
constexpr uint32_t kLayerMark = 0x00FF00;

uint32_t Grey(uint32_t level) { return level << 16 | level << 8 | level; }
// What a colour at `alpha` over the grey background gives.
uint32_t Over(uint32_t level, int alpha) { return Grey((level * alpha + 0x80 * (255 - alpha) + 127) / 255); }

class ContainerPaintTest : public test::EngineTest {
 protected:
  ContainerPaintTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinAlpha = 160;
  }
  HWND AddGroup(const wchar_t* caption, DWORD style = BS_GROUPBOX) {
    return CreateWindowExW(0, L"Button", caption, WS_CHILD | WS_VISIBLE | style, 20, 20, 200, 100,
                           form_.hwnd(), nullptr, nullptr, nullptr);
  }
  static HWND AddInside(HWND parent, const wchar_t* cls, DWORD style, int x, int y) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, 60, 22, parent, nullptr, nullptr,
                           nullptr);
  }
  static void Repaint(HWND window, bool erase) {
    InvalidateRect(window, nullptr, erase);
    UpdateWindow(window);
  }
  SkinWindowRecord& record() { return *SkinRecordAt(form_.recordNumber()); }
  SkinContainerEntry& ContainerOf(HWND window) {
    return record().Containers[size_t(GetSkinProp(window, prop::Hw_lbID)) - 1];
  }
  fixture::SkinnedForm form_{300, 200, kBackground};
};

// A group box with controls inside is first put under the control layer,
// then registered as a framed container: its messages pass the container
// procedure, the control procedure and its own, in that order, and the
// controls inside get their skins (a static does not).
TEST_F(ContainerPaintTest, AGroupBoxWithControlsPassesBothLayersAndSkinsItsControls) {
  const HWND group = AddGroup(L"");
  const LONG_PTR own = GetWindowLongPtrW(group, GWLP_WNDPROC);
  const HWND check = AddInside(group, L"Button", BS_AUTOCHECKBOX, 10, 20);
  const HWND edit = AddInside(group, L"Edit", WS_BORDER, 80, 20);
  const HWND list = AddInside(group, L"ListBox", 0, 10, 50);
  const HWND text = AddInside(group, L"Static", 0, 80, 50);
  ContainerControlSkinAttach(group);

  EXPECT_EQ(GetWindowLongPtrW(group, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ContainerSkinWndProc));
  EXPECT_EQ(GetSkinProp(group, prop::Hw_hProc), reinterpret_cast<LONG_PTR>(&ControlSkinWndProc));
  EXPECT_EQ(GetSkinProp(group, prop::Kj_hProc), own);
  EXPECT_EQ(GetSkinProp(group, prop::Kj_lbID), 1);
  const SkinToolbarEntry& entry = record().Toolbars[0];
  EXPECT_EQ(entry.keyColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_FALSE(entry.repaint);
  EXPECT_EQ(entry.frameMode, 0);
  const SkinContainerEntry& container = ContainerOf(group);
  EXPECT_TRUE(container.framed);
  EXPECT_EQ(container.kind, ContainerKind::GroupBox);
  EXPECT_EQ(container.backgroundColor, 0u);
  for (HWND skinned : {check, edit, list}) EXPECT_EQ(GetSkinProp(skinned, prop::Hw_FuID), form_.recordNumber());
  EXPECT_EQ(GetSkinProp(text, prop::Hw_FuID), 0);
  EXPECT_EQ(SendMessageW(group, WM_GETTEXTLENGTH, 0, 0), 0);
}

// Attaching a control again, or one another skin subclassed, adds no entry
// and no layer: the control's messages still end in its own procedure.
TEST_F(ContainerPaintTest, ASecondAttachAddsNoLayer) {
  const HWND group = AddGroup(L"abc");
  AddInside(group, L"Static", 0, 10, 20);
  ContainerControlSkinAttach(group);
  const LONG_PTR top = GetWindowLongPtrW(group, GWLP_WNDPROC);
  ContainerControlSkinAttach(group);
  ToolbarSkinAttach(group);
  EXPECT_EQ(GetWindowLongPtrW(group, GWLP_WNDPROC), top);
  EXPECT_EQ(record().Toolbars.size(), 1u);
  EXPECT_EQ(record().Containers.size(), 1u);
  EXPECT_EQ(SendMessageW(group, WM_GETTEXTLENGTH, 0, 0), 3);
}

// The framed look: two rounded lines from y = 5, darker outside and lighter
// inside, over the untouched background. With no caption the top line runs
// through unbroken.
TEST_F(ContainerPaintTest, AGroupBoxWithoutCaptionShowsItsWholeFrameOverTheBackground) {
  const HWND group = AddGroup(L"");
  AddInside(group, L"Static", 0, 10, 40);
  ContainerControlSkinAttach(group);
  Repaint(group, true);
  const PixelBuffer look = Shown(group);
  for (int x = 6; x < 193; ++x) {
    ASSERT_TRUE(ColorNear(look.RgbAt(x, 5), Over(0, 40), 2)) << x;
    ASSERT_TRUE(ColorNear(look.RgbAt(x, 6), Over(0xFF, 90), 2)) << x;
  }
  EXPECT_TRUE(ColorNear(look.RgbAt(0, 50), Over(0, 40), 2));
  EXPECT_TRUE(ColorNear(look.RgbAt(199, 50), Over(0, 40), 2));
  EXPECT_TRUE(ColorNear(look.RgbAt(100, 2), kBackground, 0));
  EXPECT_TRUE(ColorNear(look.RgbAt(100, 30), kBackground, 0));
  EXPECT_FALSE(ContainerOf(group).rebuild);
  EXPECT_EQ(ContainerOf(group).paintedWidth, 200);
}

// The frame's two outlines, drawn onto the buffer's own pixels, are those
// GDI+ strokes through the buffer's DC, pixel for pixel and alpha too, at
// the tool's group box sizes and others, over a background where every pixel
// differs.
TEST_F(ContainerPaintTest, AGroupBoxFrameHasThePixelsGdiPlusStrokesThroughTheBuffersDC) {
  for (const SIZE size : {SIZE{288, 32}, SIZE{359, 176}, SIZE{359, 48}, SIZE{200, 100}, SIZE{31, 17}}) {
    const HWND group = CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, size.cx,
                                       size.cy, form_.hwnd(), nullptr, nullptr, nullptr);
    AddInside(group, L"Static", 0, 10, 10);
    ContainerControlSkinAttach(group);
    const auto seed = uint32_t(size.cx * 1000 + size.cy);
    test::NoisySection painted(size.cx, size.cy, seed), expected(size.cx, size.cy, seed);
    GroupBoxSkinPaint(SkinFoundEntryAt(*SkinRecordAt(form_.recordNumber()), &SkinWindowRecord::Containers,
                                       int32_t(GetSkinProp(group, prop::Hw_lbID))),
                      painted.dc.get());
    {
      gdip::Graphics g;
      gdip::GraphicsPath path;
      gdip::Pen dark, light;
      ASSERT_TRUE(SkinGraphicsOnDC(g, expected.dc.get()) && path.Create());
      ASSERT_TRUE(dark.CreateFromColor(gdip::Argb(SkinArgbFromColorRef(0x000000, 40)), 1.0f));
      ASSERT_TRUE(light.CreateFromColor(gdip::Argb(SkinArgbFromColorRef(0xFFFFFF, 90)), 1.0f));
      const float w = float(size.cx), h = float(size.cy);
      SkinPathAddRoundRect(path, 0, 5, w - 1, h - 6, 5);
      ASSERT_TRUE(g.DrawPath(dark, path));
      path.Reset();
      SkinPathAddRoundRect(path, 1, 6, w - 3, h - 8, 3);
      ASSERT_TRUE(g.DrawPath(light, path));
    }
    const test::PixelDifference difference = test::ComparePixels(painted, expected);
    EXPECT_EQ(difference.count, 0) << size.cx << "x" << size.cy << ", first at " << difference.first;
    DestroyWindow(group);
  }
}

// A caption is drawn on a cleared strip of the frame, at the left with
// BS_LEFT and at the right without alignment bits.
TEST_F(ContainerPaintTest, TheCaptionStandsOnAClearedStripWhereItsStyleSays) {
  for (const DWORD align : {DWORD(BS_LEFT), DWORD(0)}) {
    const HWND group = AddGroup(L"WWWW", BS_GROUPBOX | align);
    AddInside(group, L"Static", 0, 10, 40);
    ContainerControlSkinAttach(group);
    Repaint(group, true);
    const PixelBuffer look = Shown(group);
    const SkinContainerEntry& entry = ContainerOf(group);
    const int width = SkinMeasureTextWidth("WWWW", entry.captionFontFace, entry.captionFontSize,
                                           entry.captionFontStyle);
    ASSERT_GT(width, 10);
    const int left = align == BS_LEFT ? 10 : 200 - width - 10;
    int cleared = 0;
    for (int x = left; x < left + width; ++x)
      if (!ColorNear(look.RgbAt(x, 5), Over(0, 40), 2)) ++cleared;
    EXPECT_GT(cleared, width / 2) << align;
    const int otherSide = align == BS_LEFT ? 180 : 15;
    EXPECT_TRUE(ColorNear(look.RgbAt(otherSide, 5), Over(0, 40), 2)) << align;
    DestroyWindow(group);
  }
}

// A tinted group box clears the strip under its caption to the background
// and tints it as a rectangle from the frame's top line down, so that the
// strip meets the tint inside the frame on that line at every column. Above
// the line it shows the form's background, or the tint of a coloured
// container around it; a group box of no colour of its own shows the plain
// background there, also inside a coloured container.
TEST_F(ContainerPaintTest, ATintedGroupBoxTintsItsCaptionStripAsARectangleFromTheFramesTopLine) {
  constexpr COLORREF kOwn = RGB(0x30, 0x90, 0x60), kOuter = RGB(0xC0, 0x40, 0x20);
  const auto rgb = [](COLORREF c) { return uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); };
  const struct {
    const char* name;
    COLORREF outer, own;
    uint32_t above, below;
  } cases[] = {
      {"on the form", 0, kOwn, kBackground, rgb(kOwn)},
      {"in a coloured container", kOuter, kOwn, rgb(kOuter), rgb(kOwn)},
      {"uncoloured in a coloured container", kOuter, 0, kBackground, kBackground},
  };
  for (const auto& c : cases) {
    HWND parent = form_.hwnd();
    if (c.outer) {
      parent = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 10, 260, 160, form_.hwnd(), nullptr,
                               nullptr, nullptr);
      ContainerSkinAttach(parent, false, c.outer, 255);
    }
    const HWND group = CreateWindowExW(0, L"Button", L"WWWW", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_LEFT, 20,
                                       20, 200, 100, parent, nullptr, nullptr, nullptr);
    AddInside(group, L"Static", 0, 10, 40);
    ContainerSkinAttach(group, false, c.own, 255);
    Repaint(group, true);
    const PixelBuffer look = Shown(group);
    const SkinContainerEntry& entry = ContainerOf(group);
    const int width = SkinMeasureTextWidth("WWWW", entry.captionFontFace, entry.captionFontSize,
                                           entry.captionFontStyle);
    const int bottom = 1 + entry.captionFontSize + 3;
    ASSERT_GT(width, 10);
    // The strip's first and last columns, clear of the caption's ink.
    for (const int x : {10, 10 + width - 1}) {
      for (int y = 1; y < 5; ++y) EXPECT_EQ(look.RgbAt(x, y), c.above) << c.name << " " << x << "," << y;
      for (int y = 5; y < bottom; ++y) EXPECT_EQ(look.RgbAt(x, y), c.below) << c.name << " " << x << "," << y;
    }
    // Beside the strip the frame's top line runs on over the same tint.
    const auto darkened = [](uint32_t p) {  // black at alpha 40 over p
      uint32_t out = 0;
      for (int shift = 0; shift <= 16; shift += 8) out |= (((p >> shift) & 0xFF) * 215 + 127) / 255 << shift;
      return out;
    };
    EXPECT_TRUE(ColorNear(look.RgbAt(10 + width + 2, 5), darkened(c.below), 2)) << c.name;
    EXPECT_EQ(look.RgbAt(100, 50), c.below) << c.name;
    if (HasFailure()) testsupport::SaveFailureImage(look, std::string("tinted_group_") + c.name);
    DestroyWindow(c.outer ? parent : group);
  }
}

// While its look is clean, a group box is repainted by one copy from the
// child layer; a resize makes the next paint draw it again.
TEST_F(ContainerPaintTest, ACleanGroupBoxIsCopiedFromTheLayerUntilItChanges) {
  const HWND group = AddGroup(L"");
  AddInside(group, L"Static", 0, 10, 40);
  ContainerControlSkinAttach(group);
  Repaint(group, true);
  RECT inside = {60, 30, 120, 60};
  MapWindowPoints(group, form_.hwnd(), reinterpret_cast<POINT*>(&inside), 2);
  const platform::GdiBrush mark(CreateSolidBrush(RGB(0, 0xFF, 0)));
  FillRect(record().ChildBackDC.get(), &inside, mark.get());

  record().Active = false;  // an inactive owner asks for no rebuild on erase
  Repaint(group, true);
  EXPECT_TRUE(ColorNear(Shown(group).RgbAt(80, 40), kLayerMark, 0));

  SetWindowPos(group, nullptr, 0, 0, 210, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Repaint(group, false);
  EXPECT_TRUE(ColorNear(Shown(group).RgbAt(80, 40), kBackground, 0));
  EXPECT_EQ(ContainerOf(group).paintedWidth, 210);
}

// Asked for its client through WM_PRINTCLIENT, a framed group box gives
// what its window shows around the controls inside, clean (a copy from the
// layer) and stale (painted in full).
TEST_F(ContainerPaintTest, PrintingTheClientGivesWhatTheWindowShowsAroundItsControls) {
  const HWND group = AddGroup(L"Box");
  const HWND inside = AddInside(group, L"Static", 0, 10, 40);
  ContainerControlSkinAttach(group);
  Repaint(group, true);
  RECT child = {};
  GetWindowRect(inside, &child);
  MapWindowPoints(nullptr, group, reinterpret_cast<POINT*>(&child), 2);
  const PixelBuffer shown = Shown(group);
  auto differing = [&](const PixelBuffer& printed) {
    int n = 0;
    for (int y = 0; y < shown.height; ++y)
      for (int x = 0; x < shown.width; ++x)
        if (!PtInRect(&child, POINT{x, y})) n += printed.RgbAt(x, y) != shown.RgbAt(x, y);
    return n;
  };
  ASSERT_FALSE(ContainerOf(group).rebuild);
  EXPECT_EQ(differing(testsupport::PrintClient(group)), 0) << "clean";
  ContainerOf(group).rebuild = true;
  EXPECT_EQ(differing(testsupport::PrintClient(group)), 0) << "stale";
}

// A clean repaint of the group box alone copies its look around the
// controls inside it: what they show stays.
TEST_F(ContainerPaintTest, ACleanRepaintLeavesTheControlsInsideAlone) {
  const HWND group = AddGroup(L"");
  const HWND inside = AddInside(group, L"Static", SS_BLACKRECT, 60, 30);
  ContainerControlSkinAttach(group);
  Repaint(group, true);
  UpdateWindow(inside);
  const uint32_t own = Shown(inside).RgbAt(20, 10);
  ASSERT_FALSE(ColorNear(own, kBackground, 8));
  ASSERT_FALSE(ContainerOf(group).rebuild);
  RedrawWindow(group, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
  ASSERT_FALSE(ContainerOf(group).rebuild);
  const PixelBuffer look = Shown(group);
  EXPECT_TRUE(ColorNear(look.RgbAt(80, 40), own, 0));
  EXPECT_TRUE(ColorNear(look.RgbAt(30, 40), kBackground, 0));
}

// A group box without controls inside stays under the control layer only:
// it paints itself over the parent background, and what it leaves in the
// key colour is keyed out over the background washed white at the engine's
// alpha, while its own lines stay.
TEST_F(ContainerPaintTest, AGroupBoxWithoutControlsIsKeyedOverTheWashedBackground) {
  const HWND group = AddGroup(L"");
  ContainerControlSkinAttach(group, RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(GetWindowLongPtrW(group, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ControlSkinWndProc));
  EXPECT_EQ(record().Containers.size(), 1u);
  EXPECT_EQ(record().Containers[0].window, nullptr);
  Repaint(group, true);
  const PixelBuffer look = Shown(group);
  EXPECT_TRUE(ColorNear(look.RgbAt(100, 50), Over(0xFF, 160), 3));
  int ownLines = 0;
  for (int y = 0; y < 100; ++y)
    if (!ColorNear(look.RgbAt(100, y), Over(0xFF, 160), 3)) ++ownLines;
  EXPECT_GE(ownLines, 2);
}

// Asked for its client through WM_PRINTCLIENT, a control of the layer that
// paints into the DC it is given (a group box without controls inside, a
// push button in frame mode) gives what its window shows.
TEST_F(ContainerPaintTest, PrintingAControlThatPaintsIntoAGivenDcGivesWhatItsWindowShows) {
  const HWND group = AddGroup(L"Box");
  ContainerControlSkinAttach(group, RGB(0x80, 0x80, 0x80));
  const HWND button = CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 140, 100, 30,
                                      form_.hwnd(), nullptr, nullptr, nullptr);
  ToolbarSkinAttach(button, std::nullopt, std::nullopt, std::nullopt, 1);
  for (const HWND control : {group, button}) {
    Repaint(control, true);
    const PixelBuffer shown = Shown(control);
    ASSERT_FALSE(shown.Empty());
    EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(control), shown)) << (control == group);
  }
}

// A tab control: the selected tab is lighter than the others, and the page
// frame runs below the row of tabs.
TEST_F(ContainerPaintTest, ATabControlShowsItsTabsSelectedAndNotOverItsPageFrame) {
  const HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH, 20, 20, 240,
                                   120, form_.hwnd(), nullptr, nullptr, nullptr);
  SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
  for (int i = 0; i < 3; ++i) {
    TCITEMW item = {TCIF_TEXT};
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
  }
  ContainerSkinAttach(tab);
  ASSERT_EQ(ContainerOf(tab).kind, ContainerKind::TabControl);
  Repaint(tab, true);
  const PixelBuffer look = Shown(tab);
  RECT selected = {}, other = {};
  SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&selected));
  SendMessageW(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&other));
  const auto level = [&](const RECT& r) { return look.RgbAt((r.left + r.right) / 2, r.top + 6) & 0xFF; };
  EXPECT_GT(level(selected), level(other) + 30);
  EXPECT_GT(level(other), 0x80u);  // a white wash over the background
  const int pageTop = (selected.bottom - selected.top) + 1;
  EXPECT_TRUE(ColorNear(look.RgbAt(220, pageTop), Over(0, 80), 2));
  EXPECT_TRUE(ColorNear(look.RgbAt(120, 80), kBackground, 0));
}

// A tinted tab control straight on the form shows its tint on the tabs not
// selected; one inside a coloured container does not (the container's
// colour is the tint there).
TEST_F(ContainerPaintTest, ATintedTabControlShowsItsTintOnTheOtherTabsOnlyStraightOnTheForm) {
  constexpr COLORREF kOwn = RGB(0x30, 0x90, 0x60), kOuter = RGB(0xC0, 0x40, 0x20);
  constexpr uint32_t kOwnRgb = 0x309060;
  for (const bool inContainer : {false, true}) {
    SCOPED_TRACE(inContainer ? "in a coloured container" : "on the form");
    HWND parent = form_.hwnd();
    if (inContainer) {
      parent = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 10, 280, 180, form_.hwnd(), nullptr,
                               nullptr, nullptr);
      ContainerSkinAttach(parent, false, kOuter, 255);
    }
    const HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH, 20, 20, 240,
                                     120, parent, nullptr, nullptr, nullptr);
    SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
    for (int i = 0; i < 2; ++i) {
      TCITEMW item = {TCIF_TEXT};
      item.pszText = const_cast<wchar_t*>(L"");
      SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    ContainerSkinAttach(tab, std::nullopt, kOwn, 255);
    ASSERT_EQ(ContainerOf(tab).kind, ContainerKind::TabControl);
    Repaint(tab, true);
    const PixelBuffer look = Shown(tab);
    RECT other = {};
    SendMessageW(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&other));
    const uint32_t middle = look.RgbAt((other.left + other.right) / 2, (other.top + other.bottom) / 2);
    if (inContainer) {
      EXPECT_FALSE(ColorNear(middle, kOwnRgb, 40)) << std::hex << middle;
    } else {
      EXPECT_EQ(middle, kOwnRgb);
    }
    if (HasFailure()) testsupport::SaveFailureImage(look, std::string("tinted_tab_") + (inContainer ? "in" : "on"));
    DestroyWindow(inContainer ? parent : tab);
  }
}

// ---- other controls of the control layer ---------------------------------------------------

// A control that paints on its own window whatever DC it is handed: the
// button-face colour with a black block at (10, 5)-(30, 15) and another at
// (45, 5)-(60, 15).
LRESULT CALLBACK OwnWindowPainter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT client = {};
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  for (const RECT block : {RECT{10, 5, 30, 15}, RECT{45, 5, 60, 15}}) {
    FillRect(dc, &block, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window, &paint);
  return 0;
}

HWND AddOwnWindowPainter(HWND parent) {
  static const bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnWindowPainter;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvathOwnWindowPainter";
    return RegisterClassW(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExW(0, L"KorvathOwnWindowPainter", L"", WS_CHILD | WS_VISIBLE, 20, 20, 80, 20, parent,
                         nullptr, nullptr, nullptr);
}

// A control that ignores the DC it is handed keeps its own drawing, laid
// over the parent's skinned background with its button-face pixels keyed
// out, only where it was invalidated: a repaint of part of it takes the
// background (here changed to green meanwhile) under that part alone.
TEST_F(ContainerPaintTest, AControlThatPaintsItsOwnWindowIsLaidOverTheBackgroundWhereInvalidated) {
  const HWND control = AddOwnWindowPainter(form_.hwnd());
  ContainerControlSkinAttach(control);
  Repaint(control, false);
  PixelBuffer look = Shown(control);
  const auto block = [](int x, int y) {
    return (x >= 10 && x < 30 && y >= 5 && y < 15) || (x >= 45 && x < 60 && y >= 5 && y < 15);
  };
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(look.RgbAt(x, y), block(x, y) ? 0u : kBackground) << x << ", " << y;

  for (SkinMemoryDc* layer : {&record().BackDC, &record().ChildBackDC}) {
    const platform::GdiBrush green(CreateSolidBrush(RGB(0, 0xFF, 0)));
    const RECT all = {0, 0, 300, 200};
    FillRect(layer->get(), &all, green.get());
  }
  const RECT part = {40, 2, 70, 18};
  InvalidateRect(control, &part, FALSE);
  UpdateWindow(control);
  look = Shown(control);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool inside = x >= part.left && x < part.right && y >= part.top && y < part.bottom;
      ASSERT_EQ(look.RgbAt(x, y), block(x, y) ? 0u : inside ? kLayerMark : kBackground) << x << ", " << y;
    }
  }
}

// Frame mode 1: a 3-pixel band round the control is keyed out (white) but
// for its two frame lines, black at alpha 120 outside and at alpha 10 inside
// it; a blue face with the down chevron stands 3 pixels from the right edge;
// the rest is what the control painted (a push button's face).
TEST_F(ContainerPaintTest, FrameModeOneDrawsAFrameAndADropDownFace) {
  const HWND button = CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 30,
                                      form_.hwnd(), nullptr, nullptr, nullptr);
  ToolbarSkinAttach(button, std::nullopt, std::nullopt, std::nullopt, 1);
  ASSERT_EQ(record().Toolbars[0].frameMode, 1);
  Repaint(button, true);
  const PixelBuffer look = Shown(button);
  const uint32_t washed = Over(0xFF, 160);
  EXPECT_TRUE(ColorNear(look.RgbAt(0, 15), Grey(0xFF - 0xFF * 120 / 255), 2));
  EXPECT_TRUE(ColorNear(look.RgbAt(50, 0), Grey(0xFF - 0xFF * 120 / 255), 2));
  EXPECT_TRUE(ColorNear(look.RgbAt(1, 15), Grey(0xFF - 0xFF * 10 / 255), 2));
  for (const POINT band : {POINT{2, 15}, POINT{50, 2}, POINT{50, 27}, POINT{97, 2}}) {
    EXPECT_TRUE(ColorNear(look.RgbAt(band.x, band.y), washed, 2)) << band.x << ", " << band.y;
  }
  const uint32_t face = GetSysColor(COLOR_BTNFACE);
  const uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
  EXPECT_TRUE(ColorNear(look.RgbAt(40, 15), faceRgb, 2));
  const uint32_t blue = look.RgbAt(100 - 19, 6);
  EXPECT_GT(int(blue & 0xFF), int((blue >> 16) & 0xFF) + 40);
  EXPECT_TRUE(ColorNear(look.RgbAt(100 - 21, 6), faceRgb, 2));
  const auto green = [&](int x) { return int((look.RgbAt(x, 6) >> 8) & 0xFF); };
  EXPECT_LT(green(100 - 20), green(100 - 21) - 40);  // the face's outline, over its fill
  EXPECT_GT(int(look.RgbAt(100 - 20, 6) & 0xFF), int((look.RgbAt(100 - 20, 6) >> 16) & 0xFF) + 30);
  EXPECT_LT(green(100 - 20), green(100 - 19) - 40);
  EXPECT_LT(green(100 - 3), green(100 - 4) - 40);
  int chevron = 0;
  for (int y = 3; y < 27; ++y)
    for (int x = 80; x < 97; ++x) chevron += ColorNear(look.RgbAt(x, y), 0x98C1D6, 6);
  EXPECT_GE(chevron, 20);
}

}  // namespace
}  // namespace korvath::skin
