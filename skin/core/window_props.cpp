#include "skin/core/window_props.h"

#include <array>
#include <cstring>
#include <iterator>
#include <unordered_map>

#include "platform/slim_lock.h"
#include "platform/window_subclass.h"
#include "skin/core/error_policy.h"

namespace korvath::skin {

namespace {

uint64_t propertyReads = 0;

// Every property's name, by its key; and whether others set it for the
// engine to read (then it is read from the window).
struct KnownProperty {
  const char* name;
  bool setByOthers;
};
constexpr KnownProperty kKnown[] = {
    {"Hw_lbID", false},   {"Hw_FuID", false},    {"Hw_hProc", false},    {"Kj_lbID", false},
    {"Kj_FuID", false},   {"Kj_hProc", false},   {"Kj_Ztys", false},     {"Kj_Jzzts", false},
    {"Kj_dxjb", false},   {"Kj_wtjb", false},    {"Xzk_dhxg", false},    {"Mngd_zct", false},
    {"Zqk_Szqk", false},  {"Zqk_bjs", false},    {"Zqk_bjstmd", false},  {"Zqk_gljb", false},
    {"Zqk_LbID", false},  {"Zqk_Jgc", false},    {"Kjsx_bkk", false},    {"Zqk_FuID", false},
    {"Yyck_Glck", false}, {"Yyck_yyWz", false},  {"Yyck_yysd", false},   {"Yyck_yyys", false},
    {"Yyck_Tmd", false},  {"Mb_zpf", false},     {"Ck_Ycjdx", false},    {"Ck_wtjbdx", false},
    {"CK_Ggcj", false},   {"Kj_bjys", true},     {"Kj_bjystmd", true},   {"Wxk_Zpf", true},
    {"Wxk_Cj", true},     {"Wxk_LBID", true},    {"Sxk_Tpzsy", true},    {"Ck_cdjb", true},
    {"CK_Fcck", true},    {"Fc_lbID", true},     {"Fcsx_bjcj", true},    {"Fcsx_gycj", true},
};
static_assert(std::size(kKnown) == kSkinPropCount, "one name per key");

const KnownProperty& Known(SkinProp key) { return kKnown[size_t(key)]; }

// The engine's own properties, per window: outside the engine's state, since
// windows and their properties outlive its reset. Windows are mostly used
// from one thread, but a box's fade-in and tests' helper threads may reach
// the engine too: the table takes a slim lock.
class PropertyTable {
 public:
  LONG_PTR Get(HWND window, SkinProp key) {
    const platform::SlimLockHold hold(lock_, platform::LockUse::Shared);
    const auto row = rows_.find(window);
    return row == rows_.end() ? 0 : row->second[size_t(key)];
  }

  void Set(HWND window, SkinProp key, LONG_PTR value) {
    const platform::SlimLockHold hold(lock_, platform::LockUse::Exclusive);
    auto [row, added] = rows_.try_emplace(window);
    row->second[size_t(key)] = value;
    if (added && ++added_ >= kSweepEvery) SweepDeadWindows();
  }

 private:
  // Every kSweepEvery new rows, the rows of windows that have ended go: long
  // before the system could hand the same handle value (its index and a
  // generation count) to a new window.
  static constexpr size_t kSweepEvery = 256;
  void SweepDeadWindows() {
    added_ = 0;
    std::erase_if(rows_, [](const auto& row) { return !IsWindow(row.first); });
  }

  SRWLOCK lock_ = SRWLOCK_INIT;
  std::unordered_map<HWND, std::array<LONG_PTR, kSkinPropCount>> rows_;
  size_t added_ = 0;
};

PropertyTable& Table() {
  static PropertyTable table;
  return table;
}

}  // namespace

uint64_t SkinWindowPropertyReads() { return propertyReads; }

const char* SkinPropName(SkinProp key) { return Known(key).name; }

bool SkinPropSetByOthers(SkinProp key) { return Known(key).setByOthers; }

LONG_PTR GetSkinProp(HWND window, SkinProp key) {
  if (!window) return 0;
  if (!SkinPropSetByOthers(key)) return Table().Get(window, key);
  ++propertyReads;
  return platform::ToParam(GetPropA(window, SkinPropName(key)));
}

void SetSkinProp(HWND window, SkinProp key, LONG_PTR value) {
  if (!window) return;
  SetPropA(window, SkinPropName(key), platform::FromParam<HANDLE>(value));
  if (!SkinPropSetByOthers(key)) Table().Set(window, key, value);
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
    SkinAtCallbackEdge([control] { SkinDeleteControlBrush(control); });
    platform::RemoveSubclass(control, FreeBrushAtEnd, id);
  }
  return platform::CallNextSubclass(control, message, wParam, lParam);
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
  if (!platform::GetSubclass(control, FreeBrushAtEnd, kBrushOwner))
    platform::SetSubclass(control, FreeBrushAtEnd, kBrushOwner, 0);
}

}  // namespace korvath::skin
