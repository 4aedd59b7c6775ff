// What the form can hand the writer (the lists' items and any text of code
// page 936 in the boxes, one- and two-byte characters of its whole range;
// tests/app/npc_file_properties.h decodes the bytes): refused or written as
// the rules say, to a path in the folder, and every written file reads back
// with its name and values.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_property.h"
#include "tests/app/npc_file_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvath::fuzz::RequireProperties(
      korvath::app::properties::CheckWrittenFormProperties(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
