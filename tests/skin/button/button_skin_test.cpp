// The button installers, the button procedure driven by real input, and the
// cross-fade frame by frame.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "platform/message_params.h"
#include "platform/window_procedure.h"
#include "skin/button/button_installers.h"
#include "skin/button/button_lookup.h"
#include "skin/button/button_window_proc.h"
#include "skin/button/cross_fade.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "skin/install/container_attach.h"
#include "tests/skin/button/button_fixture.h"
#include "tests/support/failing_messages.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;
using testsupport::PumpMessages;
using testsupport::PumpUntil;

using ButtonInstallTest = ButtonFixture;

TEST_F(ButtonInstallTest, EachButtonTypeGoesToItsInstallerInZOrder) {
  const struct {
    DWORD type;
    std::optional<ButtonKind> kind;  // none: not skinned
  } cases[] = {{BS_PUSHBUTTON, ButtonKind::Vector},    {BS_DEFPUSHBUTTON, ButtonKind::Vector},
               {BS_CHECKBOX, ButtonKind::CheckBox},    {BS_AUTOCHECKBOX, ButtonKind::CheckBox},
               {BS_RADIOBUTTON, {}},                   {BS_3STATE, {}},
               {BS_AUTO3STATE, {}},                    {BS_GROUPBOX, {}},
               {BS_USERBUTTON, ButtonKind::Vector},    {BS_AUTORADIOBUTTON, ButtonKind::Radio},
               {BS_PUSHBOX, ButtonKind::CheckBox},     {BS_OWNERDRAW, {}}};
  std::vector<HWND> buttons;
  for (const auto& c : cases) buttons.push_back(Add(L"\u751F\u6210\u5E76\u4FDD\u5B58", c.type, 4, 4, 60, 20));
  ButtonSkinInstall(record(), form());
  CheckRadioSkinInstall(record(), form());
  // Push buttons are taken first, then check boxes and radio buttons.
  int32_t next = 1;
  for (const bool pushPass : {true, false}) {
    for (size_t i = 0; i < std::size(cases); ++i) {
      SCOPED_TRACE(i);
      const HWND b = buttons[i];
      if (!cases[i].kind) {
        EXPECT_EQ(GetSkinProp(b, prop::Hw_lbID), 0);
        continue;
      }
      if ((cases[i].kind == ButtonKind::Vector) != pushPass) continue;
      EXPECT_EQ(GetSkinProp(b, prop::Hw_lbID), next++);
      const SkinButtonEntry& e = Entry(b);
      EXPECT_EQ(e.window, b);
      EXPECT_EQ(e.Kind, cases[i].kind);
      EXPECT_EQ(e.Caption, "\xC9\xFA\xB3\xC9\xB2\xA2\xB1\xA3\xB4\xE6");  // GBK, whatever the locale
      EXPECT_EQ(e.CaptionEffectColor, std::nullopt);
      EXPECT_EQ(e.FontFace, "\xCB\xCE\xCC\xE5");
      // Push buttons become owner-drawn; the others keep their type.
      EXPECT_EQ(GetWindowLongW(b, GWL_STYLE) & 0xF, LONG(pushPass ? BS_OWNERDRAW : cases[i].type));
    }
  }
  EXPECT_EQ(record().Buttons.size(), size_t(next - 1));
}

TEST_F(ButtonInstallTest, InstallingTwiceNeverMakesTheProcedureForwardToItself) {
  const HWND buttons[] = {Add(L"A", BS_PUSHBUTTON, 4, 4, 60, 20), Add(L"B", BS_AUTOCHECKBOX, 4, 30, 60, 20),
                          Add(L"C", BS_AUTORADIOBUTTON, 4, 60, 60, 20)};
  // Twice on this form, then on a second (as a container attach over the
  // same children would).
  SkinnedForm other(50, 50);
  for (const int32_t n : {number(), number(), other.number()}) {
    ButtonSkinInstall(*SkinRecordAt(n), form());
    CheckRadioSkinInstall(*SkinRecordAt(n), form());
    // Else any message would recurse without end.
    for (HWND b : buttons) ASSERT_NE(GetSkinPropHandle<WNDPROC>(b, prop::Hw_hProc), &ButtonSkinWndProc);
  }
  EXPECT_EQ(record().Buttons.size(), 3u);
  EXPECT_EQ(other.record().Buttons.size(), 1u);  // only its lone empty entry
  for (HWND b : buttons) {
    EXPECT_EQ(GetSkinProp(b, prop::Hw_FuID), number());
    SendMessageW(b, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"xy"));
    EXPECT_EQ(GetWindowTextLengthW(b), 2);
    EXPECT_EQ(Entry(b).Caption, "xy");
  }
}

TEST_F(ButtonInstallTest, SwitchedOffInsideAnotherControlOrAnotherSkinsNothingChanges) {
  HWND push = Add(L"A", BS_PUSHBUTTON, 4, 4, 60, 20);
  SkinEngine.options.SkinEnabled = false;
  ButtonSkinInstall(record(), form());
  CheckRadioSkinInstall(record(), form());
  SkinEngine.options.SkinEnabled = true;
  EXPECT_EQ(GetSkinProp(push, prop::Hw_lbID), 0);
  HWND taken = Add(L"T", BS_PUSHBUTTON, 4, 30, 60, 20);
  SetSkinProp(taken, prop::Kj_hProc, 1);  // another skin's procedure stands in front
  HWND group = Add(L"G", BS_GROUPBOX, 100, 100, 200, 100);
  HWND inner = Add(L"I", BS_PUSHBUTTON, 10, 20, 60, 20, group);
  ButtonSkinInstall(record(), form());  // only direct children
  EXPECT_EQ(GetSkinProp(inner, prop::Hw_lbID), 0);
  EXPECT_EQ(GetSkinProp(taken, prop::Hw_lbID), 0);
  EXPECT_EQ(Entry(push).window, push);  // the lone empty entry was reused
  EXPECT_EQ(record().Buttons.size(), 1u);
}

// Wine stands a heavier, larger face in for "宋体": the entry keeps the size
// and style the control asked for.
TEST_F(ButtonInstallTest, TheEntryTakesTheControlsFontSizeAndStyle) {
  std::vector<korvath::platform::GdiFont> fonts;
  std::vector<HWND> buttons;
  for (int i = 0; i < 3; ++i) {  // regular, bold, italic
    fonts.emplace_back(CreateFontW(-12 - 2 * i, 0, 0, 0, i == 1 ? FW_BOLD : FW_NORMAL, i == 2, FALSE, FALSE,
                                   GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH, L"\u5B8B\u4F53"));
    buttons.push_back(Add(L"A", BS_PUSHBUTTON, 10, 10 + 30 * i, 60, 25));
    SendMessageW(buttons.back(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back().get()), FALSE);
  }
  ButtonSkinInstall(record(), form());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Entry(buttons[size_t(i)]).FontStyle, i);
    EXPECT_EQ(Entry(buttons[size_t(i)]).FontSize, 12 + 2 * i);
  }
  for (HWND b : buttons) DestroyWindow(b);  // before their fonts go
}

TEST_F(ButtonInstallTest, AContainerAttachSkinsTheButtonsInsideAndDrawsItsPushButtons) {
  HWND group = Add(L"G", BS_GROUPBOX, 10, 10, 300, 150);
  HWND push = Add(L"OK", BS_PUSHBUTTON, 10, 20, 100, 30, group);
  HWND radio = Add(L"R", BS_AUTORADIOBUTTON, 10, 70, 80, 20, group);
  ContainerSkinAttach(group);
  EXPECT_EQ(Entry(push).Kind, ButtonKind::Vector);
  EXPECT_EQ(Entry(radio).Kind, ButtonKind::Radio);
  // The group box hands its push button's WM_DRAWITEM to the painter.
  InvalidateRect(push, nullptr, TRUE);
  const testsupport::PixelBuffer shown = Shown(push);
  EXPECT_LT(std::abs(ThemeLean(shown.RgbAt(10, 15))), 8);
  EXPECT_LT(Green(shown.RgbAt(0, 15)), Green(shown.RgbAt(10, 15)) - 20);  // the outline
}

// A button that moves inside a container makes the container lay out its
// children again (their background pieces are no longer where they were).
TEST_F(ButtonInstallTest, AButtonMovingInsideAContainerMarksItsChildrenChanged) {
  HWND group = Add(L"G", BS_GROUPBOX, 10, 10, 300, 150);
  HWND push = Add(L"OK", BS_PUSHBUTTON, 10, 20, 100, 30, group);
  ContainerSkinAttach(group);
  const auto container = [&]() -> SkinContainerEntry& {
    return record().Containers.at(size_t(SkinFindContainerEntry(record(), group)) - 1);
  };
  container().childChanged = false;
  const uint32_t generation = SkinEngine.forms.LayoutGeneration;
  MoveWindow(push, 20, 20, 100, 30, FALSE);
  EXPECT_TRUE(container().childChanged);
  EXPECT_GT(SkinEngine.forms.LayoutGeneration, generation);
}

class ButtonProcTest : public ButtonFixture {
 protected:
  ButtonProcTest() {
    ButtonSkinInstall(record(), form());
    CheckRadioSkinInstall(record(), form());
    PumpMessages(50);
  }
  int Clicks(HWND button) const { return int(std::count(ClickedButtons.begin(), ClickedButtons.end(), button)); }
  HWND push_ = Add(L"OK", BS_PUSHBUTTON, 20, 20, 100, 30);
  HWND other_ = Add(L"No", BS_PUSHBUTTON, 140, 20, 100, 30);
  HWND radio1_ = Add(L"R1", BS_AUTORADIOBUTTON | WS_GROUP, 20, 80, 80, 20);
  HWND radio2_ = Add(L"R2", BS_AUTORADIOBUTTON, 20, 110, 80, 20);
  HWND check_ = Add(L"C", BS_AUTOCHECKBOX | WS_GROUP, 20, 150, 80, 20);
};

TEST_F(ButtonProcTest, HoverFadesTheHotLookInAndLeavingRestoresItAtOnce) {
  const uint32_t normal = Shown(push_).RgbAt(10, 15);
  testsupport::MouseMoveTo(push_, 10, 15);
  ASSERT_TRUE(PumpUntil([&] { return record().HotControl == GetSkinProp(push_, prop::Hw_lbID); }));
  ASSERT_TRUE(PumpUntil([] { return SkinEngine.lists.FadeList.empty(); }));
  EXPECT_GT(ThemeLean(Shown(push_).RgbAt(10, 15)), 12);
  // More moves over the same button repaint nothing: no fade starts.
  testsupport::MouseMoveTo(push_, 30, 16);
  EXPECT_TRUE(SkinEngine.lists.FadeList.empty());
  // Another family's hover makes the same entry number count as new.
  record().HotKind = HoverKind::Edit;
  testsupport::MouseMoveTo(push_, 31, 16);
  EXPECT_EQ(record().HotKind, HoverKind::Button);
  PumpUntil([] { return SkinEngine.lists.FadeList.empty(); });
  testsupport::MouseMoveTo(form(), 300, 200);
  EXPECT_TRUE(PumpUntil([&] { return record().PrevHotControl == 0; }));
  EXPECT_TRUE(SkinEngine.lists.FadeList.empty());
  EXPECT_TRUE(ColorNear(Shown(push_).RgbAt(10, 15), normal, 3));
}

TEST_F(ButtonProcTest, ClicksAndKeysStillDoWhatTheyDid) {
  // A press pushes the button, or no click could follow: said here at once
  // rather than after the waits below.
  SendMessageW(push_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
  const bool pushed = (SendMessageW(push_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  SendMessageW(push_, WM_LBUTTONUP, 0, MAKELPARAM(500, 500));  // released outside: no click
  ASSERT_TRUE(pushed);
  testsupport::Click(push_, 50, 15);
  EXPECT_TRUE(PumpUntil([&] { return Clicks(push_) == 1; }));
  // The second press of a double click is swallowed. The double-click time
  // is made long, so that the two presses make one however slowly they come.
  {
    struct DoubleClickTime {
      UINT saved = GetDoubleClickTime();
      DoubleClickTime() { SetDoubleClickTime(5000); }
      ~DoubleClickTime() { SetDoubleClickTime(saved); }
    } longDoubleClicks;
    testsupport::Click(other_, 50, 15);
    testsupport::Click(other_, 50, 15);
  }
  EXPECT_EQ(Clicks(other_), 1);
  EXPECT_TRUE(OtherNotifications.empty());  // no BN_DOUBLECLICKED either
  // Space on the focused push button clicks it.
  SetFocus(push_);
  testsupport::PressKey(VK_SPACE);
  EXPECT_TRUE(PumpUntil([&] { return Clicks(push_) == 2; }));
  // Radio buttons switch by click, and by arrow key where the dialog
  // manager moves the focus.
  testsupport::Click(radio1_, 8, 10);
  EXPECT_TRUE(PumpUntil([&] { return SendMessageW(radio1_, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  SetFocus(radio1_);
  MSG key = {radio1_, WM_KEYDOWN, VK_DOWN, 0};
  EXPECT_TRUE(IsDialogMessageW(form(), &key));
  PumpMessages();
  EXPECT_EQ(SendMessageW(radio2_, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(radio1_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(GetFocus(), radio2_);
  // A check box toggles on a click; its press plays the tick animation, which
  // holds the press for its pauses (125 ms at least).
  testsupport::Click(check_, 8, 10);
  EXPECT_TRUE(PumpUntil([&] { return SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  EXPECT_FALSE(Entry(check_).Pressed);
  const auto start = std::chrono::steady_clock::now();
  SendMessageW(check_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 10));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(125));
  SendMessageW(check_, WM_LBUTTONUP, 0, MAKELPARAM(8, 10));
  EXPECT_EQ(SendMessageW(check_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// Space works on key-down: the push button shows its pressed look at once
// and clicks only when the key comes up; a check box keeps the skin's look
// over the native one that its pushed state draws, and toggles when the key
// comes up.
TEST_F(ButtonProcTest, SpaceActsWhenItGoesDownAndClicksWhenItComesUp) {
  SetFocus(push_);
  const uint32_t normal = Shown(push_).RgbAt(10, 15);
  SendMessageW(push_, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_GT(ThemeLean(Shown(push_).RgbAt(10, 15)), ThemeLean(normal) + 6);
  EXPECT_EQ(Clicks(push_), 0);
  SendMessageW(push_, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(Clicks(push_), 1);
  EXPECT_TRUE(ColorNear(Shown(push_).RgbAt(10, 15), normal, 3));

  SetFocus(check_);
  const testsupport::PixelBuffer before = Shown(check_);
  SendMessageW(check_, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(SendMessageW(check_, BM_GETSTATE, 0, 0) & BST_PUSHED);
  const testsupport::PixelBuffer held = Shown(check_);
  for (int y = 2; y < 18; ++y)
    for (int x = 0; x < 18; ++x) ASSERT_EQ(held.RgbAt(x, y), before.RgbAt(x, y)) << x << ", " << y;
  SendMessageW(check_, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(SendMessageW(check_, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonProcTest, TheProcedureKeepsFocusPressAndCaptionInTheEntry) {
  SetFocus(other_);
  EXPECT_TRUE(Entry(other_).Focused);
  SetFocus(push_);
  EXPECT_FALSE(Entry(other_).Focused);
  // While pressed, the release of the pushed state is kept from the control.
  SendMessageW(push_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(push_, BM_SETSTATE, 0, 0);
  EXPECT_TRUE(SendMessageW(push_, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessageW(push_, WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  EXPECT_FALSE(Entry(push_).Pressed);
  SendMessageW(push_, BM_SETSTATE, 0, 0);
  EXPECT_FALSE(SendMessageW(push_, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SetWindowTextW(push_, L"\u5173\u95ED");
  EXPECT_EQ(Entry(push_).Caption, "\xB9\xD8\xB1\xD5");
  SetWindowTextW(push_, nullptr);
  EXPECT_EQ(Entry(push_).Caption, "");
}

// The button erases nothing: the DC it is given only stops painting text
// backgrounds, and the erase counts as done.
TEST_F(ButtonProcTest, ErasingOnlyMakesTheGivenDcsTextBackgroundTransparent) {
  for (HWND button : {push_, check_}) {
    SkinMemoryDc dc = SkinMemoryDc::Create(8, 8);
    SetBkMode(dc.get(), OPAQUE);
    FillPattern(dc.get(), 8, 8, nullptr, 0x123456);
    EXPECT_EQ(SendMessageW(button, WM_ERASEBKGND, WPARAM(korvath::platform::ToParam(dc.get())), 0), 1);
    EXPECT_EQ(GetBkMode(dc.get()), TRANSPARENT);
    EXPECT_EQ(testsupport::CaptureDC(dc.get(), 0, 0, 8, 8).RgbAt(4, 4), 0x123456u);
  }
}

TEST_F(ButtonProcTest, DisabledRadioButtonsAndCheckBoxesLookDisabled) {
  EXPECT_LT(Darkest(Shown(radio1_), 22, 2, 60, 18), 60);  // a black caption
  EnableWindow(radio1_, FALSE);                             // the control repaints itself
  EXPECT_NEAR(Darkest(Shown(radio1_), 22, 2, 60, 18), 0x60, 16);
  EnableWindow(check_, FALSE);
  EXPECT_EQ(Shown(check_).RgbAt(5, 6), 0xD0D8DDu);  // the disabled box
}

// A hover or a leave repaints a radio button or check box at once, and a
// disabled one in its disabled look: the state that the repaint is given
// does not say so, its window does.
TEST_F(ButtonProcTest, AHoverOrALeaveRepaintsADisabledRadioOrCheckBoxDisabled) {
  EnableWindow(radio1_, FALSE);
  EnableWindow(check_, FALSE);
  for (const UINT message : {WM_MOUSEMOVE, WM_MOUSELEAVE}) {
    SCOPED_TRACE(message);
    SendMessageW(radio1_, message, 0, MAKELPARAM(8, 10));
    EXPECT_NEAR(Darkest(Shown(radio1_), 22, 2, 60, 18), 0x60, 16);  // the disabled caption
    SendMessageW(check_, message, 0, MAKELPARAM(8, 10));
    EXPECT_EQ(Shown(check_).RgbAt(5, 6), 0xD0D8DDu);  // the disabled box
  }
}

// A radio button disabled while it has the focus keeps it on Windows (Wine
// takes it away in EnableWindow, so the style is set here as Windows leaves
// it): it paints as a disabled radio without the focus, no ring round its
// caption.
TEST_F(ButtonProcTest, ADisabledRadioWithTheFocusPaintsAsOneWithout) {
  const LONG style = GetWindowLongW(radio1_, GWL_STYLE);
  SetWindowLongW(radio1_, GWL_STYLE, style | WS_DISABLED);
  RedrawWindow(radio1_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const testsupport::PixelBuffer unfocused = Shown(radio1_);
  SetWindowLongW(radio1_, GWL_STYLE, style);
  SetFocus(radio1_);
  SetWindowLongW(radio1_, GWL_STYLE, style | WS_DISABLED);
  ASSERT_EQ(GetFocus(), radio1_);
  ASSERT_TRUE(Entry(radio1_).Focused);
  RedrawWindow(radio1_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const testsupport::PixelBuffer focused = Shown(radio1_);
  EXPECT_TRUE(testsupport::SameRgb(focused, unfocused)) << "the look of a disabled radio with the focus";
  if (HasFailure()) testsupport::SaveFailureImage(focused, "disabled_focused_radio");
  EXPECT_NEAR(Darkest(focused, 22, 2, 60, 18), 0x60, 16);  // the disabled caption
}

// Memory that runs out at any allocation of the skin's part of a message to
// a check box, each in turn, ends the skin's part there, inside the button's
// procedure: the message goes on to the control's own procedure once (a
// check that went there before its repaint does not go a second time, a
// paint, which the skin does itself, goes there then) and gets its answer.
// Then the box keeps its caption and shows what a box that never failed
// shows.
TEST_F(ButtonProcTest, MemoryThatRunsOutInTheButtonsProcedureEndsOnlyTheSkinsPartOfTheMessage) {
  HWND check = Add(L"C", BS_AUTOCHECKBOX, 140, 150, 80, 20);
  HWND twin = Add(L"D", BS_AUTOCHECKBOX, 240, 150, 80, 20);
  korvath::platform::SetWindowProcedure(check, &testsupport::CountingOwnProcedure);
  CheckRadioSkinInstall(record(), form());
  ASSERT_EQ(GetSkinProp(check, prop::Hw_hProc), korvath::platform::ToParam(&testsupport::CountingOwnProcedure));
  const wchar_t kCaption[] = L"A caption longer than a short string";
  testsupport::SendWithEachAllocationFailing({
      {"caption", [&] { return SendMessageW(check, WM_SETTEXT, 0, korvath::platform::ToParam(kCaption)); },
       WM_SETTEXT, TRUE},
      {"checked", [&] { return SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0); }, BM_SETCHECK, 0},
      {"painted",
       [&] { return LRESULT(RedrawWindow(check, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW)); }, WM_PAINT,
       TRUE, true},
  });
  EXPECT_EQ(testsupport::WindowText(check), kCaption);
  EXPECT_EQ(Entry(check).Caption, std::string(std::begin(kCaption), std::end(kCaption) - 1));
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  // (The native control draws a new caption at once, in its own look.)
  SetWindowTextW(check, L"D");
  SendMessageW(twin, BM_SETCHECK, BST_CHECKED, 0);
  for (HWND box : {check, twin}) RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(testsupport::SameRgb(Shown(check), Shown(twin)));
}

TEST_F(ButtonProcTest, NumbersThatLeadElsewhereOnlyPassTheMessageOn) {
  const int32_t pushNumber = int32_t(GetSkinProp(push_, prop::Hw_lbID));
  SetSkinProp(other_, prop::Hw_lbID, pushNumber);  // another button's entry
  SendMessageW(other_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"zz"));
  EXPECT_EQ(Entry(push_).Caption, "OK");
  SendMessageW(other_, WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(record().HotControl, 0);
  SetSkinProp(other_, prop::Hw_FuID, 99);  // no such record
  SendMessageW(other_, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(other_, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(GetWindowTextLengthW(other_), 2);
  // A destroyed button's entry gives back its texts and keeps its place.
  const size_t count = record().Buttons.size();
  DestroyWindow(push_);
  EXPECT_EQ(record().Buttons.size(), count);
  EXPECT_EQ(record().Buttons[size_t(pushNumber) - 1].window, nullptr);
  EXPECT_TRUE(record().Buttons[size_t(pushNumber) - 1].Caption.empty());
}

// ---- the cross-fade ------------------------------------------------------------------

class FadeTest : public ButtonFixture {
 protected:
  // A registered 100 x 30 memory DC of one colour.
  static SkinMemoryDc Picture(uint32_t rgb) {
    SkinMemoryDc dc = SkinMemoryDc::Create(100, 30);
    FillPattern(dc.get(), 100, 30, nullptr, rgb);
    return dc;
  }
  HWND target_ = Add(L"", BS_PUSHBUTTON, 20, 20, 100, 30);
};

TEST_F(FadeTest, NineTicksBlendWithRisingAlphaThenTheFadeEnds) {
  SkinMemoryDc dest(Picture(0x000000));
  const Held held;
  FadeStart({.window = target_, .width = 100, .height = 30, .picture = Picture(0xFFFFFF), .destDc = dest.get()});
  const UINT_PTR timer = SkinEngine.lists.FadeList.at(0).Timer.get();
  EXPECT_EQ(Pixels(dest.get(), 100, 30).RgbAt(50, 15), 0u);  // the start draws nothing
  uint32_t expected = 0;
  for (int tick = 1; tick <= 9; ++tick) {
    SCOPED_TRACE(tick);
    FadeTimerProc(nullptr, WM_TIMER, timer, 0);
    expected = Blend(expected, 0xFFFFFF, 25 * (tick + 1));
    EXPECT_TRUE(ColorNear(Pixels(dest.get(), 100, 30).RgbAt(50, 15), expected, 2));
    EXPECT_EQ(SkinEngine.lists.FadeList.empty(), tick == 9);
  }
  EXPECT_FALSE(KillTimer(nullptr, timer));  // the timer is gone
  EXPECT_TRUE(held.Same());                 // and the picture freed
  FadeTimerProc(nullptr, WM_TIMER, timer, 0);  // a stray tick does nothing
}

TEST_F(FadeTest, RealTicksComeTwentyMillisecondsApartAndACallersDcStaysTheCallers) {
  HDC callers = GetDC(target_);
  const Held held;
  const auto start = std::chrono::steady_clock::now();
  FadeStart({.window = target_, .width = 100, .height = 30, .picture = Picture(0xFFFFFF), .destDc = callers});
  ASSERT_TRUE(PumpUntil([] { return SkinEngine.lists.FadeList.empty(); }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(9 * 20 - 20));
  EXPECT_TRUE(held.Same());
  EXPECT_EQ(ReleaseDC(target_, callers), 1);  // still held: the fade did not release it
}

TEST_F(FadeTest, ALayeredWindowIsReShownAfterEachBlendAndKeepsBothDcs) {
  HWND popup = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 150, 130,
                               100, 30, nullptr, nullptr, nullptr, nullptr);
  SkinMemoryDc back(Picture(0));
  SkinMemoryDc picture(Picture(0));
  for (HDC dc : {back.get(), picture.get()}) {  // opaque: black behind, white to fade in
    BITMAP bm = {};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm);
    std::fill_n(static_cast<uint32_t*>(bm.bmBits), 100 * 30, dc == back.get() ? 0xFF000000u : 0xFFFFFFFFu);
  }
  SkinUpdateLayered(popup, {.sourceDc = back.get()});
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  FadeStart({.window = popup,
             .width = 100,
             .height = 30,
             .lentPicture = picture.get(),
             .destDc = back.get(),
             .layered = true});
  const UINT_PTR timer = SkinEngine.lists.FadeList.at(0).Timer.get();
  KillTimer(nullptr, timer);  // the ticks come from here only
  FadeTimerProc(nullptr, WM_TIMER, timer, 0);
  const auto shown = [&] { return testsupport::CaptureWindow(popup).RgbAt(50, 15); };
  EXPECT_TRUE(PumpUntil([&] { return ColorNear(shown(), Blend(0, 0xFFFFFF, 50), 6); })) << std::hex << shown();
  for (int tick = 2; tick <= 9; ++tick) FadeTimerProc(nullptr, WM_TIMER, timer, 0);
  EXPECT_TRUE(SkinEngine.lists.FadeList.empty());
  EXPECT_TRUE(PumpUntil([&] { return ColorNear(shown(), 0xFFFFFF, 6); }));
  // Both DCs are still the caller's: registered and drawable.
  EXPECT_TRUE(SkinMemoryDcFree(picture.Release()));
  EXPECT_TRUE(SkinMemoryDcFree(back.Release()));
  DestroyWindow(popup);
}

TEST_F(FadeTest, AnyPaintOfAPushButtonEndsEveryRunningFade) {
  FadeStart({.window = target_, .width = 100, .height = 30, .picture = Picture(0xFFFFFF)});
  FadeStart({.window = form(), .width = 100, .height = 30, .picture = Picture(0xFFFFFF)});
  const UINT_PTR first = SkinEngine.lists.FadeList.at(0).Timer.get();
  ButtonSkinInstall(record(), form());
  ButtonSkinRedraw(FindButton(target_));
  EXPECT_TRUE(SkinEngine.lists.FadeList.empty());
  EXPECT_FALSE(KillTimer(nullptr, first));
}

TEST_F(FadeTest, AFadeWhoseButtonIsDestroyedMidwayEndsCleanly) {
  ButtonSkinInstall(record(), form());
  const Held held;
  SendMessageW(target_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  const UINT_PTR timer = SkinEngine.lists.FadeList.at(0).Timer.get();
  FadeTimerProc(nullptr, WM_TIMER, timer, 0);
  DestroyWindow(target_);
  EXPECT_TRUE(SkinEngine.lists.FadeList.empty());
  EXPECT_FALSE(KillTimer(nullptr, timer));
  EXPECT_TRUE(held.Same());
  // A window that goes without the button procedure: the next tick ends it.
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, form(), nullptr, nullptr, nullptr);
  FadeStart({.window = plain, .width = 10, .height = 10, .picture = Picture(0xFFFFFF)});
  DestroyWindow(plain);
  FadeTimerProc(nullptr, WM_TIMER, SkinEngine.lists.FadeList.at(0).Timer.get(), 0);
  EXPECT_TRUE(SkinEngine.lists.FadeList.empty());
}

}  // namespace
