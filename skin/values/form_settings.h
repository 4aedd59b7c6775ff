#pragma once
// What a program hands a form's attach (FormSkinAttach): the form's skin
// settings, and the segments of its status bar among them. Plain values: the
// attach copies what it keeps into the form's record.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/values/byte_set.h"

namespace korvath::skin {

class SkinPicture;

// One segment of a form's status bar.
struct StatusBarSegment {
  int32_t width = 0;  // -1: a share of the width the fixed segments leave
  std::string text;  // GBK text, code page 936
  ByteSet image;
  COLORREF textColor = 0;
};

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
  // 11: how `backgroundImage` is placed, in the modes of the engine's
  // background (SkinSetBackgroundTheme, skin/engine/background_theme.h);
  // (the engine's mode when the form is skinned)
  std::optional<int32_t> imageMode;
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

}  // namespace korvath::skin
