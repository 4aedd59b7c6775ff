#include "app/notice.h"

#include <windows.h>

#include "app/main_window.h"
#include "skin/engine/message_box.h"

namespace korvath::app {

void ShowNotice(std::string_view text) {
  skin::SkinMessageBox(MainWindow(), text, MB_OK | MB_ICONEXCLAMATION, "提示");  // style 0x30
}

}  // namespace korvath::app
