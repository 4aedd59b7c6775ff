#include "skin/core/entry_lookup.h"

namespace korvath::skin {

SkinWindowRecord* SkinOwnerRecord(HWND control) { return SkinRecordAt(SkinSlotOwner(control)); }

}  // namespace korvath::skin
