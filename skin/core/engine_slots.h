#pragma once
// The routines that later layers lend the core: the core calls them, the
// layers above put them in the engine's options when the engine starts
// (SkinEngineStart), and a slot left empty draws or registers nothing.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/byte_set.h"
#include "skin/core/entry_ref.h"

namespace korvath::skin {

// A push-button painter: (button, DC, itemState, item rectangle). The button
// comes found: its window, record and entry.
using SkinButtonPainter = void (*)(const ButtonRef& button, HDC dc, UINT itemState, const RECT& item);

// The push-button painters belong to the button skins (kinds with no painter
// set are not drawn).
struct SkinButtonPainterSet {
  SkinButtonPainter vector = nullptr;   // kind 0: ButtonSkinPaintVector
  SkinButtonPainter picture = nullptr;  // kind 1: ButtonSkinPaint
  SkinButtonPainter image = nullptr;    // kind 3: ButtonSkinPaintImage
};

// The tick in the theme colour, encoded as PNG: made by the button skins'
// recolouring; without it a checked menu item shows no tick.
using SkinTickPicture = ByteSet (*)();

}  // namespace korvath::skin
