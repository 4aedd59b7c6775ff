#include "skin/core/layered_window.h"

#include <algorithm>

#include "platform/window_geometry.h"
#include "platform/window_subclass.h"
#include "skin/core/engine_state.h"
#include "skin/core/error_policy.h"
#include "skin/core/window_list.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kColorKey = 0xFF00FF;

// The program's tests and picture taker watch frames through it around a
// scope of their own: no state of the engine, so the reset leaves it.
LayeredFrameWatcher frameWatcher = nullptr;

// A style bit counts as present when OR-ing it in leaves the style as it is.
bool HasBits(LONG_PTR style, LONG_PTR bits) { return (style | bits) == style; }

constexpr BYTE kDropDownAlpha = 220;
constexpr UINT_PTR kDropDownLister = 0x4C64;  // 'Ld'

// Without this a destroyed list would stay listed, one entry more for every
// combo box ever dropped down, and its handle could name a new window later.
LRESULT CALLBACK UnlistDropDownAtEnd(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    SkinAtCallbackEdge([list] { std::erase(SkinEngine.lists.LayeredDropDownList, list); });
    platform::RemoveSubclass(list, UnlistDropDownAtEnd, id);
  }
  return platform::CallNextSubclass(list, message, wParam, lParam);
}

}  // namespace

void SkinUpdateLayered(HWND window, const LayeredUpdate& update) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  HDC source = nullptr;
  if (update.sourceDc) {
    source = *update.sourceDc;
  } else if (const SkinWindowRecord* record = SkinRecordOfWindow(window)) {
    source = record->BackDC.get();
  }
  if (!source) return;
  POINT position{update.x.value_or(bounds.left), update.y.value_or(bounds.top)};
  SIZE size{update.width.value_or(bounds.right - bounds.left),
            update.height.value_or(bounds.bottom - bounds.top)};
  POINT sourcePoint{update.sourceX, update.sourceY};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(update.alpha.value_or(255)), AC_SRC_ALPHA};
  UpdateLayeredWindow(window, nullptr, &position, &size, source, &sourcePoint, 0, &blend, ULW_ALPHA);
  if (frameWatcher) {
    frameWatcher({window, RECT{position.x, position.y, position.x + size.cx, position.y + size.cy},
                  int32_t(blend.SourceConstantAlpha)});
  }
}

void SkinWatchLayeredFrames(LayeredFrameWatcher watcher) { frameWatcher = watcher; }

void SkinEnsureLayered(HWND window, bool transparent) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!transparent) {
    if (!HasBits(style, WS_EX_LAYERED)) SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    return;
  }
  if (!HasBits(style, WS_EX_LAYERED) && !HasBits(style, WS_EX_TRANSPARENT)) {
    SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  }
}

void SkinSetWindowAlpha(HWND window, int32_t alpha, std::optional<COLORREF> key) {
  SkinEnsureLayered(window);
  SetLayeredWindowAttributes(window, key.value_or(kColorKey), static_cast<BYTE>(alpha),
                             LWA_COLORKEY | LWA_ALPHA);
}

RECT SkinRectInParentWindow(HWND window) {
  // A skinned top-level window carries its own record's number.
  if (SkinRecordOfWindow(window)) return RECT{};
  return platform::WindowRectIn(window, GetParent(window));
}

void SkinLayerDropDownList(HWND list) {
  SkinSetWindowAlpha(list, kDropDownAlpha);
  if (std::ranges::find(SkinEngine.lists.LayeredDropDownList, list) != SkinEngine.lists.LayeredDropDownList.end()) return;
  SkinEngine.lists.LayeredDropDownList.push_back(list);
  if (!platform::GetSubclass(list, UnlistDropDownAtEnd, kDropDownLister))
    platform::SetSubclass(list, UnlistDropDownAtEnd, kDropDownLister, 0);
}

}  // namespace korvath::skin
