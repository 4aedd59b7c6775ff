#pragma once
// One figure of a benchmark program as a line that tools/bench.sh gathers
// into its table, beside the program's own report:
//   figure|<figure>|<value>|<unit>|<reference>|<reference value>|<goal>|<n>
// <reference> and its value are "-" for a figure with no reference. <goal>
// is "ratio <= X" (value / reference), "<= X <unit>" (the value itself),
// "= X" or "none". <n>: how many runs, frames or cycles the value comes from.
// A figure printed by several processes (a long run split over Wine groups)
// is merged by its name: a time (unit "ms") as the mean weighted by <n>, any
// other unit summed.
#include <cstdio>
#include <string>

namespace korvath::bench {

inline void PrintFigure(const std::string& figure, double value, const char* unit, const std::string& reference,
                        double referenceValue, const std::string& goal, long n) {
  if (reference.empty())
    std::printf("figure|%s|%.4f|%s|-|-|%s|%ld\n", figure.c_str(), value, unit, goal.c_str(), n);
  else
    std::printf("figure|%s|%.4f|%s|%s|%.4f|%s|%ld\n", figure.c_str(), value, unit, reference.c_str(), referenceValue,
                goal.c_str(), n);
  std::fflush(stdout);
}

// A time with no reference.
inline void PrintFigure(const std::string& figure, double value, const char* unit, const std::string& goal, long n) {
  PrintFigure(figure, value, unit, "", 0, goal, n);
}

// What must be back to its start after cycles: how many counts are not.
inline void PrintCountsNotBack(const std::string& cycles, long notBack, long n) {
  PrintFigure(cycles + ": counts not back to their start", double(notBack), "counts", "= 0", n);
}

}  // namespace korvath::bench
