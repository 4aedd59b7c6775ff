#pragma once
// The drop-shadow window: a borderless layered popup of the class
// "yinyWindow", owned by the window that casts the shadow and reaching a
// depth d beyond each of its edges. Its picture is a blurred ring in the
// shadow colour (an outline shrunk and enlarged again with bicubic
// interpolation), copied through a clip that leaves the owner's area empty or
// lets only chosen sides through, and an optional picture over it.
//
// The shadow window carries its settings in properties: `Yyck_Glck` the
// owner, `Yyck_yysd` the depth, `Yyck_yyWz` the position code (15 a frame on
// all four sides, 16 a glow all round, any other value a set of sides: 1 top,
// 2 bottom, 4 left, 8 right), `Yyck_yyys` the colour, `Yyck_Tmd` the alpha.
// The owner's record adds the picture and the drag-by-shadow flag.
#include <windows.h>

#include <cstdint>

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

struct SkinWindowRecord;

// Class procedure of "yinyWindow": redraws on WM_SIZE; a press on a shadow
// whose owner drags by its shadow starts moving the owner.
LRESULT CALLBACK ShadowWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Builds the shadow's picture anew from its properties and its owner's
// record, and pushes it to the screen with per-pixel alpha.
void ShadowRedraw(SkinWindowRecord& owner, HWND shadow);

// Draws the blurred shadow for a width-by-height area onto `graphics` and
// leaves its clip reset. `square` asks for a plain rather than rounded inner
// cut-out. A depth below 1, or an area too small for the blur, draws nothing.
void ShadowBuildImage(gdip::Graphics& graphics, int32_t position, int32_t depth, COLORREF colour,
                      int32_t alpha, int32_t width, int32_t height, bool square);

}  // namespace korvath::skin
