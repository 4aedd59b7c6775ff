#include "skin/control/container_paint.h"

#include <algorithm>

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/gdi_object.h"
#include "skin/control/frame_paint.h"
#include "skin/core/background_container.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

// A plain container's outline: its tint stops inside a rounded rectangle
// inset by one pixel.
constexpr int32_t kOutlineInset = 1;
constexpr int32_t kOutlineCorner = 5;
constexpr int32_t kInnerOutlineCorner = 3;

void DrawOutline(HDC dc, const RECT& client) {
  gdip::Graphics g;
  gdip::GraphicsPath path;
  if (!SkinGraphicsOnDC(g, dc) || !path.Create()) return;
  const float w = float(client.right), h = float(client.bottom);
  SkinPathAddRoundRect(path, 0, 0, w - 1, h - 1, kOutlineCorner);
  SkinStroke(g, SkinArgbFromColorRef(0x000000, 40), path);
  path.Reset();
  SkinPathAddRoundRect(path, 1, 1, w - 3, h - 3, kInnerOutlineCorner);
  SkinStroke(g, SkinArgbFromColorRef(0xFFFFFF, 100), path);
}

// A group box's own tint begins on the top line of its frame: 4 pixels below
// the top of its caption strip, which starts 1 pixel below the client top.
constexpr int kCaptionTintDrop = 4;

// Copies `rect` of the window from `source`, where the window lies at
// `place`.
void CopyBehind(HDC dc, const RECT& rect, HDC source, const RECT& place) {
  BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, place.left + rect.left,
         place.top + rect.top, SRCCOPY);
}

gdip::Argb TintOf(const SkinContainerEntry& entry) {
  return SkinArgbFromColorRef(entry.backgroundColor, entry.backgroundAlpha);
}

// Tints `rect` with the entry's colour: a group box's from 4 pixels down, as
// a plain rectangle (its rounded frame starts there), and the band above in
// the colour of the container around it, when it is given.
void TintStrip(HDC dc, const RECT& rect, const SkinContainerEntry& entry,
               const SkinContainerEntry* above = nullptr) {
  gdip::Graphics g;
  if (!SkinGraphicsOnDC(g, dc)) return;
  const gdip::RectF strip = ToRectF(rect);
  const float x = strip.x, y = strip.y, w = strip.width, h = strip.height;
  if (entry.kind != ContainerKind::GroupBox) {
    SkinFillSolid(g, TintOf(entry), x, y, w, h);
    return;
  }
  const float drop = std::min(float(kCaptionTintDrop), h);
  if (above) SkinFillSolid(g, TintOf(*above), x, y, w, drop);
  SkinFillSolid(g, TintOf(entry), x, y + drop, w, h - drop);
}

// The window's own container entry in `top`, or null.
const SkinContainerEntry* OwnEntry(const SkinWindowRecord& top, HWND window) {
  return SkinContainerEntryOf(top, window);
}

// The background of a window that lies in a background piece: copied from the
// piece's layer, tinted with the window's own colour.
void CopyFromPiece(const SkinWindowRecord& top, HWND window, HDC dc, const RECT& rect,
                   const SkinBackgroundSource& source) {
  if (source.piece == window) {
    if (const HWND outer = GetSkinPropHandle<HWND>(window, prop::Mb_zpf)) {
      CopyBehind(dc, rect, GetSkinPropHandle<HDC>(outer, prop::Wxk_Cj), SkinRectRelativeTo(outer, window));
    } else {
      CopyBehind(dc, rect, top.BackDC.get(), SkinRectInTopAncestor(top, window));
    }
    return;
  }
  CopyBehind(dc, rect, GetSkinPropHandle<HDC>(source.piece, prop::Wxk_Cj),
             SkinRectRelativeTo(source.piece, window));
  const SkinContainerEntry* own = OwnEntry(top, window);
  if (own && int32_t(own->backgroundColor) > 0) TintStrip(dc, rect, *own);
}

}  // namespace

void ContainerSkinPaint(const ContainerRef& container) {
  if (!container) return;
  platform::WindowDC screen = platform::WindowDC::Client(container->window);
  ContainerSkinPaint(container, screen.get());
}

void ContainerSkinPaint(const ContainerRef& container, HDC dc) {
  if (!container) return;
  const HWND window = container->window;
  RECT client = {};
  GetClientRect(window, &client);

  SkinCanvas buffer = container->outline ? SkinCanvas(*container.record, window, client,
                                                      {.inset = kOutlineInset, .radius = kOutlineCorner})
                                         : SkinCanvas(*container.record, window, client);
  if (buffer) {
    if (container->kind == ContainerKind::GroupBox) {
      GroupBoxSkinPaint(container, buffer.dc());
    } else if (container->kind == ContainerKind::TabControl) {
      TabSkinPaint(container, buffer.dc());
    } else if (container->outline) {
      DrawOutline(buffer.dc(), client);
    }
    buffer.Finish();
    platform::SavedDCState keep(dc);
    SkinGetClippedDC(window, dc);
    buffer.CopyTo(dc);
  }
  container->rebuild = false;
  container->childChanged = false;
  container->paintedWidth = client.right;
  container->paintedHeight = client.bottom;
}

void ContainerBackground(const SkinWindowRecord& owner, HWND window, HDC dc, const RECT& rect) {
  const SkinBackgroundSource source = SkinFindBackgroundContainer(owner, window, true);
  if (source.piece) {
    CopyFromPiece(owner, window, dc, rect, source);
    return;
  }
  if (source.topLevel) {
    CopyBehind(dc, rect, owner.BackDC.get(), SkinRectInContainer(owner, window));
    const SkinContainerEntry* own = OwnEntry(owner, window);
    if (own && own->backgroundColor != 0) TintStrip(dc, rect, *own);
    return;
  }
  CopyBehind(dc, rect, owner.BackDC.get(), SkinRectInTopAncestor(owner, window));
  // Inside a container: the window's own entry, when it is one, takes the
  // place of the container's.
  const SkinContainerEntry* own = source.entry ? OwnEntry(owner, window) : nullptr;
  const SkinContainerEntry* entry = own ? own : SkinEntryAt(owner.Containers, source.entry);
  if (!entry || entry->backgroundColor == 0) return;
  const SkinContainerEntry* above = nullptr;
  if (own && own->kind == ContainerKind::GroupBox) {
    const HWND parent = GetParent(window);
    const SkinContainerEntry* outer = OwnEntry(owner, parent);
    if (outer && int32_t(outer->backgroundColor) > 0 && GetSkinProp(parent, prop::Wxk_Zpf) == 0) above = outer;
  }
  TintStrip(dc, rect, *entry, above);
}

}  // namespace korvath::skin
