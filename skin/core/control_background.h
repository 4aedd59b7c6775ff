#pragma once
// The skinned background behind native controls that keep painting
// themselves (edit boxes, lists, static text): as a bitmap for the pattern
// brush a WM_CTLCOLOR* handler returns, as a memory DC that a control's own
// window procedure then paints into, and as a pass that swaps a key colour
// such a control left for a skin colour. The first two lay a translucent tint
// over the parent background (parent_background.h): the panel's colour for a
// control under a panel (`Zqk_Szqk` = 1), else the control's own `Kj_bjys`,
// else white at the engine's alpha.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/gdi_object.h"
#include "skin/draw/memory_dc.h"

namespace korvath::skin {

struct SkinWindowRecord;

// The veil a control's background takes: the panel's colour and alpha under a
// panel (`Zqk_Szqk` = 1), else the control's own `Kj_bjys`/`Kj_bjystmd` when
// either is set, else white at `defaultAlpha` (SkinAlpha when not given).
struct SkinTint {
  COLORREF colour;
  int32_t alpha;
};
SkinTint SkinControlTint(HWND window, std::optional<int32_t> defaultAlpha = std::nullopt);

// A bitmap of the control's size holding its tinted background, owned by the
// caller (who makes a pattern brush of it); `owner` is the control's skinned
// top-level record. The second form looks it up: a control in no skinned
// window gets its whole window rectangle in opaque white under the engine's
// background colour at alpha 30.
platform::GdiBitmap SkinMakeBackgroundBitmap(const SkinWindowRecord& owner, HWND window);
platform::GdiBitmap SkinMakeBackgroundBitmap(HWND window);

// The pattern brush that a WM_CTLCOLOR* answer hands to the control: its
// background bitmap (above), made once per control, place and size and kept
// with its brush in the control's `Kj_wtjb` and `Kj_dxjb`. Moving or sizing
// the control frees the pair, and so does SkinDeleteControlBrush (which a
// change of the background behind the control calls); the next message
// makes it again. The pair is freed with the control. (The owner as for
// SkinMakeBackgroundBitmap.)
HBRUSH SkinControlBackgroundBrush(const SkinWindowRecord& owner, HWND control);
HBRUSH SkinControlBackgroundBrush(HWND control);

// A registered memory DC of the control's client size holding its tinted
// background (`defaultAlpha` as in SkinControlTint) over what lies beneath it
// in `owner`, its skinned top-level record.
SkinMemoryDc SkinFillControlBackground(const SkinWindowRecord& owner, HWND window,
                                       std::optional<int32_t> defaultAlpha = std::nullopt);

// In the area (0, 0, width, height) of dc every pixel of exactly `key`
// becomes `fill`; every other pixel stays.
void SkinReplaceColourKey(HDC dc, COLORREF key, COLORREF fill, int width, int height);

}  // namespace korvath::skin
