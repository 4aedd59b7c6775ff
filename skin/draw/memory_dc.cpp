#include "skin/draw/memory_dc.h"

#include <algorithm>
#include <utility>

namespace korvath::skin {

namespace {

std::vector<SkinMemoryDcEntry>::iterator FindEntry(HDC dc) {
  return std::find_if(SkinMemoryDcList().begin(), SkinMemoryDcList().end(),
                      [dc](const SkinMemoryDcEntry& entry) { return entry.dc.get() == dc; });
}

}  // namespace

std::vector<SkinMemoryDcEntry>& SkinMemoryDcList() {
  static std::vector<SkinMemoryDcEntry> list;
  return list;
}

platform::GdiBitmap SkinCreateDib32(int width, int height) {
  return std::move(platform::CreateDib32(width, height).bitmap);
}

HDC SkinCreateMemoryDC(const RECT& rect) {
  platform::GdiBitmap bitmap = SkinCreateDib32(rect.right - rect.left, rect.bottom - rect.top);
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  if (!dc) return nullptr;
  HGDIOBJ previous = bitmap ? SelectObject(dc.get(), bitmap.get()) : nullptr;
  return SkinMemoryDcRegister(std::move(dc), std::move(bitmap), previous);
}

HDC SkinMemoryDcRegister(platform::MemoryDC dc, platform::GdiBitmap bitmap, HGDIOBJ previous) {
  HDC handle = dc.get();
  if (!handle) return nullptr;
  auto existing = FindEntry(handle);
  if (existing != SkinMemoryDcList().end()) {
    // The list owns this DC already; the second owner must not delete it.
    (void)dc.Release();
    existing->bitmap = std::move(bitmap);
    existing->previous = previous;
    return handle;
  }
  SkinMemoryDcList().push_back(SkinMemoryDcEntry{std::move(dc), std::move(bitmap), previous});
  return handle;
}

void SkinMemoryDcRegister(HDC registered, platform::GdiBitmap bitmap, HGDIOBJ previous) {
  auto existing = FindEntry(registered);
  if (!registered || existing == SkinMemoryDcList().end()) return;
  if (existing->bitmap.get() != bitmap.get()) existing->bitmap = std::move(bitmap);
  else (void)bitmap.Release();
  existing->previous = previous;
}

bool SkinMemoryDcFree(HDC dc) {
  if (!dc) return false;
  auto entry = FindEntry(dc);
  if (entry == SkinMemoryDcList().end()) return false;
  // The bitmap comes out of the DC before either is deleted; a bitmap that is
  // still selected cannot be deleted.
  if (entry->previous) SelectObject(dc, entry->previous);
  SkinMemoryDcEntry released = std::move(*entry);
  SkinMemoryDcList().erase(entry);
  return true;  // `released` deletes the bitmap, then the DC
}

}  // namespace korvath::skin
