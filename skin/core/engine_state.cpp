#include "skin/core/engine_state.h"

#include <utility>

#include "skin/core/engine_startup.h"
#include "skin/core/memory_dc.h"
#include "skin/core/menu_items.h"
#include "skin/core/window_list.h"

namespace korvath::skin {

// Definition order is destruction order reversed: GDI+ outlives every list,
// and the memory-DC list outlives the records whose back buffers free into it.
platform::GdiplusStartupToken GdiplusToken;
std::vector<SkinMemoryDcEntry> SkinMemoryDcList;
ImageStrip SkinImageStrip;
std::vector<SkinCallbackEntry> SkinCallbackList;
std::vector<HWND> LayeredDropDownList;
std::vector<std::unique_ptr<SkinWindowRecord>> SkinWindowList;
std::vector<FadeEntry> FadeList;
std::vector<TreeViewState> TreeViewStateList;
std::vector<CompanionWindowEntry> CompanionWindowList;
SkinMouseStateRecord SkinMouseState;
ByteSet SkinBackgroundImage;
COLORREF SkinBackgroundColor = 0;

int32_t SkinResizeBorder = 0;
int32_t CaptionHoverItem = 0;
SkinRoutine CaptionClickCallback;

namespace {

// Empties a list and gives its memory back.
template <class List>
void Free(List& list) {
  List().swap(list);
}

}  // namespace

void ProgramGlobalsInit() {
  SkinImageStrip = ImageStrip();
  Free(SkinCallbackList);
  Free(LayeredDropDownList);
  Free(SkinWindowList);
  Free(FadeList);
  Free(SkinMemoryDcList);
  Free(TreeViewStateList);
  Free(MenuItemList);
  Free(CompanionWindowList);
  SkinMouseState = SkinMouseStateRecord{};
}

void ProgramGlobalsRelease() {
  SkinImageStrip = ImageStrip();
  Free(SkinCallbackList);
  Free(LayeredDropDownList);
  // Records and fades free their pictures into the memory-DC list, so they
  // go first; a fade also kills its timer.
  Free(SkinWindowList);
  Free(FadeList);
  Free(SkinMemoryDcList);
  Free(TreeViewStateList);
  Free(MenuItemList);
  Free(CompanionWindowList);
  Free(SkinBackgroundImage);
  SkinMouseState = SkinMouseStateRecord{};
}

}  // namespace korvath::skin
