#include "gdip/region.h"

#include <cstring>

#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

namespace {

// A yes/no query: GDI+'s answer, false when the call failed. The answer is
// taken by reference so that it is read after the flat call that writes it.
bool Answer(Gdiplus::GpStatus status, const BOOL& answer) { return StoreStatus(status) && answer; }

// Both scan forms: the count, then the rectangles into the caller's list
// only when both calls succeed.
template <class Record, class Fetch>
int FetchScans(Gdiplus::GpRegion* region, Gdiplus::GpMatrix* matrix, std::vector<Record>& rects,
               Fetch fetch) {
  return FetchList(
      rects,
      [&](INT* count) {
        UINT scans = 0;
        Gdiplus::GpStatus status = Flat::GdipGetRegionScansCount(region, &scans, matrix);
        *count = INT(scans);
        return status;
      },
      [&](Record* buffer, INT count) {
        return fetch(region, NativeArray(std::span(buffer, size_t(count))), &count, matrix);
      });
}

}  // namespace

bool Region::Delete() { return DestroyWith(Flat::GdipDeleteRegion); }

bool Region::Create() {
  Gdiplus::GpRegion* region = nullptr;
  return AdoptInto(*this, Flat::GdipCreateRegion(&region), region);
}

bool Region::CreateFromRect(const RectF& rect) {
  Gdiplus::GpRegion* region = nullptr;
  return AdoptInto(*this, Flat::GdipCreateRegionRect(ToNative(rect), &region), region);
}

bool Region::CreateFromRectI(const Rect& rect) {
  Gdiplus::GpRegion* region = nullptr;
  return AdoptInto(*this, Flat::GdipCreateRegionRectI(ToNative(rect), &region), region);
}

bool Region::CreateFromPath(const GdipBase& path) {
  Gdiplus::GpRegion* region = nullptr;
  return AdoptInto(*this, Flat::GdipCreateRegionPath(NativeOf<Gdiplus::GpPath>(path), &region), region);
}

bool Region::CreateFromHrgn(HRGN source) {
  Gdiplus::GpRegion* region = nullptr;
  return AdoptInto(*this, Flat::GdipCreateRegionHrgn(source, &region), region);
}

bool Region::CreateFromData(std::span<const uint8_t> data, int size) {
  if (size < 0 || size_t(size) > data.size()) return RefuseArgument();
  // The data opens with the length of what follows its first two words, and
  // GDI+ reads that much of it whatever size it is told: data cut short
  // would be read past its end.
  uint32_t length = 0;
  if (size >= int(sizeof(length))) {
    std::memcpy(&length, data.data(), sizeof(length));
    if (uint64_t(length) + 2 * sizeof(length) > uint64_t(size)) return RefuseArgument();
  }
  Gdiplus::GpRegion* region = nullptr;
  return AdoptInto(*this, Flat::GdipCreateRegionRgnData(data.data(), size, &region), region);
}

bool Region::Clone(Region& target) const {
  Gdiplus::GpRegion* clone = nullptr;
  return AdoptInto(target, Flat::GdipCloneRegion(NativeRegion(), &clone), clone);
}

bool Region::SetInfinite() { return StoreStatus(Flat::GdipSetInfinite(NativeRegion())); }
bool Region::SetEmpty() { return StoreStatus(Flat::GdipSetEmpty(NativeRegion())); }

bool Region::CombineRect(const RectF& rect, Gdiplus::CombineMode mode) {
  return StoreStatus(Flat::GdipCombineRegionRect(NativeRegion(), ToNative(rect), Gdiplus::CombineMode(mode)));
}

bool Region::CombineRectI(const Rect& rect, Gdiplus::CombineMode mode) {
  return StoreStatus(
      Flat::GdipCombineRegionRectI(NativeRegion(), ToNative(rect), Gdiplus::CombineMode(mode)));
}

bool Region::CombineRegion(const Region& region, Gdiplus::CombineMode mode) {
  return StoreStatus(
      Flat::GdipCombineRegionRegion(NativeRegion(), region.NativeRegion(), Gdiplus::CombineMode(mode)));
}

bool Region::CombinePath(const GdipBase& path, Gdiplus::CombineMode mode) {
  return StoreStatus(Flat::GdipCombineRegionPath(NativeRegion(), NativeOf<Gdiplus::GpPath>(path),
                                                 Gdiplus::CombineMode(mode)));
}

bool Region::Translate(float dx, float dy) {
  return StoreStatus(Flat::GdipTranslateRegion(NativeRegion(), dx, dy));
}
bool Region::TranslateI(int dx, int dy) {
  return StoreStatus(Flat::GdipTranslateRegionI(NativeRegion(), dx, dy));
}

bool Region::Transform(const GdipBase& matrix) {
  return StoreStatus(Flat::GdipTransformRegion(NativeRegion(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

RectF Region::GetBounds(const GdipBase& graphics) const {
  RectF bounds;
  if (!StoreStatus(Flat::GdipGetRegionBounds(NativeRegion(), NativeOf<Gdiplus::GpGraphics>(graphics),
                                             ToNative(bounds))))
    return {};
  return bounds;
}

Rect Region::GetBoundsI(const GdipBase& graphics) const {
  Rect bounds;
  if (!StoreStatus(Flat::GdipGetRegionBoundsI(NativeRegion(), NativeOf<Gdiplus::GpGraphics>(graphics),
                                              ToNative(bounds))))
    return {};
  return bounds;
}

uint32_t Region::GetDataSize() const {
  UINT size = 0;
  StoreStatus(Flat::GdipGetRegionDataSize(NativeRegion(), &size));
  return size;
}

std::vector<uint8_t> Region::GetData(int bufferSize, uint32_t* sizeFilled) const {
  if (bufferSize < 0) {
    RefuseArgument();
    return {};
  }
  std::optional<std::vector<uint8_t>> data = ListOfLength<uint8_t>(size_t(bufferSize));
  if (!data) return {};
  UINT filled = 0;
  if (!StoreStatus(Flat::GdipGetRegionData(NativeRegion(), data->data(), UINT(bufferSize), &filled)))
    return {};
  if (sizeFilled) *sizeFilled = filled;
  return std::move(*data);
}

platform::GdiRegion Region::GetHRgn(const GdipBase& graphics) const {
  HRGN region = nullptr;
  if (!StoreStatus(Flat::GdipGetRegionHRgn(NativeRegion(), NativeOf<Gdiplus::GpGraphics>(graphics), &region)))
    return {};
  return platform::GdiRegion(region);
}

bool Region::IsEmpty(const GdipBase& graphics) const {
  BOOL answer = FALSE;
  return Answer(Flat::GdipIsEmptyRegion(NativeRegion(), NativeOf<Gdiplus::GpGraphics>(graphics), &answer),
                answer);
}

bool Region::IsInfinite(const GdipBase& graphics) const {
  BOOL answer = FALSE;
  return Answer(Flat::GdipIsInfiniteRegion(NativeRegion(), NativeOf<Gdiplus::GpGraphics>(graphics), &answer),
                answer);
}

bool Region::IsEqual(const Region& region, const GdipBase& graphics) const {
  BOOL answer = FALSE;
  return Answer(Flat::GdipIsEqualRegion(NativeRegion(), region.NativeRegion(),
                                        NativeOf<Gdiplus::GpGraphics>(graphics), &answer),
                answer);
}

bool Region::IsVisiblePoint(const PointF& point, const GdipBase* graphics) const {
  BOOL answer = FALSE;
  return Answer(Flat::GdipIsVisibleRegionPoint(NativeRegion(), point.x, point.y,
                                               NativeOf<Gdiplus::GpGraphics>(graphics), &answer),
                answer);
}

bool Region::IsVisiblePointI(const Point& point, const GdipBase* graphics) const {
  BOOL answer = FALSE;
  return Answer(Flat::GdipIsVisibleRegionPointI(NativeRegion(), point.x, point.y,
                                                NativeOf<Gdiplus::GpGraphics>(graphics), &answer),
                answer);
}

bool Region::IsVisibleRect(const RectF& rect, const GdipBase* graphics) const {
  BOOL answer = FALSE;
  return Answer(Flat::GdipIsVisibleRegionRect(NativeRegion(), rect.x, rect.y, rect.width, rect.height,
                                              NativeOf<Gdiplus::GpGraphics>(graphics), &answer),
                answer);
}

bool Region::IsVisibleRectI(const Rect& rect, const GdipBase* graphics) const {
  BOOL answer = FALSE;
  return Answer(Flat::GdipIsVisibleRegionRectI(NativeRegion(), rect.x, rect.y, rect.width, rect.height,
                                               NativeOf<Gdiplus::GpGraphics>(graphics), &answer),
                answer);
}

int Region::GetScans(const GdipBase& matrix, std::vector<RectF>& rects) const {
  return FetchScans(NativeRegion(), NativeOf<Gdiplus::GpMatrix>(matrix), rects, Flat::GdipGetRegionScans);
}

int Region::GetScansI(const GdipBase& matrix, std::vector<Rect>& rects) const {
  return FetchScans(NativeRegion(), NativeOf<Gdiplus::GpMatrix>(matrix), rects, Flat::GdipGetRegionScansI);
}

int Region::GetScanCount(const GdipBase& matrix) const {
  UINT count = 0;
  StoreStatus(Flat::GdipGetRegionScansCount(NativeRegion(), &count, NativeOf<Gdiplus::GpMatrix>(matrix)));
  return int(count);
}

}  // namespace korvath::gdip
