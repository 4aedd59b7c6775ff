#pragma once
// The direct children of a window looked up by class, as FindWindowExW finds
// them. The control installers run one after another over one parent, each
// looking for its own classes; under Wine every FindWindowExW step is a
// request to the window server that lists all the children again. While a
// shared walk of the parent lives, they read one list instead, taken at the
// first look-up.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "skin/core/window_props.h"

namespace korvath::skin {

// A walk made while one of the same parent lives shares that one's list.
class SkinSharedChildWalk {
 public:
  explicit SkinSharedChildWalk(HWND parent);
  ~SkinSharedChildWalk();
  SkinSharedChildWalk(const SkinSharedChildWalk&) = delete;
  SkinSharedChildWalk& operator=(const SkinSharedChildWalk&) = delete;

  HWND parent() const { return parent_; }
  // The next child after `after` (null: the first) whose class is `cls`
  // (null: any class).
  HWND Next(HWND after, const wchar_t* cls);
  // The skin made, moved in Z order or destroyed one of the children: the
  // list is taken again at the next look-up.
  void Stale() { taken_ = false; }

 private:
  HWND parent_;
  bool shared_ = false;  // listed among the walks alive
  bool taken_ = false;
  std::vector<std::pair<HWND, std::wstring>> children_;  // in Z order, with their class names
};

// FindWindowExW(parent, after, cls, nullptr), from the innermost shared walk
// of `parent` when one lives.
HWND SkinNextChild(HWND parent, HWND after, const wchar_t* cls);

// Calls `visit` with every direct child of `parent` of class `cls` (null:
// every child), in Z order.
template <class Visit>
void SkinForEachChild(HWND parent, const wchar_t* cls, Visit visit) {
  for (HWND child = SkinNextChild(parent, nullptr, cls); child; child = SkinNextChild(parent, child, cls)) {
    visit(child);
  }
}

// Calls `visit` with every direct child of `parent` of class `cls` (null:
// every child) that no skin has subclassed yet (SkinIsSubclassed), in Z
// order: the walk of every installer. A child skinned while the walk runs is
// tested when its turn comes.
template <class Visit>
void SkinForEachUnskinnedChild(HWND parent, const wchar_t* cls, Visit visit) {
  SkinForEachChild(parent, cls, [&](HWND child) {
    if (!SkinIsSubclassed(child)) visit(child);
  });
}

// The skin made, moved in Z order or destroyed a child of `parent`: a shared
// walk of it lists the children again.
void SkinNoteChildrenChanged(HWND parent);

}  // namespace korvath::skin
