#pragma once
// The engine as the program starts it: SkinEngineStartup (the state reset and
// the initialiser), then the drop shadows' class "yinyWindow", whose
// procedure (ShadowWndProc) is this family's, then the routines that later
// layers lend the core put in their slots, once: the push-button painters
// and the tick recolouring (RegisterButtonPainters). The window family sits
// above every other, so it is the one that can name them all.
namespace korvath::skin {

void SkinEngineStart();

}  // namespace korvath::skin
