#pragma once
// Value records of the GDI+ library, in GDI+'s own layout, and ARGB colours.
//
// Arrays of records reach GDI+ as they are: one contiguous buffer in element
// order with the element count, or no buffer at all with the count 0. Since
// the records have GDI+'s layout, GDI+ reads and writes the caller's elements
// directly, so whatever it writes into its buffer is what the caller's
// records hold afterwards.
#include <windows.h>
#include <gdiplus.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace korvath::gdip {

struct PointF {
  float x = 0;
  float y = 0;
  friend bool operator==(const PointF&, const PointF&) = default;
};

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct RectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  friend bool operator==(const RectF&, const RectF&) = default;
};

struct Rect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct SizeF {
  float width = 0;
  float height = 0;
  friend bool operator==(const SizeF&, const SizeF&) = default;
};

// A GDI+ colour: alpha in bits 24-31, then red, green and blue.
using Argb = uint32_t;

constexpr Argb MakeArgb(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
  return (Argb(alpha) << 24) | (Argb(red) << 16) | (Argb(green) << 8) | Argb(blue);
}
constexpr uint8_t ArgbAlpha(Argb colour) { return uint8_t(colour >> 24); }
constexpr uint8_t ArgbRed(Argb colour) { return uint8_t(colour >> 16); }
constexpr uint8_t ArgbGreen(Argb colour) { return uint8_t(colour >> 8); }
constexpr uint8_t ArgbBlue(Argb colour) { return uint8_t(colour); }

// A Windows colour value (0x00BBGGRR) with an alpha, opaque when none is given.
constexpr Argb ArgbFromColorRef(COLORREF colour, uint8_t alpha = 255) {
  return MakeArgb(alpha, uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16));
}

// The GDI+ record each of ours stands for.
template <class Record>
struct NativeRecordOf;
template <>
struct NativeRecordOf<PointF> {
  using type = Gdiplus::PointF;
};
template <>
struct NativeRecordOf<Point> {
  using type = Gdiplus::Point;
};
template <>
struct NativeRecordOf<RectF> {
  using type = Gdiplus::RectF;
};
template <>
struct NativeRecordOf<Rect> {
  using type = Gdiplus::Rect;
};
template <>
struct NativeRecordOf<SizeF> {
  using type = Gdiplus::SizeF;
};

template <class Record>
using NativeRecord = typename NativeRecordOf<std::remove_const_t<Record>>::type;

static_assert(sizeof(PointF) == sizeof(Gdiplus::PointF) && offsetof(PointF, y) == 4);
static_assert(sizeof(Point) == sizeof(Gdiplus::Point) && offsetof(Point, y) == 4);
static_assert(sizeof(RectF) == sizeof(Gdiplus::RectF) && offsetof(RectF, height) == 12);
static_assert(sizeof(Rect) == sizeof(Gdiplus::Rect) && offsetof(Rect, height) == 12);
static_assert(sizeof(SizeF) == sizeof(Gdiplus::SizeF) && offsetof(SizeF, height) == 4);

// One record for a flat call that takes a pointer to a single record.
template <class Record>
auto* ToNative(Record& record) {
  using Native = NativeRecord<Record>;
  if constexpr (std::is_const_v<Record>) {
    return reinterpret_cast<const Native*>(&record);
  } else {
    return reinterpret_cast<Native*>(&record);
  }
}

// The buffer of an array of records for a flat call: null when it is empty.
template <class Record>
auto* NativeArray(std::span<Record> records) {
  using Native = NativeRecord<Record>;
  using Pointer = std::conditional_t<std::is_const_v<Record>, const Native*, Native*>;
  return records.empty() ? Pointer{} : reinterpret_cast<Pointer>(records.data());
}

// The element count of an array for a flat call (GDI+ counts in INT).
template <class Element>
INT NativeCount(std::span<Element> elements) {
  return static_cast<INT>(elements.size());
}

}  // namespace korvath::gdip
