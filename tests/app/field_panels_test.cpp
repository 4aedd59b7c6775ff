// The panels of the running tool: the folder button under real mouse input
// opens the folder chooser (whose dialog gets the mouse), and the boxes under
// their panels still raise their handlers.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/field_panels.h"
#include "app/folder_chooser.h"
#include "platform/folders.h"
#include "platform/form.h"
#include "skin/core/panel_window.h"
#include "skin/core/skin_picture.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;
using namespace testsupport;

namespace {

skin::ZqkWindow& FolderPanel() { return skin::ZqkWindows()[kFolderPanel]; }

POINT FolderButtonCentre() {
  const RECT r = FolderPanel().entries().at(0).rectangle;
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Presses a dialog button with the real mouse, as a user does; a dialog that
// does not get the click (the mouse held elsewhere) is cancelled after a
// while, so that the test fails instead of hanging.
DialogAnswerer::Answer ClickDialogButton(int id, const std::wstring& folder, bool* clicked) {
  return [=](HWND dialog) {
    if (!folder.empty()) {
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    }
    PumpMessages(100);
    const HWND button = GetDlgItem(dialog, id);
    RECT r;
    GetClientRect(button, &r);
    Click(button, r.right / 2, r.bottom / 2);
    // EndDialog hides the dialog at once; it goes when its loop regains control.
    *clicked = PumpUntil([&] { return !IsWindowVisible(dialog); }, 1500);
    if (!*clicked) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  };
}

class FieldPanelsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    other_ = platform::ProgramDirectory() + "\\面板目录";
    CreateDirectoryW(Wide(other_).c_str(), nullptr);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveFolder(other_);
  }
  std::string other_;
};

}  // namespace

TEST_F(FieldPanelsTest, ThreeBoxesSitUnderPanelsAndOnlyTheFolderBoxHasAButton) {
  const Unit boxes[] = {目录编辑框, HP编辑框, 名字编辑框};
  const int panels[] = {kFolderPanel, kHpPanel, kNamePanel};
  for (int i = 0; i < 3; ++i) {
    const skin::ZqkWindow& panel = skin::ZqkWindows()[panels[i]];
    ASSERT_TRUE(IsWindow(panel.panel()));
    EXPECT_EQ(panel.target(), H(boxes[i]));
    EXPECT_EQ(GetParent(H(boxes[i])), panel.panel());
    EXPECT_EQ(panel.frameStyle(), 3);
  }
  EXPECT_EQ(FolderPanel().entries().size(), 1u);
  EXPECT_TRUE(skin::ZqkWindows()[kHpPanel].entries().empty());
  EXPECT_TRUE(skin::ZqkWindows()[kNamePanel].entries().empty());
  EXPECT_EQ(skin::ZqkWindows()[3].panel(), nullptr);

  // The folder panel over the 286 x 18 box: 292 x 24, the button 20 x 15 at
  // its right end, the box from x 4 to 2 pixels before the button.
  const RECT button = FolderPanel().entries()[0].rectangle;
  EXPECT_EQ(button.left, 292 - 23);
  EXPECT_EQ(button.right, 292 - 3);
  EXPECT_EQ(button.top, (24 - 15) / 2 + 1);
  RECT box;
  GetWindowRect(H(目录编辑框), &box);
  MapWindowPoints(nullptr, FolderPanel().panel(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, 4);
  EXPECT_EQ(box.right, 292 - 25);
}

// A press and release on the button opens the folder dialog; the dialog gets
// the mouse (a real click presses its OK button), and the chosen folder goes
// into the box with one trailing backslash.
TEST_F(FieldPanelsTest, ClickOnTheFolderButtonChoosesTheFolder) {
  const POINT p = FolderButtonCentre();
  const HWND panel = FolderPanel().panel();
  bool clicked = false;
  DialogAnswerer answerer({ClickDialogButton(IDOK, Wide(other_), &clicked)});
  MouseMoveTo(panel, p.x, p.y);
  MouseDown(panel, p.x, p.y);
  MouseUp(panel, p.x, p.y);
  PumpUntil([&] { return !answerer.seen().empty() && !FindThreadDialog(); });
  PumpMessages(50);

  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_TRUE(clicked) << "the folder dialog did not get the mouse";
  EXPECT_EQ(Npc().NpcFolder, other_ + "\\");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), other_ + "\\");
  EXPECT_EQ(GetFocus(), H(目录编辑框));
  EXPECT_EQ(GetCapture(), nullptr);
}

// A press that began on the button calls the routine wherever it is released.
TEST_F(FieldPanelsTest, PressOnTheButtonReleasedElsewhereStillOpensTheDialog) {
  const POINT p = FolderButtonCentre();
  const HWND panel = FolderPanel().panel();
  DialogAnswerer answerer({PressButton(IDCANCEL)});
  MouseMoveTo(panel, p.x, p.y);
  MouseDown(panel, p.x, p.y);
  MouseMoveTo(H(关闭按钮), 5, 5);
  MouseUp(H(关闭按钮), 5, 5);
  PumpUntil([&] { return !answerer.seen().empty() && !FindThreadDialog(); });
  PumpMessages(50);

  EXPECT_EQ(answerer.seen().size(), 1u);
  EXPECT_TRUE(MainForm().IsAlive());  // the release did not press the close button
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(FolderPanel().pressedEntry(), 0);
}

TEST_F(FieldPanelsTest, ClickBesideTheButtonOpensNothing) {
  const RECT button = FolderPanel().entries()[0].rectangle;
  DialogAnswerer answerer;
  Click(FolderPanel().panel(), button.left - 2, (button.top + button.bottom) / 2);
  PumpMessages(100);
  EXPECT_TRUE(answerer.seen().empty());
}

TEST_F(FieldPanelsTest, NameAndHpBoxesRaiseTheirLostFocusHandlersUnderPanels) {
  TypeInto(名字编辑框, L"张三");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, "张三");
  EXPECT_EQ(Npc().NpcFilePath, DocumentFolder() + "ZHANGSAN.pst");

  TypeInto(HP编辑框, L"99");
  ClickUnit(名字编辑框);
  EXPECT_EQ(Npc().NpcHp, 3000);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "3000");
}

// The form runtime reports a box's own events from the box itself, so a box
// under a panel raises its content-changed and lost-focus events as before.
namespace {

int contentChanges = 0;
int focusLosses = 0;
void OnBoxChanged() { ++contentChanges; }
void OnBoxLeft() { ++focusLosses; }

}  // namespace

TEST(PanelOverFormBoxTest, BoxUnderAPanelRaisesContentChangedAndLostFocus) {
  platform::FormDescription description;
  description.title = "panel";
  description.width = 300;
  description.height = 120;
  description.units = {
      {0, "box", platform::UnitKind::EditBox, platform::kOnWindow, 20, 20, 150, 18, "", {}, 0,
       false,
       {{platform::UnitEvent::ContentChanged, &OnBoxChanged},
        {platform::UnitEvent::LostFocus, &OnBoxLeft}}},
      {1, "other", platform::UnitKind::EditBox, platform::kOnWindow, 20, 60, 150, 18},
  };
  platform::Form form;
  ASSERT_TRUE(form.Create(description));
  Activate(form.WindowHandle());
  skin::ZqkWindow panel;
  const skin::SkinPicture picture;
  panel.Create(form.UnitGetHandle(0), std::nullopt, std::nullopt, std::nullopt, std::nullopt,
               picture);
  ASSERT_EQ(GetParent(form.UnitGetHandle(0)), panel.panel());
  contentChanges = focusLosses = 0;

  RECT r;
  GetClientRect(form.UnitGetHandle(0), &r);
  Click(form.UnitGetHandle(0), r.right / 2, r.bottom / 2);
  TypeText(L"ab");
  EXPECT_EQ(contentChanges, 2);
  form.SetEditContent(0, "xyz");
  EXPECT_EQ(contentChanges, 3);
  Click(form.UnitGetHandle(1), 5, 5);
  EXPECT_EQ(focusLosses, 1);
  form.DestroyWindowOrUnit();
  PumpMessages();
}
