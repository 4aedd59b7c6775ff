#pragma once
// The list through which other skins reach a panel: its slots and the object
// each leads to.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// The object a callback slot leads to (a panel): one method for each call
// that other skins make on it through the slot.
class SkinCallbackTarget {
 public:
  // The background-cache invalidation of the owner window
  // (SkinInvokeCallback): the object keeps `value` as its redraw-pending flag
  // and returns it.
  virtual int32_t SetRedrawPending(int32_t value) = 0;
  // The size limit of a window whose `Wxk_LBID` names the slot
  // (SkinRequestPaintedSize).
  virtual SIZE PaintedSize() const = 0;

 protected:
  ~SkinCallbackTarget() = default;
};

// One callback slot: a panel finds its object through its slot number
// (property `Zqk_LbID`) instead of through generated code. The calls through
// a slot are in callback_list.h.
struct SkinCallbackEntry {
  HWND window = nullptr;                  // the panel holding the slot; 0 when free
  SkinCallbackTarget* target = nullptr;   // the object the slot calls (not owned)
  bool free = false;                      // free for reuse
};

}  // namespace korvath::skin
