#include "skin/edit/edit_installers.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/message_params.h"
#include "skin/core/child_walk.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_startup.h"
#include "skin/core/entry_install.h"
#include "skin/core/native_border.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/scroll_bar_slot.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kTreeLineColour = 0x808080;
constexpr COLORREF kTreeFillColour = 0xFF8800;

// An edit gets the text colours before its procedure changes. (Making an
// overlay sends messages: the entry is held by its number meanwhile.)
void SkinEdit(SkinWindowRecord& record, HWND edit, bool withOverlays) {
  SkinTakeEntry(record, &SkinWindowRecord::Edits, edit, {.procedure = EditSkinWndProc},
                [&](const SkinFoundEntry<SkinEditEntry>& entry) {
                  if (withOverlays) {
                    HWND v = HasVScrollStyle(edit) ? VScrollOverlayCreate(record, edit, IsVisibleStyle(edit)) : nullptr;
                    HWND h = HasHScrollStyle(edit) ? HScrollOverlayCreate(record, edit, IsVisibleStyle(edit)) : nullptr;
                    entry->vScrollOverlay = v;
                    entry->hScrollOverlay = h;
                  }
                  SetSkinProp(edit, prop::Kj_Ztys, 0);
                  SetSkinProp(edit, prop::Kj_Jzzts, kDisabledText);
                });
}

// The combo box's text is put back from its selected item before the skin
// takes over its painting.
void ReapplySelection(HWND combo) {
  const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) return;
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
  if (length < 0) return;
  std::wstring text(size_t(length) + 1, L' ');
  platform::SendWithPointer(combo, CB_GETLBTEXT, WPARAM(index), text.data());
  platform::SendWithPointer(combo, WM_SETTEXT, 0, text.c_str());
}

void SkinCombo(SkinWindowRecord& record, HWND combo) {
  // Its messages reach the combo box before its skin does.
  ReapplySelection(combo);
  SkinTakeEntry(record, &SkinWindowRecord::Combos, combo, {.procedure = ComboSkinWndProc});
  HWND inner = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (inner && SkinEngine.options.SkinTransparentMode && !SkinIsSubclassed(inner)) SkinEdit(record, inner, false);
}

// One list-type control: its entry, its overlays (list boxes, list views and
// tree views always get both, shown only with their bar and visible), then
// the child procedure. `fill` adds what its kind keeps.
template <class Fill>
SkinFoundEntry<SkinChildEntry> SkinChild(SkinWindowRecord& record, HWND control, bool withOverlays, Fill fill) {
  return SkinTakeEntry(record, &SkinWindowRecord::Children, control, {.procedure = ChildControlSkinWndProc},
                       [&](const SkinFoundEntry<SkinChildEntry>& entry) {
                         if (withOverlays) {
                           HWND v = VScrollOverlayCreate(record, control,
                                                         HasVScrollStyle(control) && IsVisibleStyle(control));
                           HWND h = HScrollOverlayCreate(record, control,
                                                         HasHScrollStyle(control) && IsVisibleStyle(control));
                           entry->vScrollOverlay = v;
                           entry->hScrollOverlay = h;
                         }
                         entry->dirty = true;
                         fill(entry);
                       });
}

SkinFoundEntry<SkinChildEntry> SkinChild(SkinWindowRecord& record, HWND control, bool withOverlays) {
  return SkinChild(record, control, withOverlays, [](const SkinFoundEntry<SkinChildEntry>&) {});
}

// A tree view also keeps its font and colours in its entry for the tree
// painter.
void SkinTree(SkinWindowRecord& record, HWND tree) {
  SendMessageW(tree, TVM_SETLINECOLOR, 0, kTreeLineColour);
  const SkinFoundEntry<SkinChildEntry> entry = SkinChild(record, tree, true, [](const SkinFoundEntry<SkinChildEntry>& e) {
    e->selectedFillColor = kTreeFillColour;
    e->hotFillColor = kTreeFillColour;
  });
  // Read once the skin stands in front: these messages pass its procedure.
  const SkinFontInfo font = SkinControlFontMetrics(tree);
  const auto textColour = static_cast<COLORREF>(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0));
  entry->fontFace = font.face.empty() ? std::string(kDefaultFontFace) : font.face;
  entry->fontSize = font.size == 0 ? kDefaultFontSize : font.size;
  entry->fontStyle = font.style;
  entry->textColor = textColour;
  entry->selectedTextColor = kWhite;
}

}  // namespace

void EditComboSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, L"Edit", [&](HWND edit) { SkinEdit(record, edit, true); });
  SkinForEachUnskinnedChild(parent, L"ComboBox", [&](HWND combo) { SkinCombo(record, combo); });
}

void ChildControlSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, L"ListBox", [&](HWND list) { SkinChild(record, list, true); });
  // The combo box itself carries its own skin: its list is the one looked at.
  SkinForEachChild(parent, L"ComboBox", [&](HWND combo) {
    HWND list = FindWindowExW(combo, nullptr, L"ComboLBox", nullptr);
    if (!list || HasStyleMask(list, LBS_OWNERDRAWFIXED) || SkinIsSubclassed(list)) return;
    RemoveNativeBorder(list);
    SkinChild(record, list, false);
  });
  SkinForEachUnskinnedChild(parent, WC_LISTVIEWW, [&](HWND view) {
    if (HasStyleMask(view, LVS_SORTASCENDING)) return;
    if (SkinEngine.options.SkinTransparentMode) SendMessageW(view, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
    SkinChild(record, view, true);
  });
  SkinForEachUnskinnedChild(parent, WC_TREEVIEWW, [&](HWND tree) { SkinTree(record, tree); });
  SkinForEachUnskinnedChild(parent, WC_IPADDRESSW, [&](HWND address) {
    SkinChild(record, address, false);
    if (!SkinEngine.options.SkinTransparentMode) return;
    SkinForEachUnskinnedChild(address, L"Edit", [&](HWND field) { SkinEdit(record, field, false); });
  });
  SkinForEachUnskinnedChild(parent, DATETIMEPICK_CLASSW, [&](HWND picker) { SkinChild(record, picker, false); });
}

void TransparentChildSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  const int32_t recordNumber = SkinRecordNumber(record);
  SkinForEachUnskinnedChild(parent, nullptr, [&](HWND child) {
    if (!IsWindowExTransparent(child)) return;
    const std::string cls = SkinGetClassNameText(child);
    if (cls == "RichEdit20A" || cls == "Edit") return;
    SetSkinProp(child, prop::Kj_Ztys, 0);
    SetSkinProp(child, prop::Kj_Jzzts, kDisabledText);
    (void)SkinSubclass(child,
                       {.procedure = TransparentChildSkinWndProc, .ownerNumber = recordNumber, .entryNumber = 0});
  });
}

}  // namespace korvath::skin
