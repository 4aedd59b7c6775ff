// Control colours, activation, commands and notifications of the skinned
// form's procedure.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/gdi_object.h"
#include "skin/core/callbacks.h"
#include "skin/core/control_background.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/layered_window.h"
#include "skin/core/menu_items.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/edit/scroll_bars.h"
#include "skin/window/form_messages.h"
#include "skin/window/working_set_trim.h"

namespace korvath::skin {

namespace {

HWND Control(const SkinMessage& m) { return reinterpret_cast<HWND>(m.lParam); }
HDC ControlDC(const SkinMessage& m) { return reinterpret_cast<HDC>(m.wParam); }
bool TransparentSkin() { return SkinEngine.options.SkinEnabled && SkinEngine.options.SkinTransparentMode; }

void SetTextColours(HDC dc, HWND control) {
  const SkinProp colour = IsWindowEnabled(control) ? prop::Kj_Ztys : prop::Kj_Jzzts;
  SetTextColor(dc, COLORREF(GetSkinProp(control, colour)));
  SetBkMode(dc, TRANSPARENT);
}

// The control's background as the form shows it under the control, as a
// brush; the control keeps brush and bitmap until the next one replaces them.
LRESULT TransparentControlColour(HDC dc, HWND control) {
  SetTextColours(dc, control);
  platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(control);
  platform::GdiBrush brush(CreatePatternBrush(bitmap.get()));
  const HBRUSH handed = brush.get();
  SkinReplaceControlBrush(control, std::move(brush), std::move(bitmap));
  return reinterpret_cast<LRESULT>(handed);
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
  const SkinRoutine& handler = SkinEngine.lists.MenuItemList[size_t(entry) - 1].itemHandler;
  if (handler) CallFunctionPointer(handler, {id % 10000});
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

LRESULT OnCtlColorEditOrStatic(const SkinMessage& m) {
  if (m.message == WM_CTLCOLOREDIT && SkinGetClassNameText(GetParent(Control(m))) == "ComboBox") return m.Forward();
  if (!TransparentSkin()) return m.Forward();
  return TransparentControlColour(ControlDC(m), Control(m));
}

LRESULT OnCtlColorListBox(const SkinMessage& m) {
  HWND control = Control(m);
  const std::string cls = SkinGetClassNameText(control);
  const bool listBox = cls == "ListBox" && SkinEngine.options.SkinEnabled;
  const bool dropDown = cls == "ComboLBox" && SkinEngine.options.SkinTransparentMode;
  if (!listBox && !dropDown) return m.Forward();
  SetTextColor(ControlDC(m), COLORREF(GetSkinProp(control, prop::Kj_Ztys)));
  SetBkMode(ControlDC(m), TRANSPARENT);
  if (dropDown && GetParent(control) == GetDesktopWindow()) SkinLayerDropDownList(control);
  platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(control);
  platform::GdiBrush brush(CreatePatternBrush(bitmap.get()));
  const HBRUSH handed = brush.get();
  SkinReplaceControlBrush(control, std::move(brush), platform::GdiBitmap());
  return reinterpret_cast<LRESULT>(handed);
}

LRESULT OnCtlColorButton(const SkinMessage& m) {
  if (!TransparentSkin()) return m.Forward();
  HWND control = Control(m);
  SetTextColours(ControlDC(m), control);
  // The stock hollow brush is nobody's to delete, so it is not kept.
  SkinDeleteControlBrush(control);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT OnActivateApp(const SkinMessage& m) {
  if (SkinWindowRecord* r = RecordOf(m)) {
    if (m.wParam == 0) r->Active = false;
    if (m.wParam == 1) r->Active = true;
  }
  SkinTrimOnActivateApp(m.wParam != 0);
  return m.Forward();
}

LRESULT OnActivate(const SkinMessage& m) {
  if (SkinWindowRecord* r = RecordOf(m)) r->Active = LOWORD(m.wParam) != WA_INACTIVE;
  return m.Forward();
}

LRESULT OnCommand(const SkinMessage& m) {
  if (m.lParam == 0) RunMenuCommand(m.wParam);
  if (m.lParam && TransparentSkin()) RepaintChildOnCommand(Control(m), HIWORD(m.wParam));
  return m.Forward();
}

LRESULT OnNotify(const SkinMessage& m) {
  if (!m.lParam) return m.Forward();
  NMHDR header{};
  SIZE_T read = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(m.lParam), &header, sizeof(header), &read))
    return m.Forward();
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

}  // namespace korvath::skin
