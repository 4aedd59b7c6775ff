#include "skin/core/subclass.h"

#include "platform/window_procedure.h"

namespace korvath::skin {

WNDPROC SkinSubclass(HWND window, const SubclassArgs& args) {
  if (!window || !args.procedure || !args.slot) return nullptr;
  const SubclassSlot& slot = *args.slot;
  if (GetSkinProp(window, slot.procedure) != 0) return nullptr;
  if (!args.overAnotherSkin && SkinIsSubclassed(window)) return nullptr;
  const WNDPROC saved = platform::WindowProcedureOf(window);
  if (args.entryNumber) SetSkinProp(window, slot.number, *args.entryNumber);
  if (args.ownerNumber && slot.owner) SetSkinProp(window, *slot.owner, *args.ownerNumber);
  SetSkinPropHandle(window, slot.procedure, saved);
  platform::SetWindowProcedure(window, args.procedure);
  return saved;
}

LRESULT SkinForward(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const SubclassSlot& slot) {
  const auto saved = GetSkinPropHandle<WNDPROC>(window, slot.procedure);
  return saved ? CallWindowProcW(saved, window, message, wParam, lParam)
               : DefWindowProcW(window, message, wParam, lParam);
}

void SkinUnsubclass(HWND window, const SubclassSlot& slot) {
  if (const auto saved = GetSkinPropHandle<WNDPROC>(window, slot.procedure))
    platform::SetWindowProcedure(window, saved);
}

int32_t SkinSlotNumber(HWND window, const SubclassSlot& slot) {
  return static_cast<int32_t>(GetSkinProp(window, slot.number));
}

int32_t SkinSlotOwner(HWND window, const SubclassSlot& slot) {
  return slot.owner ? static_cast<int32_t>(GetSkinProp(window, *slot.owner)) : 0;
}

}  // namespace korvath::skin
