// The main of every Windows test program that draws or opens windows: COM for
// the shell dialogs and COM objects, the common controls, and GDI+ started once
// for the whole run, as the program itself does at start-up.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

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

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  SetUnhandledExceptionFilter(&EndOnCrash);
  const testsupport::ProgramRuntime runtime;
  return RUN_ALL_TESTS();
}
