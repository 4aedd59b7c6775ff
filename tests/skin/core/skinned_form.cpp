#include "tests/skin/core/skinned_form.h"

#include <gdiplus.h>
#include <shlwapi.h>

#include <algorithm>

#include <memory>

#include "platform/gdi_object.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin::test {

testsupport::PixelBuffer DecodeImage(const std::vector<uint8_t>& bytes) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  testsupport::PixelBuffer out;
  if (bytes.size() <= 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) return out;
  IStream* stream = SHCreateMemStream(bytes.data(), UINT(bytes.size()));
  if (!stream) return out;
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok) {
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(bitmap, &w);
    Gdiplus::DllExports::GdipGetImageHeight(bitmap, &h);
    out.width = int(w);
    out.height = int(h);
    out.pixels.resize(size_t(w) * h);
    for (UINT i = 0; i < w * h; ++i) {
      Gdiplus::ARGB argb = 0;
      Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, INT(i % w), INT(i / w), &argb);
      out.pixels[i] = argb;
    }
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
  }
  stream->Release();
  return out;
}

void FillPattern(HDC dc, int width, int height, uint32_t (*pattern)(int, int), uint32_t rgb) {
  platform::DibSection dib = platform::CreateDibSection32(width, height);
  auto* bits = static_cast<uint32_t*>(dib.bits);
  for (int i = 0; i < width * height; ++i) bits[i] = pattern ? pattern(i % width, i / width) : rgb;
  platform::MemoryDC source = platform::MemoryDC::CompatibleWith(nullptr);
  platform::SelectScope selected(source.get(), dib.bitmap.get());
  BitBlt(dc, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
}

SkinnedForm::SkinnedForm(int width, int height) : window_(width, height, L"skinned form", WS_POPUP | WS_VISIBLE) {
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = window_.hwnd();
  record->ClientWidth = width;
  record->ClientHeight = height;
  record->BackDC = SkinMemoryDc::Create(width, height);
  FillPattern(record->BackDC.get(), width, height, BackPattern);
  record->ChildBackDC = SkinMemoryDc::Create(width, height);
  FillPattern(record->ChildBackDC.get(), width, height, LayerPattern);
  number_ = SkinRecordNumber(*SkinAppendWindowRecord(std::move(record)));
}

SkinnedForm::~SkinnedForm() {
  if (const int32_t n = SkinFindWindowRecord(window_.hwnd()); n > 0) SkinRemoveWindowRecord(n);
}

SkinWindowRecord& SkinnedForm::record() const { return *SkinRecordAt(number_); }

HWND SkinnedForm::AddChild(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent,
                           DWORD exStyle) {
  return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                         parent ? parent : window_.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

void SkinnedForm::Skin(HWND control) const { SetSkinProp(control, prop::Hw_FuID, number_); }

int32_t SkinnedForm::AddContainer(HWND window, COLORREF colour, int32_t alpha, ContainerKind kind, bool framed) const {
  auto& list = record().Containers;
  const int32_t n = SkinTakeEntrySlot(list);
  RECT client = {};
  GetClientRect(window, &client);
  SkinContainerEntry& entry = list[size_t(n) - 1];
  entry.window = window;
  entry.backgroundColor = colour;
  entry.backgroundAlpha = alpha;
  entry.kind = kind;
  entry.framed = framed;
  entry.paintedWidth = client.right;
  entry.paintedHeight = client.bottom;
  Skin(window);
  SetSkinProp(window, prop::Hw_lbID, n);
  return n;
}

}  // namespace korvath::skin::test
