#include "gdip/font_collection.h"

#include <algorithm>

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
  std::vector<Gdiplus::GpFontFamily*> handles(size_t(countSought), nullptr);
  INT found = 0;
  if (!StoreStatus(
          Flat::GdipGetFontCollectionFamilyList(NativeCollection(), countSought, handles.data(), &found)))
    return 0;
  found = std::clamp(found, 0, countSought);
  // The list's handles belong to the collection: each family object gets its
  // own copy, which it deletes.
  std::vector<FontFamily> list(static_cast<size_t>(countSought));
  for (INT i = 0; i < found; ++i) {
    Gdiplus::GpFontFamily* copy = nullptr;
    AdoptInto(list[size_t(i)], Flat::GdipCloneFontFamily(handles[size_t(i)], &copy), copy);
  }
  families = std::move(list);
  return found;
}

}  // namespace korvath::gdip
