#include "tests/skin/core/panel_fixture.h"

#include <memory>

#include "skin/core/memory_dc.h"
#include "skin/core/window_list.h"
#include "skin/core/window_record.h"
#include "tests/support/png_writer.h"

namespace korvath::skin::fixture {

std::vector<uint8_t> SolidPng(int width, int height, uint32_t rgb) {
  return testsupport::EncodePng(width, height,
                                std::vector<uint32_t>(size_t(width) * height, 0xFF000000u | rgb));
}

namespace {

const wchar_t kFormClass[] = L"KorvathPanelTestForm";

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc = {sizeof(wc)};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);
  registered = true;
}

// Fills a fresh memory DC of the form's size with one colour.
SkinMemoryDc SolidLayer(int width, int height, uint32_t rgb) {
  SkinMemoryDc layer = SkinMemoryDc::Create(width, height);
  HBRUSH brush = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  RECT all = {0, 0, width, height};
  FillRect(layer.get(), &all, brush);
  DeleteObject(brush);
  return layer;
}

}  // namespace

PlainForm::PlainForm(int width, int height, COLORREF background) {
  RegisterFormClass();
  brush_ = CreateSolidBrush(background);
  hwnd_ = CreateWindowExW(0, kFormClass, L"panel test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                          200, 150, width, height, nullptr, nullptr, GetModuleHandleW(nullptr),
                          nullptr);
  SetClassLongPtrW(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_));
  testsupport::Activate(hwnd_);
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
  testsupport::PumpMessages();
}

PlainForm::~PlainForm() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  testsupport::PumpMessages();
  DeleteObject(brush_);
}

HWND PlainForm::AddEdit(int x, int y, int width, int height, const wchar_t* text, HWND parent) {
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", text,
                              WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, x, y, width,
                              height, parent ? parent : hwnd_, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
  testsupport::PumpMessages();
  return edit;
}

SkinnedForm::SkinnedForm(int width, int height, uint32_t backBufferRgb)
    : PlainForm(width, height, RGB(255, 255, 255)) {
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = hwnd();
  record->Active = true;
  record->ClientWidth = width;
  record->ClientHeight = height;
  record->BackDC = SolidLayer(width, height, backBufferRgb);
  record->ChildBackDC = SolidLayer(width, height, backBufferRgb);
  SkinAppendWindowRecord(std::move(record));
}

SkinnedForm::~SkinnedForm() {
  if (IsWindow(hwnd())) DestroyWindow(hwnd());
  testsupport::PumpMessages();
  SkinRemoveWindowRecord(SkinFindWindowRecord(hwnd()));
}

int SkinnedForm::recordNumber() const { return SkinFindWindowRecord(hwnd()); }

}  // namespace korvath::skin::fixture
