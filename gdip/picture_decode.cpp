#include "gdip/picture_decode.h"

#include <wincodec.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "gdip/bitmap.h"
#include "gdip/memory_stream.h"

namespace korvath::gdip {

namespace {

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

// The decoder straight from the imaging library's class factory: no COM
// registration lookup, and COM need not be started on this thread. The
// library stays loaded for the process (GDI+ loads it too).
ComPointer<IWICBitmapDecoder> NewDecoder(REFCLSID decoderClass) {
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  static HMODULE library = LoadLibraryW(L"windowscodecs.dll");
  if (!library) return nullptr;
  auto get = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  if (!get || FAILED(get(decoderClass, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
    return nullptr;
  ComPointer<IClassFactory> ownedFactory(factory);
  IWICBitmapDecoder* decoder = nullptr;
  if (FAILED(factory->CreateInstance(nullptr, IID_IWICBitmapDecoder, reinterpret_cast<void**>(&decoder))))
    return nullptr;
  return ComPointer<IWICBitmapDecoder>(decoder);
}

bool StartsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> signature) {
  return bytes.size() > signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

// A picture kind this decodes: its decoder and the one pixel format that
// GDI+ takes over from that decoder unconverted.
struct DirectKind {
  const CLSID* decoder;
  const WICPixelFormatGUID* decoded;
  int pixelFormat;
};

std::optional<DirectKind> KindOf(std::span<const uint8_t> bytes) {
  static constexpr uint8_t kJpeg[] = {0xFF, 0xD8, 0xFF};
  static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (StartsWith(bytes, kJpeg)) return DirectKind{&CLSID_WICJpegDecoder, &GUID_WICPixelFormat24bppBGR, PixelFormat24bppRGB};
  if (StartsWith(bytes, kPng)) return DirectKind{&CLSID_WICPngDecoder, &GUID_WICPixelFormat32bppBGRA, PixelFormat32bppARGB};
  return std::nullopt;
}

}  // namespace

bool DecodePictureDirect(std::span<const uint8_t> bytes, Image& target) {
  const std::optional<DirectKind> kind = KindOf(bytes);
  if (!kind) return false;
  MemoryStream stream;
  if (!stream.CreateFromBytes(bytes)) return false;
  ComPointer<IWICBitmapDecoder> decoder = NewDecoder(*kind->decoder);
  if (!decoder || FAILED(decoder->Initialize(stream.GetStream(), WICDecodeMetadataCacheOnLoad))) return false;
  IWICBitmapFrameDecode* frameMade = nullptr;
  if (FAILED(decoder->GetFrame(0, &frameMade))) return false;
  ComPointer<IWICBitmapFrameDecode> frame(frameMade);
  // Only the format GDI+ takes over unconverted (the pictures it converts,
  // grey, CMYK, indexed, go through GDI+).
  WICPixelFormatGUID format{};
  UINT width = 0, height = 0;
  double dpiX = 0, dpiY = 0;
  if (FAILED(frame->GetPixelFormat(&format)) || format != *kind->decoded ||
      FAILED(frame->GetSize(&width, &height)) || FAILED(frame->GetResolution(&dpiX, &dpiY)) ||
      width == 0 || height == 0)
    return false;

  Bitmap bitmap;
  if (!bitmap.CreateWithFormat(int(width), int(height), kind->pixelFormat)) return false;
  BitmapData data;
  if (!bitmap.LockBits(Rect{0, 0, int(width), int(height)}, Gdiplus::ImageLockModeWrite, kind->pixelFormat,
                       data))
    return false;
  const HRESULT copied = frame->CopyPixels(nullptr, UINT(data.stride), UINT(data.stride) * height,
                                           static_cast<BYTE*>(data.scan0));
  bitmap.UnlockBits(data);
  if (FAILED(copied) || !bitmap.SetResolution(float(dpiX), float(dpiY))) return false;
  static_cast<Image&>(target) = std::move(static_cast<Image&>(bitmap));
  return true;
}

bool DecodePicture(std::span<const uint8_t> bytes, Image& target) {
  return DecodePictureDirect(bytes, target) || target.FromStream(bytes);
}

}  // namespace korvath::gdip
