#include "skin/caption/caption_actions.h"

#include <windows.h>

#include "skin/core/skin_routine.h"
#include "skin/core/window_list.h"

namespace korvath::skin {

namespace {
// "最大化" and "还原" in code page 936.
constexpr char kMaximizeTip[] = "\xD7\xEE\xB4\xF3\xBB\xAF";
constexpr char kRestoreTip[] = "\xBB\xB9\xD4\xAD";

void PostCommand(HWND window, WPARAM command) { PostMessageW(window, WM_SYSCOMMAND, command, 0); }
}  // namespace

void SkinCaptionButtonAction(SkinWindowRecord& r, int32_t index) {
  if (index < 1 || size_t(index) > r.CaptionItems.size()) return;
  CaptionItem& item = r.CaptionItems[size_t(index) - 1];
  switch (item.Kind) {
    case CaptionItemKind::Close:
      PostCommand(r.Window, SC_CLOSE);
      break;
    case CaptionItemKind::MaximizeRestore:
      r.RenderPending = true;
      r.Minimized = false;
      if (r.Maximized) {
        r.Maximized = false;
        item.TipText = kMaximizeTip;
        PostCommand(r.Window, SC_RESTORE);
      } else {
        r.Maximized = true;
        item.TipText = kRestoreTip;
        PostCommand(r.Window, SC_MAXIMIZE);
      }
      break;
    case CaptionItemKind::Minimize:
      r.Minimized = true;
      PostCommand(r.Window, SC_MINIMIZE);
      break;
    case CaptionItemKind::MainMenu:
      CallFunctionPointer(r.MenuHandler, {});
      break;
    case CaptionItemKind::Help:
      CallFunctionPointer(r.HelpHandler, {});
      break;
    case CaptionItemKind::Custom:
      CallFunctionPointer(item.Handler, {});
      break;
  }
}

int32_t CALLBACK SkinCaptionButtonActionThunk(int32_t recordNumber, int32_t item) {
  if (SkinWindowRecord* r = SkinRecordAt(recordNumber)) SkinCaptionButtonAction(*r, item);
  return 0;
}

}  // namespace korvath::skin
