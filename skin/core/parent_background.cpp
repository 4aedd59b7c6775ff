#include "skin/core/parent_background.h"

#include <cstring>

#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "skin/core/background_container.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"
#include "skin/draw/tab_page_rect.h"

namespace korvath::skin {

namespace {

// A group box's skinned frame: from below the caption's middle, 6 pixels short
// of the bottom, corner size 5.
constexpr float kGroupFrameTop = 5.0f;
constexpr int kGroupFrameBottomGap = 6;
constexpr int32_t kFrameCorner = 5;

bool IsPanel(HWND window) { return GetSkinProp(window, prop::Zqk_LbID) > 0; }
bool IsTabControl(HWND window) { return SkinGetClassNameText(window) == "SysTabControl32"; }
// Colours compared "as a signed value": -1 (no colour) does not count.
bool HasPositiveColour(const SkinContainerEntry& entry) {
  return static_cast<int32_t>(entry.backgroundColor) > 0;
}

// The window whose background is being made, with what its fill needs: its
// rectangle and size, the inset shape asked for, and its skinned top-level
// record, which gives the container entries around it.
struct Target {
  HWND window;
  const RECT& rect;
  int width;
  int height;
  std::optional<int32_t> inset;
  std::optional<int32_t> radius;
  const SkinWindowRecord& record;

  const SkinContainerEntry* Entry(int32_t n) const { return SkinEntryAt(record.Containers, n); }
  const SkinContainerEntry* Own() const { return SkinContainerEntryOf(record, window); }
  const SkinContainerEntry* ParentEntry() const { return SkinContainerEntryOf(record, GetParent(window)); }

  // Which entry's colour fills a container's shape: its own, except for a
  // panel, which takes its parent container's (when the parent is one; with
  // `parentNeedsColour` only when that one has a colour).
  const SkinContainerEntry* FillEntry(const SkinContainerEntry& own, bool parentNeedsColour) const {
    if (GetSkinProp(window, prop::Zqk_LbID) == 0) return &own;
    const SkinContainerEntry* parent = ParentEntry();
    if (!parent || (parentNeedsColour && parent->backgroundColor == 0)) return nullptr;
    return parent;
  }

  void AddGroupFrame(gdip::GraphicsPath& path) const {
    SkinPathAddRoundRect(path, 0, kGroupFrameTop, static_cast<float>(rect.right),
                         static_cast<float>(rect.bottom - kGroupFrameBottomGap), kFrameCorner);
  }
  bool AddInsetShape(gdip::GraphicsPath& path) const {
    if (!inset || !radius) return false;
    SkinPathAddRoundRectI(path, static_cast<float>(*inset), static_cast<float>(*inset),
                          static_cast<float>(width - 2 * *inset),
                          static_cast<float>(height - 2 * *inset), *radius);
    return true;
  }
  void AddWhole(gdip::GraphicsPath& path) const {
    path.AddRectangle(0, 0, static_cast<float>(width), static_cast<float>(height));
  }

  // The shape of a container's own fill when its background is a skinned
  // window's back buffer (`fromBackBuffer`) or a background piece's layer:
  // the two differ in the tab page's size and in clipping to the inset shape.
  void BuildOwnShape(gdip::Graphics& graphics, gdip::GraphicsPath& path,
                     const SkinContainerEntry& entry, bool fromBackBuffer) const {
    if (entry.kind == ContainerKind::GroupBox) {
      AddGroupFrame(path);
      graphics.SetClipPath(path, Gdiplus::CombineModeReplace);
    } else if (IsTabControl(window)) {
      const RECT page = SkinTabPageRect(entry.window);
      const int shrink = fromBackBuffer ? 1 : 0;
      SkinPathAddRoundRect(path, static_cast<float>(page.left), static_cast<float>(page.top),
                           static_cast<float>(page.right - page.left - shrink),
                           static_cast<float>(page.bottom - page.top - shrink), kFrameCorner);
      graphics.SetClipPath(path, Gdiplus::CombineModeReplace);
    } else if (AddInsetShape(path)) {
      if (fromBackBuffer) graphics.SetClipPath(path, Gdiplus::CombineModeReplace);
    } else {
      AddWhole(path);
    }
  }
};

void Fill(gdip::Graphics& graphics, const gdip::GraphicsPath& path, const SkinContainerEntry* entry) {
  if (entry) SkinFillSolid(graphics, SkinArgbFromColorRef(entry->backgroundColor, entry->backgroundAlpha), path);
}

void FillWhole(HDC dc, const Target& target, const SkinContainerEntry& entry) {
  gdip::Graphics graphics;
  gdip::GraphicsPath path;
  if (!SkinGraphicsOnDC(graphics, dc) || !path.Create()) return;
  target.AddWhole(path);
  Fill(graphics, path, &entry);
}

void CopyFrom(HDC dc, int width, int height, HDC source, const RECT& offset, const RECT& rect) {
  BitBlt(dc, 0, 0, width, height, source, offset.left + rect.left, offset.top + rect.top, SRCCOPY);
}

HDC PieceLayer(HWND piece) { return GetSkinPropHandle<HDC>(piece, prop::Wxk_Cj); }

// The first registered ancestor is the skinned top-level window (or the
// window is one itself).
void PaintOnSkinnedWindow(HDC dc, const Target& target) {
  CopyFrom(dc, target.width, target.height, target.record.BackDC.get(),
           SkinRectInContainer(target.record, target.window), target.rect);
  const SkinContainerEntry* own = target.Own();
  if (!own || (own->backgroundColor == 0 && !IsPanel(target.window))) return;
  gdip::Graphics graphics;
  gdip::GraphicsPath path;
  if (!SkinGraphicsOnDC(graphics, dc) || !path.Create()) return;
  target.BuildOwnShape(graphics, path, *own, true);
  Fill(graphics, path, target.FillEntry(*own, false));
}

// The window lies inside a background piece other than itself.
void PaintInPiece(HDC dc, HWND piece, const Target& target) {
  if (const SkinContainerEntry* own = target.Own()) {
    if (!HasPositiveColour(*own) && !IsPanel(target.window)) return;
    gdip::Graphics graphics;
    gdip::GraphicsPath path;
    if (!SkinGraphicsOnDC(graphics, dc) || !path.Create()) return;
    target.BuildOwnShape(graphics, path, *own, false);
    Fill(graphics, path, target.FillEntry(*own, true));
    return;
  }
  const SkinContainerEntry* outer = target.Entry(SkinParentContainerEntry(target.record, target.window, piece));
  if (outer && HasPositiveColour(*outer)) FillWhole(dc, target, *outer);
}

// The window lies inside a registered container of a skinned window.
void PaintInContainer(HDC dc, const Target& target) {
  const SkinContainerEntry* own = target.Own();
  CopyFrom(dc, target.width, target.height, target.record.BackDC.get(),
           SkinRectInTopAncestor(target.record, target.window), target.rect);
  if (!own) {
    const SkinContainerEntry* outer = target.Entry(SkinParentContainerEntry(target.record, target.window));
    if (outer && outer->backgroundColor != 0) FillWhole(dc, target, *outer);
    return;
  }
  if (own->backgroundColor == 0 && !IsPanel(target.window)) return;
  gdip::Graphics graphics;
  gdip::GraphicsPath path;
  if (!SkinGraphicsOnDC(graphics, dc) || !path.Create()) return;
  if (own->kind == ContainerKind::GroupBox) {
    // A group box in a coloured container: the band outside its rounded
    // frame keeps the outer container's colour.
    HWND parent = GetParent(target.window);
    const SkinContainerEntry* outer = target.ParentEntry();
    if (outer && GetSkinProp(parent, prop::Wxk_Zpf) == 0 && HasPositiveColour(*outer)) {
      const float right = static_cast<float>(target.rect.right);
      const float bottom = static_cast<float>(target.rect.bottom);
      gdip::GraphicsPath frame;
      gdip::SolidBrush band;
      if (frame.Create() && band.Create(SkinArgbFromColorRef(outer->backgroundColor, outer->backgroundAlpha))) {
        graphics.SetClipRect(0, 0, right, bottom, Gdiplus::CombineModeReplace);
        target.AddGroupFrame(frame);
        graphics.SetClipPath(frame, Gdiplus::CombineModeXor);
        graphics.FillRectangle(band, 0, 0, right, bottom);
        graphics.ResetClip();
      }
    }
    target.AddGroupFrame(path);
    graphics.SetClipPath(path, Gdiplus::CombineModeReplace);
  } else if (!target.AddInsetShape(path)) {
    target.AddWhole(path);
  }
  Fill(graphics, path, target.FillEntry(*own, true));
}

// A window that is a background piece itself keeps a layer of its own: the
// picture is copied from the piece it lies in, unfilled; without one from
// the back buffer of `top` when there is a top.
SkinMemoryDc CopyOwnPiece(const SkinWindowRecord* top, HWND window, const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  SkinMemoryDc dc = SkinMemoryDc::Create(width, height);
  if (HWND outer = GetSkinPropHandle<HWND>(window, prop::Mb_zpf)) {
    CopyFrom(dc.get(), width, height, PieceLayer(outer), SkinRectRelativeTo(outer, window), rect);
  } else if (top) {
    CopyFrom(dc.get(), width, height, top->BackDC.get(), SkinRectInTopAncestor(*top, window), rect);
  }
  return dc;
}

// The picture of the piece the window lies in, at the window's place.
SkinMemoryDc CopyPiece(HWND piece, HWND window, const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  SkinMemoryDc dc = SkinMemoryDc::Create(width, height);
  CopyFrom(dc.get(), width, height, PieceLayer(piece), SkinRectRelativeTo(piece, window), rect);
  return dc;
}

}  // namespace

SkinMemoryDc SkinPaintParentBackground(const SkinWindowRecord& owner, HWND window, const RECT& rect,
                                       std::optional<int32_t> inset, std::optional<int32_t> radius) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const SkinBackgroundSource source = SkinFindBackgroundContainer(owner, window, true);
  const Target target{window, rect, width, height, inset, radius, owner};
  if (source.piece == window) return CopyOwnPiece(&owner, window, rect);
  if (source.piece) {
    SkinMemoryDc dc = CopyPiece(source.piece, window, rect);
    PaintInPiece(dc.get(), source.piece, target);
    return dc;
  }
  // Inside a container the entry found on the way up is not used: the tint
  // comes from the nearest container that paints its own background.
  SkinMemoryDc dc = SkinMemoryDc::Create(width, height);
  if (source.topLevel) {
    PaintOnSkinnedWindow(dc.get(), target);
  } else {
    PaintInContainer(dc.get(), target);
  }
  return dc;
}

SkinMemoryDc SkinPaintPieceBackground(HWND window, const RECT& rect) {
  if (SkinIsBackgroundPiece(window)) return CopyOwnPiece(nullptr, window, rect);
  if (const HWND piece = GetParentBackgroundPiece(window)) return CopyPiece(piece, window, rect);
  return {};
}

SkinMemoryDc SkinPaintParentBackground(HWND window, const RECT& rect, std::optional<int32_t> inset,
                                       std::optional<int32_t> radius) {
  if (const SkinWindowRecord* top = SkinTopSkinnedRecord(window)) {
    return SkinPaintParentBackground(*top, window, rect, inset, radius);
  }
  return SkinPaintPieceBackground(window, rect);
}

}  // namespace korvath::skin
