#include "skin/draw/picture_cache.h"

#include <map>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/picture_decode.h"
#include "skin/draw/engine_caches.h"

namespace korvath::skin {

namespace {

struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // ARGB, rows top to bottom
};

// Plain memory only, so that nothing needs GDI+ when the process ends.
struct DecodedPictures {
  std::map<const uint8_t*, DecodedPicture> pictures;
};

std::map<const uint8_t*, DecodedPicture>& Cache() { return SkinEngineCache<DecodedPictures>().pictures; }

DecodedPicture Decode(std::span<const uint8_t> png) {
  DecodedPicture picture;
  gdip::Bitmap bitmap;
  if (!gdip::DecodePicture(png, bitmap)) return picture;
  picture.width = bitmap.GetWidth();
  picture.height = bitmap.GetHeight();
  picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) picture.pixels[size_t(y) * picture.width + x] = bitmap.GetPixel(x, y);
  }
  return picture;
}

}  // namespace

bool SkinLoadCachedPicture(gdip::Bitmap& target, std::span<const uint8_t> png) {
  auto found = Cache().find(png.data());
  if (found == Cache().end()) found = Cache().emplace(png.data(), Decode(png)).first;
  DecodedPicture& picture = found->second;
  if (picture.pixels.empty()) {
    target.Dispose();
    return false;
  }
  return target.CreateFromScan0(picture.width, picture.height, picture.width * 4, gdip::kPixelFormat32bppArgb,
                                picture.pixels.data());
}

}  // namespace korvath::skin
