#pragma once
// A region over a GDI+ region: rectangles and paths combined by set
// operations, tested for points and rectangles, serialised and scanned.
//
// Combine modes are GDI+'s (Gdiplus::CombineMode...); an omitted one replaces.
// Graphics, path and matrix arguments are any library objects holding a
// native object of that kind; the region only reads their handles.
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <span>
#include <vector>

#include "gdip/object.h"
#include "platform/gdi_object.h"

namespace korvath::gdip {

class Region : public GdipBase {
 public:
  Region() = default;
  ~Region() override { Delete(); }
  Region(Region&&) noexcept = default;
  Region& operator=(Region&&) noexcept = default;

  Gdiplus::GpRegion* NativeRegion() const noexcept { return NativeAs<Gdiplus::GpRegion>(); }
  void SetNativeRegion(Gdiplus::GpRegion* region) { SetNativeObject(region); }

  bool Delete();
  // Creators: the region held before is deleted.
  [[nodiscard]] bool Create();  // infinite
  [[nodiscard]] bool CreateFromRect(const RectF& rect);
  [[nodiscard]] bool CreateFromPath(const GdipBase& path);
  [[nodiscard]] bool CreateFromHrgn(HRGN region);
  // Reads the first `size` bytes of `data`, which must hold them and the
  // whole length the data gives itself (refused otherwise).
  [[nodiscard]] bool CreateFromData(std::span<const uint8_t> data, int size);
  [[nodiscard]] bool Clone(Region& target) const;

  bool SetInfinite();
  bool SetEmpty();
  bool CombineRect(const RectF& rect, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool CombineRegion(const Region& region, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool CombinePath(const GdipBase& path, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool Translate(float dx, float dy);
  bool Transform(const GdipBase& matrix);

  RectF GetBounds(const GdipBase& graphics) const;
  uint32_t GetDataSize() const;
  // The serialised region in a buffer of `bufferSize` bytes; empty when the
  // call failed (a buffer too small for the data, for one) or the size was
  // refused (negative, or more than memory holds).
  std::vector<uint8_t> GetData(int bufferSize, uint32_t* sizeFilled = nullptr) const;
  // The region as a GDI region; empty when the call failed.
  platform::GdiRegion GetHRgn(const GdipBase& graphics) const;

  bool IsEmpty(const GdipBase& graphics) const;
  bool IsInfinite(const GdipBase& graphics) const;
  bool IsEqual(const Region& region, const GdipBase& graphics) const;
  bool IsVisiblePoint(const PointF& point, const GdipBase* graphics = nullptr) const;
  bool IsVisibleRect(const RectF& rect, const GdipBase* graphics = nullptr) const;
  // The scan rectangles under `matrix`; their number, 0 (the list untouched)
  // when a call failed.
  int GetScans(const GdipBase& matrix, std::vector<RectF>& rects) const;

  [[nodiscard]] bool CreateFromRectI(const Rect& rect);
  bool CombineRectI(const Rect& rect, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool TranslateI(int dx, int dy);
  Rect GetBoundsI(const GdipBase& graphics) const;
  bool IsVisiblePointI(const Point& point, const GdipBase* graphics = nullptr) const;
  bool IsVisibleRectI(const Rect& rect, const GdipBase* graphics = nullptr) const;
  int GetScansI(const GdipBase& matrix, std::vector<Rect>& rects) const;
  int GetScanCount(const GdipBase& matrix) const;

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
