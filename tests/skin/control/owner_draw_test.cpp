// The owner-drawn items' dispatcher: through the form's real WM_DRAWITEM,
// each push-button kind is drawn by its own painter with what the message
// carried; other buttons and other item types by none.
#include "skin/control/owner_draw.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "skin/button/image_button_painter.h"
#include "skin/button/picture_button_painter.h"
#include "skin/button/vector_button_painter.h"
#include "skin/core/entry_install.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/skinned_form.h"
#include "tests/support/png_writer.h"

namespace korvath::skin {
namespace {

using namespace test;
using testsupport::PixelBuffer;

constexpr int kWidth = 240, kHeight = 200;
constexpr uint32_t kUntouched = 0x123456;  // the owner's child layer before a paint

// What the form's WM_DRAWITEM carried, before the dispatcher drew it.
std::vector<DRAWITEMSTRUCT> items;

// The skinned form's answer to WM_DRAWITEM: the dispatcher.
LRESULT CALLBACK DispatchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DRAWITEM) return DefWindowProcW(window, message, wParam, lParam);
  const DRAWITEMSTRUCT& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  items.push_back(item);
  if (SkinWindowRecord* record = SkinRecordOfWindow(window)) SkinDrawItem(*record, item);
  return TRUE;
}

class OwnerDrawTest : public EngineTest {
 protected:
  // A painter leaves its picture in the owner's child layer, at the button's
  // place: the layer, cleared before each paint, shows what was drawn.
  void ClearLayer() const { FillPattern(form_.record().ChildBackDC.get(), kWidth, kHeight, nullptr, kUntouched); }
  PixelBuffer Layer() const { return Pixels(form_.record().ChildBackDC.get(), kWidth, kHeight); }

  SkinnedForm form_{kWidth, kHeight};
};

TEST_F(OwnerDrawTest, EachPushButtonKindReachesItsPainterOtherButtonsNone) {
  using Painter = void (*)(const ButtonRef&, HDC, UINT, const RECT&);
  const Painter painters[] = {ButtonSkinPaintVector, ButtonSkinPaint, ButtonSkinPaintImage};
  SetWindowLongPtrW(form_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DispatchingProc));
  std::vector<HWND> buttons;
  std::vector<int32_t> numbers;
  const ByteSet redPicture = testsupport::EncodePng(20, 20, std::vector<uint32_t>(20 * 20, 0xFFFF0000));
  // The last two: no entry, and another button's entry.
  const std::optional<ButtonKind> kinds[] = {ButtonKind::Vector, ButtonKind::Picture,  ButtonKind::Image,
                                             ButtonKind::Radio,  ButtonKind::CheckBox, ButtonKind::ImageToggle,
                                             std::nullopt,       std::nullopt};
  for (const std::optional<ButtonKind> kind : kinds) {
    const int i = int(buttons.size());
    buttons.push_back(form_.AddChild(L"BUTTON", BS_OWNERDRAW | (kind == ButtonKind::Image ? WS_DISABLED : 0),
                                     5 + 29 * i, 10, 25 + i, 25));
    form_.Skin(buttons.back());  // registered as the button installer does
    numbers.push_back(0);
    if (!kind) continue;
    auto& list = form_.record().Buttons;
    const int32_t n = SkinTakeEntrySlot(list);
    // A picture and a frame, which each push-button kind shows its own way.
    list[size_t(n) - 1] = {.window = buttons.back(), .Kind = *kind, .NormalImage = redPicture, .ShowFrame = true};
    SetSkinProp(buttons.back(), prop::Hw_lbID, n);
    numbers.back() = n;
  }
  SetSkinProp(buttons[7], prop::Hw_lbID, 1);
  testsupport::PumpMessages();
  ClearLayer();
  const PixelBuffer untouched = Layer();
  for (int i = 0; i < int(buttons.size()); ++i) {
    SCOPED_TRACE(i);
    items.clear();
    InvalidateRect(buttons[i], nullptr, TRUE);
    UpdateWindow(buttons[i]);  // the form gets WM_DRAWITEM now
    ASSERT_EQ(items.size(), 1u);
    const DRAWITEMSTRUCT item = items[0];
    EXPECT_EQ(item.hwndItem, buttons[i]);
    EXPECT_EQ(item.rcItem, (RECT{0, 0, 25 + i, 25}));
    EXPECT_EQ((item.itemState & ODS_DISABLED) != 0, i == 2);
    const PixelBuffer dispatched = Layer();
    ClearLayer();
    // Radio buttons, check boxes and the rest paint themselves.
    if (i >= 3) {
      EXPECT_EQ(dispatched.pixels, untouched.pixels);
      continue;
    }
    // The picture of the kind's own painter given what the message carried,
    // which no other painter makes.
    const ButtonRef button = SkinFoundEntryAt(form_.record(), &SkinWindowRecord::Buttons, numbers[i]);
    for (int p = 0; p < 3; ++p) {
      HDC dc = GetDC(buttons[i]);
      painters[p](button, dc, item.itemState, item.rcItem);
      ReleaseDC(buttons[i], dc);
      EXPECT_EQ(Layer().pixels == dispatched.pixels, p == i) << "painter " << p;
      ClearLayer();
    }
  }
  // A companion owner's button item and a list box's item: nothing is drawn.
  DRAWITEMSTRUCT item = {ODT_BUTTON};
  item.hwndItem = buttons[0];
  item.rcItem = {0, 0, 25, 25};
  HDC dc = GetDC(buttons[0]);
  item.hDC = dc;
  SkinDrawCompanionItem(form_.number(), item);
  item.CtlType = ODT_LISTBOX;
  SkinDrawItem(form_.record(), item);
  ReleaseDC(buttons[0], dc);
  EXPECT_EQ(Layer().pixels, untouched.pixels);
}

}  // namespace
}  // namespace korvath::skin
