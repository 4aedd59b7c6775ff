// The control layer's attach calls: a control's entry in its owner's
// toolbar list, its subclassing in the control layer's slot and, for a
// control with children, its registration as a container.
#include "skin/control/control_skin.h"

#include <commctrl.h>

#include "skin/control/container_skin.h"
#include "skin/control/control_installers.h"
#include "skin/core/child_walk.h"
#include "skin/core/control_text.h"
#include "skin/core/entry_install.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

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
void Attach(HWND window, const AttachSettings& settings) {
  SkinWindowRecord* record = SkinTopSkinnedRecord(window);
  if (!record || SkinIsSubclassed(window)) return;
  SkinTakeEntry(*record, &SkinWindowRecord::Toolbars, window,
                {.procedure = &ControlSkinWndProc, .slot = &kControlLayerSlot},
                [&](const SkinEntryRef<SkinToolbarEntry>& entry) {
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
  if (settings.toolbar) {
    ContainerSkinAttach(window, false, colour, alpha, std::nullopt);
  } else {
    ContainerControlRegister(window, false, colour, alpha, std::nullopt);
  }
}

}  // namespace

// The toolbar's attach finds its owner record itself (the same record).
void ToolbarSkinInstall(SkinWindowRecord&, HWND parent) {
  SkinForEachUnskinnedChild(parent, TOOLBARCLASSNAMEW, [](HWND toolbar) {
    SetSkinProp(toolbar, prop::Kj_wtjb, SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ToolbarSkinAttach(toolbar);
  });
}

void ContainerControlSkinAttach(HWND window, std::optional<COLORREF> keyColour,
                                std::optional<COLORREF> fillColour, std::optional<int32_t> fillAlpha) {
  Attach(window, {.keyColour = keyColour, .fillColour = fillColour, .fillAlpha = fillAlpha});
}

void ContainerControlRegister(HWND window, std::optional<bool> framed,
                              std::optional<COLORREF> backgroundColour,
                              std::optional<int32_t> backgroundAlpha, std::optional<bool> outline) {
  const int32_t owner = SkinTopSkinnedAncestor(window);
  if (SkinFindContainerEntry(owner, window) > 0) return;
  ContainerSkinAttach(window, framed.value_or(true), backgroundColour,
                      backgroundAlpha ? (*backgroundAlpha & 0xFF) : 255, outline.value_or(false));
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
