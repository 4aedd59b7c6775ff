// The tool's start-up against the minimal window, in the same run: each
// program is started in turn, many times, and timed from CreateProcess to
//   shown - its first visible top-level window exists, and
//   ready - that window's thread answers a message, so the first frame is
//           painted and the program waits for the user.
// Prints the medians in milliseconds and the tool's ready time as a ratio of
// the minimal window's (the goal is 1.5 at most). Then the same number of
// runs of startup_steps.exe give the median time of each start-up step.
//
//   startup_benchmark.exe [runs] [tool.exe] [minimal.exe] [startup_steps.exe]
// The programs default to the build's KorvathNpc.exe, minimal_window.exe and
// startup_steps.exe.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "bench/app/bench_clock.h"

namespace {

using korvath::bench::Median;
using korvath::bench::NowMs;

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
    PostMessageW(search.found, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return start;
}

// Runs the steps program once; its lines "<step>\t<ms>" in order.
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
  const std::wstring tool = argc > 2 ? argv[2] : BesideThisProgram(L"..\\..\\app\\KorvathNpc.exe");
  const std::wstring minimal = argc > 3 ? argv[3] : BesideThisProgram(L"minimal_window.exe");
  const std::wstring stepsProgram = argc > 4 ? argv[4] : BesideThisProgram(L"startup_steps.exe");
  // One start of each first, so that neither pays for loading files the
  // other has already brought into the cache.
  TimeOneStart(minimal);
  TimeOneStart(tool);
  std::vector<double> toolShown, toolReady, minimalShown, minimalReady;
  for (int i = 0; i < runs; ++i) {
    const Start m = TimeOneStart(minimal), t = TimeOneStart(tool);
    if (m.ready < 0 || t.ready < 0) {
      std::printf("a program did not show its window\n");
      return 1;
    }
    minimalShown.push_back(m.shown);
    minimalReady.push_back(m.ready);
    toolShown.push_back(t.shown);
    toolReady.push_back(t.ready);
  }
  std::printf("start-up, median of %d runs (ms)   shown    ready\n", runs);
  std::printf("  minimal window                %8.1f %8.1f\n", Median(minimalShown), Median(minimalReady));
  std::printf("  KorvathNpc                    %8.1f %8.1f\n", Median(toolShown), Median(toolReady));
  std::printf("  ratio (tool / minimal)        %8.2f %8.2f\n", Median(toolShown) / Median(minimalShown),
              Median(toolReady) / Median(minimalReady));

  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> times;
  for (int i = 0; i < runs; ++i) {
    for (const auto& [step, ms] : RunSteps(stepsProgram)) {
      if (!times.count(step)) order.push_back(step);
      times[step].push_back(ms);
    }
  }
  std::printf("start-up steps in one process, median of %d runs (ms)\n", runs);
  for (const std::string& step : order) std::printf("  %-36s %8.1f\n", step.c_str(), Median(times[step]));
  return 0;
}
