#include "skin/control/tab_items.h"

#include "skin/core/window_list.h"

namespace korvath::skin {

bool TabFindContainerEntry(int32_t recordNumber, HWND window) {
  return window && SkinFindContainerEntry(recordNumber, window) > 0;
}

}  // namespace korvath::skin
