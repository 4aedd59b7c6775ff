#include "gdip/font_collection.h"

#include <algorithm>

#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

int FontCollection::GetFamilyCount() const {
  INT count = 0;
  StoreStatus(Flat::GdipGetFontCollectionFamilyCount(NativeCollection(), &count));
  return count;
}

int FontCollection::GetFamilies(int countSought, std::vector<FontFamily>& families) const {
  if (countSought < 1) {
    RefuseArgument();
    return 0;
  }
  auto handles = ListOfLength<Gdiplus::GpFontFamily*>(size_t(countSought));
  if (!handles) return 0;
  auto list = ListOfLength<FontFamily>(size_t(countSought));
  if (!list) return 0;
  INT found = 0;
  if (!StoreStatus(
          Flat::GdipGetFontCollectionFamilyList(NativeCollection(), countSought, handles->data(), &found)))
    return 0;
  found = std::clamp(found, 0, countSought);
  // The list's handles belong to the collection: each family object gets its
  // own copy, which it deletes.
  for (INT i = 0; i < found; ++i) {
    Gdiplus::GpFontFamily* copy = nullptr;
    AdoptInto((*list)[size_t(i)], Flat::GdipCloneFontFamily((*handles)[size_t(i)], &copy), copy);
  }
  families = std::move(*list);
  return found;
}

}  // namespace korvath::gdip
