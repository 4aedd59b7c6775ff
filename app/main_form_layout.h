#pragma once
// What the main window holds and where: its units with their kinds, places,
// sizes, captions and initial items, and the defaults the window starts with.
// No handler is bound here (main_form.cpp binds them), so that a program can
// build the same window without the tool behind it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/npc_record.h"
#include "app/value_tables.h"
#include "platform/form.h"

namespace korvath::app {

// The units of the main window, numbered in the order of the description.
enum Unit : int {
  标签1, 目录编辑框, 标签2, 名字编辑框, 标签3, 模型组合框, 标签4, 主武器组合框, 标签5,
  副武器组合框, 标签6, 分组框1, Velmar单选框, Ostrin单选框, 中立单选框, 分组框2, 标签7,
  视野组合框, 标签8, 速度组合框, 标签9, 轻击组合框, 标签10, 中击组合框, 标签11, 重击组合框,
  标签17, 命中率组合框, 标签12, 防御组合框, 标签13, 逃跑组合框, 标签14, 跳跃组合框, 标签15,
  张望组合框, 标签16, 跑动组合框, 标签18, 夺宝组合框, 分组框3, 标签19, HP编辑框, 标签20,
  行为组合框, 读取按钮, 生成保存按钮, 关闭按钮,
  kUnitCount
};

// The main window's description with no event bound and no creation-done
// handler.
platform::FormDescription MainFormLayout();

// The twelve numeric lists, in the order of their lines in the ".pst"
// (kept lines 6 to 17).
struct NumericCombo {
  Unit unit;
  NumericList range;
  int defaultIndex;
  int32_t NpcRecord::*field;
};
const std::array<NumericCombo, 12>& NumericCombos();

// Gives the created window's units their start values: the list selections,
// the document folder's text in its box with the caret after it, the numeric
// lists filled and selected, the focus in the name box.
void FillMainFormDefaults(platform::Form& form, std::wstring_view documentFolder);

}  // namespace korvath::app
