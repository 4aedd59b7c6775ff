#include "skin/form/background_theme.h"

#include <random>
#include <string>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/linear_gradient_brush.h"
#include "skin/control/container_skin.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/skin_graphics.h"
#include "skin/form/form_render.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kDefaultTheme = 0xDDCA22;

// Loads from the file when a path is given, else from the bytes.
bool LoadImage(gdip::Image& image, std::span<const uint8_t> bytes, const std::string& path) {
  return path.empty() ? image.FromStream(bytes) : image.FromFile(path);
}

ByteSet EncodePng(const gdip::Image& image) {
  std::string format(gdip::kPngFormat);
  return image.SaveToStream(&format);
}

void RefreshSkinnedWindows() {
  for (size_t i = 0; i < SkinEngine.lists.SkinWindowList.size(); ++i) {
    SkinWindowRecord& record = *SkinEngine.lists.SkinWindowList[i];
    HWND window = record.Window;
    SkinResetChildBrushes(record);
    if (!IsWindowVisible(window)) continue;
    SkinFormRender(record, nullptr, false);
    InvalidateRect(window, nullptr, FALSE);
    InvalidateBackgroundCaches(record);
    SkinInvalidateVisibleChildren(window);
  }
}

}  // namespace

void SkinSetBackgroundTheme(const std::string& imagePath, std::span<const uint8_t> imageBytes,
                            std::optional<COLORREF> backgroundColor, std::optional<COLORREF> themeColor,
                            std::optional<int32_t> mode) {
  const bool takeBackground = themeColor == kThemeFromBackground;
  if (!takeBackground) SkinEngine.options.SkinThemeColor = themeColor.value_or(kDefaultTheme);
  const bool hasImage = !imagePath.empty() || !imageBytes.empty();
  if (!hasImage && !backgroundColor) return;

  if (!hasImage) {
    SkinEngine.options.SkinBackgroundImage.clear();
    SkinEngine.options.SkinBackgroundColor = *backgroundColor;
  } else {
    const COLORREF sampled = SkinSampleEdgeColor(imageBytes, 2000, std::nullopt, std::nullopt, imagePath);
    SkinEngine.options.SkinBackgroundColor = backgroundColor.value_or(sampled);
    SkinEngine.options.SkinBackgroundMode = mode.value_or(4);
    if (SkinEngine.options.SkinBackgroundMode == 0 || SkinEngine.options.SkinBackgroundMode == 1) {
      SkinEngine.options.SkinBackgroundImage =
          SkinImageGradientOverlay(imageBytes, std::nullopt, SkinEngine.options.SkinBackgroundColor,
                                   SkinEngine.options.SkinBackgroundMode == 0, imagePath);
    } else if (!imagePath.empty()) {
      gdip::Image image;
      SkinEngine.options.SkinBackgroundImage = image.FromFile(imagePath) ? EncodePng(image) : ByteSet();
    } else {
      SkinEngine.options.SkinBackgroundImage.assign(imageBytes.begin(), imageBytes.end());
    }
  }
  if (takeBackground) SkinEngine.options.SkinThemeColor = SkinEngine.options.SkinBackgroundColor;
  RefreshSkinnedWindows();
}

COLORREF SkinSampleEdgeColor(std::span<const uint8_t> imageBytes, int32_t sampleCount,
                             std::optional<int32_t> stripWidth, std::optional<int32_t> stripHeight,
                             const std::string& imagePath) {
  gdip::Bitmap bitmap;
  LoadImage(bitmap, imageBytes, imagePath);
  return SkinSampleEdgeColor(bitmap, sampleCount, stripWidth, stripHeight);
}

COLORREF SkinSampleEdgeColor(const gdip::Bitmap& bitmap, int32_t sampleCount, std::optional<int32_t> stripWidth,
                             std::optional<int32_t> stripHeight) {
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (w <= 0 || h <= 0 || sampleCount < 1) return 0;
  const int32_t sx = stripWidth.value_or(int32_t(float(w) * 0.1f));
  const int32_t xmin = sx > 0 ? w - sx : 1;
  const int32_t ymin = stripHeight.value_or(0) > 0 ? h - *stripHeight : 1;
  // Coordinates count from 1, both bounds inclusive.
  std::minstd_rand random(GetTickCount());
  std::uniform_int_distribution<int32_t> pickX(std::min(xmin, w), w), pickY(std::min(ymin, h), h);
  int64_t red = 0, green = 0, blue = 0;
  for (int32_t i = 0; i < sampleCount; ++i) {
    const gdip::Argb pixel = bitmap.GetPixel(pickX(random) - 1, pickY(random) - 1);
    red += gdip::ArgbRed(pixel);
    green += gdip::ArgbGreen(pixel);
    blue += gdip::ArgbBlue(pixel);
  }
  return RGB(BYTE(red / sampleCount), BYTE(green / sampleCount), BYTE(blue / sampleCount));
}

ByteSet SkinImageGradientOverlay(std::span<const uint8_t> imageBytes, std::optional<int32_t> fadeWidth,
                                 std::optional<COLORREF> fadeColor, std::optional<bool> fadeRight,
                                 const std::string& imagePath) {
  gdip::Image image;
  if (!LoadImage(image, imageBytes, imagePath)) return {};
  const int32_t w = image.GetWidth(), h = image.GetHeight();
  gdip::Bitmap bitmap;
  if (!bitmap.CreateWithFormat(w, h)) return {};
  const COLORREF colour = fadeColor.value_or(0);
  {
    gdip::Graphics graphics;
    if (!SkinGraphicsOnImage(graphics, bitmap, {.compositing = Gdiplus::CompositingQualityGammaCorrected})) return {};
    graphics.DrawImageRect(image, 0, 0, float(w), float(h));
    const float f = float(fadeWidth.value_or(int32_t(float(w) * 0.3f)));
    gdip::LinearGradientBrush side;
    if (fadeRight.value_or(true)) {
      if (side.CreateFromPoints(MakePointF(float(w) - f, 0), MakePointF(float(w), 0),
                                SkinArgbFromColorRef(kWhite, 0), SkinArgbFromColorRef(colour, 255)))
        graphics.FillRectangle(side, float(w) - f + 1, 0, f, float(h));
    } else if (side.CreateFromPoints(MakePointF(0, 0), MakePointF(f, 0), SkinArgbFromColorRef(colour, 255),
                                     SkinArgbFromColorRef(kWhite, 0))) {
      graphics.FillRectangle(side, 0, 0, f, float(h));
    }
    gdip::LinearGradientBrush bottom;
    if (bottom.CreateFromPoints(MakePointF(0, float(h) - f), MakePointF(0, float(h)),
                                SkinArgbFromColorRef(colour, 0), SkinArgbFromColorRef(colour, 255)))
      graphics.FillRectangle(bottom, 0, float(h) - f + 1, float(w), f);
  }
  return EncodePng(bitmap);
}

void SkinResetChildBrushes(const SkinWindowRecord& r, bool includeDropDowns) {
  for (const SkinChildEntry& entry : r.Children) SkinDeleteControlBrush(entry.window);
  for (const SkinEditEntry& entry : r.Edits) SkinDeleteControlBrush(entry.window);
  if (!includeDropDowns) return;
  for (HWND list : SkinEngine.lists.LayeredDropDownList) SkinDeleteControlBrush(list);
  SkinEngine.lists.LayeredDropDownList.clear();
}

}  // namespace korvath::skin
