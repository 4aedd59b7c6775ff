// GraphicsPath: text outlines. The GBK forms convert their text to UTF-16
// (code page 936) and share the steps of the UTF-16 forms.
#include "gdip/graphics_path.h"

#include "gdip/font_family.h"
#include "gdip/string_format.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool GraphicsPath::AddString(std::string_view text, const FontFamily& family, int size, const RectF& layout,
                             int style, const StringFormat& format) {
  return AddStringSimple(AnsiToWide(text), family, size, layout, style, format);
}

bool GraphicsPath::AddStringI(std::string_view text, const FontFamily& family, int size, const Rect& layout,
                              int style, const StringFormat& format) {
  return AddStringISimple(AnsiToWide(text), family, size, layout, style, format);
}

bool GraphicsPath::AddStringSimple(std::wstring_view text, const FontFamily& family, int size, const RectF& layout,
                                   int style, const StringFormat& format) {
  return StoreStatus(GdipAddPathString(NativePath(), TextPointer(text), WideLength(text), family.NativeFamily(),
                                       style, static_cast<float>(size), ToNative(layout), format.NativeFormat()));
}

bool GraphicsPath::AddStringISimple(std::wstring_view text, const FontFamily& family, int size, const Rect& layout,
                                    int style, const StringFormat& format) {
  return StoreStatus(GdipAddPathStringI(NativePath(), TextPointer(text), WideLength(text), family.NativeFamily(),
                                        style, static_cast<float>(size), ToNative(layout), format.NativeFormat()));
}

}  // namespace korvath::gdip
