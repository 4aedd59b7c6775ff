#include "app/notice.h"

#include <windows.h>

#include "app/main_window.h"
#include "platform/system_error.h"
#include "platform/text_commands.h"
#include "skin/message_box/message_box.h"

namespace korvath::app {

void ShowNotice(std::string_view text) {
  skin::SkinMessageBox(MainWindow(), text, MB_OK | MB_ICONEXCLAMATION, "提示");  // style 0x30
}

std::string ErrorReason(DWORD error) {
  std::string reason = platform::SystemErrorText(error);
  return reason.empty() ? "错误代码" + platform::ToText(int32_t(error)) : reason;
}

}  // namespace korvath::app
