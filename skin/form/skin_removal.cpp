#include "skin/form/skin_removal.h"

#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

// A control colour brush is freed for every control that was given one,
// whatever its kind, and its property cleared, so that a control skin that
// frees it too finds nothing left.
template <class Entry>
void DeleteBrushes(const SkinEntryList<Entry>& list) {
  for (const Entry& entry : list) SkinDeleteControlBrush(EntryWindow(entry));
}

}  // namespace

void SkinDeleteControlBrushes(const SkinWindowRecord& r) {
  DeleteBrushes(r.Edits);
  DeleteBrushes(r.Children);
  DeleteBrushes(r.Combos);
  DeleteBrushes(r.Buttons);
  DeleteBrushes(r.Trackbars);
  DeleteBrushes(r.Progresses);
  DeleteBrushes(r.UpDowns);
  DeleteBrushes(r.Headers);
  DeleteBrushes(r.Statics);
  DeleteBrushes(r.Labels);
  DeleteBrushes(r.Containers);
}

void UnskinWindow(SkinWindowRecord& r) {
  HWND window = r.Window;
  for (int32_t id = r.Tips.GetToolCount(); id >= 1; --id) r.Tips.DeleteTool(id);
  if (HMENU menu = GetSkinPropHandle<HMENU>(window, prop::Ck_cdjb)) {
    DestroyMenu(menu);
    SetSkinProp(window, prop::Ck_cdjb, 0);
  }
  SkinDeleteControlBrushes(r);
  // The record's surfaces go with the record.
  SkinUnsubclass(window);
  SkinRemoveWindowRecord(SkinRecordNumber(r));
  // Every picture the record held is released by now.
  SkinGdiplusShutdownIfLastWindowGone();
}

}  // namespace korvath::skin
