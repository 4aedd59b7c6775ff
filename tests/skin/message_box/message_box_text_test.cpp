// The tool's own message boxes as the screen shows them: every line of the
// message whole inside the text area, none of it on the separator or a
// button, also for a folder path far longer than a line, and the box inside
// the work area. (Compiled as GBK: the texts are the tool's bytes.)
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/control/static_skin.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/engine/message_box.h"
#include "skin/engine/start.h"
#include "skin/message_box/dialog_layout.h"
#include "skin/message_box/message_box.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/message_box/box_probes.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;

constexpr char kNotice[] = "提示";
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;                        // 0x30
constexpr UINT kOverwrite = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;  // 0x134
constexpr UINT kDone = MB_OK | MB_ICONINFORMATION;                          // 0x40

// A document path as the tool shows it: its folder "AI文件夹" under the
// program's folder, the file named from the pinyin.
const std::string kFile = "D:\\Games\\Korvath\\Tools\\NpcEditor\\AI文件夹\\zhangsan.pst";

// The boxes' controls skinned, as in the tool.
class MessageBoxTextTest : public EngineTest {
 protected:
  static void SetUpTestSuite() { SkinEngineStart(); }
  void SetUp() override { SkinEngine.options.SkinEnabled = true; }
};

// The static that holds the message (the other one holds the icon).
HWND MessageStatic(HWND box) {
  for (HWND s = FindWindowExW(box, nullptr, L"Static", nullptr); s; s = FindWindowExW(box, s, L"Static", nullptr)) {
    if ((GetWindowLongW(s, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return s;
  }
  return nullptr;
}

// Presses a box's button however its answer ends, so that a failed check
// cannot leave the box open and the test waiting on it.
struct PressWhenDone {
  HWND box;
  int id;
  ~PressWhenDone() { Press(box, id); }
};

struct ToolBox {
  const char* name;
  std::string text;
  UINT style;
  bool titled;
  int answer;
};

TEST_F(MessageBoxTextTest, TheToolsBoxesShowEveryLineWholeAboveTheSeparatorAndOffTheButtons) {
  const ToolBox boxes[] = {
      {"completion_notice", "NPC文件[" + kFile + "]已经生成!", kDone, false, IDOK},
      {"overwrite_question", "NPC存档文件[" + kFile + "]已经存在,是否覆盖!", kOverwrite, true, IDNO},
      {"validation_warning", "人物角色名字不能为空,请重新填写!", kWarning, true, IDOK},
      {"validation_warning_sum", "轻击几率、中击几率、重击几率数值之和不能超过100，请重新选择！", kWarning, true, IDOK},
      {"read_refusal", "NPC文档[" + kFile + "]不是有效的NPC文档,文件内容不完整!", kWarning, true, IDOK},
      {"read_refusal_statement", "NPC文档[" + kFile + "]不是有效的NPC文档,第3项不是“int Weapon =数值;”!", kWarning,
       true, IDOK},
  };
  for (const ToolBox& box : boxes) {
    SCOPED_TRACE(box.name);
    testsupport::DialogAnswerer driver;
    driver.Add([&](HWND shown) {
      const PressWhenDone answer{shown, box.answer};
      ASSERT_TRUE(WaitForFadeIn(shown));
      EXPECT_EQ(TextLayoutFaults(shown, box.name), "");
    });
    const int pressed = SkinMessageBox(nullptr, box.text, box.style,
                                       box.titled ? std::optional<std::string_view>(kNotice) : std::nullopt);
    EXPECT_EQ(pressed, box.answer - 1);
    EXPECT_EQ(driver.seen().size(), 1u);
  }
}

// A text with line breaks of its own keeps them; drawn taller than the
// system measured it, its box grows so that the last line still shows
// above the separator.
TEST_F(MessageBoxTextTest, ATextsOwnLinesAreKeptAndTheBoxGrowsForThem) {
  std::string text;
  for (const char* line : {"第一行", "第二行", "第三行", "第四行", "第五行", "第六行", "第七行", "第八行,最后一行!"}) {
    text += text.empty() ? line : std::string("\n") + line;
  }
  testsupport::DialogAnswerer driver;
  driver.Add([&](HWND box) {
    const PressWhenDone answer{box, IDOK};
    ASSERT_TRUE(WaitForFadeIn(box));
    EXPECT_EQ(TextLayoutFaults(box, "own_lines"), "");
    HWND message = MessageStatic(box);
    RECT client{};
    GetClientRect(message, &client);
    EXPECT_EQ(StaticTextLines(message, client.right).lines.size(), 8u);
  });
  EXPECT_EQ(SkinMessageBox(nullptr, text, kWarning, kNotice), 0);
  EXPECT_EQ(driver.seen().size(), 1u);
}

// A save into a folder whose path is 287 characters long fails. A path has
// no space to break at: it breaks after a "\" where one is near, anywhere
// inside a name too long for a line, and the box stays inside the work area.
TEST_F(MessageBoxTextTest, ALongFolderPathBreaksIntoLinesAndTheBoxStaysOnTheScreen) {
  const std::string top = "D:\\Games\\Korvath\\Tools\\NpcEditor\\";
  const struct {
    const char* name;
    std::string segment;
  } folders[] = {{"long_folder_name", "SavedCharactersFromTheCampaignOfTheNorthernMarches_"},
                 {"deep_folder", "SavedCharactersOfTheCampaign\\"}};
  for (const auto& [name, segment] : folders) {
    SCOPED_TRACE(name);
    std::string folder = top;
    while (folder.size() < 286) folder += segment;
    folder.resize(286);
    folder += "\\";
    const std::string text = "NPC文件[" + folder + "zhangsan.pst]保存失败,请检查存档目录是否存在、文件是否只读或被占用!";
    testsupport::DialogAnswerer driver;
    driver.Add([&](HWND box) {
      const PressWhenDone answer{box, IDOK};
      ASSERT_TRUE(WaitForFadeIn(box));
      EXPECT_EQ(TextLayoutFaults(box, name), "");
      HWND message = MessageStatic(box);
      RECT client{};
      GetClientRect(message, &client);
      const std::vector<std::string> lines = StaticTextLines(message, client.right).lines;
      ASSERT_GE(lines.size(), 2u);
      // Inside a deep folder the first line ends after a separator, not
      // inside a folder's name.
      if (segment.back() == '\\') {
        EXPECT_EQ(lines.front().back(), '\\') << lines.front();
      }
    });
    EXPECT_EQ(SkinMessageBox(nullptr, text, kWarning, kNotice), 0);
    EXPECT_EQ(driver.seen().size(), 1u);
  }
}

RECT WorkArea(HWND box) {
  MONITORINFO monitor{sizeof monitor};
  GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

// Shows `text` in a warning box, finds its text whole as the screen shows it
// (TextLayoutFaults) and hands the box, its bounds and its work area to
// `look`.
void ShowWarning(const std::string& text, const char* name,
                 const std::function<void(HWND box, const RECT& bounds, const RECT& work)>& look) {
  testsupport::DialogAnswerer driver;
  driver.Add([&](HWND box) {
    const PressWhenDone answer{box, IDOK};
    ASSERT_TRUE(WaitForFadeIn(box));
    EXPECT_EQ(TextLayoutFaults(box, name), "");
    RECT bounds{};
    GetWindowRect(box, &bounds);
    look(box, bounds, WorkArea(box));
  });
  EXPECT_EQ(SkinMessageBox(nullptr, text, kWarning, kNotice), 0);
  EXPECT_EQ(driver.seen().size(), 1u);
}

// A text of one paragraph far longer than a line: its lines run to 5/8 of
// the work area's width and no further, and the box is as wide as they
// need, close to that and never wider.
TEST_F(MessageBoxTextTest, ALongParagraphRunsToFiveEighthsOfTheWorkAreasWidth) {
  std::string text;
  while (text.size() < 1200) text += "存档目录中的文件名称过长或者包含不允许使用的字符";
  ShowWarning(text + "!", "long_paragraph", [](HWND, const RECT& bounds, const RECT& work) {
    const LONG readable = (work.right - work.left) * 5 / 8;
    EXPECT_LE(bounds.right - bounds.left, readable);
    // A line ends within a character and the glow's room of the limit.
    EXPECT_GE(bounds.right - bounds.left, readable - 24);
  });
}

// A text that does not fit the work area even at its whole width (a folder
// of 100,000 characters): the box takes the work area's height, not more,
// and lies inside it; the text shows the lines that fit, whole, above the
// separator, the last one ending in an ellipsis where the text is cut.
TEST_F(MessageBoxTextTest, ATextTooLongForTheScreenEndsInAnEllipsisInsideTheWorkArea) {
  std::string folder = "D:\\Games\\";
  while (folder.size() < 100000) folder += "SavedCharactersOfTheCampaign\\";
  const std::string text = "NPC文件[" + folder + "zhangsan.pst]保存失败,存档目录不允许写入!";
  ShowWarning(text, "text_too_long", [](HWND box, const RECT& bounds, const RECT& work) {
    EXPECT_EQ(bounds.bottom - bounds.top, work.bottom - work.top);
    EXPECT_GT(bounds.right - bounds.left, (work.right - work.left) * 5 / 8);
    HWND message = MessageStatic(box);
    RECT client{};
    GetClientRect(message, &client);
    const std::vector<std::string> lines = StaticShownLines(message, {client.right, client.bottom}).lines;
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), StaticTextLines(message, client.right).lines.front());
    EXPECT_TRUE(lines.back().ends_with("…")) << lines.back();
  });
}

// A box that the system put near an edge of the work area, or past it, is
// moved inside it whole, at its size, against that edge.
TEST_F(MessageBoxTextTest, ABoxPlacedPastAnEdgeIsMovedInsideTheWorkArea) {
  testsupport::DialogAnswerer driver;
  driver.Add([&](HWND box) {
    const PressWhenDone answer{box, IDOK};
    ASSERT_TRUE(WaitForFirstPaint(box));
    SkinWindowRecord* record = SkinRecordOfWindow(box);
    ASSERT_NE(record, nullptr);
    const RECT work = WorkArea(box);
    RECT before{};
    GetWindowRect(box, &before);
    const LONG w = before.right - before.left, h = before.bottom - before.top;
    // Where the system put it: over the bottom right corner, then over the
    // top left one.
    const RECT base = record->BoxBaseBounds;
    for (const POINT corner : {POINT{work.right - w / 3, work.bottom - h / 3}, POINT{work.left - w, work.top - h}}) {
      record->BoxBaseBounds = base;
      OffsetRect(&record->BoxBaseBounds, corner.x - base.left, corner.y - base.top);
      DialogLayOut(*record);
      RECT after{};
      GetWindowRect(box, &after);
      EXPECT_EQ(after.right - after.left, w);
      EXPECT_EQ(after.bottom - after.top, h);
      if (corner.x > work.left) {
        EXPECT_EQ(after.right, work.right);
        EXPECT_EQ(after.bottom, work.bottom);
      } else {
        EXPECT_EQ(after.left, work.left);
        EXPECT_EQ(after.top, work.top);
      }
    }
  });
  EXPECT_EQ(SkinMessageBox(nullptr, "人物角色名字不能为空,请重新填写!", kWarning, kNotice), 0);
  EXPECT_EQ(driver.seen().size(), 1u);
}

}  // namespace
