// Control colours, activation, commands, notifications and owner-drawn items
// of the skinned form's procedure.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "platform/gdi_object.h"
#include "skin/control/owner_draw.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/layered_window.h"
#include "skin/core/skin_routine.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/scroll_bars.h"
#include "skin/form/form_messages.h"
#include "skin/form/working_set_trim.h"
#include "skin/menu/menu_items.h"

namespace korvath::skin {

namespace {

bool TransparentSkin() { return SkinEngine.options.SkinEnabled && SkinEngine.options.SkinTransparentMode; }

void SetTextColours(HDC dc, HWND control) {
  const SkinProp colour = IsWindowEnabled(control) ? prop::Kj_Ztys : prop::Kj_Jzzts;
  SetTextColor(dc, COLORREF(GetSkinProp(control, colour)));
  SetBkMode(dc, TRANSPARENT);
}

// The control's background as the form `r` shows it under the control, as
// a brush; the control keeps brush and bitmap until the next one replaces
// them.
LRESULT TransparentControlColour(const SkinWindowRecord& r, HDC dc, HWND control) {
  SetTextColours(dc, control);
  platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(r, control);
  platform::GdiBrush brush(CreatePatternBrush(bitmap.get()));
  const HBRUSH handed = brush.get();
  SkinReplaceControlBrush(control, std::move(brush), std::move(bitmap));
  return SkinMessage::Answer(handed);
}

void MarkContainerDirty(HWND window) {
  if (SkinContainerEntry* entry = SkinFindEntry(window, &SkinWindowRecord::Containers).get()) entry->rebuild = true;
}

// A command of a described popup menu: the identifier in decimal is the
// menu's number followed by four digits of item number.
void RunMenuCommand(WPARAM wParam) {
  const auto id = static_cast<int32_t>(wParam);
  if (id < 10000) return;  // four digits or fewer name no menu
  const int32_t entry = id / 10000;
  if (entry < 1 || size_t(entry) > SkinEngine.lists.MenuItemList.size()) return;
  CallFunctionPointer(SkinEngine.lists.MenuItemList[size_t(entry) - 1].itemHandler, {id % 10000});
}

void RepaintChildOnCommand(HWND control, UINT code) {
  const std::string cls = SkinGetClassNameText(control);
  if (cls == "RichEdit20A" && code == EN_VSCROLL) VScrollPaint(control);
  if (cls == "RichEdit20A" && code == EN_HSCROLL) HScrollPaint(control);
  if (cls == "Edit" && (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_UPDATE || code == EN_CHANGE))
    InvalidateRect(control, nullptr, TRUE);
  if (cls == "Edit" && code == EN_CHANGE) SkinRepaintEditOverlays(control);
  else if ((cls == "ListBox" || cls == "ComboLBox") && (code == LBN_SELCHANGE || code == LBN_SELCANCEL))
    InvalidateRect(control, nullptr, TRUE);
  else if (cls == "ComboBox" && (code == CBN_SELCHANGE || code == CBN_KILLFOCUS))
    InvalidateRect(control, nullptr, TRUE);
}

}  // namespace

LRESULT OnCtlColorEditOrStatic(const SkinMessage& m, const SkinWindowRecord& r) {
  if (m.message == WM_CTLCOLOREDIT && SkinGetClassNameText(GetParent(m.control())) == "ComboBox") return m.Forward();
  if (!TransparentSkin()) return m.Forward();
  return TransparentControlColour(r, m.dc(), m.control());
}

LRESULT OnCtlColorListBox(const SkinMessage& m) {
  HWND control = m.control();
  const std::string cls = SkinGetClassNameText(control);
  const bool listBox = cls == "ListBox" && SkinEngine.options.SkinEnabled;
  const bool dropDown = cls == "ComboLBox" && SkinEngine.options.SkinTransparentMode;
  if (!listBox && !dropDown) return m.Forward();
  SetTextColor(m.dc(), COLORREF(GetSkinProp(control, prop::Kj_Ztys)));
  SetBkMode(m.dc(), TRANSPARENT);
  if (dropDown && GetParent(control) == GetDesktopWindow()) SkinLayerDropDownList(control);
  platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(control);
  platform::GdiBrush brush(CreatePatternBrush(bitmap.get()));
  const HBRUSH handed = brush.get();
  SkinReplaceControlBrush(control, std::move(brush), platform::GdiBitmap());
  return SkinMessage::Answer(handed);
}

LRESULT OnCtlColorButton(const SkinMessage& m) {
  if (!TransparentSkin()) return m.Forward();
  HWND control = m.control();
  SetTextColours(m.dc(), control);
  // The stock hollow brush is nobody's to delete, so it is not kept.
  SkinDeleteControlBrush(control);
  return SkinMessage::Answer(GetStockObject(NULL_BRUSH));
}

LRESULT OnActivateApp(const SkinMessage& m, SkinWindowRecord& r) {
  if (m.wParam == 0) r.Active = false;
  if (m.wParam == 1) r.Active = true;
  SkinTrimOnActivateApp(m.wParam != 0);
  return m.Forward();
}

LRESULT OnActivate(const SkinMessage& m, SkinWindowRecord& r) {
  r.Active = LOWORD(m.wParam) != WA_INACTIVE;
  return m.Forward();
}

LRESULT OnCommand(const SkinMessage& m) {
  if (m.lParam == 0) RunMenuCommand(m.wParam);
  if (m.lParam && TransparentSkin()) RepaintChildOnCommand(m.control(), m.notification());
  return m.Forward();
}

LRESULT OnNotify(const SkinMessage& m) {
  const std::optional<NMHDR> notified = m.notifyCopy();
  if (!notified) return m.Forward();
  const NMHDR& header = *notified;
  const auto code = static_cast<int>(header.code);
  if (code == int(TVN_ITEMEXPANDEDA) || code == int(TVN_ITEMEXPANDINGA)) {
    InvalidateRect(header.hwndFrom, nullptr, TRUE);
  } else if (code == int(TCN_SELCHANGING)) {
    MarkContainerDirty(header.hwndFrom);
  } else if (code == int(UDN_DELTAPOS)) {
    HWND parent = GetParent(header.hwndFrom);
    if (SkinGetClassNameText(parent) == "SysTabControl32") MarkContainerDirty(parent);
  }
  return m.Forward();
}

LRESULT OnDrawItem(const SkinMessage& m, SkinWindowRecord& r) {
  if (!m.drawItem()) return m.Forward();
  const DRAWITEMSTRUCT item = *m.drawItem();
  if (!SkinDrawsItem(item)) return m.Forward();
  SkinDrawItem(r, item);
  return 1;
}

}  // namespace korvath::skin
