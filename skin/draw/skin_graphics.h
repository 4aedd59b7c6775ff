#pragma once
// The one way a painter of the engine gets a GDI+ Graphics to draw with:
// bound to a device context or an image and set to the rendering quality the
// painter asks for. A Graphics starts with GDI+'s defaults (no anti-aliasing,
// default interpolation, compositing, pixel offset and text rendering); a
// quality changes only the modes it names, so each painter states in one
// place how it draws and nothing is switched on behind its back.
//
//   gdip::Graphics g;
//   if (!SkinGraphicsOnDC(g, buffer.get(), kSkinSmoothRendering)) return;
//
// Painters that draw with the defaults pass nothing (kSkinPlainRendering).
// A painter whose look needs a combination that no preset names builds its
// own: SkinRenderQuality{.smoothing = ..., .pixelOffset = ...}.
#include <windows.h>
// After windows.h, whose types it uses.
#include <gdiplus.h>

#include <optional>

namespace korvath::gdip {
class Bitmap;
class Graphics;
class Image;
}  // namespace korvath::gdip

namespace korvath::skin {

// The rendering modes a painter sets; a mode not given keeps its current
// value (GDI+'s default on a fresh Graphics).
struct SkinRenderQuality {
  std::optional<Gdiplus::SmoothingMode> smoothing;
  std::optional<Gdiplus::InterpolationMode> interpolation;
  std::optional<Gdiplus::CompositingQuality> compositing;
  std::optional<Gdiplus::PixelOffsetMode> pixelOffset;
  std::optional<Gdiplus::TextRenderingHint> textRendering;
};

// GDI+'s defaults: shapes and images are not anti-aliased.
inline constexpr SkinRenderQuality kSkinPlainRendering{};
// Anti-aliased strokes and fills; images and text at the defaults.
inline constexpr SkinRenderQuality kSkinSmoothRendering{.smoothing = Gdiplus::SmoothingModeAntiAlias};
// Anti-aliased shapes, and pictures scaled smoothly into their places (the
// panel's frame with its icon and image buttons).
inline constexpr SkinRenderQuality kSkinSmoothPictureRendering{
    .smoothing = Gdiplus::SmoothingModeAntiAlias,
    .interpolation = Gdiplus::InterpolationModeHighQualityBicubic};
// A picture drawn smaller and back to its size to blur it (the drop shadow,
// the halo behind control text): every step resamples at the best quality,
// with gamma-corrected blending and pixel centres at whole coordinates.
inline constexpr SkinRenderQuality kSkinBlurRendering{
    .smoothing = Gdiplus::SmoothingModeAntiAlias,
    .interpolation = Gdiplus::InterpolationModeHighQualityBicubic,
    .compositing = Gdiplus::CompositingQualityGammaCorrected,
    .pixelOffset = Gdiplus::PixelOffsetModeNone};
// Anti-aliased text fitted to the pixel grid (control text over its halo).
inline constexpr SkinRenderQuality kSkinSmoothTextRendering{.textRendering =
                                                                Gdiplus::TextRenderingHintAntiAliasGridFit};

// Sets the modes that `quality` names on a Graphics already bound.
void SkinApplyRenderQuality(gdip::Graphics& graphics, const SkinRenderQuality& quality);

// Binds `graphics` to the device context (a Graphics held before is deleted)
// and applies `quality`. False when GDI+ made no graphics: the painter then
// draws nothing (the object is empty; drawing on it would only fail).
[[nodiscard]] bool SkinGraphicsOnDC(gdip::Graphics& graphics, HDC dc,
                                    const SkinRenderQuality& quality = kSkinPlainRendering);
// Binds `graphics` to the 32-bit DIB section selected into a memory DC of
// the engine (memory_dc.h), through `canvas`, a bitmap over the DIB's own
// pixels that must outlive the Graphics. The drawing lands in the DC's
// bitmap as with SkinGraphicsOnDC, several times faster under Wine, where
// every call through a DC goes by way of a temporary bitmap. False when the
// DC holds no DIB section or GDI+ made no graphics.
[[nodiscard]] bool SkinGraphicsOnMemoryDC(gdip::Graphics& graphics, gdip::Bitmap& canvas, HDC memoryDc,
                                          const SkinRenderQuality& quality = kSkinPlainRendering);
// The same for drawing into an image or bitmap, which must outlive the
// Graphics.
[[nodiscard]] bool SkinGraphicsOnImage(gdip::Graphics& graphics, const gdip::Image& image,
                                       const SkinRenderQuality& quality = kSkinPlainRendering);

}  // namespace korvath::skin
