#include "skin/core/background_container.h"

#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

bool IsBackgroundPiece(HWND window) { return GetSkinProp(window, prop::Wxk_Zpf) == 1; }

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT Relative(const RECT& r, const RECT& origin) {
  return RECT{r.left - origin.left, r.top - origin.top, r.right - origin.left,
              r.bottom - origin.top};
}

}  // namespace

SkinBackgroundSource SkinFindBackgroundContainer(HWND window, bool usePieces) {
  SkinBackgroundSource found;
  if (usePieces && IsBackgroundPiece(window)) {
    found.piece = window;
    return found;
  }
  if (const int32_t n = SkinFindWindowRecord(window)) {
    found.topLevel = true;
    found.record = n;
    return found;
  }
  // No depth limit: every ancestor up to the top of the chain is examined.
  for (HWND current = GetParent(window); current; current = GetParent(current)) {
    if (usePieces && IsBackgroundPiece(current)) {
      found.piece = current;
      return found;
    }
    for (size_t i = 0; i < SkinEngine.lists.SkinWindowList.size(); ++i) {
      const int32_t n = static_cast<int32_t>(i) + 1;
      if (SkinEngine.lists.SkinWindowList[i]->Window == current) {
        found.topLevel = true;
        found.record = n;
        return found;
      }
      if (const int32_t e = SkinFindContainerEntry(n, current)) {
        if (HWND piece = GetSkinPropHandle<HWND>(current, prop::Mb_zpf); usePieces && piece) {
          found.piece = piece;
        } else {
          found.record = n;
          found.entry = e;
        }
        return found;
      }
    }
  }
  return found;
}

RECT SkinRectRelativeTo(HWND reference, HWND window) {
  return Relative(WindowRect(window), WindowRect(reference));
}

RECT SkinRectInTopAncestor(HWND window) {
  const SkinWindowRecord* record = SkinRecordAt(SkinTopSkinnedAncestor(window));
  if (!record) return RECT{};
  return SkinRectRelativeTo(record->Window, window);
}

RECT SkinRectInContainer(HWND window) {
  if (SkinFindWindowRecord(window)) return RECT{};
  const SkinWindowRecord* record = SkinRecordAt(SkinTopSkinnedAncestor(window));
  HWND top = record ? record->Window : nullptr;
  HWND current = window;
  do {
    current = GetParent(current);
  } while (current && current != top);
  if (!current) return WindowRect(window);
  return SkinRectRelativeTo(current, window);
}

int32_t SkinParentContainerEntry(int32_t record, HWND window, HWND stopWindow) {
  SkinWindowRecord* owner = SkinRecordAt(record);
  if (!owner) return 0;
  for (HWND current = GetParent(window); current != stopWindow && current;
       current = GetParent(current)) {
    const int32_t e = SkinFindContainerEntry(record, current);
    const SkinContainerEntry* entry = SkinEntryAt(owner->Containers, e);
    if (entry && entry->framed) return e;
  }
  return 0;
}

}  // namespace korvath::skin
