// Not a test: the whole engine under stress. 10,000 cycles of the
// every-control form (opened, hovered, pressed, typed into, scrolled,
// resized, destroyed) and 1,000 skinned message boxes (opened over the form,
// hovered, answered), with every count that a leak would raise before and
// after, and the time per cycle against the same cycle without the skin,
// measured interleaved in the same run.
//   stress_benchmark [forms [boxes]] [--real-every N]
//                    [--picture | --picture-plain | --picture-see-through file.png]
// --real-every: every N-th form cycle takes real input (SendInput), the
// others send mouse and key messages (default 100). --picture: only shows the
// form, saves what the screen shows of it and ends; --picture-plain: the same
// form without the skin; --picture-see-through: in the see-through mode.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/figure_line.h"
#include "skin/core/engine_startup.h"
#include "skin/engine/start.h"
#include "tests/skin/stress/every_control_form.h"
#include "tests/skin/stress/stress_cycles.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;

constexpr int kReferenceEvery = 10;

enum class Look { Skinned, Plain, SeeThrough };

int SavePicture(const char* path, Look look) {
  StartEngineForEveryControlForm();
  if (look == Look::SeeThrough) SkinSetOptions(true, 160);
  const bool skinned = look != Look::Plain;
  int result = 1;
  {
    EveryControlForm form({40, 40}, true, skinned);
    testsupport::PumpMessages(500);
    SetCursorPos(2, 2);
    testsupport::PumpMessages(300);
    if (testsupport::CaptureWindow(form.hwnd()).SavePng(path)) {
      std::printf("the every-control form: %s\n", path);
      result = 0;
    }
  }
  testsupport::PumpMessages();
  SkinEngineShutdown();
  return result;
}

void Report(const char* figure, const char* reference, const stress::Figures& figures) {
  std::printf("%s", figures.Describe().c_str());
  const auto notBack = figures.NotBack();
  if (figures.faults || !notBack.empty()) std::printf("  LEAK OR FAULT: %zu counts not back\n", notBack.size());
  std::printf("\n");
  const std::string name = figure;
  korvath::bench::PrintFigure(name + " cycle", figures.MillisecondsPerCycle(), "ms", reference,
                              figures.ReferencePerCycle(), "none", figures.cycles);
  korvath::bench::PrintCountsNotBack(name + " cycles", long(notBack.size()), figures.cycles);
  korvath::bench::PrintFigure(name + " cycles: faulty cycles", figures.faults, "cycles", "= 0", figures.cycles);
}

}  // namespace

int main(int argc, char** argv) {
  int counts[2] = {10000, 1000};
  int given = 0, realEvery = 100;
  const char* picture = nullptr;
  Look look = Look::Skinned;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--real-every") == 0 && i + 1 < argc) {
      realEvery = std::atoi(argv[++i]);
    } else if (std::strncmp(argv[i], "--picture", 9) == 0 && i + 1 < argc) {
      look = std::strcmp(argv[i], "--picture-plain") == 0         ? Look::Plain
             : std::strcmp(argv[i], "--picture-see-through") == 0 ? Look::SeeThrough
                                                                   : Look::Skinned;
      picture = argv[++i];
    } else if (given < 2) {
      counts[given++] = std::max(0, std::atoi(argv[i]));
    }
  }
  const testsupport::ProgramRuntime runtime;
  if (!runtime.hasGdiplus()) return std::fprintf(stderr, "no GDI+\n"), 1;
  if (picture) return SavePicture(picture, look);
  std::printf("goal of every count marked so: back to its start after all cycles\n"
              "(the gdip layer keeps no count of GDI+ objects: private memory is printed in its place)\n\n");
  if (counts[0] > 0)
    Report("stress: every-control form", "the same cycle without the skin (every 10th)",
           stress::RunFormCycles(counts[0], realEvery, kReferenceEvery));
  if (counts[1] > 0)
    Report("stress: skinned message box", "a plain system box (every 10th)",
           stress::RunMessageBoxCycles(counts[1], kReferenceEvery));
  return 0;
}
