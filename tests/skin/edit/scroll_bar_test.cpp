// Scroll-bar overlays on real controls: created and placed over the native
// bars, following their controls, painted with the bar's state, hit-tested,
// and letting clicks and drags through to the native bar.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/edit_installers.h"
#include "skin/edit/edit_lookup.h"
#include "skin/edit/painters.h"
#include "skin/edit/scroll_bars.h"
#include "tests/skin/edit/edit_skin_fixture.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;

constexpr uint32_t kChevron = 0x98C1D6;

class ScrollBarTest : public EditSkinTest {
 protected:
  // A list box of `lines` lines with a vertical bar.
  HWND AddList(int lines, int x = 20, int y = 20, DWORD style = WS_VSCROLL | WS_BORDER, HWND parent = nullptr) {
    HWND list = Add(L"ListBox", style | LBS_NOINTEGRALHEIGHT, x, y, 120, 150, 0, parent);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < lines; ++i) {
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"line " + std::to_wstring(i)).c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return list;
  }
  static RECT Bar(HWND control, LONG id = OBJID_VSCROLL) {
    SCROLLBARINFO info = {};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(control, id, &info);
    return info.rcScrollBar;
  }
  static RECT ScreenRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
  }
  // Presses the left button at the first point of `path` (client points of
  // `window`), moves along it and releases at its end. The events are queued
  // at once: the native bar's tracking loop reads them itself.
  static void Drag(HWND window, std::initializer_list<POINT> path) {
    std::vector<INPUT> events;
    const auto add = [&](POINT p, DWORD flags) {
      ClientToScreen(window, &p);
      INPUT in = {};
      in.type = INPUT_MOUSE;
      in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
      in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
      in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
      events.push_back(in);
    };
    add(*path.begin(), 0);
    add(*path.begin(), MOUSEEVENTF_LEFTDOWN);
    for (POINT p : path) add(p, 0);
    add(*(path.end() - 1), MOUSEEVENTF_LEFTUP);
    SendInput(UINT(events.size()), events.data(), sizeof(INPUT));
    testsupport::PumpMessages(80);
  }
  static bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == lower) return true;
    }
    return false;
  }
  static SkinChildEntry& Entry(HWND control) { return *SkinFindEntry(control, &SkinWindowRecord::Children).get(); }
  // Paints an overlay over in magenta, as if its picture had been lost: only
  // a repaint takes it away.
  static void Mark(HWND overlay) {
    const RECT r = ScreenRect(overlay);
    HDC dc = GetWindowDC(overlay);
    korvath::platform::GdiBrush magenta(CreateSolidBrush(0xFF00FF));
    const RECT all = {0, 0, r.right - r.left, r.bottom - r.top};
    FillRect(dc, &all, magenta.get());
    ReleaseDC(overlay, dc);
  }
  static bool Marked(HWND overlay) {
    const auto shown = Shown(overlay);
    return shown.RgbAt(shown.width / 2, shown.height / 2) == 0xFF00FFu;
  }
  static LPARAM ScreenPoint(HWND overlay, int x, int y) {
    const RECT r = ScreenRect(overlay);
    return MAKELPARAM(r.left + x, r.top + y);
  }
};

TEST_F(ScrollBarTest, OverlaysLieOverTheBarsOfVisibleControlsAndWaitHiddenElsewhere) {
  HWND list = AddList(100);
  HWND hidden = Add(L"ListBox", WS_VSCROLL | WS_HSCROLL, 160, 20, 100, 100);
  ShowWindow(hidden, SW_HIDE);
  HWND edit = Add(L"Edit", ES_MULTILINE | WS_VSCROLL, 160, 140, 120, 60, WS_EX_CLIENTEDGE);
  HWND plainEdit = Add(L"Edit", 0, 160, 220, 120, 24, WS_EX_CLIENTEDGE);
  EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());

  HWND v = Entry(list).vScrollOverlay;
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(SkinGetClassNameText(v), "Static");
  EXPECT_TRUE(GetWindowLongW(v, GWL_STYLE) & WS_DISABLED);
  EXPECT_TRUE(IsWindowVisible(v));
  EXPECT_EQ(ScreenRect(v), Bar(list));
  EXPECT_EQ(GetSkinPropHandle<HWND>(v, prop::Mngd_zct), list);
  EXPECT_EQ(GetSkinProp(v, prop::Hw_FuID), number());
  // Every list gets both overlays; the one without its bar waits hidden.
  HWND h = Entry(list).hScrollOverlay;
  ASSERT_NE(h, nullptr);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(SkinChildRectInParent(h), (RECT{0, 0, 10, 10}));
  EXPECT_FALSE(IsWindowVisible(Entry(hidden).vScrollOverlay));
  EXPECT_FALSE(IsWindowVisible(Entry(hidden).hScrollOverlay));
  // Edits get an overlay only for a bar they have.
  ASSERT_NE(FindEditRecord(edit)->vScrollOverlay, nullptr);
  EXPECT_EQ(ScreenRect(FindEditRecord(edit)->vScrollOverlay), Bar(edit));
  EXPECT_EQ(FindEditRecord(edit)->hScrollOverlay, nullptr);
  EXPECT_EQ(FindEditRecord(plainEdit)->vScrollOverlay, nullptr);
  // Above its control.
  EXPECT_TRUE(Above(FindEditRecord(edit)->vScrollOverlay, edit));
  EXPECT_TRUE(Above(v, list));
}

TEST_F(ScrollBarTest, OverlaysAreRenumberedWithTheirOwnersRecord) {
  SkinnedForm second(200, 200);
  HWND list = second.AddChild(L"ListBox", WS_VSCROLL | WS_BORDER, 10, 10, 100, 100);
  ChildControlSkinInstall(*SkinRecordAt(second.number()), second.hwnd());
  HWND v = Entry(list).vScrollOverlay;
  EXPECT_EQ(GetSkinProp(v, prop::Hw_FuID), 2);
  SkinRemoveWindowRecord(number());
  EXPECT_EQ(GetSkinProp(v, prop::Hw_FuID), 1);
  EXPECT_EQ(GetSkinProp(Entry(list).hScrollOverlay, prop::Hw_FuID), 1);
}

// Children are placed in their parent's client coordinates: a parent with a
// caption and a frame of its own must not shift the overlay off its bar.
TEST_F(ScrollBarTest, OverlaysStayOnTheirBarsUnderAFramedParentAndFollowMovesAndResizes) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"KorvathFramedParent";
  RegisterClassW(&cls);
  HWND framed = Add(L"KorvathFramedParent", WS_CAPTION | WS_THICKFRAME, 20, 20, 220, 240);
  POINT origin = {0, 0};
  ClientToScreen(framed, &origin);
  ASSERT_GT(origin.x, ScreenRect(framed).left);
  HWND list = AddList(100, 10, 10, WS_VSCROLL | WS_BORDER, framed);
  ChildControlSkinInstall(*SkinRecordAt(number()), framed);
  HWND v = Entry(list).vScrollOverlay;
  EXPECT_EQ(ScreenRect(v), Bar(list));
  MoveWindow(list, 30, 20, 150, 120, TRUE);
  EXPECT_EQ(ScreenRect(v), Bar(list));
  SetWindowPos(list, nullptr, 0, 0, 130, 90, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ScreenRect(v), Bar(list));
  ShowWindow(list, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(v));
  ShowWindow(list, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(v));
  // A bar that goes away takes its overlay with it.
  SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) & ~WS_VSCROLL);
  SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_FALSE(IsWindowVisible(v));
}

TEST_F(ScrollBarTest, PainterDrawsTrackThumbAndChevronsAndRecordsTheParts) {
  HWND list = AddList(1000);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  HWND v = Entry(list).vScrollOverlay;
  VScrollPaint(list);
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(list, OBJID_VSCROLL, &info);
  const RECT r = ScreenRect(v);
  const int W = r.right - r.left, H = r.bottom - r.top;
  const ScrollBarParts& parts = Entry(list).vScrollParts;
  EXPECT_EQ(parts[0], (RECT{1, 1, W - 2, 17}));
  EXPECT_EQ(parts[1], (RECT{1, H - 17, W - 2, H - 1}));
  EXPECT_EQ(parts[2], (RECT{1, info.xyThumbTop, W + 1, info.xyThumbBottom}));
  auto shown = Shown(v);
  // Up chevron at (1, 2), its tip row 4 at columns 6 and 7; the down
  // chevron at (1, H - 15), its tip row 9.
  EXPECT_EQ(shown.RgbAt(1 + 6, 2 + 4), kChevron);
  EXPECT_EQ(shown.RgbAt(1 + 6, H - 15 + 9), kChevron);
  // The track between thumb and second arrow: white at 160 and the white
  // gradient over the form's picture; never the native bar's grey.
  const int trackY = (info.xyThumbBottom + H - 17) / 2;
  const uint32_t track = shown.RgbAt(W / 2, trackY);
  const RECT place = SkinChildRectInParent(v);
  EXPECT_NE(track, BackPattern(place.left + W / 2, place.top + trackY));
  EXPECT_GT(track & 0xFF, BackPattern(place.left + W / 2, place.top + trackY) & 0xFF);
  // The thumb highlighted differs from the thumb plain; the track does not.
  const int thumbY = (info.xyThumbTop + info.xyThumbBottom) / 2;
  const uint32_t plainThumb = shown.RgbAt(W / 2, thumbY);
  EXPECT_NE(plainThumb, track);
  VScrollPaint(list, kScrollPartThumb);
  shown = Shown(v);
  EXPECT_NE(shown.RgbAt(W / 2, thumbY), plainThumb);
  EXPECT_EQ(shown.RgbAt(W / 2, trackY), track);
  // The owner's layer holds the bar too.
  EXPECT_EQ(Layer().RgbAt(place.left + 7, place.top + 6), kChevron);
  if (HasFailure()) testsupport::SaveFailureImage(Shown(v), "vertical_bar");
}

// Asked for its client through WM_PRINTCLIENT, an overlay gives the bar its
// paint shows, for either bar; a print records no parts.
TEST_F(ScrollBarTest, OverlaysPrintTheBarTheirPaintShows) {
  HWND list = AddList(1000, 20, 20, WS_VSCROLL | WS_HSCROLL | WS_BORDER);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 600, 0);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  for (const bool vertical : {true, false}) {
    HWND overlay = vertical ? Entry(list).vScrollOverlay : Entry(list).hScrollOverlay;
    ASSERT_TRUE(IsWindowVisible(overlay));
    RedrawWindow(overlay, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ScrollBarParts& parts = vertical ? Entry(list).vScrollParts : Entry(list).hScrollParts;
    parts = {};
    const auto printed = testsupport::PrintClient(overlay);
    EXPECT_TRUE(testsupport::SameRgb(printed, ShownClient(overlay))) << (vertical ? "vertical" : "horizontal");
    EXPECT_EQ(parts, ScrollBarParts{});
    if (HasFailure()) testsupport::SaveFailureImage(printed, "bar_printed");
  }
}

// The plain thumb is shaded in the theme colour: drawn under a red theme
// it is redder, under a blue one bluer, while the track beside it keeps its
// colour.
TEST_F(ScrollBarTest, ThePlainThumbIsShadedInTheThemeColour) {
  HWND list = AddList(1000);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  HWND v = Entry(list).vScrollOverlay;
  const auto paintUnder = [&](COLORREF theme) {
    SkinEngine.options.SkinThemeColor = theme;
    VScrollPaint(list);
    return Shown(v);
  };
  const auto red = paintUnder(0x0000FF), blue = paintUnder(0xFF0000);
  SkinEngine.options.SkinThemeColor = kTheme;
  const RECT thumb = Entry(list).vScrollParts[2];
  const int y = (thumb.top + thumb.bottom) / 2, x = thumb.right - 5;
  const auto channel = [](uint32_t p, int shift) { return int((p >> shift) & 0xFF); };
  EXPECT_GT(channel(red.RgbAt(x, y), 16), channel(blue.RgbAt(x, y), 16) + 8);
  EXPECT_LT(channel(red.RgbAt(x, y), 0) + 8, channel(blue.RgbAt(x, y), 0));
  const int trackY = (thumb.bottom + red.height - 17) / 2;
  EXPECT_EQ(red.RgbAt(x, trackY), blue.RgbAt(x, trackY));
  if (HasFailure()) {
    testsupport::SaveFailureImage(red, "thumb_red_theme");
    testsupport::SaveFailureImage(blue, "thumb_blue_theme");
  }
}

// A vertical scroll of an edit repaints its vertical overlay, also when the
// thumb stays, and leaves the horizontal one alone; a horizontal scroll the
// other way round.
TEST_F(ScrollBarTest, AnEditsScrollRepaintsTheOverlayOfItsOwnBar) {
  HWND edit = Add(L"Edit", ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL, 20, 20, 160,
                  120, WS_EX_CLIENTEDGE);
  std::wstring text;
  for (int i = 0; i < 60; ++i) text += L"a line that runs on well past the right edge " + std::to_wstring(i) + L"\r\n";
  SetWindowTextW(edit, text.c_str());
  EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  const HWND v = FindEditRecord(edit)->vScrollOverlay,
             h = FindEditRecord(edit)->hScrollOverlay;
  ASSERT_NE(v, nullptr);
  ASSERT_NE(h, nullptr);
  testsupport::PumpMessages(20);
  const struct {
    UINT message;
    WPARAM code;
  } scrolls[] = {{WM_VSCROLL, SB_LINEDOWN}, {WM_VSCROLL, SB_ENDSCROLL}, {WM_HSCROLL, SB_LINERIGHT},
                 {WM_HSCROLL, SB_ENDSCROLL}};
  for (const auto& scroll : scrolls) {
    Mark(v);
    Mark(h);
    SendMessageW(edit, scroll.message, scroll.code, 0);
    const bool vertical = scroll.message == WM_VSCROLL;
    EXPECT_EQ(Marked(v), !vertical) << scroll.message << " " << scroll.code;
    EXPECT_EQ(Marked(h), vertical) << scroll.message << " " << scroll.code;
  }
}

// The mouse wheel scrolls a multi-line edit by itself: its parent hears of
// it only as EN_VSCROLL, after the scroll, and no scroll message reaches the
// edit. Its overlay shows the thumb where the bar has it after the scroll.
TEST_F(ScrollBarTest, AWheelScrollOfAnEditRepaintsItsOverlayWithTheThumbWhereTheBarHasIt) {
  HWND edit = Add(L"Edit", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 20, 20, 160, 120, WS_EX_CLIENTEDGE);
  std::wstring text;
  for (int i = 0; i < 80; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
  SetWindowTextW(edit, text.c_str());
  EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  const SkinEditEntry* entry = FindEditRecord(edit).get();
  ASSERT_NE(entry, nullptr);
  const HWND v = entry->vScrollOverlay;
  ASSERT_NE(v, nullptr);
  testsupport::PumpMessages(20);
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(edit, OBJID_VSCROLL, &info);
  const LONG topBefore = info.xyThumbTop;
  ASSERT_EQ(entry->vScrollParts[2].top, topBefore);

  Mark(v);
  const RECT editRect = ScreenRect(edit);
  for (int turn = 0; turn < 3; ++turn) {
    SendMessageW(edit, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
                 MAKELPARAM((editRect.left + editRect.right) / 2, (editRect.top + editRect.bottom) / 2));
  }
  GetScrollBarInfo(edit, OBJID_VSCROLL, &info);
  ASSERT_GT(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the wheel scrolls the edit";
  ASSERT_GT(info.xyThumbTop, topBefore);
  EXPECT_EQ(entry->vScrollParts[2].top, info.xyThumbTop);
  EXPECT_EQ(entry->vScrollParts[2].bottom, info.xyThumbBottom);
  EXPECT_FALSE(Marked(v));
  if (HasFailure()) testsupport::SaveFailureImage(Shown(v), "edit_wheel_overlay");
}

TEST_F(ScrollBarTest, HorizontalBarsAndDisabledBarsDrawArrowsButNoThumb) {
  HWND list = AddList(3, 20, 20, WS_VSCROLL | WS_BORDER | LBS_DISABLENOSCROLL);
  HWND wide = Add(L"ListBox", WS_HSCROLL | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT, 160, 20, 150, 80);
  for (int i = 0; i < 60; ++i) SendMessageW(wide, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"column item"));
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  HWND v = Entry(list).vScrollOverlay;
  ASSERT_TRUE(IsWindowVisible(v));
  VScrollPaint(list, kScrollPartFirstArrow);
  const RECT r = ScreenRect(v);
  const int W = r.right - r.left, H = r.bottom - r.top;
  const auto shown = Shown(v);
  // Disabled: no highlight on the arrow, no thumb anywhere along the track.
  VScrollPaint(list);
  EXPECT_EQ(Shown(v).RgbAt(3, 3), shown.RgbAt(3, 3));
  for (int y = 20; y < H - 20; y += 10) EXPECT_EQ(shown.RgbAt(W / 2, y), shown.RgbAt(W / 2, 20)) << y;
  // Horizontal: left chevron at (1, 1), its tip column 4 at rows 6 and 7;
  // right chevron at (W - 16, 1) in its own colour.
  HWND h = Entry(wide).hScrollOverlay;
  ASSERT_TRUE(IsWindowVisible(h));
  HScrollPaint(wide);
  const RECT hr = ScreenRect(h);
  const auto bar = Shown(h);
  EXPECT_EQ(bar.RgbAt(1 + 4, 1 + 6), kChevron);
  EXPECT_EQ(bar.RgbAt(hr.right - hr.left - 16 + 9, 1 + 6), 0x8CB6CCu);
  EXPECT_EQ(Entry(wide).hScrollParts[0], (RECT{1, 1, 17, hr.bottom - hr.top - 2}));
}

TEST_F(ScrollBarTest, HitTestsCountEdgesAndPreferTheFirstArrow) {
  HWND list = AddList(100);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  HWND v = Entry(list).vScrollOverlay;
  // Before any paint every rectangle is empty: only the corner hits, as the
  // first arrow.
  Entry(list).vScrollParts = {};
  EXPECT_EQ(SkinVScrollMouse(list, ScreenPoint(v, 0, 0)), kScrollPartFirstArrow);
  EXPECT_EQ(SkinVScrollMouse(list, ScreenPoint(v, 1, 0)), kScrollPartNone);
  Entry(list).vScrollParts = {RECT{1, 1, 15, 17}, RECT{1, 10, 15, 30}, RECT{1, 5, 15, 60}};
  EXPECT_EQ(SkinVScrollMouse(list, ScreenPoint(v, 15, 17)), kScrollPartFirstArrow);
  EXPECT_EQ(SkinVScrollMouse(list, ScreenPoint(v, 15, 18)), kScrollPartSecondArrow);
  EXPECT_EQ(SkinVScrollMouse(list, ScreenPoint(v, 15, 31)), kScrollPartThumb);
  EXPECT_EQ(SkinVScrollMouse(list, ScreenPoint(v, 16, 31)), kScrollPartNone);
  EXPECT_EQ(SkinVScrollMouse(list, ScreenPoint(v, -1, 5)), kScrollPartNone);
  // Points left of the screen's origin arrive as negative 16-bit values.
  EXPECT_EQ(SkinVScrollMouse(list, MAKELPARAM(-3, -3)), kScrollPartNone);
  EXPECT_EQ(SkinHScrollMouse(list, ScreenPoint(Entry(list).hScrollOverlay, 0, 0)), kScrollPartFirstArrow);
}

// The overlay only shows: real clicks and drags reach the native bar, the
// control scrolls, and the overlay's thumb follows.
TEST_F(ScrollBarTest, ClicksAndDragsOnTheOverlayScrollTheControlAndTheThumbFollows) {
  HWND list = AddList(1000);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  testsupport::Activate(form_.hwnd());
  testsupport::PumpMessages(30);
  HWND v = Entry(list).vScrollOverlay;
  const RECT r = ScreenRect(v);
  const int W = r.right - r.left, H = r.bottom - r.top;
  Drag(v, {POINT{W / 2, H - 6}});
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1);
  const RECT thumb = Entry(list).vScrollParts[2];
  ASSERT_GT(thumb.bottom, thumb.top);
  const int middle = (thumb.top + thumb.bottom) / 2;
  Drag(v, {POINT{W / 2, middle}, POINT{W / 2, middle + 30}, POINT{W / 2, middle + 60}});
  const auto top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  EXPECT_GT(top, 100);
  // The overlay shows the thumb where the native bar has it now.
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(list, OBJID_VSCROLL, &info);
  EXPECT_EQ(Entry(list).vScrollParts[2].top, info.xyThumbTop);
  EXPECT_GT(info.xyThumbTop, thumb.top + 30);
  // Keys and the wheel move it too, and the overlay follows.
  SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
  SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
  GetScrollBarInfo(list, OBJID_VSCROLL, &info);
  EXPECT_EQ(Entry(list).vScrollParts[2].top, info.xyThumbTop);
}

// No scroll message announces a position set by the program or lines
// added: the overlay follows all the same, and the list's own drawing (its
// native bar, its frame, its lines) never covers it.
TEST_F(ScrollBarTest, OverlaysFollowPositionsSetByTheProgramAndStayUncovered) {
  HWND list = AddList(1000);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  testsupport::PumpMessages(30);
  HWND v = Entry(list).vScrollOverlay;
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one more"));
  SendMessageW(list, LB_SETTOPINDEX, 500, 0);
  testsupport::PumpMessages(30);
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(list, OBJID_VSCROLL, &info);
  EXPECT_GT(info.xyThumbTop, 40);
  EXPECT_EQ(Entry(list).vScrollParts[2].top, info.xyThumbTop);
  ChildControlSkinPaintFrame(SkinFoundEntryAt(record(), &SkinWindowRecord::Children, SkinSlotNumber(list)), true);
  const auto shown = Shown(v);
  EXPECT_EQ(shown.RgbAt(1 + 6, 2 + 4), kChevron);
  const RECT r = ScreenRect(v);
  EXPECT_EQ(shown.RgbAt(1 + 6, r.bottom - r.top - 15 + 9), kChevron);
}

// A horizontal bar follows a change of the program's as well: a wider
// extent shrinks its thumb, and the overlay shows the thumb where the bar has
// it.
TEST_F(ScrollBarTest, AHorizontalOverlayFollowsAnExtentSetByTheProgram) {
  HWND list = AddList(10, 20, 20, WS_HSCROLL | WS_BORDER);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 400, 0);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  testsupport::PumpMessages(30);
  ASSERT_TRUE(IsWindowVisible(Entry(list).hScrollOverlay));
  const RECT before = Entry(list).hScrollParts[2];
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 2000, 0);
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(list, OBJID_HSCROLL, &info);
  ASSERT_NE(info.xyThumbBottom, before.right);
  EXPECT_EQ(Entry(list).hScrollParts[2].left, info.xyThumbTop);
  EXPECT_EQ(Entry(list).hScrollParts[2].right, info.xyThumbBottom);
}

TEST_F(ScrollBarTest, TheBarPartUnderTheMouseIsHighlightedAndClearedWhenItLeaves) {
  HWND list = AddList(1000);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  HWND v = Entry(list).vScrollOverlay;
  VScrollPaint(list);
  const RECT thumb = Entry(list).vScrollParts[2];
  const LPARAM overThumb = ScreenPoint(v, 5, (thumb.top + thumb.bottom) / 2);
  SendMessageW(list, WM_NCMOUSEMOVE, HTVSCROLL, overThumb);
  EXPECT_EQ(Entry(list).hotScrollPart, kScrollPartThumb);
  SendMessageW(list, WM_NCMOUSEMOVE, HTCLIENT, overThumb);
  EXPECT_EQ(Entry(list).hotScrollPart, kScrollPartNone);
  SendMessageW(list, WM_NCMOUSEMOVE, HTVSCROLL, ScreenPoint(v, 5, 5));
  EXPECT_EQ(Entry(list).hotScrollPart, kScrollPartFirstArrow);
  SendMessageW(list, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(Entry(list).hotScrollPart, kScrollPartNone);
}

}  // namespace

