// The transparent label: its entry, its procedure and its painter.
#include "skin/control/label_skin.h"

#include <unordered_map>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/string_format.h"
#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "skin/control/control_skin.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_caches.h"
#include "skin/core/font_cache.h"
#include "skin/core/parent_background.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

constexpr int32_t kHaloBlurDivisor = 4;
// The text area starts 2 pixels left of the client area and ends 6 beyond
// its right edge: the form's labels are laid out for a font whose glyphs
// start inside their cell.
constexpr float kTextLeft = -2.0f;
constexpr float kTextExtraWidth = 8.0f;

SkinLabelEntry* LabelEntryOf(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Labels).get(); }

void MarkDirty(HWND window) {
  if (SkinLabelEntry* entry = LabelEntryOf(window)) {
    entry->dirty = true;
    entry->overlapsGeneration = 0;
  }
}

// Nothing is erased: a clean label that its active owner repaints is drawn
// again in full.
LRESULT OnEraseBackground(HWND window, HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SkinLabelEntry* entry = LabelEntryOf(window);
  if (entry && !entry->dirty) entry->dirty = SkinFindParentSkin(window);
  return 1;
}

// The visible children of a parent with their screen rectangles, in Z order,
// as found at layout generation `generation`. Under Wine each step of a walk
// is a request to the window server: the labels that share a parent (twenty
// on the tool's window) share one walk while the layout stays, instead of
// walking all their siblings each.
struct VisibleChildren {
  uint32_t generation = 0;
  std::vector<std::pair<HWND, RECT>> children;
};
struct WalkedParents {
  std::unordered_map<HWND, VisibleChildren> parents;
};

const std::vector<std::pair<HWND, RECT>>& VisibleChildrenOf(HWND parent) {
  // Emptied with the layout generation it counts by, at the engine's reset.
  std::unordered_map<HWND, VisibleChildren>& walked = SkinEngineCache<WalkedParents>().parents;
  const uint32_t generation = SkinLayoutGeneration();
  // A change of layout drops every walk, also those of parents now gone.
  if (!walked.empty() && walked.begin()->second.generation != generation) walked.clear();
  VisibleChildren& found = walked[parent];
  if (found.generation != generation) {
    found.generation = generation;
    found.children.clear();
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r = {};
      if (!IsWindowVisible(child)) continue;
      GetWindowRect(child, &r);
      found.children.emplace_back(child, r);
    }
  }
  return found.children;
}

// A label's text area may overlap a neighbour (the HP label reaches into the
// HP box): the neighbour's edge stays, the label is drawn around it. The
// visible siblings that overlap the label, each with the overlap in the
// label's coordinates; kept in the label's entry while the layout stays.
std::vector<std::pair<HWND, RECT>> FindOverlappingSiblings(HWND window) {
  std::vector<std::pair<HWND, RECT>> found;
  RECT own = {};
  GetWindowRect(window, &own);
  for (const auto& [sibling, other] : VisibleChildrenOf(GetAncestor(window, GA_PARENT))) {
    RECT overlap = {};
    if (sibling == window || !IntersectRect(&overlap, &own, &other)) continue;
    OffsetRect(&overlap, -own.left, -own.top);
    found.emplace_back(sibling, overlap);
  }
  return found;
}

std::vector<std::pair<HWND, RECT>> OverlappingSiblings(HWND window, SkinLabelEntry* entry) {
  if (!entry) return FindOverlappingSiblings(window);
  const uint32_t generation = SkinLayoutGeneration();
  if (entry->overlapsGeneration != generation) {
    entry->overlaps = FindOverlappingSiblings(window);
    entry->overlapsGeneration = generation;
  }
  return entry->overlaps;
}

void ExcludeOverlappingSiblings(HWND window, SkinLabelEntry* entry, HDC dc) {
  for (const auto& [sibling, overlap] : OverlappingSiblings(window, entry))
    ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
}

SkinMemoryDc Picture(HWND window, const SkinLabelEntry& entry, const std::string& shown, const RECT& client);

// The one painter of the label's client, for WM_PAINT and WM_PRINTCLIENT,
// onto `dc`, which clips it to what is dirty: a label that changed is drawn
// again (and is clean from then on), a clean one restored from its owner's
// child layer. Where a neighbour overlaps the label, the neighbour's edge
// stays.
void Paint(HWND window, SkinLabelEntry& entry, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  ExcludeOverlappingSiblings(window, &entry, dc);
  if (!entry.dirty) {
    SkinRefreshWindow(window, false, false, dc);
    return;
  }
  RECT client = {};
  GetClientRect(window, &client);
  const SkinMemoryDc picture = Picture(window, entry, GetControlText(window), client);
  if (!picture) return;
  SkinGetClippedDC(window, dc);
  BitBlt(dc, 0, 0, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
  entry.dirty = false;
}

LRESULT OnPaint(HWND window) {
  platform::PaintScope paint(window);
  if (SkinLabelEntry* entry = LabelEntryOf(window)) Paint(window, *entry, paint.dc(), paint.dirty());
  return 0;
}

LRESULT OnPrintClient(HWND window, HDC dc) {
  SkinLabelEntry* entry = LabelEntryOf(window);
  if (!entry) return 0;
  RECT client = {};
  GetClientRect(window, &client);
  platform::SavedDCState keep(dc);
  Paint(window, *entry, dc, client);
  return 0;
}

std::string SetTextArgument(HWND window, LPARAM lParam) {
  if (!lParam) return {};
  if (IsWindowUnicode(window)) return platform::WideToGbk(reinterpret_cast<const wchar_t*>(lParam)).text;
  return reinterpret_cast<const char*>(lParam);
}

// The new text is drawn at once. The label's own procedure stores it first:
// a static control paints itself in the system's look as it does.
LRESULT OnSetText(HWND window, WPARAM wParam, LPARAM lParam) {
  std::string text = SetTextArgument(window, lParam);
  const LRESULT result = SkinForward(window, WM_SETTEXT, wParam, lParam);
  for (const auto& [sibling, overlap] : OverlappingSiblings(window, LabelEntryOf(window)))
    InvalidateRect(sibling, nullptr, TRUE);
  LabelSkinPaint(window, std::move(text));
  return result;
}

void DrawPlainText(gdip::Graphics& graphics, const SkinLabelEntry& entry, const std::string& text,
                   const gdip::RectF& layout) {
  gdip::Font font;
  gdip::StringFormat format;
  gdip::SolidBrush brush;
  const int flags = Gdiplus::StringFormatFlagsLineLimit | (entry.wrap ? 0 : Gdiplus::StringFormatFlagsNoWrap);
  if (!SkinFontFromName(font, entry.fontFace, float(entry.fontSize), entry.fontStyle, Gdiplus::UnitWorld) ||
      !format.Create(flags) || !brush.Create(gdip::Argb(SkinArgbFromColorRef(entry.textColor)))) {
    return;
  }
  format.SetAlign(Gdiplus::StringAlignment(entry.horizontalAlignment));
  format.SetLineAlign(Gdiplus::StringAlignment(entry.verticalAlignment));
  graphics.DrawString(text, font, brush, layout, &format);
}

}  // namespace

int32_t LabelSkinAttach(HWND window, const LabelSettings& settings) {
  const int32_t owner = SkinTopSkinnedAncestor(window);
  if (owner <= 0 || SkinIsSubclassed(window)) return 0;
  SkinWindowRecord* record = SkinRecordAt(owner);
  if (!record->Labels.empty() && record->Labels.front().window == nullptr) record->Labels.clear();
  record->Labels.emplace_back();
  const int32_t number = int32_t(record->Labels.size());
  SkinLabelEntry& entry = record->Labels.back();
  entry.window = window;
  entry.horizontalAlignment = settings.horizontalAlignment.value_or(Gdiplus::StringAlignmentNear);
  entry.verticalAlignment = settings.verticalAlignment.value_or(Gdiplus::StringAlignmentCenter);
  entry.wrap = settings.wrap.value_or(false);
  entry.textColor = settings.textColour.value_or(0);
  entry.haloColor = settings.haloColour;
  entry.fontFace = settings.fontFace.value_or(kDefaultFontFace);
  entry.fontSize = settings.fontSize.value_or(kDefaultFontSize);
  entry.fontStyle = settings.fontStyle.value_or(0);
  entry.dirty = true;

  // The chain is complete before the first message reaches the new procedure.
  entry.savedProc = SkinSubclass(window, {.procedure = &LabelSkinWndProc, .ownerNumber = owner, .entryNumber = number});
  return 1;
}

LRESULT CALLBACK LabelSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    case WM_MOVE:              MarkDirty(window); InvalidateRect(window, nullptr, FALSE); break;
    case WM_SHOWWINDOW:        if (wParam == 1) MarkDirty(window); break;
    case WM_SIZE:              MarkDirty(window); break;
    case WM_ERASEBKGND:        return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:             return OnPaint(window);
    case WM_PRINTCLIENT:       return OnPrintClient(window, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT:           return OnSetText(window, wParam, lParam);
    default:                   break;
  }
  return SkinForward(window, message, wParam, lParam);
}

void LabelSkinPaint(HWND window, std::optional<std::string> text) {
  SkinLabelEntry* entry = LabelEntryOf(window);
  if (!entry) return;
  RECT client = {};
  GetClientRect(window, &client);
  const SkinMemoryDc picture = Picture(window, *entry, text ? *text : GetControlText(window), client);
  if (!picture) return;
  platform::WindowDC screen = SkinGetClippedDC(window);
  ExcludeOverlappingSiblings(window, entry, screen.get());
  BitBlt(screen.get(), 0, 0, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
  entry->dirty = false;
}

namespace {

// What lies beneath the label with `shown` over it; the picture goes into
// the owner's child layer too.
SkinMemoryDc Picture(HWND window, const SkinLabelEntry& entry, const std::string& shown, const RECT& client) {
  SkinMemoryDc buffer = SkinPaintParentBackground(window, client);
  if (!buffer) return {};

  gdip::Graphics graphics;
  if (!shown.empty() && SkinGraphicsOnDC(graphics, buffer.get())) {
    const gdip::RectF layout = SkinMakeRect(kTextLeft, 0, float(client.right) + kTextExtraWidth,
                                            float(client.bottom));
    if (entry.haloColor) {
      SkinDrawControlText(graphics, shown, layout,
                          {.textColour = entry.textColor,
                           .glowColour = *entry.haloColor,
                           .blurDivisor = kHaloBlurDivisor,
                           .face = entry.fontFace,
                           .style = entry.fontStyle,
                           .size = float(entry.fontSize),
                           .horizontalAlign = Gdiplus::StringAlignment(entry.horizontalAlignment),
                           .verticalAlign = Gdiplus::StringAlignment(entry.verticalAlignment),
                           .wrap = entry.wrap});
    } else {
      DrawPlainText(graphics, entry, shown, layout);
    }
    graphics.Delete();
  }

  SkinPaintChildBackground(window, buffer.get());
  return buffer;
}

}  // namespace

}  // namespace korvath::skin
