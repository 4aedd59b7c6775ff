#include "skin/draw/picture_stretch.h"

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include <emmintrin.h>

#include "gdip/bitmap.h"
#include "skin/draw/gdi_blend.h"
#include "skin/draw/section_pixels.h"

namespace korvath::skin {

namespace {

constexpr unsigned kLockRead = 1;  // ImageLockModeRead
constexpr int kPixelFormat24bppRgb = 0x21808;

// One axis of the sampling: for each destination pixel its source position
// (whole pixels apart from the first destination pixel, no half-pixel
// offset), split into the two neighbouring source pixels and the weight of
// the second in 0..255. A position outside the source is marked `outside`.
struct AxisSample {
  int first = 0;
  int second = 0;
  int weight = 0;
  bool outside = false;
};

std::vector<AxisSample> SampleAxis(int source, int target, float step) {
  std::vector<AxisSample> samples(static_cast<size_t>(target));
  for (int i = 0; i < target; ++i) {
    const float at = float(i) * step;
    AxisSample& s = samples[size_t(i)];
    s.outside = !(at >= 0.0f && at < float(source));
    const float low = std::floor(at);
    s.first = int(low);
    s.second = int(std::ceil(at));
    s.weight = int((at - low) * 255.0f + 0.5f);
  }
  return samples;
}

// The picture's pixels as locked: 32-bit ARGB, or the 24-bit RGB that a
// JPEG decodes to, read as it is (converting 557 x 800 pixels to ARGB first
// would take a copy of 1.7 MB), every pixel opaque.
struct SourcePixels {
  const uint8_t* bits = nullptr;
  int stride = 0;
  int width = 0;
  int height = 0;
  bool rgb24 = false;
};

// A pixel of a 24-bit line, opaque.
uint32_t Rgb24(const uint8_t* line, int x) {
  const uint8_t* bgr = line + size_t(x) * 3;
  return 0xFF000000u | uint32_t(bgr[2]) << 16 | uint32_t(bgr[1]) << 8 | bgr[0];
}

// A pixel of a 32-bit line (copied out: the line is bytes).
uint32_t Argb32(const uint8_t* line, int x) {
  uint32_t pixel;
  std::memcpy(&pixel, line + size_t(x) * sizeof pixel, sizeof pixel);
  return pixel;
}

// A source pixel, or transparent black outside the picture.
uint32_t Sample(const SourcePixels& source, int x, int y) {
  if (x < 0 || y < 0 || x >= source.width || y >= source.height) return 0;
  const uint8_t* line = source.bits + size_t(y) * size_t(source.stride);
  if (source.rgb24) return Rgb24(line, x);
  return Argb32(line, x);
}

// The two colours mixed by weight (0: all `start`, 255: all `end`), each
// counted by its alpha.
uint32_t Blend(uint32_t start, uint32_t end, int weight) {
  // Two opaque colours (every pixel of a JPEG): each channel's weights add up
  // to 255 x 255, so the division by the total is one by 255, which the
  // compiler turns into a multiplication; the same result as below, without
  // a division by a variable per channel.
  if ((start & end) >> 24 == 0xFF) {
    const uint32_t w = uint32_t(weight), rest = 0xFF - w;
    auto mixed = [&](int shift) { return (((start >> shift) & 0xFF) * rest + ((end >> shift) & 0xFF) * w) / 0xFF; };
    return 0xFF000000u | mixed(16) << 16 | mixed(8) << 8 | mixed(0);
  }
  const uint32_t startA = (start >> 24) * uint32_t(weight ^ 0xFF);
  const uint32_t endA = (end >> 24) * uint32_t(weight);
  const uint32_t total = startA + endA;
  if (total < 0xFF) return 0;
  auto channel = [&](int shift) {
    return (((start >> shift) & 0xFF) * startA + ((end >> shift) & 0xFF) * endA) / total;
  };
  return (total / 0xFF) << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

// Blend of two opaque colours, red and blue in one word: each 16-bit lane
// holds at most 255 x 255, and for every such n, (n + 1 + (n >> 8)) >> 8 is
// n / 255, without a carry into the next lane. The same result as Blend.
uint32_t MixOpaque(uint32_t start, uint32_t end, uint32_t weight) {
  const uint32_t rest = 0xFF - weight;
  uint32_t rb = (start & 0xFF00FFu) * rest + (end & 0xFF00FFu) * weight;
  rb = ((rb + 0x00010001u + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t g = ((start >> 8) & 0xFFu) * rest + ((end >> 8) & 0xFFu) * weight;
  g = (g + 1 + (g >> 8)) >> 8;
  return 0xFF000000u | rb | g << 8;
}

// A pixel from its four opaque samples: the upper two mixed by the column's
// weight, the lower two likewise, then the two results by the row's weight.
struct MixFour {
  uint32_t operator()(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t across, uint32_t down) const {
    return MixOpaque(MixOpaque(a, b, across), MixOpaque(c, d, across), down);
  }
};

// The same with SSE2, every channel in a 16-bit lane (the upper and the
// lower pair side by side), by the same sums and the same division by 255.
#define KORVATH_SSE2 __attribute__((target("sse2")))
struct MixFourSse2 {
  KORVATH_SSE2 static __m128i Divide(__m128i n) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(n, _mm_set1_epi16(1)), _mm_srli_epi16(n, 8)), 8);
  }
  KORVATH_SSE2 uint32_t operator()(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t across,
                                   uint32_t down) const {
    const __m128i zero = _mm_setzero_si128();
    const __m128i left = _mm_unpacklo_epi8(_mm_set_epi32(0, 0, int(c), int(a)), zero);
    const __m128i right = _mm_unpacklo_epi8(_mm_set_epi32(0, 0, int(d), int(b)), zero);
    const __m128i pairs = Divide(_mm_add_epi16(_mm_mullo_epi16(left, _mm_set1_epi16(short(0xFF - across))),
                                               _mm_mullo_epi16(right, _mm_set1_epi16(short(across)))));
    const __m128i mixed = Divide(_mm_add_epi16(_mm_mullo_epi16(pairs, _mm_set1_epi16(short(0xFF - down))),
                                               _mm_mullo_epi16(_mm_srli_si128(pairs, 8), _mm_set1_epi16(short(down)))));
    return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(mixed, zero)));
  }
};

// What one stretch reads and writes.
struct StretchArea {
  const SourcePixels& source;
  const std::vector<AxisSample>& columns;
  const std::vector<AxisSample>& rows;
  const SectionPixels& target;
};

template <class Mix>
[[gnu::always_inline]] inline void StretchRows(const StretchArea& area, Mix mix) {
  const SourcePixels& source = area.source;
  const int iw = source.width, ih = source.height;
  const bool rgb24 = source.rgb24;
  const int width = int(area.columns.size()), height = int(area.rows.size());
  for (int y = 0; y < height; ++y) {
    const AxisSample& row = area.rows[size_t(y)];
    // Outside the picture the colour is transparent: the DIB keeps its own.
    if (row.outside) continue;
    uint32_t* line = area.target.Row(y);
    const bool rowInside = row.second < ih;
    const uint8_t* upper = source.bits + size_t(row.first) * size_t(source.stride);
    const uint8_t* lower = source.bits + size_t(rowInside ? row.second : row.first) * size_t(source.stride);
    for (int x = 0; x < width; ++x) {
      const AxisSample& column = area.columns[size_t(x)];
      if (column.outside) continue;
      if (rowInside && column.second < iw) {
        // All four samples lie in the picture: read them straight.
        uint32_t a, b, c, d;
        if (rgb24) {
          a = Rgb24(upper, column.first);
          b = Rgb24(upper, column.second);
          c = Rgb24(lower, column.first);
          d = Rgb24(lower, column.second);
        } else {
          a = Argb32(upper, column.first);
          b = Argb32(upper, column.second);
          c = Argb32(lower, column.first);
          d = Argb32(lower, column.second);
        }
        if ((a & b & c & d) >> 24 == 0xFF) {
          line[x] = mix(a, b, c, d, uint32_t(column.weight), uint32_t(row.weight));
          continue;
        }
      }
      uint32_t colour = 0;
      if (column.first == column.second && row.first == row.second) {
        colour = Sample(source, column.first, row.first);
      } else {
        const uint32_t top = Blend(Sample(source, column.first, row.first),
                                   Sample(source, column.second, row.first), column.weight);
        const uint32_t bottom = Blend(Sample(source, column.first, row.second),
                                      Sample(source, column.second, row.second), column.weight);
        colour = Blend(top, bottom, row.weight);
      }
      line[x] = SkinOverThroughGdi(colour, line[x]);
    }
  }
}

void StretchRowsPlain(const StretchArea& area) { StretchRows(area, MixFour{}); }
KORVATH_SSE2 void StretchRowsSse2(const StretchArea& area) { StretchRows(area, MixFourSse2{}); }
#undef KORVATH_SSE2

}  // namespace

bool SkinStretchPictureBilinear(gdip::Bitmap& picture, HDC dc, int width, int height) {
  const std::optional<SectionPixels> section = SkinSection32(dc);
  if (!section || width <= 0 || height <= 0 || width > section->width || height > section->height) return false;
  const int iw = int(picture.GetWidth()), ih = int(picture.GetHeight());
  if (iw <= 0 || ih <= 0) return false;
  const bool rgb24 = picture.GetPixelFormat() == kPixelFormat24bppRgb;
  // GDI+ enlarges a 24-bit picture otherwise than a 32-bit one (a 557 x 800
  // picture onto 600 x 900 differs in about 8,500 pixels from this
  // sampling): that is left to GDI+.
  if (rgb24 && (width > iw || height > ih)) return false;
  gdip::BitmapData locked;
  if (!picture.LockBits(gdip::Rect{0, 0, iw, ih}, kLockRead, rgb24 ? kPixelFormat24bppRgb : gdip::kPixelFormat32bppArgb,
                        locked))
    return false;
  const SourcePixels source{static_cast<const uint8_t*>(locked.scan0), locked.stride, iw, ih, rgb24};

  // The steps as GDI+ finds them: by inverting, in floats, the matrix that
  // maps the picture onto the area.
  const float scaleX = float(width) / float(iw), scaleY = float(height) / float(ih);
  const float determinant = scaleX * scaleY;
  const std::vector<AxisSample> columns = SampleAxis(iw, width, scaleY / determinant);
  const std::vector<AxisSample> rows = SampleAxis(ih, height, scaleX / determinant);
  // What GDI drew on the DIB must be in its bits before they are read.
  GdiFlush();
  const StretchArea area{source, columns, rows, *section};
  if (__builtin_cpu_supports("sse2")) StretchRowsSse2(area);
  else StretchRowsPlain(area);
  picture.UnlockBits(locked);
  return true;
}

}  // namespace korvath::skin
