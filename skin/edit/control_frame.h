#pragma once
// What every frame painter of the edit and list skins shares: the kind of
// native border a control asks for, the skinned border stroke of an edit, and
// the hand-over of a finished frame picture to the owner window's child
// layer. (Where the client area lies in the window: SkinGetFrameGeometry,
// skin/draw/frame_geometry.h.)
#include <windows.h>

#include <cstdint>
#include <optional>

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

class SkinCanvas;
struct SkinEditEntry;

// The colour key of frame and control pictures: areas that must keep what
// lies beneath (a client area, a combo box's own children) are filled with
// it and left out when the picture is copied.
inline constexpr COLORREF kSkinKeyColour = 0xFF00FF;
// Fills the rectangle of a picture with the key. A GDI fill, after the
// picture's GDI+ drawing has ended: GDI+ writes an alpha byte that the keyed
// copy would compare too, so its pixels would never match the key.
void SkinFillKey(HDC dc, const RECT& area);

// 0 no native border, 1 flat (WS_BORDER, which wins), 2 edge
// (WS_EX_WINDOWEDGE, WS_EX_CLIENTEDGE or WS_EX_DLGMODALFRAME).
enum BorderKind : int32_t { kBorderNone = 0, kBorderFlat = 1, kBorderEdge = 2 };
int32_t SkinGetBorderKind(HWND window);

// Strokes the border of an edit into `graphics`, an image of the window's
// full size with its origin at the window's corner. A state not given comes
// from the edit's entry (false without one). Hot with an edge border: three
// strokes (white 60 and theme 90 on the outer ring, theme 180 one pixel in);
// otherwise one outer stroke, theme 180 when focused, else black 80.
void SkinDrawControlBorder(HWND window, const SkinEditEntry* entry, std::optional<bool> focused,
                           std::optional<bool> hot, gdip::Graphics& graphics);

// Fills a whole picture (a canvas drawing on its pixels) with a colour over
// what it holds: opaque white as a plain fill, any other colour blended by
// GDI+ at its alpha. The frame painters fill the whole picture and key the
// client area out afterwards, so only the ring keeps the fill.
void SkinFillPicture(SkinCanvas& picture, COLORREF colour, int32_t alpha);

}  // namespace korvath::skin
