// The form runtime on real windows: events only for the user's actions,
// wherever a control sits; unit properties; Esc; placement (Tab and Enter
// are in form_keyboard_test.cpp, the focus kept through a box, another
// window and minimising in form_focus_test.cpp). Its GBK and
// file commands (replacing files beside the old one and reading read-only
// files: the tool's writing and reading tests).
#include <gtest/gtest.h>

#include <fstream>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/form.h"
#include "platform/gbk_convert.h"
#include "tests/platform/form_fixture.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace korvath::platform::formtest;
using namespace testsupport;

TEST_F(FormTest, WindowIsCentredCreationDoneRunsBeforeItShowsAndCodeRaisesNoEvents) {
  RECT r;
  GetWindowRect(form_.WindowHandle(), &r);
  EXPECT_EQ(std::vector({r.left, r.top, r.right - r.left, r.bottom - r.top}),
            std::vector<LONG>({(GetSystemMetrics(SM_CXSCREEN) - 409) / 2, (GetSystemMetrics(SM_CYSCREEN) - 471) / 2, 409, 471}));
  EXPECT_TRUE(g_events[kShownAtCreationDone] == 0 && IsWindowVisible(form_.WindowHandle()));
  EXPECT_EQ(GetParent(H(kCombo)), H(kGroup));
  EXPECT_FALSE(form_.Create(description_));  // one window per form
  // Writes from code raise nothing, except for an edit box's content.
  form_.SetComboSelectedIndex(kCombo, 3);
  form_.SetRadioChecked(kRadioB, true);
  EXPECT_FALSE(form_.RadioChecked(kRadioA));
  EXPECT_TRUE(form_.ComboBoxSelectText(kCombo, "AB"));  // by prefix, ignoring case
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 2);
  EXPECT_EQ(g_events[kSelection] + g_events[kRadioClick] + g_events[kEditChanged], 0);
  form_.SetEditContent(kEdit, "abc");
  form_.SetEditContent(kEdit, "abc");  // the same text again still counts
  EXPECT_EQ(g_events[kEditChanged], 2);
}

TEST_F(FormTest, UserActionsInsideAGroupBoxReachTheirHandlers) {
  ClickMiddle(H(kRadioB));
  EXPECT_TRUE(PumpUntil([] { return g_events[kRadioClick] == 1; }, 2000));
  EXPECT_TRUE(form_.RadioChecked(kRadioB));
  ClickMiddle(H(kCombo));
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(H(kCombo), CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  COMBOBOXINFO info = {sizeof(info)};
  GetComboBoxInfo(H(kCombo), &info);
  RECT item;
  SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  Click(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  EXPECT_TRUE(PumpUntil([] { return g_events[kSelection] == 1; }, 2000));
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 2);
  PressKey(VK_DOWN);
  EXPECT_TRUE(PumpUntil([] { return g_events[kSelection] == 2; }, 2000));
  ClickMiddle(H(kButton));
  EXPECT_TRUE(PumpUntil([] { return g_events[kButtonClick] == 1; }, 2000));
}

TEST_F(FormTest, EditEventsComeFromTheBoxItselfAlsoUnderAnotherParentAndEscCloses) {
  // A skin may put an edit box under a panel window of its own, whose
  // procedure passes the box's notifications nowhere.
  HWND panel = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 5, 380, 200, 60, form_.WindowHandle(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SetParent(H(kEdit), panel);
  ClickMiddle(H(kEdit));
  TypeText(L"a张bcdefghijklmnopq");  // stops at the box's 16 bytes
  EXPECT_EQ(WindowText(H(kEdit)), L"a张bcdefghijklmn");
  EXPECT_EQ(g_events[kEditChanged], 15);
  TypeText(L"x");
  EXPECT_EQ(g_events[kEditChanged], 15);  // refused: nothing changed
  ClickMiddle(H(kButton));
  EXPECT_TRUE(PumpUntil([] { return g_events[kEditLostFocus] == 1; }, 2000));
  // Esc closes only the list of an open combo box, else the window.
  form_.UnitSetFocus(kCombo);
  SendMessageW(H(kCombo), CB_SHOWDROPDOWN, TRUE, 0);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !SendMessageW(H(kCombo), CB_GETDROPPEDSTATE, 0, 0); }, 2000));
  ASSERT_TRUE(form_.IsAlive());
  ClickMiddle(H(kEdit));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !form_.IsAlive(); }, 2000));
  EXPECT_TRUE(form_.Create(description_));  // and it opens again
}

// The form's face at its size keeps every stroke where the system controls
// draw it (edit boxes, drop-down lists). Under Wine "宋体" is another face,
// and the plain cut of WenQuanYi Zen Hei drops the thin horizontal strokes
// of its 12-pixel glyphs: "文" lost the stroke across its whole width and
// read as "乂".
TEST_F(FormTest, TheSystemControlsDrawTheFormsFaceWithEveryStroke) {
  SetWindowTextW(H(kEdit), L"文");
  MouseMoveTo(form_.WindowHandle(), 300, 440);
  PumpMessages(50);
  const PixelBuffer shot = CaptureClient(H(kEdit));
  int longest = 0;
  for (int y = 0; y < shot.height; ++y) {
    int run = 0;
    for (int x = 0; x < shot.width; ++x) {
      const uint32_t c = shot.RgbAt(x, y);
      run = ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) < 3 * 0x80 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  if (longest < 8) SaveFailureImage(shot, "form_face_strokes");
  EXPECT_GE(longest, 8) << "the longest dark run across \"文\"";
}

// An edit box with a limit in bytes and one in characters holds the smaller
// of the two: four characters in a box of 16 bytes (eight bytes of Chinese),
// six bytes in a box of 12 characters (three Chinese characters).
TEST_F(FormTest, AnEditBoxWithBothLimitsHoldsTheSmallerOne) {
  ASSERT_EQ(form_.MaxLength(kEdit), 16);
  form_.SetMaxChars(kEdit, 4);
  ClickMiddle(H(kEdit));
  TypeText(L"abcdefgh");
  EXPECT_EQ(WindowText(H(kEdit)), L"abcd");
  form_.SetEditContent(kEdit, "");
  TypeText(L"张三李四王五");
  EXPECT_EQ(WindowText(H(kEdit)), L"张三李四");
  form_.SetMaxLength(kEdit, 6);
  form_.SetMaxChars(kEdit, 12);
  form_.SetEditContent(kEdit, "");
  TypeText(L"张三李四");
  EXPECT_EQ(WindowText(H(kEdit)), L"张三李");
  form_.SetEditContent(kEdit, "");
  TypeText(L"abcdefgh");
  EXPECT_EQ(WindowText(H(kEdit)), L"abcdef");
}

// A file's first bytes are looked at before its lines are read: also those
// after a NUL byte, which ends the text, and more than one read chunk.
TEST(Files, PeekedBytesAreReadAgainAfterwards) {
  const std::wstring path = GbkToWide(ProgramDirectory() + "\\peek_\xD6\xD0\xCE\xC4.txt");
  const std::string utf16 = std::string("\xFF\xFEs\0t\0", 6), longLine(70 * 1024, 'a');
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << utf16;
  files::File file = files::OpenFile(WideToGbk(path).text, files::OpenMode::Read);
  EXPECT_EQ(files::FilePeekBytes(file, 4), utf16.substr(0, 4));
  EXPECT_EQ(files::FilePeekBytes(file, 10), utf16);
  EXPECT_EQ(files::FileReadLine(file), "\xFF\xFEs");
  EXPECT_TRUE(files::CloseFile(file));
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << longLine + "\r\nb";
  file = files::OpenFile(WideToGbk(path).text, files::OpenMode::Read);
  EXPECT_EQ(files::FilePeekBytes(file, longLine.size() + 1), longLine + "\r");
  EXPECT_EQ(files::FileReadLine(file), longLine);
  EXPECT_EQ(files::FilePeekBytes(file, 4), "b");
  EXPECT_EQ(files::FileReadLine(file), "b");
  EXPECT_TRUE(files::FileAtEnd(file));
  EXPECT_TRUE(files::CloseFile(file));
  EXPECT_EQ(files::FilePeekBytes(file, 4), "");
  DeleteFileW(path.c_str());
}

TEST(Files, ConversionReportsMissingCharactersAndLinesAreReadAcrossReadChunks) {
  EXPECT_FALSE(WideToGbk(L"张ก").exact);  // Thai has no GBK form: never a silent "?"
  // The first line fills the read-ahead up to one byte before a two-byte
  // character, so that the character is split between two chunks.
  const std::wstring path = GbkToWide(ProgramDirectory() + "\\lines_\xD6\xD0\xCE\xC4.txt");  // "中文"
  const std::string longLine(64 * 1024 - 1, 'a');
  std::ofstream(path.c_str(), std::ios::binary) << longLine + "\xD5\xC5\r\nb\r\r\n\r\nlast";
  files::File file = files::OpenFile(WideToGbk(path).text, files::OpenMode::Read);
  std::vector<std::string> lines;
  while (file && !files::FileAtEnd(file)) lines.push_back(files::FileReadLine(file));
  EXPECT_EQ(lines, (std::vector<std::string>{longLine + "\xD5\xC5", "b\r", "", "last"}));
  EXPECT_TRUE(files::CloseFile(file));
  DeleteFileW(path.c_str());
  EXPECT_FALSE(files::OpenFile(WideToGbk(path).text, files::OpenMode::Read));
}
