#include "skin/edit/edit_lookup.h"

#include "skin/core/entry_lookup.h"

namespace korvath::skin {

EditRef FindEditRecord(HWND control) { return SkinFindEntry(control, &SkinWindowRecord::Edits); }

}  // namespace korvath::skin
