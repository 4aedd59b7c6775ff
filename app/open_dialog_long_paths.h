#pragma once
// Long paths around the open-file dialog. Wine's dialog copies its folder and
// the typed name into buffers of MAX_PATH characters: a longer path overruns
// them and ends the program. The dialog is therefore only ever handed short
// folders (DeepestShortFolder, platform/long_paths.h), and an OK whose path
// would be long is answered before the dialog sees it: an existing file is
// taken as the choice, anything else is refused with a notice.
#include <windows.h>

#include <string>

#include "platform/hooks.h"

namespace korvath::app {

// While alive, watches the next dialog that this thread activates (the open
// dialog) and answers its long OKs. One at a time: the dialog is modal.
class OpenDialogLongPathGuard {
 public:
  OpenDialogLongPathGuard();
  ~OpenDialogLongPathGuard();
  OpenDialogLongPathGuard(const OpenDialogLongPathGuard&) = delete;
  OpenDialogLongPathGuard& operator=(const OpenDialogLongPathGuard&) = delete;

  // The long path taken for the user (the dialog was then cancelled); empty
  // when the dialog answered itself.
  const std::wstring& taken() const { return taken_; }

 private:
  static LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  bool AnswerLongOk(HWND dialog);

  platform::WindowsHook hook_;
  HWND dialog_ = nullptr;
  WNDPROC previous_ = nullptr;
  std::wstring taken_;
};

}  // namespace korvath::app
