// The tool's start-up steps in one process (see steps_printer.h).
#include "app/main_form.h"
#include "app/npc_tool.h"
#include "bench/app/steps_printer.h"

namespace {

void EndTool() {
  if (korvath::app::MainForm().IsAlive()) korvath::app::MainForm().DestroyWindowOrUnit();
  korvath::app::EndProgram();
}

}  // namespace

int main() { return korvath::bench::PrintStartupSteps(korvath::app::StartupSteps(), &EndTool); }
