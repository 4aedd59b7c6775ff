// The container's window procedure: it keeps the dirty flags of its cached
// look, answers its children's colour, draw-item and notification messages,
// and removes the container's skin when the window goes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/gdi_object.h"
#include "skin/control/container_paint.h"
#include "skin/control/container_skin.h"
#include "skin/control/owner_draw.h"
#include "skin/core/callback_list.h"
#include "skin/core/callbacks.h"
#include "skin/core/child_layer.h"
#include "skin/core/child_layout.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/error_policy.h"
#include "skin/core/layered_window.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/scroll_bars.h"

namespace korvath::skin {

namespace {

// The container's record and entry, as its Hw_FuID and Hw_lbID name them;
// empty when either no longer leads to this window.
ContainerRef Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Containers); }

bool Framed(const ContainerRef& c) { return c && c->framed; }

bool IsClass(HWND window, const char* name) { return SkinGetClassNameText(window) == name; }

// ---- message handlers ------------------------------------------------------------

// The entry is found again after the container's own procedure ran.
LRESULT OnShown(const SkinMessage& m) {
  m.Forward();
  if (const ContainerRef c = Find(m.window); Framed(c)) c->rebuild = true;
  return DefWindowProcW(m.window, WM_SHOWWINDOW, m.wParam, m.lParam);
}

bool Stale(const ContainerRef& c) { return c->rebuild || c->childChanged; }

// The one painter of a framed container's client, for WM_PAINT and
// WM_PRINTCLIENT, onto `dc`, which clips it to what is dirty: a stale look
// is painted in full, a clean one is one copy from the child layer.
void Paint(const ContainerRef& c, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  if (Stale(c)) {
    ContainerSkinPaint(c, dc);
  } else {
    SkinRefreshWindowDefault(*c.record, *c, dc);
  }
}

// After a copy from the layer, see-through children paint over it again.
LRESULT OnPaint(const SkinMessage& m, const ContainerRef& c) {
  const bool stale = Stale(c);
  {
    platform::PaintScope paint(m.window);
    Paint(c, paint.dc(), paint.dirty());
  }
  if (!stale) SkinRedrawChildren(m.window);
  return 0;
}

LRESULT OnPrintClient(const SkinMessage& m, const ContainerRef& c) {
  RECT client = {};
  GetClientRect(m.window, &client);
  Paint(c, m.dc(), client);
  return 0;
}

void OnMoved(const SkinMessage& m, const ContainerRef& c) {
  if (!Framed(c)) return;
  c->rebuild = true;
  InvalidateBackgroundCaches(*c.record);
  InvalidateRect(m.window, nullptr, FALSE);
}

// The background is never erased here; a framed container whose look is clean
// rebuilds it while its top-level window is active and not being sized.
LRESULT OnEraseBackground(const SkinMessage& m, const ContainerRef& c) {
  if (Framed(c) && !c->rebuild && !c.record->Sizing && c.record->Active) {
    c->rebuild = true;
  }
  SetBkMode(m.dc(), TRANSPARENT);
  return 1;
}

// True when the item was a skinned control or menu item and has been drawn.
bool OnDrawItem(const SkinMessage& m, const ContainerRef& c) {
  const DRAWITEMSTRUCT* item = m.drawItem();
  if (!item || !SkinDrawsItem(*item)) return false;
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
  return SkinMessage::Answer(SkinControlBackgroundBrush(control));
}

// An open drop-down list becomes a see-through layered window, listed once.
LRESULT ListBrush(HDC dc, HWND list) {
  SetTextColor(dc, COLORREF(GetSkinProp(list, prop::Kj_Ztys)));
  SetBkMode(dc, TRANSPARENT);
  if (IsClass(list, "ComboLBox") && GetParent(list) == GetDesktopWindow()) SkinLayerDropDownList(list);
  return SkinMessage::Answer(SkinControlBackgroundBrush(list));
}

bool SeeThroughSkin() { return SkinEngine.options.SkinEnabled && SkinEngine.options.SkinTransparentMode; }

// The brush of a WM_CTLCOLOR message, or nullopt when the message goes on.
std::optional<LRESULT> OnControlColour(const SkinMessage& m) {
  const HDC dc = m.dc();
  const HWND control = m.control();
  switch (m.message) {
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
      return SkinMessage::Answer(GetStockObject(NULL_BRUSH));
    default:
      return std::nullopt;
  }
}

void OnSized(const ContainerRef& c) {
  if (!c) return;
  c->rebuild = true;
  SkinLayoutChildren(*c);
}

// See-through controls repaint after changes that their own painting misses,
// and the scroll-bar overlays of edits follow their bars.
void OnCommand(const SkinMessage& m) {
  const HWND control = m.control();
  if (!SeeThroughSkin() || !control) return;
  const UINT code = m.notification();
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
  if (const ContainerRef entry = Find(tab)) entry->rebuild = true;
}

void OnNotify(const SkinMessage& m) {
  const NMHDR* header = m.notify();
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

// Nothing in the drop can throw, so no failing allocation reaches this edge:
// the pair is read from the control's row of the properties' table, so the
// writes that clear it change a row that is there and add none (only a new
// row allocates), and the rest is the system's calls and the owners'
// noexcept releases. A row goes only with its window, and a form's children
// are made by the form's thread, which is here: only the thread that made a
// window can destroy it. The edge stays all the same, as at every
// enumeration: a drop that came to allocate must not end the process.
BOOL CALLBACK DropKeptBrush(HWND child, LPARAM) {
  SkinAtCallbackEdge([child] { SkinDeleteControlBrush(child); });
  return TRUE;
}

// The skin's part of a message to ContainerSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const WPARAM wParam = m.wParam;
  const ContainerRef c = Find(window);
  switch (message) {
    case WM_NCDESTROY:          UnskinContainer(c); break;
    case WM_SHOWWINDOW:         if (wParam == 1) return OnShown(m); break;
    case WM_WINDOWPOSCHANGING:  SkinMarkParentDirty(c, window); break;
    case WM_PARENTNOTIFY:       SkinNoteLayoutChange(); break;
    case WM_MOVE:               OnMoved(m, c); break;
    case WM_PAINT:              if (Framed(c)) return OnPaint(m, c); break;
    case WM_PRINTCLIENT:        if (Framed(c)) return OnPrintClient(m, c); break;
    case WM_ERASEBKGND:         return OnEraseBackground(m, c);
    case WM_DRAWITEM:           if (OnDrawItem(m, c)) return TRUE; break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (const auto brush = OnControlColour(m)) return *brush;
      break;
    case WM_SIZE:               OnSized(c); break;
    case WM_COMMAND:            OnCommand(m); break;
    case WM_NOTIFY:             OnNotify(m); break;
    default:                    break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK ContainerSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

void UnskinContainer(const ContainerRef& container) {
  if (!container) return;
  SkinWindowRecord& record = *container.record;
  SkinUnsubclass(container->window);
  record.Containers.RemoveAt(container.number);  // the entry `container` holds dies here
  for (size_t i = 0; i < record.Containers.size(); ++i) {
    SetSkinProp(record.Containers[i].window, prop::Hw_lbID, LONG_PTR(i + 1));
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

}  // namespace korvath::skin
