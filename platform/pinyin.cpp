#include "platform/pinyin.h"

namespace korvath::platform {

std::string GetPinyin(std::string_view, int) { return {}; }

}  // namespace korvath::platform
