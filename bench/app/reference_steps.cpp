// The reference program's start-up steps in one process (see steps_printer.h).
#include "bench/app/reference_form.h"
#include "bench/app/steps_printer.h"

int main() {
  return korvath::bench::PrintStartupSteps(korvath::bench::ReferenceStartupSteps(), &korvath::bench::EndReference);
}
