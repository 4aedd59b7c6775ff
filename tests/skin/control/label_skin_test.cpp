// Transparent labels on a skinned form: their text over the form's skinned
// background, their numbers, the copy from the child layer while clean, and
// one layer of subclassing however often they are attached.
#include "skin/control/label_skin.h"

#include <gtest/gtest.h>
#include <gdiplus.h>

#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/attach.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::ColorNear;
using testsupport::PixelBuffer;
using test::Shown;

constexpr uint32_t kBackground = 0x4080C0;  // the form's skinned background
constexpr uint32_t kLayerMark = 0x00FF00;   // painted into the child layer by the tests

class LabelSkinTest : public test::EngineTest {
 protected:
  LabelSkinTest() { SkinEngine.options.SkinEnabled = true; }
  HWND AddLabel(const wchar_t* text, int x, int y, HWND parent = nullptr) {
    const HWND label = CreateWindowExW(0, L"Static", text, WS_CHILD | WS_VISIBLE, x, y, 120, 24,
                                       parent ? parent : form_.hwnd(), nullptr, nullptr, nullptr);
    return label;
  }
  static void Repaint(HWND window, bool erase) {
    InvalidateRect(window, nullptr, erase);
    UpdateWindow(window);
  }
  // Dark (text) pixels of a label's picture on the screen.
  static int DarkPixels(const PixelBuffer& pixels, int fromX = 0) {
    int dark = 0;
    for (int y = 0; y < pixels.height; ++y)
      for (int x = fromX; x < pixels.width; ++x) {
        const uint32_t p = pixels.RgbAt(x, y);
        if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 150) ++dark;
      }
    return dark;
  }
  void MarkLayer(HWND label) {
    RECT r = {};
    GetWindowRect(label, &r);
    MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    const platform::GdiBrush mark(CreateSolidBrush(RGB(0, 0xFF, 0)));
    FillRect(SkinRecordAt(form_.recordNumber())->ChildBackDC.get(), &r, mark.get());
  }
  fixture::SkinnedForm form_{300, 200, kBackground};
};

// Labels take the numbers 1, 2, ... in the order of their attach, whatever
// the zeroed first entry held, and are drawn as black text at the left,
// centred in height, over the form's skinned background (no background of
// their own).
TEST_F(LabelSkinTest, LabelsAreNumberedAndDrawnAsTextOverTheBackground) {
  const HWND first = AddLabel(L"WWW", 20, 20), second = AddLabel(L"", 20, 60);
  EXPECT_EQ(LabelSkinAttach(first), 1);
  EXPECT_EQ(LabelSkinAttach(second), 1);
  EXPECT_EQ(GetSkinProp(first, prop::Hw_lbID), 1);
  EXPECT_EQ(GetSkinProp(second, prop::Hw_lbID), 2);
  EXPECT_EQ(GetSkinProp(second, prop::Hw_FuID), form_.recordNumber());
  const SkinLabelEntry& entry = SkinRecordAt(form_.recordNumber())->Labels[0];
  EXPECT_EQ(entry.verticalAlignment, 1);
  EXPECT_FALSE(entry.haloColor.has_value());

  Repaint(first, true);
  Repaint(second, true);
  const PixelBuffer text = Shown(first);
  EXPECT_GT(DarkPixels(text), 20);
  EXPECT_EQ(DarkPixels(text, 60), 0) << "left-aligned";
  for (int y : {0, 1, 22, 23}) EXPECT_TRUE(ColorNear(text.RgbAt(10, y), kBackground, 0)) << y;
  EXPECT_TRUE(ColorNear(text.RgbAt(100, 12), kBackground, 0));
  const PixelBuffer empty = Shown(second);
  EXPECT_EQ(DarkPixels(empty), 0);
  EXPECT_TRUE(ColorNear(empty.RgbAt(5, 5), kBackground, 0));
}

// A halo is asked for by giving its colour, black included.
TEST_F(LabelSkinTest, AGivenHaloColourGivesAHaloEvenWhenBlack) {
  const HWND label = AddLabel(L"WWW", 20, 20);
  LabelSkinAttach(label, {.haloColour = COLORREF(0)});
  EXPECT_TRUE(SkinRecordAt(form_.recordNumber())->Labels[0].haloColor.has_value());
}

// New text is drawn at once, before the label's own procedure stores it;
// a clean label's repaint is a copy of its picture in the child layer, and a
// move or an erase by its active owner draws it again.
TEST_F(LabelSkinTest, NewTextIsDrawnAtOnceAndACleanLabelIsCopiedFromTheLayer) {
  const HWND label = AddLabel(L"", 20, 20);
  LabelSkinAttach(label);
  Repaint(label, true);
  EXPECT_EQ(DarkPixels(Shown(label)), 0);
  SetWindowTextW(label, L"WWW");
  EXPECT_GT(DarkPixels(Shown(label)), 20);
  EXPECT_FALSE(SkinRecordAt(form_.recordNumber())->Labels[0].dirty);

  MarkLayer(label);
  Repaint(label, false);
  EXPECT_TRUE(ColorNear(Shown(label).RgbAt(100, 12), kLayerMark, 0));

  Repaint(label, true);  // the active owner's erase: drawn in full
  EXPECT_TRUE(ColorNear(Shown(label).RgbAt(100, 12), kBackground, 0));
  MarkLayer(label);
  SetWindowPos(label, nullptr, 24, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(label);
  EXPECT_TRUE(ColorNear(Shown(label).RgbAt(100, 12), kBackground, 0));
}

// Asked for its client through WM_PRINTCLIENT, a label gives what its
// window shows, drawn again while it changed and from its owner's layer
// once clean.
TEST_F(LabelSkinTest, PrintingTheClientGivesWhatTheWindowShows) {
  const HWND label = AddLabel(L"WWW", 20, 20);
  LabelSkinAttach(label);
  Repaint(label, true);
  const PixelBuffer shown = Shown(label);
  EXPECT_GT(DarkPixels(shown), 20);
  EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(label), shown)) << "clean";
  SkinRecordAt(form_.recordNumber())->Labels[0].dirty = true;
  EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(label), shown)) << "changed";
}

// Text set from code shows at once as the skin draws it, not as the static
// control's own look: the same picture as a full drawing of the label.
TEST_F(LabelSkinTest, NewTextShowsAtOnceAsTheSkinDrawsIt) {
  const HWND label = AddLabel(L"", 20, 20);
  LabelSkinAttach(label);
  Repaint(label, true);
  const PixelBuffer empty = Shown(label);
  SetWindowTextW(label, L"WWW");
  const PixelBuffer shown = Shown(label);
  EXPECT_NE(shown.pixels, empty.pixels);
  LabelSkinPaint(SkinFindEntry(label, &SkinWindowRecord::Labels));
  const PixelBuffer drawn = Shown(label);
  EXPECT_EQ(shown.pixels, drawn.pixels);
  if (HasFailure()) {
    testsupport::SaveFailureImage(shown, "label_set_text");
    testsupport::SaveFailureImage(drawn, "label_drawn");
  }
}

// The text stands where its layout puts it: black, regular "宋体" at 12
// pixels, from 2 pixels left of the label to 6 beyond its right edge, at the
// left and centred in height on one line, over the background; the same
// drawing made directly with GDI+ gives the same pixels.
TEST_F(LabelSkinTest, TheTextStandsWhereItsLayoutPutsIt) {
  const HWND label = AddLabel(L"WWW", 20, 20);
  LabelSkinAttach(label);
  Repaint(label, true);
  const PixelBuffer shown = Shown(label);

  using namespace Gdiplus::DllExports;
  SkinMemoryDc expected = SkinMemoryDc::Create(120, 24);
  {
    const platform::GdiBrush back(CreateSolidBrush(RGB(0x40, 0x80, 0xC0)));
    const RECT all = {0, 0, 120, 24};
    FillRect(expected.get(), &all, back.get());
  }
  Gdiplus::GpGraphics* g = nullptr;
  Gdiplus::GpFontFamily* family = nullptr;
  Gdiplus::GpFont* font = nullptr;
  Gdiplus::GpStringFormat* format = nullptr;
  Gdiplus::GpSolidFill* ink = nullptr;
  ASSERT_EQ(GdipCreateFromHDC(expected.get(), &g), Gdiplus::Ok);
  ASSERT_EQ(GdipCreateFontFamilyFromName(L"\u5B8B\u4F53", nullptr, &family), Gdiplus::Ok);
  GdipCreateFont(family, 12, 0, Gdiplus::UnitWorld, &font);
  GdipCreateStringFormat(Gdiplus::StringFormatFlagsLineLimit | Gdiplus::StringFormatFlagsNoWrap, 0, &format);
  GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentNear);
  GdipSetStringFormatLineAlign(format, Gdiplus::StringAlignmentCenter);
  GdipCreateSolidFill(0xFF000000, &ink);
  const Gdiplus::RectF layout(-2, 0, 128, 24);
  EXPECT_EQ(GdipDrawString(g, L"WWW", -1, font, &layout, format, ink), Gdiplus::Ok);
  GdipDeleteBrush(ink);
  GdipDeleteStringFormat(format);
  GdipDeleteFont(font);
  GdipDeleteFontFamily(family);
  GdipDeleteGraphics(g);
  const PixelBuffer reference = testsupport::CaptureDC(expected.get(), 0, 0, 120, 24);
  EXPECT_GT(DarkPixels(reference), 20);
  EXPECT_EQ(shown.pixels, reference.pixels);
  if (HasFailure()) {
    testsupport::SaveFailureImage(shown, "label_text_shown");
    testsupport::SaveFailureImage(reference, "label_text_reference");
  }
}

// A label whose text area reaches into a neighbour (the HP label and the HP
// box) is drawn around the neighbour, whose edge stays.
TEST_F(LabelSkinTest, ALabelLeavesAnOverlappingNeighbourAlone) {
  const HWND label = AddLabel(L"WWW", 20, 20);
  const HWND box = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 130, 20, 60, 24,
                                   form_.hwnd(), nullptr, nullptr, nullptr);
  UpdateWindow(box);
  const uint32_t boxColour = Shown(box).RgbAt(5, 12);
  ASSERT_FALSE(ColorNear(boxColour, kBackground, 8));
  LabelSkinAttach(label);
  Repaint(label, true);
  const PixelBuffer shown = Shown(label);
  EXPECT_TRUE(ColorNear(shown.RgbAt(100, 12), kBackground, 0));
  EXPECT_TRUE(ColorNear(shown.RgbAt(115, 12), boxColour, 0));
  SetWindowTextW(label, L"WW");  // the static paints its own look first
  UpdateWindow(box);
  EXPECT_TRUE(ColorNear(Shown(label).RgbAt(115, 12), boxColour, 0));
}

// A second attach, or one over another skin's subclassing, leaves the label
// with one layer: messages still reach its own procedure. A window with no
// skinned top-level window is left alone.
TEST_F(LabelSkinTest, OnlyALabelOfASkinnedWindowIsAttachedAndOnlyOnce) {
  const HWND label = AddLabel(L"WWW", 20, 20);
  const LONG_PTR own = GetWindowLongPtrW(label, GWLP_WNDPROC);
  ASSERT_EQ(LabelSkinAttach(label), 1);
  EXPECT_EQ(LabelSkinAttach(label), 0);
  EXPECT_EQ(GetSkinProp(label, prop::Hw_hProc), own);
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Labels.size(), 1u);
  EXPECT_EQ(SendMessageW(label, WM_GETTEXTLENGTH, 0, 0), 3);

  testsupport::TestWindow plain(200, 100);
  const HWND loose = CreateWindowExW(0, L"Static", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, plain.hwnd(),
                                     nullptr, nullptr, nullptr);
  const LONG_PTR looseProc = GetWindowLongPtrW(loose, GWLP_WNDPROC);
  EXPECT_EQ(LabelSkinAttach(loose), 0);
  EXPECT_EQ(GetWindowLongPtrW(loose, GWLP_WNDPROC), looseProc);
  EXPECT_EQ(GetSkinProp(loose, prop::Hw_lbID), 0);
}

}  // namespace
}  // namespace korvath::skin
