#pragma once
// An image over a GDI+ image: loaded from a file or from bytes, measured,
// rotated, given to graphics and brushes, and encoded back into bytes.
#include <windows.h>
#include <gdiplus.h>

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gdip/memory_stream.h"
#include "gdip/object.h"

namespace korvath::gdip {

// The GDI+ image formats that the program names.
inline constexpr std::string_view kPngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr std::string_view kBmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
// The frame-delay property of animated pictures (hundredths of a second).
inline constexpr uint32_t kFrameDelayTag = 0x5100;

struct PropertyItem {
  uint32_t id = 0;
  uint32_t length = 0;  // bytes of value that GDI+ is given; at most value.size()
  uint32_t type = 0;
  std::vector<uint8_t> value;
};

struct ColorPalette {
  uint32_t flags = 0;
  std::vector<Argb> entries;
};

struct ImageCodecInfo {
  std::string clsid;
  std::string formatId;
  std::string codecName;
  std::string dllName;
  std::string formatDescription;
  std::string filenameExtension;
  std::string mimeType;
  uint32_t flags = 0;
  uint32_t version = 0;
  uint32_t sigCount = 0;
  uint32_t sigSize = 0;
  std::vector<uint8_t> sigPattern;
  std::vector<uint8_t> sigMask;
};

struct EncoderParameter {
  std::string category;         // the GDI+ encoder parameter GUID, brace text
  uint32_t numberOfValues = 0;
  uint32_t type = 0;            // the GDI+ value type, 1 to 8
  std::vector<uint8_t> value;   // at least numberOfValues values of that type
};

struct EncoderParameters {
  std::vector<EncoderParameter> parameters;
};

// Bytes of one value of a GDI+ encoder value type; 0 for a type it lacks.
uint32_t EncoderValueSize(uint32_t type);

class Image : public GdipBase {
 public:
  Image() = default;
  ~Image() override { Dispose(); }
  Image(Image&&) noexcept = default;
  Image& operator=(Image&&) noexcept = default;

  Gdiplus::GpImage* NativeImage() const noexcept { return NativeAs<Gdiplus::GpImage>(); }
  void SetNativeImage(Gdiplus::GpImage* image) { SetNativeObject(image); }
  // How many pictures this process has decoded from bytes (every load from a
  // stream): decoding is what a painter that draws the same picture again
  // must not repeat.
  static uint64_t StreamLoads() noexcept { return streamLoads_; }

  // Loaders: an image held before is disposed first.
  [[nodiscard]] virtual bool FromFile(std::string_view fileName, bool useICM = false);
  // Disposes the image, then lets go of the bytes it was read from.
  virtual bool Dispose();
  // `bytes` is a whole image file (PNG, JPEG, ...); GDI+ reads it from a
  // stream that the object keeps for as long as it holds the image.
  [[nodiscard]] virtual bool FromStream(std::span<const uint8_t> bytes, bool useICM = false);
  [[nodiscard]] bool Clone(Image& target) const;

  // Encoding. A format that is not given (null or empty) becomes the image's
  // own format (SaveWide: BMP) and is written back when a variable is given.
  bool Save(std::string_view fileName, std::string* format = nullptr,
            const EncoderParameters* parameters = nullptr) const;
  // The encoded file; empty when the encoding failed.
  std::vector<uint8_t> SaveToStream(std::string* format = nullptr,
                                    const EncoderParameters* parameters = nullptr) const;

  std::string GetRawFormat() const;
  RectF GetBounds(int* unit = nullptr) const;
  SizeF GetDimension() const;
  int GetType() const;
  int GetWidth() const;
  int GetHeight() const;
  float GetHorizontalResolution() const;
  float GetVerticalResolution() const;
  uint32_t GetFlags() const;
  int GetPixelFormat() const;
  [[nodiscard]] bool GetThumbnail(int width, int height, Image& target) const;
  uint32_t GetFrameCount(std::string_view dimension) const;
  [[nodiscard]] bool GetFrameDimensionsList(std::vector<std::string>& dimensions) const;
  bool SelectActiveFrame(std::string_view dimension, uint32_t index);
  // Refused when the value GDI+ hands out does not lie inside the buffer it
  // was given, by one byte too.
  [[nodiscard]] bool GetPropertyItem(uint32_t id, PropertyItem& item) const;
  // The number of ids; 0 (the list untouched) when a call failed.
  int GetPropertyIdList(std::vector<uint32_t>& ids) const;
  // GDI+'s own turn or flip in place; the resolutions are what GDI+ leaves
  // (Wine's gives the turned picture its defaults, 96 both ways).
  bool RotateFlip(int type);
  // The entries the palette says it holds, at most as many as its size has
  // room for.
  [[nodiscard]] bool GetPalette(ColorPalette& palette) const;
  bool SetPalette(const ColorPalette& palette);
  bool RemovePropertyItem(uint32_t id);
  // Refused when its length passes its value's bytes or its type a WORD.
  bool SetPropertyItem(const PropertyItem& item);
  bool SaveAdd(const EncoderParameters& parameters);
  bool SaveAddImage(const Image& image, const EncoderParameters& parameters);
  [[nodiscard]] bool GetFrameDelays(std::vector<int32_t>& delays) const;
  [[nodiscard]] bool GetEncoderParameterList(std::string_view format, EncoderParameters& parameters) const;
  bool SaveWide(const std::wstring& fileName, std::string* format = nullptr,
                const EncoderParameters* parameters = nullptr) const;
  [[nodiscard]] virtual bool FromFileSimple(const std::wstring& fileName, bool useICM = false);

  // The encoders GDI+ offers; 0 (the list untouched) when a call failed.
  static int ListEncoders(std::vector<ImageCodecInfo>& encoders);
  // The CLSID text of the first encoder whose format text is exactly
  // `format` (case counts); empty when there is none.
  static std::string FindEncoderClsid(std::string_view format);

 protected:
  bool ReleaseNative() override { return Dispose(); }


  template <class Native>
  [[nodiscard]] bool LoadFromFile(const std::wstring& fileName,
                                  Gdiplus::GpStatus(WINGDIPAPI* load)(const WCHAR*, Native**)) {
    Dispose();
    Native* loaded = nullptr;
    return AdoptInto(*this, load(fileName.c_str(), &loaded), loaded);
  }

  template <class Native>
  [[nodiscard]] bool LoadFromStream(std::span<const uint8_t> bytes,
                                    Gdiplus::GpStatus(WINGDIPAPI* load)(IStream*, Native**)) {
    Dispose();
    ++streamLoads_;
    IStream* stream = stream_.CreateFromBytes(bytes);
    Native* loaded = nullptr;
    bool ok = AdoptInto(*this, load(stream, &loaded), loaded);
    if (!GetNativeObject()) stream_.Release();
    return ok;
  }

 private:
  bool SaveToFile(const std::wstring& fileName, std::string_view format,
                  const EncoderParameters* parameters) const;

  MemoryStream stream_;
  static inline std::atomic<uint64_t> streamLoads_{0};
};

}  // namespace korvath::gdip
