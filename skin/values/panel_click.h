#pragma once
// What a program hands a panel (ZqkWindow.SetCallback): the routine a click
// on one of its entries calls.
namespace korvath::skin {

// Called with the clicked entry's 1-based number.
using ZqkClickRoutine = void (*)(int entry);

}  // namespace korvath::skin
