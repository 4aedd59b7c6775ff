// Not a test: the cost of the button skins, each figure against a reference
// measured in the same run.
//   1. One cross-fade frame of a 100 x 30 push button, against a plain copy
//      of the same rectangle onto the same DC and against the fade's 20 ms
//      period.
//   2. A full paint of that button (normal look) through the painter, against
//      the same drawing made directly with the GDI+ flat API on the same
//      surface (the engine's parent background and child layer). Paints
//      alternate one by one, so both see the same machine load. The surface
//      services themselves are measured against two plain copies.
//   3. Hover, press, release and leave cycles over three push buttons and
//      three radio buttons: live GDI objects, memory DCs and running fades
//      before and after.
//                                        button_benchmark [paints] [cycles]
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "bench/figure_line.h"
#include "platform/gdi_object.h"
#include "skin/button/button_installers.h"
#include "skin/button/button_lookup.h"
#include "skin/button/cross_fade.h"
#include "skin/button/vector_button_painter.h"
#include "skin/control/owner_draw.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/child_layer.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "tests/skin/core/skinned_form.h"

using namespace korvath::skin;
using namespace Gdiplus::DllExports;
using Clock = std::chrono::steady_clock;
using korvath::bench::PrintFigure;

namespace {

constexpr int kW = 100, kH = 30, kLeft = 20, kTop = 20;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    if (SkinWindowRecord* record = SkinRecordOfWindow(window)) {
      SkinDrawItem(*record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    }
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The painter's normal look of a captioned 100 x 30 button, drawn straight
// through the flat API on the engine's surface: the background piece, the
// translucent face, the gradient, the outline and the caption, then the child
// layer and the target.
void FlatPaint(HWND button, HDC target) {
  SkinMemoryDc surface = SkinPaintParentBackground(button, RECT{0, 0, kW, kH});
  HDC memory = surface.get();
  Gdiplus::GpGraphics* g = nullptr;
  GdipCreateFromHDC(memory, &g);
  auto face = [] {
    Gdiplus::GpPath* path = nullptr;
    GdipCreatePath(Gdiplus::FillModeAlternate, &path);
    const float w = kW - 1, h = kH - 1, c = 5;
    GdipAddPathArc(path, w - c, 0, c, c, 270, 90);
    GdipAddPathArc(path, w - c - 1, h - c - 1, c + 1, c + 1, 0, 90);
    GdipAddPathArc(path, 0, h - c, c, c, 90, 90);
    GdipAddPathArc(path, 0, 0, c, c, 180, 90);
    GdipClosePathFigure(path);
    return path;
  };
  Gdiplus::GpPath* base = face();
  Gdiplus::GpSolidFill* white = nullptr;
  GdipCreateSolidFill(0xA0FFFFFF, &white);
  GdipFillPath(g, white, base);
  GdipDeleteBrush(white);
  GdipDeletePath(base);
  Gdiplus::GpPath* path = face();
  Gdiplus::PointF top(0, 0), bottom(0, kH - 1);
  Gdiplus::GpLineGradient* gradient = nullptr;
  GdipCreateLineBrush(&top, &bottom, 0x1EFFFFFF, 0x3C808080, Gdiplus::WrapModeTile, &gradient);
  GdipFillPath(g, gradient, path);
  GdipDeleteBrush(gradient);
  Gdiplus::GpPen* pen = nullptr;
  GdipCreatePen1(0x78000000, 1, Gdiplus::UnitWorld, &pen);
  GdipDrawPath(g, pen, path);
  GdipDeletePen(pen);
  GdipDeletePath(path);
  Gdiplus::GpFontFamily* family = nullptr;
  Gdiplus::GpFont* font = nullptr;
  GdipCreateFontFamilyFromName(L"\u5B8B\u4F53", nullptr, &family);
  GdipCreateFont(family, 12, 0, Gdiplus::UnitWorld, &font);
  GdipDeleteFontFamily(family);
  Gdiplus::GpStringFormat* format = nullptr;
  GdipCreateStringFormat(0, 0, &format);
  GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentCenter);
  GdipSetStringFormatLineAlign(format, Gdiplus::StringAlignmentCenter);
  GdipSetStringFormatHotkeyPrefix(format, Gdiplus::HotkeyPrefixShow);
  Gdiplus::GpSolidFill* ink = nullptr;
  GdipCreateSolidFill(0xFF000000, &ink);
  Gdiplus::RectF layout(0, 2, kW, kH);
  GdipDrawString(g, L"\u751F\u6210\u5E76\u4FDD\u5B58", -1, font, &layout, format, ink);
  GdipDeleteBrush(ink);
  GdipDeleteStringFormat(format);
  GdipDeleteFont(font);
  GdipDeleteGraphics(g);
  SkinPaintChildBackground(button, memory);
  BitBlt(target, 0, 0, kW, kH, memory, 0, 0, SRCCOPY);
}

// What the surface services cost, and two plain copies of the same size.
void Surface(HWND button) {
  SkinMemoryDc surface = SkinPaintParentBackground(button, RECT{0, 0, kW, kH});
  SkinPaintChildBackground(button, surface.get());
}
void PlainCopies(const SkinWindowRecord& record) {
  SkinMemoryDc surface = SkinMemoryDc::Create(kW, kH);
  BitBlt(surface.get(), 0, 0, kW, kH, record.BackDC.get(), kLeft, kTop, SRCCOPY);
  BitBlt(record.ChildBackDC.get(), kLeft, kTop, kW, kH, surface.get(), 0, 0, SRCCOPY);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  const int cycles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
  ProgramGlobalsInit();
  SkinModuleInit();
  {
    test::SkinnedForm form(420, 200);
    SetWindowLongPtrW(form.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProc));
    auto add = [&](const wchar_t* text, DWORD style, int x, int y, int w, int h) {
      return form.AddChild(L"BUTTON", style | WS_TABSTOP, x, y, w, h);
    };
    HWND buttons[6] = {add(L"", BS_PUSHBUTTON, kLeft, kTop, kW, kH), add(L"", BS_PUSHBUTTON, 140, 20, 100, 30),
                       add(L"", BS_PUSHBUTTON, 260, 20, 100, 30), add(L"", BS_AUTORADIOBUTTON | WS_GROUP, 20, 80, 80, 20),
                       add(L"", BS_AUTORADIOBUTTON, 120, 80, 80, 20), add(L"", BS_AUTORADIOBUTTON, 220, 80, 80, 20)};
    const wchar_t* captions[6] = {L"\u751F\u6210\u5E76\u4FDD\u5B58", L"\u8BFB\u53D6NPC\u6587\u6863...", L"\u5173\u95ED",
                                  L"\u4E2D\u7ACB", L"\u9635\u8425\u4E00", L"\u9635\u8425\u4E8C"};
    for (int i = 0; i < 6; ++i) SetWindowTextW(buttons[i], captions[i]);
    ButtonSkinInstall(*SkinRecordAt(form.number()), form.hwnd());
    CheckRadioSkinInstall(*SkinRecordAt(form.number()), form.hwnd());
    Pump();
    HWND button = buttons[0];
    const RECT rect = {0, 0, kW, kH};

    // 1. Fade frames.
    korvath::platform::WindowDC windowDc = korvath::platform::WindowDC::Client(button);
    std::vector<double> frame, copy;
    for (int f = 0; f < paints / 8 + 1; ++f) {
      SkinMemoryDc picture = SkinMemoryDc::Create(kW, kH);
      FadeStart({.window = button, .width = kW, .height = kH, .picture = std::move(picture)});
      const UINT_PTR timer = SkinEngine.lists.FadeList.back().Timer.get();
      for (int tick = 0; tick < 8; ++tick) {
        auto start = Clock::now();
        FadeTimerProc(nullptr, WM_TIMER, timer, 0);
        GdiFlush();
        frame.push_back(Ms(Clock::now() - start));
        start = Clock::now();
        BitBlt(windowDc.get(), 0, 0, kW, kH, SkinEngine.lists.FadeList.back().SourceDc, 0, 0, SRCCOPY);
        GdiFlush();
        copy.push_back(Ms(Clock::now() - start));
      }
      FadeStop(button);
    }
    const double frameMs = Median(frame), copyMs = Median(copy);
    std::printf("cross-fade frame, %d x %d, %zu frames\n  median %.4f ms = %.2f x a plain copy (%.4f ms)"
                " = %.2f %% of the %u ms period (goal <= 5 %%)\n",
                kW, kH, frame.size(), frameMs, frameMs / copyMs, copyMs, frameMs / kFadeInterval * 100, kFadeInterval);
    char periodGoal[32];  // 5 % of the fade's period
    std::snprintf(periodGoal, sizeof periodGoal, "<= %.1f ms", kFadeInterval * 0.05);
    PrintFigure("cross-fade frame, 100 x 30", frameMs, "ms", "a plain copy of the same rectangle", copyMs, periodGoal,
                long(frame.size()));

    // 2. Full paints, alternating.
    SkinMemoryDc target = SkinMemoryDc::Create(kW, kH);
    const ButtonRef found = FindButton(button);
    std::vector<double> painter, flat;
    for (int i = -5; i < paints; ++i) {
      for (int pass = 0; pass < 2; ++pass) {
        const bool ours = (pass == 0) == (i % 2 == 0);
        auto start = Clock::now();
        if (ours) {
          ButtonSkinPaintVector(found, target.get(), 0, rect);
        } else {
          FlatPaint(button, target.get());
        }
        GdiFlush();
        if (i >= 0) (ours ? painter : flat).push_back(Ms(Clock::now() - start));
      }
    }
    const double paintMs = Median(painter), flatMs = Median(flat);
    std::printf("full paint, normal look, %d paints each, alternating\n  painter %.4f ms, flat API %.4f ms:"
                " %.2f x (goal <= 1.3 x)\n", paints, paintMs, flatMs, paintMs / flatMs);
    PrintFigure("full paint, normal look", paintMs, "ms", "the same drawing through the flat API", flatMs,
                "ratio <= 1.3", paints);
    std::vector<double> services, copies;
    for (int i = -5; i < paints; ++i) {
      auto begin = Clock::now();
      Surface(button);
      GdiFlush();
      auto middle = Clock::now();
      PlainCopies(form.record());
      GdiFlush();
      if (i >= 0) {
        services.push_back(Ms(middle - begin));
        copies.push_back(Ms(Clock::now() - middle));
      }
    }
    std::printf("  of which the surface (parent background, child layer) %.4f ms = %.2f x two plain copies\n",
                Median(services), Median(services) / Median(copies));
    PrintFigure("full paint: its surface (parent background, child layer)", Median(services), "ms",
                "two plain copies", Median(copies), "none", paints);

    // 3. Cycles.
    Pump();
    const long liveBefore = korvath::platform::LiveGdiObjectCount();
    const size_t dcsBefore = SkinMemoryDcList().size();
    auto start = Clock::now();
    for (int c = 0; c < cycles; ++c) {
      HWND b = buttons[c % 6];
      SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
      SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
      SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
      SendMessageW(b, WM_MOUSELEAVE, 0, 0);
      if (c % 64 == 0) Pump();
    }
    const double cycleMs = Ms(Clock::now() - start) / cycles;
    const size_t fadesAfterCycles = SkinEngine.lists.FadeList.size();
    const long liveAfterCycles = korvath::platform::LiveGdiObjectCount();
    Sleep(250);
    Pump();
    std::printf(
        "%d hover/press/release/leave cycles over 3 push and 3 radio buttons, %.3f ms a cycle\n"
        "  live GDI objects %ld -> %ld, memory DCs %zu -> %zu, fades running %zu (after 250 ms: %zu)\n",
        cycles, cycleMs, liveBefore, liveAfterCycles, dcsBefore, SkinMemoryDcList().size(),
        fadesAfterCycles, SkinEngine.lists.FadeList.size());
    PrintFigure("hover/press/release/leave cycle, 6 buttons", cycleMs, "ms", "none", cycles);
    korvath::bench::PrintCountsNotBack("hover/press/release/leave cycles",
                                       long(liveAfterCycles != liveBefore) +
                                           long(SkinMemoryDcList().size() != dcsBefore) +
                                           long(!SkinEngine.lists.FadeList.empty()),
                                       cycles);
  }
  ProgramGlobalsRelease();
  return 0;
}
