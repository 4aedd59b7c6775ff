// The container's procedure on a skinned test form: the scroll-bar overlays
// of the edits inside it follow their bars through the edits' notifications,
// and a container that goes gives its entry up to the ones after it.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "skin/control/container_skin.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/edit/edit_lookup.h"
#include "skin/edit/scroll_bar_slot.h"
#include "skin/edit/scroll_bars.h"
#include "skin/engine/attach.h"
#include "skin/install/container_attach.h"
#include "skin/install/control_attach.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::PixelBuffer;
using test::Shown;

constexpr uint32_t kMark = 0xFF00FF;

SCROLLBARINFO BarInfo(HWND control, LONG id = OBJID_VSCROLL) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(control, id, &info);
  return info;
}

RECT ScreenRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

// Paints a window's client area in the mark colour, as if the overlay's
// picture had been lost, so that a repaint shows.
void Mark(HWND window) {
  const RECT r = {0, 0, 1000, 1000};
  const platform::GdiBrush brush(CreateSolidBrush(RGB(0xFF, 0x00, 0xFF)));
  const platform::WindowDC dc = platform::WindowDC::Client(window);
  FillRect(dc.get(), &r, brush.get());
}

bool Marked(HWND window) {
  const PixelBuffer shown = Shown(window);
  return shown.RgbAt(shown.width / 2, shown.height / 2) == kMark;
}

class ContainerWindowProcTest : public test::EngineTest {
 protected:
  ContainerWindowProcTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinAlpha = 160;
  }
  HWND AddGroup() {
    return CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 270, 180,
                           form_.hwnd(), nullptr, nullptr, nullptr);
  }
  SkinWindowRecord& record() { return *SkinRecordAt(form_.recordNumber()); }
  fixture::SkinnedForm form_{300, 200, 0x808080};
};

// A multi-line edit in a group box, in the see-through mode: its overlay
// lies over its bar, shows the thumb as soon as the text grows past the
// edit's height and follows it down line by line; every change of the text
// repaints the overlay, also one that leaves the thumb where it was. With
// the mode off the container leaves the overlay alone.
TEST_F(ContainerWindowProcTest, AnEditsOverlayFollowsItsTextThroughTheContainer) {
  SkinEngine.options.SkinTransparentMode = true;
  const HWND group = AddGroup();
  const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"line 0",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 20, 30,
                                    160, 70, group, nullptr, nullptr, nullptr);
  ContainerControlSkinAttach(group);
  const SkinEditEntry* entry = FindEditRecord(edit).get();
  ASSERT_NE(entry, nullptr);
  const HWND overlay = entry->vScrollOverlay;
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(GetParent(overlay), group);
  EXPECT_TRUE(IsWindowVisible(overlay));
  EXPECT_EQ(ScreenRect(overlay), BarInfo(edit).rcScrollBar);

  int shownFrom = -1;
  for (int line = 1; line <= 20; ++line) {
    const int length = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, WPARAM(length), LPARAM(length));
    const std::wstring text = L"\r\nline " + std::to_wstring(line);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    const SCROLLBARINFO info = BarInfo(edit);
    if (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE || info.xyThumbBottom <= info.xyThumbTop) continue;
    if (shownFrom < 0) shownFrom = line;
    const RECT thumb = entry->vScrollParts[2];
    EXPECT_EQ(thumb.top, info.xyThumbTop) << line;
    EXPECT_EQ(thumb.bottom, info.xyThumbBottom) << line;
  }
  EXPECT_GT(shownFrom, 1) << "the thumb shows once the text is taller than the edit";
  const SCROLLBARINFO end = BarInfo(edit);
  EXPECT_GT(end.xyThumbTop, 30) << "the edit follows its caret to the last line";
  EXPECT_EQ(ScreenRect(overlay), end.rcScrollBar);

  Mark(overlay);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"x"));
  EXPECT_EQ(BarInfo(edit).xyThumbTop, end.xyThumbTop);
  EXPECT_FALSE(Marked(overlay));
  const PixelBuffer bar = Shown(overlay);
  const int thumbMiddle = (end.xyThumbTop + end.xyThumbBottom) / 2;
  EXPECT_NE(bar.RgbAt(bar.width / 2, thumbMiddle), bar.RgbAt(bar.width / 2, end.xyThumbTop - 8));
  if (HasFailure()) testsupport::SaveFailureImage(testsupport::CaptureClient(form_.hwnd()), "edit_in_group");

  SkinEngine.options.SkinTransparentMode = false;
  Mark(overlay);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"y"));
  EXPECT_TRUE(Marked(overlay));
}

// A rich edit's scroll notifications repaint its overlays, each the one of
// its own bar.
TEST_F(ContainerWindowProcTest, ARichEditsScrollNotificationsRepaintTheOverlayOfTheirBar) {
  SkinEngine.options.SkinTransparentMode = true;
  ASSERT_NE(LoadLibraryW(L"riched20.dll"), nullptr);
  const HWND group = AddGroup();
  const HWND rich = CreateWindowExA(0, "RichEdit20A", "",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                        ES_AUTOHSCROLL | ES_DISABLENOSCROLL,
                                    20, 30, 160, 80, group, nullptr, nullptr, nullptr);
  ASSERT_NE(rich, nullptr);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "a rather long line of text that runs past the right edge " + std::to_string(i) + "\r\n";
  SetWindowTextA(rich, text.c_str());
  ContainerControlSkinAttach(group);
  // No installer lists rich edits: the test gives this one its entry.
  SkinEditEntry entry;
  entry.window = rich;
  entry.vScrollOverlay = VScrollOverlayCreate(record(), rich, true);
  entry.hScrollOverlay = HScrollOverlayCreate(record(), rich, true);
  record().Edits.emplace_back() = entry;
  SetSkinProp(rich, prop::Hw_FuID, form_.recordNumber());
  SetSkinProp(rich, prop::Hw_lbID, LONG_PTR(record().Edits.size()));
  const HWND v = entry.vScrollOverlay, h = entry.hScrollOverlay;
  ASSERT_GT(BarInfo(rich).xyThumbBottom, BarInfo(rich).xyThumbTop);

  const auto notify = [&](WORD code) {
    SendMessageW(group, WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(rich));
  };
  Mark(v);
  Mark(h);
  notify(EN_VSCROLL);
  EXPECT_FALSE(Marked(v));
  EXPECT_TRUE(Marked(h));
  Mark(v);
  notify(EN_HSCROLL);
  EXPECT_TRUE(Marked(v));
  EXPECT_FALSE(Marked(h));
  DestroyWindow(group);
}

// A container that goes is unskinned: its own procedure is back, its entry
// is removed, and every later container takes the number of its new place,
// through which its messages find it. The last one gone leaves the list
// empty, and the next container takes entry 1.
TEST_F(ContainerWindowProcTest, AContainerThatGoesLeavesTheLaterOnesRenumbered) {
  HWND boxes[3];
  for (int i = 0; i < 3; ++i) {
    boxes[i] = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10 + 90 * i, 10, 80, 50, form_.hwnd(),
                               nullptr, nullptr, nullptr);
  }
  const LONG_PTR own = GetWindowLongPtrW(boxes[1], GWLP_WNDPROC);
  for (HWND box : boxes) ContainerSkinAttach(box);
  ASSERT_EQ(GetSkinProp(boxes[2], prop::Hw_lbID), 3);

  UnskinContainer(SkinFoundEntryAt(record(), &SkinWindowRecord::Containers, 2));
  EXPECT_EQ(GetWindowLongPtrW(boxes[1], GWLP_WNDPROC), own);
  ASSERT_EQ(record().Containers.size(), 2u);
  EXPECT_EQ(record().Containers[1].window, boxes[2]);
  EXPECT_EQ(GetSkinProp(boxes[2], prop::Hw_lbID), 2);
  EXPECT_EQ(GetSkinProp(boxes[0], prop::Hw_lbID), 1);
  record().Containers[1].rebuild = false;
  SendMessageW(boxes[2], WM_SIZE, 0, MAKELPARAM(80, 50));
  EXPECT_TRUE(record().Containers[1].rebuild);

  DestroyWindow(boxes[2]);
  DestroyWindow(boxes[0]);
  EXPECT_TRUE(record().Containers.empty());
  const HWND next = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 100, 80, 50, form_.hwnd(),
                                    nullptr, nullptr, nullptr);
  ContainerSkinAttach(next);
  EXPECT_EQ(GetSkinProp(next, prop::Hw_lbID), 1);
  EXPECT_EQ(record().Containers.size(), 1u);
}

}  // namespace
}  // namespace korvath::skin
