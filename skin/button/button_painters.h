#pragma once
// Which painter draws each kind of skinned button, and on which occasions:
// push buttons are owner-drawn, so their owner's WM_DRAWITEM paints them;
// radio buttons, check boxes and image toggles stay native controls, which
// the button's own procedure paints over. One row per kind, read by the
// owner-drawn items' dispatcher, the button procedure and its redraw.
#include <windows.h>

#include "skin/core/control_entries.h"
#include "skin/core/found_entry.h"

namespace korvath::skin {

// A painter: (button, DC, state in ODS_ bits, rectangle). The button comes
// found: its window, record and entry.
using ButtonPainter = void (*)(const ButtonRef& button, HDC dc, UINT state, const RECT& rect);

struct ButtonPainting {
  ButtonKind kind;
  ButtonPainter paint;
  // Painted over the native control by the button's own procedure, which
  // takes the disabled state from the window; else owner-drawn, in the state
  // that the owner's WM_DRAWITEM carries.
  bool paintsItself;
  // Repainted at once when the mouse enters or leaves it; an image toggle
  // keeps its look.
  bool redrawnWhenHot;
};

// The row of the kind; null for a number that names no kind.
const ButtonPainting* ButtonPaintingOf(ButtonKind kind);

}  // namespace korvath::skin
