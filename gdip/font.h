#pragma once
// A font over a GDI+ font: made by face name and size, from a window's font
// or from a font description, measured, and asked for its family.
//
// Styles are GDI+'s FontStyle bits, combined (0 regular); an omitted style is
// regular and an omitted unit UnitWorld.
#include <windows.h>
#include <gdiplus.h>

#include <string>
#include <string_view>

#include "gdip/font_family.h"
#include "gdip/object.h"

namespace korvath::gdip {

class Font : public GdipBase {
 public:
  Font() = default;
  ~Font() override { Delete(); }
  Font(Font&&) noexcept = default;
  Font& operator=(Font&&) noexcept = default;

  Gdiplus::GpFont* NativeFont() const noexcept { return NativeAs<Gdiplus::GpFont>(); }
  void SetNativeFont(Gdiplus::GpFont* font) { SetNativeObject(font); }

  bool Delete();
  // Creators: the font held before is deleted.
  [[nodiscard]] bool CreateFromFamily(const FontFamily& family, float size, int style = 0,
                                      Gdiplus::Unit unit = Gdiplus::UnitWorld);
  [[nodiscard]] bool CreateFromDC(HDC dc);
  // From a LOGFONTA; without one, from the device context's font.
  [[nodiscard]] bool CreateFromHDCorLogfont(HDC dc, const LOGFONTA* description = nullptr);
  // The family is looked up among the installed fonts and released again.
  [[nodiscard]] bool CreateFromName(std::string_view name, float size, int style = 0,
                                    Gdiplus::Unit unit = Gdiplus::UnitWorld);
  [[nodiscard]] bool CreateFromNameW(const std::wstring& name, float size, int style = 0,
                                     Gdiplus::Unit unit = Gdiplus::UnitWorld);
  // From a GDI font (its description read in UTF-16, so that Chinese face
  // names survive any code page); font 0: from the device context's font.
  [[nodiscard]] bool CreateFromHFONT(HDC dc, HFONT font);
  // The default GUI font on the screen.
  [[nodiscard]] bool CreateFromStockFont();
  [[nodiscard]] bool CreateFromLogfontW(HDC dc, const LOGFONTW* description = nullptr);
  [[nodiscard]] bool Clone(Font& target) const;

  // Getters: 0 when the call failed.
  int GetStyle() const;
  float GetSize() const;
  Gdiplus::Unit GetUnit() const;
  float GetHeight(const GdipBase* graphics = nullptr) const;
  float GetHeightGivenDPI(float dpi) const;

  [[nodiscard]] bool GetLogFontA(const GdipBase& graphics, LOGFONTA& description) const;
  [[nodiscard]] bool GetLogFontW(const GdipBase* graphics, LOGFONTW& description) const;
  // Fills `target` with the font's family, which `target` then owns.
  [[nodiscard]] bool GetFamily(FontFamily& target) const;

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
