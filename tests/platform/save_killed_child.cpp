// The program that the kill test (file_saving_test.cpp) starts and kills: it
// saves the new content of save_contents.h as the file it is given, stops
// just before the step it is given (after the save, when that is the number
// of the save's steps), tells its starter so and waits to be killed.
// Arguments: the step, the file (a Windows path), the name of the event to
// set once stopped, and a file to write its process id on the Linux host to
// (under Wine, for the starter to kill it by).
#include <windows.h>

#include <string>

#include "platform/file_saving.h"
#include "platform/gbk_convert.h"
#include "tests/platform/save_contents.h"
#include "tests/support/save_steps.h"
#include "tests/support/win_test_support.h"

int main() {
  using namespace korvath::platform;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count != 5) return 1;
  const size_t step = size_t(_wtoi(arguments[1]));
  const GbkText path = WideToGbk(arguments[2]);
  HANDLE stopped = OpenEventW(EVENT_MODIFY_STATE, FALSE, arguments[3]);
  if (!path.exact || !stopped) return 1;
  // The shell that a Wine program starts on the host is its child there.
  const std::wstring idFile = testsupport::UnixPath(arguments[4]);
  if (!idFile.empty() && !testsupport::RunHostProgram(L"/bin/sh", {L"-c", L"echo $PPID > \"$0\"", idFile})) return 1;
  const auto stop = [stopped] {
    SetEvent(stopped);
    for (;;) Sleep(INFINITE);
  };
  testsupport::SaveSteps steps;
  steps.StopBefore(step, stop);
  files::SaveFile(path.text, files::savetest::kNewContent);
  if (steps.steps().size() == step) stop();
  return 2;  // the save has fewer steps
}
