#pragma once
// A skinned form for the tests of the edit, list and scroll-bar skins: the
// engine's start-up options, a borderless form with its record (its back
// buffer and child layer hold the known pictures of skinned_form.h), and
// helpers that look at what a control shows on screen and in the layer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "tests/skin/core/skinned_form.h"

namespace korvath::skin::test {

inline constexpr COLORREF kTheme = 0xDDCA22;
inline constexpr uint32_t kWhiteRgb = 0xFFFFFF;

class EditSkinTest : public ::testing::Test {
 protected:
  EditSkinTest() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_INTERNET_CLASSES | ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES |
                                                 ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinAlpha = 160;
    SkinEngine.options.SkinThemeColor = kTheme;
    SkinEngine.options.SkinTransparentMode = false;
    SkinEngine.options.SkinHoverTracking = 0;
  }
  ~EditSkinTest() override {
    SkinEngine.options.SkinEnabled = false;
    SkinEngine.options.SkinTransparentMode = false;
    SkinEngine.options.SkinHoverTracking = 0;
  }

  SkinWindowRecord& record() const { return form_.record(); }
  // The form's record number, as installers take it.
  int32_t number() const { return form_.number(); }
  HWND Add(const wchar_t* cls, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0, HWND parent = nullptr) {
    return form_.AddChild(cls, style, x, y, w, h, parent, exStyle);
  }
  // What the control's window shows, frame included: read from its own
  // window DC, so that no paint message runs between painting and looking.
  static testsupport::PixelBuffer Shown(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    HDC dc = GetWindowDC(window);
    testsupport::PixelBuffer shown = testsupport::CaptureDC(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    ReleaseDC(window, dc);
    return shown;
  }
  // What the control's client area shows, read from its own client DC.
  static testsupport::PixelBuffer ShownClient(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    HDC dc = GetDC(window);
    testsupport::PixelBuffer shown = testsupport::CaptureDC(dc, 0, 0, r.right, r.bottom);
    ReleaseDC(window, dc);
    return shown;
  }
  // The owner's child layer.
  testsupport::PixelBuffer Layer() const {
    return Pixels(record().ChildBackDC.get(), kFormWidth, kFormHeight);
  }

  static constexpr int kFormWidth = 360;
  static constexpr int kFormHeight = 300;
  EngineGlobals globals_;
  SkinnedForm form_{kFormWidth, kFormHeight};
};

// A 0x00RRGGBB colour at `alpha` over `under`, as the painters blend.
inline uint32_t Over(uint32_t under, COLORREF colour, int alpha) { return Blend(under, Rgb(colour), alpha); }

}  // namespace korvath::skin::test
