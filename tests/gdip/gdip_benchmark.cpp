// How long one off-screen frame takes through the library's wrappers and
// through the GDI+ flat API directly: a 409 x 471 ARGB bitmap cleared, then
// filled with an anti-aliased rounded-rectangle path, a linear gradient and
// a line of Chinese text. Every object is made and released per frame, as a
// painter does. Prints milliseconds per frame (median and mean).
//
//   gdip_benchmark [frames]
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"

namespace gdip = korvath::gdip;
using namespace Gdiplus::DllExports;

namespace {

constexpr int kWidth = 409;
constexpr int kHeight = 471;
const std::string kFace = "\xCB\xCE\xCC\xE5";  // 宋体
// "NPC 编辑器：生成并保存" in GBK, and the same in UTF-16.
const std::string kText = "NPC \xB1\xE0\xBC\xAD\xC6\xF7\xA3\xBA\xC9\xFA\xB3\xC9\xB2\xA2\xB1\xA3\xB4\xE6";
const wchar_t kWideText[] = L"NPC \u7F16\u8F91\u5668\uFF1A\u751F\u6210\u5E76\u4FDD\u5B58";
const wchar_t kWideFace[] = L"\u5B8B\u4F53";

void WrapperFrame(const gdip::Bitmap& target) {
  gdip::Graphics graphics;
  graphics.FromImage(target);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  graphics.Clear(0xFFECECEC);

  gdip::GraphicsPath path;
  path.Create();
  path.AddRoundRect(10, 10, kWidth - 20, kHeight - 20, 8);
  gdip::SolidBrush body;
  body.Create(0xA0DDCA22);
  graphics.FillPath(body, path);

  gdip::LinearGradientBrush gradient;
  gradient.CreateFromPoints({0, 40}, {0, 140}, 0xFFFFFFFF, 0xFF3070C0);
  graphics.FillRectangle(gradient, 30, 40, kWidth - 60, 100);

  gdip::Font font;
  font.CreateFromName(kFace, 16, 0, Gdiplus::UnitPixel);
  gdip::SolidBrush ink;
  ink.Create(0xFF000000);
  graphics.DrawString(kText, font, ink, gdip::RectF{30, 160, kWidth - 60, 40});
}

void FlatFrame(Gdiplus::GpBitmap* target) {
  Gdiplus::GpGraphics* graphics = nullptr;
  GdipGetImageGraphicsContext(target, &graphics);
  GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
  GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAlias);
  GdipGraphicsClear(graphics, 0xFFECECEC);

  // The same rounded rectangle: corner boxes of 8 % of the size.
  Gdiplus::GpPath* path = nullptr;
  GdipCreatePath(Gdiplus::FillModeAlternate, &path);
  float x = 10, y = 10, w = kWidth - 20, h = kHeight - 20;
  float dx = float(int(w * 8 / 100.0)), dy = float(int(h * 8 / 100.0));
  GdipAddPathArc(path, x + w - dx, y, dx, dy, 270, 90);
  GdipAddPathArc(path, x + w - dx, y + h - dy, dx, dy, 0, 90);
  GdipAddPathArc(path, x, y + h - dy, dx, dy, 90, 90);
  GdipAddPathArc(path, x, y, dx, dy, 180, 90);
  GdipClosePathFigure(path);
  Gdiplus::GpSolidFill* body = nullptr;
  GdipCreateSolidFill(0xA0DDCA22, &body);
  GdipFillPath(graphics, body, path);

  Gdiplus::GpLineGradient* gradient = nullptr;
  Gdiplus::PointF from(0, 40), to(0, 140);
  GdipCreateLineBrush(&from, &to, 0xFFFFFFFF, 0xFF3070C0, Gdiplus::WrapModeTile, &gradient);
  GdipFillRectangle(graphics, gradient, 30, 40, kWidth - 60, 100);

  Gdiplus::GpFontFamily* family = nullptr;
  GdipCreateFontFamilyFromName(kWideFace, nullptr, &family);
  Gdiplus::GpFont* font = nullptr;
  GdipCreateFont(family, 16, 0, Gdiplus::UnitPixel, &font);
  GdipDeleteFontFamily(family);
  Gdiplus::GpSolidFill* ink = nullptr;
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

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double value : values) sum += value;
  return sum / values.size();
}

}  // namespace

int main(int argc, char** argv) {
  int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
    std::fprintf(stderr, "GDI+ did not start\n");
    return 1;
  }
  {
    gdip::Bitmap target;
    if (!target.CreateWithFormat(kWidth, kHeight)) {
      std::fprintf(stderr, "no %d x %d bitmap\n", kWidth, kHeight);
      return 1;
    }
    auto wrapped = [&] { WrapperFrame(target); };
    auto flat = [&] { FlatFrame(target.NativeBitmap()); };
    for (int i = 0; i < 5; ++i) {  // warm-up: fonts, caches
      wrapped();
      flat();
    }
    // Frames alternate one by one, and the median frame is reported, so that
    // both see the same machine load and a disturbed frame counts for little.
    std::vector<double> wrappedTimes, flatTimes;
    for (int i = 0; i < frames; ++i) {
      bool wrappedFirst = i % 2 == 0;
      for (int pass = 0; pass < 2; ++pass) {
        bool useWrapped = (pass == 0) == wrappedFirst;
        double start = Seconds();
        if (useWrapped) {
          wrapped();
        } else {
          flat();
        }
        (useWrapped ? wrappedTimes : flatTimes).push_back((Seconds() - start) * 1000.0);
      }
    }
    double wrappedMedian = Median(wrappedTimes), flatMedian = Median(flatTimes);
    std::printf("frame %d x %d ARGB: rounded-rectangle path (anti-aliased), linear gradient, Chinese text\n",
                kWidth, kHeight);
    std::printf("  %d frames each, alternating\n", frames);
    std::printf("  wrappers:  median %.3f ms/frame, mean %.3f\n", wrappedMedian, Mean(wrappedTimes));
    std::printf("  flat API:  median %.3f ms/frame, mean %.3f\n", flatMedian, Mean(flatTimes));
    std::printf("  difference of the medians: %+.1f %%\n", (wrappedMedian / flatMedian - 1.0) * 100.0);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
