#pragma once
// The window-property vocabulary: the names through which every skinned
// window finds its record, its saved procedure and its cached objects. A
// property holds one 32-bit value; one that was never set reads 0, and every
// reader takes 0 as "not set". The engine never removes a property: values
// are overwritten in place and end with their window.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "platform/gdi_object.h"
#include "platform/message_params.h"

namespace korvath::skin {

// Every property the engine reads or writes, in the order of its table
// (window_props.cpp). Each key stands for one name that windows carry
// (SkinPropName), spelled as other programs read it.
enum class SkinProp : uint8_t {
  // Record and procedure (every skinned window).
  Hw_lbID,   // record number / entry number
  Hw_FuID,   // owner record number
  Hw_hProc,  // saved window procedure
  // Second layer: toolbars and single-attached controls.
  Kj_lbID,
  Kj_FuID,
  Kj_hProc,
  // Control colours and cached brushes.
  Kj_Ztys,   // text colour
  Kj_Jzzts,  // disabled text colour
  Kj_dxjb,   // pattern brush handed out for WM_CTLCOLOR
  Kj_wtjb,   // bitmap behind Kj_dxjb; a toolbar's image list
  // Check animation and scroll overlays.
  Xzk_dhxg,
  Mngd_zct,
  // Panels.
  Zqk_Szqk,
  Zqk_bjs,
  Zqk_bjstmd,
  Zqk_gljb,
  Zqk_LbID,
  Zqk_Jgc,
  Kjsx_bkk,
  Zqk_FuID,
  // Drop shadows.
  Yyck_Glck,  // the window that casts the shadow
  Yyck_yyWz,  // position code
  Yyck_yysd,  // depth
  Yyck_yyys,  // colour
  Yyck_Tmd,   // alpha
  // Containers and forms.
  Mb_zpf,
  Ck_Ycjdx,
  Ck_wtjbdx,
  CK_Ggcj,
  // Read by the engine, set by none of it: read from the window.
  Kj_bjys,
  Kj_bjystmd,
  Wxk_Zpf,
  Wxk_Cj,
  Wxk_LBID,
  Sxk_Tpzsy,
  Ck_cdjb,
  CK_Fcck,
  Fc_lbID,
  Fcsx_bjcj,
  Fcsx_gycj,
};
inline constexpr size_t kSkinPropCount = size_t(SkinProp::Fcsx_gycj) + 1;
// The keys as the engine's code spells them: prop::Hw_lbID.
namespace prop {
using enum SkinProp;
}  // namespace prop

// The name the window carries for the key.
const char* SkinPropName(SkinProp key);
// True for the properties that others set for the engine to read (`Kj_bjys`
// ... `Fcsx_gycj`): read from the window, never kept in the engine's table.
bool SkinPropSetByOthers(SkinProp key);

// The value of a property, 0 when the window does not carry it. Every
// property the engine sets is written to the window (whoever reads it there
// finds it) and to a table in this process, from which the engine reads its
// own: a window property read is a round trip to the window server. The
// properties that others set for the engine to read (`Kj_bjys` ... `Fcsx_gycj`
// above) are read from the window. The rows of windows that have ended go
// in a sweep for dead windows every few hundred new rows: a skin procedure
// still reads its window's properties after handing on WM_NCDESTROY.
LONG_PTR GetSkinProp(HWND window, SkinProp key);
void SetSkinProp(HWND window, SkinProp key, LONG_PTR value);
// How many times the engine has asked the window server for a property since
// the program started (each is a round trip); the start-up benchmark prints it.
uint64_t SkinWindowPropertyReads();

// Handles kept in properties (windows, procedures, DCs).
template <class Handle>
Handle GetSkinPropHandle(HWND window, SkinProp key) {
  return platform::FromParam<Handle>(GetSkinProp(window, key));
}
template <class Handle>
void SetSkinPropHandle(HWND window, SkinProp key, Handle handle) {
  SetSkinProp(window, key, platform::ToParam(handle));
}

// True when some skin has subclassed the window already (it carries
// `Hw_hProc` or `Kj_hProc`). Every installer skips such a window: subclassing
// it again would save a skin procedure as the one to forward to, and the
// forward would call itself without end.
bool SkinIsSubclassed(HWND window);

// A control's cached WM_CTLCOLOR brush (`Kj_dxjb`) and the bitmap behind it
// (`Kj_wtjb`) belong to the control: replacing them deletes the old pair
// first, and the last one goes when the control is destroyed (or when its
// skin or form deletes it earlier), whether or not any record lists the
// control. While parked in the properties they stay in the live-object
// count. A toolbar's `Kj_wtjb` is its image list, which is never touched here.
void SkinReplaceControlBrush(HWND control, platform::GdiBrush brush, platform::GdiBitmap bitmap);
// Deletes the pair and sets both properties back to 0.
void SkinDeleteControlBrush(HWND control);

}  // namespace korvath::skin
