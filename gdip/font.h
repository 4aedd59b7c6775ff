#pragma once
// A font over a GDI+ font: made by face name and size, from a window's font
// or from a font description, measured, and asked for its family.
//
// Styles (0 regular, 1 bold, 2 italic, 4 underline, 8 strikeout) and units
// are GDI+'s; an omitted one is 0 (regular; world unit).
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
  bool CreateFromFamily(const FontFamily& family, float size, int style = 0, int unit = 0);
  bool CreateFromDC(HDC dc);
  // From a LOGFONTA; without one, from the device context's font.
  bool CreateFromHDCorLogfont(HDC dc, const LOGFONTA* description = nullptr);
  // The family is looked up among the installed fonts and released again.
  bool CreateFromName(std::string_view name, float size, int style = 0, int unit = 0);
  bool CreateFromNameW(const std::wstring& name, float size, int style = 0, int unit = 0);
  // From a GDI font (its description read in UTF-16, so that Chinese face
  // names survive any code page); font 0: from the device context's font.
  bool CreateFromHFONT(HDC dc, HFONT font);
  // The default GUI font on the screen.
  bool CreateFromStockFont();
  bool CreateFromLogfontW(HDC dc, const LOGFONTW* description = nullptr);
  bool Clone(Font& target) const;

  // Getters: 0 when the call failed.
  int GetStyle() const;
  float GetSize() const;
  int GetUnit() const;
  float GetHeight(const GdipBase* graphics = nullptr) const;
  float GetHeightGivenDPI(float dpi) const;

  bool GetLogFontA(const GdipBase& graphics, LOGFONTA& description) const;
  bool GetLogFontW(const GdipBase* graphics, LOGFONTW& description) const;
  // Fills `target` with the font's family, which `target` then owns.
  bool GetFamily(FontFamily& target) const;

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
