#include "platform/system_error.h"

#include "platform/gbk_convert.h"

namespace korvath::platform {

std::string SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words(text ? text : L"", text ? length : 0);
  LocalFree(text);
  words.erase(words.find_last_not_of(L" \t\r\n") + 1);
  return WideToGbk(words).text;
}

}  // namespace korvath::platform
