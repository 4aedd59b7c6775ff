// Not a test: 10,000 cycles of what the engine keeps per window and of the
// panel under the mouse (see cycles.h), with the live objects before and
// after and the time per cycle. The reference, measured in the same run, is
// a plain cycle: a popup window created, a 200 x 120 memory DC painted and
// both released.   skin_core_cycle_benchmark [cycles]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "skin/core/memory_dc.h"
#include "tests/skin/core/cycles.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;

double PlainCycleMilliseconds(int cycles) {
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < cycles; ++i) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 120, nullptr, nullptr, nullptr, nullptr);
    SkinMemoryDc picture = SkinMemoryDc::Create(200, 120);
    PatBlt(picture.get(), 0, 0, 200, 120, i % 2 ? WHITENESS : BLACKNESS);
    DestroyWindow(window);
  }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() / cycles;
}

void Report(const char* name, const cycles::Figures& figures, double reference) {
  std::printf("%s\n  %s\n  %.3f ms per cycle = %.1f x the plain cycle (%.3f ms)%s\n", name,
              figures.Describe().c_str(), figures.MillisecondsPerCycle(), figures.MillisecondsPerCycle() / reference,
              reference,
              !figures.after.SameObjects(figures.before) || figures.faults != 0
                  ? "\n  LEAK OR FAULT: the counts did not return"
                  : "");
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  const testsupport::ProgramRuntime runtime;
  if (!runtime.hasGdiplus()) return std::fprintf(stderr, "no GDI+\n"), 1;
  const double reference = PlainCycleMilliseconds(1000);
  Report("engine resources (window record, backgrounds, layered window, memory DCs, text, strip, shadow):",
         cycles::RunResourceCycles(count), reference);
  Report("panel (hover, press, release, leave, repaint):", cycles::RunPanelCycles(count), reference);
  return 0;
}
