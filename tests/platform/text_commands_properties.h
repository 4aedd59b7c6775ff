// Properties that the text commands keep for any input, checked by the
// seeded random test and by the libFuzzer entry. Each input is a byte string
// split into a text and a search part.
#pragma once

#include <string>
#include <string_view>

namespace korvath::platform::testing {

// An empty result when every property holds, else a description of the first
// one that failed.
std::string CheckTextCommandProperties(std::string_view input);

// Properties that hold only for well-formed GBK text (no lone lead bytes).
std::string CheckWellFormedProperties(std::string_view gbkText);

}  // namespace korvath::platform::testing
