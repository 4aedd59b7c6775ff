// A control's procedure holds its entry through a message; what the control's
// own procedure does meanwhile can end the entry: it destroys the form (the
// record goes with every entry in it) or a container (its entry goes and the
// later ones are renumbered). Each procedure finds its entry again after the
// procedure behind the skin ran: nothing freed is written, or read,
// afterwards, and an entry that lives on is still the control's own.
#include <windows.h>

#include <cstdint>
#include <utility>

#include "skin/control/label_skin.h"
#include "skin/core/control_entries.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/edit/edit_lookup.h"
#include "skin/engine/attach.h"
#include "skin/install/container_attach.h"
#include "tests/skin/form/form_fixture.h"
#include "tests/support/freed_blocks.h"

namespace korvath::skin::test {
namespace {

using testsupport::FreedBlockWatch;
using testsupport::FreedReadWatch;

// What a control's own procedure (the one the skin hands its messages on
// to) does once: on `message` it destroys `victim` before its native
// processing.
struct Trigger {
  HWND control = nullptr;
  UINT message = 0;
  HWND victim = nullptr;
};
Trigger trigger;

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto native = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (window == trigger.control && message == trigger.message && trigger.victim) {
    DestroyWindow(std::exchange(trigger.victim, nullptr));
    if (!IsWindow(window)) return 0;
  }
  return CallWindowProcW(native, window, message, wParam, lParam);
}

class EntryLifeTest : public FormTest {
 protected:
  void TearDown() override {
    trigger = {};
    FormTest::TearDown();
  }

  // A hidden form to put controls on before its skin comes.
  HWND NewForm() {
    window_ = std::make_unique<TestWindow>(409, 300, L"Entries", WS_POPUP);
    return form();
  }
  // A control whose own procedure is OwnProcedure, in front of its class's.
  HWND Add(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
    HWND control = CreateWindowExW(0, cls, L"text", style | WS_CHILD | WS_VISIBLE, x, y, w, h,
                                   parent ? parent : form(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(control, GWLP_USERDATA,
                      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnProcedure)));
    return control;
  }
  // The form's skin, then shown.
  void SkinForm() {
    FormSkinAttach(form(), Framed());
    ShowWindow(form(), SW_SHOWNOACTIVATE);
    UpdateWindow(form());
    PumpMessages();
  }
  // Sends `message` to `control` while its own procedure destroys `victim`;
  // answers the number of freed blocks written afterwards, and whether
  // `block` was among the freed.
  struct Outcome {
    int written = 0;
    bool freed = false;
  };
  Outcome SendWhileDestroying(HWND control, UINT message, WPARAM wParam, LPARAM lParam, HWND victim,
                              const void* block) {
    FreedBlockWatch watch;
    trigger = {control, message, victim};
    SendMessageW(control, message, wParam, lParam);
    trigger = {};
    return {FreedBlockWatch::Written(), FreedBlockWatch::Freed(block)};
  }
};

// A button whose own procedure destroys the form as the button goes: the
// form's record, the button's entry with it, is gone when the button's
// final message returns from there, and the skin clears no entry of it.
TEST_F(EntryLifeTest, AButtonWhoseGoingDestroysTheFormLeavesTheFreedEntryAlone) {
  NewForm();
  HWND button = Add(L"BUTTON", BS_PUSHBUTTON, 20, 20, 80, 24);
  SkinForm();
  const SkinButtonEntry* entry = SkinFindEntry(button, &SkinWindowRecord::Buttons).get();
  ASSERT_NE(entry, nullptr);
  const void* recordBlock = &record();
  FreedBlockWatch watch;
  trigger = {button, WM_NCDESTROY, form()};
  DestroyWindow(button);
  trigger = {};
  EXPECT_TRUE(FreedBlockWatch::Freed(entry)) << "the entry went with the form";
  EXPECT_TRUE(FreedBlockWatch::Freed(recordBlock));
  EXPECT_EQ(FreedBlockWatch::Written(), 0) << "nothing freed was written after the button's own procedure";
  EXPECT_FALSE(IsWindow(form()));
}

// A list box whose own painting destroys the form: the skin, which has the
// control paint into its picture, marks no freed entry clean afterwards.
TEST_F(EntryLifeTest, AListWhosePaintDestroysTheFormLeavesTheFreedEntryAlone) {
  SkinEngine.options.SkinTransparentMode = true;
  NewForm();
  HWND list = Add(L"LISTBOX", LBS_NOINTEGRALHEIGHT, 20, 20, 120, 80);
  SkinForm();
  SkinChildEntry* entry = SkinFindEntry(list, &SkinWindowRecord::Children).get();
  ASSERT_NE(entry, nullptr);
  entry->dirty = true;
  InvalidateRect(list, nullptr, FALSE);
  FreedBlockWatch watch;
  trigger = {list, WM_PAINT, form()};
  UpdateWindow(list);
  trigger = {};
  EXPECT_TRUE(FreedBlockWatch::Freed(entry)) << "the entry went with the form";
  EXPECT_EQ(FreedBlockWatch::Written(), 0) << "nothing freed was written after the list's own painting";
}

// A label whose own procedure destroys the form as it takes its new text:
// the skin draws the text over no freed entry.
TEST_F(EntryLifeTest, ALabelWhoseNewTextDestroysTheFormLeavesTheFreedEntryAlone) {
  NewForm();
  HWND label = Add(L"STATIC", SS_LEFT, 20, 20, 120, 20);
  SkinForm();
  ASSERT_EQ(LabelSkinAttach(label), 1);
  const SkinLabelEntry* entry = SkinFindEntry(label, &SkinWindowRecord::Labels).get();
  ASSERT_NE(entry, nullptr);
  const Outcome outcome = SendWhileDestroying(label, WM_SETTEXT, 0, LPARAM(L"new"), form(), entry);
  EXPECT_TRUE(outcome.freed) << "the entry went with the form";
  EXPECT_EQ(outcome.written, 0) << "nothing freed was written after the label's own procedure";
}

// An edit with a scroll bar's overlay whose own procedure destroys the form
// as it takes its new text: the skin, which brings the overlays up to date
// after the edit's own procedure, reads nothing of the freed entry. The
// form is made under the watch, so that the entry lies on pages of its own.
TEST_F(EntryLifeTest, AnEditWhoseNewTextDestroysTheFormReadsNoFreedEntry) {
  FreedReadWatch watch;
  NewForm();
  HWND edit = Add(L"EDIT", ES_MULTILINE | WS_VSCROLL, 20, 20, 120, 60);
  SkinForm();
  const EditRef found = FindEditRecord(edit);
  ASSERT_TRUE(found);
  ASSERT_NE(found->vScrollOverlay, nullptr);
  const SkinEditEntry* entry = found.get();
  trigger = {edit, WM_SETTEXT, form()};
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"new"));
  trigger = {};
  EXPECT_FALSE(IsWindow(form()));
  EXPECT_TRUE(FreedReadWatch::Freed(entry)) << "the entry went with the form";
  EXPECT_EQ(FreedReadWatch::Touched(), 0) << "freed blocks read after the edit's own procedure";
}

// Containers: one whose own procedure destroys itself as it is shown or
// hidden takes its entry with it (the later entries move up), and the skin
// marks no freed entry afterwards; one whose own procedure destroys an
// earlier container keeps its entry, now under the lower number, and that
// entry, its own, is the one marked for a rebuild.
TEST_F(EntryLifeTest, AContainerWhoseProcedureDestroysAContainerMarksOnlyALivingEntryItsOwn) {
  NewForm();
  HWND first = Add(L"BUTTON", BS_GROUPBOX, 10, 10, 120, 100);
  HWND second = Add(L"BUTTON", BS_GROUPBOX, 140, 10, 120, 100);
  HWND third = Add(L"BUTTON", BS_GROUPBOX, 270, 10, 120, 100);
  SkinForm();
  for (HWND group : {first, second, third}) ContainerSkinAttach(group);
  SkinContainerEntry* secondEntry = SkinFindEntry(second, &SkinWindowRecord::Containers).get();
  SkinContainerEntry* thirdEntry = SkinFindEntry(third, &SkinWindowRecord::Containers).get();
  ASSERT_NE(secondEntry, nullptr);
  ASSERT_NE(thirdEntry, nullptr);
  ASSERT_EQ(GetSkinProp(third, prop::Hw_lbID), 3);

  const Outcome itself = SendWhileDestroying(second, WM_SHOWWINDOW, TRUE, 0, second, secondEntry);
  EXPECT_TRUE(itself.freed) << "the container's entry went with its window";
  EXPECT_EQ(itself.written, 0) << "nothing freed was written after the container's own procedure";
  EXPECT_EQ(GetSkinProp(third, prop::Hw_lbID), 2);

  thirdEntry->rebuild = false;
  const SkinContainerEntry* firstEntry = SkinFindEntry(first, &SkinWindowRecord::Containers).get();
  const Outcome earlier = SendWhileDestroying(third, WM_SHOWWINDOW, TRUE, 0, first, firstEntry);
  EXPECT_TRUE(earlier.freed) << "the first container's entry went with its window";
  EXPECT_EQ(earlier.written, 0);
  EXPECT_EQ(GetSkinProp(third, prop::Hw_lbID), 1);
  EXPECT_EQ(SkinFindEntry(third, &SkinWindowRecord::Containers).get(), thirdEntry) << "the entry stayed where it was";
  EXPECT_TRUE(thirdEntry->rebuild) << "the container's own entry was marked";
  ASSERT_EQ(record().Containers.size(), 1u);
}

}  // namespace
}  // namespace korvath::skin::test
