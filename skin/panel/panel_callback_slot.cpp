// A panel's record in the callback list and the plain window procedure
// through which every panel window reaches its object: no code is generated,
// the panel's "Zqk_LbID" property names its record and the record its object.
#include "skin/core/callbacks.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_list.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_props.h"
#include "skin/panel/panel_window.h"

namespace korvath::skin {

namespace {

SkinCallbackEntry* CallbackEntry(int32_t n) { return SkinEntryAt(SkinEngine.lists.SkinCallbackList, n); }

// The object bound to a panel window, or null when the window's record is
// gone or belongs to another window now.
ZqkPanel* PanelObject(HWND window) {
  const SkinCallbackEntry* record = CallbackEntry(int32_t(GetSkinProp(window, prop::Zqk_LbID)));
  return record && record->window == window ? static_cast<ZqkPanel*>(record->target) : nullptr;
}

// What the panel does not finish goes to the procedure it replaced (the
// container skin's), read from the panel slot's property, so that it still
// works after Destroy has emptied the object.
LRESULT PanelPart(const SkinMessage& m) {
  if (ZqkPanel* object = PanelObject(m.window)) return object->WindowProc(m);
  return m.Forward();
}

}  // namespace

int ZqkPanel::FindFreeCallbackSlot() {
  for (size_t i = 0; i < SkinEngine.lists.SkinCallbackList.size(); ++i) {
    if (SkinEngine.lists.SkinCallbackList[i].free) return int(i) + 1;
  }
  return 0;
}

int ZqkPanel::TakeCallbackSlot(HWND panel) {
  int n = FindFreeCallbackSlot();
  if (n == 0) {
    SkinEngine.lists.SkinCallbackList.emplace_back();
    n = int(SkinEngine.lists.SkinCallbackList.size());
  }
  SkinCallbackEntry& record = SkinEngine.lists.SkinCallbackList[n - 1];
  record.free = false;
  record.window = panel;
  return n;
}

bool ZqkPanel::BuildThunks(std::optional<int> slot) {
  SkinCallbackEntry* record = CallbackEntry(slot.value_or(callbackSlot_));
  if (!record) return false;
  record->target = this;
  return true;
}

void ZqkPanel::FreeCallbackSlot() const {
  SkinCallbackEntry* record = CallbackEntry(callbackSlot_);
  // A second Release must not free the record that another panel took since.
  if (!record || record->target != this) return;
  record->free = true;
  record->window = nullptr;
  // A freed record reaches no object until the next Create binds it anew.
  record->target = nullptr;
}

LRESULT CALLBACK ZqkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const SkinMessage m{.window = window, .message = message, .wParam = wParam, .lParam = lParam, .slot = &kPanelSlot};
  return SkinMessageBoundary(m, &PanelPart);
}

}  // namespace korvath::skin
