#pragma once
// What the panel and container tests stand on: a visible, active borderless
// form that the skin knows (its back buffer and child layer hold one colour,
// so a pixel tells where it came from) and solid-colour PNG pictures.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/core/memory_dc.h"
#include "skin/core/panel_window.h"
#include "skin/core/skin_picture.h"
#include "skin/core/window_list.h"
#include "skin/core/window_record.h"
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

// A panel over a new 200 x 20 edit box at (40, y); a style comes with a red frame.
inline HWND MakePanel(ZqkWindow& panel, SkinnedForm& form, int y, std::optional<int> style = {},
                      std::optional<COLORREF> fill = {}) {
  const HWND edit = form.AddChild(L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 40, y, 200, 20,
                                  0, WS_EX_CLIENTEDGE);
  const HWND window = panel.Create(edit, style, style ? std::optional<COLORREF>(0x0000FF) : std::nullopt,
                                   fill, 255, SkinPicture());
  testsupport::PumpMessages();
  return window;
}

}  // namespace korvath::skin::fixture
