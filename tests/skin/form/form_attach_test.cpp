// The record, properties, styles and procedure a form gets from the attach,
// the geometry of its caption and status bar, and what removal gives back.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/image.h"
#include "platform/gdi_object.h"
#include "skin/caption/caption_layout.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/engine/attach.h"
#include "skin/engine/background_theme.h"
#include "skin/form/background_theme.h"
#include "skin/form/edge_resize.h"
#include "skin/form/form_hit_tests.h"
#include "skin/form/form_window_proc.h"
#include "skin/form/skin_removal.h"
#include "skin/shadow/drop_shadow.h"
#include "tests/skin/form/form_fixture.h"

namespace korvath::skin::test {
namespace {

using K = CaptionItemKind;

std::vector<CaptionItemKind> Kinds(const SkinWindowRecord& r) {
  std::vector<CaptionItemKind> kinds;
  for (const CaptionItem& item : r.CaptionItems) kinds.push_back(item.Kind);
  return kinds;
}

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(FormTest, AttachBuildsTheRecordAndInstallsTheProcedureLast) {
  window_ = std::make_unique<TestWindow>(409, 471, L"form", WS_POPUP | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                         &OwnProcedure);
  HWND hwnd = form();
  const LONG_PTR ownProc = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
  FormSkinAttach(hwnd, Framed());
  ASSERT_EQ(SkinEngine.lists.SkinWindowList.size(), 1u);
  EXPECT_EQ(GetSkinProp(hwnd, prop::Hw_lbID), 1);
  // The procedure kept leads on to the form's own (the caption's tips, made
  // with the first mouse message, go in front of it then).
  const LONG_PTR kept = GetSkinProp(hwnd, prop::Hw_hProc);
  EXPECT_EQ(kept, reinterpret_cast<LONG_PTR>(record().OldWndProc));
  EXPECT_EQ(CallWindowProcW(record().OldWndProc, hwnd, WM_NULL, 0, 0), 0);
  EXPECT_NE(kept, 0);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&FormSkinWndProc));
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  EXPECT_FALSE(style & WS_CLIPCHILDREN);
  EXPECT_TRUE(style & WS_SYSMENU);

  const SkinWindowRecord& r = record();
  EXPECT_EQ(r.CaptionHeight, 25);
  EXPECT_TRUE(r.HasBorder && r.Resizable && r.ShowTitle && r.DragAnywhere && r.RenderPending);
  EXPECT_EQ(Kinds(r), (std::vector<CaptionItemKind>{K::Minimize, K::Close}));
  EXPECT_EQ(r.ButtonStripWidth, 26 + 38 + 1 + 3);
  EXPECT_EQ(r.ButtonStripLeft, 409 - 68 + 1);
  EXPECT_EQ(r.CaptionItems[0].Bounds, (gdip::RectF{344, 1, 26, 18}));
  EXPECT_EQ(r.CaptionItems[1].Bounds, (gdip::RectF{371, 1, 40, 18}));
  EXPECT_EQ(r.Tips.GetToolCount(), 2);
  EXPECT_EQ(r.BackColor, std::nullopt);
  EXPECT_EQ(r.BackAlpha, 255);

  // A second attach changes nothing.
  FormSkinAttach(hwnd, Framed());
  EXPECT_EQ(SkinEngine.lists.SkinWindowList.size(), 1u);
  EXPECT_EQ(GetSkinProp(hwnd, prop::Hw_hProc), kept);

  // Removal gives the procedure back and frees the record.
  UnskinWindow(record());
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), kept);
  EXPECT_EQ(GetSkinProp(hwnd, prop::Hw_hProc), kept);
  EXPECT_NE(ownProc, 0);
}

// The attach runs the control skins over the form's own children.
TEST_F(FormTest, AttachSkinsTheFormsControlsOfEveryKindThatHasASkin) {
  window_ = std::make_unique<TestWindow>(300, 200, L"form", WS_POPUP);
  const std::vector<HWND> controls = {
      window_->AddChild(L"Button", L"push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 30, 60, 20),
      window_->AddChild(L"Button", L"check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 60, 60, 20),
      window_->AddChild(L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 90, 60, 20),
      window_->AddChild(L"ListBox", L"", WS_CHILD | WS_VISIBLE, 100, 30, 60, 60),
      window_->AddChild(L"Static", L"see-through", WS_CHILD | WS_VISIBLE, 100, 100, 60, 20, 0, WS_EX_TRANSPARENT)};
  FormSkinAttach(form(), Framed());
  for (HWND control : controls) {
    EXPECT_EQ(GetSkinProp(control, prop::Hw_FuID), number()) << control;
    EXPECT_TRUE(SkinIsSubclassed(control)) << control;
  }
  // The static is skinned see-through only: it is no entry of a list.
  EXPECT_EQ(record().Buttons.size(), 2u);
  EXPECT_EQ(record().Edits[0].window, controls[2]);
  EXPECT_EQ(record().Children[0].window, controls[3]);
}

TEST_F(FormTest, SettingsDecideCaptionHeightItemsAndTooltips) {
  struct Case {
    DWORD style;
    FormSkinSettings settings;
    std::vector<CaptionItemKind> kinds;
    int32_t stripWidth;
    int32_t captionHeight;
    bool tipWindow;
  };
  FormSkinSettings tall = Framed(), noFrame, noClose = Framed(), all = Framed(), plain;
  tall.captionHeight = 30;
  noFrame.border = false;
  noClose.noCloseButton = true;
  all.helpButton = all.menuButton = true;
  all.captionHeight = 10;
  const std::vector<Case> cases = {
      {WS_POPUP | WS_MINIMIZEBOX, tall, {K::Minimize, K::Close}, 68, 30, true},
      {WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, noFrame, {K::Minimize, K::MaximizeRestore}, 26 + 26 + 1 + 3, 25,
       false},
      {WS_POPUP, noClose, {}, 2, 25, true},
      {WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, all,
       {K::Help, K::MainMenu, K::Minimize, K::MaximizeRestore, K::Close}, 149, 25, true},
      {WS_POPUP, plain, {K::Close}, 41, 25, false},  // frame on, but no tooltip window unless asked for
  };
  for (const Case& c : cases) {
    Skin(c.style, 400, 300, c.settings);
    EXPECT_EQ(Kinds(record()), c.kinds);
    EXPECT_EQ(record().ButtonStripWidth, c.stripWidth);
    EXPECT_EQ(record().CaptionHeight, c.captionHeight);
    EXPECT_EQ(record().Tips.GetHandle() != nullptr, c.tipWindow);
  }
  // All five items on a 400-pixel client: the strip starts at 252, items 27 apart.
  Skin(WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 400, 300, all);
  EXPECT_EQ(record().ButtonStripLeft, 252);
  const float xs[] = {254, 281, 308, 335, 362};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(record().CaptionItems[i].Bounds.x, xs[i]);
  EXPECT_EQ(record().CaptionItems[4].Bounds.width, 40);
}

// The caption's tips are made when the mouse first comes to the form, which
// relays its mouse messages to them: nothing comes between the skin's
// procedure and the form's own. The tip of the item under the mouse shows.
TEST_F(FormTest, CaptionTipsAreMadeWithTheFirstMouseMessageAndShowTheItemsTip) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 409, 471, Framed(), &OwnProcedure);
  HWND hwnd = form();
  auto tipWindow = [&] { return TipWindowOf(hwnd); };
  EXPECT_EQ(tipWindow(), nullptr) << "no tip window before the mouse comes";
  EXPECT_EQ(GetSkinProp(hwnd, prop::Hw_hProc), reinterpret_cast<LONG_PTR>(&OwnProcedure));

  const gdip::RectF close = record().CaptionItems.back().Bounds;
  MouseMoveTo(hwnd, int(close.x + close.width / 2), int(close.y + close.height / 2));
  HWND tip = nullptr;
  EXPECT_TRUE(PumpUntil([&] { return (tip = tipWindow()) != nullptr && IsWindowVisible(tip); }))
      << "the close button's tip shows";
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&FormSkinWndProc));
  const LONG_PTR kept = GetSkinProp(hwnd, prop::Hw_hProc);
  EXPECT_EQ(kept, reinterpret_cast<LONG_PTR>(&OwnProcedure)) << "the tips take no place in front of the form's own";
  EXPECT_EQ(kept, reinterpret_cast<LONG_PTR>(record().OldWndProc));
  if (tip) {
    wchar_t text[80] = {};
    TTTOOLINFOW tool{TTTOOLINFOW_V1_SIZE};
    tool.lpszText = text;
    EXPECT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(std::wstring(text), L"\u5173\u95ED");  // 关闭
  }
  EXPECT_EQ(record().Tips.GetToolCount(), 2);
  SetCursorPos(2, 2);
}

// A tip that shows goes at a press or release of a mouse button, which the
// form relays to its tips as it relays the moves: the middle and right
// buttons here, which do nothing else over the close button's item.
TEST_F(FormTest, ARelayedButtonPressHidesTheCaptionTipShown) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 409, 471, Framed());
  const HWND hwnd = form();
  const gdip::RectF close = record().CaptionItems.back().Bounds;
  const POINT over = {int(close.x + close.width / 2), int(close.y + close.height / 2)};
  for (const UINT press : {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}) {
    MouseMoveTo(hwnd, 200, 300);  // off every item, and so off every tip
    MouseMoveTo(hwnd, over.x, over.y);
    HWND tip = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (tip = TipWindowOf(hwnd)) != nullptr && IsWindowVisible(tip); }))
        << "the close button's tip shows, before message " << std::hex << press;
    SendMessageW(hwnd, press, 0, MAKELPARAM(over.x, over.y));
    EXPECT_FALSE(IsWindowVisible(tip)) << "after message " << std::hex << press;
  }
  SetCursorPos(2, 2);
}

// A minimised form takes its shadow and the caption's tip that shows along,
// whether the system command or ShowWindow minimises it; restored, the
// shadow is back around the form and the tip stays away: the system shows
// again, empty, a tip that it hid with the form.
TEST_F(FormTest, AMinimisedFormTakesItsShadowAndItsTipAlongAndARestoreBringsBackTheShadowAlone) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 409, 471, Framed());
  const HWND hwnd = form();
  ASSERT_TRUE(ShadowAttach(hwnd, {.depth = 10}));
  const HWND shadow = record().ShadowWindow;
  ASSERT_TRUE(IsWindowVisible(shadow));
  const gdip::RectF close = record().CaptionItems.back().Bounds;
  const auto byCommand = [](HWND window, UINT command) { SendMessageW(window, WM_SYSCOMMAND, command, 0); };
  const auto byShowWindow = [](HWND window, UINT command) {
    ShowWindow(window, command == SC_MINIMIZE ? SW_MINIMIZE : SW_RESTORE);
  };
  const struct {
    const char* how;
    void (*ask)(HWND, UINT);
  } ways[] = {{"the system command", byCommand}, {"ShowWindow", byShowWindow}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    MouseMoveTo(hwnd, 200, 300);  // off every item, so that the next move shows the tip anew
    MouseMoveTo(hwnd, int(close.x + close.width / 2), int(close.y + close.height / 2));
    HWND tip = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (tip = TipWindowOf(hwnd)) != nullptr && IsWindowVisible(tip); }));
    way.ask(hwnd, SC_MINIMIZE);
    ASSERT_TRUE(IsIconic(hwnd));
    EXPECT_FALSE(IsWindowVisible(shadow));
    EXPECT_FALSE(IsWindowVisible(tip));
    way.ask(hwnd, SC_RESTORE);
    ASSERT_FALSE(IsIconic(hwnd));
    EXPECT_TRUE(IsWindowVisible(shadow));
    RECT around{}, at{};
    GetWindowRect(hwnd, &around);
    InflateRect(&around, 10, 10);
    GetWindowRect(shadow, &at);
    EXPECT_TRUE(EqualRect(&at, &around));
    EXPECT_FALSE(IsWindowVisible(tip));
  }
  SetCursorPos(2, 2);
}

TEST_F(FormTest, CaptionTipsWaitForTheMouseOverAnItem) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 409, 471, Framed());
  HWND hwnd = form();
  auto tipCount = [&] {
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
         w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
      if (GetWindow(w, GW_OWNER) == hwnd) ++count;
    }
    return count;
  };
  // The mouse over the client area and over the caption beside the items.
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(200, 300));
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 8));
  EXPECT_EQ(tipCount(), 0) << "no tip window while the mouse is over no item";
  EXPECT_TRUE(record().Tips.Prepared());

  const gdip::RectF minimise = record().CaptionItems.front().Bounds;
  SendMessageW(hwnd, WM_MOUSEMOVE, 0,
               MAKELPARAM(int(minimise.x + minimise.width / 2), int(minimise.y + minimise.height / 2)));
  EXPECT_EQ(tipCount(), 1) << "the first message over an item makes the tips";
  EXPECT_EQ(record().Tips.GetToolCount(), 2);
}

TEST_F(FormTest, StatusBarSharesTheFreeWidthBetweenStretchingSegments) {
  FormSkinSettings s = Framed();
  s.statusBarHeight = 20;
  s.statusBarSegments = std::vector<StatusBarSegment>{{.width = 100}, {.width = -1}, {.width = 80}};
  Skin(WS_POPUP, 400, 300, s);
  const SkinWindowRecord& r = record();
  EXPECT_EQ(r.StatusBarRect, (gdip::Rect{3, 276, 394, 20}));
  ASSERT_EQ(r.StatusBarSegmentRects.size(), 3u);
  EXPECT_EQ(r.StatusBarSegmentRects[0], (gdip::Rect{3, 276, 100, 20}));
  EXPECT_EQ(r.StatusBarSegmentRects[1], (gdip::Rect{103, 276, 214, 20}));
  EXPECT_EQ(r.StatusBarSegmentRects[2], (gdip::Rect{317, 276, 80, 20}));
  // Segments report strictly inside their rectangles.
  EXPECT_EQ(SkinFindStatusSectionAtPoint(record(), 50, 285), 1);
  EXPECT_EQ(SkinFindStatusSectionAtPoint(record(), 103, 285), 0);
  EXPECT_EQ(SkinFindStatusSectionAtPoint(record(), 200, 285), 2);
  EXPECT_EQ(SkinFindStatusSectionAtPoint(record(), 200, 100), 0);
}

TEST_F(FormTest, HitTestsAndResizeZonesFollowTheStripAndTheRim) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  const int32_t left = record().ButtonStripLeft;
  // The strip test reaches two pixels further left than the item search.
  EXPECT_TRUE(SkinPointInButtonStrip(record(), POINT{left - 1, 5}));
  EXPECT_FALSE(SkinPointInButtonStrip(record(), POINT{left - 3, 5}));
  EXPECT_EQ(SkinFindButtonAtPoint(record(), left - 1, 5), 0);
  // An item's edge belongs to no item; one pixel inside does.
  const gdip::RectF b = record().CaptionItems[0].Bounds;
  EXPECT_EQ(SkinFindButtonAtPoint(record(), int(b.x), 5), 0);
  EXPECT_EQ(SkinFindButtonAtPoint(record(), int(b.x) + 1, 5), 1);
  EXPECT_EQ(SkinFindButtonAtPoint(record(), int(b.x) + 30, 5), 2);
  EXPECT_EQ(SkinFindMaximizeItem(record()), 0);

  struct Zone {
    int x, y, zone;
  };
  const Zone zones[] = {{3, 50, WMSZ_LEFT},   {4, 50, 0},          {396, 50, 0},
                        {397, 50, WMSZ_RIGHT}, {50, 3, WMSZ_TOP},   {50, 297, WMSZ_BOTTOM},
                        {10, 10, WMSZ_TOPLEFT}, {5, 5, WMSZ_TOPLEFT}, {3, 10, WMSZ_TOPLEFT},
                        {3, 11, WMSZ_LEFT},   {11, 2, WMSZ_TOP},   {10, 2, WMSZ_TOPLEFT},
                        {395, 5, WMSZ_TOPRIGHT}, {5, 295, WMSZ_BOTTOMLEFT}, {395, 295, WMSZ_BOTTOMRIGHT}};
  for (const Zone& z : zones) EXPECT_EQ(SkinEdgeZone(z.x, z.y, 400, 300), z.zone) << z.x << "," << z.y;
}

TEST_F(FormTest, RemovingTheFirstFormRenumbersTheSecondAndItsControls) {
  Skin(WS_POPUP, 300, 200);
  TestWindow second(300, 200, L"second", WS_POPUP);
  HWND button = second.AddChild(L"Button", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, 60, 20);
  FormSkinAttach(second.hwnd(), Framed());
  SkinWindowRecord& r2 = *SkinRecordAt(2);
  r2.Buttons[0].window = button;
  SetSkinProp(button, prop::Hw_FuID, 2);
  // A brush handed to the control goes with the record.
  SkinReplaceControlBrush(button, platform::GdiBrush(CreateSolidBrush(0x123456)), platform::GdiBitmap());
  window_.reset();
  PumpMessages();
  EXPECT_EQ(SkinEngine.lists.SkinWindowList.size(), 1u);
  EXPECT_EQ(GetSkinProp(second.hwnd(), prop::Hw_lbID), 1);
  EXPECT_EQ(GetSkinProp(button, prop::Hw_FuID), 1);
  // Its controls are gone before the form's last message: the brush goes
  // while they still exist (the fixture counts the objects at its end).
  DestroyWindow(second.hwnd());
}

TEST_F(FormTest, AttachRenderAndDestroyCyclesLeaveNoObjectBehind) {
  for (int i = 0; i < 20; ++i) {
    Skin(WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 300, 200);
    SendMessageW(form(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"title"));
    InvalidateRect(form(), nullptr, FALSE);
    record().RenderPending = true;
    UpdateWindow(form());
  }
  window_.reset();
  PumpMessages();
  EXPECT_EQ(platform::LiveGdiObjectCount(), gdiAtStart_);
}

TEST_F(FormTest, BackgroundThemeSetsColoursImageAndMode) {
  SkinEngine.options.SkinBackgroundMode = 0;
  SkinSetBackgroundTheme("", {}, 0xECECEC, 0xC0C0C0);
  EXPECT_EQ(SkinEngine.options.SkinThemeColor, 0xC0C0C0u);
  EXPECT_EQ(SkinEngine.options.SkinBackgroundColor, 0xECECECu);
  EXPECT_TRUE(SkinEngine.options.SkinBackgroundImage.empty());
  EXPECT_EQ(SkinEngine.options.SkinBackgroundMode, 0);
  SkinSetBackgroundTheme("", {});
  EXPECT_EQ(SkinEngine.options.SkinThemeColor, 0xDDCA22u);
  EXPECT_EQ(SkinEngine.options.SkinBackgroundColor, 0xECECECu);

  // A plain picture: its edge colour is its colour; the theme can take it.
  ByteSet picture;
  {
    gdip::Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateWithFormat(200, 100));
    gdip::Graphics g;
    ASSERT_TRUE(g.FromImage(bitmap));
    g.Clear(0xFF336699);
    std::string format(gdip::kPngFormat);
    picture = bitmap.SaveToStream(&format);
  }
  EXPECT_EQ(SkinSampleEdgeColor(picture, 2000), RGB(0x33, 0x66, 0x99));
  EXPECT_EQ(SkinSampleEdgeColor(ByteSet{1, 2, 3}, 2000), 0u);
  SkinSetBackgroundTheme("", picture, std::nullopt, kThemeFromBackground, 0);
  EXPECT_EQ(SkinEngine.options.SkinBackgroundColor, RGB(0x33, 0x66, 0x99));
  EXPECT_EQ(SkinEngine.options.SkinThemeColor, RGB(0x33, 0x66, 0x99));
  EXPECT_EQ(SkinEngine.options.SkinBackgroundMode, 0);
  // Mode 2 keeps the bytes as they are; no mode means 4.
  SkinSetBackgroundTheme("", picture, 0x010203, std::nullopt, 2);
  EXPECT_EQ(SkinEngine.options.SkinBackgroundImage, picture);
  SkinSetBackgroundTheme("", picture, 0x010203);
  EXPECT_EQ(SkinEngine.options.SkinBackgroundMode, 4);

  // The faded picture ends in the fade colour at its right and bottom edges.
  const ByteSet faded = SkinImageGradientOverlay(picture, std::nullopt, RGB(255, 0, 0));
  gdip::Bitmap decoded;
  ASSERT_TRUE(decoded.FromStream(faded));
  EXPECT_TRUE(ColorNear(decoded.GetPixel(199, 10) & 0xFFFFFF, 0xFF0000, 8));
  EXPECT_TRUE(ColorNear(decoded.GetPixel(10, 99) & 0xFFFFFF, 0xFF0000, 8));
  EXPECT_TRUE(ColorNear(decoded.GetPixel(60, 10) & 0xFFFFFF, 0x336699, 2));
  EXPECT_FALSE(ColorNear(decoded.GetPixel(170, 10) & 0xFFFFFF, 0x336699, 8));
  SkinEngine.options.SkinBackgroundImage.clear();
  SkinEngine.options.SkinBackgroundMode = 0;
}

}  // namespace
}  // namespace korvath::skin::test
