// One start of the tool in this process, step by step: prints, one line each,
// "<step>\t<milliseconds>" for the time from process start to main, each of
// the program's start-up steps, and the first frame (the messages that the
// shown window has waiting, painting included, dispatched). The start-up
// benchmark runs it several times and prints the medians.
#include <windows.h>

#include <cstdio>

#include "app/main_form.h"
#include "app/npc_tool.h"
#include "bench/app/bench_clock.h"
#include "skin/core/window_props.h"

namespace {

using korvath::bench::NowMs;

double MsSinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

int main() {
  std::printf("process start to main\t%.2f\n", MsSinceProcessStart());
  bool started = true;
  for (const korvath::app::StartupStep& step : korvath::app::StartupSteps()) {
    const double begin = NowMs();
    started = step.run();
    std::printf("%s\t%.2f\n", step.name, NowMs() - begin);
    if (!started) break;
  }
  if (started) {
    const double begin = NowMs();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    std::printf("first frame\t%.2f\n", NowMs() - begin);
    std::printf("process start to first frame\t%.2f\n", MsSinceProcessStart());
    std::printf("window property reads (count)\t%llu\n",
                static_cast<unsigned long long>(korvath::skin::SkinWindowPropertyReads()));
  }
  if (korvath::app::MainForm().IsAlive()) korvath::app::MainForm().DestroyWindowOrUnit();
  korvath::app::EndProgram();
  std::fflush(stdout);
  return started ? 0 : 1;
}
