// Not a test: 10,000 cycles of what the engine keeps per window and of the
// panel under the mouse (see cycles.h), with the live objects before and
// after and the time per cycle. The reference, interleaved cycle by cycle
// with them, is a plain cycle: a popup window created, a 200 x 120 memory DC
// painted and both released.   skin_core_cycle_benchmark [cycles]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/figure_line.h"
#include "skin/core/memory_dc.h"
#include "tests/skin/core/cycles.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
namespace bench = korvath::bench;

void PlainCycle() {
  static int i = 0;
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 120, nullptr, nullptr, nullptr, nullptr);
  SkinMemoryDc picture = SkinMemoryDc::Create(200, 120);
  PatBlt(picture.get(), 0, 0, 200, 120, ++i % 2 ? WHITENESS : BLACKNESS);
  DestroyWindow(window);
}

void Report(const char* name, const char* figure, const cycles::Figures& figures) {
  const bool back = figures.after.SameObjects(figures.before) && figures.faults == 0;
  std::printf("%s\n  %s\n  %.3f ms per cycle = %.1f x the plain cycle (%.3f ms, %d of them interleaved)%s\n", name,
              figures.Describe().c_str(), figures.MillisecondsPerCycle(),
              figures.MillisecondsPerCycle() / figures.ReferencePerCycle(), figures.ReferencePerCycle(),
              figures.referenceCycles, back ? "" : "\n  LEAK OR FAULT: the counts did not return");
  bench::PrintFigure(std::string(figure) + " cycle", figures.MillisecondsPerCycle(), "ms",
                     "a plain cycle (popup window, memory DC)", figures.ReferencePerCycle(), "none", figures.cycles);
  const cycles::Counts &a = figures.before, &b = figures.after;
  bench::PrintCountsNotBack(std::string(figure) + " cycles",
                            long(a.gdi != b.gdi) + long(a.memoryDcs != b.memoryDcs) + long(a.windows != b.windows),
                            figures.cycles);
  bench::PrintFigure(std::string(figure) + " cycles: faulty cycles", figures.faults, "cycles", "= 0", figures.cycles);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  const testsupport::ProgramRuntime runtime;
  if (!runtime.hasGdiplus()) return std::fprintf(stderr, "no GDI+\n"), 1;
  Report("engine resources (window record, backgrounds, layered window, memory DCs, text, strip, shadow):",
         "engine resources", cycles::RunResourceCycles(count, PlainCycle));
  Report("panel (hover, press, release, leave, repaint):", "panel", cycles::RunPanelCycles(count, PlainCycle));
  return 0;
}
