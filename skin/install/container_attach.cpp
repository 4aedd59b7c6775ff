// Registering containers: the entry in the owner's container list, the skins
// of the children, the subclassing and the container's properties.
#include "skin/install/container_attach.h"

#include "skin/control/container_skin.h"
#include "skin/core/background_container.h"
#include "skin/core/entry_install.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/install/child_skins.h"

namespace korvath::skin {

namespace {

constexpr LONG kGroupBoxBit = 0x4;

}  // namespace

bool IsGroupBoxButton(HWND window) {
  return SkinGetClassNameText(window) == "Button" &&
         (GetWindowLongW(window, GWL_STYLE) & kGroupBoxBit) != 0;
}

void ContainerSkinAttach(HWND window, std::optional<bool> framed, std::optional<COLORREF> backgroundColour,
                         std::optional<int32_t> backgroundAlpha, std::optional<bool> outline) {
  if (SkinWindowRecord* record = SkinTopSkinnedRecord(window)) {
    ContainerSkinAttach(*record, window, framed, backgroundColour, backgroundAlpha, outline);
  }
}

void ContainerSkinAttach(SkinWindowRecord& record, HWND window, std::optional<bool> framed,
                         std::optional<COLORREF> backgroundColour, std::optional<int32_t> backgroundAlpha,
                         std::optional<bool> outline) {
  // Once per attach, the list itself is searched: whether the window is in
  // it already must not rest on a number it carries.
  if (SkinFindContainerEntry(record, window) > 0) return;
  // Subclassed already by another skin of the first layer: a second layer
  // here would hand its messages back to itself.
  if (GetSkinProp(window, prop::Hw_hProc) != 0) return;

  RECT client = {};
  GetClientRect(window, &client);
  SkinTakeEntry(record, &SkinWindowRecord::Containers, window,
                {.procedure = &ContainerSkinWndProc, .overAnotherSkin = true}, [&](const ContainerRef& entry) {
                  entry->backgroundColor = backgroundColour.value_or(0);
                  entry->backgroundAlpha = backgroundAlpha ? (*backgroundAlpha & 0xFF) : 255;
                  entry->outline = outline.value_or(false);
                  entry->framed = framed.value_or(true);
                  entry->paintedWidth = client.right;
                  entry->paintedHeight = client.bottom;
                  const bool tab = SkinGetClassNameText(window) == "SysTabControl32";
                  if (IsGroupBoxButton(window) || tab) {
                    entry->framed = true;
                    entry->kind = tab ? ContainerKind::TabControl : ContainerKind::GroupBox;
                    const SkinFontInfo font = SkinControlFontMetrics(window);
                    entry->captionFontFace = font.face;
                    entry->captionFontSize = font.size;
                    entry->captionFontStyle = font.style;
                  }
                  // The skins of the controls inside; statics are not among
                  // them. A nested toolbar with children registers itself
                  // here, taking the next entry; this one stays where it
                  // is.
                  SkinInstallChildSkins(record, window);
                  entry->rebuild = true;
                });
  SetSkinPropHandle(window, prop::Mb_zpf, GetParentBackgroundPiece(window));
}

}  // namespace korvath::skin
