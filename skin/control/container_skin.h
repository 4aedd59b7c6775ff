#pragma once
// The container skin: a window that holds other controls (a group box, a tab
// control, a toolbar or other control with children, or a panel window),
// registered with the skinned top-level window that owns it
// (ContainerSkinAttach, skin/install/container_attach.h), answers its
// children's colour, drawing and notification messages the skin's way. A
// framed container (group box or tab control) is painted from a cached look.
#include <windows.h>

#include "skin/core/found_entry.h"

namespace korvath::skin {

struct SkinWindowRecord;

// The window procedure of every registered container.
LRESULT CALLBACK ContainerSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts back the container's previous procedure, removes its entry and
// renumbers the later containers of the record.
void UnskinContainer(const ContainerRef& container);

// Declares every cached background of a skinned top-level window stale: the
// dirty flags of its containers and, unless `containersOnly`, the repaint
// flags of its toolbars, labels and child controls, and every panel of the
// window is told to rebuild its picture.
void InvalidateBackgroundCaches(SkinWindowRecord& record, bool containersOnly = false);

}  // namespace korvath::skin
