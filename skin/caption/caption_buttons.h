#pragma once
// The caption items of a skinned form (help, main menu, minimise,
// maximise/restore, close) in their normal look, with a hover layer of
// strength 0..240, and in their pressed look. Every paint first restores the
// item's area from the caption background the render saved.
#include <cstdint>
#include <optional>

namespace korvath::gdip {
class Graphics;
class GraphicsPath;
}  // namespace korvath::gdip

namespace korvath::skin {

struct SkinWindowRecord;

// Which caption item is painted, and how.
struct CaptionItemPaint {
  int32_t item = 0;           // 1-based; outside 1 .. count nothing is drawn
  bool insideRender = false;  // the graphics is the render's own
  bool pressed = false;       // the pressed look
  int32_t hoverLevel = 0;     // 0 .. 240: how far the hover layer has faded in
};

// Paints one caption item of the form. Inside a render the graphics is the
// render's own; outside it this binds the fresh `graphics` to the back
// buffer, draws anti-aliased and shows the item on the window. The pressed
// look always works as outside a render and is drawn without anti-aliasing.
void SkinPaintCaptionButtons(const SkinWindowRecord& r, gdip::Graphics& graphics, const CaptionItemPaint& paint);
// The hover layer of an item at level 0..240: shadow, tint and rim.
void SkinPaintCaptionHover(gdip::Graphics& graphics, const SkinWindowRecord& r, int32_t item, int32_t level);
// The separator lines left of the item and, unless it is the last, right of it.
void SkinPaintCaptionSeparators(const SkinWindowRecord& r, int32_t item, gdip::Graphics& graphics);
// One open figure: the close item's outline with only its top-right corner
// rounded (an r x r arc box).
void SkinPathAddCloseShape(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r);

}  // namespace korvath::skin
