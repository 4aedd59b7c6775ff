#include "skin/core/child_layout.h"


namespace korvath::skin {

void SkinLayoutChildren(const SkinContainerEntry& container) {
  // MoveWindow sends WM_SIZE, and a moved child that is a container itself
  // lays out its own children and may add entries to this record's lists
  // (and move the container's entry): work on copies.
  const HWND window = container.window;
  const std::vector<SkinStretchChild> children = container.stretchedChildren;
  SkinStretchChildren(window, children);
}

void SkinStretchChildren(HWND container, std::span<const SkinStretchChild> children) {
  RECT client = {};
  GetClientRect(container, &client);
  const int width = client.right;
  const int height = client.bottom;
  for (const SkinStretchChild& child : children) {
    if (!child.Window) continue;
    if (child.FullWidth) {
      MoveWindow(child.Window, 2, child.Top, width - 4, height - child.Top, TRUE);
    } else {
      MoveWindow(child.Window, child.Left, child.Top, width - child.Left - 2, height - child.Top - 2,
                 TRUE);
    }
  }
}

}  // namespace korvath::skin
