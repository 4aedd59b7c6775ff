#pragma once
// The panels a program lays around the fields of its form: a panel object
// (ZqkWindow) lays a framed "Static" window over a control (its target,
// such as an edit box), takes the target in as its child, and shows a row of
// small image buttons (entries) at its right end; a click on an entry calls
// the program's routine back with the entry's number. The engine keeps
// twenty panel objects (ZqkWindows) for the program's whole run; an object
// gets its window at Create and loses it with that window.
//
// A program calls Create first, then AddEntry and SetCallback in any order;
// everything else the panel does its window procedure does.
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
  // target its child. Defaults: frame style 3 (rounded, shaded), frame
  // colour 0x808080, no background colour (its alpha is then 0 whatever was
  // given; an alpha not given is 0). A loaded picture is kept, and its inset
  // moves the target in. Returns the panel window, null when none was made.
  HWND Create(HWND target, std::optional<int> frameStyle, std::optional<COLORREF> frameColour,
              std::optional<COLORREF> backgroundColour, std::optional<int> backgroundAlpha,
              const SkinPicture& picture);
  // Appends an image button (position -1, not given or past the end) or
  // inserts it as entry `position` (1 .. count + 1); any other position adds
  // nothing. The images are encoded pictures (PNG, JPEG, ...); hover and
  // pressed default to the normal one, the size to 16 x 16.
  void AddEntry(std::span<const uint8_t> normalImage,
                std::optional<std::span<const uint8_t>> hoverImage = std::nullopt,
                std::optional<std::span<const uint8_t>> pressedImage = std::nullopt,
                std::optional<int> width = std::nullopt, std::optional<int> height = std::nullopt,
                std::optional<int> position = std::nullopt);
  // The routine a click on an entry calls. 1 when stored; 0, and the old
  // routine kept, for none.
  int SetCallback(ZqkClickRoutine callback);

  // The object's insides (its window, entries, pictures and procedure, and
  // the panel's other operations: an icon, moving, showing, the frame
  // colour, a cursor), which the engine keeps to itself
  // (skin/panel/panel_window.h).
  ZqkPanel& Insides() { return *insides_; }
  const ZqkPanel& Insides() const { return *insides_; }

 private:
  std::unique_ptr<ZqkPanel> insides_;
};

// The program's twenty panel objects, made at the first call and kept until
// the process ends; element [0] is the first.
inline constexpr int kZqkWindowCount = 20;
std::array<ZqkWindow, kZqkWindowCount>& ZqkWindows();

}  // namespace korvath::skin
