// Toolbars: attached through the control layer by their installer, buttons
// drawn plain, hot, checked (framed), pressed and disabled over the skinned
// background, their icons plain and greyed and at their image list's size,
// separators standing and lying, drop-down buttons with their arrow and
// divider, a restore from the child layer while nothing changed, and no text
// read for a button without one.
#include "skin/control/toolbar_paint.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "skin/control/control_skin.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "skin/install/control_attach.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::ColorNear;
using testsupport::PixelBuffer;

constexpr uint32_t kBackground = 0x808080;

// What black or white at `alpha` over the background gives.
uint32_t Over(uint32_t level, int alpha) {
  const uint32_t v = (level * uint32_t(alpha) + 0x80 * uint32_t(255 - alpha) + 127) / 255;
  return v << 16 | v << 8 | v;
}

// A toolbar on a test form, made by the fixture that derives: where its
// buttons lie and what it shows.
class ToolbarTest : public test::EngineTest {
 protected:
  RECT Item(int index) const {
    RECT r = {};
    SendMessageW(toolbar_, TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  PixelBuffer Shown() const {
    RECT client = {};
    GetClientRect(toolbar_, &client);
    const platform::WindowDC dc = platform::WindowDC::Client(toolbar_);
    return testsupport::CaptureDC(dc.get(), 0, 0, client.right, client.bottom);
  }
  HWND toolbar_ = nullptr;
};

class ToolbarSkinTest : public ToolbarTest {
 protected:
  ToolbarSkinTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER |
                                   CCS_NOPARENTALIGN | TBSTYLE_FLAT, 10, 10, 280, 40, form_.hwnd(), nullptr,
                               nullptr, nullptr);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(60, 30));
    const INT_PTR plain = SendMessageW(toolbar_, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(L"WWW\0"));
    TBBUTTON buttons[] = {
        {I_IMAGENONE, 1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, plain},
        {I_IMAGENONE, 2, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, {}, 0, plain},
        {I_IMAGENONE, 3, 0, BTNS_BUTTON, {}, 0, plain},
        {I_IMAGENONE, 4, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
    };
    SendMessageW(toolbar_, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
  }
  // Dark pixels inside a button, off its edges.
  static int DarkPixels(const PixelBuffer& p, const RECT& r) {
    int n = 0;
    for (int y = r.top + 3; y < r.bottom - 3; ++y)
      for (int x = r.left + 3; x < r.right - 3; ++x)
        if ((p.RgbAt(x, y) & 0xFF) < 0x50) ++n;
    return n;
  }
  SkinToolbarEntry& entry() { return SkinRecordAt(form_.recordNumber())->Toolbars[0]; }
  void Repaint() {
    InvalidateRect(toolbar_, nullptr, TRUE);
    UpdateWindow(toolbar_);
  }
  fixture::SkinnedForm form_{300, 200, kBackground};
};

// The installer attaches each toolbar once, ready for a full first paint.
TEST_F(ToolbarSkinTest, TheInstallerAttachesEachToolbarOnce) {
  ToolbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  const LONG_PTR proc = GetWindowLongPtrW(toolbar_, GWLP_WNDPROC);
  ToolbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  EXPECT_EQ(proc, reinterpret_cast<LONG_PTR>(&ControlSkinWndProc));
  EXPECT_EQ(GetWindowLongPtrW(toolbar_, GWLP_WNDPROC), proc);
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Toolbars.size(), 1u);
  EXPECT_TRUE(entry().repaint);
  EXPECT_EQ(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_EQ(ToolbarButtonText(toolbar_, 4), "");
  EXPECT_EQ(ToolbarButtonText(toolbar_, 1), "WWW");
}

// A plain button shows the background, a checked one its face; a disabled
// button's text is grey where an enabled one's is black; the hot button gets
// its face too.
TEST_F(ToolbarSkinTest, ButtonsAreDrawnPlainCheckedDisabledAndHot) {
  ToolbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  Repaint();
  EXPECT_FALSE(entry().repaint);
  PixelBuffer look = Shown();
  const RECT plain = Item(0), checked = Item(1), disabled = Item(2);
  EXPECT_TRUE(ColorNear(look.RgbAt(plain.left + 3, plain.top + 4), kBackground, 0));
  EXPECT_FALSE(ColorNear(look.RgbAt(checked.left + 3, checked.top + 4), kBackground, 8));
  EXPECT_GT(DarkPixels(look, plain), 10);
  EXPECT_EQ(DarkPixels(look, disabled), 0);

  SendMessageW(toolbar_, TB_SETHOTITEM, 0, 0);
  entry().repaint = true;
  Repaint();
  look = Shown();
  EXPECT_FALSE(ColorNear(look.RgbAt(plain.left + 3, plain.top + 4), kBackground, 8));
}

// A checked button is framed: at its left edge, below its text, a dark
// outline, darker than its face beside it and than the background around
// it (the face's own edge alone is lighter than the background).
TEST_F(ToolbarSkinTest, ACheckedButtonHasADarkEdge) {
  ToolbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  Repaint();
  const PixelBuffer look = Shown();
  const RECT checked = Item(1);
  const int y = int(checked.top + 3 * checked.bottom) / 4, edge = int(checked.left);
  // The sum of the three channels.
  const auto level = [&](int x) {
    const uint32_t c = look.RgbAt(x, y);
    return int(c >> 16 & 0xFF) + int(c >> 8 & 0xFF) + int(c & 0xFF);
  };
  for (const int beside : {edge + 3, edge - 1}) {
    EXPECT_LT(level(edge), level(beside) - 30)
        << std::hex << look.RgbAt(edge, y) << " beside " << look.RgbAt(beside, y);
  }
  if (HasFailure()) testsupport::SaveFailureImage(look, "checked_toolbar_button");
}

// With nothing changed, a repaint restores the stored picture; a mouse move
// over the toolbar asks for a full redraw.
TEST_F(ToolbarSkinTest, AnUnchangedToolbarIsRestoredFromTheLayer) {
  ToolbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  Repaint();
  RECT inside = Item(0);
  MapWindowPoints(toolbar_, form_.hwnd(), reinterpret_cast<POINT*>(&inside), 2);
  const platform::GdiBrush mark(CreateSolidBrush(RGB(0, 0xFF, 0)));
  FillRect(SkinRecordAt(form_.recordNumber())->ChildBackDC.get(), &inside, mark.get());
  Repaint();
  EXPECT_TRUE(ColorNear(Shown().RgbAt(Item(0).left + 3, Item(0).top + 4), 0x00FF00, 0));
  SendMessageW(toolbar_, WM_MOUSEMOVE, 0, MAKELPARAM(200, 35));
  EXPECT_TRUE(entry().repaint);
  Repaint();
  EXPECT_TRUE(ColorNear(Shown().RgbAt(Item(0).left + 3, Item(0).top + 4), kBackground, 0));
}

// Asked for its client through WM_PRINTCLIENT, a toolbar gives what its
// window shows, unchanged (its picture from the layer) and changed (drawn
// again); a print leaves its repaint flag as it was.
TEST_F(ToolbarSkinTest, PrintingTheClientGivesWhatTheWindowShows) {
  ToolbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  Repaint();
  ASSERT_FALSE(entry().repaint);
  const PixelBuffer shown = Shown();
  ASSERT_FALSE(shown.Empty());
  EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(toolbar_), shown)) << "unchanged";
  entry().repaint = true;
  EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(toolbar_), shown)) << "changed";
  EXPECT_TRUE(entry().repaint);
}

// ---- icons, separators, drop-downs ------------------------------------------------------------

constexpr uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kBlack = 0x000000;

// One opaque icon, 16 x 16 unless given: red in its upper half, white
// below at the left and black below at the right.
class IconList {
 public:
  explicit IconList(int width = 16, int height = 16) : list_(ImageList_Create(width, height, ILC_COLOR32, 1, 1)) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    const platform::GdiBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int i = 0; i < width * height; ++i) {
      const int x = i % width, y = i / width;
      pixels[size_t(i)] = 0xFF000000u | (y < height / 2 ? kRed : x < width / 2 ? kWhite : kBlack);
    }
    std::memcpy(bits, pixels.data(), pixels.size() * 4);
    ImageList_Add(list_, picture.get(), nullptr);
  }
  ~IconList() { ImageList_Destroy(list_); }
  IconList(const IconList&) = delete;
  IconList& operator=(const IconList&) = delete;
  HIMAGELIST get() const { return list_; }

 private:
  HIMAGELIST list_;
};

// A toolbar of 40 x 30 buttons with icons and no texts: plain, disabled,
// indeterminate, a separator, a drop-down, a pressed button and a disabled,
// checked whole drop-down.
class ToolbarLooksTest : public ToolbarTest {
 protected:
  enum { kPlain, kDisabled, kIndeterminate, kSeparator, kDropDown, kPressed, kWholeDropDown };
  ToolbarLooksTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER |
                                   CCS_NOPARENTALIGN | TBSTYLE_FLAT, 10, 10, 400, 40, form_.hwnd(), nullptr,
                               nullptr, nullptr);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons_.get()));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(40, 30));
    TBBUTTON buttons[] = {
        {0, 1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
        {0, 2, 0, BTNS_BUTTON, {}, 0, -1},
        {0, 3, TBSTATE_ENABLED | TBSTATE_INDETERMINATE, BTNS_BUTTON, {}, 0, -1},
        {8, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, -1},
        {0, 5, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, -1},
        {0, 6, TBSTATE_ENABLED | TBSTATE_PRESSED, BTNS_BUTTON, {}, 0, -1},
        {0, 7, TBSTATE_CHECKED, BTNS_WHOLEDROPDOWN, {}, 0, -1},
    };
    SendMessageW(toolbar_, TB_ADDBUTTONSW, 7, reinterpret_cast<LPARAM>(buttons));
    ToolbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
    Repaint();
  }
  void Repaint() {
    SkinRecordAt(form_.recordNumber())->Toolbars[0].repaint = true;
    InvalidateRect(toolbar_, nullptr, TRUE);
    UpdateWindow(toolbar_);
  }
  // The icon's four corners: (x, y) is its top-left pixel.
  static void ExpectIcon(const PixelBuffer& p, int x, int y, uint32_t top, uint32_t bottomLeft,
                         uint32_t bottomRight) {
    EXPECT_EQ(p.RgbAt(x, y), top);
    EXPECT_EQ(p.RgbAt(x + 15, y + 7), top);
    EXPECT_EQ(p.RgbAt(x, y + 15), bottomLeft);
    EXPECT_EQ(p.RgbAt(x + 15, y + 15), bottomRight);
    EXPECT_NE(p.RgbAt(x - 1, y), top);
    EXPECT_NE(p.RgbAt(x, y - 1), top);
    EXPECT_NE(p.RgbAt(x + 16, y + 7), top);
  }
  fixture::SkinnedForm form_{450, 120, kBackground};
  IconList icons_;
};

// Icons stand centred 2 pixels below the button's top; a disabled button's
// icon is grey, an indeterminate one's reddish grey, both without their
// white and black pixels; a disabled whole drop-down that is checked keeps
// its icon.
TEST_F(ToolbarLooksTest, IconsArePlainOrGreyedByTheButtonsState) {
  const PixelBuffer look = Shown();
  const auto iconX = [&](int index) { return int(Item(index).left) + (int(Item(index).right - Item(index).left) - 16) / 2; };
  const auto iconY = [&](int index) { return int(Item(index).top) + 2; };
  {
    SCOPED_TRACE("plain");
    ExpectIcon(look, iconX(kPlain), iconY(kPlain), kRed, kWhite, kBlack);
  }
  {
    SCOPED_TRACE("disabled");
    ExpectIcon(look, iconX(kDisabled), iconY(kDisabled), 0x555555, kBackground, kBackground);
  }
  {
    SCOPED_TRACE("indeterminate");
    ExpectIcon(look, iconX(kIndeterminate), iconY(kIndeterminate), 0x695555, kBackground, kBackground);
  }
  {
    SCOPED_TRACE("whole drop-down, checked");
    const RECT r = Item(kWholeDropDown);
    ExpectIcon(look, int(r.left) + (int(r.right - r.left) - 16 - 10) / 2, iconY(kWholeDropDown), kRed, kWhite,
               kBlack);
  }
}

// A plain button of an image list 24 wide and 16 high: the icon stands at
// its own size, centred 2 pixels below the button's top, and ends at its
// 16th row and its 24th column.
TEST(ToolbarIconTest, AnIconOfAWideImageListKeepsItsHeight) {
  test::EngineGlobals engine;
  SkinEngine.options.SkinEnabled = true;
  fixture::SkinnedForm form{300, 120, kBackground};
  const IconList icons(24, 16);
  const HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE |
                                           CCS_NODIVIDER | CCS_NOPARENTALIGN | TBSTYLE_FLAT, 10, 10, 200, 40,
                                       form.hwnd(), nullptr, nullptr, nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons.get()));
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(40, 30));
  TBBUTTON button = {0, 1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1};
  SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  ToolbarSkinInstall(*SkinRecordAt(form.recordNumber()), form.hwnd());
  InvalidateRect(toolbar, nullptr, TRUE);
  UpdateWindow(toolbar);
  RECT r = {};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  const platform::WindowDC dc = platform::WindowDC::Client(toolbar);
  const PixelBuffer look = testsupport::CaptureDC(dc.get(), 0, 0, 200, 40);
  const int x = int(r.left) + (int(r.right - r.left) - 24) / 2, y = int(r.top) + 2;
  EXPECT_EQ(look.RgbAt(x, y), kRed);
  EXPECT_EQ(look.RgbAt(x + 23, y + 7), kRed);
  EXPECT_EQ(look.RgbAt(x, y + 8), kWhite);
  EXPECT_EQ(look.RgbAt(x, y + 15), kWhite);
  EXPECT_EQ(look.RgbAt(x + 23, y + 15), kBlack);
  EXPECT_EQ(look.RgbAt(x, y + 16), kBackground);
  EXPECT_EQ(look.RgbAt(x + 23, y + 16), kBackground);
  EXPECT_EQ(look.RgbAt(x + 24, y + 7), kBackground);
  EXPECT_EQ(look.RgbAt(x - 1, y + 7), kBackground);
  if (::testing::Test::HasFailure()) testsupport::SaveFailureImage(look, "wide_icon");
}

// A separator is a dark line with a light one at its right, in the middle
// of its width, 3 pixels short of the button's top and bottom.
TEST_F(ToolbarLooksTest, ASeparatorIsADarkAndALightLine) {
  const PixelBuffer look = Shown();
  const RECT r = Item(kSeparator);
  const int x = int(r.left) + (int(r.right - r.left) - 2) / 2;
  const uint32_t dark = Over(0, 100), light = Over(0xFF, 150);
  for (int y = int(r.top) + 3; y < int(r.bottom) - 3; ++y) {
    ASSERT_TRUE(ColorNear(look.RgbAt(x, y), dark, 2)) << y;
    ASSERT_TRUE(ColorNear(look.RgbAt(x + 1, y), light, 2)) << y;
  }
  EXPECT_EQ(look.RgbAt(x - 1, (r.top + r.bottom) / 2), kBackground);
  EXPECT_EQ(look.RgbAt(x + 2, (r.top + r.bottom) / 2), kBackground);
  EXPECT_EQ(look.RgbAt(x, r.top + 1), kBackground);
  EXPECT_EQ(look.RgbAt(x, r.bottom - 1), kBackground);
}

// A drop-down button: its icon centred in the width left of the arrow, the
// arrow's own picture (rows of 7, 5, 3 and 1 dark grey pixels) 8 pixels from
// its right edge, and, when hot, the divider 12 pixels from that edge.
TEST_F(ToolbarLooksTest, ADropDownButtonShowsItsArrowAndWhenHotItsDivider) {
  PixelBuffer look = Shown();
  const RECT r = Item(kDropDown);
  const int w = int(r.right - r.left), h = int(r.bottom - r.top);
  ExpectIcon(look, int(r.left) + (w - 16 - 10) / 2, int(r.top) + 2, kRed, kWhite, kBlack);
  const int ax = int(r.left) + w - 8, ay = int(r.top) + (h - 5) / 2;
  for (int row = 0; row < 5; ++row) {
    for (int x = ax - 1; x <= ax + 7; ++x) {
      const bool inArrow = row < 4 && x >= ax + row && x < ax + 7 - row;
      ASSERT_EQ(look.RgbAt(x, ay + row), inArrow ? 0x333333u : kBackground) << x << ", " << row;
    }
  }
  EXPECT_EQ(look.RgbAt(ax + 3, ay - 1), kBackground);

  SendMessageW(toolbar_, TB_SETHOTITEM, kDropDown, 0);
  Repaint();
  look = Shown();
  const int divider = int(r.left) + w - 12, mid = (int(r.top) + int(r.bottom)) / 2;
  const auto level = [&](int x) { return int(look.RgbAt(x, mid) & 0xFF); };
  EXPECT_LT(level(divider), level(divider - 1) - 20);
  EXPECT_GT(level(divider + 1), level(divider - 1) + 20);
  EXPECT_LT(level(divider), level(divider + 2) - 20);
}

// A pressed button's face runs from dark at its top to light at its bottom.
TEST_F(ToolbarLooksTest, APressedButtonIsDarkAboveAndLightBelow) {
  const PixelBuffer look = Shown();
  const RECT r = Item(kPressed);
  const int x = int(r.left) + 4;
  EXPECT_LT(int(look.RgbAt(x, r.top + 3) & 0xFF), 0x80 - 10);
  EXPECT_GT(int(look.RgbAt(x, r.bottom - 3) & 0xFF), 0x80 + 10);
  EXPECT_LT(int(look.RgbAt(x, r.top + 3) & 0xFF), int(look.RgbAt(x, (r.top + r.bottom) / 2) & 0xFF));
}

// A separator that starts a row at the left (here after a hidden first
// button) lies along the toolbar: a dark and a light line near its bottom,
// from 3 pixels in to 6 pixels short of the toolbar's width.
TEST(ToolbarSeparatorTest, ASeparatorAtTheLeftOfALaterRowLiesAcross) {
  test::EngineGlobals engine;
  SkinEngine.options.SkinEnabled = true;
  fixture::SkinnedForm form{300, 120, kBackground};
  const HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE |
                                           CCS_NODIVIDER | CCS_NOPARENTALIGN | TBSTYLE_FLAT, 10, 10, 200, 40,
                                       form.hwnd(), nullptr, nullptr, nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[] = {
      {I_IMAGENONE, 1, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, {}, 0, -1},
      {8, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, -1},
  };
  SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
  ToolbarSkinInstall(*SkinRecordAt(form.recordNumber()), form.hwnd());
  InvalidateRect(toolbar, nullptr, TRUE);
  UpdateWindow(toolbar);
  RECT r = {};
  SendMessageW(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  ASSERT_LT(r.left, 10);
  const platform::WindowDC dc = platform::WindowDC::Client(toolbar);
  const PixelBuffer look = testsupport::CaptureDC(dc.get(), 0, 0, 200, 40);
  const int y = int(r.bottom) - 5;
  for (int x = int(r.left) + 3; x <= int(r.left) + 200 - 6; ++x) {
    ASSERT_TRUE(ColorNear(look.RgbAt(x, y), Over(0, 100), 2)) << x;
    ASSERT_TRUE(ColorNear(look.RgbAt(x, y + 1), Over(0xFF, 150), 2)) << x;
  }
  EXPECT_EQ(look.RgbAt(int(r.left) + 2, y), kBackground);
  EXPECT_EQ(look.RgbAt(int(r.left) + 200 - 5, y), kBackground);
  EXPECT_EQ(look.RgbAt(int(r.left) + (int(r.right - r.left) - 2) / 2, int(r.top) + 4), kBackground);
}

}  // namespace
}  // namespace korvath::skin
