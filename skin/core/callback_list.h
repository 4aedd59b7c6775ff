#pragma once
// The calls that other skins make on a panel through its slot in
// SkinCallbackList (callbacks.h), answered by the slot's object
// (SkinCallbackTarget): the panel (skin/panel) binds itself to a slot.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Calls the notification entry of slot n with (a, b, c): the slot's object
// gets SetRedrawPending(a) and its result is returned (b and c are not used).
// Returns 0 and calls nothing when n is outside 1 .. number of slots, or the
// slot holds no object (a freed slot no longer reaches the object that left
// it).
int32_t SkinInvokeCallback(int32_t n, int32_t a, int32_t b, int32_t c);

// The size that the object of slot n reports as its window's size limit;
// 0 x 0 when n names no slot or the slot holds no object.
SIZE SkinRequestPaintedSize(int32_t n);

}  // namespace korvath::skin
