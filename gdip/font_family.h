#pragma once
// A font family over a GDI+ font family, found by face name (usually "宋体").
#include <windows.h>
#include <gdiplus.h>

#include <array>
#include <string>
#include <string_view>

#include "gdip/object.h"

namespace korvath::gdip {

class FontCollection;

class FontFamily : public GdipBase {
 public:
  FontFamily() = default;
  // A family object releases its family like every other wrapper, so a
  // user that forgets Delete leaks nothing.
  ~FontFamily() override { Delete(); }
  FontFamily(FontFamily&&) noexcept = default;
  FontFamily& operator=(FontFamily&&) noexcept = default;

  Gdiplus::GpFontFamily* NativeFamily() const noexcept { return NativeAs<Gdiplus::GpFontFamily>(); }
  void SetNativeFamily(Gdiplus::GpFontFamily* family) { SetNativeObject(family); }

  bool Delete();
  // Creators; a collection that is not given (or holds nothing) means the
  // fonts installed on the system.
  [[nodiscard]] bool CreateFromName(std::string_view name, const FontCollection* collection = nullptr);
  [[nodiscard]] bool CreateFromNameInCollection(const std::wstring& name,
                                                const FontCollection* collection = nullptr);
  [[nodiscard]] bool GetGenericSansSerif();
  [[nodiscard]] bool GetGenericSerif();
  [[nodiscard]] bool GetGenericMonospace();
  [[nodiscard]] bool Clone(FontFamily& target) const;

  // The face name; empty when the call failed.
  std::string GetName() const;
  // The whole LF_FACESIZE buffer GDI+ filled (all zeros when it failed).
  std::array<wchar_t, LF_FACESIZE> GetNameW() const;
  bool IsStyleAvailable(int style) const;
  // Design-unit metrics; 0 when the call failed.
  int GetEmHeight(int style) const;
  int GetCellAscent(int style) const;
  int GetCellDescent(int style) const;
  int GetLineSpacing(int style) const;

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
