#pragma once
// A bottom-up 32-bit section, as the engine's memory DCs hold, filled with
// noise (alpha too) and selected into a DC of its own: a background where
// every pixel differs, for comparing what two ways of drawing leave on it.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gdi_object.h"

namespace korvath::skin::test {

// The colour a one-pixel outline is first traced in on a section's own
// pixels: the section holds it along its bottom row, so that a trace must
// take another.
inline constexpr uint32_t kFirstOutlineMark = 0xFF13579Bu;

struct NoisySection {
  platform::DibSection dib;
  platform::MemoryDC dc;
  HGDIOBJ previous = nullptr;
  int width, height;

  NoisySection(int w, int h, uint32_t seed) : width(w), height(h) {
    dib = platform::CreateDib32(w, h);
    dc = platform::MemoryDC::CompatibleWith(nullptr);
    previous = SelectObject(dc.get(), dib.bitmap.get());
    auto* pixels = static_cast<uint32_t*>(dib.bits);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
      seed = seed * 1103515245u + 12345u;
      pixels[i] = seed ^ (seed >> 15);
    }
    for (int x = 0; x < w; x += 7) pixels[x] = kFirstOutlineMark;
  }
  ~NoisySection() { SelectObject(dc.get(), previous); }
  NoisySection(const NoisySection&) = delete;
  NoisySection& operator=(const NoisySection&) = delete;

  std::vector<uint32_t> Pixels() const {
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(dib.bits);
    return std::vector<uint32_t>(p, p + size_t(width) * size_t(height));
  }
};

// How many pixels differ, and where the first one is ("x,y got for wanted").
struct PixelDifference {
  int count = 0;
  std::string first;
};
inline PixelDifference ComparePixels(const NoisySection& got, const NoisySection& expected) {
  const std::vector<uint32_t> a = got.Pixels(), b = expected.Pixels();
  PixelDifference d;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] == b[i]) continue;
    if (d.count++ == 0) {
      char text[64];
      snprintf(text, sizeof text, "%d,%d %08x for %08x", int(i % size_t(got.width)),
               got.height - 1 - int(i / size_t(got.width)), a[i], b[i]);
      d.first = text;
    }
  }
  return d;
}

}  // namespace korvath::skin::test
