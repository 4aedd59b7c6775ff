#pragma once
// One start of a program in this process, step by step: prints, one line each,
// "<step>\t<milliseconds>" for the time from process start to main, each of
// the program's start-up steps (the first frame's painting is a step of its
// own), the messages that the shown window then has waiting, and the whole
// time from process start to the end of those messages. The start-up
// benchmark runs such a program several times and prints the medians. Each
// step is also marked with OutputDebugString, so that a trace of the window
// server's requests (WINEDEBUG=+server,+debugstr) can be cut into the steps.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <span>

#include "app/npc_tool.h"
#include "bench/app/bench_clock.h"

namespace korvath::bench {

inline double MsSinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(now) - ticks(created)) / 10000.0;
}

// Runs the steps up to the first that fails; `end` then tears down. Returns
// the exit code.
inline int PrintStartupSteps(std::span<const app::StartupStep> steps, void (*end)()) {
  std::printf("process start to main\t%.2f\n", MsSinceProcessStart());
  bool started = true;
  for (const app::StartupStep& step : steps) {
    OutputDebugStringA(step.name);
    const double begin = NowMs();
    started = step.run();
    std::printf("%s\t%.2f\n", step.name, NowMs() - begin);
    if (!started) break;
  }
  if (started) {
    OutputDebugStringA("waiting messages");
    const double begin = NowMs();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    std::printf("waiting messages\t%.2f\n", NowMs() - begin);
    std::printf("process start to idle\t%.2f\n", MsSinceProcessStart());
    OutputDebugStringA("idle");
  }
  end();
  std::fflush(stdout);
  return started ? 0 : 1;
}

}  // namespace korvath::bench
