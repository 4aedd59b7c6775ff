// The main of every Windows test program that draws or opens windows: COM for
// the shell dialogs and COM objects, the common controls, and GDI+ started once
// for the whole run, as the program itself does at start-up. Started again as a
// holder of a file (FileHeldByOtherProcess), it only holds that file.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "tests/support/win_test_support.h"

namespace {

// A test that crashes ends its program at once, naming itself, instead of
// leaving Wine to start a debugger that waits until ctest's limit.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* crash) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::printf("\n[  FAILED  ] %s.%s crashed: exception 0x%08lx at %p\n", test ? test->test_suite_name() : "?",
              test ? test->name() : "?", crash->ExceptionRecord->ExceptionCode,
              crash->ExceptionRecord->ExceptionAddress);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

// A test that hangs (a modal box nobody answers, a wait that never ends) ends
// its program with its name well before ctest's limit would end it without
// one: no single test here takes more than a few seconds on an idle machine,
// nor ten times that on a busy one.
constexpr ULONGLONG kHangLimitMs = 100'000;

class HangWatch : public testing::EmptyTestEventListener {
 public:
  HangWatch() {
    std::thread([this] {
      for (;;) {
        Sleep(500);
        const ULONGLONG started = started_.load();
        if (started && GetTickCount64() - started > kHangLimitMs) {
          std::printf("\n[  FAILED  ] %s hung: still running after %llu s\n", name_, kHangLimitMs / 1000);
          std::fflush(stdout);
          TerminateProcess(GetCurrentProcess(), 4);
        }
      }
    }).detach();
  }

 private:
  void OnTestStart(const testing::TestInfo& test) override {
    std::snprintf(name_, sizeof name_, "%s.%s", test.test_suite_name(), test.name());
    started_ = GetTickCount64();
  }
  void OnTestEnd(const testing::TestInfo&) override { started_ = 0; }

  std::atomic<ULONGLONG> started_{0};
  char name_[512] = "";
};

}  // namespace

int main(int argc, char** argv) {
  if (testsupport::RunAsFileHolderIfAsked()) return 0;
  testing::InitGoogleTest(&argc, argv);
  SetUnhandledExceptionFilter(&EndOnCrash);
  testing::UnitTest::GetInstance()->listeners().Append(new HangWatch);
  const testsupport::ProgramRuntime runtime;
  return RUN_ALL_TESTS();
}
