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

void ZqkWindow::SetIcon(std::span<const uint8_t> image, std::optional<int> width, std::optional<int> height) {
  insides_->SetIcon(image, width, height);
}

void ZqkWindow::Move(std::optional<int> x, std::optional<int> y, std::optional<int> width,
                     std::optional<int> height) {
  insides_->Move(x, y, width, height);
}

int ZqkWindow::Show(std::optional<int> visible) { return insides_->Show(visible); }
void ZqkWindow::SetFrameColor(COLORREF colour) { insides_->SetFrameColor(colour); }
int ZqkWindow::GetLeft() const { return insides_->GetLeft(); }
int ZqkWindow::GetTop() const { return insides_->GetTop(); }
int ZqkWindow::GetBottom() const { return insides_->GetBottom(); }
int ZqkWindow::GetRight() const { return insides_->GetRight(); }
int ZqkWindow::GetWidth() const { return insides_->GetWidth(); }
int ZqkWindow::GetHeight() const { return insides_->GetHeight(); }
int ZqkWindow::SetCursorFile(const std::string& path) { return insides_->SetCursorFile(path); }

std::array<ZqkWindow, kZqkWindowCount>& ZqkWindows() {
  static std::array<ZqkWindow, kZqkWindowCount> windows;
  return windows;
}

}  // namespace korvath::skin
