// The window subclass chain on real windows: the newest entry first, each
// handing on to the next, entries taken off (also from inside their own call),
// messages sent from inside an entry, the window's end, a procedure put in
// the window's slot by somebody else above the chain, and memory that runs
// out while a chain is made.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "platform/window_subclass.h"
#include "tests/support/failing_allocation.h"

using namespace korvath::platform;

namespace {

constexpr UINT kAsk = WM_APP + 1;      // every procedure logs it and adds to the answer
constexpr UINT kInner = WM_APP + 2;    // logged, answered the same way
constexpr UINT kResend = WM_APP + 3;   // entry B sends kInner to its own window first
constexpr UINT kTwice = WM_APP + 4;    // entry B hands it on twice
constexpr UINT kLeave = WM_APP + 5;    // entry A takes both its ids off, then hands it on

std::vector<std::string> g_log;

void Log(const char* who, UINT message) {
  const char* what = message == kAsk ? "ask" : message == kInner ? "inner" : message == kResend ? "resend"
                   : message == kTwice ? "twice" : message == kLeave ? "leave"
                   : message == WM_NCDESTROY ? "end" : nullptr;
  if (what) g_log.push_back(std::string(who) + ":" + what);
}

LRESULT CALLBACK OriginalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Log("original", message);
  if (message >= kAsk && message <= kLeave) return 1000;
  return DefWindowProcW(window, message, wParam, lParam);
}

// A adds 1 to the answer below it (plus its data), B adds 10.
LRESULT CALLBACK EntryA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  Log("A", message);
  if (message == kLeave) {
    RemoveSubclass(window, EntryA, 1);
    RemoveSubclass(window, EntryA, 2);
  }
  const LRESULT below = CallNextSubclass(window, message, wParam, lParam);
  return message >= kAsk && message <= kLeave ? below + 1 + LRESULT(data) : below;
}

LRESULT CALLBACK EntryB(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  Log("B", message);
  if (message == kResend) SendMessageW(window, kInner, 0, 0);
  if (message == kTwice) CallNextSubclass(window, message, wParam, lParam);
  const LRESULT below = CallNextSubclass(window, message, wParam, lParam);
  return message >= kAsk && message <= kLeave ? below + 10 : below;
}

WNDPROC g_laterPrevious = nullptr;
WNDPROC g_slotAfterEnd = nullptr;

// Somebody else's subclass, through the window's procedure slot. At the
// window's end it notes what the slot holds once the procedures below it
// are done.
LRESULT CALLBACK LaterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Log("later", message);
  const LRESULT result = CallWindowProcW(g_laterPrevious, window, message, wParam, lParam);
  if (message == WM_NCDESTROY)
    g_slotAfterEnd = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  return result;
}

class WindowSubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log.clear();
    static const ATOM registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &OriginalProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"KorvathSubclassTest";
      return RegisterClassW(&wc);
    }();
    ASSERT_NE(registered, 0);
    window_ = CreateWindowExW(0, L"KorvathSubclassTest", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    g_log.clear();
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  LRESULT Send(UINT message) {
    g_log.clear();
    return SendMessageW(window_, message, 0, 0);
  }
  WNDPROC Slot() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)); }

  HWND window_ = nullptr;
};

using Log_ = std::vector<std::string>;

// Memory that runs out at any allocation of a window's first entry, each in
// turn, leaves no chain behind: the window keeps its own procedure and
// answers as before, no entry is found, and the next entry is taken.
TEST_F(WindowSubclassTest, MemoryThatRunsOutWhileAChainIsMadeLeavesNoneBehind) {
  // The thread's table of chains is made at its first use, outside the
  // loop: making it registers its end, which takes a failed allocation
  // quietly.
  ASSERT_FALSE(GetSubclass(window_, EntryA, 1));
  int nth = 1;
  for (;; ++nth) {
    ASSERT_LT(nth, 100);
    bool failed = false;
    try {
      const testsupport::FailingAllocation failing(nth);
      SetSubclass(window_, EntryA, 1, 0);
      failed = failing.Failed();
    } catch (const std::bad_alloc&) {
      failed = true;
    }
    if (!failed) break;
    EXPECT_EQ(Slot(), &OriginalProc) << nth;
    EXPECT_FALSE(GetSubclass(window_, EntryA, 1)) << nth;
    EXPECT_EQ(Send(kAsk), 1000) << nth;
    EXPECT_EQ(g_log, (Log_{"original:ask"})) << nth;
  }
  EXPECT_GT(nth, 1);
  EXPECT_TRUE(GetSubclass(window_, EntryA, 1));
  EXPECT_EQ(Send(kAsk), 1001);
}

TEST_F(WindowSubclassTest, NewestEntryFirstEachHandingOnToTheNext) {
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  EXPECT_EQ(Send(kAsk), 1011);
  EXPECT_EQ(g_log, (Log_{"B:ask", "A:ask", "original:ask"}));

  // The same procedure and id again: new data, same place.
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 100));
  EXPECT_EQ(Send(kAsk), 1111);
  EXPECT_EQ(g_log, (Log_{"B:ask", "A:ask", "original:ask"}));
  DWORD_PTR data = 0;
  EXPECT_TRUE(GetSubclass(window_, EntryA, 1, &data));
  EXPECT_EQ(data, 100u);
  EXPECT_FALSE(GetSubclass(window_, EntryA, 2));

  // Another id of the same procedure is an entry of its own, the newest.
  ASSERT_TRUE(SetSubclass(window_, EntryA, 2, 0));
  EXPECT_EQ(Send(kAsk), 1112);
  EXPECT_EQ(g_log, (Log_{"A:ask", "B:ask", "A:ask", "original:ask"}));
}

TEST_F(WindowSubclassTest, HandingOnTwiceReachesTheSameNextEntryBothTimes) {
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  EXPECT_EQ(Send(kTwice), 1011);
  EXPECT_EQ(g_log, (Log_{"B:twice", "A:twice", "original:twice", "A:twice", "original:twice"}));
}

TEST_F(WindowSubclassTest, RemovedEntriesAreSkippedAndTheLastGivesTheOriginalBack) {
  const WNDPROC original = Slot();
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  EXPECT_NE(Slot(), original);

  EXPECT_TRUE(RemoveSubclass(window_, EntryA, 1));
  EXPECT_FALSE(RemoveSubclass(window_, EntryA, 1));
  EXPECT_FALSE(GetSubclass(window_, EntryA, 1));
  EXPECT_EQ(Send(kAsk), 1010);
  EXPECT_EQ(g_log, (Log_{"B:ask", "original:ask"}));

  EXPECT_TRUE(RemoveSubclass(window_, EntryB, 1));
  EXPECT_EQ(Slot(), original);
  EXPECT_EQ(Send(kAsk), 1000);
  EXPECT_EQ(g_log, (Log_{"original:ask"}));

  // And the chain starts afresh.
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  EXPECT_EQ(Send(kAsk), 1001);
  EXPECT_EQ(g_log, (Log_{"A:ask", "original:ask"}));
}

TEST_F(WindowSubclassTest, EntriesTakenOffDuringACallAreSkippedAndTheCallGoesOn) {
  const WNDPROC original = Slot();
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryA, 2, 0));
  // The newest A takes itself and the older A off, then hands on: past the
  // older A to B.
  EXPECT_EQ(Send(kLeave), 1011);
  EXPECT_EQ(g_log, (Log_{"A:leave", "B:leave", "original:leave"}));
  EXPECT_FALSE(GetSubclass(window_, EntryA, 1));
  EXPECT_FALSE(GetSubclass(window_, EntryA, 2));
  EXPECT_EQ(Send(kAsk), 1010);
  EXPECT_EQ(g_log, (Log_{"B:ask", "original:ask"}));
  EXPECT_TRUE(RemoveSubclass(window_, EntryB, 1));
  EXPECT_EQ(Slot(), original);
}

TEST_F(WindowSubclassTest, AMessageSentFromInsideAnEntryStartsAtTheNewestAgain) {
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  EXPECT_EQ(Send(kResend), 1011);
  EXPECT_EQ(g_log, (Log_{"B:resend", "B:inner", "A:inner", "original:inner", "A:resend", "original:resend"}));
}

TEST_F(WindowSubclassTest, TheWindowsEndReachesEveryEntryAndClearsTheChain) {
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  g_log.clear();
  ASSERT_TRUE(DestroyWindow(window_));
  EXPECT_EQ(g_log, (Log_{"B:end", "A:end", "original:end"}));
  EXPECT_FALSE(GetSubclass(window_, EntryA, 1));
  EXPECT_FALSE(GetSubclass(window_, EntryB, 1));
  EXPECT_FALSE(RemoveSubclass(window_, EntryB, 1));
}

TEST_F(WindowSubclassTest, ASubclassPutAboveTheChainStaysWhenTheChainEmpties) {
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  const WNDPROC chain = Slot();
  g_laterPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
  ASSERT_EQ(g_laterPrevious, chain);
  EXPECT_EQ(Send(kAsk), 1001);
  EXPECT_EQ(g_log, (Log_{"later:ask", "A:ask", "original:ask"}));

  EXPECT_TRUE(RemoveSubclass(window_, EntryA, 1));
  EXPECT_EQ(Slot(), &LaterProc);
  EXPECT_EQ(Send(kAsk), 1000);
  EXPECT_EQ(g_log, (Log_{"later:ask", "original:ask"}));

  // A new entry joins the chain still under the later subclass.
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  EXPECT_EQ(Slot(), &LaterProc);
  EXPECT_EQ(Send(kAsk), 1010);
  EXPECT_EQ(g_log, (Log_{"later:ask", "B:ask", "original:ask"}));

  g_log.clear();
  ASSERT_TRUE(DestroyWindow(window_));
  EXPECT_EQ(g_log, (Log_{"later:end", "B:end", "original:end"}));
  EXPECT_FALSE(GetSubclass(window_, EntryB, 1));
}

// The window's end clears the chain, which then hands the slot back only
// where it still holds it: a subclass put above the chain keeps the slot
// through the end, for its own last message.
TEST_F(WindowSubclassTest, TheWindowsEndLeavesTheSlotToASubclassAboveTheChain) {
  ASSERT_TRUE(SetSubclass(window_, EntryA, 1, 0));
  ASSERT_TRUE(SetSubclass(window_, EntryB, 1, 0));
  g_laterPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
  g_slotAfterEnd = nullptr;
  g_log.clear();
  ASSERT_TRUE(DestroyWindow(window_));
  EXPECT_EQ(g_log, (Log_{"later:end", "B:end", "A:end", "original:end"}));
  EXPECT_EQ(g_slotAfterEnd, &LaterProc);
  EXPECT_FALSE(GetSubclass(window_, EntryA, 1));
  EXPECT_FALSE(GetSubclass(window_, EntryB, 1));
}

}  // namespace
