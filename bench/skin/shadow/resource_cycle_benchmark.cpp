// Not a test: 10,000 cycles of what the engine keeps per window (see
// resource_cycles.h), with the live objects before and after and the time per cycle,
// beside a plain cycle interleaved with them (cycle_report.h).
//   skin_resource_cycle_benchmark [cycles]
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/skin/core/cycle_report.h"
#include "tests/skin/shadow/resource_cycles.h"
#include "tests/support/win_test_support.h"

int main(int argc, char** argv) {
  using namespace korvath::skin::cycles;
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  const testsupport::ProgramRuntime runtime;
  if (!runtime.hasGdiplus()) return std::fprintf(stderr, "no GDI+\n"), 1;
  Report("engine resources (window record, backgrounds, layered window, memory DCs, text, strip, shadow):",
         "engine resources", RunResourceCycles(count, PlainCycle));
  return 0;
}
