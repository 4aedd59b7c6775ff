#pragma once
// The "提示" box through which the tool tells the user why it refused
// something.
#include <string_view>

namespace korvath::app {

void ShowNotice(std::string_view text);

}  // namespace korvath::app
