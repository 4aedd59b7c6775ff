#include "skin/edit/edit_installers.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "skin/core/child_walk.h"
#include "skin/core/colours.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/native_border.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/edit/scroll_bars.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kDisabledText = 0x606060;
constexpr COLORREF kTreeLineColour = 0x808080;
constexpr COLORREF kTreeFillColour = 0xFF8800;

bool HasAll(HWND window, LONG mask) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return (style | mask) == style;
}

// Entry n of a list, looked up again at each use: making an overlay or
// subclassing sends messages, and nothing may hold on to an element meanwhile.
template <class Entry>
Entry& At(std::vector<Entry>& list, int32_t n) {
  return list[size_t(n) - 1];
}

// An edit gets the text colours before its procedure changes.
void SkinEdit(SkinWindowRecord& record, int32_t windowIndex, HWND edit, bool withOverlays) {
  const int32_t number = SkinTakeEntrySlot(record.Edits);
  At(record.Edits, number).window = edit;
  if (withOverlays) {
    HWND v = HasVScrollStyle(edit) ? VScrollOverlayCreate(edit, IsVisibleStyle(edit)) : nullptr;
    HWND h = HasHScrollStyle(edit) ? HScrollOverlayCreate(edit, IsVisibleStyle(edit)) : nullptr;
    At(record.Edits, number).vScrollOverlay = v;
    At(record.Edits, number).hScrollOverlay = h;
  }
  SetSkinProp(edit, prop::Kj_Ztys, 0);
  SetSkinProp(edit, prop::Kj_Jzzts, kDisabledText);
  const WNDPROC previous = SkinSubclass(edit, {.procedure = EditSkinWndProc, .owner = windowIndex, .number = number});
  At(record.Edits, number).savedProc = previous;
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
  At(record.Combos, number).window = combo;
  const WNDPROC previous = SkinSubclass(combo, {.procedure = ComboSkinWndProc, .owner = windowIndex, .number = number});
  At(record.Combos, number).savedProc = previous;
  HWND inner = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (inner && SkinEngine.options.SkinTransparentMode && !SkinIsSubclassed(inner)) SkinEdit(record, windowIndex, inner, false);
}

// One list-type control: its entry, its overlays (list boxes, list views and
// tree views always get both, shown only with their bar and visible); the
// child procedure comes with Subclass.
int32_t SkinChild(SkinWindowRecord& record, HWND control, bool withOverlays) {
  const int32_t number = SkinTakeEntrySlot(record.Children);
  At(record.Children, number).window = control;
  if (withOverlays) {
    HWND v = VScrollOverlayCreate(control, HasVScrollStyle(control) && IsVisibleStyle(control));
    HWND h = HScrollOverlayCreate(control, HasHScrollStyle(control) && IsVisibleStyle(control));
    At(record.Children, number).vScrollOverlay = v;
    At(record.Children, number).hScrollOverlay = h;
  }
  At(record.Children, number).dirty = true;
  return number;
}

void Subclass(SkinWindowRecord& record, int32_t windowIndex, HWND control, int32_t number) {
  const WNDPROC previous = SkinSubclass(control, {.procedure = ChildControlSkinWndProc, .owner = windowIndex, .number = number});
  At(record.Children, number).savedProc = previous;
}

// A tree view also keeps its font and colours in its entry for the tree
// painter.
void SkinTree(SkinWindowRecord& record, int32_t windowIndex, HWND tree) {
  SendMessageW(tree, TVM_SETLINECOLOR, 0, kTreeLineColour);
  const int32_t number = SkinChild(record, tree, true);
  At(record.Children, number).selectedFillColor = kTreeFillColour;
  At(record.Children, number).hotFillColor = kTreeFillColour;
  Subclass(record, windowIndex, tree, number);
  const SkinFontInfo font = SkinControlFontMetrics(tree);
  const auto textColour = static_cast<COLORREF>(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0));
  SkinChildEntry& entry = At(record.Children, number);
  entry.fontFace = font.face.empty() ? std::string(kDefaultFontFace) : font.face;
  entry.fontSize = font.size == 0 ? kDefaultFontSize : font.size;
  entry.fontStyle = font.style;
  entry.textColor = textColour;
  entry.selectedTextColor = kWhite;
}

}  // namespace

void EditComboSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  if (!record) return;
  SkinForEachChild(parent, L"Edit", [&](HWND edit) {
    if (FindEditRecord(recordIndex, edit) > 0 || SkinIsSubclassed(edit)) return;
    SkinEdit(*record, recordIndex, edit, true);
  });
  SkinForEachChild(parent, L"ComboBox", [&](HWND combo) {
    if (!SkinIsSubclassed(combo)) SkinCombo(*record, recordIndex, combo);
  });
}

void ChildControlSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  if (!record) return;
  SkinWindowRecord& r = *record;
  SkinForEachChild(parent, L"ListBox", [&](HWND list) {
    if (!SkinIsSubclassed(list)) Subclass(r, recordIndex, list, SkinChild(r, list, true));
  });
  SkinForEachChild(parent, L"ComboBox", [&](HWND combo) {
    HWND list = FindWindowExW(combo, nullptr, L"ComboLBox", nullptr);
    if (!list || HasAll(list, LBS_OWNERDRAWFIXED) || SkinIsSubclassed(list)) return;
    RemoveNativeBorder(list);
    Subclass(r, recordIndex, list, SkinChild(r, list, false));
  });
  SkinForEachChild(parent, WC_LISTVIEWW, [&](HWND view) {
    if (HasAll(view, LVS_SORTASCENDING) || SkinIsSubclassed(view)) return;
    if (SkinEngine.options.SkinTransparentMode) SendMessageW(view, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
    Subclass(r, recordIndex, view, SkinChild(r, view, true));
  });
  SkinForEachChild(parent, WC_TREEVIEWW, [&](HWND tree) {
    if (!SkinIsSubclassed(tree)) SkinTree(r, recordIndex, tree);
  });
  SkinForEachChild(parent, WC_IPADDRESSW, [&](HWND address) {
    if (SkinIsSubclassed(address)) return;
    Subclass(r, recordIndex, address, SkinChild(r, address, false));
    if (!SkinEngine.options.SkinTransparentMode) return;
    SkinForEachChild(address, L"Edit", [&](HWND field) {
      if (!SkinIsSubclassed(field)) SkinEdit(r, recordIndex, field, false);
    });
  });
  SkinForEachChild(parent, DATETIMEPICK_CLASSW, [&](HWND picker) {
    if (!SkinIsSubclassed(picker)) Subclass(r, recordIndex, picker, SkinChild(r, picker, false));
  });
}

void TransparentChildSkinInstall(int32_t recordIndex, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachChild(parent, nullptr, [&](HWND child) {
    if (!IsWindowExTransparent(child) || SkinIsSubclassed(child)) return;
    const std::string cls = SkinGetClassNameText(child);
    if (cls == "RichEdit20A" || cls == "Edit") return;
    SetSkinProp(child, prop::Kj_Ztys, 0);
    SetSkinProp(child, prop::Kj_Jzzts, kDisabledText);
    (void)SkinSubclass(child, {.procedure = TransparentChildSkinWndProc, .owner = recordIndex, .number = 0});
  });
}

}  // namespace korvath::skin
