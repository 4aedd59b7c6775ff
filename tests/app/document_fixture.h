#pragma once
// The main window with an empty document folder and an empty second folder
// beside it, and the generate button clicked with its dialogs answered.
#include <string>
#include <vector>

#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

namespace korvath::app::uitest {

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
