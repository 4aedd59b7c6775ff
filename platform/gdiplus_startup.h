#pragma once
// GDI+ started for as long as one of these lives.
#include <windows.h>

#include <utility>

namespace korvath::platform {

class GdiplusStartupToken {
 public:
  GdiplusStartupToken() = default;
  // Starts GDI+ (start-up input of the given version, no debug callback,
  // background thread and external codecs not suppressed); ok() tells
  // whether it did.
  static GdiplusStartupToken Start(UINT32 version = 1);
  ULONG_PTR value() const noexcept { return token_; }
  ~GdiplusStartupToken() { Reset(); }
  GdiplusStartupToken(GdiplusStartupToken&& other) noexcept
      : token_(std::exchange(other.token_, 0)) {}
  GdiplusStartupToken& operator=(GdiplusStartupToken&& other) noexcept;
  GdiplusStartupToken(const GdiplusStartupToken&) = delete;
  GdiplusStartupToken& operator=(const GdiplusStartupToken&) = delete;

  bool ok() const noexcept { return token_ != 0; }
  // Shuts GDI+ down now (only after every GDI+ object is gone).
  void Reset() noexcept;

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace korvath::platform
