#pragma once
// The main window as its form description defines it, and the form that
// holds it for the whole run.
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

const platform::FormDescription& MainFormDescription();

// The form of the main window.
platform::Form& MainForm();
// The main window's handle (null when it does not exist): the owner of the
// program's dialogs and message boxes.
HWND MainWindow();

}  // namespace korvath::app
