// The engine's start-up, its list of skinned-window records, the window
// properties that lead to them, and the typed callback calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/core/callback_list.h"
#include "skin/core/callbacks.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_install.h"
#include "skin/core/entry_list.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_routine.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/engine_caches.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/start.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/support/failing_allocation.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::LiveGdiObjectCount;
using testsupport::HangGuard;
using testsupport::TestWindow;
using testsupport::ThrowsWhenAnAllocationFails;

// How long a call that should return at once may take before the program is
// ended as hung: a lock left held makes it wait for ever.
constexpr DWORD kHangMs = 20000;

LONG_PTR Prop(HWND window, SkinProp key) { return GetSkinProp(window, key); }

int32_t AddRecord(HWND window) {
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = window;
  return SkinRecordNumber(*SkinAppendWindowRecord(std::move(record)));
}

// Registers a child in one of a record's lists the way an installer does.
template <class Entry>
void Register(int32_t n, SkinEntryList<Entry> SkinWindowRecord::*list, HWND child, SkinProp owner = prop::Hw_FuID) {
  auto& entries = SkinRecordAt(n)->*list;
  Entry& entry = entries[size_t(SkinTakeEntrySlot(entries)) - 1];
  entry.window = child;
  SetSkinProp(child, owner, n);
  SetSkinProp(child, prop::Hw_lbID, int32_t(entries.size()));
}

using EngineStartup = korvath::skin::test::EngineTest;

// The colour and mask bits of an icon, row by row.
std::vector<uint8_t> IconBits(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  std::vector<uint8_t> bits;
  for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
    if (!bitmap) continue;
    BITMAP shape{};
    GetObjectW(bitmap, sizeof shape, &shape);
    const size_t start = bits.size();
    bits.resize(start + size_t(shape.bmWidthBytes) * size_t(shape.bmHeight) + 2);
    bits[start] = uint8_t(shape.bmWidth);
    bits[start + 1] = uint8_t(shape.bmHeight);
    GetBitmapBits(bitmap, LONG(bits.size() - start - 2), bits.data() + start + 2);
    DeleteObject(bitmap);
  }
  return bits;
}

TEST_F(EngineStartup, AClassOfTheEngineGetsTheSmallIconTheSystemWouldHaveMade) {
  SkinEngineStartup();
  // A class given the large icon alone gets a small one copied by the system.
  WNDCLASSEXW plain{sizeof plain};
  plain.lpfnWndProc = DefWindowProcW;
  plain.hInstance = GetModuleHandleW(nullptr);
  plain.hIcon = SkinEngine.options.AppIcon;
  plain.lpszClassName = L"PlainIconClass";
  ASSERT_NE(RegisterClassExW(&plain), 0);
  WNDCLASSEXW made{sizeof made}, engine{sizeof engine};
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"PlainIconClass", &made));
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"hbfcWindow", &engine));
  ASSERT_NE(made.hIconSm, nullptr);
  ASSERT_NE(engine.hIconSm, nullptr);
  const std::vector<uint8_t> expected = IconBits(made.hIconSm);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(IconBits(engine.hIconSm), expected);
  UnregisterClassW(L"PlainIconClass", GetModuleHandleW(nullptr));
}
using WindowList = korvath::skin::test::EngineTest;
using CallbackSlots = korvath::skin::test::EngineTest;

TEST_F(EngineStartup, StartsOnceWithItsClassesAndOptionsAndReleasesRecordsAtExit) {
  SkinEngineStartup();
  EXPECT_EQ(SkinEngine.options.SkinOptTrimMemory, 1);  // the working-set helper never runs
  WNDCLASSEXW cls{sizeof cls};
  EXPECT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"hbfcWindow", &cls));
  const ULONG_PTR token = GdiplusToken.value();
  EXPECT_EQ(SkinModuleGdiplusToken, token);
  // The shared cursors are the system's own.
  EXPECT_EQ(SkinEngine.options.CursorHand, LoadCursorA(nullptr, IDC_HAND));
  EXPECT_EQ(SkinEngine.options.CursorIBeam, LoadCursorA(nullptr, IDC_IBEAM));
  EXPECT_EQ(SkinEngine.options.CursorSizeWE, LoadCursorA(nullptr, IDC_SIZEWE));
  EXPECT_NE(SkinEngine.options.CursorHand, SkinEngine.options.CursorIBeam);
  // The mouse record starts with its three one-element lists.
  EXPECT_EQ(SkinEngine.lists.SkinMouseState.Field4, std::vector<int32_t>{0});
  EXPECT_EQ(SkinEngine.lists.SkinMouseState.Field5, std::vector<int32_t>{0});
  EXPECT_EQ(SkinEngine.lists.SkinMouseState.Field6, std::vector<std::string>{""});
  SkinModuleInit();  // a second start finds GDI+ started and reloads the glyphs
  EXPECT_EQ(GdiplusToken.value(), token);
  EXPECT_EQ(SkinModuleGdiplusToken, token);
  EXPECT_EQ(SkinGlyphStrip().GetCount(), 6);
  SkinSetOptions(false, 0, 0);  // an alpha of 0 given still switches the mode on
  EXPECT_TRUE(SkinEngine.options.SkinTransparentMode);
  SkinSetOptions(true);
  EXPECT_FALSE(SkinEngine.options.SkinTransparentMode);
  EXPECT_EQ(SkinEngine.options.SkinAlpha, 160);
  TestWindow form(100, 80, L"form");
  AddRecord(form.hwnd());
  const long before = LiveGdiObjectCount();
  SkinRecordAt(1)->BackDC = SkinMemoryDc::Create(100, 80);
  HWND tip = SkinRecordAt(1)->Tips.Create(form.hwnd());
  SkinEngineShutdown();
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
  EXPECT_EQ(LiveGdiObjectCount(), before);
  EXPECT_FALSE(IsWindow(tip));  // the record's tooltip went with it
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

// The tests' fixture resets options and lists before a case and after it,
// however the case ended.
TEST(EngineFixture, ResetsOptionsAndListsWhenMadeAndWhenGone) {
  struct Case : korvath::skin::test::EngineTest {
    void TestBody() override {}
  };
  SkinEngine.options.SkinAlpha = 7;
  SkinEngine.lists.SkinCallbackList.resize(2);
  {
    Case c;
    EXPECT_EQ(SkinEngine.options.SkinAlpha, 0);
    EXPECT_TRUE(SkinEngine.lists.SkinCallbackList.empty());
    SkinEngine.options.SkinThemeColor = 0x123456;
    TestWindow form(100, 80, L"form");
    AddRecord(form.hwnd());
  }
  EXPECT_EQ(SkinEngine.options.SkinThemeColor, 0u);
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
}

// A cache kept while the engine runs goes with the engine's reset: the next
// use finds it made afresh, not what was worked out before.
TEST(EngineCaches, AResetEmptiesEveryCacheAndTheNextUseMakesItAgain) {
  struct Worked {
    std::vector<int> values;
  };
  struct Other {
    int value = 0;
  };
  korvath::skin::test::EngineGlobals engine;
  EXPECT_EQ(SkinEngineCacheRegistry().Count(), 0u);
  SkinEngineCache<Worked>().values = {1, 2, 3};
  SkinEngineCache<Other>().value = 7;
  EXPECT_EQ(&SkinEngineCache<Worked>(), &SkinEngineCacheRegistry().Get<Worked>());  // one per type
  EXPECT_EQ(SkinEngineCache<Worked>().values, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(SkinEngineCache<Other>().value, 7);
  EXPECT_EQ(SkinEngineCacheRegistry().Count(), 2u);
  SkinEngineReset();
  EXPECT_EQ(SkinEngineCacheRegistry().Count(), 0u);
  EXPECT_TRUE(SkinEngineCache<Worked>().values.empty());
  EXPECT_EQ(SkinEngineCache<Other>().value, 0);
  // The engine's own caches go too: a reset also starts the layout count anew.
  SkinNoteLayoutChange();
  SkinEngineStartup();
  EXPECT_EQ(SkinLayoutGeneration(), 1u);
}

// Memory that runs out while a cache is made, inside the registry's lock,
// leaves the lock free: the next look at the registry returns, finds no
// cache of that type, and the next use makes it.
TEST(EngineCaches, MemoryThatRunsOutWhileACacheIsMadeLeavesTheRegistryFree) {
  struct Made {
    int value = 0;
  };
  korvath::skin::test::EngineGlobals engine;
  EXPECT_TRUE(ThrowsWhenAnAllocationFails([] { SkinEngineCache<Made>(); }));
  const HangGuard guard(kHangMs);
  EXPECT_EQ(SkinEngineCacheRegistry().Count(), 0u);
  SkinEngineCache<Made>().value = 4;
  EXPECT_EQ(SkinEngineCache<Made>().value, 4);
  EXPECT_EQ(SkinEngineCacheRegistry().Count(), 1u);
}

// The memory DCs that painters make are kept in the engine's state: a DC made
// is its list's last entry, one freed leaves it, and one still there when the
// engine is reset is deleted with its bitmap.
TEST(EngineMemoryDcs, TheStateKeepsEveryDcMadeAndAResetDeletesWhatIsLeft) {
  korvath::skin::test::EngineGlobals engine;
  HDC freed = SkinCreateMemoryDC(RECT{0, 0, 4, 4});
  HDC left = SkinCreateMemoryDC(RECT{0, 0, 6, 2});
  ASSERT_EQ(SkinMemoryDcList().size(), 2u);
  EXPECT_EQ(SkinMemoryDcList().back().dc.get(), left);
  EXPECT_TRUE(SkinMemoryDcFree(freed));
  ASSERT_EQ(SkinMemoryDcList().size(), 1u);
  EXPECT_EQ(SkinMemoryDcList().front().dc.get(), left);
  const HGDIOBJ bitmap = GetCurrentObject(left, OBJ_BITMAP);
  SkinEngineReset();
  EXPECT_TRUE(SkinMemoryDcList().empty());
  EXPECT_EQ(GetObjectType(left), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST_F(WindowList, RecordsAreFoundByNumberAndRenumberedWhenOneIsRemoved) {
  TestWindow a(200, 120, L"A"), b(200, 120, L"B"), c(200, 120, L"C");
  HWND aButton = a.AddChild(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND aButton2 = a.AddChild(L"BUTTON", L"y", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20);
  HWND bEdit = b.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20);
  HWND bEdit2 = b.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 30, 60, 20);
  HWND bToolbar = b.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 100, 0, 60, 20);
  HWND cCombo = c.AddChild(L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 80, 90);
  for (HWND w : {a.hwnd(), b.hwnd(), c.hwnd()}) AddRecord(w);
  EXPECT_EQ(Prop(b.hwnd(), prop::Hw_lbID), 2);
  EXPECT_EQ(SkinRecordOfWindow(b.hwnd()), SkinRecordAt(2));
  Register(1, &SkinWindowRecord::Buttons, aButton);
  Register(1, &SkinWindowRecord::Buttons, aButton2);  // the first took the zeroed slot
  Register(2, &SkinWindowRecord::Edits, bEdit);
  Register(2, &SkinWindowRecord::Edits, bEdit2);
  Register(2, &SkinWindowRecord::Toolbars, bToolbar, prop::Kj_FuID);
  Register(3, &SkinWindowRecord::Combos, cCombo);
  EXPECT_EQ(SkinFindControlInRecord(*SkinRecordAt(1), aButton2), 2);
  EXPECT_EQ(SkinFindControlInRecord(*SkinRecordAt(1), nullptr), 0);

  SkinRemoveWindowRecord(1);
  ASSERT_EQ(SkinEngine.lists.SkinWindowList.size(), 2u);
  EXPECT_EQ(SkinFindWindowRecord(a.hwnd()), 0);
  EXPECT_EQ(SkinFindWindowRecord(c.hwnd()), 2);
  EXPECT_EQ(Prop(c.hwnd(), prop::Hw_lbID), 2);
  EXPECT_EQ(Prop(bEdit, prop::Hw_FuID), 1);
  EXPECT_EQ(Prop(bToolbar, prop::Kj_FuID), 1);
  EXPECT_EQ(Prop(bToolbar, prop::Hw_FuID), 0);  // the second layer only
  EXPECT_EQ(Prop(cCombo, prop::Hw_FuID), 2);
  EXPECT_EQ(Prop(bEdit2, prop::Hw_lbID), 2);  // entry numbers stay
  EXPECT_EQ(Prop(aButton, prop::Hw_FuID), 1);  // the removed window's are left
  EXPECT_EQ(SkinRecordOfWindow(c.hwnd())->Combos[0].window, cCombo);
  SetSkinProp(a.hwnd(), prop::Hw_lbID, 2);  // a number naming another window's record
  EXPECT_EQ(SkinRecordOfWindow(a.hwnd()), nullptr);
  // A box owned by a skinned form climbs to the form through its owner.
  HWND box = CreateWindowExW(0, L"STATIC", L"box", WS_POPUP, 50, 50, 120, 80, c.hwnd(), nullptr, nullptr, nullptr);
  HWND boxButton = CreateWindowExW(0, L"BUTTON", L"ok", WS_CHILD, 5, 5, 40, 20, box, nullptr, nullptr, nullptr);
  EXPECT_EQ(SkinTopSkinnedAncestor(boxButton), 2);
  EXPECT_EQ(SkinTopSkinnedAncestor(aButton), 0);
  DestroyWindow(box);
}

// A window's own container entry is read at the number it carries, and only
// when that entry is the window's: a number that names another window's
// entry (an edit's number, say), another record's list or none finds no
// container. Only a search goes through the list, and each is counted.
TEST_F(WindowList, AContainerIsFoundAtTheNumberItCarriesWithoutASearch) {
  TestWindow form(200, 120, L"form"), other(100, 80, L"other");
  HWND a = form.AddChild(L"STATIC", L"a", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND b = form.AddChild(L"STATIC", L"b", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20);
  HWND edit = form.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 60, 0, 40, 20);
  const int32_t n = AddRecord(form.hwnd());
  const int32_t m = AddRecord(other.hwnd());
  SkinWindowRecord& record = *SkinRecordAt(n);
  Register(n, &SkinWindowRecord::Containers, a);
  Register(n, &SkinWindowRecord::Containers, b);
  Register(n, &SkinWindowRecord::Edits, edit);
  SetSkinProp(edit, prop::Hw_lbID, 2);  // the edit's own number, the same as b's
  const uint64_t searches = SkinEntryListSearches();
  EXPECT_EQ(SkinContainerNumberOf(record, b), 2);
  EXPECT_EQ(SkinContainerEntryOf(record, b), &record.Containers[1]);
  EXPECT_EQ(SkinContainerEntryOf(std::as_const(record), a), &record.Containers[0]);
  EXPECT_EQ(SkinContainerNumberOf(record, a), 1);
  EXPECT_EQ(SkinContainerNumberOf(record, edit), 0);
  EXPECT_EQ(SkinContainerEntryOf(record, edit), nullptr);
  EXPECT_EQ(SkinContainerNumberOf(*SkinRecordAt(m), b), 0);
  EXPECT_EQ(SkinContainerNumberOf(record, nullptr), 0);
  EXPECT_EQ(SkinContainerNumberOf(record, form.hwnd()), 0);  // a record's window carries the record's number
  EXPECT_EQ(SkinEntryListSearches(), searches);
  EXPECT_EQ(SkinFindContainerEntry(record, b), 2);
  EXPECT_EQ(SkinFindContainerEntry(record, edit), 0);
  EXPECT_EQ(SkinEntryListSearches(), searches + 2);
}

// A control's entry is found once, with its record and number, and held: it
// stays where it is (and right) while the list grows; a control whose
// numbers lead to another control's entry finds none.
TEST_F(WindowList, AFoundEntryStaysWhereItIsWhileTheListGrows) {
  TestWindow form(200, 120, L"form");
  HWND first = form.AddChild(L"BUTTON", L"a", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND second = form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20);
  const int32_t n = AddRecord(form.hwnd());
  SkinWindowRecord& record = *SkinRecordAt(n);
  EXPECT_EQ(SkinRecordNumber(record), n);
  Register(n, &SkinWindowRecord::Buttons, first);
  Register(n, &SkinWindowRecord::Buttons, second);
  const ButtonRef ref = SkinFindEntry(second, &SkinWindowRecord::Buttons);
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref.record, &record);
  EXPECT_EQ(ref.number, 2);
  EXPECT_EQ(ref->window, second);
  SkinButtonEntry* const before = ref.get();
  for (int i = 0; i < 100; ++i) record.Buttons.emplace_back();  // grows the list
  EXPECT_EQ(ref.get(), before);
  EXPECT_EQ(ref.get(), &record.Buttons[1]);
  EXPECT_EQ((*ref).window, second);
  record.Buttons[1].Caption = "seen";
  EXPECT_EQ(ref->Caption, "seen");
  // The same entry from its numbers.
  const ButtonRef numbered = SkinFoundEntryAt(record, &SkinWindowRecord::Buttons, 2);
  EXPECT_EQ(numbered.record, &record);
  EXPECT_EQ(numbered.get(), before);
  EXPECT_EQ(numbered.number, 2);
  EXPECT_FALSE(SkinFoundEntryAt(record, &SkinWindowRecord::Buttons, 0));
  EXPECT_FALSE(SkinFoundEntryAt(record, &SkinWindowRecord::Buttons, 103));
  EXPECT_TRUE(SkinFoundEntryAt(record, &SkinWindowRecord::Buttons, 102));
  // Numbers that lead to another control's entry, or to none.
  SetSkinProp(first, prop::Hw_lbID, 2);
  const ButtonRef stray = SkinFindEntry(first, &SkinWindowRecord::Buttons);
  EXPECT_FALSE(stray);
  EXPECT_EQ(stray.get(), nullptr);
  EXPECT_EQ(stray.record, &record);  // the record its owner number names
  SetSkinProp(first, prop::Hw_lbID, 500);
  EXPECT_FALSE(SkinFindEntry(first, &SkinWindowRecord::Buttons));
  EXPECT_FALSE(ButtonRef{});
}

// A per-kind list by number: it starts with its zeroed entries; an entry
// keeps its address while the list grows and while an earlier one is
// removed, which moves the later ones' numbers down by one; what it holds
// goes with its removal.
TEST(EntryList, EntriesKeepTheirAddressesAsTheListGrowsAndAnEarlierOneGoes) {
  SkinEntryList<SkinContainerEntry> list(2);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].window, nullptr);
  EXPECT_EQ(list.back().paintedWidth, 0);
  list[0].paintedWidth = 1;
  list[1].paintedWidth = 2;
  SkinContainerEntry* const second = &list[1];
  std::vector<SkinContainerEntry*> grown;
  for (int i = 3; i <= 40; ++i) {
    SkinContainerEntry& added = list.emplace_back();
    EXPECT_EQ(added.paintedWidth, 0) << "a new entry starts zeroed";
    added.paintedWidth = i;
    grown.push_back(&added);
  }
  EXPECT_EQ(&list[1], second);
  EXPECT_EQ(SkinEntryAt(list, 2), second);
  EXPECT_EQ(SkinEntryAt(list, 40), grown.back());
  EXPECT_EQ(SkinEntryAt(list, 0), nullptr);
  EXPECT_EQ(SkinEntryAt(list, 41), nullptr);
  list.RemoveAt(1);
  ASSERT_EQ(list.size(), 39u);
  EXPECT_EQ(&list.front(), second);
  EXPECT_EQ(SkinEntryAt(list, 1), second);
  EXPECT_EQ(SkinEntryAt(list, 2), grown.front());
  EXPECT_EQ(&list.back(), grown.back());
  list.RemoveAt(0);   // no such number
  list.RemoveAt(40);  // nor this
  EXPECT_EQ(list.size(), 39u);
  int32_t expected = 2;
  for (const SkinContainerEntry& entry : std::as_const(list)) EXPECT_EQ(entry.paintedWidth, expected++);
  EXPECT_EQ(expected, 41);
  for (SkinContainerEntry& entry : list) entry.paintedWidth = -entry.paintedWidth;
  EXPECT_EQ(grown.back()->paintedWidth, -40);
  EXPECT_EQ(std::distance(list.begin(), list.end()), 39);
}

LRESULT CALLBACK TestSkinProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinForward(window, message, wParam, lParam);
}

// The one installer prologue: the zeroed first slot is taken first, the
// entry starts fresh with its window, the installer's fill runs before the
// skin's procedure stands in front (and writes into the entry it holds
// even when the list grows meanwhile), and then the control carries its
// entry's number and its owner record's and the entry keeps the procedure
// that was replaced.
TEST_F(WindowList, TakingAnEntryTakesTheZeroedSlotFirstFillsBeforeSubclassingAndSetsTheNumbers) {
  TestWindow first(100, 80, L"first"), form(200, 120, L"form");
  HWND a = form.AddChild(L"STATIC", L"a", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND b = form.AddChild(L"STATIC", L"b", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20);
  AddRecord(first.hwnd());
  const int32_t n = AddRecord(form.hwnd());
  ASSERT_EQ(n, 2);
  SkinWindowRecord& record = *SkinRecordAt(n);
  record.Trackbars[0].vertical = true;  // what the zeroed slot held goes
  const auto ownProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(a, GWLP_WNDPROC));
  bool filledBeforeSubclassing = false;
  const SkinFoundEntry<SkinTrackbarEntry> taken = SkinTakeEntry(
      record, &SkinWindowRecord::Trackbars, a, {.procedure = &TestSkinProcedure},
      [&](const SkinFoundEntry<SkinTrackbarEntry>& entry) {
        filledBeforeSubclassing = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(a, GWLP_WNDPROC)) == ownProcedure &&
                                  GetSkinProp(a, prop::Hw_hProc) == 0 && entry->window == a && !entry->vertical;
        for (int i = 0; i < 50; ++i) record.Trackbars.emplace_back();  // the list grows meanwhile
        entry->tickPlacement = 7;
      });
  EXPECT_TRUE(filledBeforeSubclassing);
  EXPECT_EQ(taken.number, 1);
  EXPECT_EQ(taken.get(), &record.Trackbars[0]);
  EXPECT_EQ(record.Trackbars[0].window, a);
  EXPECT_EQ(record.Trackbars[0].tickPlacement, 7);
  EXPECT_EQ(record.Trackbars[0].savedProc, ownProcedure);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(a, GWLP_WNDPROC)), &TestSkinProcedure);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_lbID), 1);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_FuID), n);
  EXPECT_EQ(GetSkinPropHandle<WNDPROC>(a, prop::Hw_hProc), ownProcedure);
  // The next takes a new slot at the end, in the control layer's slot here.
  const auto next = SkinTakeEntry(record, &SkinWindowRecord::Toolbars, b,
                                  {.procedure = &TestSkinProcedure, .slot = &kControlLayerSlot});
  EXPECT_EQ(next.number, 1);
  EXPECT_EQ(GetSkinProp(b, prop::Kj_lbID), 1);
  EXPECT_EQ(GetSkinProp(b, prop::Kj_FuID), n);
  EXPECT_EQ(GetSkinProp(b, prop::Hw_lbID), 0);
  const auto third = SkinTakeEntry(record, &SkinWindowRecord::Trackbars, b, {.procedure = &TestSkinProcedure});
  EXPECT_EQ(third.number, 52);
  EXPECT_EQ(third->window, b);
  EXPECT_EQ(third->savedProc, nullptr);  // another skin stands in front: refused
  SkinUnsubclass(a);
  SkinUnsubclass(b, kControlLayerSlot);
}

// Every installer skips a window subclassed through either layer: a second
// install would forward to itself for ever.
TEST(WindowProps, EitherLayerMarksAWindowSubclassed) {
  TestWindow window(100, 80, L"props");
  HWND w = window.hwnd();
  HWND other = window.AddChild(L"BUTTON", L"b", WS_CHILD, 30, 0, 20, 20);
  SetSkinProp(w, prop::Zqk_bjs, -1);  // "no colour" comes back as it went
  EXPECT_EQ(Prop(w, prop::Zqk_bjs), -1);
  EXPECT_FALSE(SkinIsSubclassed(w));
  SetSkinPropHandle(w, prop::Hw_hProc, WNDPROC(DefWindowProcW));
  SetSkinPropHandle(other, prop::Kj_hProc, WNDPROC(DefWindowProcW));
  EXPECT_TRUE(SkinIsSubclassed(w));
  EXPECT_TRUE(SkinIsSubclassed(other));
}

// Each key is written to the window under the one name other programs read
// it by; the properties that others set for the engine are read from the
// window, not from the engine's own table.
TEST(WindowProps, EachKeyIsCarriedUnderItsOwnName) {
  const std::vector<std::string> names = {
      "Hw_lbID",   "Hw_FuID",   "Hw_hProc",  "Kj_lbID",   "Kj_FuID",   "Kj_hProc",   "Kj_Ztys",   "Kj_Jzzts",
      "Kj_dxjb",   "Kj_wtjb",   "Xzk_dhxg",  "Mngd_zct",  "Zqk_Szqk",  "Zqk_bjs",    "Zqk_bjstmd", "Zqk_gljb",
      "Zqk_LbID",  "Zqk_Jgc",   "Kjsx_bkk",  "Zqk_FuID",  "Yyck_Glck", "Yyck_yyWz",  "Yyck_yysd", "Yyck_yyys",
      "Yyck_Tmd",  "Mb_zpf",    "Ck_Ycjdx",  "Ck_wtjbdx", "CK_Ggcj",   "Kj_bjys",    "Kj_bjystmd", "Wxk_Zpf",
      "Wxk_Cj",    "Wxk_LBID",  "Sxk_Tpzsy", "Ck_cdjb",   "CK_Fcck",   "Fc_lbID",    "Fcsx_bjcj", "Fcsx_gycj"};
  ASSERT_EQ(names.size(), kSkinPropCount);
  TestWindow window(100, 80, L"props");
  HWND w = window.hwnd();
  for (size_t i = 0; i < kSkinPropCount; ++i) {
    const auto key = SkinProp(i);
    EXPECT_EQ(std::string(SkinPropName(key)), names[i]);
    SetSkinProp(w, key, LONG_PTR(100 + i));
  }
  for (size_t i = 0; i < kSkinPropCount; ++i) {
    EXPECT_EQ(LONG_PTR(GetPropA(w, names[i].c_str())), LONG_PTR(100 + i)) << names[i];
    EXPECT_EQ(GetSkinProp(w, SkinProp(i)), LONG_PTR(100 + i)) << names[i];
  }
  // Set by others: what the window carries is what the engine reads.
  const std::vector<SkinProp> others = {prop::Kj_bjys, prop::Kj_bjystmd, prop::Wxk_Zpf, prop::Wxk_Cj,
                                        prop::Wxk_LBID, prop::Sxk_Tpzsy, prop::Ck_cdjb,  prop::CK_Fcck,
                                        prop::Fc_lbID, prop::Fcsx_bjcj, prop::Fcsx_gycj};
  for (const SkinProp key : others) {
    EXPECT_TRUE(SkinPropSetByOthers(key)) << SkinPropName(key);
    SetPropA(w, SkinPropName(key), HANDLE(LONG_PTR(7)));
    EXPECT_EQ(GetSkinProp(w, key), 7) << SkinPropName(key);
  }
  EXPECT_FALSE(SkinPropSetByOthers(prop::Hw_lbID));
  EXPECT_FALSE(SkinPropSetByOthers(prop::CK_Ggcj));
}

// Memory that runs out while the engine's table of properties takes a new
// window's row, inside the table's lock, leaves the lock free: the next read
// and write return, what the table held stays, and the window's row is
// taken at its next write.
TEST(WindowProps, MemoryThatRunsOutWhileARowIsAddedLeavesTheTableFree) {
  TestWindow window(100, 80, L"props");
  HWND kept = window.hwnd();
  HWND fresh = window.AddChild(L"BUTTON", L"b", WS_CHILD, 30, 0, 20, 20);
  SetSkinProp(kept, prop::Kj_Ztys, 5);
  EXPECT_TRUE(ThrowsWhenAnAllocationFails([fresh] { SetSkinProp(fresh, prop::Kj_Ztys, 6); }));
  const HangGuard guard(kHangMs);
  EXPECT_EQ(GetSkinProp(kept, prop::Kj_Ztys), 5);
  SetSkinProp(fresh, prop::Kj_Ztys, 7);
  EXPECT_EQ(GetSkinProp(fresh, prop::Kj_Ztys), 7);
}

int g_calls = 0;
int32_t CALLBACK One(int32_t a) { return ++g_calls, a * 2; }
int32_t CALLBACK Four(int32_t a, int32_t b, int32_t c, int32_t d) { return ++g_calls, a * 1000 + b * 100 + c * 10 + d; }
int32_t __cdecl CdeclThree(int32_t a, int32_t b, int32_t c) { return ++g_calls, a - b - c; }
int32_t __cdecl CdeclFour(int32_t a, int32_t b, int32_t c, int32_t d) { return ++g_calls, a * b * c * d; }

// Callbacks are typed function pointers: a call that would unbalance the
// stack, or lacks its routine or arguments, is refused.
TEST(CallFunctionPointer, PassesArgumentsInOrderKeepsTheStackAndRefusesUnsafeCalls) {
  EXPECT_EQ(CallFunctionPointer(Four, {4, 3, 2, 1}), 4321);
  EXPECT_EQ(CallFunctionPointer(CdeclThree, {10, 3, 2}, true), 5);
  EXPECT_EQ(CallFunctionPointer(One, {5, 99, 98}), 10);  // the rest are not passed
  g_calls = 0;
  EXPECT_EQ(CallFunctionPointer(CdeclThree, {10, 3, 2}, false), 0);
  EXPECT_EQ(CallFunctionPointer(Four, {1, 2, 3, 4}, true), 0);
  EXPECT_EQ(CallFunctionPointer(SkinRoutine(), {1, 2}), 0);
  EXPECT_EQ(CallFunctionPointer(Four, {1, 2}), 0);
  EXPECT_EQ(g_calls, 0);
  volatile int32_t guard = 0x5A5A5A5A;
  int64_t sum = 0;
  for (int i = 0; i < 200000; ++i) sum += CallFunctionPointer(Four, {1, 1, 1, 1}) + CallFunctionPointer(CdeclFour, {1, 1, 1, 1});
  EXPECT_EQ(sum, 200000LL * (1111 + 1));
  EXPECT_EQ(guard, 0x5A5A5A5A);
}

struct RecordingTarget : SkinCallbackTarget {
  std::vector<int32_t> pending;
  int32_t SetRedrawPending(int32_t value) override { return pending.push_back(value), value; }
  SIZE PaintedSize() const override { return {30, 20}; }
};

TEST_F(CallbackSlots, EachCallReachesItsOwnMethodOnlyInSlotsThatExistAndHoldAnObject) {
  RecordingTarget target;
  SkinEngine.lists.SkinCallbackList = {SkinCallbackEntry{nullptr, &target, false},
                                       SkinCallbackEntry{nullptr, nullptr, true}};
  for (int32_t slot : {0, -1, 3, 2}) {
    EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 0) << slot;
    const SIZE none = SkinRequestPaintedSize(slot);
    EXPECT_EQ(std::pair(none.cx, none.cy), std::pair(0L, 0L)) << slot;
  }
  EXPECT_TRUE(target.pending.empty());
  EXPECT_EQ(SkinInvokeCallback(1, 5, 0, 7), 5);
  const SIZE size = SkinRequestPaintedSize(1);
  EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(30L, 20L));
  EXPECT_EQ(target.pending, std::vector<int32_t>{5});  // the size request sets nothing
}

}  // namespace
