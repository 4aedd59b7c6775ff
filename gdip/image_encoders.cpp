// Encoders and saving of images.
#include <algorithm>
#include <cstddef>

#include "gdip/image.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

namespace {

// The native encoder-parameter block of one save: the count, then one
// 28-byte entry per parameter pointing into the caller's value bytes, which
// outlive the flat call. Invalid when a parameter's values do not fit its
// bytes or its category is no GUID.
class EncoderParameterBlock {
 public:
  explicit EncoderParameterBlock(const EncoderParameters* parameters) {
    if (!parameters) return;
    const auto& list = parameters->parameters;
    size_t bytes = offsetof(Gdiplus::EncoderParameters, Parameter) + list.size() * sizeof(Gdiplus::EncoderParameter);
    words_.assign((bytes + sizeof(uint64_t) - 1) / sizeof(uint64_t), 0);
    auto* block = reinterpret_cast<Gdiplus::EncoderParameters*>(words_.data());
    block->Count = UINT(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
      const EncoderParameter& parameter = list[i];
      uint64_t needed = uint64_t(parameter.numberOfValues) * EncoderValueSize(parameter.type);
      bool fits = EncoderValueSize(parameter.type) > 0 && needed <= parameter.value.size();
      GUID category = TextToGuid(parameter.category);
      if (!fits || IsEqualGUID(category, GUID_NULL)) {
        valid_ = false;
        return;
      }
      Gdiplus::EncoderParameter& entry = block->Parameter[i];
      entry.Guid = category;
      entry.NumberOfValues = parameter.numberOfValues;
      entry.Type = parameter.type;
      entry.Value = parameter.value.empty() ? nullptr : const_cast<uint8_t*>(parameter.value.data());
    }
  }

  bool valid() const { return valid_; }
  // The block for the flat call; null when no parameters were given.
  Gdiplus::EncoderParameters* get() {
    return words_.empty() ? nullptr : reinterpret_cast<Gdiplus::EncoderParameters*>(words_.data());
  }

 private:
  std::vector<uint64_t> words_;
  bool valid_ = true;
};

CLSID EncoderFor(std::string_view format) { return TextToGuid(Image::FindEncoderClsid(format)); }

// The format a save uses: the caller's, or the fallback written back into
// the caller's variable.
template <class Fallback>
std::string ChosenFormat(std::string* format, Fallback fallback) {
  if (format && !format->empty()) return *format;
  std::string chosen(fallback());
  if (format) *format = chosen;
  return chosen;
}

}  // namespace

uint32_t EncoderValueSize(uint32_t type) {
  switch (type) {
    case 1:  // byte
    case 2:  // ASCII
    case 7:  // undefined
      return 1;
    case 3:  // short
      return 2;
    case 4:  // long
      return 4;
    case 5:  // rational
    case 6:  // long range
      return 8;
    case 8:  // rational range
      return 16;
    default:
      return 0;
  }
}

int Image::ListEncoders(std::vector<ImageCodecInfo>& encoders) {
  UINT count = 0;
  UINT size = 0;
  if (!StoreStatus(Flat::GdipGetImageEncodersSize(&count, &size))) return 0;
  // Counted in 64 bits: the records of a large count take more than 4 GB,
  // which 32 bits would wrap to a size that seems to fit.
  if (uint64_t(size) < uint64_t(count) * sizeof(Gdiplus::ImageCodecInfo)) {
    RefuseArgument();
    return 0;
  }
  std::optional<std::vector<uint64_t>> words = RecordWords(size);
  if (!words) return 0;
  auto* native = reinterpret_cast<Gdiplus::ImageCodecInfo*>(words->data());
  if (!StoreStatus(Flat::GdipGetImageEncoders(count, size, native))) return 0;

  // Our records are larger than GDI+'s, and each copies its signature: a list
  // that fitted GDI+'s buffer may not fit memory as ours.
  std::optional<std::vector<ImageCodecInfo>> taken = WithinMemory([count, native] {
    std::vector<ImageCodecInfo> list(count);
    for (UINT i = 0; i < count; ++i) {
      const Gdiplus::ImageCodecInfo& codec = native[i];
      ImageCodecInfo& info = list[i];
      info.clsid = GuidToText(codec.Clsid);
      info.formatId = GuidToText(codec.FormatID);
      info.codecName = WideToAnsi(codec.CodecName);
      info.dllName = WideToAnsi(codec.DllName);
      info.formatDescription = WideToAnsi(codec.FormatDescription);
      info.filenameExtension = WideToAnsi(codec.FilenameExtension);
      info.mimeType = WideToAnsi(codec.MimeType);
      info.flags = codec.Flags;
      info.version = codec.Version;
      info.sigCount = codec.SigCount;
      info.sigSize = codec.SigSize;
      size_t signatureBytes = size_t(codec.SigCount) * codec.SigSize;
      if (codec.SigPattern) info.sigPattern.assign(codec.SigPattern, codec.SigPattern + signatureBytes);
      if (codec.SigMask) info.sigMask.assign(codec.SigMask, codec.SigMask + signatureBytes);
    }
    return list;
  });
  if (!taken) return 0;
  encoders = std::move(*taken);
  return int(count);
}

std::string Image::FindEncoderClsid(std::string_view format) {
  std::vector<ImageCodecInfo> encoders;
  ListEncoders(encoders);
  for (const ImageCodecInfo& encoder : encoders) {
    if (encoder.formatId == format) return encoder.clsid;
  }
  return {};
}

bool Image::SaveToFile(const std::wstring& fileName, std::string_view format,
                       const EncoderParameters* parameters) const {
  EncoderParameterBlock block(parameters);
  if (!block.valid()) return RefuseArgument();
  CLSID encoder = EncoderFor(format);
  return StoreStatus(Flat::GdipSaveImageToFile(NativeImage(), fileName.c_str(), &encoder, block.get()));
}

bool Image::Save(std::string_view fileName, std::string* format, const EncoderParameters* parameters) const {
  std::string chosen = ChosenFormat(format, [this] { return GetRawFormat(); });
  return SaveToFile(AnsiToWide(fileName), chosen, parameters);
}

bool Image::SaveWide(const std::wstring& fileName, std::string* format,
                     const EncoderParameters* parameters) const {
  return SaveToFile(fileName, ChosenFormat(format, [] { return kBmpFormat; }), parameters);
}

std::vector<uint8_t> Image::SaveToStream(std::string* format, const EncoderParameters* parameters) const {
  std::string chosen = ChosenFormat(format, [this] { return GetRawFormat(); });
  EncoderParameterBlock block(parameters);
  if (!block.valid()) {
    RefuseArgument();
    return {};
  }
  MemoryStream encoded;
  IStream* stream = encoded.CreateFromBytes();
  CLSID encoder = EncoderFor(chosen);
  // A failed save may have written part of a file: that is no picture.
  if (!StoreStatus(Flat::GdipSaveImageToStream(NativeImage(), stream, &encoder, block.get()))) return {};
  return encoded.GetBytes();
}

bool Image::SaveAdd(const EncoderParameters& parameters) {
  EncoderParameterBlock block(&parameters);
  if (!block.valid()) return RefuseArgument();
  return StoreStatus(Flat::GdipSaveAdd(NativeImage(), block.get()));
}

bool Image::SaveAddImage(const Image& image, const EncoderParameters& parameters) {
  EncoderParameterBlock block(&parameters);
  if (!block.valid()) return RefuseArgument();
  return StoreStatus(Flat::GdipSaveAddImage(NativeImage(), image.NativeImage(), block.get()));
}

bool Image::GetEncoderParameterList(std::string_view format, EncoderParameters& parameters) const {
  CLSID encoder = EncoderFor(format);
  UINT size = 0;
  if (!StoreStatus(Flat::GdipGetEncoderParameterListSize(NativeImage(), &encoder, &size))) return false;
  size_t header = offsetof(Gdiplus::EncoderParameters, Parameter);
  if (size < header) return RefuseArgument();
  std::optional<std::vector<uint64_t>> words = RecordWords(size);
  if (!words) return false;
  auto* native = reinterpret_cast<Gdiplus::EncoderParameters*>(words->data());
  if (!StoreStatus(Flat::GdipGetEncoderParameterList(NativeImage(), &encoder, size, native))) return false;

  const auto* first = reinterpret_cast<const uint8_t*>(words->data());
  const uint8_t* end = first + size;
  size_t room = (size - header) / sizeof(Gdiplus::EncoderParameter);
  size_t count = std::min<size_t>(native->Count, room);
  // Each parameter's values are copied out of the buffer: as many as GDI+
  // lists may take more memory than the buffer did.
  std::optional<std::vector<EncoderParameter>> taken = WithinMemory([&] {
    std::vector<EncoderParameter> list(count);
    for (size_t i = 0; i < count; ++i) {
      const Gdiplus::EncoderParameter& entry = native->Parameter[i];
      EncoderParameter& parameter = list[i];
      parameter.category = GuidToText(entry.Guid);
      parameter.numberOfValues = entry.NumberOfValues;
      parameter.type = entry.Type;
      // The values lie in the same buffer, after the entries; copy only what does.
      uint64_t length = uint64_t(entry.NumberOfValues) * EncoderValueSize(entry.Type);
      const auto* value = static_cast<const uint8_t*>(entry.Value);
      if (value && value >= first && value <= end && length <= uint64_t(end - value))
        parameter.value.assign(value, value + length);
    }
    return list;
  });
  if (!taken) return false;
  parameters.parameters = std::move(*taken);
  return true;
}

}  // namespace korvath::gdip
