#pragma once
// A picture of a control, or of part of it, drawn over what lies beneath it:
// a registered memory DC of the rectangle's size that starts as the parent
// background (parent_background.h), the GDI+ graphics a painter draws with,
// and the hand-over of the finished picture to the owner's child layer
// (child_layer.h). The graphics goes before the picture is used again: a
// picture is handed on, copied or given away only once its drawing has
// ended.
//
//   SkinCanvas canvas(owner, window, client, {.drawing = SkinCanvasDrawing::ThroughDc});
//   if (!canvas) return;
//   Draw(canvas.graphics());
//   canvas.Finish();           // the picture into the child layer
//   canvas.CopyTo(paintDc);    // and onto the window
#include <windows.h>

#include <cstdint>
#include <optional>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

struct SkinWindowRecord;

// How a painter draws on the picture.
enum class SkinCanvasDrawing : uint8_t {
  None,       // GDI only, or no drawing (a native control paints into dc())
  ThroughDc,  // GDI+ through the DC (SkinGraphicsOnDC)
  OnPixels,   // GDI+ on the DIB's own pixels (SkinGraphicsOnMemoryDC)
};

struct SkinCanvasOptions {
  // The parent background's rounded tint (SkinPaintParentBackground): both
  // given, an outlined container's shape.
  std::optional<int32_t> inset;
  std::optional<int32_t> radius;
  SkinCanvasDrawing drawing = SkinCanvasDrawing::None;
  SkinRenderQuality quality = kSkinPlainRendering;
  // No background: a painter that covers the whole picture (a kept face).
  bool blank = false;
};

// Where the picture goes in the child layer: the window's client area or its
// whole window rectangle (a picture with the frame).
enum class SkinLayerCopy : uint8_t { ClientArea, WindowRect };

class SkinCanvas {
 public:
  // Over what lies beneath `window` under `rect` (the window's own
  // coordinates); `owner` is the window's skinned top-level record.
  SkinCanvas(const SkinWindowRecord& owner, HWND window, const RECT& rect, const SkinCanvasOptions& options = {});
  SkinCanvas() = default;
  ~SkinCanvas() { EndDrawing(); }
  SkinCanvas(SkinCanvas&& other) noexcept;
  SkinCanvas& operator=(SkinCanvas&& other) noexcept;
  SkinCanvas(const SkinCanvas&) = delete;
  SkinCanvas& operator=(const SkinCanvas&) = delete;

  // A picture was made and, when asked for, a graphics on it: else nothing
  // is to be painted.
  explicit operator bool() const { return ready_; }
  HDC dc() const { return surface_.get(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  gdip::Graphics& graphics() { return graphics_; }

  // Deletes the graphics (and the bitmap over the pixels): the DC may be
  // drawn on through GDI, or copied, afterwards.
  void EndDrawing();
  // EndDrawing, then the picture into the owner's child layer at the
  // window's client area or window rectangle.
  void Finish(SkinLayerCopy copy = SkinLayerCopy::ClientArea);
  // EndDrawing, then the picture (window size) into the child layer at the
  // window's rectangle with the pixels of `key` left out (`keyArea`: where the
  // picture was filled with it, when known).
  void FinishKeyed(COLORREF key, std::optional<RECT> keyArea = std::nullopt);
  // EndDrawing, then the picture at (x, y) of `target`, a DC that stays the
  // caller's.
  void CopyTo(HDC target, int32_t x = 0, int32_t y = 0);
  // EndDrawing, then the picture for whoever keeps it (a cross-fade); the
  // canvas is empty afterwards.
  SkinMemoryDc Release();

 private:
  const SkinWindowRecord* owner_ = nullptr;
  HWND window_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  // In this order: the graphics goes first, then the bitmap over the
  // pixels, then the DC they draw into.
  SkinMemoryDc surface_;
  gdip::Bitmap pixels_;
  gdip::Graphics graphics_;
  bool ready_ = false;
};

}  // namespace korvath::skin
