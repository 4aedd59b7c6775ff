#pragma once
// A skin's window procedure meeting memory that runs out: messages sent to a
// skinned window while each allocation of their handling fails in turn
// (failing_allocation.h: the program lists failing_allocation.cpp among its
// sources), and what must hold after each: the message reaches the window's
// own procedure, behind the skin, once (one that the skin answers itself
// only when the skin's part failed), and the sender gets the answer that it
// gets with nothing failing.
//
// An allocation that fails during a message may be one of a message sent
// inside it (the erase and the reshaping inside a paint): that one ends at
// its own edge, and the outer message's part goes on. So a message the skin
// answers itself reaches the window's own procedure at most once when an
// allocation failed, and at least one of the failures must be its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <iterator>

#include "tests/support/failing_allocation.h"

namespace testsupport {

namespace detail {
inline int messagesReached[0x10000] = {};
}  // namespace detail

// A window's own procedure, put in before the skin is installed: it counts
// every message that reaches it (without allocating: it runs while
// allocations fail) and hands it to the procedure of the window's class.
inline LRESULT CALLBACK CountingOwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message < std::size(detail::messagesReached)) ++detail::messagesReached[message];
  const auto classProcedure = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
  return CallWindowProcW(classProcedure, window, message, wParam, lParam);
}

// How many times `message` has reached a window through CountingOwnProcedure.
inline int MessagesReachingOwnProcedure(UINT message) {
  return message < std::size(detail::messagesReached) ? detail::messagesReached[message] : 0;
}

struct FailingMessage {
  const char* name;
  std::function<LRESULT()> send;  // sends it, and gives back the sender's answer
  UINT message;                   // as the window's own procedure gets it
  LRESULT answer;                 // what the sender gets with nothing failing
  bool answeredBySkin = false;    // the skin answers it without handing it on
  // Run before each send, with nothing failing: puts back what the last
  // send left that would spare the next one an allocation.
  std::function<void()> prepare = [] {};
};

// Sends each message with each allocation of its handling failing in turn,
// checking the above after each send; each message must meet at least one
// allocation.
inline void SendWithEachAllocationFailing(std::initializer_list<FailingMessage> messages) {
  constexpr int kMost = 5000;
  for (const FailingMessage& m : messages) {
    SCOPED_TRACE(m.name);
    LRESULT answer = 0;
    int before = 0;
    int handedOnAfterAFailure = 0;
    m.prepare();
    const int failures = EachAllocationFailingInTurn(
        [&] {
          before = MessagesReachingOwnProcedure(m.message);
          answer = m.send();
        },
        [&](int nth, bool failed) {
          EXPECT_EQ(answer, m.answer) << "allocation " << nth;
          const int reached = MessagesReachingOwnProcedure(m.message) - before;
          if (!m.answeredBySkin) {
            EXPECT_EQ(reached, 1) << "allocation " << nth;
          } else if (!failed) {
            EXPECT_EQ(reached, 0) << "allocation " << nth;
          } else {
            EXPECT_LE(reached, 1) << "allocation " << nth;
            handedOnAfterAFailure += reached;
          }
          m.prepare();
        },
        kMost);
    EXPECT_GT(failures, 0) << "nothing was allocated";
    if (m.answeredBySkin) {
      EXPECT_GT(handedOnAfterAFailure, 0) << "no failure was the message's own";
    }
    EXPECT_LT(failures, kMost);
  }
}

}  // namespace testsupport
