#include "skin/form/working_set_trim.h"

#include <windows.h>

#include "skin/core/engine_state.h"

namespace korvath::skin {

bool SkinTrimWorkingSet() {
  if (SkinEngine.options.SkinOptTrimMemory != 0) return false;
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  return true;
}

bool SkinTrimOnActivateApp(bool active) {
  if (active) {
    SkinEngine.forms.TrimDoneSinceActivation = false;
    return false;
  }
  // Every skinned form gets WM_ACTIVATEAPP for the same deactivation.
  if (SkinEngine.forms.TrimDoneSinceActivation) return false;
  if (!SkinTrimWorkingSet()) return false;
  SkinEngine.forms.TrimDoneSinceActivation = true;
  return true;
}

}  // namespace korvath::skin
