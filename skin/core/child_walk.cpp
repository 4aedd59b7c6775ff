#include "skin/core/child_walk.h"

#include <algorithm>

namespace korvath::skin {

namespace {

// The walks alive, innermost last: an installer may attach a nested container
// (a toolbar's children) while the walk of its parent lives. Stack objects of
// one attach, not a cache: empty outside an attach.
std::vector<SkinSharedChildWalk*>& Walks() {
  static std::vector<SkinSharedChildWalk*> walks;
  return walks;
}

SkinSharedChildWalk* WalkOf(HWND parent) {
  auto& walks = Walks();
  for (auto it = walks.rbegin(); it != walks.rend(); ++it) {
    if ((*it)->parent() == parent) return *it;
  }
  return nullptr;
}

// Class names match as the window server matches them: without regard to case.
bool SameClass(const std::wstring& name, const wchar_t* cls) {
  return CompareStringOrdinal(name.c_str(), int(name.size()), cls, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

SkinSharedChildWalk::SkinSharedChildWalk(HWND parent) : parent_(parent) {
  if (WalkOf(parent)) return;
  Walks().push_back(this);
  shared_ = true;
}

SkinSharedChildWalk::~SkinSharedChildWalk() {
  if (!shared_) return;
  auto& walks = Walks();
  walks.erase(std::remove(walks.begin(), walks.end(), this), walks.end());
}

HWND SkinSharedChildWalk::Next(HWND after, const wchar_t* cls) {
  if (!taken_) {
    children_.clear();
    for (HWND child = GetWindow(parent_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[256] = {};
      const int length = GetClassNameW(child, name, 256);
      children_.emplace_back(child, std::wstring(name, size_t(std::max(length, 0))));
    }
    taken_ = true;
  }
  // As FindWindowExW: among the children of the class, the one after `after`;
  // none when `after` is not among them.
  bool found = after == nullptr;
  for (const auto& [child, name] : children_) {
    if (cls && !SameClass(name, cls)) continue;
    if (!found) {
      found = child == after;
      continue;
    }
    if (IsWindow(child)) return child;
  }
  return nullptr;
}

HWND SkinNextChild(HWND parent, HWND after, const wchar_t* cls) {
  if (SkinSharedChildWalk* walk = WalkOf(parent)) return walk->Next(after, cls);
  return FindWindowExW(parent, after, cls, nullptr);
}

void SkinNoteChildrenChanged(HWND parent) {
  for (SkinSharedChildWalk* walk : Walks()) {
    if (walk->parent() == parent) walk->Stale();
  }
}

}  // namespace korvath::skin
