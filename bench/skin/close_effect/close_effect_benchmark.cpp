// Not a test: open and close cycles of a skinned 305 x 207 test form with a
// drop shadow, closing with each of its close effects in turn (WM_CLOSE
// through the form's procedure, as its close item sends it). For each effect:
//   - what has to come back to where it started: the engine's live GDI
//     objects and memory DCs, the process's GDI and USER objects
//     (GetGuiResources) and the thread's top-level windows;
//   - the time per cycle (median) against a reference measured in the same
//     run, interleaved cycle by cycle: the same cycle closing without effect.
// The effects' own pauses (145 ms, 190 ms for the pulse, 316 ms for the fade)
// are most of a cycle by design.
//   close_effect_benchmark [cycles [effect]]
// cycles: 1,000 by default, shared by the nine effects; effect (1-9): only
// that effect's share, so that tools/bench.sh runs the nine side by side (a
// cycle is mostly the effect's pauses: the whole run takes ~16 min on one
// group).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/app/bench_clock.h"
#include "bench/figure_line.h"
#include "platform/gdi_object.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/engine/attach.h"
#include "skin/engine/background_theme.h"
#include "skin/engine/start.h"
#include "skin/form/background_theme.h"
#include "skin/form/form_attach.h"
#include "skin/shadow/drop_shadow.h"
#include "tests/support/win_test_support.h"

using namespace korvath;
using namespace korvath::skin;
using bench::Median;
using bench::NowMs;

namespace {

constexpr int32_t kEffects = 9;
constexpr const char* kNames[kEffects + 1] = {
    "none",         "shrink to the centre", "pulse",     "fade where it stands", "to the horizontal line",
    "upwards",      "downwards",            "leftwards", "rightwards",           "to the vertical line"};
constexpr int kPauses[kEffects + 1] = {0, 145, 190, 316, 145, 145, 145, 145, 145, 145};

BOOL CALLBACK CountOne(HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; }

struct Counts {
  long engineGdi = 0;      // GDI objects the engine's owners hold
  size_t memoryDcs = 0;    // the engine's memory DCs
  size_t records = 0;      // skinned windows
  DWORD processGdi = 0;    // GetGuiResources
  DWORD processUser = 0;
  int threadWindows = 0;   // top-level windows of this thread, tooltips and shadows included

  static Counts Now() {
    Counts c{platform::LiveGdiObjectCount(),
             SkinMemoryDcList().size(),
             SkinEngine.lists.SkinWindowList.size(),
             GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
             GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
             0};
    EnumThreadWindows(GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&c.threadWindows));
    return c;
  }
  bool operator==(const Counts&) const = default;
};

int faults = 0;  // cycles whose form outlived its close

// One form opened, shown with its shadow and closed; milliseconds.
double Cycle(int32_t effect) {
  const double start = NowMs();
  {
    testsupport::TestWindow window(305, 207, L"close effect", WS_POPUP);
    FormSkinSettings settings;
    settings.border = true;
    settings.closeEffect = effect;
    FormSkinAttach(window.hwnd(), settings);
    ShadowAttach(window.hwnd(), {.depth = 10});
    ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.hwnd());
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    faults += IsWindow(window.hwnd()) ? 1 : 0;
  }
  testsupport::PumpMessages();
  return NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::max(kEffects, std::atoi(argv[1])) : 1000;
  const int32_t only = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, kEffects) : 0;
  const testsupport::ProgramRuntime runtime;
  if (!runtime.hasGdiplus()) return std::fprintf(stderr, "no GDI+\n"), 1;
  SkinEngineStart();
  SkinSetBackgroundTheme("", {}, 0xECECEC, 0xC0C0C0);
  // Whatever is made once per process (classes, the engine's pictures) is
  // made before the counting starts.
  for (int32_t effect = 0; effect <= kEffects; ++effect) Cycle(effect);

  std::printf("%d open/close cycles of a skinned 305 x 207 form with a shadow, by close effect%s; "
              "reference: the same cycle without effect, interleaved\n",
              cycles, only ? (" (here effect " + std::to_string(only) + "'s share)").c_str() : "");
  const Counts start = Counts::Now();
  bool allBack = true;
  int notBack = 0, run = 0;
  for (int32_t effect = only ? only : 1; effect <= (only ? only : kEffects); ++effect) {
    const int count = cycles / kEffects + (effect <= cycles % kEffects ? 1 : 0);
    std::vector<double> timed, reference;
    const Counts before = Counts::Now();
    for (int i = 0; i < count; ++i) {
      timed.push_back(Cycle(effect));
      reference.push_back(Cycle(0));
    }
    const Counts after = Counts::Now();
    const bool back = after == before;
    allBack = allBack && back;
    notBack += back ? 0 : 1;
    run += count;
    const double ms = Median(timed), ref = Median(reference);
    bench::PrintFigure("effect " + std::to_string(effect) + " (" + kNames[effect] + "): open/close cycle", ms, "ms",
                       "the same cycle without effect", ref, "none", count);
    std::printf("effect %d (%s): %d cycles, %.1f ms each = %.1f x the cycle without effect (%.1f ms; the effect's "
                "pauses %d ms)\n  engine GDI objects %ld -> %ld, memory DCs %zu -> %zu, records %zu -> %zu; process "
                "GDI objects %lu -> %lu, USER objects %lu -> %lu; thread windows %d -> %d%s\n",
                effect, kNames[effect], count, ms, ms / ref, ref, kPauses[effect], before.engineGdi, after.engineGdi,
                before.memoryDcs, after.memoryDcs, before.records, after.records, before.processGdi,
                after.processGdi, before.processUser, after.processUser, before.threadWindows,
                after.threadWindows, back ? "" : "\n  LEAK: the counts did not come back");
  }
  const Counts end = Counts::Now();
  if (start.processGdi == 0 && start.processUser == 0)
    std::printf("(GetGuiResources reports 0 objects: Wine does not count them; the engine's own GDI count and the "
                "thread's windows stand for them)\n");
  std::printf("all cycles: engine GDI objects %ld -> %ld, process GDI %lu -> %lu, USER %lu -> %lu, thread windows "
              "%d -> %d; %d forms outlived their close%s\n",
              start.engineGdi, end.engineGdi, start.processGdi, end.processGdi, start.processUser, end.processUser,
              start.threadWindows, end.threadWindows, faults, allBack && faults == 0 ? "" : " (FAULT)");
  bench::PrintCountsNotBack("close-effect cycles (each effect's counts)", notBack, run);
  bench::PrintFigure("close-effect cycles: forms that outlived their close", faults, "forms", "= 0", run);
  SkinEngineShutdown();
  return 0;
}
