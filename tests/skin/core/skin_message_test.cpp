// A message as a skin procedure reads it: the typed views of its parameters,
// the hand-over to the procedure behind the skin, a procedure put in by
// hand behind the skin's own, and the procedure's edge, where what the skin
// throws ends, as at the edge of every other callback.
#include "skin/core/skin_message.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/message_params.h"
#include "platform/window_procedure.h"
#include "skin/core/error_policy.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using testsupport::TestWindow;

SkinMessage Message(UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessage{nullptr, message, wParam, lParam};
}

// Each half of a packed point is signed: a mouse captured left of or above
// the window reports negative coordinates.
TEST(SkinMessageTest, PointsKeepTheirSignInEachHalf) {
  const POINT left = SkinPointOf(MAKELPARAM(-1, -2));
  EXPECT_EQ(left.x, -1);
  EXPECT_EQ(left.y, -2);
  const POINT edge = SkinPointOf(MAKELPARAM(32767, -32768));
  EXPECT_EQ(edge.x, 32767);
  EXPECT_EQ(edge.y, -32768);
  const POINT plain = Message(WM_MOUSEMOVE, 0, MAKELPARAM(120, 7)).point();
  EXPECT_EQ(plain.x, 120);
  EXPECT_EQ(plain.y, 7);
}

// Every view gives back what the sender put in the parameter it names.
TEST(SkinMessageTest, EachViewReadsItsParameterAsItsType) {
  TestWindow window(100, 80, L"message");
  const HDC dc = GetDC(window.hwnd());
  EXPECT_EQ(Message(WM_ERASEBKGND, WPARAM(platform::ToParam(dc)), 0).dc(), dc);
  const SkinMessage colour = Message(WM_CTLCOLOREDIT, WPARAM(platform::ToParam(dc)), platform::ToParam(window.hwnd()));
  EXPECT_EQ(colour.dc(), dc);
  EXPECT_EQ(colour.control(), window.hwnd());
  ReleaseDC(window.hwnd(), dc);

  const SkinMessage command = Message(WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
  EXPECT_EQ(command.commandId(), 1001u);
  EXPECT_EQ(command.notification(), UINT(BN_CLICKED));

  DRAWITEMSTRUCT item{};
  item.hwndItem = platform::FromParam<HWND>(0x1234);
  EXPECT_EQ(Message(WM_DRAWITEM, 0, platform::ToParam(&item)).drawItem(), &item);
  EXPECT_EQ(Message(WM_DRAWITEM, 0, 0).drawItem(), nullptr);
  EXPECT_EQ(SkinMenuOfItem(item), platform::FromParam<HMENU>(0x1234));
  MEASUREITEMSTRUCT measure{};
  EXPECT_EQ(Message(WM_MEASUREITEM, 0, platform::ToParam(&measure)).measureItem(), &measure);
  WINDOWPOS position{};
  EXPECT_EQ(Message(WM_WINDOWPOSCHANGING, 0, platform::ToParam(&position)).windowPos(), &position);
  MINMAXINFO limits{};
  EXPECT_EQ(Message(WM_GETMINMAXINFO, 0, platform::ToParam(&limits)).minMaxInfo(), &limits);
  const HMENU menu = CreatePopupMenu();
  EXPECT_EQ(Message(WM_INITMENUPOPUP, WPARAM(platform::ToParam(menu)), 0).menu(), menu);
  DestroyMenu(menu);
  const wchar_t wide[] = L"wide";
  const char ansi[] = "ansi";
  EXPECT_EQ(Message(WM_SETTEXT, 0, platform::ToParam(wide)).wideText(), wide);
  EXPECT_EQ(Message(WM_SETTEXT, 0, platform::ToParam(ansi)).ansiText(), ansi);
  EXPECT_EQ(Message(WM_TIMER, 77, 0).timer(), 77u);

  const HBRUSH brush = GetSysColorBrush(COLOR_WINDOW);
  EXPECT_EQ(platform::FromParam<HBRUSH>(SkinMessage::Answer(brush)), brush);
}

// A notification's header is copied out when its memory can be read, and
// not at all for a null or unreadable address.
TEST(SkinMessageTest, ANotificationIsCopiedOnlyFromMemoryThatCanBeRead) {
  NMHDR header{platform::FromParam<HWND>(0x42), 7, UINT(TCN_SELCHANGING)};
  const SkinMessage given = Message(WM_NOTIFY, 7, platform::ToParam(&header));
  EXPECT_EQ(given.notify(), &header);
  const std::optional<NMHDR> copy = given.notifyCopy();
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->hwndFrom, header.hwndFrom);
  EXPECT_EQ(copy->code, header.code);
  EXPECT_FALSE(Message(WM_NOTIFY, 7, 0).notifyCopy());
  EXPECT_FALSE(Message(WM_NOTIFY, 7, 16).notifyCopy());
}

std::vector<UINT> g_seen;
WNDPROC g_beforeTips = nullptr;

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 1) g_seen.push_back(1);
  return SkinForward(window, message, wParam, lParam);
}

// What a tooltip control does to its owner when it is made: it puts its own
// procedure in front of whatever stands there.
LRESULT CALLBACK TipsProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 1) g_seen.push_back(2);
  return CallWindowProcW(g_beforeTips, window, message, wParam, lParam);
}

void InsertTips(HWND window) { g_beforeTips = platform::SetWindowProcedure(window, &TipsProcedure); }

// Forwarding reaches the slot's saved procedure, or the default processing
// without a slot.
TEST(SkinMessageTest, ForwardingReachesTheSavedProcedureOrTheDefaultOne) {
  test::EngineGlobals engine;
  TestWindow window(100, 80, L"forward");
  InsertTips(window.hwnd());
  ASSERT_EQ(SkinSubclass(window.hwnd(), {.procedure = &OwnProcedure}), &TipsProcedure);
  g_seen.clear();
  const SkinMessage m{window.hwnd(), WM_USER + 1, 0, 0};
  m.Forward();
  EXPECT_EQ(g_seen, std::vector<UINT>{2});
  const SkinMessage plain{window.hwnd(), WM_GETTEXTLENGTH, 0, 0, nullptr};
  EXPECT_EQ(plain.Forward(), LRESULT(wcslen(L"forward")));
  SkinUnsubclass(window.hwnd());
}

// Behind the skin below: counts what reaches it and answers each message
// with its own number.
std::vector<UINT> g_behind;
LRESULT CALLBACK Behind(HWND, UINT message, WPARAM, LPARAM) {
  g_behind.push_back(message);
  return LRESULT(message);
}

// A skin whose part runs out of memory: before it hands the message on
// (WM_USER + 1), after it did (WM_USER + 2), or not at all (WM_USER + 3);
// or throws something else: a length past a string's limit before the hand-on
// (WM_USER + 4), any other error after it (WM_USER + 5).
constexpr UINT kFailsBefore = WM_USER + 1, kFailsAfter = WM_USER + 2, kFinishes = WM_USER + 3;
constexpr UINT kTooLongBefore = WM_USER + 4, kOtherAfter = WM_USER + 5;
LRESULT FailingPart(const SkinMessage& m) {
  if (m.message == kFailsBefore) throw std::bad_alloc();
  if (m.message == kTooLongBefore) throw std::length_error("too long");
  if (m.message == kFinishes) return 7;
  m.Forward();
  if (m.message == kFailsAfter) throw std::bad_alloc();
  if (m.message == kOtherAfter) throw std::runtime_error("other");
  return 0;
}
LRESULT CALLBACK FailingSkin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &FailingPart);
}

// What a skin's part throws ends at its procedure's edge: a message it had
// not handed on yet reaches the procedure behind as if no skin stood there,
// one it had handed on does not reach it a second time and keeps its answer;
// a part that finishes answers itself.
TEST(SkinMessageTest, WhatASkinThrowsEndsAtItsProcedureAndTheMessageGoesOnOnce) {
  test::EngineGlobals engine;
  TestWindow window(100, 80, L"edge");
  platform::SetWindowProcedure(window.hwnd(), &Behind);
  ASSERT_EQ(SkinSubclass(window.hwnd(), {.procedure = &FailingSkin}), &Behind);
  g_behind.clear();
  EXPECT_EQ(SendMessageW(window.hwnd(), kFailsBefore, 0, 0), LRESULT(kFailsBefore));
  EXPECT_EQ(SendMessageW(window.hwnd(), kFailsAfter, 0, 0), LRESULT(kFailsAfter));
  EXPECT_EQ(SendMessageW(window.hwnd(), kFinishes, 0, 0), 7);
  EXPECT_EQ(SendMessageW(window.hwnd(), kTooLongBefore, 0, 0), LRESULT(kTooLongBefore));
  EXPECT_EQ(SendMessageW(window.hwnd(), kOtherAfter, 0, 0), LRESULT(kOtherAfter));
  EXPECT_EQ(g_behind, (std::vector<UINT>{kFailsBefore, kFailsAfter, kTooLongBefore, kOtherAfter}));
  SkinUnsubclass(window.hwnd());
  platform::SetWindowProcedure(window.hwnd(), &DefWindowProcW);
}

// What work at a callback's edge may throw: memory that runs out, a length
// past a container's limit, a thread that cannot start, any other error, and
// what is no error at all.
struct Throw {
  const char* what;
  void (*raise)();
};
const Throw kThrows[] = {
    {"bad_alloc", [] { throw std::bad_alloc(); }},
    {"length_error", [] { throw std::length_error("too long"); }},
    {"system_error", [] { throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)); }},
    {"runtime_error", [] { throw std::runtime_error("other"); }},
    {"int", [] { throw 7; }},
};

// One enumeration of a window's children, with its callback's work at the
// edge: each child is counted, and the first one's work throws.
struct Walk {
  const Throw* thrown;
  int visited = 0;
};
BOOL CALLBACK AnsweringChild(HWND, LPARAM param) {
  Walk& walk = *platform::FromParam<Walk*>(param);
  return SkinAtCallbackEdge(FALSE, [&walk] {
    if (++walk.visited == 1) walk.thrown->raise();
    return TRUE;
  });
}
BOOL CALLBACK SilentChild(HWND, LPARAM param) {
  Walk& walk = *platform::FromParam<Walk*>(param);
  SkinAtCallbackEdge([&walk] {
    if (++walk.visited == 1) walk.thrown->raise();
  });
  return TRUE;
}

// Whatever the work at a callback's edge throws ends there, inside the
// system's call of it, and the program goes on: a callback with an answer
// gives its fallback (the enumeration stops at the first child), one without
// lets the system go on (every child is visited).
TEST(SkinMessageTest, WhateverACallbacksWorkThrowsEndsAtItsEdge) {
  TestWindow window(100, 80, L"callbacks");
  for (int i = 0; i < 3; ++i) {
    CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 10, 10, window.hwnd(), nullptr, nullptr, nullptr);
  }
  for (const Throw& thrown : kThrows) {
    SCOPED_TRACE(thrown.what);
    Walk answering{&thrown};
    EnumChildWindows(window.hwnd(), &AnsweringChild, platform::ToParam(&answering));
    EXPECT_EQ(answering.visited, 1);
    Walk silent{&thrown};
    EnumChildWindows(window.hwnd(), &SilentChild, platform::ToParam(&silent));
    EXPECT_EQ(silent.visited, 3);
  }
}

}  // namespace
}  // namespace korvath::skin
