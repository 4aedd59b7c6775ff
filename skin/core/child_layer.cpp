#include "skin/core/child_layer.h"

#include "platform/window_geometry.h"
#include "skin/core/background_container.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/border_geometry.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/keyed_copy.h"

namespace korvath::skin {

namespace {

void ExcludeRect(HDC dc, const RECT& r) { ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom); }

void CopyLayerTo(HDC dc, const SkinWindowRecord& owner, const RECT& r) {
  BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, owner.ChildBackDC.get(), r.left, r.top,
         SRCCOPY);
}

}  // namespace

RECT SkinChildBackgroundRect(const SkinWindowRecord& top, HWND window) {
  RECT r = platform::WindowRectIn(window, top.Window);
  // The border is taken as even: the left offset on both sides, the top
  // offset at top and bottom.
  const RECT border = SkinScrollBarGeometry(window);
  InflateRect(&r, -border.left, -border.top);
  return r;
}

void SkinPaintChildBackground(const SkinWindowRecord& owner, HWND window, HDC source, bool useWindowRect) {
  if (!owner.ChildBackDC) return;
  const RECT r = useWindowRect ? SkinRectInTopAncestor(owner, window) : SkinChildBackgroundRect(owner, window);
  HDC layer = SkinExcludeChildrenClip(owner, window, owner.ChildBackDC.get());
  BitBlt(layer, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, SRCCOPY);
  SelectClipRgn(layer, nullptr);
}

void SkinPaintChildBackground(HWND window, HDC source) {
  auto owner = static_cast<int32_t>(GetSkinProp(window, prop::Hw_FuID));
  if (owner == 0) owner = static_cast<int32_t>(GetSkinProp(window, prop::Hw_lbID));
  if (const SkinWindowRecord* record = SkinRecordAt(owner)) SkinPaintChildBackground(*record, window, source);
}

void SkinBlitToOwnerBuffer(const SkinWindowRecord& owner, HWND window, HDC source, COLORREF key,
                           std::optional<RECT> keyArea) {
  if (!owner.ChildBackDC) return;
  const RECT place = SkinRectInTopAncestor(owner, window);
  HDC layer = SkinExcludeChildrenClip(owner, window, owner.ChildBackDC.get());
  SkinKeyedCopy(layer, place, source, key, keyArea);
  SelectClipRgn(layer, nullptr);
}

void SkinRefreshWindow(const SkinWindowRecord& owner, HWND window, bool clipSelfPainting, HDC dc) {
  const RECT r = SkinChildBackgroundRect(owner, window);
  if (dc) {
    // The caller's DC (a BeginPaint DC, say) goes back to the caller as it
    // came: released by the caller, its clipping unchanged.
    platform::SavedDCState keep(dc);
    if (clipSelfPainting) {
      SkinGetDCExcludingSkinnedChildren(window, dc);
    } else {
      SkinGetClippedDC(window, dc);
    }
    CopyLayerTo(dc, owner, r);
    return;
  }
  platform::WindowDC own =
      clipSelfPainting ? SkinGetDCExcludingSkinnedChildren(window) : SkinGetClippedDC(window);
  CopyLayerTo(own.get(), owner, r);
}

void SkinRefreshWindowDefault(const SkinWindowRecord& owner, const SkinContainerEntry& entry, HDC dc) {
  // The container's procedure hands its record and entry: the copy needs
  // none of the window's properties, each a round trip to the window server
  // under Wine, where a clean repaint is meant to cost little more than the
  // copy itself.
  if (!dc) {
    SkinRefreshWindow(owner, entry.window, false, dc);
    return;
  }
  platform::SavedDCState keep(dc);
  SkinClipChildren(entry.window, dc, SIZE{entry.paintedWidth, entry.paintedHeight});
  CopyLayerTo(dc, owner, SkinChildBackgroundRect(owner, entry.window));
}

HDC SkinGetDCExcludingSkinnedChildren(HWND window, HDC dc) {
  ForEachChild(window, [&](HWND child) {
    if (!IsWindowVisible(child) || IsWindowExTransparent(child)) return;
    const bool paintsItself = GetSkinProp(child, prop::Hw_FuID) == 0 ||
                              SkinGetClassNameText(child) == "Edit" ||
                              GetSkinProp(child, prop::Zqk_LbID) > 0;
    if (paintsItself) ExcludeRect(dc, platform::WindowRectInClient(child, window));
  });
  return dc;
}

platform::WindowDC SkinGetDCExcludingSkinnedChildren(HWND window) {
  platform::WindowDC dc = platform::WindowDC::Client(window);
  SkinGetDCExcludingSkinnedChildren(window, dc.get());
  return dc;
}

HDC SkinExcludeChildrenClip(const SkinWindowRecord& top, HWND window, HDC dc) {
  ForEachChild(window, [&](HWND child) {
    if (IsWindowVisible(child) && !IsWindowExTransparent(child)) {
      ExcludeRect(dc, SkinRectInTopAncestor(top, child));
    }
  });
  return dc;
}

uint32_t SkinLayoutGeneration() { return SkinEngine.forms.LayoutGeneration; }

void SkinNoteLayoutChange() { ++SkinEngine.forms.LayoutGeneration; }

void SkinMarkParentDirty(SkinWindowRecord& owner, HWND window) {
  SkinNoteLayoutChange();
  HWND parent = GetParent(window);
  // The owner's own window is subclassed by its skin, so never a container:
  // a control placed straight on a form or a box needs no search.
  if (parent == owner.Window) return;
  SkinContainerEntry* entry = SkinContainerEntryOf(owner, parent);
  if (entry && GetSkinProp(parent, prop::Wxk_LBID) == 0) entry->childChanged = true;
}

}  // namespace korvath::skin
