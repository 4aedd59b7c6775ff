#pragma once
// The OKs of the open-file dialog that the dialog must not see.
// Long paths: Wine's dialog copies its folder and the typed name into
// buffers of MAX_PATH characters, and a longer path overruns them and ends
// the program. The dialog is therefore only ever handed short folders
// (DeepestShortFolder, platform/long_paths.h), and an OK whose path would be
// long is answered before the dialog sees it: an existing file, or what is
// there as no file on disk (files::PathIsNoDiskFile), is taken as the choice
// for the reader to read or refuse, anything else is refused with a notice.
// Devices and pipes: the dialog would open what they name, and Wine's waits
// for ever on any "\\.\" path, the tool with it. An OK whose name is a
// device's or a pipe's (PathNamesDevice, platform/device_names.h) is taken as
// the choice, for the reader to refuse.
#include <windows.h>

#include <string>

#include "platform/hooks.h"

namespace korvath::app {

// While alive, watches the next dialog that this thread activates (the open
// dialog) and answers its OKs of long paths and devices. One at a time: the
// dialog is modal.
class OpenDialogGuard {
 public:
  OpenDialogGuard();
  ~OpenDialogGuard();
  OpenDialogGuard(const OpenDialogGuard&) = delete;
  OpenDialogGuard& operator=(const OpenDialogGuard&) = delete;

  // The long path or the device taken for the user (the dialog was then
  // cancelled); empty when the dialog answered itself.
  const std::wstring& taken() const { return taken_; }

 private:
  static LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  bool AnswerOk(HWND dialog);
  bool Take(HWND dialog, const std::wstring& path);

  platform::WindowsHook hook_;
  HWND dialog_ = nullptr;
  WNDPROC previous_ = nullptr;
  std::wstring taken_;
};

}  // namespace korvath::app
