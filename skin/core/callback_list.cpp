// The calls that other skins make on a panel through its slot: the slot's
// object answers them through SkinCallbackTarget, whatever object it is.
#include "skin/core/callback_list.h"

#include "skin/core/callbacks.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_list.h"

namespace korvath::skin {

namespace {

// The object of slot n; null when n names no slot or the slot holds none.
SkinCallbackTarget* TargetOf(int32_t n) {
  const SkinCallbackEntry* record = SkinEntryAt(SkinEngine.lists.SkinCallbackList, n);
  return record ? record->target : nullptr;
}

}  // namespace

int32_t SkinInvokeCallback(int32_t n, int32_t a, int32_t, int32_t) {
  SkinCallbackTarget* target = TargetOf(n);
  return target ? target->SetRedrawPending(a) : 0;
}

SIZE SkinRequestPaintedSize(int32_t n) {
  const SkinCallbackTarget* target = TargetOf(n);
  return target ? target->PaintedSize() : SIZE{0, 0};
}

}  // namespace korvath::skin
