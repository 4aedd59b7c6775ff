#include "gdip/object.h"

#include <objbase.h>

#include <iterator>

#include "platform/gbk_convert.h"

namespace korvath::gdip {

namespace {

constexpr size_t kGuidTextLength = 38;

Gdiplus::GpStatus lastStatus = Gdiplus::Ok;

// Releases a held handle as bookkeeping of an adoption: the operation that
// adopts reports its own flat call's status, not this one's.
template <class Release>
void ReleaseKeepingStatus(Release release) {
  Gdiplus::GpStatus kept = lastStatus;
  release();
  lastStatus = kept;
}

bool IsGuidText(std::string_view text) {
  if (text.size() != kGuidTextLength || text.front() != '{' || text.back() != '}') return false;
  for (size_t i = 1; i + 1 < text.size(); ++i) {
    bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
    char c = text[i];
    bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (hyphen ? c != '-' : !hex) return false;
  }
  return true;
}

}  // namespace

Gdiplus::GpStatus LastGdipStatus() { return lastStatus; }
void SetLastGdipStatus(Gdiplus::GpStatus status) { lastStatus = status; }

void GdipBase::SetNativeObject(NativeHandle handle) {
  if (native_ && native_ != handle) ReleaseKeepingStatus([this] { ReleaseNative(); });
  StoreNative(handle);
}

GdipBase& GdipBase::operator=(GdipBase&& other) noexcept {
  if (this != &other) {
    if (native_) ReleaseKeepingStatus([this] { ReleaseNative(); });
    StoreNative(std::exchange(other.native_, nullptr));
  }
  return *this;
}

void* GdipBase::Alloc(size_t size) { return Gdiplus::DllExports::GdipAlloc(size); }
void GdipBase::Free(void* pointer) { Gdiplus::DllExports::GdipFree(pointer); }

std::wstring AnsiToWide(std::string_view text) { return platform::GbkToWide(text); }

// A character without a GBK form comes back as the default character: GDI+'s
// texts (family and codec names) are shown, never written to a document.
std::string WideToAnsi(std::wstring_view wide) { return platform::WideToGbk(wide).text; }

std::string WideToAnsi(const wchar_t* wide) {
  return wide ? WideToAnsi(std::wstring_view(wide)) : std::string();
}

std::string GuidToText(const GUID& guid) {
  wchar_t buffer[kGuidTextLength + 1] = {};
  StringFromGUID2(guid, buffer, int(std::size(buffer)));
  return WideToAnsi(buffer);
}

GUID TextToGuid(std::string_view text) {
  GUID guid = GUID_NULL;
  // Only the brace form is parsed: CLSIDFromString would otherwise look any
  // other text up as a program identifier in the registry.
  if (!IsGuidText(text)) return GUID_NULL;
  std::wstring wide = AnsiToWide(text);
  if (FAILED(CLSIDFromString(wide.c_str(), &guid))) return GUID_NULL;
  return guid;
}

}  // namespace korvath::gdip
