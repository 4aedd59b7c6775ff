#include "skin/shadow/drop_shadow.h"

#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/shadow/shadow_window.h"

namespace korvath::skin {

namespace {

void SetShadowProps(HWND shadow, HWND owner, int32_t depth, COLORREF colour, int32_t alpha, int32_t sides) {
  SetSkinProp(shadow, prop::Yyck_yysd, depth);
  SetSkinProp(shadow, prop::Yyck_yyys, static_cast<LONG_PTR>(colour));
  SetSkinProp(shadow, prop::Yyck_yyWz, sides);
  SetSkinProp(shadow, prop::Yyck_Tmd, alpha);
  SetSkinPropHandle(shadow, prop::Yyck_Glck, owner);
}

}  // namespace

bool ShadowAttach(HWND window, const ShadowOptions& options) {
  SkinWindowRecord* record = SkinRecordOfWindow(window);
  if (!record) return false;
  ShadowAttach(*record, options);
  return true;
}

void ShadowAttach(SkinWindowRecord& r, const ShadowOptions& options) {
  HWND window = r.Window;
  r.ShadowSize = options.depth;
  r.ShadowFromImage = options.useImage;
  r.ShadowImage = options.image ? *options.image : ByteSet();
  r.ShadowOffsetX = options.imageX;
  r.ShadowOffsetY = options.imageY;
  r.ShadowPlacement = options.placement;
  r.ShadowDragsOwner = options.dragOwner;
  r.ShadowClipInner = options.clipInner;
  if (!r.ShadowWindow) {
    r.ShadowWindow = ShadowWindowCreate(r, options.depth, options.colour, options.alpha, options.sides);
  } else {
    SetShadowProps(r.ShadowWindow, window, options.depth, options.colour, options.alpha, options.sides);
    ShadowWindowFollow(r, true);
    // A hidden shadow (its window hidden or minimised) is not followed, but
    // drawn with its new settings all the same: it shows again as it was
    // drawn last, unless it changes size meanwhile.
    if (!IsVisibleStyle(r.ShadowWindow)) ShadowRedraw(r, r.ShadowWindow);
  }
  if (options.dragOwner && r.ShadowWindow) ShadowWindowSetStyle(r.ShadowWindow);
}

HWND ShadowWindowCreate(SkinWindowRecord& record, int32_t depth, COLORREF colour, int32_t alpha, int32_t sides) {
  const HWND owner = record.Window;
  RECT bounds{};
  GetWindowRect(owner, &bounds);
  // A minimised window casts no shadow: its shadow shows when it is restored.
  const bool ownerShown = IsVisibleStyle(owner) && !IsIconic(owner);
  // Made hidden and shown without activation: the owner keeps the focus.
  // The pointer passes through the shadow to whatever lies beneath.
  HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, L"yinyWindow", L"",
                                WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, bounds.left - depth,
                                bounds.top - depth, (bounds.right - bounds.left) + 2 * depth,
                                (bounds.bottom - bounds.top) + 2 * depth, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!shadow) return nullptr;
  SetShadowProps(shadow, owner, depth, colour, alpha, sides);
  // The shadow of a window not yet shown is drawn when that window shows: a
  // layered window shows nothing before it is drawn.
  if (ownerShown) {
    ShadowRedraw(record, shadow);
    ShowWindow(shadow, SW_SHOWNA);
  }
  return shadow;
}

namespace {

// Puts the shadow on the window's rectangle grown by the depth: the given
// rectangle, or the window's own.
void Place(const SkinWindowRecord& r, std::optional<RECT> rect) {
  const int32_t d = r.ShadowSize;
  RECT at{};
  if (rect) at = *rect;
  else GetWindowRect(r.Window, &at);
  MoveWindow(r.ShadowWindow, at.left - d, at.top - d, (at.right - at.left) + 2 * d, (at.bottom - at.top) + 2 * d,
             FALSE);
}

}  // namespace

void ShadowWindowFollow(SkinWindowRecord& r, bool redraw, std::optional<RECT> rect) {
  HWND shadow = r.ShadowWindow;
  if (!shadow || !IsVisibleStyle(shadow)) return;
  // A window being minimised moves to its icon, or off the screen: its
  // shadow goes instead of following it there.
  if (IsIconic(r.Window)) {
    ShowWindow(shadow, SW_HIDE);
    return;
  }
  Place(r, rect);
  if (redraw) ShadowRedraw(r, shadow);
}

void ShadowWindowSetStyle(HWND shadow) {
  const LONG ex = GetWindowLongW(shadow, GWL_EXSTYLE);
  if (ex & WS_EX_TRANSPARENT) SetWindowLongW(shadow, GWL_EXSTYLE, ex & ~WS_EX_TRANSPARENT);
}

void ShadowShowWith(SkinWindowRecord& r, bool shown) {
  if (!r.ShadowWindow) return;
  if (!shown || IsIconic(r.Window)) {
    ShowWindow(r.ShadowWindow, SW_HIDE);
  } else if (!r.Maximized) {
    // In its place before it shows, and drawn: a shadow made while its
    // window was hidden or minimised has never been.
    Place(r, std::nullopt);
    if (!r.ShadowDrawn) ShadowRedraw(r, r.ShadowWindow);
    ShowWindow(r.ShadowWindow, SW_SHOWNA);
  }
}

}  // namespace korvath::skin
