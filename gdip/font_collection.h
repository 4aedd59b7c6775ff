#pragma once
// A font collection: a GDI+ font collection handle that someone else owns
// (the installed fonts' collection is never deleted), through which its
// families are counted and handed out.
#include <windows.h>
#include <gdiplus.h>

#include <vector>

#include "gdip/font_family.h"
#include "gdip/object.h"

namespace korvath::gdip {

class FontCollection : public GdipBase {
 public:
  FontCollection() = default;
  FontCollection(FontCollection&&) noexcept = default;
  FontCollection& operator=(FontCollection&&) noexcept = default;

  Gdiplus::GpFontCollection* NativeCollection() const noexcept {
    return NativeAs<Gdiplus::GpFontCollection>();
  }
  void SetNativeCollection(Gdiplus::GpFontCollection* collection) { SetNativeObject(collection); }

  // The number of families; 0 when the call failed.
  int GetFamilyCount() const;
  // Replaces `families` by `countSought` family objects, the first ones
  // holding the collection's families (each its own copy), the rest empty;
  // returns how many were found. A count below 1 is refused, and so is one of
  // more than memory holds (OutOfMemory); after a failed call the list is
  // left as it was and the result is 0.
  int GetFamilies(int countSought, std::vector<FontFamily>& families) const;
};

}  // namespace korvath::gdip
