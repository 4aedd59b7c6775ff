#pragma once
// The reference of the start-up benchmark: the tool's main window built by the
// form runtime from the same layout (the same control classes, places, sizes,
// captions, items and defaults), with no skin engine, no handlers and no
// dialogs behind it. What the tool's start-up costs above this is the skin's.
#include <span>

#include "app/npc_tool.h"

namespace korvath::bench {

// The reference's start-up steps in their order, named as the tool's are.
std::span<const app::StartupStep> ReferenceStartupSteps();
// Dispatches messages until the reference window is gone.
int RunReferenceMessageLoop();
// Destroys the window if it still exists.
void EndReference();

}  // namespace korvath::bench
