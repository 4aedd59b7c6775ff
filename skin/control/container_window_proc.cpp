// The container's window procedure: it keeps the dirty flags of its cached
// look, answers its children's colour, draw-item and notification messages,
// and removes the container's skin when the window goes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/gdi_object.h"
#include "skin/control/container_paint.h"
#include "skin/control/container_skin.h"
#include "skin/core/callback_list.h"
#include "skin/core/callbacks.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/layered_window.h"
#include "skin/core/child_layout.h"
#include "skin/core/menu_items.h"
#include "skin/core/owner_draw.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/edit/scroll_bars.h"

namespace korvath::skin {

namespace {

// The container's record and entry, as its Hw_FuID and Hw_lbID name them;
// null when either no longer leads to this window.
using Container = SkinEntryRef<SkinContainerEntry>;

Container FindContainer(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Containers); }

bool Framed(const Container& c) { return c && c->framed; }

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinForward(window, message, wParam, lParam);
}

bool IsClass(HWND window, const char* name) { return SkinGetClassNameText(window) == name; }

// ---- message handlers ------------------------------------------------------------

LRESULT OnShown(const Container& c, HWND window, WPARAM wParam, LPARAM lParam) {
  PassOn(window, WM_SHOWWINDOW, wParam, lParam);
  if (Framed(c)) c->rebuild = true;
  return DefWindowProcW(window, WM_SHOWWINDOW, wParam, lParam);
}

bool Stale(const Container& c) { return c->rebuild || c->childChanged; }

// The one painter of a framed container's client, for WM_PAINT and
// WM_PRINTCLIENT, onto `dc`, which clips it to what is dirty: a stale look
// is painted in full, a clean one is one copy from the child layer.
void Paint(const Container& c, HWND window, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  if (Stale(c)) {
    ContainerSkinPaint(c.owner, c.number, dc);
  } else {
    SkinRefreshWindowDefault(c.owner, c.number, window, dc, true);
  }
}

// After a copy from the layer, see-through children paint over it again.
LRESULT OnPaint(const Container& c, HWND window) {
  const bool stale = Stale(c);
  {
    platform::PaintScope paint(window);
    Paint(c, window, paint.dc(), paint.dirty());
  }
  if (!stale) SkinRedrawChildren(window);
  return 0;
}

LRESULT OnPrintClient(const Container& c, HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  Paint(c, window, dc, client);
  return 0;
}

void OnMoved(const Container& c, HWND window) {
  if (!Framed(c)) return;
  c->rebuild = true;
  InvalidateBackgroundCaches(*c.record);
  InvalidateRect(window, nullptr, FALSE);
}

// The background is never erased here; a framed container whose look is clean
// rebuilds it while its top-level window is active and not being sized.
LRESULT OnEraseBackground(const Container& c, HDC dc) {
  if (Framed(c) && !c->rebuild && !c.record->Sizing && c.record->Active) {
    c->rebuild = true;
  }
  SetBkMode(dc, TRANSPARENT);
  return 1;
}

// True when the item was a skinned control or menu item and has been drawn.
bool OnDrawItem(const Container& c, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (!item) return false;
  const HWND control = item->hwndItem;
  const bool skinned = GetSkinProp(control, prop::Hw_FuID) > 0 &&
                       GetSkinProp(control, prop::Hw_lbID) > 0;
  if (!skinned && MenuSkinItemFind(reinterpret_cast<HMENU>(control)) <= 0) return false;
  if (c.record) SkinDrawItem(*c.record, *item);
  return true;
}

void SetControlTextColour(HDC dc, HWND control) {
  const SkinProp colour = IsWindowEnabled(control) ? prop::Kj_Ztys : prop::Kj_Jzzts;
  SetTextColor(dc, COLORREF(GetSkinProp(control, colour)));
}

LRESULT ControlBrush(HDC dc, HWND control) {
  SetControlTextColour(dc, control);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(SkinControlBackgroundBrush(control));
}

// An open drop-down list becomes a see-through layered window, listed once.
LRESULT ListBrush(HDC dc, HWND list) {
  SetTextColor(dc, COLORREF(GetSkinProp(list, prop::Kj_Ztys)));
  SetBkMode(dc, TRANSPARENT);
  if (IsClass(list, "ComboLBox") && GetParent(list) == GetDesktopWindow()) SkinLayerDropDownList(list);
  return reinterpret_cast<LRESULT>(SkinControlBackgroundBrush(list));
}

bool SeeThroughSkin() { return SkinEngine.options.SkinEnabled && SkinEngine.options.SkinTransparentMode; }

// The brush of a WM_CTLCOLOR message, or nullopt when the message goes on.
std::optional<LRESULT> OnControlColour(UINT message, HDC dc, HWND control) {
  switch (message) {
    case WM_CTLCOLOREDIT:
      if (SeeThroughSkin() && !IsClass(GetParent(control), "ComboBox")) {
        return ControlBrush(dc, control);
      }
      return std::nullopt;
    case WM_CTLCOLORSTATIC:
      if (SeeThroughSkin()) return ControlBrush(dc, control);
      return std::nullopt;
    case WM_CTLCOLORLISTBOX:
      if ((SkinEngine.options.SkinEnabled && IsClass(control, "ListBox")) ||
          (IsClass(control, "ComboLBox") && !SkinIsOwnerDrawListBox(control) &&
           SkinEngine.options.SkinTransparentMode)) {
        return ListBrush(dc, control);
      }
      return std::nullopt;
    case WM_CTLCOLORBTN:
      if (!SeeThroughSkin()) return std::nullopt;
      SetControlTextColour(dc, control);
      SetBkMode(dc, TRANSPARENT);
      SkinDeleteControlBrush(control);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    default:
      return std::nullopt;
  }
}

void OnSized(const Container& c) {
  if (!c) return;
  c->rebuild = true;
  SkinLayoutChildren(*c);
}

// See-through controls repaint after changes that their own painting misses,
// and the scroll-bar overlays of edits follow their bars.
void OnCommand(WPARAM wParam, HWND control) {
  if (!SeeThroughSkin() || !control) return;
  const UINT code = HIWORD(wParam);
  const std::string cls = SkinGetClassNameText(control);
  if (cls == "RichEdit20A") {
    if (code == EN_VSCROLL) VScrollPaint(control);
    if (code == EN_HSCROLL) HScrollPaint(control);
  } else if (cls == "Edit") {
    if (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_UPDATE) InvalidateRect(control, nullptr, TRUE);
    if (code == EN_CHANGE) SkinRepaintEditOverlays(control);
  } else if (cls == "ListBox" || cls == "ComboLBox") {
    if (code == LBN_SELCHANGE || code == LBN_SELCANCEL) InvalidateRect(control, nullptr, TRUE);
  } else if (cls == "ComboBox") {
    if (code == CBN_KILLFOCUS || code == CBN_SELCHANGE) InvalidateRect(control, nullptr, TRUE);
  }
}

// Marks the container entry of a registered tab control for a rebuild.
void RebuildTabContainer(HWND tab) {
  if (SkinContainerEntry* entry = SkinFindEntry(tab, &SkinWindowRecord::Containers).get()) entry->rebuild = true;
}

void OnNotify(LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header) return;
  const HWND sender = header->hwndFrom;
  switch (int(header->code)) {
    case int(TVN_ITEMEXPANDEDA):
    case int(TVN_ITEMEXPANDINGA):
      InvalidateRect(sender, nullptr, TRUE);
      break;
    case int(TCN_SELCHANGING):
      RebuildTabContainer(sender);
      break;
    case int(UDN_DELTAPOS):
      if (IsClass(GetParent(sender), "SysTabControl32")) RebuildTabContainer(GetParent(sender));
      break;
    default:
      break;
  }
}

BOOL CALLBACK DropKeptBrush(HWND child, LPARAM) {
  SkinDeleteControlBrush(child);
  return TRUE;
}

}  // namespace

LRESULT CALLBACK ContainerSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Container c = FindContainer(window);
  switch (message) {
    case WM_NCDESTROY:          if (c) UnskinContainer(c.owner, c.number); break;
    case WM_SHOWWINDOW:         if (wParam == 1) return OnShown(c, window, wParam, lParam); break;
    case WM_WINDOWPOSCHANGING:  SkinMarkParentDirty(window); break;
    case WM_PARENTNOTIFY:       SkinNoteLayoutChange(); break;
    case WM_MOVE:               OnMoved(c, window); break;
    case WM_PAINT:              if (Framed(c)) return OnPaint(c, window); break;
    case WM_PRINTCLIENT:        if (Framed(c)) return OnPrintClient(c, window, reinterpret_cast<HDC>(wParam)); break;
    case WM_ERASEBKGND:         return OnEraseBackground(c, reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM:           if (OnDrawItem(c, lParam)) return TRUE; break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (const auto brush = OnControlColour(message, reinterpret_cast<HDC>(wParam),
                                             reinterpret_cast<HWND>(lParam))) {
        return *brush;
      }
      break;
    case WM_SIZE:               OnSized(c); break;
    case WM_COMMAND:            OnCommand(wParam, reinterpret_cast<HWND>(lParam)); break;
    case WM_NOTIFY:             OnNotify(lParam); break;
    default:                    break;
  }
  return PassOn(window, message, wParam, lParam);
}

void UnskinContainer(int recordNumber, int entryNumber) {
  SkinWindowRecord* record = SkinRecordAt(recordNumber);
  if (!record) return;
  SkinContainerEntry* entry = SkinEntryAt(record->Containers, entryNumber);
  if (!entry) return;
  const HWND window = entry->window;
  SkinUnsubclass(window);
  record->Containers.erase(record->Containers.begin() + (entryNumber - 1));
  for (size_t i = 0; i < record->Containers.size(); ++i) {
    SetSkinProp(record->Containers[i].window, prop::Hw_lbID, LONG_PTR(i + 1));
  }
}

void InvalidateBackgroundCaches(SkinWindowRecord& record, bool containersOnly) {
  for (SkinContainerEntry& entry : record.Containers) {
    entry.rebuild = true;
    entry.childChanged = true;
  }
  if (containersOnly) return;
  for (SkinToolbarEntry& entry : record.Toolbars) entry.repaint = true;
  for (SkinLabelEntry& entry : record.Labels) entry.dirty = true;
  for (SkinChildEntry& entry : record.Children) entry.dirty = true;
  // The kept brushes show the background as it was.
  EnumChildWindows(record.Window, DropKeptBrush, 0);
  const int32_t recordNumber = SkinRecordNumber(record);
  for (size_t n = 1; n <= SkinEngine.lists.SkinCallbackList.size(); ++n) {
    const HWND panel = SkinEngine.lists.SkinCallbackList[n - 1].window;
    if (panel && GetSkinProp(panel, prop::Hw_FuID) == recordNumber) SkinInvokeCallback(int32_t(n), 1, 1, 0);
  }
}

void InvalidateBackgroundCaches(HWND window, std::optional<bool> containersOnly) {
  if (SkinWindowRecord* record = SkinRecordAt(int32_t(GetSkinProp(window, prop::Hw_lbID)))) {
    InvalidateBackgroundCaches(*record, containersOnly.value_or(false));
  }
}

}  // namespace korvath::skin
