#include "skin/core/clipped_dc.h"

#include <optional>

#include "platform/window_geometry.h"
#include "skin/core/callback_list.h"
#include "skin/core/callbacks.h"
#include "skin/core/engine_startup.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

namespace {

// The size the skin last painted the window at, when the skin knows one.
std::optional<SIZE> PaintedSize(HWND window) {
  if (const SkinWindowRecord* record = SkinRecordOfWindow(window)) {
    return SIZE{record->ClientWidth, record->ClientHeight};
  }
  if (LONG_PTR slot = GetSkinProp(window, prop::Wxk_LBID); slot > 0) {
    return SkinRequestPaintedSize(static_cast<int32_t>(slot));
  }
  if (const SkinWindowRecord* record = SkinOwnerRecord(window)) {
    if (const SkinContainerEntry* entry = SkinContainerEntryOf(*record, window)) {
      return SIZE{entry->paintedWidth, entry->paintedHeight};
    }
  }
  // A control with an owner record but no container entry has no known size:
  // its children are clipped out whole rather than painted over.
  return std::nullopt;
}

// The clipping itself; `limitOf` gives the size limit, asked once and only
// when a visible child is there to clip: most controls have none, and the
// question may read a window property, a round trip under Wine.
template <class Limit>
HDC ClipChildren(HWND window, HDC dc, Limit limitOf) {
  std::optional<std::optional<SIZE>> asked;
  ForEachChild(window, [&](HWND child) {
    if (!IsWindowVisible(child)) return;
    if (!asked) asked = limitOf();
    const std::optional<SIZE>& limit = *asked;
    RECT r = platform::WindowRectInClient(child, window);
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
    if (limit) {
      if (r.right > limit->cx) r.right = limit->cx;
      if (r.bottom > limit->cy) r.bottom = limit->cy;
    }
    // A child wholly outside the limit becomes empty and clips nothing.
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    if (IsWindowExTransparent(child) && !SkinEngine.options.SkinTransparentMode) return;
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  });
  return dc;
}

}  // namespace

platform::WindowDC SkinGetClippedDC(HWND window) {
  platform::WindowDC dc = platform::WindowDC::Client(window);
  SkinGetClippedDC(window, dc.get());
  return dc;
}

HDC SkinGetClippedDC(HWND window, HDC dc) {
  return ClipChildren(window, dc, [window] { return PaintedSize(window); });
}

HDC SkinClipChildren(HWND window, HDC dc, std::optional<SIZE> limit) {
  return ClipChildren(window, dc, [&limit] { return limit; });
}

bool IsWindowExTransparent(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  return (style | WS_EX_TRANSPARENT) == style;
}

RECT SkinChildRectInParent(HWND window) {
  // A skinned top-level window carries its own record's number.
  if (SkinRecordOfWindow(window)) return RECT{};
  return platform::WindowRectInClient(window, GetAncestor(window, GA_PARENT));
}

bool SkinIsOwnerDrawListBox(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (SkinGetClassNameText(window) != "ListBox") return false;
  return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

void SkinInvalidateVisibleChildren(HWND window) {
  ForEachChild(window, [](HWND child) {
    if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
  });
}

void SkinRedrawChildren(HWND window) {
  ForEachChild(window, [](HWND child) {
    if (!IsWindowExTransparent(child)) return;
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
  });
}

}  // namespace korvath::skin
