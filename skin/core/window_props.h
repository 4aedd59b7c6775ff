#pragma once
// The window-property vocabulary: the names through which every skinned
// window finds its record, its saved procedure and its cached objects. A
// property holds one 32-bit value; one that was never set reads 0, and every
// reader takes 0 as "not set". The engine never removes a property: values
// are overwritten in place and end with their window.
#include <windows.h>

#include <cstdint>

#include "platform/gdi_object.h"

namespace korvath::skin {

namespace prop {
// Record and procedure (every skinned window).
inline constexpr char Hw_lbID[] = "Hw_lbID";    // record number / entry number
inline constexpr char Hw_FuID[] = "Hw_FuID";    // owner record number
inline constexpr char Hw_hProc[] = "Hw_hProc";  // saved window procedure
// Second layer: toolbars and single-attached controls.
inline constexpr char Kj_lbID[] = "Kj_lbID";
inline constexpr char Kj_FuID[] = "Kj_FuID";
inline constexpr char Kj_hProc[] = "Kj_hProc";
// Control colours and cached brushes.
inline constexpr char Kj_Ztys[] = "Kj_Ztys";    // text colour
inline constexpr char Kj_Jzzts[] = "Kj_Jzzts";  // disabled text colour
inline constexpr char Kj_dxjb[] = "Kj_dxjb";    // pattern brush handed out for WM_CTLCOLOR
inline constexpr char Kj_wtjb[] = "Kj_wtjb";    // bitmap behind Kj_dxjb; a toolbar's image list
// Check animation and scroll overlays.
inline constexpr char Xzk_dhxg[] = "Xzk_dhxg";
inline constexpr char Mngd_zct[] = "Mngd_zct";
// Panels.
inline constexpr char Zqk_Szqk[] = "Zqk_Szqk";
inline constexpr char Zqk_bjs[] = "Zqk_bjs";
inline constexpr char Zqk_bjstmd[] = "Zqk_bjstmd";
inline constexpr char Zqk_gljb[] = "Zqk_gljb";
inline constexpr char Zqk_LbID[] = "Zqk_LbID";
inline constexpr char Zqk_Jgc[] = "Zqk_Jgc";
inline constexpr char Kjsx_bkk[] = "Kjsx_bkk";
inline constexpr char Zqk_FuID[] = "Zqk_FuID";
// Drop shadows.
inline constexpr char Yyck_Glck[] = "Yyck_Glck";  // the window that casts the shadow
inline constexpr char Yyck_yyWz[] = "Yyck_yyWz";  // position code
inline constexpr char Yyck_yysd[] = "Yyck_yysd";  // depth
inline constexpr char Yyck_yyys[] = "Yyck_yyys";  // colour
inline constexpr char Yyck_Tmd[] = "Yyck_Tmd";    // alpha
// Containers and forms.
inline constexpr char Mb_zpf[] = "Mb_zpf";
inline constexpr char Ck_Ycjdx[] = "Ck_Ycjdx";
inline constexpr char Ck_wtjbdx[] = "Ck_wtjbdx";
inline constexpr char CK_Ggcj[] = "CK_Ggcj";
// Read by the engine, set by none of it.
inline constexpr char Kj_bjys[] = "Kj_bjys";
inline constexpr char Kj_bjystmd[] = "Kj_bjystmd";
inline constexpr char Wxk_Zpf[] = "Wxk_Zpf";
inline constexpr char Wxk_Cj[] = "Wxk_Cj";
inline constexpr char Wxk_LBID[] = "Wxk_LBID";
inline constexpr char Sxk_Tpzsy[] = "Sxk_Tpzsy";
inline constexpr char Ck_cdjb[] = "Ck_cdjb";
inline constexpr char CK_Fcck[] = "CK_Fcck";
inline constexpr char Fc_lbID[] = "Fc_lbID";
inline constexpr char Fcsx_bjcj[] = "Fcsx_bjcj";
inline constexpr char Fcsx_gycj[] = "Fcsx_gycj";
}  // namespace prop

// The value of a property, 0 when the window does not carry it. Every
// property the engine sets is written to the window (whoever reads it there
// finds it) and to a table in this process, from which the engine reads its
// own: a window property read is a round trip to the window server. The
// properties that others set for the engine to read (`Kj_bjys` ... `Fcsx_gycj`
// above) are read from the window. The rows of windows that have ended go
// in a sweep for dead windows every few hundred new rows: a skin procedure
// still reads its window's properties after handing on WM_NCDESTROY.
LONG_PTR GetSkinProp(HWND window, const char* name);
void SetSkinProp(HWND window, const char* name, LONG_PTR value);
// How many times the engine has asked the window server for a property since
// the program started (each is a round trip); the start-up benchmark prints it.
uint64_t SkinWindowPropertyReads();

// Handles kept in properties (windows, procedures, DCs).
template <class Handle>
Handle GetSkinPropHandle(HWND window, const char* name) {
  return reinterpret_cast<Handle>(GetSkinProp(window, name));
}
template <class Handle>
void SetSkinPropHandle(HWND window, const char* name, Handle handle) {
  SetSkinProp(window, name, reinterpret_cast<LONG_PTR>(handle));
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
