#pragma once
// The engine as the program starts it: SkinEngineStartup (the state reset and
// the initialiser), then the drop shadows' class "yinyWindow", whose
// procedure (ShadowWndProc) is this family's.
namespace korvath::skin {

void SkinEngineStart();

}  // namespace korvath::skin
