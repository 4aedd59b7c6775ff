// Popup menus of a skinned form that an application describes in
// MenuItemList: a real menu opened on a test form, and the pieces of its
// skinning (the one-shot hook, the menu window's region, subclass and frame).
#include <string>
#include <utility>
#include <vector>

#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "skin/menu/menu_items.h"
#include "skin/menu/popup_menu.h"
#include "tests/skin/form/form_fixture.h"
#include "tests/support/png_writer.h"

namespace korvath::skin::test {
namespace {

constexpr COLORREF kTint = 0x0000C0;  // the menu's red
constexpr int kItemWidth = 150, kItemHeight = 26;

std::vector<int32_t> chosen;
int32_t CALLBACK Chosen(int32_t item) {
  chosen.push_back(item);
  return 0;
}

// A described menu of three items (caption, separator, caption); their
// identifiers are the entry's number followed by four digits of item number.
struct DescribedMenu {
  DescribedMenu() {
    MenuSkinEntry entry;
    entry.menu = menu;
    entry.itemWidth = kItemWidth;
    entry.itemHeight = kItemHeight;
    entry.colour = kTint;
    entry.itemHandler = SkinRoutine(&Chosen);
    MenuSkinItemEntry item;
    item.face = "\xCB\xCE\xCC\xE5";  // 宋体
    item.size = 14;
    item.textColor = 0x202020;
    item.text = "\xB4\xF2\xBF\xAA";  // 打开
    entry.items.push_back(item);
    entry.items.push_back(MenuSkinItemEntry{.separator = true});
    item.text = "\xB1\xA3\xB4\xE6";  // 保存
    entry.items.push_back(item);
    SkinEngine.lists.MenuItemList.push_back(entry);
    for (int i = 1; i <= 3; ++i) {
      AppendMenuA(menu, MF_OWNERDRAW | (i == 2 ? MF_SEPARATOR : 0), UINT(10000 + i),
                  reinterpret_cast<LPCSTR>(MAKELONG(i, 1)));
    }
  }
  ~DescribedMenu() { DestroyMenu(menu); }
  HMENU menu = CreatePopupMenu();
};

// What a timer saw of the menu window while the menu was open.
struct OpenMenu {
  HWND window = nullptr;
  bool subclassed = false;
  int region = ERROR;
  RECT regionBox{};
  bool corner = true;  // the region holds the window's top-left pixel
  RECT at{};
  testsupport::PixelBuffer shown;  // with the first item hot
  int step = 0;
};
OpenMenu seen;

void KeyPress(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

bool FirstItemHot(HMENU menu) {
  MENUITEMINFOA info = {sizeof(info), MIIM_STATE};
  return GetMenuItemInfoA(menu, 0, TRUE, &info) && (info.fState & MFS_HILITE);
}

// Runs inside the menu's modal loop: waits for the menu window and its skin,
// looks at it, makes the first item hot, takes its picture, then chooses the
// third item. A menu that never gets there is closed after a few seconds.
//
// Windows announces a popup menu's start to WinEvent hooks itself; Wine 8
// does not, so the watcher announces it as Windows would.
HMENU trackedMenu = nullptr;
void CALLBACK WatchMenu(HWND, UINT, UINT_PTR, DWORD) {
  if (++seen.step > 200) {
    EndMenu();
    return;
  }
  if (!seen.window) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    seen.window = menu;
    if (!GetSkinProp(menu, prop::Hw_hProc)) NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, menu, OBJID_CLIENT, CHILDID_SELF);
    return;
  }
  if (!seen.subclassed) {
    if (!GetSkinProp(seen.window, prop::Hw_hProc)) return;
    seen.subclassed = true;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    seen.region = GetWindowRgn(seen.window, region);
    GetRgnBox(region, &seen.regionBox);
    seen.corner = PtInRegion(region, 0, 0) != FALSE;
    DeleteObject(region);
    GetWindowRect(seen.window, &seen.at);
    KeyPress(VK_DOWN);
    return;
  }
  if (seen.shown.Empty()) {
    if (!FirstItemHot(trackedMenu)) return;
    RedrawWindow(seen.window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    seen.shown = testsupport::CaptureWindow(seen.window);
    KeyPress(VK_DOWN);  // the separator is passed over
    KeyPress(VK_RETURN);
  }
}

TEST_F(FormTest, ADescribedPopupMenuOpensSkinnedAndItsChoiceReachesItsRoutine) {
  Skin(WS_POPUP, 400, 300);
  Activate(form());
  SkinEngine.options.SkinThemeColor = 0xC00000;  // a blue tick
  DescribedMenu described;
  CheckMenuItem(described.menu, 10003, MF_BYCOMMAND | MF_CHECKED);
  trackedMenu = described.menu;
  seen = {};
  chosen.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, WatchMenu);
  RECT at{};
  GetWindowRect(form(), &at);
  TrackPopupMenu(described.menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.left + 60, at.top + 60, 0, form(), nullptr);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(PumpUntil([] { return !chosen.empty(); }, 3000));
  EXPECT_EQ(chosen, std::vector<int32_t>{3});
  EXPECT_EQ(SkinEngine.forms.MenuWinEventHook.get(), nullptr);  // served its one menu start
  SkinEngine.forms.MenuWinEventHook.Reset();

  ASSERT_NE(seen.window, nullptr);
  EXPECT_TRUE(seen.subclassed);
  // The rounded region over the whole window but its corners.
  const int w = seen.at.right - seen.at.left, h = seen.at.bottom - seen.at.top;
  EXPECT_EQ(seen.region, COMPLEXREGION);
  EXPECT_EQ(seen.regionBox.left, 0);
  EXPECT_EQ(seen.regionBox.top, 0);
  EXPECT_EQ(seen.regionBox.right, w);
  EXPECT_EQ(seen.regionBox.bottom, h);
  EXPECT_FALSE(seen.corner);
  // Every item as wide as the description says, the separator 12 high.
  EXPECT_GE(w, kItemWidth);
  EXPECT_GE(h, 2 * kItemHeight + 12);
  EXPECT_LE(h, 2 * kItemHeight + 12 + 8);

  // The picture: the items drawn by the skin, the first one hot; the strip
  // down their left edge carries the menu's red.
  ASSERT_FALSE(seen.shown.Empty());
  const int mx = w / 2;
  const int strip = (w - kItemWidth) / 2 + 8;
  const uint32_t stripColour = seen.shown.RgbAt(strip, h / 2 + kItemHeight / 2 + 6);
  EXPECT_GT(stripColour >> 16, (stripColour & 0xFF) + 8) << std::hex << stripColour;
  // The hot first item differs from the third at rest at the same place.
  const int border = (h - 2 * kItemHeight - 12) / 2;
  const int third = border + kItemHeight + 12;
  EXPECT_NE(seen.shown.RgbAt(mx, border + 3), seen.shown.RgbAt(mx, third + 3));
  // The checked third item shows the tick in the theme's blue (over the
  // strip's red); the first none.
  const auto blue = [&](int top) {
    int n = 0;
    for (int y = top; y < top + kItemHeight; ++y)
      for (int x = border; x < border + 20; ++x) {
        const uint32_t c = seen.shown.RgbAt(x, y);
        n += (c & 0xFF) > ((c >> 8) & 0xFF) + 16 ? 1 : 0;
      }
    return n;
  };
  EXPECT_GT(blue(third), 10);
  EXPECT_EQ(blue(border), 0);
  if (HasFailure()) testsupport::SaveFailureImage(seen.shown, "popup_menu");
  SkinEngine.lists.MenuItemList.clear();
}

// A menu the list does not describe keeps the system's look: no hook, no
// sizes of the skin's.
TEST_F(FormTest, AMenuNotDescribedInstallsNoHook) {
  Skin(WS_POPUP, 400, 300);
  DescribedMenu described;
  HMENU plain = CreatePopupMenu();
  SendMessageW(form(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(plain), 0);
  EXPECT_EQ(SkinEngine.forms.MenuWinEventHook.get(), nullptr);
  SendMessageW(form(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(described.menu), 0);
  ASSERT_NE(SkinEngine.forms.MenuWinEventHook.get(), nullptr);
  // A menu start of a window of another class removes the hook and skins
  // nothing.
  TestWindow other(50, 50, L"not a menu", WS_POPUP);
  HWINEVENTHOOK hook = SkinEngine.forms.MenuWinEventHook.get();
  MenuSkinWinEventProc(hook, EVENT_SYSTEM_MENUPOPUPSTART, other.hwnd(), OBJID_CLIENT, 0, 0, 0);
  EXPECT_EQ(SkinEngine.forms.MenuWinEventHook.get(), nullptr);
  EXPECT_FALSE(UnhookWinEvent(hook));
  EXPECT_EQ(GetSkinProp(other.hwnd(), prop::Hw_hProc), 0);
  DestroyMenu(plain);
  SkinEngine.lists.MenuItemList.clear();
}

LRESULT CALLBACK FramedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return 77;
  return DefWindowProcW(window, message, wParam, lParam);
}

// A menu window attached twice keeps its first subclass (a second would hand
// messages back to itself) and gets a new region; its frame is the skin's.
TEST_F(FormTest, AMenuWindowIsSubclassedOnceAndItsFrameIsTheSkins) {
  SkinEngine.options.SkinThemeColor = 0xC00000;
  TestWindow menu(120, 80, L"menu", WS_POPUP | WS_BORDER | WS_VISIBLE, FramedProc);
  const LONG_PTR own = GetWindowLongPtrW(menu.hwnd(), GWLP_WNDPROC);
  MenuSkinAttach(menu.hwnd());
  MenuSkinAttach(menu.hwnd());
  EXPECT_EQ(GetSkinProp(menu.hwnd(), prop::Hw_hProc), own);
  EXPECT_EQ(SendMessageW(menu.hwnd(), WM_USER, 0, 0), 77);  // passed on
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(menu.hwnd(), region), COMPLEXREGION);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 120);
  EXPECT_EQ(box.bottom, 80);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, 60, 0));
  DeleteObject(region);
  // The frame: the washed background under a dark line and the theme's,
  // painted again over the system's at every WM_NCPAINT.
  DefWindowProcW(menu.hwnd(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(SendMessageW(menu.hwnd(), WM_NCPAINT, 1, 0), 0);
  HDC dc = GetWindowDC(menu.hwnd());
  const uint32_t edge = testsupport::CaptureDC(dc, 0, 40, 1, 1).RgbAt(0, 0);
  ReleaseDC(menu.hwnd(), dc);
  const uint32_t washed = 0xEBEBEB;  // 0xECECEC under white at 230
  EXPECT_LT(edge & 0xFF00, washed & 0xFF00) << std::hex << edge;  // darker
  EXPECT_GT(edge & 0xFF, (edge >> 16) & 0xFF) << std::hex << edge;  // and bluer: the theme over it
  EXPECT_FALSE(SkinGetWindowStyleBit(menu.hwnd()));
  SetWindowLongPtrW(menu.hwnd(), GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_TRUE(SkinGetWindowStyleBit(menu.hwnd()));
}

}  // namespace
}  // namespace korvath::skin::test
