// The skinned form's procedure driven through real input and messages:
// caption clicks, moving, hover fades, window states, closing, and the
// mechanisms the tool's own window leaves idle.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "platform/window_geometry.h"
#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/edit/edit_installers.h"
#include "skin/engine/background_theme.h"
#include "skin/form/background_theme.h"
#include "skin/menu/menu_items.h"
#include "skin/menu/popup_menu.h"
#include "skin/shadow/drop_shadow.h"
#include "tests/skin/form/form_fixture.h"
#include "tests/support/failing_messages.h"

namespace korvath::skin::test {
namespace {

POINT ItemCentre(const SkinWindowRecord& r, int i) {
  const gdip::RectF b = r.CaptionItems[size_t(i) - 1].Bounds;
  return {LONG(b.x + b.width / 2), LONG(b.y + b.height / 2)};
}

// The form's right edge dragged from x 398 to `x` (at y 150, through the
// system's modal sizing loop); the form's rectangle once its width has left
// 400.
RECT DragRightEdge(HWND form, int x) {
  DragInModalLoop(form, {398, 150}, {x, 150});
  PumpUntil([&] {
    RECT now{};
    GetWindowRect(form, &now);
    return now.right - now.left != 400;
  }, 3000);
  RECT at{};
  GetWindowRect(form, &at);
  return at;
}

int32_t CALLBACK Refuse() { return 0; }
int32_t CALLBACK Agree() { return 1; }

TEST_F(FormTest, CloseItemClosesMinimiseItemMinimisesAndTheSurfaceMoves) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  Activate(form());
  POINT minimise = ItemCentre(record(), 1);
  Click(form(), minimise.x, minimise.y);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(form()) != FALSE; }, 3000));
  ShowWindow(form(), SW_RESTORE);
  PumpMessages(50);
  EXPECT_FALSE(record().Minimized);

  // Dragging the bare surface moves the window with the mouse.
  Activate(form());
  RECT before{};
  GetWindowRect(form(), &before);
  DragInModalLoop(form(), {150, 150}, {190, 170});
  PumpUntil([&] {
    RECT now{};
    GetWindowRect(form(), &now);
    return now.left != before.left;
  }, 3000);
  RECT after{};
  GetWindowRect(form(), &after);
  EXPECT_EQ(after.left - before.left, 40);
  EXPECT_EQ(after.top - before.top, 20);

  POINT close = ItemCentre(record(), 2);
  Click(form(), close.x, close.y);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(form()); }, 3000));
}

// The rim of a resizable form shows the sizing cursors and resizes it.
TEST_F(FormTest, TheRightEdgeOfAResizableFormResizesIt) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  Activate(form());
  SendMessageW(form(), WM_MOUSEMOVE, 0, MAKELPARAM(398, 150));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)));  // IDC_SIZEWE
  const RECT at = DragRightEdge(form(), 438);
  EXPECT_EQ(at.right - at.left, 440);
  EXPECT_EQ(at.bottom - at.top, 300);
  // The caption follows the new width.
  EXPECT_EQ(record().ButtonStripLeft, 440 - 68 + 1);
  PumpMessages(50);
  EXPECT_EQ(record().ClientWidth, 440);

  // A form that is not resizable keeps the cursor it has.
  FormSkinSettings fixed = Framed();
  fixed.resizable = false;
  Skin(WS_POPUP, 400, 300, fixed);
  const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  SetCursor(arrow);
  SendMessageW(form(), WM_MOUSEMOVE, 0, MAKELPARAM(398, 150));
  EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(FormTest, HoverFadesAnItemInOnTheTimerAndOutWhenLeft) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  SkinWindowRecord& r = record();
  const POINT item = ItemCentre(r, 1);
  SendMessageW(form(), WM_MOUSEMOVE, 0, MAKELPARAM(item.x, item.y));
  EXPECT_EQ(r.HotCaptionItem, 1);
  EXPECT_TRUE(r.HoverTimerOn);
  EXPECT_EQ(r.HotFade.item, 1);
  SendMessageW(form(), WM_MOUSEHOVER, 0, 0);
  const uint32_t rest = BackAt(item.x - 10, 2);
  uint32_t last = rest;
  for (int frame = 1; frame <= 8; ++frame) {
    SendMessageW(form(), WM_TIMER, reinterpret_cast<WPARAM>(form()), 0);
    EXPECT_EQ(r.HotFade.frame, frame);
    EXPECT_LE(BackAt(item.x - 10, 2) & 0xFF, last & 0xFF) << frame;  // darker each frame
    last = BackAt(item.x - 10, 2);
  }
  EXPECT_LT(last & 0xFF, rest & 0xFF);
  // Another timer's tick changes nothing.
  SendMessageW(form(), WM_TIMER, 12345, 0);
  EXPECT_EQ(r.HotFade.frame, 8);
  // Leaving: the item fades back to rest and the timer stops.
  SendMessageW(form(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(r.PrevFade.item, 1);
  EXPECT_FALSE(r.HoverTimerOn);
  for (int frame = 1; frame <= 8; ++frame) SendMessageW(form(), WM_TIMER, reinterpret_cast<WPARAM>(form()), 0);
  EXPECT_EQ(BackAt(item.x - 10, 2), rest);
  EXPECT_EQ(r.PrevFade.item, 0);
  EXPECT_EQ(r.HotCaptionItem, 0);
}

TEST_F(FormTest, WindowStatesKeepTheirFlagsWhereverTheCommandComesFrom) {
  Skin(WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 400, 300);
  SkinWindowRecord& r = record();
  // The maximise item maximises through the posted command, and its second
  // click restores.
  const POINT item = ItemCentre(r, 2);
  SendMessageW(form(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.x, item.y));
  SendMessageW(form(), WM_LBUTTONUP, 0, MAKELPARAM(item.x, item.y));
  EXPECT_TRUE(r.Maximized);
  EXPECT_EQ(r.CaptionItems[1].TipText, "\xBB\xB9\xD4\xAD");
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(form()) != FALSE; }, 2000));
  // A restore from elsewhere (the taskbar, say) ends the maximised state too.
  SendMessageW(form(), WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpMessages(50);
  EXPECT_FALSE(r.Maximized);
  EXPECT_FALSE(IsZoomed(form()));
  // Low bits of the command do not matter; other commands change nothing.
  SendMessageW(form(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
  EXPECT_TRUE(r.Minimized);
  SendMessageW(form(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(r.Minimized);
  r.RenderPending = false;
  SendMessageW(form(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_FALSE(r.RenderPending);
}

// Any double click in the caption band of a resizable form with a maximise
// item maximises it, the next restores it; below the band, on a form that
// is not resizable or has no maximise item, it does nothing of its own.
TEST_F(FormTest, ADoubleClickInTheCaptionBandMaximisesAndRestores) {
  Skin(WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 400, 300);
  const int32_t band = record().CaptionHeight;
  const auto doubleClick = [&](int x, int y) {
    SendMessageW(form(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    PumpMessages(30);
  };
  doubleClick(100, band + 1);
  EXPECT_FALSE(record().Maximized);
  EXPECT_FALSE(IsZoomed(form()));
  doubleClick(100, band);
  EXPECT_TRUE(record().Maximized);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(form()) != FALSE; }, 2000));
  const POINT onItem = ItemCentre(record(), 2);  // over a caption item too
  doubleClick(onItem.x, onItem.y);
  EXPECT_FALSE(record().Maximized);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(form()); }, 2000));

  FormSkinSettings fixed = Framed();
  fixed.resizable = false;
  Skin(WS_POPUP | WS_MAXIMIZEBOX, 400, 300, fixed);
  doubleClick(100, 5);
  EXPECT_FALSE(record().Maximized);
  EXPECT_FALSE(IsZoomed(form()));
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  doubleClick(100, 5);
  EXPECT_FALSE(IsZoomed(form()));
}

// The skin's track limits hold while the form is maximised (the work area at
// most) or when its record switches them on; otherwise the structure goes on
// as it came.
TEST_F(FormTest, TrackLimitsApplyWhenMaximisedOrSwitchedOn) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  SkinWindowRecord& r = record();
  const MINMAXINFO given = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
  const auto ask = [&] {
    MINMAXINFO info = given;
    SendMessageW(form(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  };
  MINMAXINFO info = ask();
  EXPECT_EQ(std::memcmp(&info, &given, sizeof(info)), 0);
  r.TrackLimitsOn = true;
  r.MinTrackWidth = 250;
  r.MinTrackHeight = 150;
  r.MaxTrackWidth = 700;
  r.MaxTrackHeight = 500;
  info = ask();
  EXPECT_EQ(info.ptMinTrackSize.x, 250);
  EXPECT_EQ(info.ptMinTrackSize.y, 150);
  EXPECT_EQ(info.ptMaxTrackSize.x, 700);
  EXPECT_EQ(info.ptMaxTrackSize.y, 500);
  EXPECT_EQ(std::memcmp(&info, &given, 3 * sizeof(POINT)), 0);  // reserved, maximised size and place
  r.Maximized = true;
  r.TrackLimitsOn = false;
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  info = ask();
  EXPECT_EQ(info.ptMinTrackSize.x, 250);
  EXPECT_EQ(info.ptMaxTrackSize.x, area.right - area.left);
  EXPECT_EQ(info.ptMaxTrackSize.y, area.bottom - area.top);
  r.Maximized = false;

  // Dragging the right edge far to the left stops at the least width.
  r.TrackLimitsOn = true;
  Activate(form());
  const RECT at = DragRightEdge(form(), 60);
  EXPECT_EQ(at.right - at.left, 250);
}

// A form opened from its icon repaints its list views at its next render,
// also those that lie in a panel (the render itself repaints only the
// controls lying on the form).
TEST_F(FormTest, AFormOpenedFromItsIconRepaintsItsListViewsAtItsNextRender) {
  Skin(WS_POPUP, 400, 300);
  HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 40, 220, 160, form(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 5, 5, 200, 140, panel,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ChildControlSkinInstall(*SkinRecordAt(number()), panel);
  ASSERT_GE(record().Children.size(), 1u);
  ASSERT_EQ(record().Children.back().window, list);
  const auto renderLeavesListToPaint = [&] {
    PumpMessages();
    ValidateRect(list, nullptr);
    record().RenderPending = true;
    SendMessageW(form(), WM_PAINT, 0, 0);
    return GetUpdateRect(list, nullptr, FALSE) != FALSE;
  };
  EXPECT_FALSE(renderLeavesListToPaint());
  record().Minimized = true;
  EXPECT_NE(SendMessageW(form(), WM_QUERYOPEN, 0, 0), 0);  // the form's own answer
  EXPECT_FALSE(record().Minimized);
  EXPECT_TRUE(record().ListViewRepaintPending);
  EXPECT_TRUE(renderLeavesListToPaint());
  EXPECT_FALSE(record().ListViewRepaintPending);
  EXPECT_FALSE(renderLeavesListToPaint());
}

// A null title is an empty one: the caption is repainted without text.
TEST_F(FormTest, ANullTitleClearsTheCaptionsText) {
  Skin(WS_POPUP, 400, 300);
  const auto caption = [&] {
    return CaptureDC(record().BackDC.get(), 0, 0, record().ButtonStripLeft - 2, record().CaptionHeight).pixels;
  };
  SetWindowTextW(form(), L"");
  const auto empty = caption();
  SetWindowTextW(form(), L"MMMM MMMM");
  EXPECT_NE(caption(), empty);
  SendMessageW(form(), WM_SETTEXT, 0, 0);
  EXPECT_EQ(caption(), empty);
  EXPECT_EQ(GetWindowTextLengthW(form()), 0);
}

// Memory that runs out at any allocation of the skin's part of a message to
// the form, each in turn, ends the skin's part there, inside the form's
// procedure: the message goes on to the form's own procedure (once) and gets
// its answer, and the form goes on: the skin draws its title and its picture
// again.
TEST_F(FormTest, MemoryThatRunsOutInTheFormsProcedureEndsOnlyTheSkinsPartOfTheMessage) {
  Skin(WS_POPUP, 400, 300, Framed(), &CountingOwnProcedure);
  const wchar_t kTitle[] = L"A title longer than a short string holds";
  const auto repaint = [&] {
    record().RenderPending = true;  // as a change of the theme leaves it
    return LRESULT(RedrawWindow(form(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW));
  };
  SendWithEachAllocationFailing({
      {"title", [&] { return SendMessageW(form(), WM_SETTEXT, 0, platform::ToParam(kTitle)); }, WM_SETTEXT, TRUE},
      {"shown", [&] { return SendMessageW(form(), WM_SHOWWINDOW, TRUE, 0); }, WM_SHOWWINDOW, 0},
      {"painted", repaint, WM_PAINT, TRUE, true},
  });
  EXPECT_EQ(WindowText(form()), kTitle);
  const auto caption = [&] {
    return CaptureDC(record().BackDC.get(), 0, 0, record().ButtonStripLeft - 2, record().CaptionHeight).pixels;
  };
  SetWindowTextW(form(), L"");
  const auto empty = caption();
  SetWindowTextW(form(), kTitle);
  EXPECT_NE(caption(), empty);
  SkinSetBackgroundTheme("", {}, 0x305070, 0xC0C0C0);
  EXPECT_EQ(BackAt(150, 100), 0x705030u);
}

TEST_F(FormTest, AScreenSizedFormFillsTheWorkAreaWhereItLies) {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT moved{area.left, area.top + 30, area.right, area.bottom};
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &moved, 0);
  RECT now{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &now, 0);
  Skin(WS_POPUP | WS_MAXIMIZEBOX, 400, 300);
  SetWindowPos(form(), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), SWP_NOZORDER);
  RECT at{};
  GetWindowRect(form(), &at);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0);
  EXPECT_TRUE(record().Maximized);
  EXPECT_EQ(at.left, now.left);
  EXPECT_EQ(at.top, now.top);
  EXPECT_EQ(at.right - at.left, now.right - now.left);
  EXPECT_EQ(at.bottom - at.top, now.bottom - now.top);
}

TEST_F(FormTest, HiddenFormShownAgainIsRenderedAgain) {
  Skin(WS_POPUP, 300, 200);
  ShowWindow(form(), SW_HIDE);
  EXPECT_TRUE(record().Hidden);
  SkinSetBackgroundTheme("", {}, 0x305070, 0xC0C0C0);  // hidden: not rendered now
  EXPECT_NE(BackAt(150, 100), 0x705030u);
  ShowWindow(form(), SW_SHOWNOACTIVATE);
  EXPECT_FALSE(record().Hidden);
  EXPECT_TRUE(record().ShowPainted);
  EXPECT_EQ(BackAt(150, 100), 0x705030u);
}

// The shadow and the close belong to a close that goes ahead.
TEST_F(FormTest, ARefusedCloseKeepsWindowAndShadowAndAnAgreedOneTakesBoth) {
  Skin(WS_POPUP, 300, 200);
  TestWindow shadow(50, 50, L"shadow", WS_POPUP | WS_VISIBLE);
  HWND shadowWindow = shadow.hwnd();
  record().ShadowWindow = shadowWindow;
  record().CloseQueryHandler = SkinRoutine(&Refuse);
  EXPECT_EQ(SendMessageW(form(), WM_CLOSE, 0, 0), 0);
  ASSERT_TRUE(IsWindow(form()));
  EXPECT_TRUE(IsWindow(shadowWindow));
  record().CloseQueryHandler = SkinRoutine(&Agree);
  SendMessageW(form(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form()));
  EXPECT_FALSE(IsWindow(shadowWindow));
}

// Fields that SWP_NOMOVE or SWP_NOSIZE mark unchanged come from where the
// window is.
TEST_F(FormTest, TheShadowFollowsMovesAndSizesAlone) {
  Skin(WS_POPUP, 300, 200);
  TestWindow shadow(50, 50, L"shadow", WS_POPUP | WS_VISIBLE);
  record().ShadowWindow = shadow.hwnd();
  record().ShadowSize = 10;
  SetWindowPos(form(), nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT at{};
  GetWindowRect(shadow.hwnd(), &at);
  EXPECT_EQ(at.left, 40);
  EXPECT_EQ(at.top, 50);
  EXPECT_EQ(at.right - at.left, 320);
  SetWindowPos(form(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(shadow.hwnd(), &at);
  EXPECT_EQ(at.left, 40);
  EXPECT_EQ(at.right - at.left, 220);
  EXPECT_EQ(at.bottom - at.top, 120);
  record().ShadowWindow = nullptr;
}

// The test forms' drop shadows: opaque, on all four sides.
constexpr ShadowOptions kRedShadow{.depth = 10, .colour = RGB(255, 0, 0), .alpha = 255};
constexpr ShadowOptions kGreenShadow{.depth = 10, .colour = RGB(0, 255, 0), .alpha = 255};

// What the screen shows where a shadow is darkest, in the middle just below
// its form (0xRRGGBB); where the shadow shows nothing there, the colour of
// what lies beneath.
uint32_t ShadowBelow(HWND shadow) {
  RECT at{};
  GetWindowRect(shadow, &at);
  const int x = (at.left + at.right) / 2, y = at.bottom - kRedShadow.depth;
  return CaptureScreen(RECT{x, y, x + 1, y + 1}).RgbAt(0, 0);
}
// Whether that place shows some red, and some green, as asked.
bool ShowsBelow(HWND shadow, bool red, bool green) {
  const uint32_t below = ShadowBelow(shadow);
  return ((below & 0xFF0000u) != 0) == red && ((below & 0x00FF00u) != 0) == green;
}

// A blue window beneath the shadow of a 300 x 200 test form, made before the
// form so that the form goes above it.
class Beneath : public TestWindow {
 public:
  Beneath() : TestWindow(400, 300, L"beneath", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255)) {}
};

// The pictures pushed onto one window (its draws) while the object lives.
class CountedDraws {
 public:
  explicit CountedDraws(HWND window) {
    watched_ = window;
    count_ = 0;
    SkinWatchLayeredFrames(&Count);
  }
  ~CountedDraws() { SkinWatchLayeredFrames(nullptr); }
  CountedDraws(const CountedDraws&) = delete;
  CountedDraws& operator=(const CountedDraws&) = delete;
  int count() const { return count_; }

 private:
  static void Count(const LayeredFrame& frame) { count_ += frame.window == watched_; }
  static inline HWND watched_ = nullptr;
  static inline int count_ = 0;
};

// A shadow attached again with a setting that only its picture shows, at the
// same size, is drawn anew with it (a change of size would draw it of
// itself): each row a change, and the look it gives the place below the
// form. A move takes the shadow along as it is, drawn no more.
TEST_F(FormTest, AShadowAttachedAgainIsDrawnWithItsNewSettingsAndAMoveDrawsItNoMore) {
  const struct {
    const char* change;
    ShadowOptions options;
    bool red, green;  // whether the place below the form shows some of either
  } rows[] = {
      {"another colour", kGreenShadow, false, true},
      {"no alpha", {.depth = 10, .colour = RGB(255, 0, 0), .alpha = 0}, false, false},
      {"the top side alone", {.depth = 10, .sides = 1, .colour = RGB(255, 0, 0), .alpha = 255}, false, false},
  };
  const Beneath beneath;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.change);
    Skin(WS_POPUP, 300, 200);
    ASSERT_TRUE(ShadowAttach(form(), kRedShadow));
    const HWND shadow = record().ShadowWindow;
    EXPECT_TRUE(PumpUntil([&] { return ShowsBelow(shadow, true, false); })) << std::hex << ShadowBelow(shadow);
    ASSERT_TRUE(ShadowAttach(form(), row.options));
    EXPECT_EQ(record().ShadowWindow, shadow);
    EXPECT_TRUE(PumpUntil([&] { return ShowsBelow(shadow, row.red, row.green); })) << std::hex << ShadowBelow(shadow);
    if (HasFailure()) SaveFailureImage(CaptureWindow(shadow), "shadow_attached_again");
  }
  const HWND shadow = record().ShadowWindow;
  const CountedDraws draws(shadow);
  SetWindowPos(form(), nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT at{};
  GetWindowRect(shadow, &at);
  EXPECT_EQ(at, (RECT{140, 110, 460, 330}));
  EXPECT_EQ(draws.count(), 0);
}

// A shadow attached to a hidden form shows with it, drawn: a layered window
// shows nothing before it is drawn, and one made hidden is not. One attached
// again in another colour while its form is away, hidden or minimised, shows
// in that colour when the form comes back.
TEST_F(FormTest, AShadowAttachedWhileItsFormIsAwayShowsDrawnWhenTheFormComesBack) {
  const Beneath beneath;
  window_ = std::make_unique<TestWindow>(300, 200, L"Skinned test form", WS_POPUP | WS_MINIMIZEBOX);
  FormSkinAttach(form(), Framed());
  ASSERT_TRUE(ShadowAttach(form(), kRedShadow));
  const HWND shadow = record().ShadowWindow;
  ASSERT_NE(shadow, nullptr);
  EXPECT_FALSE(IsWindowVisible(shadow));
  ShowWindow(form(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(shadow));
  const auto red = [&] { return ShowsBelow(shadow, true, false); };
  EXPECT_TRUE(PumpUntil(red)) << std::hex << ShadowBelow(shadow);
  const struct {
    const char* away;
    int leave, back;  // ShowWindow's commands
  } ways[] = {{"hidden", SW_HIDE, SW_SHOWNOACTIVATE}, {"minimised", SW_SHOWMINNOACTIVE, SW_RESTORE}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.away);
    ShowWindow(form(), way.leave);
    EXPECT_FALSE(IsWindowVisible(shadow));
    ASSERT_TRUE(ShadowAttach(form(), kGreenShadow));
    ShowWindow(form(), way.back);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_TRUE(PumpUntil([&] { return ShowsBelow(shadow, false, true); })) << std::hex << ShadowBelow(shadow);
    ASSERT_TRUE(ShadowAttach(form(), kRedShadow));  // shown: drawn at once
    EXPECT_TRUE(PumpUntil(red)) << std::hex << ShadowBelow(shadow);
  }
  if (HasFailure()) SaveFailureImage(CaptureWindow(shadow), "shadow_of_a_form_away");
}

// A form moved and resized while it is hidden leaves its shadow, hidden too,
// where it was and as it was drawn: nobody sees it there. Shown again, the
// form brings its shadow to its new place at its new size, drawn.
TEST_F(FormTest, AHiddenFormsMoveLeavesItsShadowAloneUntilTheFormShowsAgain) {
  const Beneath beneath;
  Skin(WS_POPUP, 300, 200);
  ASSERT_TRUE(ShadowAttach(form(), kRedShadow));
  const HWND shadow = record().ShadowWindow;
  ASSERT_NE(shadow, nullptr);
  ShowWindow(form(), SW_HIDE);
  ASSERT_FALSE(IsWindowVisible(shadow));
  const RECT before = platform::WindowRect(shadow);
  const CountedDraws draws(shadow);
  SetWindowPos(form(), nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(form(), nullptr, 0, 0, 280, 180, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(platform::WindowRect(shadow), before);
  EXPECT_EQ(draws.count(), 0);
  ShowWindow(form(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_EQ(platform::WindowRect(shadow), (RECT{140, 110, 440, 310}));
  EXPECT_GT(draws.count(), 0);
  EXPECT_TRUE(PumpUntil([&] { return ShowsBelow(shadow, true, false); })) << std::hex << ShadowBelow(shadow);
  if (HasFailure()) SaveFailureImage(CaptureWindow(shadow), "shadow_of_a_form_moved_hidden");
}

// Controls in none of the record's lists (made after the attach) give back
// the brushes and bitmaps that the form's colour answers made for them: the
// next answer frees the last one, and the control's end frees what it holds.
TEST_F(FormTest, ColourBrushesOfUnlistedControlsEndWithTheirControl) {
  Skin(WS_POPUP, 300, 200);
  SkinEngine.options.SkinTransparentMode = true;
  const long before = platform::LiveGdiObjectCount();
  const DWORD systemBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);  // 0 under Wine
  struct Kind {
    const wchar_t* cls;
    UINT message;
  };
  const Kind kinds[] = {{L"Static", WM_CTLCOLORSTATIC}, {L"Edit", WM_CTLCOLOREDIT}, {L"ListBox", WM_CTLCOLORLISTBOX}};
  for (int i = 0; i < 100 && !HasFailure(); ++i) {
    for (const Kind& kind : kinds) {
      HWND control = window_->AddChild(kind.cls, L"x", WS_CHILD | WS_VISIBLE, 10, 10, 80, 40);
      ASSERT_TRUE(control);
      EXPECT_EQ(GetSkinProp(control, prop::Hw_FuID), 0) << "listed";
      HDC dc = GetDC(control);
      SendMessageW(form(), kind.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
      const long withOne = platform::LiveGdiObjectCount();
      const auto brush = reinterpret_cast<HGDIOBJ>(
          SendMessageW(form(), kind.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
      ReleaseDC(control, dc);
      EXPECT_EQ(platform::LiveGdiObjectCount(), withOne) << "rebuilt";
      ASSERT_EQ(GetObjectType(brush), DWORD(OBJ_BRUSH));
      const auto bitmap = GetSkinPropHandle<HGDIOBJ>(control, prop::Kj_wtjb);
      DestroyWindow(control);
      EXPECT_EQ(GetObjectType(brush), 0u) << "brush of a gone control";
      if (bitmap) {
        EXPECT_EQ(GetObjectType(bitmap), 0u) << "bitmap of a gone control";
      }
      EXPECT_EQ(platform::LiveGdiObjectCount(), before);
    }
  }
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), systemBefore);
  SkinEngine.options.SkinTransparentMode = false;
}

TEST_F(FormTest, MenuItemsAreMeasuredOnlyWhenTheirNumbersNameAnItem) {
  Skin(WS_POPUP, 300, 200);
  MenuSkinEntry menu;
  menu.itemWidth = 120;
  menu.itemHeight = 22;
  menu.items.resize(2);
  menu.items[1].separator = true;
  SkinEngine.lists.MenuItemList.push_back(menu);
  struct Case {
    ULONG_PTR data;
    UINT width, height;
  };
  const Case cases[] = {{MAKELONG(1, 1), 120, 22}, {MAKELONG(2, 1), 120, 12}, {MAKELONG(3, 1), 7, 7},
                        {MAKELONG(0, 1), 7, 7},   {MAKELONG(1, 2), 7, 7},    {MAKELONG(1, 0), 7, 7}};
  for (const Case& c : cases) {
    MEASUREITEMSTRUCT item{ODT_MENU, 0, 1, 7, 7, c.data};
    SendMessageW(form(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.itemWidth, c.width) << std::hex << c.data;
    EXPECT_EQ(item.itemHeight, c.height) << std::hex << c.data;
  }
  // A second hook replaces the first, which is removed.
  MenuSkinHookInstall();
  HWINEVENTHOOK first = SkinEngine.forms.MenuWinEventHook.get();
  MenuSkinHookInstall();
  EXPECT_NE(SkinEngine.forms.MenuWinEventHook.get(), nullptr);
  EXPECT_FALSE(UnhookWinEvent(first));
  SkinEngine.forms.MenuWinEventHook.Reset();
  SkinEngine.lists.MenuItemList.clear();
}

}  // namespace
}  // namespace korvath::skin::test
