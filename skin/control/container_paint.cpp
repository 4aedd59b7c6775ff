#include "skin/control/container_paint.h"

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/gdi_object.h"
#include "skin/control/frame_paint.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/drawing_values.h"
#include "skin/core/parent_background.h"
#include "skin/core/rounded_path.h"
#include "skin/core/shape_drawing.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"

namespace korvath::skin {

namespace {

constexpr int32_t kKindGroupBox = 1;
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

}  // namespace

void ContainerSkinPaint(int32_t recordNumber, int32_t entryNumber) {
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
    if (entry->kind == kKindGroupBox) {
      GroupBoxSkinPaint(recordNumber, entryNumber, buffer.get());
    } else if (SkinGetClassNameText(window) == "SysTabControl32") {
      TabSkinPaint(window, buffer.get());
    } else if (entry->outline) {
      DrawOutline(buffer.get(), client);
    }
    SkinPaintChildBackground(window, buffer.get());
    platform::WindowDC screen = SkinGetClippedDC(window);
    BitBlt(screen.get(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
  }
  entry->rebuild = false;
  entry->childChanged = false;
  entry->paintedWidth = client.right;
  entry->paintedHeight = client.bottom;
}

void ContainerBackground(HWND window, HDC dc, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  SkinMemoryDc behind = SkinPaintParentBackground(window, rect);
  if (behind) BitBlt(dc, rect.left, rect.top, width, height, behind.get(), 0, 0, SRCCOPY);
}

}  // namespace korvath::skin
