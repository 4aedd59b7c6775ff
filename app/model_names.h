// The character models offered by the model combo box, in its order.
#pragma once

#include <array>

namespace korvath::app {

// GBK byte strings.
const std::array<const char*, 20>& ModelNames();

}  // namespace korvath::app
