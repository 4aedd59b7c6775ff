// The same controls as the tool with no skin: the reference program of the
// start-up benchmark (see reference_form.h). It closes on WM_CLOSE.
#include <windows.h>

#include "bench/app/reference_form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  for (const korvath::app::StartupStep& step : korvath::bench::ReferenceStartupSteps())
    if (!step.run()) return 1;
  return korvath::bench::RunReferenceMessageLoop();
}
