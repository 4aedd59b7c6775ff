// Graphics: drawing and measuring text. The GBK forms convert their text to
// UTF-16 (code page 936) and share the steps of the UTF-16 forms.
#include "gdip/graphics.h"

#include <string>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/region.h"
#include "gdip/string_format.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool Graphics::DrawString(std::string_view text, const Font& font, const Brush& brush,
                          const std::optional<RectF>& layout, const StringFormat* format) {
  return DrawStringSimple(AnsiToWide(text), font, brush, layout, format);
}

bool Graphics::DrawStringSimple(std::wstring_view text, const Font& font, const Brush& brush,
                                const std::optional<RectF>& layout, const StringFormat* format) {
  const RectF box = layout.value_or(RectF{});
  return StoreStatus(GdipDrawString(NativeGraphics(), TextPointer(text), WideLength(text), font.NativeFont(),
                                    ToNative(box), NativeOf<Gdiplus::GpStringFormat>(format),
                                    brush.NativeBrush()));
}

bool Graphics::MeasureString(std::string_view text, const Font& font, const std::optional<RectF>& layout,
                             const StringFormat* format, RectF& boundingBox) const {
  return MeasureStringSimple(AnsiToWide(text), font, layout, format, boundingBox);
}

bool Graphics::MeasureStringSimple(std::wstring_view text, const Font& font, const std::optional<RectF>& layout,
                                   const StringFormat* format, RectF& boundingBox) const {
  const RectF box = layout.value_or(RectF{});
  return StoreStatus(GdipMeasureString(NativeGraphics(), TextPointer(text), WideLength(text), font.NativeFont(),
                                       ToNative(box), NativeOf<Gdiplus::GpStringFormat>(format),
                                       ToNative(boundingBox), nullptr, nullptr));
}

bool Graphics::MeasureCharacterRanges(std::string_view text, const Font& font, const RectF& layout,
                                      const StringFormat& format, int count, std::vector<Region>& regions) const {
  return MeasureCharacterRangesSimple(AnsiToWide(text), font, layout, format, count, regions);
}

bool Graphics::MeasureCharacterRangesSimple(std::wstring_view text, const Font& font, const RectF& layout,
                                            const StringFormat& format, int count,
                                            std::vector<Region>& regions) const {
  if (count < 1) return RefuseArgument();
  // A region for each of the format's ranges: a count above them is refused
  // before any region is made (each would be made first, and GDI+ measures
  // nothing into those past the ranges).
  INT ranges = 0;
  if (!StoreStatus(GdipGetStringFormatMeasurableCharacterRangeCount(format.NativeFormat(), &ranges))) return false;
  if (count > ranges) return RefuseArgument();
  // The new regions are owned from the moment they exist, so a failure part
  // way leaves nothing behind; the caller's list changes only on success.
  std::vector<Region> measured(static_cast<size_t>(count));
  std::vector<Gdiplus::GpRegion*> handles(static_cast<size_t>(count), nullptr);
  // Releasing the regions made stores the status of each release: the
  // failure is stored after them, so that it is the one left.
  auto fail = [&measured](Gdiplus::GpStatus status) {
    measured.clear();
    return StoreStatus(status);
  };
  for (size_t i = 0; i < measured.size(); ++i) {
    Gdiplus::GpStatus status = GdipCreateRegion(&handles[i]);
    if (!AdoptInto(measured[i], status, handles[i])) return fail(status);
  }
  Gdiplus::GpStatus status = GdipMeasureCharacterRanges(NativeGraphics(), TextPointer(text), WideLength(text),
                                                        font.NativeFont(), *ToNative(layout), format.NativeFormat(),
                                                        count, handles.data());
  if (status != Gdiplus::Ok) return fail(status);
  regions = std::move(measured);
  return StoreStatus(status);
}

bool Graphics::DrawDriverString(std::string_view text, const Font& font, const Brush& brush,
                                std::span<const PointF> positions, int flags, const GdipBase* matrix) {
  return DrawDriverStringSimple(AnsiToWide(text), font, brush, positions, flags, matrix);
}

bool Graphics::DrawDriverStringSimple(std::wstring_view text, const Font& font, const Brush& brush,
                                      std::span<const PointF> positions, int flags, const GdipBase* matrix) {
  INT length = WideLength(text);
  // GDI+ reads one position per character, or only the first one when it
  // advances by the glyphs' own widths.
  size_t needed = length == 0 ? 0 : (flags & Gdiplus::DriverStringOptionsRealizedAdvance) ? 1 : size_t(length);
  if (positions.size() < needed) return RefuseArgument();
  return StoreStatus(GdipDrawDriverString(NativeGraphics(), reinterpret_cast<const UINT16*>(TextPointer(text)),
                                          length, font.NativeFont(), brush.NativeBrush(), NativeArray(positions),
                                          flags, NativeOf<Gdiplus::GpMatrix>(matrix)));
}

}  // namespace korvath::gdip
