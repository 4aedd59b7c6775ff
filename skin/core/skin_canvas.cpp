#include "skin/core/skin_canvas.h"

#include <utility>

#include "skin/core/child_layer.h"
#include "skin/core/parent_background.h"

namespace korvath::skin {

SkinCanvas::SkinCanvas(const SkinWindowRecord& owner, HWND window, const RECT& rect,
                       const SkinCanvasOptions& options)
    : owner_(&owner), window_(window), width_(rect.right - rect.left), height_(rect.bottom - rect.top) {
  surface_ = options.blank ? SkinMemoryDc::Create(width_, height_)
                           : SkinPaintParentBackground(owner, window_, rect, options.inset, options.radius);
  if (!surface_) return;
  switch (options.drawing) {
    case SkinCanvasDrawing::None:
      ready_ = true;
      break;
    case SkinCanvasDrawing::ThroughDc:
      ready_ = SkinGraphicsOnDC(graphics_, surface_.get(), options.quality);
      break;
    case SkinCanvasDrawing::OnPixels:
      ready_ = SkinGraphicsOnMemoryDC(graphics_, pixels_, surface_.get(), options.quality);
      break;
  }
}

SkinCanvas::SkinCanvas(SkinCanvas&& other) noexcept
    : owner_(std::exchange(other.owner_, nullptr)),
      window_(std::exchange(other.window_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      surface_(std::move(other.surface_)),
      pixels_(std::move(other.pixels_)),
      graphics_(std::move(other.graphics_)),
      ready_(std::exchange(other.ready_, false)) {}

SkinCanvas& SkinCanvas::operator=(SkinCanvas&& other) noexcept {
  if (this == &other) return *this;
  // The graphics before the pixels and the DC it draws into.
  EndDrawing();
  owner_ = std::exchange(other.owner_, nullptr);
  window_ = std::exchange(other.window_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  graphics_ = std::move(other.graphics_);
  pixels_ = std::move(other.pixels_);
  surface_ = std::move(other.surface_);
  ready_ = std::exchange(other.ready_, false);
  return *this;
}

void SkinCanvas::EndDrawing() {
  graphics_.Delete();
  pixels_.Dispose();
}

void SkinCanvas::Finish(SkinLayerCopy copy) {
  EndDrawing();
  if (surface_ && owner_) SkinPaintChildBackground(*owner_, window_, surface_.get(), copy == SkinLayerCopy::WindowRect);
}

void SkinCanvas::FinishKeyed(COLORREF key, std::optional<RECT> keyArea) {
  EndDrawing();
  if (surface_ && owner_) SkinBlitToOwnerBuffer(*owner_, window_, surface_.get(), key, keyArea);
}

void SkinCanvas::CopyTo(HDC target, int32_t x, int32_t y) {
  EndDrawing();
  if (surface_ && target) BitBlt(target, x, y, width_, height_, surface_.get(), 0, 0, SRCCOPY);
}

SkinMemoryDc SkinCanvas::Release() {
  EndDrawing();
  ready_ = false;
  return std::move(surface_);
}

}  // namespace korvath::skin
