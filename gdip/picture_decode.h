#pragma once
// JPEG and PNG pictures decoded by the codecs that GDI+ decodes them with
// under Wine (the imaging component's decoders), handed to GDI+ as decoded
// bits: the same pixels, pixel format and resolution as Image::FromStream
// gives, without GDI+'s search of the registered codecs, which reads hundreds
// of registry keys before the first picture of a process.
#include <cstdint>
#include <span>

#include "gdip/image.h"

namespace korvath::gdip {

// Decodes a 24-bit JPEG (into a 24bpp RGB bitmap) or a 32-bit RGBA PNG (into
// a 32bpp ARGB bitmap) into `target`. False, leaving `target` alone, for any
// other picture or when the decoder is missing: the caller then decodes
// through GDI+.
[[nodiscard]] bool DecodePictureDirect(std::span<const uint8_t> bytes, Image& target);
// The same, falling back on target.FromStream for every other picture: what
// the engine's pictures decode with. False when the bytes decode neither way
// (the target is then empty, as FromStream leaves it).
[[nodiscard]] bool DecodePicture(std::span<const uint8_t> bytes, Image& target);

}  // namespace korvath::gdip
