#pragma once
// The child layer of a skinned top-level window: a memory DC of the whole
// window (window coordinates) made afresh from the back buffer at every
// render, into which each skinned control writes its finished picture. A
// control or a form's client area is then repainted by copying from it
// instead of running the painters again. Also the dirty flag that tells a
// container its cached background is stale.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/gdi_object.h"
#include "skin/core/found_entry.h"

namespace korvath::skin {

struct SkinContainerEntry;
struct SkinWindowRecord;

// Copies the picture at (0, 0) of `source` into the child layer of `owner`,
// the window's skinned top-level record, at the window's place: its client
// area (SkinChildBackgroundRect), or with `useWindowRect` its whole window
// rectangle. The window's own visible, non-transparent children keep their
// place in the layer untouched. Nothing happens while the owner has no layer.
void SkinPaintChildBackground(const SkinWindowRecord& owner, HWND window, HDC source, bool useWindowRect = false);
// The same at the client area with the owner looked up: the record named by
// `Hw_FuID`, or by the window's own `Hw_lbID` when that is 0 (a skinned
// top-level window itself). Nothing happens without an owner record.
void SkinPaintChildBackground(HWND window, HDC source);
// The picture (window size, origin at the window's corner) into the owner's
// child layer at the window's place with the pixels of `key` left out
// (SkinKeyedCopy; `keyArea`: where the picture was filled with `key`, when the
// caller knows), the window's own visible children left as they are. The
// layer keeps no clip afterwards.
void SkinBlitToOwnerBuffer(const SkinWindowRecord& owner, HWND window, HDC source, COLORREF key,
                           std::optional<RECT> keyArea = std::nullopt);

// The window's client area in the coordinates of its top skinned window
// `top`.
RECT SkinChildBackgroundRect(const SkinWindowRecord& top, HWND window);

// Paints the window's client area from its owner's child layer, onto `dc` when
// one is given (a BeginPaint DC, say), else onto a DC of the window's own,
// with the window's visible children clipped out. With `clipSelfPainting`
// only the children that paint themselves (unskinned ones, edits, panels) are
// clipped out: the skinned ones are overwritten with their layer pictures.
// A given DC stays the caller's: it is neither released nor left clipped.
void SkinRefreshWindow(const SkinWindowRecord& owner, HWND window, bool clipSelfPainting = false, HDC dc = nullptr);

// The form in which a container's window procedure asks for that copy onto
// its paint DC: the layer, the place and the painted size come from the
// container's record and entry instead of being looked up (without a DC it
// is SkinRefreshWindow's copy).
void SkinRefreshWindowDefault(const SkinWindowRecord& owner, const SkinContainerEntry& entry, HDC dc);

// Clips out of `dc` every visible direct child that paints itself (an
// unskinned child, an "Edit" or a panel window) unless it is
// WS_EX_TRANSPARENT; returns `dc`.
HDC SkinGetDCExcludingSkinnedChildren(HWND window, HDC dc);
// The same on the window's own DC (GetDC, given back by the owner).
platform::WindowDC SkinGetDCExcludingSkinnedChildren(HWND window);

// Clips out of a DC whose origin is the window's top skinned window `top` (a
// back buffer or child layer) the rectangles of the window's visible children
// that are not WS_EX_TRANSPARENT; returns `dc`.
HDC SkinExcludeChildrenClip(const SkinWindowRecord& top, HWND window, HDC dc);

// Called by every control window procedure on WM_WINDOWPOSCHANGING: when the
// control's parent is a registered container of its owner record (and no
// callback serves its background), the container's next WM_PAINT rebuilds
// its cached background. It also notes a change of layout.
void SkinMarkParentDirty(SkinWindowRecord& owner, HWND window);

// A number that changes whenever a skinned control may move, change size, show,
// hide or change places in the z-order, or a skinned form or container may
// gain or lose a child: what a painter worked out from its siblings' places
// holds while the number stays the same. Under Wine each step of a walk over
// the siblings is a request to the window server, too many for every paint.
uint32_t SkinLayoutGeneration();
void SkinNoteLayoutChange();

// SkinMarkParentDirty in the owner record that the control's entry was
// looked up in, as its procedure found it for the message; without that
// record only the change of layout is noted.
template <class Entry>
void SkinMarkParentDirty(const SkinFoundEntry<Entry>& control, HWND window) {
  if (control.record) {
    SkinMarkParentDirty(*control.record, window);
  } else {
    SkinNoteLayoutChange();
  }
}

}  // namespace korvath::skin
