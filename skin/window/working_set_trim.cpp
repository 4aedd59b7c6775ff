#include "skin/window/working_set_trim.h"

#include <windows.h>

#include "skin/core/engine_startup.h"

namespace korvath::skin {

namespace {

// Every skinned form gets WM_ACTIVATEAPP for the same deactivation.
bool trimDoneSinceActivation = false;

}  // namespace

bool SkinTrimWorkingSet() {
  if (SkinOptTrimMemory != 0) return false;
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  return true;
}

bool SkinTrimOnActivateApp(bool active) {
  if (active) {
    trimDoneSinceActivation = false;
    return false;
  }
  if (trimDoneSinceActivation) return false;
  if (!SkinTrimWorkingSet()) return false;
  trimDoneSinceActivation = true;
  return true;
}

}  // namespace korvath::skin
