#include "skin/message_box/message_box.h"

#include <string>

#include "platform/gbk_convert.h"
#include "platform/message_params.h"
#include "skin/core/error_policy.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/message_box/dialog_skin_attach.h"

namespace korvath::skin {

namespace {

constexpr char kDialogClass[] = "#32770";

bool IsDialog(HWND window) { return SkinGetClassNameText(window) == kDialogClass; }

// What one call took over of an outer box's hook (a box opened from a
// handler that an open box's message loop runs), and gives back at its end.
struct SavedHookState {
  platform::WindowsHook hook = std::move(SkinEngine.box.MsgBoxCbtHook);
  HWND target = SkinEngine.box.MsgBoxTarget;
  void Restore() {
    SkinEngine.box.MsgBoxCbtHook = std::move(hook);
    SkinEngine.box.MsgBoxTarget = target;
  }
};

}  // namespace

void SkinMessageBoxHookInstall() {
  SkinEngine.box.MsgBoxTarget = nullptr;
  SkinEngine.box.MsgBoxCbtHook =
      platform::WindowsHook(SetWindowsHookExW(WH_CBT, SkinMessageBoxHookProc, nullptr, GetCurrentThreadId()));
}

void SkinMessageBoxHookRemove(HWND box) {
  if (!SkinEngine.box.MsgBoxCbtHook || SkinEngine.box.MsgBoxTarget != box) return;
  SkinEngine.box.MsgBoxCbtHook.Reset();
}

LRESULT CALLBACK SkinMessageBoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0) {
    HWND window = platform::FromParam<HWND>(LONG_PTR(wParam));
    if (code == HCBT_CREATEWND && !SkinEngine.box.MsgBoxTarget && IsDialog(window)) {
      SkinEngine.box.MsgBoxTarget = window;
    } else if (code == HCBT_ACTIVATE && window == SkinEngine.box.MsgBoxTarget && !GetSkinProp(window, prop::Hw_hProc)) {
      // Before the box is first painted. A box that cannot be dressed is
      // shown as the system made it (DialogSkinAttach).
      SkinAtCallbackEdge([window] { DialogSkinAttach(window); });
    }
  }
  // The hook never blocks or alters anything itself.
  return CallNextHookEx(SkinEngine.box.MsgBoxCbtHook.get(), code, wParam, lParam);
}

int SkinMessageBox(HWND owner, std::string_view text, UINT style, std::optional<std::string_view> caption) {
  const std::wstring wideText = platform::GbkToWide(text);
  const std::wstring wideCaption = caption ? platform::GbkToWide(*caption) : std::wstring();
  SavedHookState outer;
  SkinEngine.box.MsgBoxOwner = owner;
  SkinMessageBoxHookInstall();
  const int pressed = MessageBoxW(owner, wideText.c_str(), caption ? wideCaption.c_str() : nullptr, style);
  // A box that was never skinned (none shown, or gone before activation)
  // must not leave the hook to dress the next dialog of the thread.
  SkinMessageBoxHookRemove(SkinEngine.box.MsgBoxTarget);
  outer.Restore();
  // A box that could not be shown answers 0 on Windows and -1 under Wine.
  return pressed > 0 ? pressed - 1 : -1;
}

}  // namespace korvath::skin
