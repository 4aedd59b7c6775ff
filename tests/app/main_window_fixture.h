#pragma once
// Drives the tool's real main window in this process: the window as the
// program makes it, real mouse and keyboard input, answered dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "app/npc_record.h"
#include "tests/support/win_test_support.h"

namespace korvath::app::uitest {

std::wstring Wide(std::string_view gbk);
// The document folder that start-up makes, with its trailing "\".
std::string DocumentFolder();
// A file's bytes, or "<missing>".
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Deletes a file, read-only or not.
void RemoveFile(const std::string& path);
// Deletes a folder with the files in it.
void RemoveFolder(const std::string& folder);

// The file the writer makes from the start values and the name 张三, with
// whole lines replaced: {old line, new line} without their CR LF.
std::string ExpectedFile(const std::vector<std::pair<std::string, std::string>>& lineChanges = {});

// Answers the open-file dialog by typing a path into its file name box.
testsupport::DialogAnswerer::Answer ChooseFile(const std::string& path);
// Answers the folder dialog: selects a folder (none: keeps the selection it
// opened with) and presses OK.
testsupport::DialogAnswerer::Answer ChooseFolder(const std::wstring& folder = L"");

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND H(Unit unit) const { return MainForm().UnitGetHandle(unit); }
  void ClickUnit(Unit unit);
  // Empties the box from code, clicks into it and types.
  void TypeInto(Unit unit, const std::wstring& text);
  // Opens the list with the mouse and clicks the item.
  void PickWithMouse(Unit combo, int index);
  // Moves the selection with the arrow keys, as a user does on a closed list.
  void PickWithKeys(Unit combo, int index);
  // Clicks "生成并保存", answering the dialogs it opens in order.
  std::vector<testsupport::SeenDialog> Generate(std::vector<testsupport::DialogAnswerer::Answer> answers);

  HWND focusAtStart_ = nullptr;
};

}  // namespace korvath::app::uitest
