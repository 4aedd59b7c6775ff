// The panels of the running tool: the folder button under real mouse input
// opens the folder chooser (whose dialog gets the mouse), and the boxes under
// their panels still raise their handlers.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

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

using Box = std::array<LONG, 4>;
Box B(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

skin::ZqkWindow& FolderPanel() { return skin::ZqkWindows()[kFolderPanel]; }

class FieldPanelsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateDirectoryW(Wide(other_).c_str(), nullptr);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveFolder(other_);
  }
  // Presses and releases the mouse on the folder button; the release lands
  // on `releaseOn` (at 5, 5) when given.
  void PressFolderButton(HWND releaseOn = nullptr) {
    const RECT r = FolderPanel().entries().at(0).rectangle;
    const HWND panel = FolderPanel().panel();
    const POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    MouseMoveTo(panel, p.x, p.y);
    MouseDown(panel, p.x, p.y);
    const HWND up = releaseOn ? releaseOn : panel;
    const POINT q = releaseOn ? POINT{5, 5} : p;
    MouseMoveTo(up, q.x, q.y);
    MouseUp(up, q.x, q.y);
  }
  std::string other_ = platform::ProgramDirectory() + "\\面板目录";
};

}  // namespace

TEST_F(FieldPanelsTest, ThreeBoxesSitUnderPanelsAndTheFolderPanelsLayout) {
  const Unit boxes[] = {目录编辑框, HP编辑框, 名字编辑框};
  const int panels[] = {kFolderPanel, kHpPanel, kNamePanel};
  for (int i = 0; i < 3; ++i) {
    const skin::ZqkWindow& panel = skin::ZqkWindows()[panels[i]];
    ASSERT_TRUE(IsWindow(panel.panel()));
    EXPECT_EQ(panel.target(), H(boxes[i]));
    EXPECT_EQ(GetParent(H(boxes[i])), panel.panel());
    EXPECT_EQ(panel.entries().size(), i == 0 ? 1u : 0u);  // only the folder box has a button
  }
  EXPECT_EQ(skin::ZqkWindows()[3].panel(), nullptr);
  // Over the 286 x 18 box the folder panel is 292 x 24: the button 20 x 15 at
  // its right end, the box from x 4 to 2 pixels before it, keeping its height.
  RECT client;
  GetClientRect(FolderPanel().panel(), &client);
  EXPECT_EQ(B(client), (Box{0, 0, 292, 24}));
  EXPECT_EQ(B(FolderPanel().entries()[0].rectangle), (Box{292 - 23, 5, 292 - 3, 20}));
  RECT box;
  GetWindowRect(H(目录编辑框), &box);
  MapWindowPoints(nullptr, FolderPanel().panel(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(B(box), (Box{4, 3, 292 - 25, 21}));
}

// The dialog gets the mouse: a real click presses its OK button (a dialog
// that does not get it is cancelled after a while, so the test fails instead
// of hanging), and the chosen folder goes into the box with one trailing "\".
TEST_F(FieldPanelsTest, ClickOnTheFolderButtonChoosesTheFolder) {
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
  PumpUntil([&] { return !answerer.seen().empty() && !FindThreadDialog(); });
  PumpMessages(50);
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
  PumpUntil([&] { return !answerer.seen().empty() && !FindThreadDialog(); });
  PumpMessages(50);
  EXPECT_EQ(answerer.seen().size(), 1u);
  EXPECT_TRUE(MainForm().IsAlive());  // the release did not press the close button
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(FolderPanel().pressedEntry(), 0);

  const RECT button = FolderPanel().entries()[0].rectangle;
  Click(FolderPanel().panel(), button.left - 2, (button.top + button.bottom) / 2);
  PumpMessages(100);
  EXPECT_EQ(answerer.seen().size(), 1u);
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
// under a panel raises its content-changed and lost-focus events as before
// (the tool's own content-changed handler of the HP box does nothing to see).
namespace {
int contentChanges = 0, focusLosses = 0;
void OnBoxChanged() { ++contentChanges; }
void OnBoxLeft() { ++focusLosses; }
}  // namespace

TEST(PanelOverFormBoxTest, BoxUnderAPanelRaisesContentChangedAndLostFocus) {
  platform::FormDescription description;
  description.title = "panel";
  description.width = 300;
  description.height = 120;
  description.units = {
      {0, "box", platform::UnitKind::EditBox, platform::kOnWindow, 20, 20, 150, 18, "", {}, 0, false,
       {{platform::UnitEvent::ContentChanged, &OnBoxChanged}, {platform::UnitEvent::LostFocus, &OnBoxLeft}}},
      {1, "other", platform::UnitKind::EditBox, platform::kOnWindow, 20, 60, 150, 18},
  };
  platform::Form form;
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
