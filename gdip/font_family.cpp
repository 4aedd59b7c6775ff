#include "gdip/font_family.h"

#include "gdip/font_collection.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

namespace {

Gdiplus::GpFontCollection* CollectionOf(const FontCollection* collection) {
  return collection ? collection->NativeCollection() : nullptr;
}

}  // namespace

bool FontFamily::Delete() { return DestroyWith(Flat::GdipDeleteFontFamily); }

bool FontFamily::CreateFromName(std::string_view name, const FontCollection* collection) {
  return CreateFromNameInCollection(AnsiToWide(name), collection);
}

bool FontFamily::CreateFromNameInCollection(const std::wstring& name, const FontCollection* collection) {
  Gdiplus::GpFontFamily* family = nullptr;
  return AdoptInto(*this, Flat::GdipCreateFontFamilyFromName(name.c_str(), CollectionOf(collection), &family),
                   family);
}

bool FontFamily::GetGenericSansSerif() {
  Gdiplus::GpFontFamily* family = nullptr;
  return AdoptInto(*this, Flat::GdipGetGenericFontFamilySansSerif(&family), family);
}

bool FontFamily::GetGenericSerif() {
  Gdiplus::GpFontFamily* family = nullptr;
  return AdoptInto(*this, Flat::GdipGetGenericFontFamilySerif(&family), family);
}

bool FontFamily::GetGenericMonospace() {
  Gdiplus::GpFontFamily* family = nullptr;
  return AdoptInto(*this, Flat::GdipGetGenericFontFamilyMonospace(&family), family);
}

bool FontFamily::Clone(FontFamily& target) const {
  Gdiplus::GpFontFamily* clone = nullptr;
  return AdoptInto(target, Flat::GdipCloneFontFamily(NativeFamily(), &clone), clone);
}

std::array<wchar_t, LF_FACESIZE> FontFamily::GetNameW() const {
  std::array<wchar_t, LF_FACESIZE> name = {};
  if (!StoreStatus(Flat::GdipGetFamilyName(NativeFamily(), name.data(), 0))) name.fill(L'\0');
  // GDI+ writes a terminated name; make sure of it all the same.
  name.back() = L'\0';
  return name;
}

std::string FontFamily::GetName() const { return WideToAnsi(GetNameW().data()); }

bool FontFamily::IsStyleAvailable(int style) const {
  BOOL available = FALSE;
  return StoreStatus(Flat::GdipIsStyleAvailable(NativeFamily(), style, &available)) && available;
}

int FontFamily::GetEmHeight(int style) const {
  UINT16 value = 0;
  StoreStatus(Flat::GdipGetEmHeight(NativeFamily(), style, &value));
  return value;
}

int FontFamily::GetCellAscent(int style) const {
  UINT16 value = 0;
  StoreStatus(Flat::GdipGetCellAscent(NativeFamily(), style, &value));
  return value;
}

int FontFamily::GetCellDescent(int style) const {
  UINT16 value = 0;
  StoreStatus(Flat::GdipGetCellDescent(NativeFamily(), style, &value));
  return value;
}

int FontFamily::GetLineSpacing(int style) const {
  UINT16 value = 0;
  StoreStatus(Flat::GdipGetLineSpacing(NativeFamily(), style, &value));
  return value;
}

}  // namespace korvath::gdip
