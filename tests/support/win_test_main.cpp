// The main of every Windows test program that draws or opens windows: COM for
// the shell dialogs and COM objects, the common controls, and GDI+ started once
// for the whole run, as the program itself does at start-up. Started again as a
// holder of a file (FileHeldByOtherProcess), it only holds that file.
#include <gtest/gtest.h>

#include "tests/support/win_test_support.h"

int main(int argc, char** argv) {
  if (testsupport::RunAsFileHolderIfAsked()) return 0;
  testing::InitGoogleTest(&argc, argv);
  const testsupport::ProgramRuntime runtime;
  return RUN_ALL_TESTS();
}
