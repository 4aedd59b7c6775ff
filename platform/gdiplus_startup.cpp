#include "platform/gdiplus_startup.h"

#include <gdiplus.h>

namespace korvath::platform {

GdiplusStartupToken GdiplusStartupToken::Start(UINT32 version) {
  GdiplusStartupToken started;
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = version;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) started.token_ = token;
  return started;
}

GdiplusStartupToken& GdiplusStartupToken::operator=(GdiplusStartupToken&& other) noexcept {
  if (this != &other) {
    Reset();
    token_ = std::exchange(other.token_, 0);
  }
  return *this;
}

void GdiplusStartupToken::Reset() noexcept {
  if (token_) Gdiplus::GdiplusShutdown(token_);
  token_ = 0;
}

}  // namespace korvath::platform
