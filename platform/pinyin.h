// Pinyin of GB2312 Chinese characters (the runtime's pinyin command).
#pragma once

#include <string>
#include <string_view>

namespace korvath::platform {

// Reading `reading` (1 = the most common) of the character in the first two
// bytes of `text`, in lower-case ASCII without tone; empty for anything that
// is not a GB2312 Chinese character or has no such reading.
std::string GetPinyin(std::string_view text, int reading = 1);

}  // namespace korvath::platform
