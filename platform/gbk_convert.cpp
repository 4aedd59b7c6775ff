#include "platform/gbk_convert.h"

#include <windows.h>

namespace korvath::platform {

std::wstring GbkToWide(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(kGbkCodePage, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring out(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(kGbkCodePage, 0, text.data(), int(text.size()), out.data(), n);
  return out;
}

GbkText WideToGbk(std::wstring_view text) {
  GbkText out;
  if (text.empty()) return out;
  // No best fit: a character GBK lacks must be reported, not quietly turned
  // into a look-alike.
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()),
                              nullptr, 0, nullptr, &usedDefault);
  if (n <= 0) {
    out.exact = false;
    return out;
  }
  out.text.resize(size_t(n));
  usedDefault = FALSE;
  WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()),
                      out.text.data(), n, nullptr, &usedDefault);
  out.exact = !usedDefault;
  return out;
}

}  // namespace korvath::platform
