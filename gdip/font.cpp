#include "gdip/font.h"

#include "platform/gdi_object.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

bool Font::Delete() { return DestroyWith(Flat::GdipDeleteFont); }

bool Font::CreateFromFamily(const FontFamily& family, float size, int style, Gdiplus::Unit unit) {
  Gdiplus::GpFont* font = nullptr;
  return AdoptInto(*this, Flat::GdipCreateFont(family.NativeFamily(), size, style, Gdiplus::Unit(unit), &font),
                   font);
}

bool Font::CreateFromDC(HDC dc) {
  Gdiplus::GpFont* font = nullptr;
  return AdoptInto(*this, Flat::GdipCreateFontFromDC(dc, &font), font);
}

bool Font::CreateFromHDCorLogfont(HDC dc, const LOGFONTA* description) {
  if (!description) return CreateFromDC(dc);
  Gdiplus::GpFont* font = nullptr;
  return AdoptInto(*this, Flat::GdipCreateFontFromLogfontA(dc, description, &font), font);
}

bool Font::CreateFromLogfontW(HDC dc, const LOGFONTW* description) {
  if (!description) return CreateFromDC(dc);
  Gdiplus::GpFont* font = nullptr;
  return AdoptInto(*this, Flat::GdipCreateFontFromLogfontW(dc, description, &font), font);
}

bool Font::CreateFromName(std::string_view name, float size, int style, Gdiplus::Unit unit) {
  return CreateFromNameW(AnsiToWide(name), size, style, unit);
}

bool Font::CreateFromNameW(const std::wstring& name, float size, int style, Gdiplus::Unit unit) {
  FontFamily family;
  if (!family.CreateFromNameInCollection(name)) {
    // As any failed creator: the font held before is gone, and the status
    // says why (the face names no installed family).
    SetNativeObject(nullptr);
    return false;
  }
  bool ok = CreateFromFamily(family, size, style, unit);
  // The font keeps what it needs of its family; the last status becomes the
  // family's release when there was a family to release.
  family.Delete();
  return ok;
}

bool Font::CreateFromHFONT(HDC dc, HFONT source) {
  LOGFONTW description = {};
  if (!source || GetObjectW(source, sizeof(description), &description) == 0) return CreateFromDC(dc);
  return CreateFromLogfontW(dc, &description);
}

bool Font::CreateFromStockFont() {
  LOGFONTW description = {};
  if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description) == 0) return false;
  platform::WindowDC screen = platform::WindowDC::Client(nullptr);
  return CreateFromLogfontW(screen.get(), &description);
}

bool Font::Clone(Font& target) const {
  Gdiplus::GpFont* clone = nullptr;
  return AdoptInto(target, Flat::GdipCloneFont(NativeFont(), &clone), clone);
}

int Font::GetStyle() const {
  INT style = 0;
  StoreStatus(Flat::GdipGetFontStyle(NativeFont(), &style));
  return style;
}

float Font::GetSize() const {
  float size = 0;
  StoreStatus(Flat::GdipGetFontSize(NativeFont(), &size));
  return size;
}

Gdiplus::Unit Font::GetUnit() const {
  Gdiplus::Unit unit = Gdiplus::UnitWorld;
  StoreStatus(Flat::GdipGetFontUnit(NativeFont(), &unit));
  return unit;
}

float Font::GetHeight(const GdipBase* graphics) const {
  float height = 0;
  StoreStatus(Flat::GdipGetFontHeight(NativeFont(), NativeOf<Gdiplus::GpGraphics>(graphics), &height));
  return height;
}

float Font::GetHeightGivenDPI(float dpi) const {
  float height = 0;
  StoreStatus(Flat::GdipGetFontHeightGivenDPI(NativeFont(), dpi, &height));
  return height;
}

bool Font::GetLogFontA(const GdipBase& graphics, LOGFONTA& description) const {
  return StoreStatus(Flat::GdipGetLogFontA(NativeFont(), NativeOf<Gdiplus::GpGraphics>(&graphics), &description));
}

bool Font::GetLogFontW(const GdipBase* graphics, LOGFONTW& description) const {
  return StoreStatus(Flat::GdipGetLogFontW(NativeFont(), NativeOf<Gdiplus::GpGraphics>(graphics), &description));
}

bool Font::GetFamily(FontFamily& target) const {
  Gdiplus::GpFontFamily* family = nullptr;
  return AdoptInto(target, Flat::GdipGetFamily(NativeFont(), &family), family);
}

}  // namespace korvath::gdip
