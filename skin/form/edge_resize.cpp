#include "skin/form/edge_resize.h"

#include "skin/core/engine_state.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

namespace {

constexpr int32_t kCorner = 10;

LPCWSTR ZoneCursor(int32_t zone) {
  switch (zone) {
    case WMSZ_LEFT: case WMSZ_RIGHT: return MAKEINTRESOURCEW(32644);          // IDC_SIZEWE
    case WMSZ_TOP: case WMSZ_BOTTOM: return MAKEINTRESOURCEW(32645);          // IDC_SIZENS
    case WMSZ_TOPLEFT: case WMSZ_BOTTOMRIGHT: return MAKEINTRESOURCEW(32642);  // IDC_SIZENWSE
    default: return MAKEINTRESOURCEW(32643);                                   // IDC_SIZENESW
  }
}

void StartMove(const SkinWindowRecord& r, int32_t x, int32_t y) {
  if (r.DragAnywhere && ChildWindowFromPoint(r.Window, POINT{x, y}) == r.Window)
    SendMessageW(r.Window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace

int32_t SkinEdgeZone(int32_t x, int32_t y, int32_t W, int32_t H) {
  const int32_t B = SkinEngine.forms.SkinResizeBorder;
  if (x <= B && y > kCorner && y < H - kCorner) return WMSZ_LEFT;
  if (x >= W - B && y > kCorner && y < H - kCorner) return WMSZ_RIGHT;
  if (y <= B && x > kCorner && x < W - kCorner) return WMSZ_TOP;
  if (y >= H - B && x > kCorner && x < W - kCorner) return WMSZ_BOTTOM;
  if (x <= kCorner && y <= kCorner) return WMSZ_TOPLEFT;
  if (x >= W - kCorner && y <= kCorner) return WMSZ_TOPRIGHT;
  if (x <= kCorner && y >= H - kCorner) return WMSZ_BOTTOMLEFT;
  if (x >= W - kCorner && y >= H - kCorner) return WMSZ_BOTTOMRIGHT;
  return 0;
}

void SkinSetEdgeCursor(const SkinWindowRecord& r, POINT point, const RECT& client) {
  if (!r.Resizable) return;
  if (const int32_t zone = SkinEdgeZone(point.x, point.y, client.right, client.bottom))
    SetCursor(LoadCursorW(nullptr, ZoneCursor(zone)));
}

void SkinStartEdgeResize(SkinWindowRecord& r, POINT point, const RECT& client) {
  const int32_t x = point.x, y = point.y, W = client.right, H = client.bottom;
  if (x >= r.ButtonStripLeft && x <= r.ButtonStripLeft + r.ButtonStripWidth && y >= 3 &&
      y <= r.ButtonStripHeight)
    return;
  if (x >= 5 && x <= W - 5 && y >= H - r.StatusBarHeight && y <= H - 5) return;
  if (r.HasBorder && r.Resizable) {
    if (const int32_t zone = SkinEdgeZone(x, y, W, H)) {
      r.RenderPending = true;
      SetCursor(LoadCursorW(nullptr, ZoneCursor(zone)));
      SendMessageW(r.Window, WM_SYSCOMMAND, SC_SIZE + zone, 0);
      return;
    }
  }
  StartMove(r, x, y);
}

}  // namespace korvath::skin
