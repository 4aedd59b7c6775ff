#include "skin/button/button_painters.h"

#include <array>
#include <cstddef>

#include "skin/button/check_box_painter.h"
#include "skin/button/image_button_painter.h"
#include "skin/button/picture_button_painter.h"
#include "skin/button/radio_painter.h"
#include "skin/button/vector_button_painter.h"

namespace korvath::skin {

namespace {

// The check box's plain look: no frame of the tick animation.
void CheckBoxPlainPaint(const ButtonRef& button, HDC dc, UINT state, const RECT& rect) {
  CheckBoxSkinPaint(button, dc, state, rect);
}

// Indexed by the kind's number (2 and 6 name no kind), so that a hover finds
// its painter without a search.
constexpr std::array<ButtonPainting, 8> kPaintings = {{
    {ButtonKind::Vector, ButtonSkinPaintVector, false, true},
    {ButtonKind::Picture, ButtonSkinPaint, false, true},
    {},
    {ButtonKind::Image, ButtonSkinPaintImage, false, true},
    {ButtonKind::Radio, RadioSkinPaint, true, true},
    {ButtonKind::CheckBox, CheckBoxPlainPaint, true, true},
    {},
    {ButtonKind::ImageToggle, ToggleSkinPaintImage, true, false},
}};

constexpr bool RowsStandAtTheirKinds() {
  for (size_t i = 0; i < kPaintings.size(); ++i) {
    if (kPaintings[i].paint && size_t(kPaintings[i].kind) != i) return false;
  }
  return true;
}
static_assert(RowsStandAtTheirKinds());

}  // namespace

const ButtonPainting* ButtonPaintingOf(ButtonKind kind) {
  const auto i = size_t(kind);
  if (i >= kPaintings.size() || !kPaintings[i].paint) return nullptr;
  return &kPaintings[i];
}

}  // namespace korvath::skin
