#include "skin/button/button_installers.h"

#include "skin/button/button_lookup.h"
#include "skin/button/button_window_proc.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_install.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

namespace {

// Registers `child` as a button of `kind` in the record, tags it and puts
// the button procedure in front of its own.
ButtonRef Skin(SkinWindowRecord& record, HWND child, ButtonKind kind) {
  return SkinTakeEntry(record, &SkinWindowRecord::Buttons, child, {.procedure = &ButtonSkinWndProc},
                       [&](const ButtonRef& entry) {
                         const SkinFontInfo font = SkinControlFontMetrics(child);
                         entry->Kind = kind;
                         entry->Caption = GetControlText(child);
                         entry->CaptionEffectColor = std::nullopt;
                         entry->FontFace = font.face;
                         entry->FontSize = font.size;
                         entry->FontStyle = font.style;
                         SetSkinProp(child, prop::Kj_Jzzts, kDisabledText);
                         if (kind == ButtonKind::CheckBox) SetSkinProp(child, prop::Xzk_dhxg, 1);
                       });
}

}  // namespace

void ButtonSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  // A skinned button is subclassed: another skin's procedure in front would
  // make skinning again save a skin procedure as the one to forward to.
  SkinForEachUnskinnedChild(parent, L"BUTTON", [&](HWND child) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (HasStyleMask(child, BS_OWNERDRAW) || !IsPushButtonStyle(child)) return;
    const ButtonRef button = Skin(record, child, ButtonKind::Vector);
    // All three push types become exactly BS_OWNERDRAW; the parent draws
    // them, the default one with the default look.
    button->DefaultButton = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    SetWindowLongW(child, GWL_STYLE, style | BS_OWNERDRAW);
    InvalidateRect(child, nullptr, TRUE);
  });
}

void CheckRadioSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, L"BUTTON", [&](HWND child) {
    if (!IsAutoRadioButtonStyle(child) && !IsCheckBoxStyle(child)) return;
    if (HasStyleMask(child, BS_OWNERDRAW)) return;
    Skin(record, child, IsCheckBoxStyle(child) ? ButtonKind::CheckBox : ButtonKind::Radio);
    InvalidateRect(child, nullptr, TRUE);
  });
}

}  // namespace korvath::skin
