// The tool's main window as the skin shows it: its frame, caption items and
// the close item, and Esc, through real input.
#include "skin/button/button_window_proc.h"
#include "skin/control/container_skin.h"
#include "skin/control/label_skin.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/edit/window_procs.h"
#include "skin/form/form_window_proc.h"
#include "tests/app/main_window_fixture.h"

namespace korvath::app::uitest {
namespace {

TEST_F(MainWindowTest, TheMainWindowIsTheSkinsWithMinimiseAndCloseItems) {
  HWND window = MainWindow();
  const skin::SkinWindowRecord* r = skin::SkinRecordOfWindow(window);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::FormSkinWndProc));
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION);
  ASSERT_EQ(r->CaptionItems.size(), 2u);
  EXPECT_EQ(r->CaptionItems[0].Kind, skin::CaptionItemKind::Minimize);
  EXPECT_EQ(r->CaptionItems[1].Kind, skin::CaptionItemKind::Close);
  EXPECT_EQ(r->ButtonStripWidth, 68);
  EXPECT_FALSE(r->Resizable);
  EXPECT_TRUE(r->HideIcon);
  EXPECT_EQ(r->SkinImageMode, 3);
  EXPECT_FALSE(r->SkinImage.empty());
  RECT region{};
  EXPECT_EQ(GetWindowRgnBox(window, &region), COMPLEXREGION);
  // The caption shows the title in white over the picture.
  const PixelBuffer back = CaptureDC(r->BackDC.get(), 0, 0, r->ClientWidth, r->ClientHeight);
  int white = 0;
  for (int y = 4; y < 25; ++y)
    for (int x = 6; x < 200; ++x) white += ColorNear(back.RgbAt(x, y), 0xFFFFFF, 10);
  EXPECT_GT(white, 40);
}

// The program's icon: the taskbar and Alt-Tab show the main window's class
// icons; the engine's own classes get the same picture.
TEST_F(MainWindowTest, TheToolShowsItsIconInTheTaskbarAndTheEnginesClasses) {
  const HICON large = reinterpret_cast<HICON>(GetClassLongPtrW(MainWindow(), GCLP_HICON));
  const HICON small = reinterpret_cast<HICON>(GetClassLongPtrW(MainWindow(), GCLP_HICONSM));
  ASSERT_NE(large, nullptr);
  ASSERT_NE(small, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(small, &info));
  const platform::GdiBitmap colourBitmap(info.hbmColor), maskBitmap(info.hbmMask);
  BITMAP colour{};
  GetObjectW(colourBitmap.get(), sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
  EXPECT_NE(skin::SkinEngine.options.AppIcon, nullptr);
  WNDCLASSEXW shadow{sizeof shadow};
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"yinyWindow", &shadow));
  EXPECT_EQ(shadow.hIcon, skin::SkinEngine.options.AppIcon);
}

// Every control of the tool wears its kind's skin: the skin's procedure
// handles its messages (an unskinned control keeps the native look).
TEST_F(MainWindowTest, EveryControlOfTheToolCarriesTheSkinOfItsKind) {
  int counts[6] = {};
  for (const platform::UnitDescription& unit : MainFormDescription().units) {
    const HWND control = MainForm().UnitGetHandle(Unit(unit.id));
    ASSERT_NE(control, nullptr) << unit.id;
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
    WNDPROC expected = nullptr;
    switch (unit.kind) {
      case platform::UnitKind::Label: expected = &skin::LabelSkinWndProc; break;
      case platform::UnitKind::GroupBox: expected = &skin::ContainerSkinWndProc; break;
      case platform::UnitKind::EditBox: expected = &skin::EditSkinWndProc; break;
      case platform::UnitKind::ComboBox: expected = &skin::ComboSkinWndProc; break;
      case platform::UnitKind::PushButton:
      case platform::UnitKind::RadioButton: expected = &skin::ButtonSkinWndProc; break;
    }
    EXPECT_EQ(procedure, expected) << "unit " << unit.id;
    ++counts[int(unit.kind)];
  }
  EXPECT_EQ(counts[int(platform::UnitKind::Label)], 20);
  EXPECT_EQ(counts[int(platform::UnitKind::GroupBox)], 3);
  EXPECT_EQ(counts[int(platform::UnitKind::EditBox)], 3);
  EXPECT_EQ(counts[int(platform::UnitKind::ComboBox)], 16);
}

// Minimising and moving by the caption are the form skin's own (its tests);
// here the close item ends the tool and takes the skin's record with it.
TEST_F(MainWindowTest, TheCloseItemEndsTheToolAndItsSkinRecord) {
  ClickCaptionItem(2);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 3000));
  EXPECT_TRUE(skin::SkinEngine.lists.SkinWindowList.empty());
}

TEST_F(MainWindowTest, EscStillClosesTheSkinnedWindow) {
  ClickUnit(名字编辑框);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 3000));
}

}  // namespace
}  // namespace korvath::app::uitest
