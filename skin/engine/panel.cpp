// The panel object a program holds: each call goes on to its insides.
#include "skin/engine/panel.h"

#include "skin/panel/panel_window.h"

namespace korvath::skin {

ZqkWindow::ZqkWindow() : insides_(std::make_unique<ZqkPanel>()) {}

ZqkWindow::~ZqkWindow() = default;

HWND ZqkWindow::Create(HWND target, std::optional<int> frameStyle, std::optional<COLORREF> frameColour,
                       std::optional<COLORREF> backgroundColour, std::optional<int> backgroundAlpha,
                       const SkinPicture& picture) {
  return insides_->Create(target, frameStyle, frameColour, backgroundColour, backgroundAlpha, picture);
}

void ZqkWindow::AddEntry(std::span<const uint8_t> normalImage, std::optional<std::span<const uint8_t>> hoverImage,
                         std::optional<std::span<const uint8_t>> pressedImage, std::optional<int> width,
                         std::optional<int> height, std::optional<int> position) {
  insides_->AddEntry(normalImage, hoverImage, pressedImage, width, height, position);
}

int ZqkWindow::SetCallback(ZqkClickRoutine callback) { return insides_->SetCallback(callback); }

// Out of line, so that a call of it is a symbol that the check of the
// tool's symbols sees.
ZqkPanel& PanelInsides(ZqkWindow& window) { return *window.insides_; }

std::array<ZqkWindow, kZqkWindowCount>& ZqkWindows() {
  static std::array<ZqkWindow, kZqkWindowCount> windows;
  return windows;
}

}  // namespace korvath::skin
