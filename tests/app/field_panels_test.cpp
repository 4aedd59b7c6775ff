// The panels of the running tool: the folder button under real mouse input
// opens the folder chooser (whose dialog gets the mouse), and the boxes under
// their panels still raise their handlers (that the form runtime raises a
// box's events under another parent is tested with the form itself).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/field_panels.h"
#include "app/pictures.h"
#include "platform/folders.h"
#include "skin/engine/panel.h"
#include "skin/panel/panel_window.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;
using namespace testsupport;

namespace {

using Box = std::array<LONG, 4>;
Box B(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
skin::ZqkPanel& Panel(int n) { return PanelInsides(skin::ZqkWindows()[n]); }

class FieldPanelsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // Every dialog opens on the document folder: one on C: is selected at
    // once, the default under Z:\ a level at a time.
    Npc().NpcFolder = "C:\\";
  }
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
    // The click routine has returned once its dialog is gone.
    PumpUntil([&] { return !answerer.seen().empty() && !FindThreadDialog(); });
  }
  // On C:, which the folder dialog's tree reaches in two steps however busy
  // the machine is.
  std::string other_ = "C:\\面板目录";
};

}  // namespace

// The dialog gets the mouse: a real click presses its OK button (a dialog
// that does not get it is cancelled after a while, so the test fails instead
// of hanging), and the chosen folder goes into the box with one trailing "\".
TEST_F(FieldPanelsTest, ClickOnTheFolderButtonChoosesTheFolder) {
  CreateDirectoryW(Wide(other_).c_str(), nullptr);
  bool clicked = false;
  DialogAnswerer answerer({[&](HWND dialog) {
    EXPECT_TRUE(SelectInFolderDialog(dialog, Wide(other_)));
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
  // Input comes in order: once a click on the name box has given it the
  // focus, the click beside the button has been handled.
  ClickUnit(名字编辑框);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == H(名字编辑框); }));
  EXPECT_EQ(answerer.seen().size(), 1u);
}

// A press right after the dialog has closed opens it again, every time: the
// panel's class asks for double clicks, so such a press comes as the second
// click of a double click. The double-click time is made long, so that every
// press lands within it however slowly the dialog comes and goes.
TEST_F(FieldPanelsTest, EveryPressRightAfterTheDialogClosedOpensItAgain) {
  struct DoubleClickTime {
    UINT saved = GetDoubleClickTime();
    DoubleClickTime() { SetDoubleClickTime(5000); }
    ~DoubleClickTime() { SetDoubleClickTime(saved); }
  } longDoubleClicks;
  constexpr int kPresses = 12;
  DialogAnswerer answerer;
  for (int i = 0; i < kPresses; ++i) answerer.Add(PressButton(IDCANCEL));
  for (int i = 0; i < kPresses; ++i) {
    PressFolderButton();
    PumpUntil([&] { return answerer.seen().size() > size_t(i) && !FindThreadDialog(); }, 3000);
  }
  EXPECT_EQ(kPresses - int(answerer.seen().size()), 0) << "presses that opened no dialog";
  EXPECT_EQ(Panel(kFolderPanel).pressedEntry(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

// The keyboard's way to the folder button, as to a push button: it is the
// tab stop after the folder box, Space and Enter open the folder dialog, and
// the button has the focus again when the dialog is cancelled (by Esc, as a
// user does); Esc on the button is still the window's.
TEST_F(FieldPanelsTest, TheKeyboardReachesTheFolderButton) {
  const HWND panel = Panel(kFolderPanel).panel();
  SetFocus(H(目录编辑框));
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), panel);
  EXPECT_TRUE(Panel(kFolderPanel).focused());
  for (WORD key : {VK_SPACE, VK_RETURN}) {
    DialogAnswerer answerer({AnswerByKey(VK_ESCAPE)});
    PressKey(key);
    AwaitDialog(answerer);
    EXPECT_EQ(answerer.seen().size(), 1u) << key;
    EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder()) << key;  // cancelled
    EXPECT_EQ(GetFocus(), panel) << key;
    EXPECT_EQ(Panel(kFolderPanel).pressedEntry(), 0) << key;
  }
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), H(名字编辑框));
  EXPECT_FALSE(Panel(kFolderPanel).focused());
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), panel);
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), H(目录编辑框));
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), panel);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

// A panel with an entry inside a group box, as the HP box's would be with
// a button of its own: the keys it does not take go to the top-level
// window, not to the group box it lies in, so Tab and Shift+Tab go on from
// the panel as from any stop.
TEST_F(FieldPanelsTest, APanelInsideAGroupBoxHandsItsKeysToTheWindow) {
  skin::ZqkPanel& hp = Panel(kHpPanel);
  hp.AddEntry(assets::FolderButtonNormalPng(), std::nullopt, std::nullopt, 20, 15);
  ASSERT_EQ(GetParent(hp.panel()), H(分组框3));
  SetFocus(H(HP编辑框));
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), hp.panel());
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), H(行为组合框));
  PressKey(VK_TAB, VK_SHIFT);
  ASSERT_EQ(GetFocus(), hp.panel());
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), H(HP编辑框));
}

// The folder button's focus ring shows with the focus and only then: two
// pixels left of the button, the ring's colour at its alpha over what lay
// there before.
TEST_F(FieldPanelsTest, TheFolderButtonsRingShowsOnlyWithTheFocus) {
  const HWND panel = Panel(kFolderPanel).panel();
  const RECT button = Panel(kFolderPanel).entries().at(0).rectangle;
  const POINT at = {button.left - 2, (button.top + button.bottom) / 2};
  const auto shown = [&] { return CaptureClient(panel).RgbAt(at.x, at.y); };
  ASSERT_NE(GetFocus(), panel);
  const uint32_t before = Look(panel).RgbAt(at.x, at.y);
  const uint32_t ring = Blend(before, 0x22CADD, 200);  // the focus ring's colour at alpha 200
  EXPECT_FALSE(ColorNear(before, ring, 40)) << std::hex << before;
  SetFocus(panel);
  EXPECT_TRUE(PumpUntil([&] { return ColorNear(shown(), ring, 6); }, 2000)) << std::hex << shown();
  SetFocus(H(名字编辑框));
  EXPECT_TRUE(PumpUntil([&] { return shown() == before; }, 2000)) << std::hex << shown();
}

// The three boxes sit under their panels. Over the 286 x 18 box the folder
// panel is 292 x 24: the button 20 x 15 at its right end, the box from x 4 to
// 2 pixels before it, keeping its height. The name and HP boxes still raise
// their lost-focus handlers.
TEST_F(FieldPanelsTest, PanelLayoutAndTheBoxesHandlersUnderThem) {
  const HWND folder = Panel(kFolderPanel).panel();
  EXPECT_EQ((std::array{GetParent(H(目录编辑框)), GetParent(H(HP编辑框)), GetParent(H(名字编辑框))}),
            (std::array{folder, Panel(kHpPanel).panel(), Panel(kNamePanel).panel()}));
  ASSERT_EQ(Panel(kFolderPanel).entries().size(), 1u);
  RECT client, box;
  GetClientRect(folder, &client);
  GetWindowRect(H(目录编辑框), &box);
  MapWindowPoints(nullptr, folder, reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(B(client), (Box{0, 0, 292, 24}));
  EXPECT_EQ(B(Panel(kFolderPanel).entries()[0].rectangle), (Box{292 - 23, 5, 292 - 3, 20}));
  EXPECT_EQ(B(box), (Box{4, 3, 292 - 25, 21}));

  TypeInto(名字编辑框, L"张三");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, "张三");
  EXPECT_EQ(Npc().NpcFilePath, DocumentFolder() + "ZHANGSAN.pst");
  TypeInto(HP编辑框, L"99");
  ClickUnit(名字编辑框);
  EXPECT_EQ(Npc().NpcHp, 3000);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "3000");
}
