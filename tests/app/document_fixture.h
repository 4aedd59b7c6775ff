#pragma once
// The main window with an empty document folder and an empty second folder
// beside it, and the generate button clicked with its dialogs answered.
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/npc_test_record.h"
#include "tests/support/save_steps.h"

namespace korvath::app::uitest {

// What every control of the form shows.
inline std::vector<std::string> Shown() {
  platform::Form& form = MainForm();
  std::vector<std::string> shown;
  for (Unit edit : {目录编辑框, 名字编辑框, HP编辑框}) shown.push_back(form.EditContent(edit));
  for (Unit radio : {Velmar单选框, Ostrin单选框, 中立单选框}) shown.push_back(form.RadioChecked(radio) ? "on" : "off");
  for (Unit combo : {模型组合框, 主武器组合框, 副武器组合框, 视野组合框, 速度组合框, 轻击组合框, 中击组合框, 重击组合框,
                     命中率组合框, 防御组合框, 逃跑组合框, 跳跃组合框, 张望组合框, 跑动组合框, 夺宝组合框, 行为组合框})
    shown.push_back(std::to_string(form.ComboSelectedIndex(combo)));
  return shown;
}

// Every field of the record.
inline auto RecordFields() {
  const NpcRecord& n = Npc();
  return std::tuple(n.NpcName, testdata::Numbers(n), n.NpcBehaviourText, n.NpcFolder, n.NpcFilePart, n.NpcFilePath,
                    n.NpcOutputLines, n.NpcInputLines);
}

// The steps of the save that `generate` makes through the window.
inline std::vector<std::string> SaveStepsThroughTheWindow(const std::function<std::vector<SeenDialog>()>& generate) {
  testsupport::SaveSteps counted;
  generate();
  return counted.steps();
}

class DocumentTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const std::string& folder : {DocumentFolder(), folder_}) {
      RemoveFolder(folder);
      fs::create_directory(Wide(folder));
    }
  }
  std::vector<SeenDialog> Generate(std::vector<DialogAnswerer::Answer> answers) {
    return ClickAnswering(生成保存按钮, std::move(answers));
  }
  const std::string zhangSan_ = DocumentFolder() + "zhangsan.pst";
  // "...\读取测试\", spelt in GBK bytes as headers do.
  const std::string folder_ = platform::ProgramDirectory() + "\\\xB6\xC1\xC8\xA1\xB2\xE2\xCA\xD4\\";
};

}  // namespace korvath::app::uitest
