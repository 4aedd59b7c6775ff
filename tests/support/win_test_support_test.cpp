// The dialog answerer is what keeps a window test from hanging on a box it
// did not expect and lets it name the button it wants; the count of live
// USER objects sees an icon come and go; capture, PNG encoding
// and input are checked by the tests that stand on them (the form, painting
// and picture tests compare their exact results).
#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "tests/support/win_test_support.h"

using namespace testsupport;

TEST(Dialogs, AnswererPressesTheRequestedButtonAndRecordsTheText) {
  DialogAnswerer answerer({PressButton(IDNO), PressButton(IDOK)});
  int first = MessageBoxW(nullptr, L"替换吗?", L"提示", MB_YESNO);
  int second = MessageBoxW(nullptr, L"完成", L"", MB_OK);
  EXPECT_EQ(first, IDNO);
  EXPECT_EQ(second, IDOK);
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[0].caption, L"提示");
  EXPECT_EQ(answerer.seen()[0].text, L"替换吗?");
}

TEST(Dialogs, UnexpectedDialogIsCancelledInsteadOfHanging) {
  DialogAnswerer answerer;
  int r = MessageBoxW(nullptr, L"surprise", L"x", MB_OKCANCEL);
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(answerer.seen().size(), 1u);
}

// An icon made and not yet destroyed counts as one live object more.
TEST(Resources, AnIconCountsWhileItLives) {
  const long before = LiveUserObjects();
  BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
  const HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LiveUserObjects(), before + 1);
  DestroyIcon(icon);
  EXPECT_EQ(LiveUserObjects(), before);
}

// The windows that Wine draws itself (the file and folder dialogs that the
// tool opens) take their caption buttons from Marlett: the prefix carries
// the face, or their close button shows the letter "r".
TEST(WinePrefix, CaptionButtonsHaveTheirFace) {
  const korvath::platform::GdiFont font(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                    DEFAULT_PITCH, L"Marlett"));
  const korvath::platform::MemoryDC dc = korvath::platform::MemoryDC::CompatibleWith(nullptr);
  const korvath::platform::SelectScope selected(dc.get(), font.get());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc.get(), LF_FACESIZE, face);
  EXPECT_STREQ(face, L"Marlett");
}

// A caret blinks (every half second under Wine, whatever the blink time
// says): a settled picture taken while it blinks off waits for it to show,
// so that a picture of a focused box shows where one types.
TEST(Screen, ASettledPictureShowsTheBlinkingCaret) {
  TestWindow window(240, 80, L"caret", WS_POPUP | WS_VISIBLE);
  SetWindowPos(window.hwnd(), HWND_TOPMOST, 60, 60, 0, 0, SWP_NOSIZE);
  const HWND edit = window.AddChild(L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 30);
  SetForegroundWindow(window.hwnd());
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  RECT r;
  GetWindowRect(edit, &r);
  POINT caret;
  ASSERT_TRUE(GetCaretPos(&caret));
  // The caret's column is dark on the white box while it shows.
  const auto caretOn = [&](const PixelBuffer& p) {
    int dark = 0;
    for (int y = 0; y < p.height; ++y) dark += (p.RgbAt(caret.x, y) & 0xFF) < 0x80;
    return dark >= 8;
  };
  ASSERT_TRUE(PumpUntil([&] { return caretOn(CaptureScreen(r)); }, 3000)) << "the caret never showed";
  ASSERT_TRUE(PumpUntil([&] { return !caretOn(CaptureScreen(r)); }, 3000)) << "the caret never blinked off";
  const PixelBuffer picture = SettledScreen(r);
  ASSERT_FALSE(picture.Empty());
  if (!caretOn(picture)) SaveFailureImage(picture, "settled_caret");
  EXPECT_TRUE(caretOn(picture));
  EXPECT_TRUE(ShowsCaret(picture, r));
}
