// Not a test: figures for the skinned main form (409 x 471, the tool's
// background picture stretched, title, minimise and close items), each
// against a reference measured in the same run, medians of many runs.
//   1. A full render (SkinFormRender, off-screen) against the same layers
//      drawn directly with the flat GDI+ API: picture decoded and
//      stretched, two outlines, the title with its halo, two glyphs over
//      their gradients. Goal: 1.3 at most.
//   2. A repaint with no state change (the cached path of WM_PAINT) against
//      one BitBlt of the same size onto the window. Goal: 3 at most.
//   3. One caption-item fade frame (a 20 ms timer tick). Goal: 1 ms at most.
//   4. 10,000 render, hover and repaint cycles, and 1,000 attach and removal
//      cycles: live GDI objects, memory DCs and records before and after.
// The start-up of the whole tool against a minimal window is measured by
// startup_benchmark (bench/app).
//   form_benchmark [runs]
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/pictures.h"
#include "bench/app/bench_clock.h"
#include "bench/figure_line.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/caption/caption_buttons.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/attach.h"
#include "skin/engine/background_theme.h"
#include "skin/engine/start.h"
#include "skin/form/background_theme.h"
#include "skin/form/form_attach.h"
#include "skin/form/form_paint_path.h"
#include "skin/form/form_render.h"
#include "tests/support/win_test_support.h"

using namespace korvath;
using namespace korvath::skin;
using bench::Median;
using bench::NowMs;
namespace Flat = Gdiplus::DllExports;

namespace {

constexpr int kWidth = 409, kHeight = 471;

FormSkinSettings MainFormSettings(const ByteSet& picture) {
  FormSkinSettings s;
  s.border = true;
  s.resizable = false;
  s.showTitle = true;
  s.backgroundImage = picture;
  s.imageMode = 3;
  s.hideIcon = true;
  return s;
}

Gdiplus::GpImage* Decode(std::span<const uint8_t> bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(block, TRUE, &stream);
  Gdiplus::GpImage* image = nullptr;
  Flat::GdipLoadImageFromStream(stream, &image);
  stream->Release();
  return image;
}

void RoundRect(Gdiplus::GpPath* path, float x, float y, float w, float h, float r) {
  Flat::GdipAddPathArc(path, x + w - r, y, r, r, 270, 90);
  Flat::GdipAddPathArc(path, x + w - r - 1, y + h - r - 1, r + 1, r + 1, 0, 90);
  Flat::GdipAddPathArc(path, x, y + h - r, r, r, 90, 90);
  Flat::GdipAddPathArc(path, x, y, r, r, 180, 90);
  Flat::GdipClosePathFigure(path);
}

void Outline(Gdiplus::GpGraphics* g, float inset, float r, Gdiplus::ARGB colour) {
  Gdiplus::GpPath* path = nullptr;
  Flat::GdipCreatePath(Gdiplus::FillModeAlternate, &path);
  RoundRect(path, inset, inset, kWidth - 1 - 2 * inset, kHeight - 1 - 2 * inset, r);
  Gdiplus::GpPen* pen = nullptr;
  Flat::GdipCreatePen1(colour, 1.0f, Gdiplus::UnitWorld, &pen);
  Flat::GdipDrawPath(g, pen, path);
  Flat::GdipDeletePen(pen);
  Flat::GdipDeletePath(path);
}

void Glyph(Gdiplus::GpGraphics* g, std::span<const uint8_t> png, float x, float w) {
  Gdiplus::GpLineGradient* sheen = nullptr;
  Gdiplus::PointF top(x, 1), bottom(x, 19);
  Flat::GdipCreateLineBrush(&top, &bottom, 0x32FFFFFF, 0, Gdiplus::WrapModeTile, &sheen);
  Flat::GdipFillRectangle(g, sheen, x - 1, 1, w + 1, 17);
  Flat::GdipDeleteBrush(sheen);
  Gdiplus::GpImage* glyph = Decode(png);
  Flat::GdipDrawImageRect(g, glyph, x, 1, w, 18);
  Flat::GdipDisposeImage(glyph);
}

// The same layers as the render, straight through the flat API.
void DirectLayers(std::span<const uint8_t> picture) {
  SkinMemoryDc dc = SkinMemoryDc::Create(kWidth, kHeight);
  Gdiplus::GpGraphics* g = nullptr;
  Flat::GdipCreateFromHDC(dc.get(), &g);
  Gdiplus::GpImage* image = Decode(picture);
  Flat::GdipDrawImageRect(g, image, 0, 0, kWidth, kHeight);
  Flat::GdipDisposeImage(image);
  Outline(g, 0, 7, 0x9B000000);
  Outline(g, 1, 6, 0x8CFFFFFF);
  Gdiplus::GpFontFamily* family = nullptr;
  Flat::GdipCreateFontFamilyFromName(L"SimSun", nullptr, &family);
  Gdiplus::GpFont* font = nullptr;
  Flat::GdipCreateFont(family, 12, Gdiplus::FontStyleBold, Gdiplus::UnitWorld, &font);
  Gdiplus::GpStringFormat* format = nullptr;
  Flat::GdipCreateStringFormat(Gdiplus::StringFormatFlagsLineLimit, 0, &format);
  Gdiplus::GpSolidFill *halo = nullptr, *white = nullptr;
  Flat::GdipCreateSolidFill(0x96808080, &halo);
  Flat::GdipCreateSolidFill(0xFFFFFFFF, &white);
  const float offsets[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const auto& o : offsets) {
    Gdiplus::RectF box(6 + o[0], 7 + o[1], 300, 18);
    Flat::GdipDrawString(g, L"KorvathNPC\x751F\x6210\x5668", -1, font, &box, format, halo);
  }
  Gdiplus::RectF box(6, 7, 300, 18);
  Flat::GdipDrawString(g, L"KorvathNPC\x751F\x6210\x5668", -1, font, &box, format, white);
  Flat::GdipDeleteBrush(halo);
  Flat::GdipDeleteBrush(white);
  Flat::GdipDeleteStringFormat(format);
  Flat::GdipDeleteFont(font);
  Flat::GdipDeleteFontFamily(family);
  Glyph(g, CaptionMinimisePng(), 343, 26);
  Glyph(g, CaptionClosePng(), 370, 38);
  Flat::GdipDeleteGraphics(g);
}

struct Counts {
  long gdi;
  size_t dcs;
  size_t records;
};
Counts Now() {
  return {platform::LiveGdiObjectCount(), SkinMemoryDcList().size(),
          SkinEngine.lists.SkinWindowList.size()};
}

HWND MakeForm(const ByteSet& picture) {
  HWND form = CreateWindowExW(WS_EX_APPWINDOW, L"Static", L"KorvathNPC\x751F\x6210\x5668",
                              WS_POPUP | WS_MINIMIZEBOX, 100, 100, kWidth, kHeight, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  FormSkinAttach(form, MainFormSettings(picture));
  ShowWindow(form, SW_SHOWNOACTIVATE);
  UpdateWindow(form);
  return form;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 30;
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  SkinEngineStart();
  SkinSetBackgroundTheme("", {}, 0xECECEC, 0xC0C0C0);
  const ByteSet picture(app::assets::BackgroundJpeg().begin(), app::assets::BackgroundJpeg().end());

  HWND form = MakeForm(picture);
  SkinWindowRecord& r = *SkinRecordAt(SkinFindWindowRecord(form));
  std::vector<double> render, direct, cached, blit, fade;
  for (int i = 0; i < runs; ++i) {
    double t = NowMs();
    SkinFormRender(r, nullptr, false);
    render.push_back(NowMs() - t);
    t = NowMs();
    DirectLayers(picture);
    direct.push_back(NowMs() - t);
    // The two copies alternate in a row of their own, so that neither pays
    // for the drawing before it.
    for (int k = 0; k < 20; ++k) {
      t = NowMs();
      SkinPaintToDC(r);
      cached.push_back(NowMs() - t);
      t = NowMs();
      platform::WindowDC dc = platform::WindowDC::Client(form);
      BitBlt(dc.get(), 0, 0, kWidth, kHeight, r.BackDC.get(), 0, 0, SRCCOPY);
      dc.Reset();
      blit.push_back(NowMs() - t);
    }
    t = NowMs();
    {
      gdip::Graphics graphics;
      SkinPaintCaptionButtons(r, graphics, {.item = 1, .hoverLevel = 30 * (1 + i % 8)});
    }
    fade.push_back(NowMs() - t);
  }
  std::printf("form_benchmark: %d runs, medians\n", runs);
  std::printf("  full render      %7.3f ms  direct GDI+ layers %7.3f ms  ratio %.2f (goal <= 1.3)\n", Median(render),
              Median(direct), Median(render) / Median(direct));
  std::printf("  cached repaint   %7.3f ms  one BitBlt         %7.3f ms  ratio %.2f (goal <= 3)\n", Median(cached),
              Median(blit), Median(cached) / Median(blit));
  std::printf("  caption fade frame %7.3f ms (goal <= 1 ms)\n", Median(fade));
  bench::PrintFigure("full render, 409 x 471 main form", Median(render), "ms", "the same layers through the flat API",
                     Median(direct), "ratio <= 1.3", runs);
  bench::PrintFigure("cached repaint, 409 x 471", Median(cached), "ms", "one BitBlt of the same size onto the window",
                     Median(blit), "ratio <= 3", long(cached.size()));
  bench::PrintFigure("caption-item fade frame", Median(fade), "ms", "<= 1 ms", runs);

  const Counts before = Now();
  for (int i = 0; i < 10000; ++i) {
    if (i % 100 == 0) SkinFormRender(r, nullptr, false);
    SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(350, 8));
    SendMessageW(form, WM_TIMER, reinterpret_cast<WPARAM>(form), 0);
    SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(100, 200));
    SkinPaintToDC(r);
  }
  const Counts afterCycles = Now();
  DestroyWindow(form);
  const Counts gone = Now();
  // Without a picture: its decoding is the render's cost, not the attach's.
  for (int i = 0; i < 1000; ++i) DestroyWindow(MakeForm({}));
  testsupport::PumpMessages();
  const Counts afterAttach = Now();
  std::printf("  10000 render/hover/repaint cycles: GDI objects %ld -> %ld, memory DCs %zu -> %zu\n", before.gdi,
              afterCycles.gdi, before.dcs, afterCycles.dcs);
  std::printf("  1000 attach/remove cycles: GDI objects %ld -> %ld, memory DCs %zu -> %zu, records %zu -> %zu\n",
              gone.gdi, afterAttach.gdi, gone.dcs, afterAttach.dcs, gone.records, afterAttach.records);
  bench::PrintCountsNotBack("form render/hover/repaint cycles",
                            long(afterCycles.gdi != before.gdi) + long(afterCycles.dcs != before.dcs), 10000);
  bench::PrintCountsNotBack("form attach/remove cycles",
                            long(afterAttach.gdi != gone.gdi) + long(afterAttach.dcs != gone.dcs) +
                                long(afterAttach.records != gone.records),
                            1000);
  SkinEngineShutdown();
  OleUninitialize();
  return 0;
}
