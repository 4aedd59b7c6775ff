#include "skin/window/message_box.h"

#include <string>

#include "platform/gbk_convert.h"

namespace korvath::skin {

int SkinMessageBox(HWND owner, std::string_view text, UINT style,
                   std::optional<std::string_view> caption) {
  std::wstring wideText = platform::GbkToWide(text);
  std::wstring wideCaption = caption ? platform::GbkToWide(*caption) : std::wstring();
  // The box is the plain system one until the skin's dialog hook is
  // installed around this call.
  int pressed = MessageBoxW(owner, wideText.c_str(), caption ? wideCaption.c_str() : nullptr, style);
  // A box that could not be shown answers 0 on Windows and -1 under Wine.
  return pressed > 0 ? pressed - 1 : -1;
}

}  // namespace korvath::skin
