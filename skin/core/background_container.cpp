#include "skin/core/background_container.h"

#include "platform/window_geometry.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

SkinBackgroundSource SkinFindBackgroundContainer(const SkinWindowRecord& top, HWND window, bool usePieces) {
  SkinBackgroundSource found;
  if (usePieces && SkinIsBackgroundPiece(window)) {
    found.piece = window;
    return found;
  }
  if (window == top.Window) {
    found.topLevel = true;
    return found;
  }
  // No depth limit: every ancestor up to the top-level window is examined.
  for (HWND current = GetParent(window); current; current = GetParent(current)) {
    if (usePieces && SkinIsBackgroundPiece(current)) {
      found.piece = current;
      return found;
    }
    if (current == top.Window) {
      found.topLevel = true;
      return found;
    }
    if (const int32_t e = SkinContainerNumberOf(top, current)) {
      if (HWND piece = GetSkinPropHandle<HWND>(current, prop::Mb_zpf); usePieces && piece) {
        found.piece = piece;
      } else {
        found.entry = e;
      }
      return found;
    }
  }
  return found;
}

bool SkinIsBackgroundPiece(HWND window) { return GetSkinProp(window, prop::Wxk_Zpf) == 1; }

HWND GetParentBackgroundPiece(HWND window) {
  for (HWND current = GetParent(window); current; current = GetParent(current)) {
    if (SkinIsBackgroundPiece(current)) return current;
  }
  return nullptr;
}

RECT SkinRectRelativeTo(HWND reference, HWND window) { return platform::WindowRectIn(window, reference); }

RECT SkinRectInTopAncestor(const SkinWindowRecord& top, HWND window) {
  return platform::WindowRectIn(window, top.Window);
}

RECT SkinRectInContainer(const SkinWindowRecord& top, HWND window) {
  if (window == top.Window) return RECT{};
  HWND current = window;
  do {
    current = GetParent(current);
  } while (current && current != top.Window);
  // A walk that ends above every parent measures on the screen.
  return platform::WindowRectIn(window, current);
}

int32_t SkinParentContainerEntry(const SkinWindowRecord& record, HWND window, HWND stopWindow) {
  for (HWND current = GetParent(window); current != stopWindow && current;
       current = GetParent(current)) {
    const int32_t e = SkinContainerNumberOf(record, current);
    const SkinContainerEntry* entry = SkinEntryAt(record.Containers, e);
    if (entry && entry->framed) return e;
  }
  return 0;
}

}  // namespace korvath::skin
