#pragma once
// The one way a skin puts its procedure in front of a window's own, hands on
// what it does not finish, finds its entry again and steps aside. A slot is
// the set of properties one layer keeps on the window: its entry number, its
// owner record's number and the procedure it replaced. Skins of the `Hw_`
// layer (every control skin, forms, boxes, menus, overlays) share one slot;
// the control layer (`Kj_`) and panels (`Zqk_`) have their own, so that a
// container skin may stand in front of a control-layer skin.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/window_props.h"

namespace korvath::skin {

struct SubclassSlot {
  SkinProp number;                // the entry's (or a top-level window's record's) number
  std::optional<SkinProp> owner;  // the owner record's number; none: the slot keeps none
  SkinProp procedure;             // the procedure the skin replaced
};
inline constexpr SubclassSlot kSkinSlot{prop::Hw_lbID, prop::Hw_FuID, prop::Hw_hProc};
inline constexpr SubclassSlot kControlLayerSlot{prop::Kj_lbID, prop::Kj_FuID, prop::Kj_hProc};
inline constexpr SubclassSlot kPanelSlot{prop::Zqk_LbID, prop::Zqk_FuID, prop::Zqk_Jgc};

struct SubclassArgs {
  WNDPROC procedure = nullptr;
  std::optional<int32_t> ownerNumber;  // the owner record's number; set when given
  std::optional<int32_t> entryNumber;  // the entry's (a top-level window's: its record's); set when given
  const SubclassSlot* slot = &kSkinSlot;
  // A container stands in front of a control-layer skin, a panel in front
  // of its container skin; every other skin refuses a window that any skin
  // has subclassed already.
  bool overAnotherSkin = false;
};

// Sets the slot's numbers and saved procedure, then installs the skin's
// procedure, so that every message it sees finds the chain complete. The one
// installer guard: a window that a skin has subclassed already (in this slot,
// or in any unless `overAnotherSkin`) is refused, because subclassing it
// again would save a skin procedure as the one to forward to, and the forward
// would call itself without end. Answers the replaced procedure, null when
// refused.
[[nodiscard]] WNDPROC SkinSubclass(HWND window, const SubclassArgs& args);

// The message handed to the procedure the slot saved; the default processing
// when none was saved, so that no message is lost.
LRESULT SkinForward(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    const SubclassSlot& slot = kSkinSlot);

// Puts the saved procedure back in front (the properties stay, as every
// property the engine sets does).
void SkinUnsubclass(HWND window, const SubclassSlot& slot = kSkinSlot);

// The slot's numbers as the window carries them.
int32_t SkinSlotNumber(HWND window, const SubclassSlot& slot = kSkinSlot);
int32_t SkinSlotOwner(HWND window, const SubclassSlot& slot = kSkinSlot);

}  // namespace korvath::skin
