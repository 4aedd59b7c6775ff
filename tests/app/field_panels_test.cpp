// The panels of the running tool: the folder button under real mouse input
// opens the folder chooser (whose dialog gets the mouse), and the boxes under
// their panels still raise their handlers.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/field_panels.h"
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

using Box = std::array<LONG, 4>;
Box B(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
skin::ZqkWindow& Panel(int n) { return skin::ZqkWindows()[n]; }

class FieldPanelsTest : public MainWindowTest {
 protected:
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveFolder(other_);
  }
  // A real press on the folder button, released on it or at (5, 5) of `up`.
  void PressFolderButton(HWND up = nullptr) {
    const RECT r = Panel(kFolderPanel).entries().at(0).rectangle;
    const HWND panel = Panel(kFolderPanel).panel();
    const POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2}, q = up ? POINT{5, 5} : p;
    MouseMoveTo(panel, p.x, p.y);
    MouseDown(panel, p.x, p.y);
    MouseMoveTo(up ? up : panel, q.x, q.y);
    MouseUp(up ? up : panel, q.x, q.y);
  }
  void AwaitDialog(const DialogAnswerer& answerer) {
    PumpUntil([&] { return !answerer.seen().empty() && !FindThreadDialog(); });
    PumpMessages(50);
  }
  std::string other_ = platform::ProgramDirectory() + "\\面板目录";
};

}  // namespace

// Over the 286 x 18 box the folder panel is 292 x 24: the button 20 x 15 at
// its right end, the box from x 4 to 2 pixels before it, keeping its height.
TEST_F(FieldPanelsTest, TheFolderPanelsLayout) {
  ASSERT_EQ(GetParent(H(目录编辑框)), Panel(kFolderPanel).panel());
  ASSERT_EQ(Panel(kFolderPanel).entries().size(), 1u);
  RECT client, box;
  GetClientRect(Panel(kFolderPanel).panel(), &client);
  GetWindowRect(H(目录编辑框), &box);
  MapWindowPoints(nullptr, Panel(kFolderPanel).panel(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(B(client), (Box{0, 0, 292, 24}));
  EXPECT_EQ(B(Panel(kFolderPanel).entries()[0].rectangle), (Box{292 - 23, 5, 292 - 3, 20}));
  EXPECT_EQ(B(box), (Box{4, 3, 292 - 25, 21}));
}

// The dialog gets the mouse: a real click presses its OK button (a dialog
// that does not get it is cancelled after a while, so the test fails instead
// of hanging), and the chosen folder goes into the box with one trailing "\".
TEST_F(FieldPanelsTest, ClickOnTheFolderButtonChoosesTheFolder) {
  CreateDirectoryW(Wide(other_).c_str(), nullptr);
  bool clicked = false;
  DialogAnswerer answerer({[&](HWND dialog) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Wide(other_).c_str()));
    PumpMessages(100);
    RECT r;
    GetClientRect(GetDlgItem(dialog, IDOK), &r);
    Click(GetDlgItem(dialog, IDOK), r.right / 2, r.bottom / 2);
    // EndDialog hides the dialog at once; it goes when its loop regains control.
    clicked = PumpUntil([&] { return !IsWindowVisible(dialog); }, 1500);
    if (!clicked) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }});
  PressFolderButton();
  AwaitDialog(answerer);
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_TRUE(clicked) << "the folder dialog did not get the mouse";
  EXPECT_EQ(Npc().NpcFolder, other_ + "\\");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), other_ + "\\");
  EXPECT_EQ(GetFocus(), H(目录编辑框));
  EXPECT_EQ(GetCapture(), nullptr);
}

// A press that began on the button calls the routine wherever it is released;
// a click beside the button opens nothing.
TEST_F(FieldPanelsTest, PressOnTheButtonReleasedElsewhereStillOpensTheDialog) {
  DialogAnswerer answerer({PressButton(IDCANCEL)});
  PressFolderButton(H(关闭按钮));
  AwaitDialog(answerer);
  EXPECT_EQ(answerer.seen().size(), 1u);
  EXPECT_TRUE(MainForm().IsAlive());  // the release did not press the close button
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(Panel(kFolderPanel).pressedEntry(), 0);
  const RECT button = Panel(kFolderPanel).entries()[0].rectangle;
  Click(Panel(kFolderPanel).panel(), button.left - 2, (button.top + button.bottom) / 2);
  PumpMessages(100);
  EXPECT_EQ(answerer.seen().size(), 1u);
}

TEST_F(FieldPanelsTest, NameAndHpBoxesRaiseTheirLostFocusHandlersUnderPanels) {
  ASSERT_EQ(GetParent(H(名字编辑框)), Panel(kNamePanel).panel());
  ASSERT_EQ(GetParent(H(HP编辑框)), Panel(kHpPanel).panel());
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
// under a panel raises its content-changed and lost-focus events as before
// (the tool's content-changed handler of the HP box does nothing to see).
TEST(PanelOverFormBoxTest, BoxUnderAPanelRaisesContentChangedAndLostFocus) {
  using platform::UnitEvent, platform::UnitKind;
  static int contentChanges, focusLosses;
  const platform::FormDescription description{.title = "panel", .width = 300, .height = 120, .units = {
      {.id = 0, .name = "box", .kind = UnitKind::EditBox, .x = 20, .y = 20, .width = 150, .height = 18,
       .events = {{UnitEvent::ContentChanged, [] { ++contentChanges; }},
                  {UnitEvent::LostFocus, [] { ++focusLosses; }}}},
      {.id = 1, .name = "other", .kind = UnitKind::EditBox, .x = 20, .y = 60, .width = 150, .height = 18}}};
  platform::Form form;  // keeps the description
  ASSERT_TRUE(form.Create(description));
  Activate(form.WindowHandle());
  skin::ZqkWindow panel;
  const HWND box = form.UnitGetHandle(0);
  panel.Create(box, std::nullopt, std::nullopt, std::nullopt, std::nullopt, skin::SkinPicture());
  ASSERT_EQ(GetParent(box), panel.panel());
  contentChanges = focusLosses = 0;
  Click(box, 10, 9);
  TypeText(L"ab");
  EXPECT_EQ(contentChanges, 2);
  form.SetEditContent(0, "xyz");
  EXPECT_EQ(contentChanges, 3);
  Click(form.UnitGetHandle(1), 5, 5);
  EXPECT_EQ(focusLosses, 1);
  form.DestroyWindowOrUnit();
  PumpMessages();
}
