#pragma once
// Counting what create/paint/release cycles could leak: one leaked GDI
// object, window, memory DC or GDI+ picture per cycle shows as a count that
// does not return. The cycles are the engine's resources
// (tests/skin/shadow/resource_cycles.h) and the panel under the mouse
// (tests/skin/panel/panel_cycles.h); their tests run a few hundred, the cycle
// benchmarks 10,000, and print the figures.
#include <cstddef>
#include <string>

namespace korvath::skin::cycles {

// What one cycle could leak, counted at one moment.
struct Counts {
  long gdi = 0;             // live GDI objects
  size_t memoryDcs = 0;     // the engine's memory DCs
  int windows = 0;          // top-level windows of the thread
  size_t bytes = 0;         // committed private memory

  static Counts Now();
  bool SameObjects(const Counts& other) const {
    return gdi == other.gdi && memoryDcs == other.memoryDcs && windows == other.windows;
  }
};

struct Figures {
  int cycles = 0;
  double milliseconds = 0;  // all cycles
  Counts before, after;
  int faults = 0;  // cycles in which a step gave a wrong result
  int clicks = 0;  // click routine calls (panel cycles)
  // A reference cycle run after each of these, timed apart from them.
  int referenceCycles = 0;
  double referenceMilliseconds = 0;

  double MillisecondsPerCycle() const { return cycles ? milliseconds / cycles : 0; }
  double ReferencePerCycle() const { return referenceCycles ? referenceMilliseconds / referenceCycles : 0; }
  std::string Describe() const;
};

// Runs `reference` (if any) once and adds its time to the figures.
void TimeReference(Figures& figures, void (*reference)());

}  // namespace korvath::skin::cycles
