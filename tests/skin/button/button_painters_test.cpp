// The table of button painters: each kind's painter, who paints it (its
// owner's WM_DRAWITEM or its own procedure) and whether a hover repaints it. Numbers that
// name no kind have no row.
#include "skin/button/button_painters.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "skin/button/image_button_painter.h"
#include "skin/button/picture_button_painter.h"
#include "skin/button/radio_painter.h"
#include "skin/button/vector_button_painter.h"

namespace korvath::skin {
namespace {

struct Expected {
  ButtonKind kind;
  ButtonPainter paint;  // null: not compared (the check box's own look)
  bool paintsItself;
  bool redrawnWhenHot;
};

TEST(ButtonPaintersTest, EachKindHasItsPainterAndItsOccasions) {
  const Expected expected[] = {
      {ButtonKind::Vector, ButtonSkinPaintVector, false, true},
      {ButtonKind::Picture, ButtonSkinPaint, false, true},
      {ButtonKind::Image, ButtonSkinPaintImage, false, true},
      {ButtonKind::Radio, RadioSkinPaint, true, true},
      {ButtonKind::CheckBox, nullptr, true, true},
      {ButtonKind::ImageToggle, ToggleSkinPaintImage, true, false},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(int(e.kind));
    const ButtonPainting* row = ButtonPaintingOf(e.kind);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->kind, e.kind);
    EXPECT_NE(row->paint, nullptr);
    if (e.paint) {
      EXPECT_EQ(row->paint, e.paint);
    }
    EXPECT_EQ(row->paintsItself, e.paintsItself);
    EXPECT_EQ(row->redrawnWhenHot, e.redrawnWhenHot);
  }
  // The check box's painter is none of the others.
  const ButtonPainter checkBox = ButtonPaintingOf(ButtonKind::CheckBox)->paint;
  for (const Expected& e : expected) EXPECT_NE(checkBox, e.paint);
}

TEST(ButtonPaintersTest, NumbersThatNameNoKindHaveNoRow) {
  for (const int32_t number : {2, 6, 8, 9, -1, 1000}) {
    SCOPED_TRACE(number);
    EXPECT_EQ(ButtonPaintingOf(ButtonKind(number)), nullptr);
  }
}

}  // namespace
}  // namespace korvath::skin
