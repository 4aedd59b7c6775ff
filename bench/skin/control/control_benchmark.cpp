// Not a test: what the animated and dragged control skins cost per frame,
// each against two references measured in the same run, one after the
// other: one plain copy of the same size onto the same window, and the
// repaint of a window of the same size that only copies a picture in its
// WM_PAINT (what any repaint costs under this system: invalidation,
// BeginPaint, EndPaint and the window's update).
//   1. One sweep frame of a 200 x 20 progress bar: the timer's tick and the
//      repaint it asks for (the whole bar with its fill and glow).
//   2. One repaint of a 200 x 30 track bar while its thumb is dragged: the
//      move of the held mouse and the repaint of the whole track bar, in the
//      vector look and in picture mode.
// Goal for each: a median of at most 1 ms.
//                                                  control_benchmark [frames]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/app/bench_clock.h"
#include "bench/figure_line.h"
#include "platform/gdi_object.h"
#include "skin/control/control_installers.h"
#include "skin/control/progress_skin.h"
#include "skin/control/trackbar_skin.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/draw/skin_picture.h"
#include "tests/skin/core/skinned_form.h"
#include "tests/support/png_writer.h"

using namespace korvath::skin;
using korvath::bench::Median;
using korvath::bench::NowMs;

namespace {

// One plain copy of a w x h picture onto the window: the reference.
class PlainCopy {
 public:
  PlainCopy(HWND window, int w, int h)
      : window_(window), w_(w), h_(h), picture_(SkinMemoryDc::Create(w, h)) {}
  void operator()() const {
    korvath::platform::WindowDC dc = korvath::platform::WindowDC::Whole(window_);
    BitBlt(dc.get(), 0, 0, w_, h_, picture_.get(), 0, 0, SRCCOPY);
  }

 private:
  HWND window_;
  int w_, h_;
  SkinMemoryDc picture_;
};

// A window whose WM_PAINT copies a picture of its size: the reference repaint.
LRESULT CALLBACK PlainRepaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  korvath::platform::PaintScope paint(window);
  RECT client = {};
  GetClientRect(window, &client);
  static SkinMemoryDc picture = SkinMemoryDc::Create(400, 100);
  BitBlt(paint.dc(), 0, 0, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
  return 0;
}

HWND AddPlainRepaint(HWND parent, int x, int y, int w, int h) {
  static const bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainRepaint;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvathPlainRepaint";
    return RegisterClassW(&wc) != 0;
  }();
  return registered ? CreateWindowExW(0, L"KorvathPlainRepaint", L"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                                      nullptr, nullptr, nullptr)
                    : nullptr;
}

// Times `frame` and the two references one after the other, `count` times
// each.
void Compare(const char* what, int count, const std::function<void()>& frame, const std::function<void()>& copy,
             HWND plain) {
  std::vector<double> frames, copies, repaints;
  for (int i = -10; i < count; ++i) {
    const double start = NowMs();
    frame();
    GdiFlush();
    const double first = NowMs();
    copy();
    GdiFlush();
    const double second = NowMs();
    InvalidateRect(plain, nullptr, FALSE);
    UpdateWindow(plain);
    GdiFlush();
    const double end = NowMs();
    if (i < 0) continue;
    frames.push_back(first - start);
    copies.push_back(second - first);
    repaints.push_back(end - second);
  }
  const double f = Median(frames), c = Median(copies), r = Median(repaints);
  std::printf("%s, %d frames\n  median %.4f ms (goal <= 1 ms) = %.1f x one plain copy of the same size (%.4f ms)"
              " = %.2f x a plain window's repaint (%.4f ms)\n",
              what, count, f, f / c, c, f / r, r);
  korvath::bench::PrintFigure(what, f, "ms", "one plain copy of the same size", c, "<= 1 ms", count);
  korvath::bench::PrintFigure(what, f, "ms", "a plain window's repaint", r, "<= 1 ms", count);
}

SkinPicture Picture(int w, int h, uint32_t argb, bool dividers) {
  std::vector<uint32_t> pixels(size_t(w) * h, argb);
  if (dividers) {
    for (int y = 0; y < h; ++y) pixels[size_t(y) * w + 4] = pixels[size_t(y) * w + w - 5] = 0xFFFF00FFu;
  }
  SkinPicture picture;
  SkinClearObjectField(picture);
  picture.LoadStates(testsupport::EncodePng(w, h, pixels));
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ProgramGlobalsInit();
  SkinModuleInit();
  SkinEngine.options.SkinEnabled = true;
  SkinEngine.options.SkinOptTrackbar = 1;
  {
    test::SkinnedForm form(420, 200);
    const HWND bar = form.AddChild(PROGRESS_CLASSW, 0, 20, 20, 200, 20);
    SendMessageW(bar, PBM_SETPOS, 80, 0);
    const HWND lying = form.AddChild(TRACKBAR_CLASSW, TBS_NOTICKS, 20, 60, 200, 30);
    const HWND pictured = form.AddChild(TRACKBAR_CLASSW, TBS_NOTICKS, 20, 110, 200, 30);
    for (HWND track : {lying, pictured}) SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    ProgressSkinInstall(*SkinRecordAt(form.number()), form.hwnd());
    TrackbarSkinInstall(*SkinRecordAt(form.number()), form.hwnd());
    ProgressSkinSetSweep(bar, true);
    KillTimer(bar, 1);  // the ticks come from here, one per frame
    TrackbarSkinSetPictures(pictured, Picture(40, 8, 0xFFA0A8B0, true), Picture(11, 15, 0xFF8090A0, false),
                            Picture(40, 6, 0xFF3070D0, true));
    const HWND plainBar = AddPlainRepaint(form.hwnd(), 240, 20, 200, 20);
    const HWND plainTrack = AddPlainRepaint(form.hwnd(), 240, 60, 200, 30);
    UpdateWindow(form.hwnd());

    const PlainCopy barCopy(bar, 200, 20);
    Compare("sweep frame of a 200 x 20 progress bar (tick and repaint)", frames,
            [&] {
              SendMessageW(bar, WM_TIMER, 1, 0);
              UpdateWindow(bar);
            },
            [&] { barCopy(); }, plainBar);

    for (HWND track : {lying, pictured}) {
      RECT thumb = {};
      SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
      const int y = (thumb.top + thumb.bottom) / 2;
      int x = (thumb.left + thumb.right) / 2, step = 3;
      SendMessageW(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      const PlainCopy trackCopy(track, 200, 30);
      Compare(track == lying ? "repaint of a 200 x 30 track bar while its thumb is dragged"
                             : "the same in picture mode",
              frames,
              [&] {
                if (x + step < 15 || x + step > 185) step = -step;
                x += step;
                SendMessageW(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
                UpdateWindow(track);
              },
              [&] { trackCopy(); }, plainTrack);
      SendMessageW(track, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
  }
  ProgramGlobalsRelease();
  return 0;
}
