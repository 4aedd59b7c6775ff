// The tool's start-up against the same controls with no skin and against a
// minimal window, in the same run. Each round starts the three programs once,
// in an order that turns from round to round, and times each from
// CreateProcess to
//   shown - its first visible top-level window exists, and
//   ready - that window's thread answers a message, so the first frame is
//           painted and the program waits for the user;
// at ready it also reads the program's working set. Prints
// the medians, the tool's ready time as a ratio of the reference's (the skin's
// cost; goal 1.25 at most) and of the minimal window's (the same goal, carried
// over through the reference's own ratio to the minimal window). Then the
// same number of runs of each step program, interleaved, give the median time
// of each start-up step of the tool and of the reference side by side.
//
//   startup_benchmark.exe [runs] [label]
// The label names the run in the output (e.g. "pinned", "unpinned"). The
// programs are the build's KorvathNpc.exe, reference_window.exe,
// minimal_window.exe, startup_steps.exe and reference_steps.exe.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "bench/app/bench_clock.h"
#include "bench/figure_line.h"

namespace {

using korvath::bench::Median;
using korvath::bench::NowMs;

// The goal: the skinned tool's start-up at most this many times that of the
// same controls with no skin.
constexpr double kGoalAgainstReference = 1.25;

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

struct Start {
  double shown = -1;
  double ready = -1;
  double workingSetMb = 0;
};

// Starts the program in its own folder, waits for its window, closes it.
Start TimeOneStart(const std::wstring& program) {
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION process = {};
  Start start;
  const double begin = NowMs();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process))
    return start;
  Search search = {process.dwProcessId, nullptr};
  while (!search.found && NowMs() - begin < 20000) {
    EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  if (search.found) {
    start.shown = NowMs() - begin;
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer))
      start.ready = NowMs() - begin;
    // Wine leaves the private usage of another process at 0: the working set
    // is what it reports.
    PROCESS_MEMORY_COUNTERS memory = {};
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory)))
      start.workingSetMb = double(memory.WorkingSetSize) / (1024.0 * 1024.0);
    PostMessageW(search.found, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return start;
}

// Runs a step program once; its lines "<step>\t<ms>" in order.
std::vector<std::pair<std::string, double>> RunSteps(const std::wstring& program) {
  std::vector<std::pair<std::string, double>> steps;
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return steps;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup = {sizeof(startup)};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process = {};
  const bool created = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, folder.c_str(), &startup, &process);
  CloseHandle(writeEnd);
  std::string output;
  char buffer[512];
  DWORD got = 0;
  while (created && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  CloseHandle(readEnd);
  if (!created) return steps;
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  size_t at = 0;
  for (size_t end; (end = output.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string line = output.substr(at, end - at);
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) steps.emplace_back(line.substr(0, tab), std::atof(line.c_str() + tab + 1));
  }
  return steps;
}

std::wstring BesideThisProgram(const wchar_t* relative) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring own(path);
  return own.substr(0, own.find_last_of(L"\\/") + 1) + relative;
}

struct Program {
  const char* name;
  std::wstring path;
  std::vector<double> shown, ready, workingSetMb;
};

const char* Verdict(double ratio, double goal) { return ratio <= goal ? "met" : "NOT met"; }

// The median of each step over the runs, in the order the steps came.
struct StepTimes {
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> times;
  void Add(const std::vector<std::pair<std::string, double>>& run) {
    for (const auto& [step, ms] : run) {
      if (!times.count(step)) order.push_back(step);
      times[step].push_back(ms);
    }
  }
  double MedianOf(const std::string& step) const {
    const auto found = times.find(step);
    return found == times.end() ? -1 : Median(found->second);
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 16;
  std::string label = "this run";
  if (argc > 2) {
    char text[64] = {};
    WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, text, sizeof text - 1, nullptr, nullptr);
    label = text;
  }
  std::array<Program, 3> programs = {{
      {"minimal window", BesideThisProgram(L"minimal_window.exe")},
      {"same controls, no skin", BesideThisProgram(L"reference_window.exe")},
      {"KorvathNpc (skinned)", BesideThisProgram(L"..\\..\\app\\KorvathNpc.exe")},
  }};
  Program& minimal = programs[0];
  Program& reference = programs[1];
  Program& tool = programs[2];
  // One start of each first, so that none pays for loading files that
  // another has already brought into the cache.
  for (Program& p : programs) TimeOneStart(p.path);
  for (int i = 0; i < runs; ++i) {
    for (size_t k = 0; k < programs.size(); ++k) {
      Program& p = programs[(size_t(i) + k) % programs.size()];
      const Start s = TimeOneStart(p.path);
      if (s.ready < 0) {
        std::printf("%s did not show its window\n", p.name);
        return 1;
      }
      p.shown.push_back(s.shown);
      p.ready.push_back(s.ready);
      p.workingSetMb.push_back(s.workingSetMb);
    }
  }
  std::printf("start-up (%s), median of %d interleaved starts   shown ms  ready ms  working set MB\n",
              label.c_str(), runs);
  for (const Program& p : programs)
    std::printf("  %-42s %8.1f %9.1f %15.1f\n", p.name, Median(p.shown), Median(p.ready),
                Median(p.workingSetMb));
  const double againstReference = Median(tool.ready) / Median(reference.ready);
  const double referenceAgainstMinimal = Median(reference.ready) / Median(minimal.ready);
  const double againstMinimal = Median(tool.ready) / Median(minimal.ready);
  const double goalAgainstMinimal = kGoalAgainstReference * referenceAgainstMinimal;
  std::printf("  tool / same controls, no skin (ready)      %8.2f  goal <= %.2f: %s\n", againstReference,
              kGoalAgainstReference, Verdict(againstReference, kGoalAgainstReference));
  std::printf("  tool / minimal window (ready)              %8.2f  goal <= %.2f (%.2f x the reference's %.2f): %s\n",
              againstMinimal, goalAgainstMinimal, kGoalAgainstReference, referenceAgainstMinimal,
              Verdict(againstMinimal, goalAgainstMinimal));
  char goalText[32];
  std::snprintf(goalText, sizeof goalText, "ratio <= %.2f", kGoalAgainstReference);
  korvath::bench::PrintFigure("start-up (" + label + "): tool ready", Median(tool.ready), "ms",
                              "the same controls, no skin", Median(reference.ready), goalText, runs);
  std::snprintf(goalText, sizeof goalText, "ratio <= %.2f", goalAgainstMinimal);
  korvath::bench::PrintFigure("start-up (" + label + "): tool ready", Median(tool.ready), "ms", "a minimal window",
                              Median(minimal.ready), goalText, runs);
  std::printf("  working set: tool / minimal window %.2f, tool / same controls %.2f\n",
              Median(tool.workingSetMb) / std::max(0.01, Median(minimal.workingSetMb)),
              Median(tool.workingSetMb) / std::max(0.01, Median(reference.workingSetMb)));

  StepTimes toolSteps, referenceSteps;
  const std::wstring toolStepsProgram = BesideThisProgram(L"startup_steps.exe");
  const std::wstring referenceStepsProgram = BesideThisProgram(L"reference_steps.exe");
  for (int i = 0; i < runs; ++i) {
    if (i % 2 == 0) {
      toolSteps.Add(RunSteps(toolStepsProgram));
      referenceSteps.Add(RunSteps(referenceStepsProgram));
    } else {
      referenceSteps.Add(RunSteps(referenceStepsProgram));
      toolSteps.Add(RunSteps(toolStepsProgram));
    }
  }
  std::printf("start-up steps in one process (%s), median of %d runs (ms)   tool  no skin\n", label.c_str(), runs);
  for (const std::string& step : toolSteps.order) {
    const double own = referenceSteps.MedianOf(step);
    if (own < 0)
      std::printf("  %-44s %8.1f        -\n", step.c_str(), toolSteps.MedianOf(step));
    else
      std::printf("  %-44s %8.1f %8.1f\n", step.c_str(), toolSteps.MedianOf(step), own);
  }
  return 0;
}
