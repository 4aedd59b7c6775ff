#include "tests/skin/button/button_fixture.h"

#include "skin/button/button_lookup.h"

#include "skin/control/owner_draw.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "tests/support/png_writer.h"

namespace korvath::skin::test {

std::vector<HWND> ClickedButtons;
std::vector<HWND> OtherNotifications;

namespace {

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      if (SkinWindowRecord* record = SkinRecordOfWindow(window)) {
        SkinDrawItem(*record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      }
      return TRUE;
    case WM_COMMAND:
      (HIWORD(wParam) == BN_CLICKED ? ClickedButtons : OtherNotifications).push_back(reinterpret_cast<HWND>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

ButtonFixture::ButtonFixture() {
  SkinModuleInit();
  ClickedButtons.clear();
  OtherNotifications.clear();
  FillPattern(record().BackDC.get(), kFormWidth, kFormHeight, nullptr, kBackground);
  FillPattern(record().ChildBackDC.get(), kFormWidth, kFormHeight, nullptr, kBackground);
  SetWindowLongPtrW(form(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProc));
  testsupport::Activate(form());
  testsupport::MouseMoveTo(form(), kFormWidth - 10, kFormHeight - 10);  // away from every button
}

ButtonFixture::~ButtonFixture() { testsupport::PumpMessages(); }

HWND ButtonFixture::Add(const wchar_t* text, DWORD style, int x, int y, int w, int h, HWND parent) {
  return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h,
                         parent ? parent : form(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

SkinButtonEntry& ButtonFixture::Entry(HWND button) const {
  return record().Buttons.at(size_t(GetSkinProp(button, prop::Hw_lbID)) - 1);
}

testsupport::PixelBuffer ButtonFixture::Shown(HWND window) {
  testsupport::PumpMessages(10);
  return testsupport::CaptureClient(window);
}

testsupport::PixelBuffer ButtonFixture::Painted(void (*painter)(const ButtonRef&, HDC, UINT, const RECT&), HWND button,
                                                 UINT state) {
  RECT client = {};
  GetClientRect(button, &client);
  SkinMemoryDc target = SkinMemoryDc::Create(client);
  painter(FindButton(button), target.get(), state, client);
  return Pixels(target.get(), client.right, client.bottom);
}

int Darkest(const testsupport::PixelBuffer& shown, int left, int top, int right, int bottom) {
  int darkest = 255;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) darkest = std::min(darkest, Green(shown.RgbAt(x, y)));
  return darkest;
}

std::vector<uint8_t> SolidPng(int w, int h, uint32_t argb) {
  return testsupport::EncodePng(w, h, std::vector<uint32_t>(size_t(w) * h, argb));
}

}  // namespace korvath::skin::test
