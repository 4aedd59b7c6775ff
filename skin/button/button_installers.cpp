#include "skin/button/button_installers.h"

#include "skin/button/button_canvas.h"
#include "skin/button/button_lookup.h"
#include "skin/button/button_window_proc.h"
#include "skin/button/image_button_painter.h"
#include "skin/button/image_recolor.h"
#include "skin/button/picture_button_painter.h"
#include "skin/button/vector_button_painter.h"
#include "skin/core/child_walk.h"
#include "skin/core/control_text.h"
#include "skin/core/engine_startup.h"
#include "skin/core/menu_items.h"
#include "skin/core/owner_draw.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

// Registers `child` as a button of `kind` in the record, tags it and puts
// the button procedure in front of its own.
void Skin(int32_t recordIndex, HWND child, ButtonKind kind) {
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  if (!record) return;
  const int32_t number = SkinTakeEntrySlot(record->Buttons);
  const SkinFontInfo font = SkinControlFontMetrics(child);
  SkinButtonEntry& entry = record->Buttons[size_t(number) - 1];
  entry.window = child;
  entry.Kind = kind;
  entry.Caption = GetControlText(child);
  entry.CaptionEffectColor = std::nullopt;
  entry.FontFace = font.face;
  entry.FontSize = font.size;
  entry.FontStyle = font.style;
  SetSkinProp(child, prop::Kj_Jzzts, kDisabledText);
  if (kind == ButtonKind::CheckBox) SetSkinProp(child, prop::Xzk_dhxg, 1);
  entry.savedProc = SkinSubclass(child, {.procedure = &ButtonSkinWndProc, .owner = recordIndex, .number = number});
}

}  // namespace

void RegisterButtonPainters() {
  SkinEngine.options.SkinButtonPainters = {ButtonSkinPaintVector, ButtonSkinPaint, ButtonSkinPaintImage};
  SkinEngine.options.SkinRecolorTickImage = RecolorImageBytes;
}

void ButtonSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  RegisterButtonPainters();
  SkinForEachChild(parent, L"BUTTON", [&](HWND child) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (HasStyleMask(child, BS_OWNERDRAW) || !IsPushButtonStyle(child)) return;
    if (SkinFindControlInRecord(recordIndex, child) > 0) return;
    // Another skin's procedure already stands in front: skinning again would
    // save a skin procedure as the one to forward to.
    if (SkinIsSubclassed(child)) return;
    Skin(recordIndex, child, ButtonKind::Vector);
    // All three push types become exactly BS_OWNERDRAW; the parent draws
    // them, the default one with the default look.
    if (const ButtonRef button = FindButton(child)) {
      button->DefaultButton = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    SetWindowLongW(child, GWL_STYLE, style | BS_OWNERDRAW);
    InvalidateRect(child, nullptr, TRUE);
  });
}

void CheckRadioSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  RegisterButtonPainters();
  SkinForEachChild(parent, L"BUTTON", [&](HWND child) {
    if (!IsAutoRadioButtonStyle(child) && !IsCheckBoxStyle(child)) return;
    if (HasStyleMask(child, BS_OWNERDRAW) || SkinIsSubclassed(child)) return;
    Skin(recordIndex, child, IsCheckBoxStyle(child) ? ButtonKind::CheckBox : ButtonKind::Radio);
    InvalidateRect(child, nullptr, TRUE);
  });
}

}  // namespace korvath::skin
