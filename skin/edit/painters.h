#pragma once
// The painters of the edit and list skins. Each composes off-screen over the
// parent's skinned background, copies its picture to the window in one
// transfer and hands the same picture to the owner window's child layer.
// Each takes its control's entry as the control's procedure found it; states
// that are not given come from the entry.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/found_entry.h"

namespace korvath::skin {

// The frame ring of the skinned edit `window` (`edit`: its entry, or at least
// its owner record): white (transparent mode: the panel's or the control's
// colour, else white at SkinAlpha) over the parent background, with the
// border stroke on top. The client area and the native scroll bars on screen
// are left alone; the owner's layer gets the whole ring. Nothing is painted
// without an owner record.
void EditSkinBorderPaint(HWND window, const EditRef& edit, std::optional<bool> focused = std::nullopt,
                         std::optional<bool> hot = std::nullopt);

// The client background of a control in transparent mode: the parent's
// background in `owner`, the control's top-level record, under a veil (the
// panel's colour, else the control's own, else white at `alpha`, SkinAlpha
// when not given). Onto `target` (a client-area DC) when given, else onto the
// window DC at the client area's place.
void SkinPaintWindowDcBackground(const SkinWindowRecord& owner, HWND window, HDC target = nullptr,
                                 std::optional<int32_t> alpha = std::nullopt);

// The frame ring of a list-type control. Drop-down lists and borderless
// controls get none.
void ChildControlSkinPaintFrame(const ChildRef& child, std::optional<bool> hot = std::nullopt,
                                std::optional<bool> focused = std::nullopt);

// A whole combo box: face, frame, drop button, and a drop-down list's text.
// The areas of its own child windows are left to them. Hot is false when not
// given. A box that is not visible is not painted.
void ComboSkinPaint(const ComboRef& combo, std::optional<bool> hot = std::nullopt,
                    std::optional<bool> focused = std::nullopt);
// The picture its WM_PAINT shows, onto `dc`, a DC of the box's client area
// (WM_PRINTCLIENT): nothing is shown or kept.
void ComboSkinPrint(const ComboRef& combo, HDC dc);

// A tree view's whole client area in transparent mode: every item from the
// first visible one, over the parent's background; shown and kept in the
// owner's layer, or onto `dc`, a DC of its client area (WM_PRINTCLIENT).
void TreeSkinPaint(const ChildRef& tree);
void TreeSkinPrint(const ChildRef& tree, HDC dc);
// The state image number of a tree item's state word (bits 11 to 14), and
// the state bits of its low seven bits.
constexpr int32_t UnpackBits11To14(int32_t value) { return (value & 0x7800) >> 11; }
constexpr int32_t UnpackLow7Bits(int32_t value) { return value & 0x7F; }

}  // namespace korvath::skin
