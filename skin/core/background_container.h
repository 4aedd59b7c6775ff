#pragma once
// Finding what lies behind a control: the skinned top-level window or the
// registered container it sits in, and window rectangles expressed relative
// to an ancestor. The parent-background painter stands on these; other
// painters use the rectangle routines directly.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// Where a control's background comes from.
struct SkinBackgroundSource {
  // True exactly when the first registered window met on the way up (or the
  // window itself) is the skinned top-level window of the record walked to.
  bool topLevel = false;
  // Otherwise, the number in that record's container list of the first
  // registered container met, or the background-piece window (`Wxk_Zpf` = 1)
  // met first; 0 and null when the walk reached the top of the parent chain
  // without meeting any.
  int32_t entry = 0;
  HWND piece = nullptr;
};

// Walks up from the window itself to `top`, the window's skinned top-level
// record (the record of every container between them). The window is
// compared with the top-level window but not with the containers; each
// ancestor with both. Background pieces count only with `usePieces`; a
// container carrying `Mb_zpf` then leads to that piece instead of to its own
// entry.
SkinBackgroundSource SkinFindBackgroundContainer(const SkinWindowRecord& top, HWND window, bool usePieces);
// Whether the window is a background piece (`Wxk_Zpf` = 1): a window whose
// own layer (`Wxk_Cj`) holds what lies behind the windows inside it.
bool SkinIsBackgroundPiece(HWND window);
// The nearest background piece among the window's parents (the window
// itself not counted): what a container inside one shows; null when there
// is none.
HWND GetParentBackgroundPiece(HWND window);

// The window rectangle of `window` minus the top-left corner of the window
// rectangle of `reference`.
RECT SkinRectRelativeTo(HWND reference, HWND window);
// The window's rectangle relative to the window rectangle of its top skinned
// window `top`.
RECT SkinRectInTopAncestor(const SkinWindowRecord& top, HWND window);
// The window's rectangle relative to its skinned top-level window `top`,
// reached by walking its parents; screen coordinates when the walk does not
// reach it, (0, 0, 0, 0) for the top-level window itself.
RECT SkinRectInContainer(const SkinWindowRecord& top, HWND window);

// The entry number in the record's container list of the window's nearest
// ancestor that is a registered container painting its own background (paint
// flag set). The walk stops, with 0, at `stopWindow` (not examined) or at the
// top of the parent chain.
int32_t SkinParentContainerEntry(const SkinWindowRecord& record, HWND window, HWND stopWindow = nullptr);

}  // namespace korvath::skin
