// libFuzzer entry over the text commands (clang only):
//   cmake ... -DCMAKE_CXX_COMPILER=clang++ -DKORVATH_SANITIZE=ON
//   cmake --build <dir> --target text_commands_fuzzer && <dir>/tests/platform/text_commands_fuzzer
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/platform/text_commands_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto failure = korvath::platform::testing::CheckTextCommandProperties(input);
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
