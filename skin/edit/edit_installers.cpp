#include "skin/edit/edit_installers.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "skin/core/clipped_dc.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/native_border.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/edit/control_entry_lookup.h"
#include "skin/edit/scroll_bars.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kDisabledText = 0x606060;
constexpr COLORREF kTreeLineColour = 0x808080;
constexpr COLORREF kTreeFillColour = 0xFF8800;
constexpr COLORREF kWhite = 0xFFFFFF;

// The direct children of one class (every class: null), in Z order.
template <class Visit>
void ForEachChildOfClass(HWND parent, const wchar_t* cls, Visit visit) {
  for (HWND child = FindWindowExW(parent, nullptr, cls, nullptr); child;
       child = FindWindowExW(parent, child, cls, nullptr)) {
    visit(child);
  }
}

bool HasAll(HWND window, LONG mask) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return (style | mask) == style;
}

// An edit gets the text colours before its procedure changes.
void SkinEdit(SkinWindowRecord& record, int32_t windowIndex, HWND edit, bool withOverlays) {
  const int32_t number = SkinTakeEntrySlot(record.Edits);
  record.Edits[size_t(number) - 1].hwnd = edit;
  if (withOverlays) {
    HWND v = HasVScrollStyle(edit) ? VScrollOverlayCreate(edit, IsVisibleStyle(edit)) : nullptr;
    HWND h = HasHScrollStyle(edit) ? HScrollOverlayCreate(edit, IsVisibleStyle(edit)) : nullptr;
    record.Edits[size_t(number) - 1].vScrollOverlay = v;
    record.Edits[size_t(number) - 1].hScrollOverlay = h;
  }
  SetSkinProp(edit, prop::Kj_Ztys, 0);
  SetSkinProp(edit, prop::Kj_Jzzts, kDisabledText);
  record.Edits[size_t(number) - 1].oldProc = SkinSubclassControl(edit, EditSkinWndProc, number, windowIndex);
}

// The combo box's text is put back from its selected item before the skin
// takes over its painting.
void ReapplySelection(HWND combo) {
  const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) return;
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
  if (length < 0) return;
  std::wstring text(size_t(length) + 1, L' ');
  SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SkinCombo(SkinWindowRecord& record, int32_t windowIndex, HWND combo) {
  const int32_t number = SkinTakeEntrySlot(record.Combos);
  ReapplySelection(combo);
  record.Combos[size_t(number) - 1].hwnd = combo;
  record.Combos[size_t(number) - 1].oldProc = SkinSubclassControl(combo, ComboSkinWndProc, number, windowIndex);
  HWND inner = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (inner && SkinTransparentMode && !SkinIsSubclassed(inner)) SkinEdit(record, windowIndex, inner, false);
}

// One list-type control: its entry, its overlays (list boxes, list views and
// tree views always get both, shown only with their bar and visible), and
// the child procedure.
int32_t SkinChild(SkinWindowRecord& record, int32_t windowIndex, HWND control, bool withOverlays) {
  const int32_t number = SkinTakeEntrySlot(record.Children);
  record.Children[size_t(number) - 1].hwnd = control;
  if (withOverlays) {
    HWND v = VScrollOverlayCreate(control, HasVScrollStyle(control) && IsVisibleStyle(control));
    HWND h = HScrollOverlayCreate(control, HasHScrollStyle(control) && IsVisibleStyle(control));
    record.Children[size_t(number) - 1].vScrollOverlay = v;
    record.Children[size_t(number) - 1].hScrollOverlay = h;
  }
  record.Children[size_t(number) - 1].dirty = true;
  return number;
}

void Subclass(SkinWindowRecord& record, int32_t windowIndex, HWND control, int32_t number) {
  record.Children[size_t(number) - 1].oldProc =
      SkinSubclassControl(control, ChildControlSkinWndProc, number, windowIndex);
}

void SkinTree(SkinWindowRecord& record, int32_t windowIndex, HWND tree) {
  SendMessageW(tree, TVM_SETLINECOLOR, 0, kTreeLineColour);
  const int32_t number = SkinChild(record, windowIndex, tree, true);
  SkinChildEntry& entry = record.Children[size_t(number) - 1];
  entry.selectedFillColor = kTreeFillColour;
  entry.hotFillColor = kTreeFillColour;
  Subclass(record, windowIndex, tree, number);
  const SkinFontInfo font = SkinControlFontMetrics(tree);
  SkinChildEntry& same = record.Children[size_t(number) - 1];
  same.fontFace = font.face.empty() ? std::string(kDefaultFontFace) : font.face;
  same.fontSize = font.size == 0 ? kDefaultFontSize : font.size;
  same.fontStyle = font.style;
  same.textColor = static_cast<COLORREF>(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0));
  same.selectedTextColor = kWhite;
}

}  // namespace

void EditComboSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEnabled) return;
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  if (!record) return;
  ForEachChildOfClass(parent, L"Edit", [&](HWND edit) {
    if (FindEditRecord(recordIndex, edit) > 0 || SkinIsSubclassed(edit)) return;
    SkinEdit(*record, recordIndex, edit, true);
  });
  ForEachChildOfClass(parent, L"ComboBox", [&](HWND combo) {
    if (!SkinIsSubclassed(combo)) SkinCombo(*record, recordIndex, combo);
  });
}

void ChildControlSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEnabled) return;
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  if (!record) return;
  SkinWindowRecord& r = *record;
  ForEachChildOfClass(parent, L"ListBox", [&](HWND list) {
    if (!SkinIsSubclassed(list)) Subclass(r, recordIndex, list, SkinChild(r, recordIndex, list, true));
  });
  ForEachChildOfClass(parent, L"ComboBox", [&](HWND combo) {
    HWND list = FindWindowExW(combo, nullptr, L"ComboLBox", nullptr);
    if (!list || HasAll(list, LBS_OWNERDRAWFIXED) || SkinIsSubclassed(list)) return;
    RemoveNativeBorder(list);
    Subclass(r, recordIndex, list, SkinChild(r, recordIndex, list, false));
  });
  ForEachChildOfClass(parent, WC_LISTVIEWW, [&](HWND view) {
    if (HasAll(view, LVS_SORTASCENDING) || SkinIsSubclassed(view)) return;
    if (SkinTransparentMode) SendMessageW(view, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
    Subclass(r, recordIndex, view, SkinChild(r, recordIndex, view, true));
  });
  ForEachChildOfClass(parent, WC_TREEVIEWW, [&](HWND tree) {
    if (!SkinIsSubclassed(tree)) SkinTree(r, recordIndex, tree);
  });
  ForEachChildOfClass(parent, WC_IPADDRESSW, [&](HWND address) {
    if (SkinIsSubclassed(address)) return;
    Subclass(r, recordIndex, address, SkinChild(r, recordIndex, address, false));
    if (!SkinTransparentMode) return;
    ForEachChildOfClass(address, L"Edit", [&](HWND field) {
      if (!SkinIsSubclassed(field)) SkinEdit(r, recordIndex, field, false);
    });
  });
  ForEachChildOfClass(parent, DATETIMEPICK_CLASSW, [&](HWND picker) {
    if (!SkinIsSubclassed(picker)) Subclass(r, recordIndex, picker, SkinChild(r, recordIndex, picker, false));
  });
}

void TransparentChildSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEnabled) return;
  ForEachChildOfClass(parent, nullptr, [&](HWND child) {
    if (!IsWindowExTransparent(child) || SkinIsSubclassed(child)) return;
    const std::string cls = SkinGetClassNameText(child);
    if (cls == "RichEdit20A" || cls == "Edit") return;
    SetSkinProp(child, prop::Kj_Ztys, 0);
    SetSkinProp(child, prop::Kj_Jzzts, kDisabledText);
    SkinSubclassControl(child, TransparentChildSkinWndProc, 0, recordIndex);
  });
}

}  // namespace korvath::skin
