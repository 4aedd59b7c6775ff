// Skinning switched off through the engine's front door (SkinSetOptions):
// what a program attaches afterwards is skinned still, all but the single
// controls; and the windows skinned before keep their skins but hand their
// controls the system's colours while it is off.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/engine/attach.h"
#include "skin/engine/message_box.h"
#include "skin/engine/panel.h"
#include "skin/engine/picture.h"
#include "skin/engine/start.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using namespace testsupport;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

class DoorOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SkinEngineStart();
    form_ = std::make_unique<TestWindow>(400, 300, L"door options test", WS_POPUP | WS_VISIBLE);
    button_ = form_->AddChild(L"Button", L"ok", kChild | BS_PUSHBUTTON, 10, 40, 80, 24);
    edit_ = form_->AddChild(L"Edit", L"", kChild | WS_BORDER, 10, 80, 200, 20);
    label_ = form_->AddChild(L"Static", L"label", kChild, 10, 120, 80, 20);
    group_ = form_->AddChild(L"Button", L"group", kChild | BS_GROUPBOX, 220, 40, 160, 100);
    inner_ = CreateWindowExW(0, L"Button", L"inside", kChild | BS_AUTOCHECKBOX, 10, 20, 100, 20, group_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override {
    panel_.reset();
    form_.reset();
    PumpMessages();
    SkinEngineShutdown();
  }
  // The form's answer to a control's colour message, and the answer of the
  // form's own procedure (the system's colours).
  LRESULT EditColour() const {
    HDC dc = GetDC(edit_);
    const LRESULT answer = SendMessageW(form_->hwnd(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(edit_));
    ReleaseDC(edit_, dc);
    return answer;
  }
  LRESULT SystemEditColour() const {
    HDC dc = GetDC(edit_);
    const LRESULT answer = DefWindowProcW(form_->hwnd(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(edit_));
    ReleaseDC(edit_, dc);
    return answer;
  }

  std::unique_ptr<TestWindow> form_;
  HWND button_ = nullptr;
  HWND edit_ = nullptr;
  HWND label_ = nullptr;
  HWND group_ = nullptr;
  HWND inner_ = nullptr;
  std::unique_ptr<ZqkWindow> panel_ = std::make_unique<ZqkWindow>();
};

// Off: the form, its label and group box, a panel and a message box are
// skinned; the form's button and edit, the group box's check box and the
// box's button are not.
TEST_F(DoorOptionsTest, SkinningOffLeavesTheSingleControlsAloneAndSkinsTheRest) {
  SkinSetOptions(false);
  FormSkinAttach(form_->hwnd());
  EXPECT_NE(SkinFindWindowRecord(form_->hwnd()), 0);
  EXPECT_FALSE(SkinIsSubclassed(button_));
  EXPECT_FALSE(SkinIsSubclassed(edit_));
  EXPECT_EQ(LabelSkinAttach(label_), 1);
  ContainerControlSkinAttach(group_);
  EXPECT_TRUE(SkinIsSubclassed(group_));
  EXPECT_FALSE(SkinIsSubclassed(inner_));
  const SkinPicture picture;
  EXPECT_NE(panel_->Create(edit_, std::nullopt, std::nullopt, std::nullopt, std::nullopt, picture), nullptr);

  bool boxSkinned = false, boxButtonSkinned = true;
  DialogAnswerer driver;
  driver.Add([&](HWND box) {
    boxSkinned = SkinFindWindowRecord(box) != 0;
    boxButtonSkinned = SkinIsSubclassed(GetDlgItem(box, IDOK));
    PressButton(IDOK)(box);
  });
  EXPECT_EQ(SkinMessageBox(form_->hwnd(), "off", MB_OK), 0);
  EXPECT_TRUE(boxSkinned);
  EXPECT_FALSE(boxButtonSkinned);
}

// On, with an alpha given, the skinned form hands its edit the skin's
// see-through brush; switched off afterwards, the edit keeps its skin and
// gets the system's colours.
TEST_F(DoorOptionsTest, SkinningOffGivesTheControlsOfSkinnedWindowsTheSystemsColours) {
  SkinSetOptions(true, 160);
  FormSkinAttach(form_->hwnd());
  ASSERT_TRUE(SkinIsSubclassed(edit_));
  EXPECT_NE(EditColour(), SystemEditColour());
  SkinSetOptions(false, 160);
  EXPECT_EQ(EditColour(), SystemEditColour());
  EXPECT_TRUE(SkinIsSubclassed(edit_));
}

}  // namespace
}  // namespace korvath::skin
