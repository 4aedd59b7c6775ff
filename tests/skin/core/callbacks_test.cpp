#include "skin/core/callbacks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace korvath::skin;

int g_calls = 0;

int32_t CALLBACK None() { ++g_calls; return 42; }
int32_t CALLBACK One(int32_t a) { ++g_calls; return a * 2; }
int32_t CALLBACK Two(int32_t a, int32_t b) { ++g_calls; return a * 10 + b; }
int32_t CALLBACK Three(int32_t a, int32_t b, int32_t c) { ++g_calls; return a * 100 + b * 10 + c; }
int32_t CALLBACK Four(int32_t a, int32_t b, int32_t c, int32_t d) {
  ++g_calls;
  return a * 1000 + b * 100 + c * 10 + d;
}
int32_t __cdecl CdeclThree(int32_t a, int32_t b, int32_t c) { ++g_calls; return a - b - c; }
int32_t __cdecl CdeclFour(int32_t a, int32_t b, int32_t c, int32_t d) { ++g_calls; return a * b * c * d; }

TEST(CallFunctionPointer, PassesArgumentsInListOrderAndReturnsTheResult) {
  g_calls = 0;
  EXPECT_EQ(CallFunctionPointer(None, {}), 42);
  EXPECT_EQ(CallFunctionPointer(One, {21}), 42);
  EXPECT_EQ(CallFunctionPointer(Two, {4, 2}), 42);
  EXPECT_EQ(CallFunctionPointer(Three, {1, 2, 3}), 123);
  EXPECT_EQ(CallFunctionPointer(Four, {4, 3, 2, 1}), 4321);
  EXPECT_EQ(CallFunctionPointer(Four, {-1, 0, 0, 0}), -1000);
  EXPECT_EQ(g_calls, 6);
}

TEST(CallFunctionPointer, CallsRoutinesThatLeaveTheirArgumentsToTheCaller) {
  g_calls = 0;
  EXPECT_EQ(CallFunctionPointer(CdeclThree, {10, 3, 2}, true), 5);
  EXPECT_EQ(CallFunctionPointer(CdeclFour, {1, 2, 3, 4}), 24);
  // A mismatch between the routine and the caller's claim would unbalance
  // the stack: nothing is called.
  EXPECT_EQ(CallFunctionPointer(CdeclThree, {10, 3, 2}, false), 0);
  EXPECT_EQ(CallFunctionPointer(Three, {1, 2, 3}, true), 0);
  EXPECT_EQ(CallFunctionPointer(Three, {1, 2, 3}, false), 123);
  EXPECT_EQ(g_calls, 3);
}

TEST(CallFunctionPointer, ManyCallsOfBothKindsKeepTheStackBalanced) {
  // An unbalanced call would drift the stack by its argument bytes each time
  // and crash or corrupt the locals long before the loop ends.
  volatile int32_t guard = 0x5A5A5A5A;
  int64_t sum = 0;
  for (int i = 0; i < 200000; ++i) {
    sum += CallFunctionPointer(Four, {1, 1, 1, 1});
    sum += CallFunctionPointer(CdeclFour, {1, 1, 1, 1});
  }
  EXPECT_EQ(sum, 200000LL * (1111 + 1));
  EXPECT_EQ(guard, 0x5A5A5A5A);
}

TEST(CallFunctionPointer, RefusesWhatCannotBeCalledSafely) {
  g_calls = 0;
  EXPECT_EQ(CallFunctionPointer(SkinRoutine(), {1, 2}), 0);
  EXPECT_EQ(CallFunctionPointer(Three, {1, 2}), 0);  // too few arguments
  EXPECT_EQ(g_calls, 0);
  // More arguments than the routine takes: the rest are not passed.
  EXPECT_EQ(CallFunctionPointer(One, {5, 99, 98}), 10);
  EXPECT_EQ(g_calls, 1);
}

TEST(CallFunctionPointer, RoutinesKnowTheirShape) {
  SkinRoutine empty;
  EXPECT_FALSE(empty);
  EXPECT_EQ(empty.Address(), 0);
  SkinRoutine two(Two);
  EXPECT_TRUE(two);
  EXPECT_EQ(two.argumentCount(), 2);
  EXPECT_FALSE(two.callerCleans());
  EXPECT_NE(two.Address(), 0);
  EXPECT_EQ(two, SkinRoutine(Two));
  EXPECT_FALSE(two == SkinRoutine(One));
  SkinRoutine cdecl3(CdeclThree);
  EXPECT_TRUE(cdecl3.callerCleans());
  EXPECT_EQ(cdecl3.argumentCount(), 3);
}

struct RecordingTarget : SkinCallbackTarget {
  std::vector<std::vector<int32_t>> calls;
  int32_t result = 0;
  int32_t SkinCallback(int32_t a, int32_t b, int32_t c) override {
    calls.push_back({a, b, c});
    return result;
  }
};

TEST(SkinInvokeCallback, CallsOnlySlotsThatExistAndHoldAnObject) {
  RecordingTarget first;
  RecordingTarget second;
  first.result = 11;
  second.result = (20 << 16) | 30;
  SkinCallbackList = {SkinCallbackEntry{nullptr, &first, false},
                      SkinCallbackEntry{nullptr, &second, false},
                      SkinCallbackEntry{nullptr, nullptr, true}};
  EXPECT_EQ(SkinInvokeCallback(0, 1, 1, 0), 0);
  EXPECT_EQ(SkinInvokeCallback(-1, 1, 1, 0), 0);
  EXPECT_EQ(SkinInvokeCallback(4, 1, 1, 0), 0);
  EXPECT_EQ(SkinInvokeCallback(3, 1, 1, 0), 0);  // freed slot
  EXPECT_TRUE(first.calls.empty());
  EXPECT_TRUE(second.calls.empty());

  EXPECT_EQ(SkinInvokeCallback(1, 1, 1, 0), 11);
  EXPECT_EQ(SkinInvokeCallback(2, 5, 0, 0), (20 << 16) | 30);
  ASSERT_EQ(first.calls.size(), 1u);
  EXPECT_EQ(first.calls[0], (std::vector<int32_t>{1, 1, 0}));
  ASSERT_EQ(second.calls.size(), 1u);
  EXPECT_EQ(second.calls[0], (std::vector<int32_t>{5, 0, 0}));
  SkinCallbackList.clear();
}

}  // namespace
