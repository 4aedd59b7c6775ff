#pragma once
// What the cycle benchmarks share: the reference, a plain cycle (a popup
// window created, a 200 x 120 memory DC painted and both released),
// interleaved cycle by cycle with theirs, and the report of a run (the live
// objects before and after and the time per cycle).
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/figure_line.h"
#include "skin/draw/memory_dc.h"
#include "tests/skin/core/cycles.h"

namespace korvath::skin::cycles {

inline void PlainCycle() {
  static int i = 0;
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 120, nullptr, nullptr, nullptr, nullptr);
  SkinMemoryDc picture = SkinMemoryDc::Create(200, 120);
  PatBlt(picture.get(), 0, 0, 200, 120, ++i % 2 ? WHITENESS : BLACKNESS);
  DestroyWindow(window);
}

inline void Report(const char* name, const char* figure, const Figures& figures) {
  namespace bench = korvath::bench;
  const bool back = figures.after.SameObjects(figures.before) && figures.faults == 0;
  std::printf("%s\n  %s\n  %.3f ms per cycle = %.1f x the plain cycle (%.3f ms, %d of them interleaved)%s\n", name,
              figures.Describe().c_str(), figures.MillisecondsPerCycle(),
              figures.MillisecondsPerCycle() / figures.ReferencePerCycle(), figures.ReferencePerCycle(),
              figures.referenceCycles, back ? "" : "\n  LEAK OR FAULT: the counts did not return");
  bench::PrintFigure(std::string(figure) + " cycle", figures.MillisecondsPerCycle(), "ms",
                     "a plain cycle (popup window, memory DC)", figures.ReferencePerCycle(), "none", figures.cycles);
  const Counts &a = figures.before, &b = figures.after;
  bench::PrintCountsNotBack(std::string(figure) + " cycles",
                            long(a.gdi != b.gdi) + long(a.memoryDcs != b.memoryDcs) + long(a.windows != b.windows),
                            figures.cycles);
  bench::PrintFigure(std::string(figure) + " cycles: faulty cycles", figures.faults, "cycles", "= 0", figures.cycles);
}

}  // namespace korvath::skin::cycles
