#pragma once
// Steps that several wrapper classes share: GDI+'s buffers and lists as long
// as a count that GDI+ or a caller gives (OutOfMemory where memory cannot hold
// them), the length of a wide text, scaling or rotating a transform about a
// point, and fetching GDI+'s lists and parallel lists (blends, preset blends,
// dash patterns).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "gdip/geometry.h"
#include "gdip/object.h"

namespace korvath::gdip {

// A float truncated toward zero to an int; none when it does not fit (or is
// not a number), since that conversion would be undefined.
inline std::optional<int> TruncateToInt(float value) {
  float whole = std::trunc(value);
  if (!(whole >= -2147483648.0f && whole < 2147483648.0f)) return std::nullopt;
  return static_cast<int>(whole);
}

// The buffer of a list of plain values for a flat call: null when empty.
template <class Element>
Element* DataOrNull(std::span<Element> elements) {
  return elements.empty() ? nullptr : elements.data();
}

// A list of our colours as GDI+'s ARGB buffer (same size, another type);
// null when the list is empty.
static_assert(sizeof(Argb) == sizeof(Gdiplus::ARGB));
inline const Gdiplus::ARGB* NativeColors(std::span<const Argb> colours) {
  return colours.empty() ? nullptr : reinterpret_cast<const Gdiplus::ARGB*>(colours.data());
}
inline Gdiplus::ARGB* NativeColors(std::span<Argb> colours) {
  return colours.empty() ? nullptr : reinterpret_cast<Gdiplus::ARGB*>(colours.data());
}

// What `build` makes of a count that GDI+ or a caller gave (a list as long
// as it, or the texts of as many records): none, with OutOfMemory stored,
// when memory cannot hold it. GDI+ answers an allocation it cannot make with
// that status; a count of any size is answered the same way here, never by
// an exception out of the library (a list longer than a vector can be is a
// length_error, one that merely finds no room a bad_alloc).
template <class Build>
auto WithinMemory(Build build) -> std::optional<decltype(build())> {
  try {
    return build();
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  StoreStatus(Gdiplus::OutOfMemory);
  return std::nullopt;
}

// A list of `count` new elements (zero, or empty objects) for a buffer as
// long as a count: none, with OutOfMemory stored, when memory cannot hold it.
template <class Element>
std::optional<std::vector<Element>> ListOfLength(size_t count) {
  return WithinMemory([count] { return std::vector<Element>(count); });
}

// A zero-filled buffer of `bytes` bytes that GDI+ fills with records and
// their data, as 64-bit words so that any record is aligned in it: none,
// with OutOfMemory stored, when memory cannot hold it. Counted in 64 bits, as
// a size near 4 GB rounded up to whole words would wrap to almost nothing in
// 32 bits; a count of words past what a size_t holds is past memory too.
inline std::optional<std::vector<uint64_t>> RecordWords(uint64_t bytes) {
  uint64_t words = bytes / sizeof(uint64_t) + (bytes % sizeof(uint64_t) != 0 ? 1 : 0);
  return ListOfLength<uint64_t>(size_t(std::min<uint64_t>(words, SIZE_MAX)));
}

// The characters of a wide text before its first zero character: what GDI+
// is told to read of a text that may carry its terminator.
inline INT WideLength(std::wstring_view wide) {
  size_t end = wide.find(L'\0');
  return static_cast<INT>(end == std::wstring_view::npos ? wide.size() : end);
}

// The characters of a text for GDI+, which refuses a missing string even
// when told to read none of it.
inline const wchar_t* TextPointer(std::wstring_view text) { return text.empty() ? L"" : text.data(); }

// Scales or rotates a transform about a centre point with three flat calls
// that all take the caller's order: the centre is moved to the origin on the
// side of the existing transform that the order names, transformed, and moved
// back. Every call runs whatever the earlier ones returned; each stores its
// status, and the last one decides the result.
template <class Translate, class Middle>
bool TransformAboutPoint(const PointF& centre, Gdiplus::MatrixOrder order, Translate translate,
                         Middle middle) {
  float sign = order == Gdiplus::MatrixOrderPrepend ? 1.0f : -1.0f;
  StoreStatus(translate(sign * centre.x, sign * centre.y, order));
  StoreStatus(middle(order));
  return StoreStatus(translate(-sign * centre.x, -sign * centre.y, order));
}

// Fetches one list of `Element` whose length GDI+ reports first. The
// caller's list is replaced only when both calls succeed; the result is the
// number of elements, 0 on any failure (the list then stays as it was; a
// length that memory cannot hold stores OutOfMemory).
template <class Element, class CountCall, class FetchCall>
int FetchList(std::vector<Element>& list, CountCall countCall, FetchCall fetchCall) {
  INT count = 0;
  if (!StoreStatus(countCall(&count))) return 0;
  if (count <= 0) {
    list.clear();
    return 0;
  }
  std::optional<std::vector<Element>> fetched = ListOfLength<Element>(size_t(count));
  if (!fetched) return 0;
  if (!StoreStatus(fetchCall(fetched->data(), count))) return 0;
  list = std::move(*fetched);
  return count;
}

// The same for two parallel lists (colours or factors, and positions).
template <class First, class Second, class CountCall, class FetchCall>
int FetchParallelLists(std::vector<First>& first, std::vector<Second>& second, CountCall countCall,
                       FetchCall fetchCall) {
  INT count = 0;
  if (!StoreStatus(countCall(&count))) return 0;
  if (count <= 0) {
    first.clear();
    second.clear();
    return 0;
  }
  auto fetched = WithinMemory([count] {
    return std::pair{std::vector<First>(size_t(count)), std::vector<Second>(size_t(count))};
  });
  if (!fetched) return 0;
  if (!StoreStatus(fetchCall(fetched->first.data(), fetched->second.data(), count))) return 0;
  first = std::move(fetched->first);
  second = std::move(fetched->second);
  return count;
}

}  // namespace korvath::gdip
