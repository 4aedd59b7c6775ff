#include "tests/skin/shadow/resource_cycles.h"

#include <windows.h>

#include <chrono>
#include <memory>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/draw/glyph_strip.h"
#include "skin/draw/image_strip.h"
#include "skin/draw/memory_dc.h"
#include "skin/edit/ip_address_dots.h"
#include "skin/engine/start.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::cycles {

Figures RunResourceCycles(int cycles, void (*reference)()) {
  Figures figures;
  figures.cycles = cycles;
  SkinEngineStart();
  testsupport::TestWindow form(200, 120, L"form", WS_POPUP | WS_VISIBLE);
  HWND label = form.AddChild(L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 10, 10, 60, 24);
  HWND ip = form.AddChild(L"SysIPAddress32", L"", WS_CHILD | WS_VISIBLE, 10, 50, 160, 24);
  platform::GdiFont font(CreateFontW(-14, 0, 0, 0, 0, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"SimSun"));
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, L"yinyWindow", L"", WS_POPUP, 0, 0, 230, 150,
                                form.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  for (const SkinProp key : {prop::Yyck_yysd, prop::Yyck_yyWz}) SetSkinProp(shadow, key, 15);
  SetSkinProp(shadow, prop::Yyck_Tmd, 80);
  SetSkinPropHandle(shadow, prop::Yyck_Glck, form.hwnd());
  gdip::Bitmap target;
  gdip::Graphics graphics;
  if (!target.CreateWithFormat(220, 60) || !graphics.FromImage(target)) ++figures.faults;
  ImageStrip strip;
  const std::string caption = "\xB2\xE2\xCA\xD4";  // "测试"
  const int32_t size = SkinControlFontMetrics(label).size;  // 14, which GDI+ may give as 13.99
  if (size < 13) ++figures.faults;
  // One round of the occasional helpers first, to warm the caches of GDI+ and the fonts.
  auto occasionally = [&](int i) {
    bool right = SkinControlFontMetrics(label).size == size;
    SkinDrawControlText(graphics, caption, gdip::RectF{0, 0, 200, 50},
                        {.textColour = RGB(0, 0, 0), .glowColour = RGB(0, 0, 255)});
    right = strip.Load(GlyphStripPng()) == 6 && right;  // a leaked decoded strip or 200 x 50 glow would show
    if (i % 100 == 0) SendMessageW(shadow, WM_SIZE, 0, 0);  // the class procedure redraws
    return right;
  };
  occasionally(0);
  figures.before = Counts::Now();
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < cycles; ++i) {
    bool right = true;
    auto made = std::make_unique<SkinWindowRecord>();
    made->Window = form.hwnd();
    made->BackDC = SkinMemoryDc::Create(200, 120);
    made->ChildBackDC = SkinMemoryDc::Create(200, 120);
    const int32_t n = SkinRecordNumber(*SkinAppendWindowRecord(std::move(made)));
    SkinWindowRecord* record = SkinRecordAt(n);
    PatBlt(record->BackDC.get(), 0, 0, 200, 120, i % 2 ? WHITENESS : BLACKNESS);
    record->Tips.Create(form.hwnd());
    record->Tips.AddTool(std::nullopt, "tip", 1);
    SetSkinProp(label, prop::Hw_FuID, n);
    SkinPaintChildBackground(label, SkinPaintParentBackground(label, RECT{0, 0, 60, 24}).get());
    HDC given = GetDC(label);
    SkinRefreshWindow(*record, label, true, given);
    ReleaseDC(label, given);
    HWND layered = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 64, 48,
                                   nullptr, nullptr, nullptr, nullptr);
    {
      SkinMemoryDc picture = SkinMemoryDc::Create(64, 48);
      SkinUpdateLayered(layered, {.sourceDc = picture.get()});
      if (i % 10 == 0) SkinPaintIpAddressDots(ip, picture.get());
    }
    SkinSetWindowAlpha(layered, 220);
    DestroyWindow(layered);
    SkinMemoryDcFree(SkinCreateMemoryDC(RECT{0, 0, 32, 32}));
    if (i % 10 == 0) right = occasionally(i) && right;
    SkinRemoveWindowRecord(n);
    right = SkinEngine.lists.SkinWindowList.empty() && right;
    if (!right) ++figures.faults;
    TimeReference(figures, reference);
  }
  figures.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() -
      figures.referenceMilliseconds;
  figures.after = Counts::Now();
  SendMessageW(label, WM_SETFONT, 0, FALSE);
  DestroyWindow(shadow);
  SkinEngineShutdown();
  return figures;
}

}  // namespace korvath::skin::cycles
