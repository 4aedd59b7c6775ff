#include "skin/form/form_render.h"

#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/caption/caption_buttons.h"
#include "skin/caption/caption_title.h"
#include "skin/core/window_props.h"
#include "skin/core/window_record.h"
#include "skin/draw/skin_graphics.h"
#include "skin/draw/window_region.h"
#include "skin/form/child_repaint.h"
#include "skin/form/form_background.h"
#include "skin/form/form_paint_path.h"
#include "skin/form/status_bar.h"

namespace korvath::skin {

namespace {

// `to` of the target from the source, starting at `from` there.
void CopyRect(HDC target, const RECT& to, HDC source, POINT from = {0, 0}) {
  const int width = to.right - to.left, height = to.bottom - to.top;
  if (target && source && width > 0 && height > 0)
    BitBlt(target, to.left, to.top, width, height, source, from.x, from.y, SRCCOPY);
}

// The layers up to the outline, then the saved backgrounds, then what the
// partial painters redraw over them.
void ComposeLayers(SkinWindowRecord& r, int width, int height) {
  gdip::Graphics graphics;
  // Without a graphics the GDI layers still come; the GDI+ ones fail alone.
  (void)SkinGraphicsOnDC(graphics, r.BackDC.get());
  SkinPaintBackground(graphics, r);
  if (r.HasBorder) {
    SkinPaintBorder(r, graphics);
    r.CaptionDC = SkinMemoryDc::Create(width, r.CaptionHeight);
    CopyRect(r.CaptionDC.get(), {0, 0, width, r.CaptionHeight}, r.BackDC.get());
  }
  const gdip::Rect& bar = r.StatusBarRect;
  if (r.StatusBarHeight > 0) {
    r.TextDC = SkinMemoryDc::Create(bar.width, bar.height);
    CopyRect(r.TextDC.get(), {0, 0, bar.width, bar.height}, r.BackDC.get(), {bar.x, bar.y});
  }
  if (r.HasBorder) {
    if (r.ShowTitle) SkinPaintCaption(r, graphics, true);
    for (size_t i = 0; i < r.CaptionItems.size(); ++i)
      SkinPaintCaptionButtons(r, graphics, {.item = static_cast<int32_t>(i + 1), .insideRender = true});
  }
  if (r.StatusBarHeight > 0) {
    for (size_t i = 0; i < r.StatusBarSegments.size(); ++i)
      SkinPaintStatusSegment(r, graphics, true, static_cast<int32_t>(i + 1));
  }
}

// The region follows the client size only: a render at the size the window
// is already shaped for keeps it, and the first shaping has no old region to
// take off first.
void ShapeForm(SkinWindowRecord& r) {
  RECT client{};
  GetClientRect(r.Window, &client);
  if (r.RegionSize.cx == client.right && r.RegionSize.cy == client.bottom) return;
  if (r.RegionSize.cx >= 0) {
    SkinSetRoundRegion(r.Window);
    GetClientRect(r.Window, &client);
  } else {
    SkinSetRoundedRegion(r.Window, client.right, client.bottom, 5);
  }
  r.RegionSize = {client.right, client.bottom};
}

}  // namespace

void SkinFormRender(SkinWindowRecord& r, HDC target, bool present) {
  if (r.HasBorder && present) ShapeForm(r);
  RECT client{};
  GetClientRect(r.Window, &client);
  const int width = client.right, height = client.bottom;

  // The old surface goes just before its new one is made.
  r.BackDC.Reset();
  r.BackDC = SkinMemoryDc::Create(width, height);
  ComposeLayers(r, width, height);

  r.ChildBackDC.Reset();
  r.ChildBackDC = SkinMemoryDc::Create(width, height);
  CopyRect(r.ChildBackDC.get(), {0, 0, width, height}, r.BackDC.get());
  SetSkinPropHandle(r.Window, prop::CK_Ggcj, r.ChildBackDC.get());

  r.RenderPending = false;
  r.ClientWidth = width;
  r.ClientHeight = height;
  if (!present) return;
  // A form about to show (its WM_SHOWWINDOW) shows nothing drawn on its
  // DC; the WM_PAINT that showing brings puts the back buffer on it.
  if (target || IsWindowVisible(r.Window)) SkinPaintToDC(r, target);
  SkinInvalidateChildren(r);
}

void SkinSetRoundRegion(HWND window) {
  SetWindowRgn(window, nullptr, TRUE);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(window, &client);
  SkinSetRoundedRegion(window, client.right, client.bottom, 5);
}

void SkinBlitPart2(const SkinWindowRecord& r, const RECT& rect) {
  CopyRect(r.BackDC.get(), rect, r.TextDC.get(), {rect.left - r.StatusBarRect.x, rect.top - r.StatusBarRect.y});
}

}  // namespace korvath::skin
