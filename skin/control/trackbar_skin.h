#pragma once
// Track bars: the native control keeps its behaviour; the skin draws a
// rounded background, the channel, the selection, the filled part up to the
// thumb and a round thumb over the parent's skinned background.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/found_entry.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

class SkinPicture;

LRESULT CALLBACK TrackbarSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the whole track bar window of the entry.
void TrackbarSkinPaint(const TrackbarRef& trackbar);

// What the painter draws, read from the control by TrackbarSkinPaint.
struct TrackbarParts {
  float left = 0, top = 0, width = 0, height = 0;  // the drawing box
  RECT channel{};                                  // as TBM_GETCHANNELRECT reports it
  RECT thumb{};                                    // as TBM_GETTHUMBRECT reports it
  int32_t position = 0, maximum = 0, minimum = 0;
  bool background = false;  // the rounded background behind everything
  bool vertical = false;
  bool selectionRange = false;
  int32_t selectionStart = 0, selectionEnd = 0;
  int32_t tickPlacement = 0;  // 0 top/left, 1 bottom/right, 2 both, 3 none
  bool hot = false;
  // Picture mode: the three pictures (their hot state while hot) in place of
  // the channel, the filled part and the thumb; no selection is drawn.
  bool pictureMode = false;
  const SkinPicture* channelPicture = nullptr;
  const SkinPicture* thumbPicture = nullptr;
  const SkinPicture* filledPicture = nullptr;
  // Whether the thumb picture sits one pixel up (left) of the native thumb's
  // middle across the track rather than one pixel down (right).
  std::optional<bool> nudge;
  COLORREF thumbRimColour = 0x808080;
  COLORREF channelColour = 0x000000;
  std::optional<COLORREF> fillColour;  // the theme colour when not given
  std::optional<RECT> clip;            // everything is drawn inside it when given
};

void TrackbarSkinDrawParts(gdip::Graphics& graphics, const TrackbarParts& parts);

// Draws a skinned track bar from three pictures from now on instead of its
// vector shapes: the channel, the thumb and the filled part up to the
// thumb, each in its normal state and in its hot state while the mouse is
// over the track bar (a picture that is not loaded draws nothing). The
// pictures are copied. False when the skin does not know the track bar.
bool TrackbarSkinSetPictures(HWND window, const SkinPicture& channel, const SkinPicture& thumb,
                             const SkinPicture& filled);

// The selection's start offset and length along a channel of `length`
// pixels, in the range minimum..maximum; nothing for an empty range.
struct TrackbarSpan {
  int32_t offset = 0;
  int32_t length = 0;
};
std::optional<TrackbarSpan> TrackbarSelectionSpan(int32_t length, int32_t start, int32_t end, int32_t minimum,
                                                  int32_t maximum);

}  // namespace korvath::skin
