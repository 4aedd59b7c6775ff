#pragma once
// The control layer's attach calls (control_skin.h): a control's entry in
// its owner's toolbar list, its subclassing in the control layer's slot and,
// for a control with children, its registration as a container, which runs
// every family's installers over those children again.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace korvath::skin {

struct SkinWindowRecord;

// The toolbars among `parent`'s direct children that no skin has
// subclassed, each put under the control layer as ToolbarSkinAttach puts
// one, its image list kept in `Kj_wtjb`.
void ToolbarSkinInstall(SkinWindowRecord& record, HWND parent);

// Described at the door: skin/engine/attach.h. The control goes under the
// control layer.
void ContainerControlSkinAttach(HWND window, std::optional<COLORREF> keyColour,
                                std::optional<COLORREF> fillColour, std::optional<int32_t> fillAlpha);
// Registers the window as a container of its skinned top-level record unless
// it is one already: ContainerSkinAttach for a caller that holds no record.
void ContainerControlRegister(HWND window, std::optional<bool> framed = std::nullopt,
                              std::optional<COLORREF> backgroundColour = std::nullopt,
                              std::optional<int32_t> backgroundAlpha = std::nullopt,
                              std::optional<bool> outline = std::nullopt);
// The toolbar's attach: as ContainerControlSkinAttach, with its repaint flag
// set for a "ToolbarWindow32" and the frame mode (1: a frame and a drop-down
// face, keyed on white).
void ToolbarSkinAttach(HWND window, std::optional<COLORREF> keyColour = std::nullopt,
                       std::optional<COLORREF> fillColour = std::nullopt,
                       std::optional<int32_t> fillAlpha = std::nullopt,
                       std::optional<int32_t> frameMode = std::nullopt);

}  // namespace korvath::skin
