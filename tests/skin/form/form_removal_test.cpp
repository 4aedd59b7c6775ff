// The skin taken off a live form: after its caption tips were made, and from
// within the move that maximises it.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/form/form_window_proc.h"
#include "skin/form/skin_removal.h"
#include "tests/skin/form/form_fixture.h"
#include "tests/support/freed_blocks.h"

namespace korvath::skin::test {
namespace {

using testsupport::FreedBlockWatch;

// Messages the form's own procedure has seen since a test began.
int ownMessages = 0;
constexpr UINT kOwnProbe = WM_APP + 7;

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kOwnProbe) {
    ++ownMessages;
    return 0x4B4F;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// How many tools a tooltip window held when it was destroyed (-1: it was
// not destroyed while watched).
class TipEndWatch {
 public:
  explicit TipEndWatch(HWND tip) : hook_(SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId())) {
    tip_ = tip;
    toolsAtEnd_ = -1;
  }
  ~TipEndWatch() { UnhookWindowsHookEx(hook_); }
  TipEndWatch(const TipEndWatch&) = delete;
  TipEndWatch& operator=(const TipEndWatch&) = delete;
  int toolsAtEnd() const { return toolsAtEnd_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == tip_)
      toolsAtEnd_ = int(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND tip_ = nullptr;
  static inline int toolsAtEnd_ = -1;
  HHOOK hook_;
};

// Removal from a live form whose caption tips the mouse has made: the tips'
// tools all go before their window does, and the form runs its own
// procedure again, in its window procedure slot, as before the skin came.
TEST_F(FormTest, RemovalAfterTheTipsWereMadeGivesTheFormItsOwnProcedureBack) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 409, 471, Framed(), &OwnProcedure);
  HWND hwnd = form();
  const gdip::RectF minimise = record().CaptionItems.front().Bounds;
  SendMessageW(hwnd, WM_MOUSEMOVE, 0,
               MAKELPARAM(int(minimise.x + minimise.width / 2), int(minimise.y + minimise.height / 2)));
  HWND tip = TipWindowOf(hwnd);
  ASSERT_NE(tip, nullptr) << "the mouse over an item makes the tips";
  ASSERT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  ASSERT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&FormSkinWndProc));

  ownMessages = 0;
  {
    TipEndWatch watch(tip);
    UnskinWindow(record());
    EXPECT_EQ(watch.toolsAtEnd(), 0) << "every caption tool, the first included, is deleted";
  }
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProcedure));
  EXPECT_EQ(SendMessageW(hwnd, kOwnProbe, 0, 0), 0x4B4F);
  EXPECT_EQ(ownMessages, 1);
  // What the skin's removal at the window's end hands WM_NCDESTROY on to
  // still reaches the form's own procedure.
  const auto kept = reinterpret_cast<WNDPROC>(GetSkinProp(hwnd, prop::Hw_hProc));
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(CallWindowProcW(kept, hwnd, kOwnProbe, 0, 0), 0x4B4F);
  EXPECT_EQ(ownMessages, 2);
}

// A form whose own procedure ends its skin when its size changes: the skin's
// move of a screen-sized form into the work area sends that WM_SIZE, and
// what the skin does after the move finds the record gone instead of
// working on it.
bool endSkinOnSize = false;

LRESULT CALLBACK EndSkinOnSize(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE && endSkinOnSize) {
    if (SkinWindowRecord* r = SkinRecordOfWindow(window)) UnskinWindow(*r);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(FormTest, AFormWhoseSkinEndsInTheMaximisingMoveIsLeftAlone) {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  // A work area smaller than the screen, so that the move has somewhere to go.
  RECT smaller{area.left, area.top + 30, area.right, area.bottom};
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &smaller, 0);
  Skin(WS_POPUP | WS_MAXIMIZEBOX, 400, 300, Framed(), &EndSkinOnSize);
  const void* recordBlock = &record();
  int written = 0;
  bool recordFreed = false;
  {
    FreedBlockWatch watch;
    endSkinOnSize = true;
    SetWindowPos(form(), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    endSkinOnSize = false;
    written = FreedBlockWatch::Written();
    recordFreed = FreedBlockWatch::Freed(recordBlock);
  }
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0);
  EXPECT_TRUE(recordFreed) << "the record went in the move";
  EXPECT_EQ(written, 0) << "nothing freed in the move, the record included, was written afterwards";
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
  EXPECT_EQ(GetWindowLongPtrW(form(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&EndSkinOnSize));
  RECT at{};
  GetWindowRect(form(), &at);
  EXPECT_EQ(at.top, smaller.top);
}

}  // namespace
}  // namespace korvath::skin::test
