#pragma once
// What the panel and container tests stand on: a visible, active borderless
// form that the skin knows (its back buffer and child layer hold one colour,
// so a pixel tells where it came from) and solid-colour PNG pictures. The
// panel's own is in tests/skin/panel/panel_maker.h.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/core/window_list.h"
#include "skin/core/window_record.h"
#include "skin/draw/memory_dc.h"
#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::fixture {

inline std::vector<uint8_t> SolidPng(int width, int height, uint32_t rgb) {
  return testsupport::EncodePng(width, height,
                                std::vector<uint32_t>(size_t(width) * height, 0xFF000000u | rgb));
}

class SkinnedForm : public testsupport::TestWindow {
 public:
  SkinnedForm(int width, int height, uint32_t rgb)
      : TestWindow(width, height, L"panel test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN) {
    testsupport::Activate(hwnd());
    auto record = std::make_unique<SkinWindowRecord>();
    record->Window = hwnd();
    record->Active = true;
    record->ClientWidth = width;
    record->ClientHeight = height;
    record->BackDC = Layer(width, height, rgb);
    record->ChildBackDC = Layer(width, height, rgb);
    SkinAppendWindowRecord(std::move(record));
  }
  ~SkinnedForm() {
    DestroyWindow(hwnd());
    testsupport::PumpMessages();
    SkinRemoveWindowRecord(SkinFindWindowRecord(hwnd()));
  }
  int recordNumber() const { return SkinFindWindowRecord(hwnd()); }

  static SkinMemoryDc Layer(int width, int height, uint32_t rgb) {
    SkinMemoryDc layer = SkinMemoryDc::Create(width, height);
    const platform::GdiBrush brush(CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)));
    const RECT all = {0, 0, width, height};
    FillRect(layer.get(), &all, brush.get());
    return layer;
  }
};

}  // namespace korvath::skin::fixture
