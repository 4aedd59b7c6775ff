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
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/entry_install.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/engine_caches.h"
#include "skin/draw/font_cache.h"

namespace korvath::skin {

namespace {

constexpr int32_t kHaloBlurDivisor = 4;
// The text area starts 2 pixels left of the client area and ends 6 beyond
// its right edge: the form's labels are laid out for a font whose glyphs
// start inside their cell.
constexpr float kTextLeft = -2.0f;
constexpr float kTextExtraWidth = 8.0f;

LabelRef Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Labels); }

void MarkDirty(const LabelRef& label) {
  if (label) {
    label->dirty = true;
    label->overlapsGeneration = 0;
  }
}

// Nothing is erased: a clean label that its active owner repaints is drawn
// again in full.
LRESULT OnEraseBackground(const SkinMessage& m, const LabelRef& label) {
  SetBkMode(m.dc(), TRANSPARENT);
  if (label && !label->dirty) label->dirty = SkinFindParentSkin(*label.record);
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

SkinCanvas Picture(const LabelRef& label, const std::string& shown, const RECT& client);

// The one painter of the label's client, for WM_PAINT and WM_PRINTCLIENT,
// onto `dc`, which clips it to what is dirty: a label that changed is drawn
// again (and is clean from then on), a clean one restored from its owner's
// child layer. Where a neighbour overlaps the label, the neighbour's edge
// stays.
void Paint(const LabelRef& label, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  const HWND window = label->window;
  ExcludeOverlappingSiblings(window, label.get(), dc);
  if (!label->dirty) {
    SkinRefreshWindow(*label.record, window, false, dc);
    return;
  }
  RECT client = {};
  GetClientRect(window, &client);
  SkinCanvas picture = Picture(label, GetControlText(window), client);
  if (!picture.dc()) return;
  SkinGetClippedDC(window, dc);
  picture.CopyTo(dc);
  label->dirty = false;
}

LRESULT OnPaint(const SkinMessage& m, const LabelRef& label) {
  platform::PaintScope paint(m.window);
  if (label) Paint(label, paint.dc(), paint.dirty());
  return 0;
}

LRESULT OnPrintClient(const SkinMessage& m, const LabelRef& label) {
  if (!label) return 0;
  RECT client = {};
  GetClientRect(m.window, &client);
  platform::SavedDCState keep(m.dc());
  Paint(label, m.dc(), client);
  return 0;
}

std::string SetTextArgument(const SkinMessage& m) {
  if (!m.lParam) return {};
  if (IsWindowUnicode(m.window)) return platform::WideToGbk(m.wideText()).text;
  return m.ansiText();
}

// The new text is drawn at once. The label's own procedure stores it first:
// a static control paints itself in the system's look as it does. Its
// entry is found again after that procedure ran.
LRESULT OnSetText(const SkinMessage& m) {
  std::string text = SetTextArgument(m);
  const LRESULT result = m.Forward();
  const LabelRef label = Find(m.window);
  for (const auto& [sibling, overlap] : OverlappingSiblings(m.window, label.get()))
    InvalidateRect(sibling, nullptr, TRUE);
  LabelSkinPaint(label, std::move(text));
  return result;
}

void DrawPlainText(gdip::Graphics& graphics, const SkinLabelEntry& entry, const std::string& text,
                   const gdip::RectF& layout) {
  gdip::Font font;
  gdip::StringFormat format;
  gdip::SolidBrush brush;
  const int flags = Gdiplus::StringFormatFlagsLineLimit | (entry.wrap ? 0 : Gdiplus::StringFormatFlagsNoWrap);
  if (!SkinFontFromName(font, entry.fontFace, float(entry.fontSize), entry.fontStyle, Gdiplus::UnitWorld) ||
      !format.Create(flags) || !brush.Create(SkinArgbFromColorRef(entry.textColor))) {
    return;
  }
  format.SetAlign(Gdiplus::StringAlignment(entry.horizontalAlignment));
  format.SetLineAlign(Gdiplus::StringAlignment(entry.verticalAlignment));
  graphics.DrawString(text, font, brush, layout, &format);
}

}  // namespace

int32_t LabelSkinAttach(HWND window, const LabelSettings& settings) {
  SkinWindowRecord* record = SkinTopSkinnedRecord(window);
  if (!record || SkinIsSubclassed(window)) return 0;
  SkinTakeEntry(*record, &SkinWindowRecord::Labels, window, {.procedure = &LabelSkinWndProc},
                [&](const LabelRef& entry) {
                  entry->horizontalAlignment = settings.horizontalAlignment.value_or(Gdiplus::StringAlignmentNear);
                  entry->verticalAlignment = settings.verticalAlignment.value_or(Gdiplus::StringAlignmentCenter);
                  entry->wrap = settings.wrap.value_or(false);
                  entry->textColor = settings.textColour.value_or(0);
                  entry->haloColor = settings.haloColour;
                  entry->fontFace = settings.fontFace.value_or(kDefaultFontFace);
                  entry->fontSize = settings.fontSize.value_or(kDefaultFontSize);
                  entry->fontStyle = settings.fontStyle.value_or(0);
                  entry->dirty = true;
                });
  return 1;
}

namespace {

// The skin's part of a message to LabelSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const WPARAM wParam = m.wParam;
  const LabelRef label = Find(window);
  switch (message) {
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(label, window); break;
    case WM_MOVE:              MarkDirty(label); InvalidateRect(window, nullptr, FALSE); break;
    case WM_SHOWWINDOW:        if (wParam == 1) MarkDirty(label); break;
    case WM_SIZE:              MarkDirty(label); break;
    case WM_ERASEBKGND:        return OnEraseBackground(m, label);
    case WM_PAINT:             return OnPaint(m, label);
    case WM_PRINTCLIENT:       return OnPrintClient(m, label);
    case WM_SETTEXT:           return OnSetText(m);
    default:                   break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK LabelSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

void LabelSkinPaint(const LabelRef& label, std::optional<std::string> text) {
  if (!label) return;
  const HWND window = label->window;
  RECT client = {};
  GetClientRect(window, &client);
  SkinCanvas picture = Picture(label, text ? *text : GetControlText(window), client);
  if (!picture.dc()) return;
  platform::WindowDC screen = SkinGetClippedDC(window);
  ExcludeOverlappingSiblings(window, label.get(), screen.get());
  picture.CopyTo(screen.get());
  label->dirty = false;
}

namespace {

// What lies beneath the label with `shown` over it; the picture goes into
// the owner's child layer too.
SkinCanvas Picture(const LabelRef& label, const std::string& shown, const RECT& client) {
  const SkinLabelEntry& entry = *label;
  SkinCanvas buffer(*label.record, entry.window, client,
                    {.drawing = shown.empty() ? SkinCanvasDrawing::None : SkinCanvasDrawing::ThroughDc});
  if (!buffer.dc()) return {};
  if (!shown.empty() && buffer) {
    const gdip::RectF layout = SkinMakeRect(kTextLeft, 0, float(client.right) + kTextExtraWidth,
                                            float(client.bottom));
    if (entry.haloColor) {
      SkinDrawControlText(buffer.graphics(), shown, layout,
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
      DrawPlainText(buffer.graphics(), entry, shown, layout);
    }
  }
  buffer.Finish();
  return buffer;
}

}  // namespace

}  // namespace korvath::skin
