// What one cycle could leak, counted, and the figures of a run of cycles.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/gdi_object.h"
#include "skin/core/engine_state.h"
#include "tests/skin/core/cycles.h"

namespace korvath::skin::cycles {

namespace {

BOOL CALLBACK CountOne(HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; }

// Top-level windows of this thread (tooltips included).
int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Committed private memory, summed over the address space (Wine reports no
// private usage through the process memory counters): GDI+ objects are not
// in the GDI count.
size_t PrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const char* at = nullptr; VirtualQuery(at, &info, sizeof(info)) == sizeof(info);
       at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    if (static_cast<const char*>(info.BaseAddress) + info.RegionSize < at) break;
  }
  return total;
}

}  // namespace

Counts Counts::Now() {
  return {platform::LiveGdiObjectCount(), SkinMemoryDcList().size(), ThreadWindows(), PrivateBytes()};
}

std::string Figures::Describe() const {
  char text[400];
  std::snprintf(text, sizeof(text),
                "%d cycles in %.0f ms (%.3f ms each); live GDI objects %ld -> %ld, memory DCs %zu -> %zu, "
                "windows %d -> %d, private memory %zu -> %zu KB; %d faulty cycles",
                cycles, milliseconds, MillisecondsPerCycle(), before.gdi, after.gdi, before.memoryDcs, after.memoryDcs,
                before.windows, after.windows, before.bytes / 1024, after.bytes / 1024, faults);
  return clicks ? text + ("; " + std::to_string(clicks) + " clicks") : text;
}

void TimeReference(Figures& figures, void (*reference)()) {
  if (!reference) return;
  const auto started = std::chrono::steady_clock::now();
  reference();
  figures.referenceMilliseconds +=
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  ++figures.referenceCycles;
}

}  // namespace korvath::skin::cycles
