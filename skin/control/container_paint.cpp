#include "skin/control/container_paint.h"

#include <algorithm>

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/gdi_object.h"
#include "skin/control/frame_paint.h"
#include "skin/core/background_container.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/drawing_values.h"
#include "skin/core/parent_background.h"
#include "skin/core/rounded_path.h"
#include "skin/core/shape_drawing.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

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
  SkinStroke(g, gdip::Argb(SkinArgbFromColorRef(0x000000, 40)), path);
  path.Reset();
  SkinPathAddRoundRect(path, 1, 1, w - 3, h - 3, kInnerOutlineCorner);
  SkinStroke(g, gdip::Argb(SkinArgbFromColorRef(0xFFFFFF, 100)), path);
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
  return gdip::Argb(SkinArgbFromColorRef(entry.backgroundColor, entry.backgroundAlpha));
}

// Tints `rect` with the entry's colour: a group box's from 4 pixels down, as
// a plain rectangle (its rounded frame starts there), and the band above in
// the colour of the container around it, when it is given.
void TintStrip(HDC dc, const RECT& rect, const SkinContainerEntry& entry,
               const SkinContainerEntry* above = nullptr) {
  gdip::Graphics g;
  if (!SkinGraphicsOnDC(g, dc)) return;
  const float x = float(rect.left), y = float(rect.top);
  const float w = float(rect.right - rect.left), h = float(rect.bottom - rect.top);
  if (entry.kind != ContainerKind::GroupBox) {
    SkinFillSolid(g, TintOf(entry), x, y, w, h);
    return;
  }
  const float drop = std::min(float(kCaptionTintDrop), h);
  if (above) SkinFillSolid(g, TintOf(*above), x, y, w, drop);
  SkinFillSolid(g, TintOf(entry), x, y + drop, w, h - drop);
}

// The background of a window that lies in a background piece: copied from the
// piece's layer, tinted with the window's own colour.
void CopyFromPiece(HWND window, HDC dc, const RECT& rect, const SkinBackgroundSource& source) {
  if (source.piece == window) {
    if (const HWND outer = GetSkinPropHandle<HWND>(window, prop::Mb_zpf)) {
      CopyBehind(dc, rect, GetSkinPropHandle<HDC>(outer, prop::Wxk_Cj), SkinRectRelativeTo(outer, window));
    } else if (const SkinWindowRecord* top = SkinRecordAt(SkinTopSkinnedAncestor(window))) {
      CopyBehind(dc, rect, top->BackDC.get(), SkinRectInTopAncestor(window));
    }
    return;
  }
  CopyBehind(dc, rect, GetSkinPropHandle<HDC>(source.piece, prop::Wxk_Cj),
             SkinRectRelativeTo(source.piece, window));
  const int32_t number = source.record ? source.record : SkinTopSkinnedAncestor(window);
  SkinWindowRecord* record = SkinRecordAt(number);
  if (!record) return;
  const SkinContainerEntry* own = SkinEntryAt(record->Containers, SkinFindContainerEntry(number, window));
  if (own && int32_t(own->backgroundColor) > 0) TintStrip(dc, rect, *own);
}

}  // namespace

void ContainerSkinPaint(int32_t recordNumber, int32_t entryNumber) {
  SkinWindowRecord* record = SkinRecordAt(recordNumber);
  const SkinContainerEntry* entry = record ? SkinEntryAt(record->Containers, entryNumber) : nullptr;
  if (!entry) return;
  platform::WindowDC screen = platform::WindowDC::Client(entry->window);
  ContainerSkinPaint(recordNumber, entryNumber, screen.get());
}

void ContainerSkinPaint(int32_t recordNumber, int32_t entryNumber, HDC dc) {
  SkinWindowRecord* record = SkinRecordAt(recordNumber);
  if (!record) return;
  SkinContainerEntry* entry = SkinEntryAt(record->Containers, entryNumber);
  if (!entry) return;
  const HWND window = entry->window;
  RECT client = {};
  GetClientRect(window, &client);

  SkinMemoryDc buffer = entry->outline
                            ? SkinPaintParentBackground(window, client, kOutlineInset, kOutlineCorner)
                            : SkinPaintParentBackground(window, client);
  if (buffer) {
    if (entry->kind == ContainerKind::GroupBox) {
      GroupBoxSkinPaint(recordNumber, entryNumber, buffer.get());
    } else if (SkinGetClassNameText(window) == "SysTabControl32") {
      TabSkinPaint(window, buffer.get());
    } else if (entry->outline) {
      DrawOutline(buffer.get(), client);
    }
    SkinPaintChildBackground(window, buffer.get());
    platform::SavedDCState keep(dc);
    SkinGetClippedDC(window, dc);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
  }
  entry->rebuild = false;
  entry->childChanged = false;
  entry->paintedWidth = client.right;
  entry->paintedHeight = client.bottom;
}

void ContainerBackground(HWND window, HDC dc, const RECT& rect) {
  const SkinBackgroundSource source = SkinFindBackgroundContainer(window, true);
  if (source.piece) {
    CopyFromPiece(window, dc, rect, source);
    return;
  }
  const int32_t number = source.record ? source.record : SkinTopSkinnedAncestor(window);
  SkinWindowRecord* record = SkinRecordAt(number);
  if (!record) return;
  if (source.topLevel) {
    CopyBehind(dc, rect, record->BackDC.get(), SkinRectInContainer(window));
    const SkinContainerEntry* own = SkinEntryAt(record->Containers, SkinFindContainerEntry(number, window));
    if (own && own->backgroundColor != 0) TintStrip(dc, rect, *own);
    return;
  }
  CopyBehind(dc, rect, record->BackDC.get(), SkinRectInTopAncestor(window));
  // Inside a container: the window's own entry, when it is one, takes the
  // place of the container's.
  const SkinContainerEntry* own =
      source.record ? SkinEntryAt(record->Containers, SkinFindContainerEntry(number, window)) : nullptr;
  const SkinContainerEntry* entry = own ? own : SkinEntryAt(record->Containers, source.entry);
  if (!entry || entry->backgroundColor == 0) return;
  const SkinContainerEntry* above = nullptr;
  if (own && own->kind == ContainerKind::GroupBox) {
    const HWND parent = GetParent(window);
    const SkinContainerEntry* outer = SkinEntryAt(record->Containers, SkinFindContainerEntry(number, parent));
    if (outer && int32_t(outer->backgroundColor) > 0 && GetSkinProp(parent, prop::Wxk_Zpf) == 0) above = outer;
  }
  TintStrip(dc, rect, *entry, above);
}

}  // namespace korvath::skin
