#pragma once
// The panels a program lays around the fields of its form: a panel object
// (ZqkWindow) lays a framed "Static" window over a control (its target,
// such as an edit box), takes the target in as its child, and shows a row of
// small image buttons (entries) at its right end. A press of the left button
// on an entry and its release, wherever the mouse is then, click the entry:
// the program's routine is called back with the entry's number. A panel
// with entries is a tab stop: the keyboard reaches its first entry, which
// shows a focus ring; Space pushes that entry and its release clicks it
// (unless the mouse holds an entry meanwhile: the mouse's press goes on
// alone), Enter clicks it at once, and the other keys go to the panel's
// top-level window (Tab, Esc). The engine keeps twenty panel objects
// (ZqkWindows) for the program's whole run.
//
// An object holds one panel window at a time: it gets it at Create and
// loses it with that window (destroyed with its parent, or by
// DestroyWindow), after which the object is empty again and may Create
// anew. A program calls Create first, then AddEntry and SetCallback in any
// order; everything else the panel does its window procedure does.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "skin/values/panel_click.h"

namespace korvath::skin {

class SkinPicture;
class ZqkPanel;

class ZqkWindow {
 public:
  ZqkWindow();
  // An object whose window still lives unbinds it first, so the window never
  // reaches a destroyed object.
  ~ZqkWindow();
  ZqkWindow(const ZqkWindow&) = delete;
  ZqkWindow& operator=(const ZqkWindow&) = delete;

  // Lays a panel over `target` (a child of a skinned form) and makes the
  // target its child: the panel reaches 3 pixels beyond the target on every
  // side, visible when the target's style is. Every value is passed; a value
  // left out as std::nullopt takes the one in brackets:
  // - the frame style (3): 0 a rectangle, 1 rounded, 2 a rectangle and 3
  //   rounded with a dark shade just inside;
  // - the frame colour (0x808080), drawn at alpha 200;
  // - the background colour filling the frame (none: what lies under the
  //   panel shows through) and its alpha (0, so that a colour given alone
  //   does not show; with no background colour 0 whatever is given).
  // A loaded picture is drawn instead of the frame and its shade, and its
  // inset moves the target in. Returns the panel window; null when none
  // could be made, and when the object's window still lives (refused: the
  // object and its window stay as they were, the target is left alone).
  HWND Create(HWND target, std::optional<int> frameStyle, std::optional<COLORREF> frameColour,
              std::optional<COLORREF> backgroundColour, std::optional<int> backgroundAlpha,
              const SkinPicture& picture);
  // Appends an image button (position -1, not given or past the end) or
  // inserts it as entry `position` (1 .. count + 1); any other position adds
  // nothing. The images are encoded pictures (PNG, JPEG, ...), each copied,
  // drawn at the entry's size: the normal one, the hover one while the mouse
  // is over the entry, the pressed one while the entry is held down; hover
  // and pressed default to the normal one, the size to 16 x 16. The entries
  // stand at the panel's right end in their order, one pixel apart, centred
  // in its height, and the target runs from 4 pixels inside the panel's left
  // edge to 2 pixels before the first (a picture's inset moves both); the
  // panel is laid out and repainted even when nothing was added.
  void AddEntry(std::span<const uint8_t> normalImage,
                std::optional<std::span<const uint8_t>> hoverImage = std::nullopt,
                std::optional<std::span<const uint8_t>> pressedImage = std::nullopt,
                std::optional<int> width = std::nullopt, std::optional<int> height = std::nullopt,
                std::optional<int> position = std::nullopt);
  // The routine a click on an entry calls. 1 when stored; 0, and the old
  // routine kept, for none.
  int SetCallback(ZqkClickRoutine callback);

 private:
  // The object's insides (its window, entries, pictures and procedure, and
  // the panel's other operations: an icon, moving, showing, the frame
  // colour, a cursor: skin/panel/panel_window.h) are the engine's own, and
  // no program's to call on: their class is declared in no header a program
  // may include, and the check of the tool's symbols
  // (tools/check_library_symbols.py) refuses the tool PanelInsides, the
  // engine's tests' way to them.
  friend ZqkPanel& PanelInsides(ZqkWindow& window);
  std::unique_ptr<ZqkPanel> insides_;
};

// The program's twenty panel objects, made at the first call and kept until
// the process ends; element [0] is the first.
inline constexpr int kZqkWindowCount = 20;
std::array<ZqkWindow, kZqkWindowCount>& ZqkWindows();

}  // namespace korvath::skin
