#include "skin/draw/bitmap_copy_region.h"

namespace korvath::skin {

platform::GdiBitmap BitmapCopyRegion(SkinMemoryDc source, int width, int height) {
  platform::GdiBitmap copy = SkinCreateDib32(width, height);
  platform::MemoryDC target = platform::MemoryDC::CompatibleWith(nullptr);
  if (copy && target) {
    platform::SelectScope selected(target.get(), copy.get());
    BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  }
  return copy;
}

}  // namespace korvath::skin
