#include "platform/gdiplus_startup.h"

#include <gdiplus.h>

namespace korvath::platform {

void GdiplusShutdownTraits::Free(ULONG_PTR token) noexcept { Gdiplus::GdiplusShutdown(token); }

GdiplusStartupToken GdiplusStartupToken::Start(UINT32 version) {
  GdiplusStartupToken started;
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = version;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) started.token_.Reset(token);
  return started;
}

}  // namespace korvath::platform
