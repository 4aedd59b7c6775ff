// Not a test: the cost of a group box under the container skin, each figure
// against a reference measured in the same run, the two alternating one by
// one so that both see the same machine load.
//   1. A repaint while the cached look is clean (the group box alone
//      invalidated and updated: its children repaint themselves), against
//      one BitBlt of the same size from the child layer onto the group box,
//      and against a plain window of that size whose paint is that BitBlt,
//      repainted the same way: under Wine the paint cycle itself (invalidate,
//      BeginPaint, EndPaint, each a round trip to the window server) costs
//      many such copies.
//   2. A rebuild (the look drawn in full), against the same drawing made
//      directly with the GDI+ flat API on the same surface.
//   3. 10,000 cycles of a label's text change and a group box repaint (every
//      third one a rebuild): the live objects (GetGuiResources GDI and USER,
//      the engine's own GDI tally, windows, memory DCs) before and after.
//                                  container_benchmark [paints] [cycles]
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/figure_line.h"
#include "platform/gdi_object.h"
#include "skin/control/container_paint.h"
#include "skin/control/label_skin.h"
#include "skin/control/frame_paint.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/attach.h"
#include "skin/install/control_attach.h"
#include "tests/skin/core/skinned_form.h"

using namespace korvath::skin;
using namespace Gdiplus::DllExports;
using Clock = std::chrono::steady_clock;
using korvath::bench::PrintFigure;

namespace {

constexpr int kLeft = 20, kTop = 20, kW = 200, kH = 120;
// The caption, "基本属性" (basic properties).
constexpr wchar_t kCaption[] = L"\u57FA\u672C\u5C5E\u6027";
constexpr wchar_t kSimSun[] = L"\u5B8B\u4F53";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A window whose paint is one BitBlt from the child layer: what a clean
// repaint would cost with nothing but the copy.
HDC g_plainSource = nullptr;
LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BitBlt(dc, 0, 0, kW, kH, g_plainSource, kLeft, kTop, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

Gdiplus::GpPath* RoundRect(float x, float y, float w, float h, float r) {
  Gdiplus::GpPath* path = nullptr;
  GdipCreatePath(Gdiplus::FillModeAlternate, &path);
  GdipAddPathArc(path, x + w - r, y, r, r, 270, 90);
  GdipAddPathArc(path, x + w - r - 1, y + h - r - 1, r + 1, r + 1, 0, 90);
  GdipAddPathArc(path, x, y + h - r, r, r, 90, 90);
  GdipAddPathArc(path, x, y, r, r, 180, 90);
  GdipClosePathFigure(path);
  return path;
}

void StrokeRoundRect(Gdiplus::GpGraphics* g, float x, float y, float w, float h, float r, Gdiplus::ARGB colour) {
  Gdiplus::GpPath* path = RoundRect(x, y, w, h, r);
  Gdiplus::GpPen* pen = nullptr;
  GdipCreatePen1(colour, 1, Gdiplus::UnitWorld, &pen);
  GdipDrawPath(g, pen, path);
  GdipDeletePen(pen);
  GdipDeletePath(path);
}

Gdiplus::GpFont* CaptionFont() {
  Gdiplus::GpFontFamily* family = nullptr;
  Gdiplus::GpFont* font = nullptr;
  GdipCreateFontFamilyFromName(kSimSun, nullptr, &family);
  GdipCreateFont(family, 12, 0, Gdiplus::UnitWorld, &font);
  GdipDeleteFontFamily(family);
  return font;
}

// The group box's full look drawn straight through the flat API on the
// engine's surface: the background behind it, the two rounded frames, the
// caption measured, its strip cleared from the back buffer and the caption
// drawn, then the child layer and the window with its child left out.
void FlatGroupPaint(HWND group, HWND child, const SkinWindowRecord& record) {
  const RECT client = {0, 0, kW, kH};
  SkinMemoryDc surface = SkinPaintParentBackground(group, client);
  HDC memory = surface.get();
  Gdiplus::GpGraphics* g = nullptr;
  GdipCreateFromHDC(memory, &g);
  StrokeRoundRect(g, 0, 5, kW - 1, kH - 6, 5, 0x28000000);
  StrokeRoundRect(g, 1, 6, kW - 3, kH - 8, 3, 0x5AFFFFFF);

  HDC screen = CreateCompatibleDC(nullptr);
  Gdiplus::GpGraphics* measuring = nullptr;
  GdipCreateFromHDC(screen, &measuring);
  Gdiplus::GpFont* font = CaptionFont();
  const Gdiplus::RectF none(0, 0, 0, 0);
  Gdiplus::RectF box;
  GdipMeasureString(measuring, kCaption, -1, font, &none, nullptr, &box, nullptr, nullptr);
  GdipDeleteFont(font);
  GdipDeleteGraphics(measuring);
  DeleteDC(screen);
  const int width = int(box.Width) + 1;
  const Gdiplus::RectF layout(kW - width - 10.0f, 1, float(width), 15);
  BitBlt(memory, int(layout.X), 1, width, 15, record.BackDC.get(), kLeft + int(layout.X), kTop + 1, SRCCOPY);

  font = CaptionFont();
  Gdiplus::GpStringFormat* format = nullptr;
  GdipCreateStringFormat(0, 0, &format);
  GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentCenter);
  Gdiplus::GpSolidFill* ink = nullptr;
  GdipCreateSolidFill(0xFF000000, &ink);
  GdipDrawString(g, kCaption, -1, font, &layout, format, ink);
  GdipDeleteBrush(ink);
  GdipDeleteStringFormat(format);
  GdipDeleteFont(font);
  GdipDeleteGraphics(g);

  SkinPaintChildBackground(group, memory);
  HDC dc = GetDC(group);
  RECT inside = {};
  GetWindowRect(child, &inside);
  MapWindowPoints(nullptr, group, reinterpret_cast<POINT*>(&inside), 2);
  ExcludeClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
  BitBlt(dc, 0, 0, kW, kH, memory, 0, 0, SRCCOPY);
  ReleaseDC(group, dc);
}

BOOL CALLBACK CountChild(HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; }
BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

// Wine answers GetGuiResources with 0: the engine's own tally of GDI objects
// and the thread's windows stand in for the GDI and USER counts there.
struct Counts {
  DWORD gdi, user;
  long tally;
  size_t memoryDcs;
  int windows;
  static Counts Now() {
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&windows));
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
            korvath::platform::LiveGdiObjectCount(), SkinMemoryDcList().size(), windows};
  }
  bool operator==(const Counts& o) const {
    return gdi == o.gdi && user == o.user && tally == o.tally && memoryDcs == o.memoryDcs && windows == o.windows;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  const int cycles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
  ProgramGlobalsInit();
  SkinModuleInit();
  SkinEngine.options.SkinEnabled = true;
  {
    test::SkinnedForm form(480, 200);
    HWND group = CreateWindowExW(0, L"Button", kCaption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, kLeft, kTop, kW, kH,
                                 form.hwnd(), nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 20, 40, 60, 20, group, nullptr, nullptr,
                                 nullptr);
    HWND label = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 20, 160, 120, 24, form.hwnd(), nullptr,
                                 nullptr, nullptr);
    ContainerControlSkinAttach(group);
    LabelSkinAttach(label);
    const int32_t owner = int32_t(GetSkinProp(group, prop::Hw_FuID));
    const int32_t number = int32_t(GetSkinProp(group, prop::Hw_lbID));
    SkinContainerEntry& entry = form.record().Containers[size_t(number) - 1];
    UpdateWindow(form.hwnd());
    Pump();

    // 1. Clean repaints against one copy.
    g_plainSource = form.record().ChildBackDC.get();
    WNDCLASSW cls = {};
    cls.lpfnWndProc = PlainProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"KorvathPlainCopy";
    RegisterClassW(&cls);
    // Beside the group box, not over it: each is measured where it shows.
    HWND plain = CreateWindowExW(0, cls.lpszClassName, L"", WS_CHILD | WS_VISIBLE, kLeft + kW + 20, kTop, kW, kH,
                                 form.hwnd(), nullptr, nullptr, nullptr);
    korvath::platform::WindowDC groupDc = korvath::platform::WindowDC::Client(group);
    // A repaint of the window alone: its children repaint themselves.
    const auto repaint = [](HWND window) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    };
    std::vector<double> clean, copy, plainPaint;
    int rebuilt = 0;
    for (int i = -20; i < paints; ++i) {
      for (int pass = 0; pass < 3; ++pass) {
        const int which = ((pass + i) % 3 + 3) % 3;  // 0 ours, 1 the copy, 2 the plain window
        if (which == 0) entry.paintedWidth = -1;  // a rebuild sets it again
        const auto start = Clock::now();
        if (which == 0) {
          repaint(group);
        } else if (which == 1) {
          BitBlt(groupDc.get(), 0, 0, kW, kH, form.record().ChildBackDC.get(), kLeft, kTop, SRCCOPY);
        } else {
          repaint(plain);
        }
        GdiFlush();
        if (i >= 0) (which == 0 ? clean : which == 1 ? copy : plainPaint).push_back(Ms(Clock::now() - start));
        if (which == 0 && entry.paintedWidth != -1) ++rebuilt;
      }
    }
    entry.paintedWidth = kW;
    DestroyWindow(plain);
    const double cleanMs = Median(clean), copyMs = Median(copy), plainMs = Median(plainPaint);
    std::printf("clean repaint of a %d x %d group box (invalidate, WM_PAINT), %d paints, interleaved%s\n"
                "  %.4f ms = %.2f x one BitBlt of the same size (%.4f ms) (goal <= 3 x)\n"
                "  = %.2f x a plain window of that size whose paint is that BitBlt (%.4f ms)\n",
                kW, kH, paints, rebuilt ? " (SOME REBUILT: a rebuild, not a clean repaint, was measured)" : "",
                cleanMs, cleanMs / copyMs, copyMs, cleanMs / plainMs, plainMs);
    PrintFigure(rebuilt ? "clean repaint, 200 x 120 group box (SOME REBUILT)" : "clean repaint, 200 x 120 group box",
                cleanMs, "ms", "one BitBlt of the same size", copyMs, "ratio <= 3", paints);
    PrintFigure(rebuilt ? "clean repaint, 200 x 120 group box (SOME REBUILT)" : "clean repaint, 200 x 120 group box",
                cleanMs, "ms", "a plain window whose paint is that BitBlt", plainMs, "none", paints);

    // 2. Rebuilds against the flat API.
    std::vector<double> painter, flat;
    for (int i = -5; i < paints / 4; ++i) {
      for (int pass = 0; pass < 2; ++pass) {
        const bool ours = (pass == 0) == (i % 2 == 0);
        const auto start = Clock::now();
        if (ours) {
          ContainerSkinPaint(SkinFoundEntryAt(*SkinRecordAt(owner), &SkinWindowRecord::Containers, number));
        } else {
          FlatGroupPaint(group, child, form.record());
        }
        GdiFlush();
        if (i >= 0) (ours ? painter : flat).push_back(Ms(Clock::now() - start));
      }
    }
    const double paintMs = Median(painter), flatMs = Median(flat);
    std::printf("rebuild of the group box's look (background, frames, caption, child layer, window),"
                " %d paints each, alternating\n  painter %.4f ms, flat API %.4f ms: %.2f x (goal <= 1.3 x)\n",
                paints / 4, paintMs, flatMs, paintMs / flatMs);
    PrintFigure("rebuild of the group box's look", paintMs, "ms", "the same drawing through the flat API", flatMs,
                "ratio <= 1.3", paints / 4);

    // 3. Cycles.
    const wchar_t* texts[2] = {L"\u751F\u6210\u5E76\u4FDD\u5B58", L"\u8BFB\u53D6NPC\u6587\u6863..."};
    auto cycle = [&](int c) {
      SetWindowTextW(label, texts[c % 2]);
      if (c % 3 == 0) entry.rebuild = true;
      InvalidateRect(group, nullptr, FALSE);
      UpdateWindow(group);
      if (c % 500 == 0) Pump();
    };
    cycle(0);
    Pump();
    const Counts before = Counts::Now();
    const auto started = Clock::now();
    for (int c = 1; c <= cycles; ++c) cycle(c);
    Pump();
    const double cycleMs = Ms(Clock::now() - started) / cycles;
    const Counts after = Counts::Now();
    std::printf("%d label text changes and group box repaints (every third a rebuild), %.3f ms a cycle\n"
                "  GetGuiResources GDI %lu -> %lu, USER %lu -> %lu; the engine's GDI tally %ld -> %ld,"
                " windows %d -> %d, memory DCs %zu -> %zu%s\n",
                cycles, cycleMs, before.gdi, after.gdi, before.user, after.user, before.tally, after.tally,
                before.windows, after.windows, before.memoryDcs, after.memoryDcs,
                after == before ? "" : "\n  LEAK: the counts did not return");
    PrintFigure("label text change and group box repaint", cycleMs, "ms", "none", cycles);
    korvath::bench::PrintCountsNotBack("label and group box cycles",
                                       long(after.gdi != before.gdi) + long(after.user != before.user) +
                                           long(after.tally != before.tally) +
                                           long(after.memoryDcs != before.memoryDcs) +
                                           long(after.windows != before.windows),
                                       cycles);
  }
  ProgramGlobalsRelease();
  return 0;
}
