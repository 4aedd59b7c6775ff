// The tool's push buttons and radio buttons as the button skin shows them:
// registered and subclassed, painted in their looks, hover fading in, and
// still doing their jobs, through real input.
#include "skin/button/button_lookup.h"
#include "skin/button/button_window_proc.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/app/main_window_fixture.h"

namespace korvath::app::uitest {
namespace {

TEST_F(MainWindowTest, ThePushAndRadioButtonsWearTheButtonSkin) {
  for (Unit unit : {读取按钮, 生成保存按钮, 关闭按钮, Velmar单选框, Ostrin单选框, 中立单选框}) {
    const skin::ButtonRef button = skin::FindButton(H(unit));
    ASSERT_TRUE(button) << unit;
    const bool push = unit == 读取按钮 || unit == 生成保存按钮 || unit == 关闭按钮;
    EXPECT_EQ(button.entry->Kind, push ? skin::kVectorButton : skin::kRadioButton) << unit;
    EXPECT_EQ(GetWindowLongPtrW(H(unit), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::ButtonSkinWndProc));
    if (push) EXPECT_EQ(GetWindowLongW(H(unit), GWL_STYLE) & 0xF, BS_OWNERDRAW) << unit;
  }
}

// How many pixels of two pictures of one button differ.
int Differing(const PixelBuffer& a, const PixelBuffer& b) {
  int n = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) n += !ColorNear(a.pixels[i], b.pixels[i], 6);
  return n;
}

TEST_F(MainWindowTest, HoverFadesInOverAPushButtonAndLeavingPutsThePlainLookBack) {
  HWND save = H(生成保存按钮);
  RECT r;
  GetClientRect(save, &r);
  MouseMoveTo(MainWindow(), 200, 60);
  PumpUntil([] { return skin::FadeList.empty(); });
  const PixelBuffer plain = CaptureClient(save);
  MouseMoveTo(save, 8, r.bottom / 2);
  ASSERT_TRUE(PumpUntil([] { return !skin::FadeList.empty(); }, 2000));
  ASSERT_TRUE(PumpUntil([] { return skin::FadeList.empty(); }, 2000));
  EXPECT_GT(Differing(CaptureClient(save), plain), r.right * 2);  // the hot look: outline and gradients
  MouseMoveTo(MainWindow(), 200, 60);
  EXPECT_TRUE(PumpUntil([&] { return Differing(CaptureClient(save), plain) == 0; }, 2000));
}

TEST_F(MainWindowTest, TheCheckedRadioButtonShowsItsDotAndAClickMovesIt) {
  auto dot = [this](Unit unit) {
    RECT r;
    GetClientRect(H(unit), &r);
    return CaptureClient(H(unit)).RgbAt(8, r.bottom / 2);
  };
  ClickUnit(Ostrin单选框);
  ASSERT_TRUE(PumpUntil([] { return Npc().NpcTeam == 2; }, 2000));
  MouseMoveTo(MainWindow(), 200, 60);
  EXPECT_TRUE(PumpUntil([&] { return !ColorNear(dot(Ostrin单选框), dot(Velmar单选框), 6); }, 2000));
  EXPECT_TRUE(ColorNear(dot(Velmar单选框), dot(中立单选框), 3));
}

TEST_F(MainWindowTest, SpaceOnTheFocusedCloseButtonStillClosesTheTool) {
  SetFocus(H(关闭按钮));
  ASSERT_EQ(GetFocus(), H(关闭按钮));
  PressKey(VK_SPACE);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

}  // namespace
}  // namespace korvath::app::uitest
