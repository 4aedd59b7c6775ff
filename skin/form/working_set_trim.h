#pragma once
// Working-set trim: when the application loses activation the skin can give
// the process's unused pages back to the system. It is done in-process: no
// file is written and no program started. The engine option
// `SkinOptTrimMemory` (1 from start-up) keeps it off.
namespace korvath::skin {

// Trims the working set unless `SkinOptTrimMemory` is set. True when it did.
bool SkinTrimWorkingSet();
// A skinned form's WM_ACTIVATEAPP: a deactivation trims (SkinTrimWorkingSet)
// at most once however many forms receive it; the next activation allows
// the next trim. True when this call trimmed.
bool SkinTrimOnActivateApp(bool active);

}  // namespace korvath::skin
