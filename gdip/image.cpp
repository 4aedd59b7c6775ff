#include "gdip/image.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

namespace {

// A zero-filled buffer that GDI+ fills with a record followed by its data;
// aligned for the record.
class RecordBuffer {
 public:
  // A buffer of `size` bytes; none, with OutOfMemory stored, when memory
  // cannot hold it.
  static std::optional<RecordBuffer> Make(size_t size) {
    std::optional<std::vector<uint64_t>> words = RecordWords(size);
    if (!words) return std::nullopt;
    return RecordBuffer(std::move(*words), size);
  }
  template <class Record>
  Record* as() {
    return reinterpret_cast<Record*>(words_.data());
  }
  const uint8_t* begin() const { return reinterpret_cast<const uint8_t*>(words_.data()); }
  size_t size() const { return size_; }
  // Whether [data, data + length) lies inside the buffer.
  bool Holds(const void* data, size_t length) const {
    auto* first = static_cast<const uint8_t*>(data);
    return first >= begin() && first <= begin() + size_ && length <= size_t(begin() + size_ - first);
  }

 private:
  RecordBuffer(std::vector<uint64_t> words, size_t size) : words_(std::move(words)), size_(size) {}

  std::vector<uint64_t> words_;
  size_t size_;
};

}  // namespace

bool Image::FromFile(std::string_view fileName, bool useICM) {
  return LoadFromFile(AnsiToWide(fileName),
                      useICM ? Flat::GdipLoadImageFromFileICM : Flat::GdipLoadImageFromFile);
}

bool Image::FromFileSimple(const std::wstring& fileName, bool useICM) {
  return LoadFromFile(fileName, useICM ? Flat::GdipLoadImageFromFileICM : Flat::GdipLoadImageFromFile);
}

bool Image::FromStream(std::span<const uint8_t> bytes, bool useICM) {
  return LoadFromStream(bytes, useICM ? Flat::GdipLoadImageFromStreamICM : Flat::GdipLoadImageFromStream);
}

bool Image::Dispose() {
  if (!GetNativeObject()) return false;
  // The image may read from its stream until it is gone: image first.
  bool ok = DestroyWith(Flat::GdipDisposeImage);
  stream_.Release();
  return ok;
}

bool Image::Clone(Image& target) const {
  Gdiplus::GpImage* clone = nullptr;
  return AdoptInto(target, Flat::GdipCloneImage(NativeImage(), &clone), clone);
}

std::string Image::GetRawFormat() const {
  GUID format = GUID_NULL;
  StoreStatus(Flat::GdipGetImageRawFormat(NativeImage(), &format));
  return GuidToText(format);
}

RectF Image::GetBounds(int* unit) const {
  RectF bounds;
  Gdiplus::Unit native = unit ? Gdiplus::Unit(*unit) : Gdiplus::UnitWorld;
  StoreStatus(Flat::GdipGetImageBounds(NativeImage(), ToNative(bounds), &native));
  if (unit) *unit = int(native);
  return bounds;
}

SizeF Image::GetDimension() const {
  SizeF size;
  StoreStatus(Flat::GdipGetImageDimension(NativeImage(), &size.width, &size.height));
  return size;
}

int Image::GetType() const {
  Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
  StoreStatus(Flat::GdipGetImageType(NativeImage(), &type));
  return int(type);
}

int Image::GetWidth() const {
  UINT width = 0;
  StoreStatus(Flat::GdipGetImageWidth(NativeImage(), &width));
  return int(width);
}

int Image::GetHeight() const {
  UINT height = 0;
  StoreStatus(Flat::GdipGetImageHeight(NativeImage(), &height));
  return int(height);
}

float Image::GetHorizontalResolution() const {
  float resolution = 0;
  StoreStatus(Flat::GdipGetImageHorizontalResolution(NativeImage(), &resolution));
  return resolution;
}

float Image::GetVerticalResolution() const {
  float resolution = 0;
  StoreStatus(Flat::GdipGetImageVerticalResolution(NativeImage(), &resolution));
  return resolution;
}

uint32_t Image::GetFlags() const {
  UINT flags = 0;
  StoreStatus(Flat::GdipGetImageFlags(NativeImage(), &flags));
  return flags;
}

int Image::GetPixelFormat() const {
  Gdiplus::PixelFormat format = 0;
  StoreStatus(Flat::GdipGetImagePixelFormat(NativeImage(), &format));
  return int(format);
}

bool Image::GetThumbnail(int width, int height, Image& target) const {
  Gdiplus::GpImage* thumbnail = nullptr;
  return AdoptInto(target,
                   Flat::GdipGetImageThumbnail(NativeImage(), UINT(width), UINT(height), &thumbnail,
                                               nullptr, nullptr),
                   thumbnail);
}

uint32_t Image::GetFrameCount(std::string_view dimension) const {
  GUID guid = TextToGuid(dimension);
  UINT count = 0;
  StoreStatus(Flat::GdipImageGetFrameCount(NativeImage(), &guid, &count));
  return count;
}

bool Image::GetFrameDimensionsList(std::vector<std::string>& dimensions) const {
  UINT count = 0;
  if (!StoreStatus(Flat::GdipImageGetFrameDimensionsCount(NativeImage(), &count))) return false;
  std::optional<std::vector<GUID>> guids = ListOfLength<GUID>(count);
  if (!guids) return false;
  if (count > 0 && !StoreStatus(Flat::GdipImageGetFrameDimensionsList(NativeImage(), guids->data(), count)))
    return false;
  // Each text takes more memory than its GUID did.
  std::optional<std::vector<std::string>> texts = WithinMemory([&guids] {
    std::vector<std::string> list;
    list.reserve(guids->size());
    for (const GUID& guid : *guids) list.push_back(GuidToText(guid));
    return list;
  });
  if (!texts) return false;
  dimensions = std::move(*texts);
  return true;
}

bool Image::SelectActiveFrame(std::string_view dimension, uint32_t index) {
  GUID guid = TextToGuid(dimension);
  return StoreStatus(Flat::GdipImageSelectActiveFrame(NativeImage(), &guid, index));
}

bool Image::GetPropertyItem(uint32_t id, PropertyItem& item) const {
  UINT size = 0;
  if (!StoreStatus(Flat::GdipGetPropertyItemSize(NativeImage(), id, &size))) return false;
  if (size < sizeof(Gdiplus::PropertyItem)) return RefuseArgument();
  std::optional<RecordBuffer> buffer = RecordBuffer::Make(size);
  if (!buffer) return false;
  auto* native = buffer->as<Gdiplus::PropertyItem>();
  if (!StoreStatus(Flat::GdipGetPropertyItem(NativeImage(), id, size, native))) return false;
  // GDI+ puts the value right after the record, inside the buffer it was given.
  size_t length = native->length;
  if (length > 0 && !buffer->Holds(native->value, length)) return RefuseArgument();
  item.id = native->id;
  item.length = native->length;
  item.type = native->type;
  auto* value = static_cast<const uint8_t*>(native->value);
  item.value.assign(value, value + length);
  return true;
}

int Image::GetPropertyIdList(std::vector<uint32_t>& ids) const {
  static_assert(sizeof(PROPID) == sizeof(uint32_t));
  return FetchList(
      ids,
      [this](INT* count) {
        UINT properties = 0;
        Gdiplus::GpStatus status = Flat::GdipGetPropertyCount(NativeImage(), &properties);
        *count = INT(properties);
        return status;
      },
      [this](uint32_t* buffer, INT count) {
        return Flat::GdipGetPropertyIdList(NativeImage(), UINT(count), reinterpret_cast<PROPID*>(buffer));
      });
}

bool Image::RotateFlip(int type) {
  return StoreStatus(Flat::GdipImageRotateFlip(NativeImage(), Gdiplus::RotateFlipType(type)));
}

bool Image::GetPalette(ColorPalette& palette) const {
  INT size = 0;
  if (!StoreStatus(Flat::GdipGetImagePaletteSize(NativeImage(), &size))) return false;
  if (size < INT(2 * sizeof(UINT))) return RefuseArgument();
  std::optional<RecordBuffer> buffer = RecordBuffer::Make(size_t(size) + sizeof(Gdiplus::ColorPalette));
  if (!buffer) return false;
  auto* native = buffer->as<Gdiplus::ColorPalette>();
  if (!StoreStatus(Flat::GdipGetImagePalette(NativeImage(), native, size))) return false;
  size_t room = (size_t(size) - 2 * sizeof(UINT)) / sizeof(Gdiplus::ARGB);
  size_t count = std::min<size_t>(native->Count, room);
  palette.flags = native->Flags;
  palette.entries.assign(native->Entries, native->Entries + count);
  return true;
}

bool Image::SetPalette(const ColorPalette& palette) {
  std::optional<RecordBuffer> buffer =
      RecordBuffer::Make(sizeof(Gdiplus::ColorPalette) + palette.entries.size() * sizeof(Gdiplus::ARGB));
  if (!buffer) return false;
  auto* native = buffer->as<Gdiplus::ColorPalette>();
  native->Flags = palette.flags;
  native->Count = UINT(palette.entries.size());
  std::copy(palette.entries.begin(), palette.entries.end(), native->Entries);
  return StoreStatus(Flat::GdipSetImagePalette(NativeImage(), native));
}

bool Image::RemovePropertyItem(uint32_t id) {
  return StoreStatus(Flat::GdipRemovePropertyItem(NativeImage(), id));
}

bool Image::SetPropertyItem(const PropertyItem& item) {
  if (item.length > item.value.size() || item.type > 0xFFFF) return RefuseArgument();
  Gdiplus::PropertyItem native = {};
  native.id = item.id;
  native.length = item.length;
  native.type = WORD(item.type);
  native.value = item.length > 0 ? const_cast<uint8_t*>(item.value.data()) : nullptr;
  return StoreStatus(Flat::GdipSetPropertyItem(NativeImage(), &native));
}

bool Image::GetFrameDelays(std::vector<int32_t>& delays) const {
  PropertyItem item;
  if (!GetPropertyItem(kFrameDelayTag, item)) return false;
  size_t count = item.value.size() / sizeof(int32_t);
  delays.assign(count, 0);
  if (count > 0) std::memcpy(delays.data(), item.value.data(), count * sizeof(int32_t));
  return true;
}

}  // namespace korvath::gdip
