#pragma once
// The set-up of the main window once its units exist.
#include <array>
#include <cstdint>
#include <string>

#include "app/npc_record.h"
#include "app/value_tables.h"

namespace korvath::app {

// Bound to the main window's creation-done event.
void OnMainWindowCreated();
// The 20 labels become transparent text and the three group boxes skinned
// containers, in that order, once the form is skinned.
void SkinLabelsAndGroupBoxes();
// Fills the lists, sets every default and loads the record from the controls.
void NpcFormInit();

}  // namespace korvath::app
