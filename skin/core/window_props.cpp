#include "skin/core/window_props.h"

#include <commctrl.h>

#include <cstring>

namespace korvath::skin {

namespace {
uint64_t propertyReads = 0;
}  // namespace

uint64_t SkinWindowPropertyReads() { return propertyReads; }

LONG_PTR GetSkinProp(HWND window, const char* name) {
  if (!window) return 0;
  ++propertyReads;
  return reinterpret_cast<LONG_PTR>(GetPropA(window, name));
}

void SetSkinProp(HWND window, const char* name, LONG_PTR value) {
  if (!window) return;
  SetPropA(window, name, reinterpret_cast<HANDLE>(value));
}

bool SkinIsSubclassed(HWND window) {
  return GetSkinProp(window, prop::Hw_hProc) != 0 || GetSkinProp(window, prop::Kj_hProc) != 0;
}

namespace {

// `Kj_wtjb` of a toolbar holds an image list, not a bitmap.
bool HoldsImageList(HWND control) {
  char name[32] = {};
  GetClassNameA(control, name, sizeof name);
  return std::strcmp(name, "ToolbarWindow32") == 0;
}

constexpr UINT_PTR kBrushOwner = 0x4B6A;  // 'Kj'

// The control's end frees the pair it holds, whichever skin handed it out and
// whether or not a record lists the control.
LRESULT CALLBACK FreeBrushAtEnd(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    SkinDeleteControlBrush(control);
    RemoveWindowSubclass(control, FreeBrushAtEnd, id);
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void SkinDeleteControlBrush(HWND control) {
  if (!control) return;
  if (GetSkinProp(control, prop::Kj_dxjb) == 0 && GetSkinProp(control, prop::Kj_wtjb) == 0) return;
  // The brush goes first: it is made from the bitmap.
  {
    auto brush = platform::GdiBrush::Unpark(GetSkinPropHandle<HBRUSH>(control, prop::Kj_dxjb));
    SetSkinProp(control, prop::Kj_dxjb, 0);
  }
  if (!HoldsImageList(control)) {
    auto bitmap = platform::GdiBitmap::Unpark(GetSkinPropHandle<HBITMAP>(control, prop::Kj_wtjb));
    SetSkinProp(control, prop::Kj_wtjb, 0);
  }
}

void SkinReplaceControlBrush(HWND control, platform::GdiBrush brush, platform::GdiBitmap bitmap) {
  if (!control) return;
  SkinDeleteControlBrush(control);
  SetSkinPropHandle(control, prop::Kj_dxjb, brush.Park());
  if (!HoldsImageList(control)) SetSkinPropHandle(control, prop::Kj_wtjb, bitmap.Park());
  DWORD_PTR unused = 0;
  if (!GetWindowSubclass(control, FreeBrushAtEnd, kBrushOwner, &unused))
    SetWindowSubclass(control, FreeBrushAtEnd, kBrushOwner, 0);
}

}  // namespace korvath::skin
