// The main of every Windows test program that draws or opens windows: COM for
// the shell dialogs and COM objects, the common controls, and GDI+ started once
// for the whole run, as the program itself does at start-up.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <objbase.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  int result = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(token);
  OleUninitialize();
  return result;
}
