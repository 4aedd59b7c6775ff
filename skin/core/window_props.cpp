#include "skin/core/window_props.h"

#include <array>
#include <cstring>
#include <iterator>
#include <unordered_map>

#include "platform/window_subclass.h"

namespace korvath::skin {

namespace {

uint64_t propertyReads = 0;

// Every property name, in one order: a table row holds one value per name.
struct KnownProperty {
  const char* name;
  bool setByOthers;  // read from the window: the engine never sets it itself
};
constexpr KnownProperty kKnown[] = {
    {prop::Hw_lbID, false},   {prop::Hw_FuID, false},    {prop::Hw_hProc, false},    {prop::Kj_lbID, false},
    {prop::Kj_FuID, false},   {prop::Kj_hProc, false},   {prop::Kj_Ztys, false},     {prop::Kj_Jzzts, false},
    {prop::Kj_dxjb, false},   {prop::Kj_wtjb, false},    {prop::Xzk_dhxg, false},    {prop::Mngd_zct, false},
    {prop::Zqk_Szqk, false},  {prop::Zqk_bjs, false},    {prop::Zqk_bjstmd, false},  {prop::Zqk_gljb, false},
    {prop::Zqk_LbID, false},  {prop::Zqk_Jgc, false},    {prop::Kjsx_bkk, false},    {prop::Zqk_FuID, false},
    {prop::Yyck_Glck, false}, {prop::Yyck_yyWz, false},  {prop::Yyck_yysd, false},   {prop::Yyck_yyys, false},
    {prop::Yyck_Tmd, false},  {prop::Mb_zpf, false},     {prop::Ck_Ycjdx, false},    {prop::Ck_wtjbdx, false},
    {prop::CK_Ggcj, false},   {prop::Kj_bjys, true},     {prop::Kj_bjystmd, true},   {prop::Wxk_Zpf, true},
    {prop::Wxk_Cj, true},     {prop::Wxk_LBID, true},    {prop::Sxk_Tpzsy, true},    {prop::Ck_cdjb, true},
    {prop::CK_Fcck, true},    {prop::Fc_lbID, true},     {prop::Fcsx_bjcj, true},    {prop::Fcsx_gycj, true},
};
constexpr size_t kKnownCount = std::size(kKnown);

// The name's place in kKnown (the same array by address, else the same
// text); -1 for a name the engine does not know, which is read from the
// window like the ones others set.
int PlaceOf(const char* name) {
  for (size_t i = 0; i < kKnownCount; ++i)
    if (kKnown[i].name == name) return int(i);
  for (size_t i = 0; i < kKnownCount; ++i)
    if (std::strcmp(kKnown[i].name, name) == 0) return int(i);
  return -1;
}

bool KeptInTable(int place) { return place >= 0 && !kKnown[place].setByOthers; }

// The engine's own properties, per window: outside the engine's state, since
// windows and their properties outlive its reset. Windows are mostly used
// from one thread, but a box's fade-in and tests' helper threads may reach
// the engine too: the table takes a slim lock.
class PropertyTable {
 public:
  LONG_PTR Get(HWND window, int place) {
    AcquireSRWLockShared(&lock_);
    const auto row = rows_.find(window);
    const LONG_PTR value = row == rows_.end() ? 0 : row->second[size_t(place)];
    ReleaseSRWLockShared(&lock_);
    return value;
  }

  void Set(HWND window, int place, LONG_PTR value) {
    AcquireSRWLockExclusive(&lock_);
    auto [row, added] = rows_.try_emplace(window);
    row->second[size_t(place)] = value;
    if (added && ++added_ >= kSweepEvery) SweepDeadWindows();
    ReleaseSRWLockExclusive(&lock_);
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
  std::unordered_map<HWND, std::array<LONG_PTR, kKnownCount>> rows_;
  size_t added_ = 0;
};

PropertyTable& Table() {
  static PropertyTable table;
  return table;
}

}  // namespace

uint64_t SkinWindowPropertyReads() { return propertyReads; }

LONG_PTR GetSkinProp(HWND window, const char* name) {
  if (!window) return 0;
  const int place = PlaceOf(name);
  if (KeptInTable(place)) return Table().Get(window, place);
  ++propertyReads;
  return reinterpret_cast<LONG_PTR>(GetPropA(window, name));
}

void SetSkinProp(HWND window, const char* name, LONG_PTR value) {
  if (!window) return;
  SetPropA(window, name, reinterpret_cast<HANDLE>(value));
  if (const int place = PlaceOf(name); KeptInTable(place)) Table().Set(window, place, value);
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
