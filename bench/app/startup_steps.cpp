// The tool's start-up steps in one process (see steps_printer.h), and then
// how many window properties the engine asked the window server for on the
// way to idle.
#include <cstdio>

#include "app/main_form.h"
#include "app/npc_tool.h"
#include "bench/app/steps_printer.h"
#include "skin/core/window_props.h"

namespace {

void EndTool() {
  std::printf("window property reads (count)\t%llu\n",
              static_cast<unsigned long long>(korvath::skin::SkinWindowPropertyReads()));
  if (korvath::app::MainForm().IsAlive()) korvath::app::MainForm().DestroyWindowOrUnit();
  korvath::app::EndProgram();
}

}  // namespace

int main() { return korvath::bench::PrintStartupSteps(korvath::app::StartupSteps(), &EndTool); }
