// The tool's push buttons and radio buttons as the button skin shows them:
// registered and subclassed, painted in their looks, hover fading in, and
// still doing their jobs, through real input.
#include "skin/button/button_lookup.h"
#include "skin/button/button_window_proc.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/app/main_window_fixture.h"
#include "tests/skin/message_box/box_probes.h"

namespace korvath::app::uitest {
namespace {

TEST_F(MainWindowTest, ThePushAndRadioButtonsWearTheButtonSkin) {
  for (Unit unit : {读取按钮, 生成保存按钮, 关闭按钮, Velmar单选框, Ostrin单选框, 中立单选框}) {
    const skin::ButtonRef button = skin::FindButton(H(unit));
    ASSERT_TRUE(button) << unit;
    const bool push = unit == 读取按钮 || unit == 生成保存按钮 || unit == 关闭按钮;
    EXPECT_EQ(button->Kind, push ? skin::ButtonKind::Vector : skin::ButtonKind::Radio) << unit;
    EXPECT_EQ(GetWindowLongPtrW(H(unit), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::ButtonSkinWndProc));
    if (push) {
      EXPECT_EQ(GetWindowLongW(H(unit), GWL_STYLE) & 0xF, BS_OWNERDRAW) << unit;
    }
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
  PumpUntil([] { return skin::SkinEngine.lists.FadeList.empty(); });
  const PixelBuffer plain = CaptureClient(save);
  MouseMoveTo(save, 8, r.bottom / 2);
  ASSERT_TRUE(PumpUntil([] { return !skin::SkinEngine.lists.FadeList.empty(); }, 2000));
  ASSERT_TRUE(PumpUntil([] { return skin::SkinEngine.lists.FadeList.empty(); }, 2000));
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

// The rightmost column of a picture that holds a dark pixel (the caption's
// ink; the glyph lies at the left), -1 when none does.
int LastInkColumn(const PixelBuffer& picture) {
  for (int x = picture.width - 1; x >= 0; --x)
    for (int y = 0; y < picture.height; ++y) {
      const uint32_t p = picture.RgbAt(x, y);
      if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 0xA0) return x;
    }
  return -1;
}

// Each radio button's caption ends inside the button: the same button made
// wider shows no more of it. The row keeps its places and its gaps.
TEST_F(MainWindowTest, EveryRadioCaptionEndsInsideItsButton) {
  const Unit radios[] = {Velmar单选框, Ostrin单选框, 中立单选框};
  MouseMoveTo(MainWindow(), 200, 8);
  PumpMessages(30);
  RECT group;
  GetClientRect(H(分组框1), &group);
  std::vector<RECT> places;
  std::vector<PixelBuffer> shown;
  for (Unit unit : radios) {
    RECT r;
    GetWindowRect(H(unit), &r);
    MapWindowPoints(nullptr, H(分组框1), reinterpret_cast<POINT*>(&r), 2);
    places.push_back(r);
    shown.push_back(CaptureClient(H(unit)));
  }
  EXPECT_EQ(places[0].left, 15);
  EXPECT_EQ(places[1].left, 111);
  EXPECT_EQ(places[2].left, 207);
  for (size_t i = 0; i < places.size(); ++i) {
    EXPECT_EQ(places[i].bottom - places[i].top, 16) << i;
    EXPECT_LE(places[i].right, i + 1 < places.size() ? places[i + 1].left - 4 : group.right - 4) << i;
  }
  for (size_t i = 0; i < std::size(radios); ++i) {
    HWND radio = H(radios[i]);
    for (Unit other : radios) ShowWindow(H(other), other == radios[i] ? SW_SHOW : SW_HIDE);
    const int width = places[i].right - places[i].left;
    const int wider = std::min(width + 40, int(group.right) - 2 - int(places[i].left));
    SetWindowPos(radio, nullptr, 0, 0, wider, 16, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(radio, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages(30);
    const PixelBuffer whole = CaptureClient(radio);
    SetWindowPos(radio, nullptr, 0, 0, width, 16, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int ink = LastInkColumn(whole);
    EXPECT_GT(ink, 20) << i;  // the caption is there
    EXPECT_LT(ink, width - 1) << i;
    EXPECT_EQ(LastInkColumn(shown[i]), ink) << i;
    if (HasFailure()) {
      SaveFailureImage(shown[i], std::string("radio_") + std::to_string(i));
      SaveFailureImage(whole, std::string("radio_wider_") + std::to_string(i));
    }
  }
}

TEST_F(MainWindowTest, SpaceOnTheFocusedCloseButtonStillClosesTheTool) {
  SetFocus(H(关闭按钮));
  ASSERT_EQ(GetFocus(), H(关闭按钮));
  PressKey(VK_SPACE);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

// The overwrite question of "生成并保存": its default button, No, keeps the
// skin beside Yes (a rounded face whose corner shows the box behind it, not
// the system's square frame) and is the skin's default; its text shows whole
// above the separator.
TEST_F(MainWindowTest, TheOverwriteQuestionsDefaultButtonKeepsTheSkin) {
  RemoveFolder(DocumentFolder());
  fs::create_directory(Wide(DocumentFolder()));
  WriteBytes(DocumentFolder() + "zhangsan.pst", "older");
  TypeInto(名字编辑框, L"张三");
  const std::vector<SeenDialog> seen = ClickAnswering(生成保存按钮, {[](HWND box) {
    struct AnswerNo {
      HWND box;
      ~AnswerNo() { skin::test::Press(box, IDNO); }
    } answer{box};
    ASSERT_TRUE(skin::test::WaitForFadeIn(box));
    const HWND yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
    for (HWND button : {yes, no}) {
      const skin::ButtonRef skinned = skin::FindButton(button);
      ASSERT_TRUE(skinned);
      EXPECT_EQ(skinned->DefaultButton, button == no);
      EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
      EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::ButtonSkinWndProc));
    }
    const uint32_t yesCorner = CaptureClient(yes).RgbAt(0, 0), noCorner = CaptureClient(no).RgbAt(0, 0);
    EXPECT_GT(skin::test::Brightness(noCorner), 0xB0) << std::hex << noCorner;
    EXPECT_TRUE(ColorNear(noCorner, yesCorner, 12)) << std::hex << noCorner << " " << yesCorner;
    EXPECT_EQ(skin::test::TextLayoutFaults(box, "tool_overwrite_question"), "");
  }});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(ReadBytes(DocumentFolder() + "zhangsan.pst"), "older");
}

}  // namespace
}  // namespace korvath::app::uitest
