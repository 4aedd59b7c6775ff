// The tooltip control's wrapper: the text it carries, the control gone with
// its owner window or with the object, never left behind, and never owned by
// two objects; the colours and width it is given, before and after it is made.
#include "platform/tooltip.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "platform/gdi_object.h"
#include "tests/support/win_test_support.h"

namespace {

using korvath::platform::LiveGdiObjectCount;
using korvath::platform::ToolTip;
using testsupport::TestWindow;

// The text a control holds for tool `id` of `owner`.
std::wstring TextOf(HWND tip, HWND owner, int32_t id) {
  wchar_t text[80] = {};
  TTTOOLINFOW tool{TTTOOLINFOW_V1_SIZE, 0, owner, UINT_PTR(id)};
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, std::size(text), LPARAM(&tool));
  return text;
}

// The tooltip control is owned by its form and goes with it or with the
// object, never left behind; the live GDI objects are as they were.
TEST(ToolTipTest, TooltipsCarryTheirTextAndGoWithTheirFormOrObject) {
  const long start = LiveGdiObjectCount();
  {
    HWND tip = nullptr;
    ToolTip outlives;
    {
      TestWindow form(300, 200, L"form");
      tip = outlives.Create(form.hwnd());
      EXPECT_EQ(GetWindow(tip, GW_OWNER), form.hwnd());
      outlives.AddTool(RECT{10, 2, 50, 20}, "\xB9\xD8\xB1\xD5", 1);  // "关闭" in GBK
      EXPECT_EQ(TextOf(tip, form.hwnd(), 1), L"\u5173\u95ED");
    }
    EXPECT_FALSE(IsWindow(tip));
    TestWindow form(100, 80, L"form");
    {
      ToolTip scoped;
      tip = scoped.Create(form.hwnd());
      scoped.Create(form.hwnd());  // a second Create replaces the first control
      EXPECT_FALSE(IsWindow(tip));
      tip = scoped.GetHandle();
    }
    EXPECT_FALSE(IsWindow(tip));
  }
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

// The tools a control holds (none without one).
int32_t ToolsOf(HWND tip) { return tip ? int32_t(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)) : 0; }

// The text an owner gives its callback tools when the control asks for it.
constexpr wchar_t kOwnersText[] = L"\u8BF4\u660E";  // "说明"
LRESULT CALLBACK GiveToolText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
    reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<LPWSTR>(kOwnersText);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A tool given to a prepared control before it is made goes into the control
// with the text it was given last: a callback tool asks its owner for the
// text, until a text is given to it; a text given to a tool replaces the one
// it was added with.
TEST(ToolTipTest, AToolGivenBeforeTheControlIsMadeHoldsTheTextItWasGivenLast) {
  static constexpr RECT kArea{10, 2, 50, 20};
  const struct {
    const char* tool;
    void (*give)(ToolTip& tip);
    const wchar_t* text;
  } rows[] = {
      {"a callback", [](ToolTip& tip) { tip.AddToolCallback(kArea, 1); }, kOwnersText},
      {"a callback given a text",
       [](ToolTip& tip) {
         tip.AddToolCallback(kArea, 1);
         tip.UpdateText(1, "\xB9\xD8\xB1\xD5");  // "关闭" in GBK
       },
       L"\u5173\u95ED"},
      {"a text given anew",
       [](ToolTip& tip) {
         tip.AddTool(kArea, "a", 1);
         tip.UpdateText(1, "\xB9\xD8\xB1\xD5");
       },
       L"\u5173\u95ED"},
  };
  TestWindow form(300, 200, L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, &GiveToolText);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tool);
    ToolTip tip;
    tip.Prepare(form.hwnd());
    row.give(tip);
    const HWND made = tip.Realize();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(ToolsOf(made), 1);
    EXPECT_EQ(TextOf(made, form.hwnd(), 1), row.text);
  }
}

// A control moved to another object, by construction or by assignment, is the
// other object's alone: the object it left holds none, its calls touch the
// moved control nowhere (its tools, its colour), and letting it go leaves the
// control working for its new owner, which destroys it when it goes; one
// prepared but not yet made moves alike, and the object it left makes none.
TEST(ToolTipTest, AControlMovedToAnotherObjectIsThatObjectsAlone) {
  TestWindow form(300, 200, L"form");
  constexpr COLORREF kBack = RGB(0x10, 0x20, 0x30), kOther = RGB(0x40, 0x50, 0x60);
  for (const bool prepared : {false, true}) {
    for (const bool assigned : {false, true}) {
      SCOPED_TRACE(std::string(prepared ? "prepared, " : "made, ") + (assigned ? "assigned" : "constructed"));
      std::optional<ToolTip> left(std::in_place);
      if (prepared) {
        left->Prepare(form.hwnd());
      } else {
        ASSERT_NE(left->Create(form.hwnd()), nullptr);
      }
      left->AddTool(RECT{10, 2, 50, 20}, "a", 1);
      left->SetBackColor(kBack);
      std::optional<ToolTip> taker;
      if (assigned) {
        taker.emplace();
        HWND before = taker->Create(form.hwnd());  // replaced by the one moved in
        *taker = std::move(*left);
        EXPECT_FALSE(IsWindow(before));
      } else {
        taker.emplace(std::move(*left));
      }
      EXPECT_FALSE(left->Prepared());
      EXPECT_EQ(left->GetToolCount(), 0);
      EXPECT_EQ(left->GetHandle(), nullptr);
      left->AddTool(RECT{60, 2, 90, 20}, "b", 2);
      left->AddToolCallback(RECT{100, 2, 120, 20}, 3);
      left->DeleteTool(1);
      left->SetBackColor(kOther);
      left->RelayEvent(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
      EXPECT_EQ(left->GetToolCount(), 0);
      EXPECT_EQ(left->GetHandle(), nullptr);
      left.reset();  // let go

      EXPECT_EQ(taker->Prepared(), prepared);
      const HWND tip = taker->GetHandle();
      ASSERT_TRUE(IsWindow(tip));
      EXPECT_EQ(GetWindow(tip, GW_OWNER), form.hwnd());
      EXPECT_EQ(ToolsOf(tip), 1);
      EXPECT_EQ(COLORREF(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)), kBack);
      taker->AddTool(RECT{60, 2, 90, 20}, "b", 2);
      EXPECT_EQ(ToolsOf(tip), 2);
      EXPECT_EQ(taker->GetToolCount(), 2);
      taker.reset();
      EXPECT_FALSE(IsWindow(tip));
    }
  }
}

// One setting of the control: what sets it on the object, and the message
// that reads it from the control.
struct TipSetting {
  const char* name;
  void (*set)(ToolTip& tip, LPARAM value);
  UINT get;
};
const TipSetting kTipSettings[] = {
    {"back colour", [](ToolTip& tip, LPARAM value) { tip.SetBackColor(COLORREF(value)); }, TTM_GETTIPBKCOLOR},
    {"text colour", [](ToolTip& tip, LPARAM value) { tip.SetTextColor(COLORREF(value)); }, TTM_GETTIPTEXTCOLOR},
    {"width", [](ToolTip& tip, LPARAM value) { tip.SetMaxWidth(int32_t(value)); }, TTM_GETMAXTIPWIDTH},
};

// The colours and the width given to a prepared control before it is made
// are each kept for its own setting and set on it when it is made, every
// value told apart from the others; given after, each goes to its own
// setting at once. One made without a width given wraps at 600 pixels.
TEST(ToolTipTest, ColoursAndWidthGivenBeforeAndAfterTheControlIsMadeSetEachItsOwnSetting) {
  TestWindow form(300, 200, L"form");
  {
    ToolTip plain;
    plain.Prepare(form.hwnd());
    EXPECT_EQ(SendMessageW(plain.Realize(), TTM_GETMAXTIPWIDTH, 0, 0), 600);
  }
  // Values that no two settings share, nor the control's own defaults.
  constexpr LPARAM kBefore[] = {RGB(0x11, 0x22, 0x33), RGB(0x44, 0x55, 0x66), 321};
  constexpr LPARAM kAfter[] = {RGB(0x77, 0x88, 0x99), RGB(0xAA, 0xBB, 0xCC), 456};
  ToolTip tip;
  tip.Prepare(form.hwnd());
  for (size_t i = 0; i < std::size(kTipSettings); ++i) kTipSettings[i].set(tip, kBefore[i]);
  const HWND made = tip.Realize();
  ASSERT_NE(made, nullptr);
  for (size_t i = 0; i < std::size(kTipSettings); ++i) {
    SCOPED_TRACE(kTipSettings[i].name);
    EXPECT_EQ(SendMessageW(made, kTipSettings[i].get, 0, 0), kBefore[i]);
  }
  for (size_t i = 0; i < std::size(kTipSettings); ++i) kTipSettings[i].set(tip, kAfter[i]);
  for (size_t i = 0; i < std::size(kTipSettings); ++i) {
    SCOPED_TRACE(kTipSettings[i].name);
    EXPECT_EQ(SendMessageW(made, kTipSettings[i].get, 0, 0), kAfter[i]);
  }
}

// A control prepared anew for another window starts as one prepared afresh:
// the tools, colours and width kept for the window before, or given to its
// control once made, go with it, and the new control holds none of them.
TEST(ToolTipTest, AControlPreparedAnewForAnotherWindowKeepsNothingOfTheOneBefore) {
  TestWindow first(300, 200, L"first"), second(300, 200, L"second");
  constexpr LPARAM kGiven[] = {RGB(0x12, 0x34, 0x56), RGB(0x65, 0x43, 0x21), 234};
  ToolTip fresh;
  fresh.Prepare(second.hwnd());
  const HWND freshTip = fresh.Realize();
  ASSERT_NE(freshTip, nullptr);
  for (const bool made : {false, true}) {
    SCOPED_TRACE(made ? "made" : "prepared");
    ToolTip tip;
    tip.Prepare(first.hwnd());
    tip.AddTool(RECT{10, 2, 50, 20}, "a", 1);
    tip.AddToolCallback(RECT{60, 2, 90, 20}, 2);
    for (size_t i = 0; i < std::size(kTipSettings); ++i) kTipSettings[i].set(tip, kGiven[i]);
    const HWND before = made ? tip.Realize() : nullptr;
    tip.Prepare(second.hwnd());
    EXPECT_TRUE(tip.Prepared());
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(tip.GetToolCount(), 0);
    EXPECT_FALSE(tip.KeptToolAt(POINT{20, 10}));
    const HWND again = tip.Realize();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(GetWindow(again, GW_OWNER), second.hwnd());
    EXPECT_EQ(ToolsOf(again), 0);
    for (const TipSetting& setting : kTipSettings) {
      SCOPED_TRACE(setting.name);
      EXPECT_EQ(SendMessageW(again, setting.get, 0, 0), SendMessageW(freshTip, setting.get, 0, 0));
    }
  }
}

}  // namespace
