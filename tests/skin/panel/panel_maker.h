#pragma once
// A panel laid over an edit box of the panel tests' skinned form.
#include <windows.h>

#include <optional>

#include "skin/draw/skin_picture.h"
#include "skin/panel/panel_window.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::fixture {

// A panel over a new 200 x 20 edit box at (40, y); a style comes with a red frame.
inline HWND MakePanel(ZqkPanel& panel, SkinnedForm& form, int y, std::optional<int> style = {},
                      std::optional<COLORREF> fill = {}) {
  const HWND edit = form.AddChild(L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 40, y, 200, 20,
                                  0, WS_EX_CLIENTEDGE);
  const HWND window = panel.Create(edit, style, style ? std::optional<COLORREF>(0x0000FF) : std::nullopt,
                                   fill, 255, SkinPicture());
  testsupport::PumpMessages();
  return window;
}

}  // namespace korvath::skin::fixture
