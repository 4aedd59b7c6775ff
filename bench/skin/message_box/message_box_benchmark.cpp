// Not a test: figures for skinned message boxes, each against a reference
// measured in the same run.
//   1. From the call to the end of the box's first paint, skinned against
//      the plain system box (median of alternating runs): boxes with no
//      owner, and boxes owned by a skinned form with the tool's background
//      picture, as the tool's own boxes are.
//   2. The fade-in's ten alpha steps as seen on the GUI thread: the latest
//      step against its planned time.
//   3. The shrink's drawing time per frame against its frame period.
//   4. Many boxes opened and answered in a row: live GDI objects, memory
//      DCs, records, the hook, thread windows and process threads before
//      and after.
//   message_box_benchmark [boxes]
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/pictures.h"
#include "bench/figure_line.h"
#include "platform/gdi_object.h"
#include "skin/close_effect/close_animations.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/attach.h"
#include "skin/engine/message_box.h"
#include "skin/engine/start.h"
#include "skin/form/form_attach.h"
#include "skin/form/skin_removal.h"
#include "skin/message_box/message_box.h"
#include "tests/skin/message_box/box_probes.h"
#include "tests/support/win_test_support.h"

using namespace korvath::skin;
using namespace korvath::skin::test;
using Clock = std::chrono::steady_clock;
using korvath::bench::PrintFigure;

namespace {

constexpr char kText[] = "\xC7\xEB\xCA\xE4\xC8\xEB NPC \xC3\xFB\xD7\xD6";  // "请输入 NPC 名字"
constexpr char kCaption[] = "\xCC\xE1\xCA\xBE";                          // "提示"

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The end of a dialog's first paint: the first message fetched after its
// first WM_PAINT (a WM_NULL posted then makes sure there is one).
struct FirstPaint {
  static inline HHOOK hook = nullptr;
  static inline bool painting = false;
  static inline Clock::time_point end{};
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && end == Clock::time_point{}) {
      wchar_t cls[16] = {};
      GetClassNameW(msg->hwnd, cls, 16);
      if (painting) {
        end = Clock::now();
      } else if (msg->message == WM_PAINT && wcscmp(cls, L"#32770") == 0) {
        painting = true;
        PostMessageW(msg->hwnd, WM_NULL, 0, 0);
      }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
  }
  static void Arm() {
    painting = false;
    end = {};
    hook = SetWindowsHookExW(WH_GETMESSAGE, Watch, nullptr, GetCurrentThreadId());
  }
  static void Disarm() { UnhookWindowsHookEx(hook); }
};

double TimeToFirstPaint(bool skinned, HWND owner = nullptr) {
  testsupport::DialogAnswerer driver;
  driver.Add([](HWND box) {
    testsupport::PumpUntil([] { return FirstPaint::end != Clock::time_point{}; }, 3000);
    Press(box, IDOK);
  });
  FirstPaint::Arm();
  const Clock::time_point start = Clock::now();
  if (skinned) SkinMessageBox(owner, kText, MB_OK | MB_ICONEXCLAMATION, kCaption);
  else MessageBoxW(owner, L"\u8BF7\u8F93\u5165 NPC \u540D\u5B57", L"\u63D0\u793A", MB_OK | MB_ICONEXCLAMATION);
  FirstPaint::Disarm();
  return Ms(FirstPaint::end - start);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int boxes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  SkinEngineStart();

  // 1. First skinned frame against the plain box.
  // Goal: the skinned box's first frame at most twice the plain box's.
  std::vector<double> plain, skinned;
  for (int i = 0; i < 9; ++i) {
    plain.push_back(TimeToFirstPaint(false));
    skinned.push_back(TimeToFirstPaint(true));
  }
  std::printf("first frame: skinned %.1f ms, plain %.1f ms, ratio %.2f (goal <= 2)\n", Median(skinned), Median(plain),
              Median(skinned) / std::max(0.01, Median(plain)));
  PrintFigure("first frame of a box", Median(skinned), "ms", "the plain system box, alternating", Median(plain),
              "ratio <= 2", long(skinned.size()));
  {
    testsupport::TestWindow owner(409, 471, L"owner", WS_POPUP | WS_VISIBLE);
    FormSkinSettings settings;
    settings.resizable = false;
    settings.backgroundImage.assign(korvath::app::assets::BackgroundJpeg().begin(),
                                    korvath::app::assets::BackgroundJpeg().end());
    settings.imageMode = 3;
    FormSkinAttach(owner.hwnd(), settings);
    plain.clear();
    skinned.clear();
    for (int i = 0; i < 9; ++i) {
      plain.push_back(TimeToFirstPaint(false, owner.hwnd()));
      skinned.push_back(TimeToFirstPaint(true, owner.hwnd()));
    }
    std::printf("first frame, owned by a form with the tool's background picture: skinned %.1f ms, plain %.1f ms, "
                "ratio %.2f\n",
                Median(skinned), Median(plain), Median(skinned) / std::max(0.01, Median(plain)));
    PrintFigure("first frame of a box owned by a form with the tool's picture", Median(skinned), "ms",
                "the plain system box, alternating", Median(plain), "ratio <= 2", long(skinned.size()));
    UnskinWindow(*SkinRecordOfWindow(owner.hwnd()));
  }

  // 2. Fade-in steps seen from the GUI thread against the plan (45, 40, ... 0
  // ms after each other, from the first paint).
  {
    testsupport::DialogAnswerer driver;
    driver.Add([](HWND box) {
      WaitForFirstPaint(box);
      const Clock::time_point start = Clock::now();
      std::vector<double> seen(11, -1);
      int last = 0;
      while (last < 240 && Ms(Clock::now() - start) < 2000) {
        const int alpha = LayeredAlpha(box);
        if (alpha != last && alpha % 24 == 0 && alpha > 0) seen[size_t(alpha / 24)] = Ms(Clock::now() - start);
        last = alpha;
      }
      double planned = 0, worst = 0;
      for (int i = 1; i <= 10; ++i) {
        planned += 50 - 5 * i;
        if (seen[size_t(i)] >= 0) worst = std::max(worst, seen[size_t(i)] - planned);
      }
      std::printf("fade-in: alpha 240 after %.1f ms (planned 225 ms, ratio %.2f); latest step %.1f ms behind plan\n",
                  seen[10], seen[10] / 225.0, worst);
      PrintFigure("fade-in: alpha 240 reached", seen[10], "ms", "its plan", 225.0, "none", 1);
      Press(box, IDOK);
    });
    SkinMessageBox(nullptr, kText, MB_OK, kCaption);
  }

  // 3. The shrink: drawing time per frame against the shortest frame period.
  {
    testsupport::TestWindow window(305, 207, L"shrink", WS_POPUP | WS_VISIBLE);
    const Clock::time_point start = Clock::now();
    SkinAnimateEffect1(window.hwnd());
    const double total = Ms(Clock::now() - start);
    const double drawing = std::max(0.0, total - 145.0) / 10;
    std::printf("shrink: %.1f ms in all (145 ms of pauses), %.2f ms drawing per frame, ratio to the 10 ms frame %.2f\n",
                total, drawing, drawing / 10.0);
    PrintFigure("shrink: drawing per frame", drawing, "ms", "its 10 ms frame period", 10.0, "none", 10);
  }

  // 4. Many boxes in a row.
  {
    const long gdi = korvath::platform::LiveGdiObjectCount();
    const size_t dcs = SkinMemoryDcList().size();
    const int windows = ThreadWindowCount();
    const int threads = ProcessThreadCount();
    testsupport::DialogAnswerer driver;
    for (int i = 0; i < boxes; ++i) driver.Add([](HWND box) { Press(box, IDOK); });
    const Clock::time_point start = Clock::now();
    int answered = 0;
    for (int i = 0; i < boxes; ++i) answered += SkinMessageBox(nullptr, kText, MB_OK, kCaption) == 0;
    const double each = Ms(Clock::now() - start) / boxes;
    testsupport::PumpUntil([&] { return ProcessThreadCount() <= threads; }, 5000);
    std::printf(
        "%d boxes (%d answered OK), %.1f ms each: GDI objects %ld -> %ld, memory DCs %zu -> %zu, "
        "records %zu, hook %s, thread windows %d -> %d, threads %d -> %d\n",
        boxes, answered, each, gdi, korvath::platform::LiveGdiObjectCount(), dcs,
        SkinMemoryDcList().size(), SkinEngine.lists.SkinWindowList.size(),
        SkinEngine.box.MsgBoxCbtHook ? "left" : "gone", windows, ThreadWindowCount(), threads, ProcessThreadCount());
    PrintFigure("box opened and answered, in a row", each, "ms", "none", boxes);
    korvath::bench::PrintCountsNotBack(
        "boxes in a row",
        long(korvath::platform::LiveGdiObjectCount() != gdi) + long(SkinMemoryDcList().size() != dcs) +
            long(!SkinEngine.lists.SkinWindowList.empty()) + long(bool(SkinEngine.box.MsgBoxCbtHook)) +
            long(ThreadWindowCount() != windows) + long(ProcessThreadCount() != threads) + long(answered != boxes),
        boxes);
  }
  SkinEngineShutdown();
  OleUninitialize();
  return 0;
}
