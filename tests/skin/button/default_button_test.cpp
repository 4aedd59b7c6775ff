// Skinned push buttons in a real dialog, whose dialog manager moves the
// default button (DM_SETDEFID) by restyling both buttons (BM_SETSTYLE): both
// keep the skin and the owner-drawn style, and the default look moves with
// the default.
#include <gtest/gtest.h>

#include <memory>

#include "skin/button/button_installers.h"
#include "skin/button/button_window_proc.h"
#include "skin/control/owner_draw.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "tests/skin/button/button_fixture.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;
using testsupport::PixelBuffer;

constexpr int kDialogWidth = 300, kDialogHeight = 120;

INT_PTR CALLBACK SkinnedDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_DRAWITEM) return FALSE;
  if (SkinWindowRecord* record = SkinRecordOfWindow(dialog)) {
    SkinDrawItem(*record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  }
  return TRUE;
}

// A borderless modeless dialog with an edit box (which has the focus) and
// two push buttons, OK the default, skinned over a flat grey background.
class DefaultButtonTest : public ::testing::Test {
 protected:
  DefaultButtonTest() {
    SkinModuleInit();
    struct {
      DLGTEMPLATE header;
      WORD menu, windowClass, title;
    } empty{{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 100, 50}, 0, 0, 0};
    dialog_ = CreateDialogIndirectW(GetModuleHandleW(nullptr), &empty.header, nullptr, SkinnedDialogProc);
    SetWindowPos(dialog_, HWND_TOP, 100, 100, kDialogWidth, kDialogHeight, SWP_NOACTIVATE);
    edit_ = Child(L"EDIT", L"", WS_TABSTOP | WS_BORDER, 20, 20, 200, 24, 100);
    ok_ = Child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 20, 70, 100, 30, IDOK);
    cancel_ = Child(L"BUTTON", L"Cancel", BS_PUSHBUTTON, 140, 70, 100, 30, IDCANCEL);
    auto record = std::make_unique<SkinWindowRecord>();
    record->Window = dialog_;
    record->ClientWidth = kDialogWidth;
    record->ClientHeight = kDialogHeight;
    for (SkinMemoryDc* layer : {&record->BackDC, &record->ChildBackDC}) {
      *layer = SkinMemoryDc::Create(kDialogWidth, kDialogHeight);
      FillPattern(layer->get(), kDialogWidth, kDialogHeight, nullptr, kBackground);
    }
    number_ = SkinRecordNumber(*SkinAppendWindowRecord(std::move(record)));
    ButtonSkinInstall(*SkinRecordAt(number_), dialog_);
    testsupport::Activate(dialog_);
    SetFocus(edit_);
    testsupport::MouseMoveTo(dialog_, kDialogWidth - 5, 5);  // away from both buttons
    testsupport::PumpMessages(20);
  }
  ~DefaultButtonTest() override {
    DestroyWindow(dialog_);
    if (const int32_t n = SkinFindWindowRecord(dialog_); n > 0) SkinRemoveWindowRecord(n);
    testsupport::PumpMessages();
  }
  HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) const {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog_,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
  }
  const SkinButtonEntry& Entry(HWND button) const {
    return SkinRecordAt(number_)->Buttons.at(size_t(GetSkinProp(button, prop::Hw_lbID)) - 1);
  }
  static PixelBuffer Shown(HWND button) {
    testsupport::PumpMessages(10);
    return testsupport::CaptureClient(button);
  }
  // Both buttons still wear the skin: owner-drawn, the skin's procedure in
  // front, and a rounded face (the corner shows the background) rather than
  // the system's square frame.
  void ExpectSkinned(HWND button) const {
    EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ButtonSkinWndProc));
    const PixelBuffer shown = Shown(button);
    EXPECT_TRUE(ColorNear(shown.RgbAt(0, 0), kBackground, 6)) << std::hex << shown.RgbAt(0, 0);
  }

  EngineGlobals globals_;
  HWND dialog_ = nullptr, edit_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
  int32_t number_ = 0;
};

// The default look: a heavier frame, a second outline just inside the first.
int FrameShade(const PixelBuffer& shown) { return Green(shown.RgbAt(1, 15)); }

TEST_F(DefaultButtonTest, DmSetDefIdMovesTheDefaultLookAndBothButtonsKeepTheSkin) {
  ASSERT_EQ(GetFocus(), edit_);
  EXPECT_TRUE(Entry(ok_).DefaultButton);
  EXPECT_FALSE(Entry(cancel_).DefaultButton);
  // The dialog manager tells push buttons, and the default, by these codes.
  EXPECT_EQ(SendMessageW(ok_, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageW(cancel_, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  EXPECT_EQ(SendMessageW(dialog_, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
  ExpectSkinned(ok_);
  ExpectSkinned(cancel_);
  const int heavy = FrameShade(Shown(ok_)), plain = FrameShade(Shown(cancel_));
  EXPECT_LT(heavy, plain - 20);

  for (const int id : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(id);
    SendMessageW(dialog_, DM_SETDEFID, WPARAM(id), 0);
    const HWND now = id == IDOK ? ok_ : cancel_, before = id == IDOK ? cancel_ : ok_;
    EXPECT_EQ(SendMessageW(dialog_, DM_GETDEFID, 0, 0), MAKELRESULT(id, DC_HASDEFID));
    EXPECT_TRUE(Entry(now).DefaultButton);
    EXPECT_FALSE(Entry(before).DefaultButton);
    ExpectSkinned(now);
    ExpectSkinned(before);
    EXPECT_NEAR(FrameShade(Shown(now)), heavy, 4);
    EXPECT_NEAR(FrameShade(Shown(before)), plain, 4);
  }
  // Restyled by hand, as the dialog manager does: the type given is taken
  // for the default state, the button stays owner-drawn and keeps its other
  // style bits.
  const LONG others = GetWindowLongW(cancel_, GWL_STYLE) & ~BS_TYPEMASK;
  SendMessageW(ok_, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  SendMessageW(cancel_, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_TRUE(Entry(cancel_).DefaultButton);
  EXPECT_EQ(GetWindowLongW(cancel_, GWL_STYLE), others | BS_OWNERDRAW);
  EXPECT_NEAR(FrameShade(Shown(cancel_)), heavy, 4);
  EXPECT_NEAR(FrameShade(Shown(ok_)), plain, 4);
}

}  // namespace
