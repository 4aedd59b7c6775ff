#include "skin/core/callbacks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace korvath::skin;

int g_calls = 0;

int32_t CALLBACK One(int32_t a) { return ++g_calls, a * 2; }
int32_t CALLBACK Three(int32_t a, int32_t b, int32_t c) { return ++g_calls, a * 100 + b * 10 + c; }
int32_t CALLBACK Four(int32_t a, int32_t b, int32_t c, int32_t d) {
  return ++g_calls, a * 1000 + b * 100 + c * 10 + d;
}
int32_t __cdecl CdeclThree(int32_t a, int32_t b, int32_t c) { return ++g_calls, a - b - c; }
int32_t __cdecl CdeclFour(int32_t a, int32_t b, int32_t c, int32_t d) { return ++g_calls, a * b * c * d; }

TEST(CallFunctionPointer, PassesArgumentsInOrderAndRefusesWhatCannotBeCalledSafely) {
  g_calls = 0;
  EXPECT_EQ(CallFunctionPointer(One, {21}), 42);
  EXPECT_EQ(CallFunctionPointer(Four, {4, 3, 2, 1}), 4321);
  EXPECT_EQ(CallFunctionPointer(CdeclThree, {10, 3, 2}, true), 5);
  EXPECT_EQ(CallFunctionPointer(One, {5, 99, 98}), 10);  // the rest are not passed
  EXPECT_EQ(g_calls, 4);
  // A mismatch between the routine and the caller's claim would unbalance
  // the stack; a missing routine or argument cannot be called: nothing is.
  EXPECT_EQ(CallFunctionPointer(CdeclThree, {10, 3, 2}, false), 0);
  EXPECT_EQ(CallFunctionPointer(Three, {1, 2, 3}, true), 0);
  EXPECT_EQ(CallFunctionPointer(SkinRoutine(), {1, 2}), 0);
  EXPECT_EQ(CallFunctionPointer(Three, {1, 2}), 0);
  EXPECT_EQ(g_calls, 4);
  SkinRoutine cdecl3(CdeclThree);
  EXPECT_TRUE(cdecl3.callerCleans());
  EXPECT_EQ(cdecl3.argumentCount(), 3);
  EXPECT_FALSE(SkinRoutine(Three).callerCleans());
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
  SkinCallbackList = {SkinCallbackEntry{nullptr, &first, false}, SkinCallbackEntry{nullptr, &second, false},
                      SkinCallbackEntry{nullptr, nullptr, true}};
  for (int32_t slot : {0, -1, 4, 3}) EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 0) << slot;
  EXPECT_TRUE(first.calls.empty());
  EXPECT_TRUE(second.calls.empty());
  EXPECT_EQ(SkinInvokeCallback(2, 5, 0, 0), (20 << 16) | 30);
  ASSERT_EQ(second.calls.size(), 1u);
  EXPECT_EQ(second.calls[0], (std::vector<int32_t>{5, 0, 0}));
  EXPECT_TRUE(first.calls.empty());
  SkinCallbackList.clear();
}

}  // namespace
