#pragma once
// The background every skinned window is painted on and the theme colour
// that tints its highlights: SkinSetBackgroundTheme.
#include "skin/form/background_theme.h"
