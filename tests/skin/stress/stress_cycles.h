#pragma once
// The stress cycles of the every-control form and of skinned message boxes,
// with everything they could leave behind counted before and after: the
// stress benchmark runs 10,000 and 1,000 of them and prints the figures, the
// stress test runs a few dozen and fails on any count that does not return.
#include <windows.h>

#include <string>
#include <vector>

namespace korvath::skin::test::stress {

// One thing that is counted, at one moment.
struct Count {
  std::string name;
  long value = 0;
  // Must be back to its start after the cycles; the others are printed
  // only (Wine answers 0 for the system's GUI resources; memory grows in
  // the heap's steps).
  bool mustReturn = true;
};

// The live GDI objects (the project's own tally) and what the system
// reports, the engine's memory DCs, skinned-window records, timers (running
// cross-fades, caption hover timers, progress sweeps), hooks and lists, the
// thread's top-level windows, the process's threads and its committed
// private memory.
std::vector<Count> TakeCounts();
// The name of the private-memory count, and a count's value by name (-1
// when there is no such count).
inline constexpr char kPrivateMemoryKb[] = "private memory (KB)";
long ValueOf(const std::vector<Count>& counts, const std::string& name);

struct Figures {
  const char* what = "";
  int cycles = 0;
  double milliseconds = 0;  // all cycles
  std::vector<Count> before, after;
  int faults = 0;                  // cycles in which a step gave a wrong result
  std::vector<std::string> notes;  // what the first faults were
  int inputs = 0;                  // mouse and key steps taken (form cycles)
  // The same cycles without the skin, interleaved with these.
  int referenceCycles = 0;
  double referenceMilliseconds = 0;

  double MillisecondsPerCycle() const { return cycles ? milliseconds / cycles : 0; }
  double ReferencePerCycle() const { return referenceCycles ? referenceMilliseconds / referenceCycles : 0; }
  // The counts that must return and did not, by name.
  std::vector<std::string> NotBack() const;
  // The figures, one count a line with its goal beside it.
  std::string Describe() const;
};

// How the form cycles move the mouse and press keys.
enum class Input {
  Real,  // SendInput, each step waited for until this thread handled it
  Sent,  // the cursor put in place, the mouse and key messages sent to the control
};

// Per cycle: the every-control form opened (made, skinned, shown, active),
// every other cycle in the see-through mode; the mouse over every control
// and the caption buttons; presses of the push button, radio buttons,
// toolbar buttons (the drop-down arrow too), header, up-down, tab, list box,
// list and tree views and track bar; text typed into both edits; the combo
// box's list dropped and closed; every scrollable control scrolled; the
// progress bar and track bar moved; the form resized and back; then
// destroyed. `realEvery`: every n-th cycle takes real input and presses the
// check boxes too, the others send messages (1: all real). `referenceEvery`: after every n-th
// cycle the same cycle runs once on an unskinned form, timed apart (0:
// never). Starts and shuts down the engine.
Figures RunFormCycles(int cycles, int realEvery = 1, int referenceEvery = 0);

// Skinned message boxes owned by an every-control form, each answered
// inside its own loop once it has painted (the mouse over a button, then a
// press), in four styles and answers in turn. `referenceEvery`: after every
// n-th box a plain system box is answered the same way, timed apart (0:
// never). Starts and shuts down the engine.
Figures RunMessageBoxCycles(int boxes, int referenceEvery = 0);

}  // namespace korvath::skin::test::stress
