#include "tests/skin/form/form_fixture.h"

#include <commctrl.h>

#include "platform/gdi_object.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/engine/attach.h"
#include "skin/engine/background_theme.h"
#include "skin/engine/start.h"
#include "skin/form/background_theme.h"

namespace korvath::skin::test {

void FormTest::SetUp() {
  // The pointer away from where the forms appear, so that no tooltip shows.
  SetCursorPos(2, 2);
  SkinEngineStart();
  SkinEngine.forms.SkinOptFormFlag = 0;
  SkinSetBackgroundTheme("", {}, 0xECECEC, 0xC0C0C0);
  gdiAtStart_ = platform::LiveGdiObjectCount();
}

void FormTest::TearDown() {
  window_.reset();
  standIn_.reset();
  PumpMessages();
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
  EXPECT_EQ(platform::LiveGdiObjectCount(), gdiAtStart_);
  SkinEngineShutdown();
}

HWND FormTest::Skin(DWORD style, int width, int height, const FormSkinSettings& settings, WNDPROC proc) {
  window_.reset();
  window_ = std::make_unique<TestWindow>(width, height, L"Skinned test form", style & ~WS_VISIBLE, proc);
  FormSkinAttach(window_->hwnd(), settings);
  ShowWindow(window_->hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(window_->hwnd());
  PumpMessages();
  return window_->hwnd();
}

int32_t FormTest::number() const { return static_cast<int32_t>(GetSkinProp(form(), prop::Hw_lbID)); }

SkinWindowRecord& FormTest::record() const {
  if (SkinWindowRecord* r = SkinRecordAt(number())) return *r;
  ADD_FAILURE() << "the form has no record: it is gone";
  if (!standIn_) standIn_ = std::make_unique<SkinWindowRecord>();
  return *standIn_;
}

HWND TipWindowOf(HWND form) {
  for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
       w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
    if (GetWindow(w, GW_OWNER) == form) return w;
  }
  return nullptr;
}

PixelBuffer FormTest::Back() const {
  return CaptureDC(record().BackDC.get(), 0, 0, record().ClientWidth, record().ClientHeight);
}

}  // namespace korvath::skin::test
