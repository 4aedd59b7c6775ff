// Any bytes through the text commands, the line rules and pinyin (the
// properties are those of tests/platform/text_properties.h): searches match
// whole characters only, conversions keep characters whole and round-trip,
// numbers saturate, lines read in chunks are the lines read whole.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_property.h"
#include "tests/platform/text_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvath::platform::properties;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  korvath::fuzz::RequireProperties(CheckTextCommandProperties(input));
  korvath::fuzz::RequireProperties(CheckGbkTextProperties(input));
  korvath::fuzz::RequireProperties(CheckTextLineProperties(input));
  korvath::fuzz::RequireProperties(CheckPinyinProperties(input));
  return 0;
}
