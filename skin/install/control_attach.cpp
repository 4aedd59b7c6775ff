// The control layer's attach calls: a control's entry in its owner's
// toolbar list, its subclassing in the control layer's slot and, for a
// control with children, its registration as a container.
#include "skin/install/control_attach.h"

#include <commctrl.h>

#include "skin/control/control_skin.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_install.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/install/container_attach.h"

namespace korvath::skin {

namespace {

struct AttachSettings {
  std::optional<COLORREF> keyColour;
  std::optional<COLORREF> fillColour;
  std::optional<int32_t> fillAlpha;
  std::optional<int32_t> frameMode;
  bool toolbar = false;
};

// The entry, the subclassing and the properties; then, for a control with
// children, its registration as a container (which subclasses it again).
// `record` is the control's skinned top-level record.
void Attach(SkinWindowRecord& record, HWND window, const AttachSettings& settings) {
  if (SkinIsSubclassed(window)) return;
  SkinTakeEntry(record, &SkinWindowRecord::Toolbars, window,
                {.procedure = &ControlSkinWndProc, .slot = &kControlLayerSlot}, [&](const ToolbarRef& entry) {
                  const SkinFontInfo font = SkinControlFontMetrics(window);
                  entry->keyColor = settings.keyColour.value_or(GetSysColor(COLOR_BTNFACE));
                  entry->fontFace = font.face.empty() ? kDefaultFontFace : font.face;
                  entry->fontSize = font.size == 0 ? kDefaultFontSize : font.size;
                  entry->fontStyle = font.style;
                  entry->repaint = settings.toolbar && SkinIsToolbar(window);
                  entry->frameMode = settings.frameMode.value_or(0);
                });

  // The container's installers look for their kinds among the same children.
  const SkinSharedChildWalk children(window);
  if (!SkinNextChild(window, nullptr, nullptr)) return;
  // An absent fill arrives as colour 0 (no tint) and alpha 0.
  const COLORREF colour = settings.fillColour.value_or(0);
  const int32_t alpha = settings.fillAlpha.value_or(0);
  ContainerSkinAttach(record, window, false, colour, alpha, std::nullopt);
}

// The same for a control whose record is looked up.
void Attach(HWND window, const AttachSettings& settings) {
  if (SkinWindowRecord* record = SkinTopSkinnedRecord(window)) Attach(*record, window, settings);
}

}  // namespace

void ToolbarSkinInstall(SkinWindowRecord& record, HWND parent) {
  SkinForEachUnskinnedChild(parent, TOOLBARCLASSNAMEW, [&](HWND toolbar) {
    SetSkinProp(toolbar, prop::Kj_wtjb, SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    Attach(record, toolbar, {.toolbar = true});
  });
}

void ContainerControlSkinAttach(HWND window, std::optional<COLORREF> keyColour,
                                std::optional<COLORREF> fillColour, std::optional<int32_t> fillAlpha) {
  Attach(window, {.keyColour = keyColour, .fillColour = fillColour, .fillAlpha = fillAlpha});
}

void ContainerControlRegister(HWND window, std::optional<bool> framed,
                              std::optional<COLORREF> backgroundColour,
                              std::optional<int32_t> backgroundAlpha, std::optional<bool> outline) {
  if (SkinWindowRecord* record = SkinTopSkinnedRecord(window))
    ContainerSkinAttach(*record, window, framed, backgroundColour, backgroundAlpha, outline);
}

void ToolbarSkinAttach(HWND window, std::optional<COLORREF> keyColour, std::optional<COLORREF> fillColour,
                       std::optional<int32_t> fillAlpha, std::optional<int32_t> frameMode) {
  Attach(window, {.keyColour = keyColour,
                  .fillColour = fillColour,
                  .fillAlpha = fillAlpha,
                  .frameMode = frameMode,
                  .toolbar = true});
}

}  // namespace korvath::skin
