#pragma once
// The engine's start, its options and its end, as a program uses them: it
// calls SkinEngineStart once before it makes its first window, sets the
// options with SkinSetOptions (engine_startup.h), and calls
// SkinEngineShutdown when its message loop has ended.
//
// SkinEngineStart is the core's start, SkinEngineStartup (the state reset,
// then the initialiser SkinModuleInit, which registers "hbfcWindow"),
// followed by the drop shadows' class "yinyWindow", whose procedure
// (ShadowWndProc) is the shadow family's: the one step of the start that the
// core, standing below the families, cannot take.
#include "skin/core/engine_startup.h"

namespace korvath::skin {

void SkinEngineStart();

}  // namespace korvath::skin
