// The support library is what every window test stands on: if capture,
// dialog answering or input were wrong, every test above it would lie.
#include <gtest/gtest.h>

#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

using namespace testsupport;

TEST(Capture, ClientAreaShowsTheWindowBackground) {
  TestWindow w(200, 150, L"capture", WS_POPUP | WS_VISIBLE, nullptr, RGB(10, 200, 30));
  PumpUntil([&] { return ColorNear(CaptureClient(w.hwnd()).RgbAt(100, 75), 0x0AC81E); });
  PixelBuffer shot = CaptureClient(w.hwnd());
  ASSERT_EQ(shot.width, 200);
  ASSERT_EQ(shot.height, 150);
  EXPECT_TRUE(ColorNear(shot.RgbAt(100, 75), 0x0AC81E)) << std::hex << shot.RgbAt(100, 75);
}

TEST(Capture, DibSectionPixelsComeBackAsArgb) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 3);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT r = {0, 0, 4, 3};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(mem, &r, blue);
  SetPixel(mem, 3, 2, RGB(255, 0, 0));
  PixelBuffer p = CaptureDC(mem, 0, 0, 4, 3);
  EXPECT_EQ(p.RgbAt(0, 0), 0x0000FFu);
  EXPECT_EQ(p.RgbAt(3, 2), 0xFF0000u);
  SelectObject(mem, old);
  DeleteObject(blue);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

TEST(Png, EncodedFileStartsWithSignatureAndHeader) {
  std::vector<uint32_t> px(6, 0xFF112233u);
  std::vector<uint8_t> png = EncodePng(3, 2, px);
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png[0], 0x89);
  EXPECT_EQ(png[1], 'P');
  EXPECT_EQ(png[12], 'I');
  EXPECT_EQ(png[19], 3);  // width, big-endian
  EXPECT_EQ(png[23], 2);  // height
}

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

TEST(Input, TypedTextReachesTheFocusedEdit) {
  TestWindow w(300, 100, L"input");
  HWND edit = w.AddChild(L"Edit", L"", WS_BORDER, 10, 10, 200, 24, 1);
  Activate(w.hwnd());
  SetFocus(edit);
  TypeText(L"ab张三");
  EXPECT_EQ(WindowText(edit), L"ab张三");
}

static int g_clicks = 0;
static LRESULT CALLBACK CountClicks(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND && LOWORD(wp) == 7) ++g_clicks;
  return DefWindowProcW(h, m, wp, lp);
}

TEST(Input, ClickReachesAButton) {
  g_clicks = 0;
  TestWindow w(300, 100, L"click", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CountClicks);
  HWND b = w.AddChild(L"Button", L"go", BS_PUSHBUTTON, 10, 10, 80, 30, 7);
  Activate(w.hwnd());
  RECT r;
  GetWindowRect(b, &r);
  MapWindowPoints(nullptr, w.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  Click(w.hwnd(), r.left + 40, r.top + 15);
  EXPECT_TRUE(PumpUntil([] { return g_clicks == 1; }, 2000));
}
