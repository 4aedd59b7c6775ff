#pragma once
// GDI+ started for as long as one of these lives.
#include <windows.h>

#include "platform/unique_handle.h"

namespace korvath::platform {

struct GdiplusShutdownTraits {
  using Value = ULONG_PTR;
  static Value Empty() noexcept { return 0; }
  static void Free(ULONG_PTR token) noexcept;  // GdiplusShutdown
};

class GdiplusStartupToken {
 public:
  // Starts GDI+ (start-up input of the given version, no debug callback,
  // background thread and external codecs not suppressed); ok() tells
  // whether it did.
  static GdiplusStartupToken Start(UINT32 version = 1);
  ULONG_PTR value() const noexcept { return token_.get(); }

  bool ok() const noexcept { return static_cast<bool>(token_); }
  // Shuts GDI+ down now (only after every GDI+ object is gone).
  void Reset() noexcept { token_.Reset(); }

 private:
  UniqueHandle<GdiplusShutdownTraits> token_;
};

}  // namespace korvath::platform
