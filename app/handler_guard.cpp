#include "app/handler_guard.h"

#include "app/notice.h"

namespace korvath::app {

void NoticeUnfinishedAction(bool outOfMemory) noexcept {
  // Whatever the action held when it threw is free again, so the box has
  // the memory that it needs; should it fail all the same, nothing more can
  // be said.
  try {
    ShowNotice(outOfMemory ? "内存不足,这一操作未能完成!" : "程序内部出错,这一操作未能完成!");
  } catch (...) {
  }
}

}  // namespace korvath::app
