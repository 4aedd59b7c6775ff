// Any bytes, read as the tool reads a ".pst" (the properties are those of
// tests/app/npc_file_properties.h): the parse never breaks or reads outside
// the bytes, refuses what the writer would not write, and what it accepts is
// saved again to the same values.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_property.h"
#include "tests/app/npc_file_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvath::fuzz::RequireProperties(
      korvath::app::properties::CheckReadFileProperties(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
