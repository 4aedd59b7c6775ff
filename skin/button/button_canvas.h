#pragma once
// The surface every button painter draws on, and the small drawing steps the
// painters share. A canvas is a memory DC of the button's size that already
// shows what lies beneath the button, with a GDI+ graphics on it; finishing
// it deletes the graphics first (the DC must outlive it), hands the picture to
// the owner's child layer and gives the DC to whoever shows it.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "gdip/geometry.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "skin/core/colours.h"
#include "skin/core/control_text.h"
#include "skin/core/byte_set.h"
#include "skin/core/memory_dc.h"
#include "skin/core/shape_drawing.h"

namespace korvath::skin {

struct SkinButtonEntry;

class ButtonCanvas {
 public:
  ButtonCanvas(HWND window, const RECT& rect);
  // False when the button has nothing beneath it to take a background from
  // (no skinned window owns it), or GDI+ gives no graphics on it: then
  // nothing is painted.
  explicit operator bool() const { return ready_; }
  gdip::Graphics& graphics() { return graphics_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

  // Deletes the graphics and puts the picture into the owner's child layer;
  // the surface is the caller's from here on.
  SkinMemoryDc Finish();
  // Finish, then one copy to (0, 0) of `target` (a DC that stays the caller's).
  void CopyTo(HDC target);

 private:
  HWND window_;
  int32_t width_;
  int32_t height_;
  SkinMemoryDc surface_;     // declared first: outlives the graphics
  gdip::Graphics graphics_;
  bool ready_ = false;
};

// True when the owner-draw state has every bit of `bits`.
constexpr bool HasState(UINT state, UINT bits) { return (state | bits) == state; }

// Decodes an encoded picture and draws it at its own size at (x, y), or at
// (x, y + (boxHeight - its height) / 2) when a box height is given. Returns
// its width: 0 when the bytes are empty or no picture.
int32_t DrawPictureAt(gdip::Graphics& g, const ByteSet& picture, float x, float y, int32_t boxHeight = -1);

// A push button's glowing caption: the button's font, centred both ways.
ControlTextLook GlowingCaptionLook(const SkinButtonEntry& entry, COLORREF textColour);

}  // namespace korvath::skin
