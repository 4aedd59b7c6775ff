#include "tests/skin/panel/panel_cycles.h"

#include <windows.h>

#include <chrono>

#include "skin/core/callbacks.h"
#include "tests/skin/panel/panel_maker.h"

namespace korvath::skin::cycles {

namespace {

int clicks = 0;
void CountClick(int) { ++clicks; }

}  // namespace

Figures RunPanelCycles(int cycles, void (*reference)()) {
  using namespace fixture;
  Figures figures;
  figures.cycles = cycles;
  SkinnedForm form(400, 300, 0x3366AA);
  ZqkPanel panel;
  const HWND window = MakePanel(panel, form, 40);
  panel.SetIcon(SolidPng(16, 16, 0xFF00FF), 12, 12);
  for (int i = 0; i < 2; ++i)
    panel.AddEntry(SolidPng(20, 15, 0xE02020), SolidPng(20, 15, 0x20C020), SolidPng(20, 15, 0x2020E0), 20, 15);
  panel.SetCallback(&CountClick);
  testsupport::PumpMessages(50);
  testsupport::MouseMoveTo(form.hwnd(), 5, 150);  // start away from the panel

  const RECT& entry = panel.entries()[0].rectangle;
  const LPARAM on = MAKELPARAM((entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2), off = MAKELPARAM(2, 2);
  const struct { UINT message; WPARAM w; LPARAM l; } messages[] = {
      {WM_MOUSEMOVE, 0, on}, {WM_LBUTTONDOWN, MK_LBUTTON, on}, {WM_LBUTTONUP, 0, on},
      {WM_MOUSEMOVE, 0, off}, {WM_MOUSELEAVE, 0, 0}};
  auto cycle = [&](int i) {
    for (const auto& m : messages) SendMessageW(window, m.message, m.w, m.l);
    if (i % 10 == 0) panel.Invalidate();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  cycle(0);  // anything made once stays made
  testsupport::PumpMessages();
  clicks = 0;
  figures.before = Counts::Now();
  const auto started = std::chrono::steady_clock::now();
  for (int i = 1; i <= cycles; ++i) {
    cycle(i);
    if (i % 500 == 0) testsupport::PumpMessages();
    TimeReference(figures, reference);
  }
  testsupport::PumpMessages();
  figures.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() -
      figures.referenceMilliseconds;
  figures.after = Counts::Now();
  figures.clicks = clicks;
  return figures;
}

}  // namespace korvath::skin::cycles
