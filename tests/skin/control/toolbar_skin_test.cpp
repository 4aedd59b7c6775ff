// Toolbars: attached through the control layer by their installer, buttons
// drawn plain, hot, checked and disabled over the skinned background, a
// restore from the child layer while nothing changed, and no text read for a
// button without one.
#include "skin/control/toolbar_paint.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include "skin/control/control_installers.h"
#include "skin/control/control_skin.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::ColorNear;
using testsupport::PixelBuffer;

constexpr uint32_t kBackground = 0x808080;

class ToolbarSkinTest : public test::EngineTest {
 protected:
  ToolbarSkinTest() {
    SkinEnabled = true;
    SkinThemeColor = 0xDDCA22;
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
  HWND toolbar_ = nullptr;
};

// The installer attaches each toolbar once, ready for a full first paint.
TEST_F(ToolbarSkinTest, TheInstallerAttachesEachToolbarOnce) {
  ToolbarSkinInstall(form_.recordNumber(), form_.hwnd());
  const LONG_PTR proc = GetWindowLongPtrW(toolbar_, GWLP_WNDPROC);
  ToolbarSkinInstall(form_.recordNumber(), form_.hwnd());
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
  ToolbarSkinInstall(form_.recordNumber(), form_.hwnd());
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

// With nothing changed, a repaint restores the stored picture; a mouse move
// over the toolbar asks for a full redraw.
TEST_F(ToolbarSkinTest, AnUnchangedToolbarIsRestoredFromTheLayer) {
  ToolbarSkinInstall(form_.recordNumber(), form_.hwnd());
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

}  // namespace
}  // namespace korvath::skin
