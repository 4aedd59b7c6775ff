// Not a test: how long one off-screen frame takes through the library's
// wrappers and through the GDI+ flat API directly. A 409 x 471 ARGB bitmap is
// cleared and filled with an anti-aliased rounded-rectangle path, a linear
// gradient and a line of Chinese text; every object is made and released per
// frame, as a painter does. Frames alternate one by one and the median is
// reported, so both see the same machine load.   gdip_benchmark [frames]
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "bench/figure_line.h"
#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"

namespace gdip = korvath::gdip;
using namespace Gdiplus::DllExports;

namespace {

constexpr int kWidth = 409, kHeight = 471;
// "NPC 编辑器：生成并保存" in GBK, and the same in UTF-16.
const std::string kText = "NPC \xB1\xE0\xBC\xAD\xC6\xF7\xA3\xBA\xC9\xFA\xB3\xC9\xB2\xA2\xB1\xA3\xB4\xE6";
const wchar_t kWideText[] = L"NPC \u7F16\u8F91\u5668\uFF1A\u751F\u6210\u5E76\u4FDD\u5B58";

void WrapperFrame(const gdip::Bitmap& target) {
  gdip::Graphics graphics;
  gdip::GraphicsPath path;
  gdip::SolidBrush body, ink;
  gdip::LinearGradientBrush gradient;
  gdip::Font font;
  if (!graphics.FromImage(target)) return;
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  graphics.Clear(0xFFECECEC);
  path.Create() && path.AddRoundRect(10, 10, kWidth - 20, kHeight - 20, 8) && body.Create(0xA0DDCA22);
  graphics.FillPath(body, path);
  if (gradient.CreateFromPoints({0, 40}, {0, 140}, 0xFFFFFFFF, 0xFF3070C0)) {
    graphics.FillRectangle(gradient, 30, 40, kWidth - 60, 100);
  }
  font.CreateFromName("\xCB\xCE\xCC\xE5", 16, 0, Gdiplus::UnitPixel) && ink.Create(0xFF000000);  // 宋体
  graphics.DrawString(kText, font, ink, gdip::RectF{30, 160, kWidth - 60, 40});
}

void FlatFrame(Gdiplus::GpBitmap* target) {
  Gdiplus::GpGraphics* graphics = nullptr;
  Gdiplus::GpPath* path = nullptr;
  Gdiplus::GpSolidFill *body = nullptr, *ink = nullptr;
  Gdiplus::GpLineGradient* gradient = nullptr;
  Gdiplus::GpFontFamily* family = nullptr;
  Gdiplus::GpFont* font = nullptr;
  GdipGetImageGraphicsContext(target, &graphics);
  GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
  GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAlias);
  GdipGraphicsClear(graphics, 0xFFECECEC);
  GdipCreatePath(Gdiplus::FillModeAlternate, &path);  // the same rounded rectangle: corners 8 % of the size
  float x = 10, y = 10, w = kWidth - 20, h = kHeight - 20, dx = int(w * 8 / 100.0), dy = int(h * 8 / 100.0);
  for (auto [left, top, start] : {std::tuple{x + w - dx, y, 270}, {x + w - dx, y + h - dy, 0}, {x, y + h - dy, 90},
                                  {x, y, 180}})
    GdipAddPathArc(path, left, top, dx, dy, float(start), 90);
  GdipClosePathFigure(path);
  GdipCreateSolidFill(0xA0DDCA22, &body);
  GdipFillPath(graphics, body, path);
  Gdiplus::PointF from(0, 40), to(0, 140);
  GdipCreateLineBrush(&from, &to, 0xFFFFFFFF, 0xFF3070C0, Gdiplus::WrapModeTile, &gradient);
  GdipFillRectangle(graphics, gradient, 30, 40, kWidth - 60, 100);
  GdipCreateFontFamilyFromName(L"\u5B8B\u4F53", nullptr, &family);
  GdipCreateFont(family, 16, 0, Gdiplus::UnitPixel, &font);
  GdipDeleteFontFamily(family);
  GdipCreateSolidFill(0xFF000000, &ink);
  Gdiplus::RectF layout(30, 160, kWidth - 60, 40);
  GdipDrawString(graphics, kWideText, -1, font, &layout, nullptr, ink);
  GdipDeleteBrush(ink);
  GdipDeleteFont(font);
  GdipDeleteBrush(gradient);
  GdipDeleteBrush(body);
  GdipDeletePath(path);
  GdipDeleteGraphics(graphics);
}

}  // namespace

int main(int argc, char** argv) {
  int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return std::fprintf(stderr, "no GDI+\n"), 1;
  {
    gdip::Bitmap target;
    if (!target.CreateWithFormat(kWidth, kHeight)) return std::fprintf(stderr, "no bitmap\n"), 1;
    std::vector<double> times[2];  // milliseconds: wrappers, flat API
    for (int i = -5; i < frames; ++i) {  // five warm-up rounds (fonts, caches)
      for (int pass = 0; pass < 2; ++pass) {
        int wrapped = (pass == 0) == (i % 2 == 0);
        auto start = std::chrono::steady_clock::now();
        wrapped ? WrapperFrame(target) : FlatFrame(target.NativeBitmap());
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (i >= 0) times[1 - wrapped].push_back(took.count());
      }
    }
    for (auto& t : times) std::sort(t.begin(), t.end());
    double wrapped = times[0][frames / 2], flat = times[1][frames / 2];
    std::printf("frame %d x %d ARGB: rounded-rectangle path (anti-aliased), linear gradient, Chinese text\n"
                "  %d frames each, alternating\n  wrappers:  median %.3f ms/frame\n  flat API:  median %.3f ms/frame\n"
                "  difference of the medians: %+.1f %%\n", kWidth, kHeight, frames, wrapped, flat,
                (wrapped / flat - 1.0) * 100.0);
    korvath::bench::PrintFigure("frame through the wrappers", wrapped, "ms", "the same frame through the flat API",
                                flat, "none", frames);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
