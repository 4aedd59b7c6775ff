#include "tests/skin/stress/stress_cycles.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/engine/message_box.h"
#include "skin/engine/start.h"
#include "skin/menu/popup_menu.h"
#include "skin/message_box/message_box.h"
#include "tests/skin/core/cycles.h"
#include "tests/skin/message_box/box_probes.h"
#include "tests/skin/stress/every_control_form.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test::stress {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kNotesKept = 5;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Runs `step` and adds its time to the figures' reference.
void TimeReference(Figures& figures, const std::function<void()>& step) {
  const Clock::time_point started = Clock::now();
  step();
  figures.referenceMilliseconds += Milliseconds(Clock::now() - started);
  ++figures.referenceCycles;
}

// ---- counting ------------------------------------------------------------------

// Caption hover timers and progress sweeps belong to a window record; the
// cross-fades are thread timers of their own.
long CaptionHoverTimers() {
  long n = 0;
  for (const auto& record : SkinEngine.lists.SkinWindowList) n += record && record->HoverTimerOn;
  return n;
}

long ProgressSweeps() {
  long n = 0;
  for (const auto& record : SkinEngine.lists.SkinWindowList) {
    if (!record) continue;
    for (const SkinProgressEntry& entry : record->Progresses)
      n += entry.window && entry.sweepOn && !entry.vertical && IsWindowVisible(entry.window);
  }
  return n;
}

// ---- input ---------------------------------------------------------------------

POINT Centre(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return {r.right / 2, r.bottom / 2};
}

// The mouse and keys, real or sent; counts its steps.
class Driver {
 public:
  explicit Driver(Input input) : input_(input) {}
  int steps() const { return steps_; }

  void Hover(HWND window, POINT at) {
    ++steps_;
    if (input_ == Input::Real) return testsupport::MouseMoveTo(window, at.x, at.y);
    PlaceCursor(window, at);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  }
  void Hover(HWND window) { Hover(window, Centre(window)); }

  // Down and up at one point. Both go out before the down is handled: list
  // and tree views follow a press in a loop of their own until a button
  // message arrives.
  void Press(HWND window, POINT at) {
    ++steps_;
    if (input_ == Input::Real) {
      const POINT screen = PlaceCursor(window, at);
      INPUT in[2] = {};
      for (INPUT& event : in) {
        event.type = INPUT_MOUSE;
        event.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        event.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
      }
      in[0].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN;
      in[1].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP;
      SendInput(2, in, sizeof(INPUT));
      // Handled in order: once this move is, so is the press.
      return testsupport::MouseMoveTo(window, at.x, at.y);
    }
    PlaceCursor(window, at);
    const LPARAM point = MAKELPARAM(at.x, at.y);
    SendMessageW(window, WM_MOUSEMOVE, 0, point);
    PostMessageW(window, WM_LBUTTONUP, 0, point);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    testsupport::PumpMessages();
  }
  void Press(HWND window) { Press(window, Centre(window)); }

  void Type(HWND edit, const std::wstring& text) {
    ++steps_;
    SetFocus(edit);
    if (input_ == Input::Real) return testsupport::TypeText(text);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  }

  // The mouse off the form, where no window of the test lies.
  void Away() {
    ++steps_;
    SetCursorPos(2, 2);
    if (input_ == Input::Real) {
      INPUT in = {};
      in.type = INPUT_MOUSE;
      in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
      SendInput(1, &in, sizeof in);
    }
    testsupport::PumpMessages();
  }

 private:
  static POINT PlaceCursor(HWND window, POINT at) {
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y);
    return at;
  }
  Input input_;
  int steps_ = 0;
};

// ---- the cycle -----------------------------------------------------------------

RECT ItemRect(HWND control, UINT message, WPARAM index) {
  RECT r = {};
  SendMessageW(control, message, index, reinterpret_cast<LPARAM>(&r));
  return r;
}
POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class Faults {
 public:
  explicit Faults(Figures& figures) : figures_(figures) {}
  void Check(bool right, int cycle, const char* what) {
    if (right) return;
    faulty_ = true;
    if (figures_.notes.size() < kNotesKept) figures_.notes.push_back("cycle " + std::to_string(cycle) + ": " + what);
  }
  void EndCycle() {
    figures_.faults += faulty_;
    faulty_ = false;
  }

 private:
  Figures& figures_;
  bool faulty_ = false;
};

void Hovering(const EveryControlForm& form, Driver& input) {
  for (const NamedControl& control : form.All()) input.Hover(control.window);
  const HWND window = form.hwnd();
  if (const SkinWindowRecord* record = SkinRecordOfWindow(window)) {
    for (const CaptionItem& item : record->CaptionItems)
      input.Hover(window, {LONG(item.Bounds.x + item.Bounds.width / 2), LONG(item.Bounds.y + item.Bounds.height / 2)});
  }
  input.Away();
}

// `checkBoxes`: the check boxes too, whose tick animation plays for 150 ms
// on the GUI thread.
void Pressing(const EveryControlForm& form, Driver& input, bool checkBoxes) {
  const EveryControl& c = form.controls();
  input.Press(c.pushButton);
  if (checkBoxes) input.Press(c.checkBox);
  input.Press(c.radio2);
  input.Press(c.radio1);
  if (checkBoxes) input.Press(c.tabCheckBox);
  input.Press(c.toolbar, Middle(ItemRect(c.toolbar, TB_GETITEMRECT, 0)));
  const RECT dropDown = ItemRect(c.toolbar, TB_GETITEMRECT, 1);
  input.Press(c.toolbar, {dropDown.right - 5, (dropDown.top + dropDown.bottom) / 2});
  input.Press(c.toolbar, Middle(ItemRect(c.toolbar, TB_GETITEMRECT, 2)));
  input.Press(c.header, Middle(ItemRect(c.header, HDM_GETITEMRECT, 1)));
  input.Press(c.upDown, {Centre(c.upDown).x, 4});
  input.Press(c.tab, Middle(ItemRect(c.tab, TCM_GETITEMRECT, 1)));
  input.Press(c.tab, Middle(ItemRect(c.tab, TCM_GETITEMRECT, 0)));
  input.Press(c.listBox, {40, 30});
  RECT row = {LVIR_LABEL};
  SendMessageW(c.listView, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  input.Press(c.listView, Middle(row));
  input.Press(c.tree, {60, 28});
  input.Press(c.trackbar, {Centre(c.trackbar).x + 60, Centre(c.trackbar).y - 6});
  input.Away();
}

void Typing(const EveryControlForm& form, Driver& input) {
  const EveryControl& c = form.controls();
  SendMessageW(c.edit, EM_SETSEL, 0, -1);
  input.Type(c.edit, L"巡逻ab");
  SendMessageW(c.memo, EM_SETSEL, 40, 40);
  input.Type(c.memo, L"等待x\r");
  SetFocus(form.hwnd());
}

void Scrolling(const EveryControlForm& form, int cycle) {
  const EveryControl& c = form.controls();
  SendMessageW(c.combo, CB_SHOWDROPDOWN, TRUE, 0);
  testsupport::PumpMessages();
  SendMessageW(c.combo, CB_SHOWDROPDOWN, FALSE, 0);
  SendMessageW(c.combo, CB_SETCURSEL, cycle % 10, 0);
  for (HWND scrolled : {c.memo, c.listBox, c.tree}) {
    SendMessageW(scrolled, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(scrolled, WM_VSCROLL, SB_LINEUP, 0);
  }
  SendMessageW(c.memo, WM_HSCROLL, SB_PAGERIGHT, 0);
  SendMessageW(c.memo, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  SendMessageW(c.listView, LVM_SCROLL, 0, 40);
  SendMessageW(c.progress, PBM_SETPOS, (cycle * 7) % 101, 0);
  SendMessageW(c.trackbar, TBM_SETPOS, TRUE, cycle % 11);
  testsupport::PumpMessages();
}

void Resizing(const EveryControlForm& form) {
  const HWND window = form.hwnd();
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window, nullptr, 0, 0, EveryControlForm::kWidth + 40, EveryControlForm::kHeight + 30, flags);
  UpdateWindow(window);
  testsupport::PumpMessages();
  SetWindowPos(window, nullptr, 0, 0, EveryControlForm::kWidth, EveryControlForm::kHeight, flags);
  UpdateWindow(window);
  testsupport::PumpMessages();
}

// Every control carries a skin: its own procedure was replaced.
bool EverythingSkinned(const EveryControlForm& form) {
  if (SkinFindWindowRecord(form.hwnd()) <= 0) return false;
  for (const NamedControl& control : form.All())
    if (!SkinIsSubclassed(control.window)) return false;
  return true;
}

void FormCycle(int cycle, Driver& input, Faults& faults, bool skinned, bool checkBoxes) {
  FormEvents& events = EveryControlForm::Events();
  events = {};
  // The tool's options, and every other cycle the see-through mode that an
  // alpha given to the options call switches on.
  if (cycle % 2) SkinSetOptions(true, 160);
  else SkinSetOptions(true);
  EveryControlForm form({40, 40}, true, skinned);
 
  testsupport::PumpMessages();
 
  if (skinned) faults.Check(EverythingSkinned(form), cycle, "a control of the form has no skin");
  Hovering(form, input);
  Pressing(form, input, checkBoxes);
  Typing(form, input);
  Scrolling(form, cycle);
  Resizing(form);
  faults.Check(events.pushes == 1, cycle, "the push button's press did not reach the form once");
  faults.Check(events.dropDowns == 1, cycle, "the toolbar's drop-down arrow did not report once");
  faults.Check(events.toolbarCommands == 2, cycle, "the toolbar's two buttons did not report");
  faults.Check(events.tabChanges == 2, cycle, "the tab control did not change its page twice");
  faults.Check(events.headerClicks == 1, cycle, "the header's press did not report once");
  faults.Check(SendMessageW(form.controls().upDown, UDM_GETPOS32, 0, 0) == 43, cycle, "the up-down did not step up");
  form.Destroy();
 
  testsupport::PumpMessages();
 
  faults.Check(SkinEngine.lists.SkinWindowList.empty(), cycle, "the form's record outlived it");
  faults.EndCycle();
}

// ---- message boxes -------------------------------------------------------------

constexpr char kBoxText[] = "\xC8\xB7\xB6\xA8\xD2\xAA\xB8\xB2\xB8\xC7\xCE\xC4\xBC\xFE\xC2\xF0\xA3\xBF";  // "确定要覆盖文件吗？"
constexpr char kBoxCaption[] = "\xCC\xE1\xCA\xBE";  // "提示"
constexpr wchar_t kPlainText[] = L"确定要覆盖文件吗？";
constexpr wchar_t kPlainCaption[] = L"提示";

struct BoxKind {
  UINT style;
  int answer;  // the button pressed
};
constexpr BoxKind kBoxKinds[] = {
    {MB_OK | MB_ICONINFORMATION, IDOK},
    {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDYES},
    {MB_OKCANCEL | MB_ICONEXCLAMATION, IDCANCEL},
    {MB_YESNOCANCEL | MB_ICONERROR, IDNO},
};

// Inside the box's own loop: once it has painted, the mouse over the button
// (its hover fade starts), then the press.
void AnswerBox(HWND box, int id, bool skinned) {
  if (skinned) WaitForFirstPaint(box);
  if (HWND button = GetDlgItem(box, id)) {
    POINT at = Centre(button);
    ClientToScreen(button, &at);
    SetCursorPos(at.x, at.y);
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(Centre(button).x, Centre(button).y));
  }
  Press(box, id);
}

// ---- both ----------------------------------------------------------------------

// Starts the engine, runs one cycle whose first-time work stays made, counts,
// runs the cycles, lets `finish` close what the cycles shared, counts again.
void Measure(Figures& figures, int cycles, const std::function<void(int)>& cycle,
             const std::function<void()>& finish = {}) {
  figures.cycles = cycles;
  StartEngineForEveryControlForm();
  cycle(0);
  testsupport::PumpMessages();
  figures.faults = 0;
  figures.notes.clear();
  figures.referenceCycles = 0;
  figures.referenceMilliseconds = 0;
  const int threads = ProcessThreadCount();
  figures.before = TakeCounts();
  const Clock::time_point started = Clock::now();
  for (int i = 1; i <= cycles; ++i) {
    cycle(i);
    // A long run shows how it goes: the time so far and the counts that are
    // not where they started between two cycles.
    if (i % 1000 == 0) {
      Figures sofar = figures;
      sofar.after = TakeCounts();
      std::string notBack;
      for (const std::string& name : sofar.NotBack()) notBack += " [" + name + "]";
      std::fprintf(stderr, "  ... %d of %d cycles, %.0f ms so far, %d faulty; not back:%s\n", i, cycles,
                   Milliseconds(Clock::now() - started), figures.faults, notBack.empty() ? " none" : notBack.c_str());
    }
  }
  testsupport::PumpMessages();
  figures.milliseconds = Milliseconds(Clock::now() - started) - figures.referenceMilliseconds;
  // A thread told to end is let go before the count.
  testsupport::PumpUntil([&] { return ProcessThreadCount() <= threads; }, 2000);
  figures.after = TakeCounts();
  if (finish) finish();
  testsupport::PumpMessages();
  SkinEngineShutdown();
}

}  // namespace

std::vector<Count> TakeCounts() {
  const cycles::Counts base = cycles::Counts::Now();
  std::vector<Count> counts = {
      {"live GDI objects (own tally)", base.gdi},
      {"GDI objects (GetGuiResources)", long(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)), false},
      {"USER objects (GetGuiResources)", long(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), false},
      {"engine memory DCs", long(base.memoryDcs)},
      {"skinned-window records", long(SkinEngine.lists.SkinWindowList.size())},
      {"running cross-fades (thread timers)", long(SkinEngine.lists.FadeList.size())},
      {"caption hover timers", CaptionHoverTimers()},
      {"progress sweeps", ProgressSweeps()},
      {"message-box hook", SkinEngine.box.MsgBoxCbtHook.get() != nullptr},
      {"popup-menu hook", SkinEngine.forms.MenuWinEventHook.get() != nullptr},
      {"process threads", ProcessThreadCount()},
      {"thread top-level windows", base.windows},
      {"layered drop-down lists", long(SkinEngine.lists.LayeredDropDownList.size())},
      {"tree-view states", long(SkinEngine.lists.TreeViewStateList.size())},
      {"panel callback slots", long(SkinEngine.lists.SkinCallbackList.size())},
      {"menu entries", long(SkinEngine.lists.MenuItemList.size())},
      {kPrivateMemoryKb, long(base.bytes / 1024), false},
  };
  return counts;
}

long ValueOf(const std::vector<Count>& counts, const std::string& name) {
  for (const Count& count : counts)
    if (count.name == name) return count.value;
  return -1;
}

std::vector<std::string> Figures::NotBack() const {
  std::vector<std::string> names;
  for (size_t i = 0; i < before.size() && i < after.size(); ++i)
    if (before[i].mustReturn && before[i].value != after[i].value) names.push_back(before[i].name);
  return names;
}

std::string Figures::Describe() const {
  std::string text;
  char line[200];
  std::snprintf(line, sizeof line, "%s\n  %d cycles in %.0f ms: %.2f ms per cycle; %d faulty cycles", what, cycles,
                milliseconds, MillisecondsPerCycle(), faults);
  text += line;
  if (inputs) text += "; " + std::to_string(inputs) + " mouse and key steps";
  if (referenceCycles) {
    std::snprintf(line, sizeof line, "\n  = %.2f x the same cycle without the skin (%.2f ms, %d of them interleaved)",
                  MillisecondsPerCycle() / ReferencePerCycle(), ReferencePerCycle(), referenceCycles);
    text += line;
  }
  text += "\n";
  for (const std::string& note : notes) text += "    fault: " + note + "\n";
  for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
    const bool back = before[i].value == after[i].value;
    std::snprintf(line, sizeof line, "  %-38s %9ld -> %-9ld goal: %s%s\n", before[i].name.c_str(), before[i].value,
                  after[i].value, before[i].mustReturn ? "back to its start" : "printed only",
                  before[i].mustReturn ? (back ? "  ok" : "  NOT BACK") : "");
    text += line;
  }
  return text;
}

Figures RunFormCycles(int cycles, int realEvery, int referenceEvery) {
  Driver real(Input::Real), sent(Input::Sent);
  Figures figures;
  figures.what = "every-control form (open, hover, press, type, scroll, resize, destroy)";
  Faults faults(figures);
  Measure(figures, cycles, [&](int i) {
    const bool realInput = realEvery > 0 && i % realEvery == 0;
    Driver& input = realInput ? real : sent;
    FormCycle(i, input, faults, true, realInput);
    if (referenceEvery > 0 && i % referenceEvery == 0)
      TimeReference(figures, [&] { FormCycle(i, input, faults, false, realInput); });
  });
  figures.inputs = real.steps() + sent.steps();
  return figures;
}

Figures RunMessageBoxCycles(int boxes, int referenceEvery) {
  Figures figures;
  figures.what = "skinned message boxes (opened over the form, hovered, answered)";
  Faults faults(figures);
  std::unique_ptr<EveryControlForm> owner;
  const auto closeOwner = [&] { owner.reset(); };
  Measure(figures, boxes, [&](int i) {
    if (!owner) owner = std::make_unique<EveryControlForm>();
    const BoxKind& kind = kBoxKinds[size_t(i) % std::size(kBoxKinds)];
    {
      testsupport::DialogAnswerer driver;
      driver.Add([&kind](HWND box) { AnswerBox(box, kind.answer, true); });
      const int answer = SkinMessageBox(owner->hwnd(), kBoxText, kind.style, kBoxCaption);
      faults.Check(answer == kind.answer - 1, i, "a box did not answer the button pressed");
      faults.Check(SkinEngine.lists.SkinWindowList.size() == 1, i, "a box's record outlived it");
    }
    if (referenceEvery > 0 && i % referenceEvery == 0) {
      TimeReference(figures, [&] {
        testsupport::DialogAnswerer driver;
        driver.Add([&kind](HWND box) { AnswerBox(box, kind.answer, false); });
        const int plain = MessageBoxW(owner->hwnd(), kPlainText, kPlainCaption, kind.style);
        faults.Check(plain == kind.answer, i, "a plain box did not answer the button pressed");
      });
    }
    faults.EndCycle();
  }, closeOwner);
  return figures;
}

}  // namespace korvath::skin::test::stress
