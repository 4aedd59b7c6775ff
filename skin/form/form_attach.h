#pragma once
// Putting the skin on a top-level form: its record, caption items and
// tooltips, its own background picture, its control skins, and the skin's
// window procedure, installed last.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "skin/core/byte_set.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// The settings of a form's skin; a setting not given takes the default named
// beside it.
struct FormSkinSettings {
  std::optional<int32_t> captionHeight;  // 1: at least 25 (also when not given)
  std::optional<bool> border;            // 2: the skinned frame (1); only a given 1 makes tooltips
  std::optional<bool> resizable;         // 3: the edges resize the form (1)
  std::optional<bool> helpButton;        // 4: (0)
  std::optional<bool> menuButton;        // 5: (0)
  std::optional<bool> showTitle;         // 6: caption icon and title (1)
  std::optional<bool> captionBand;       // 7: (0)
  std::optional<int32_t> statusBarHeight;  // 8: 0 = no status bar
  std::optional<std::vector<StatusBarSegment>> statusBarSegments;  // 9
  ByteSet backgroundImage;               // 10: the form's own picture; empty = none
  std::optional<int32_t> imageMode;      // 11: (the engine's SkinBackgroundMode)
  std::optional<COLORREF> backColor;     // 12: (none)
  std::optional<int32_t> backAlpha;      // 13: (255)
  bool noCloseButton = false;            // 14
  std::optional<bool> hideIcon;          // 15: no caption icon (0)
  const SkinPicture* buttonPicture = nullptr;  // 16: used when it is loaded
  std::optional<bool> dragAnywhere;      // 17: a press on the bare surface moves the form (1)
  // The close animation played when the form closes: 0 none, 1 shrink to the
  // centre, 2 to 9 the others (close_animations.h). (0)
  std::optional<int32_t> closeEffect;
};

// Skins `form` once: a form that has a record already is left as it is.
// The form's style loses WS_CLIPCHILDREN and gains WS_SYSMENU; minimise and
// maximise items follow its WS_MINIMIZEBOX and WS_MAXIMIZEBOX.
void FormSkinAttach(HWND form, const FormSkinSettings& settings = {});

}  // namespace korvath::skin
