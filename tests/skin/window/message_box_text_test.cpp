// The tool's own message boxes as the screen shows them: every line of the
// message whole inside the text area, none of it on the separator or a
// button, also for a folder path far longer than a line, and the box inside
// the work area. (Compiled as GBK: the texts are the tool's bytes.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/button/button_installers.h"
#include "skin/control/static_skin.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/window/engine_start.h"
#include "skin/window/message_box.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/window/box_probes.h"
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
  void SetUp() override {
    SkinEngine.options.SkinEnabled = true;
    RegisterButtonPainters();
  }
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
      if (segment.back() == '\\') EXPECT_EQ(lines.front().back(), '\\') << lines.front();
    });
    EXPECT_EQ(SkinMessageBox(nullptr, text, kWarning, kNotice), 0);
    EXPECT_EQ(driver.seen().size(), 1u);
  }
}

}  // namespace
