#include "app/main_form_layout.h"

#include "app/model_names.h"
#include "platform/text_commands.h"

namespace korvath::app {

namespace {
using platform::FormDescription;
using platform::kOnWindow;
using platform::UnitDescription;
using platform::UnitKind;

std::vector<std::string_view> WeaponItems() {
  std::vector<std::string_view> items;
  for (const WeaponItem& weapon : WeaponTable()) items.push_back(weapon.name);
  return items;
}

std::vector<std::string_view> BehaviourItems() {
  std::vector<std::string_view> items;
  for (const BehaviourItem& behaviour : BehaviourTable()) items.push_back(behaviour.name);
  return items;
}

std::vector<std::string_view> ModelItems() {
  return {ModelNames().begin(), ModelNames().end()};
}

UnitDescription Label(Unit id, std::string_view name, int parent, int x, int y, int w, int h,
                      std::string_view caption) {
  return {.id = id, .name = name, .kind = UnitKind::Label, .parent = parent, .x = x, .y = y,
          .width = w, .height = h, .caption = caption};
}

UnitDescription Combo(Unit id, std::string_view name, int parent, int x, int y, int w, int h,
                      std::vector<std::string_view> items = {}) {
  return {.id = id, .name = name, .kind = UnitKind::ComboBox, .parent = parent, .x = x, .y = y,
          .width = w, .height = h, .items = std::move(items)};
}

UnitDescription Group(Unit id, std::string_view name, int x, int y, int w, int h) {
  return {.id = id, .name = name, .kind = UnitKind::GroupBox, .x = x, .y = y, .width = w,
          .height = h};
}

UnitDescription Radio(Unit id, std::string_view name, int x, int y, std::string_view caption,
                      bool checked = false) {
  return {.id = id, .name = name, .kind = UnitKind::RadioButton, .parent = 分组框1, .x = x,
          .y = y, .width = 72, .height = 16, .caption = caption, .checked = checked};
}

UnitDescription Button(Unit id, std::string_view name, int x, int w, std::string_view caption) {
  return {.id = id, .name = name, .kind = UnitKind::PushButton, .x = x, .y = 430, .width = w,
          .height = 30, .caption = caption};
}

}  // namespace

FormDescription MainFormLayout() {
  FormDescription d;
  d.title = "KorvathNPC生成器";
  d.x = 50;
  d.y = 50;
  d.width = 409;
  d.height = 471;
  d.centred = true;
  // The skin draws the frame and caption.
  d.nativeBorder = false;
  d.minimiseButton = true;
  d.maximiseButton = false;
  d.inTaskbar = true;
  d.topMost = false;
  d.escapeCloses = true;
  d.units = {
      Label(标签1, "标签1", kOnWindow, 25, 32, 64, 24, "存档目录："),
      {.id = 目录编辑框, .name = "目录编辑框", .kind = UnitKind::EditBox, .x = 89, .y = 32,
       .width = 286, .height = 18},
      Label(标签2, "标签2", kOnWindow, 25, 72, 64, 24, "人物名字："),
      {.id = 名字编辑框, .name = "名字编辑框", .kind = UnitKind::EditBox, .x = 89, .y = 72,
       .width = 104, .height = 18, .maxLength = kNameBoxBytes},
      Label(标签3, "标签3", kOnWindow, 209, 70, 64, 24, "人物模型："),
      Combo(模型组合框, "模型组合框", kOnWindow, 274, 70, 104, 20, ModelItems()),
      Label(标签4, "标签4", kOnWindow, 25, 112, 64, 24, "主武器："),
      Combo(主武器组合框, "主武器组合框", kOnWindow, 90, 113, 104, 20,
            WeaponItems()),
      Label(标签5, "标签5", kOnWindow, 209, 112, 64, 24, "副武器："),
      Combo(副武器组合框, "副武器组合框", kOnWindow, 274, 112, 104, 20,
            WeaponItems()),
      Label(标签6, "标签6", kOnWindow, 25, 152, 64, 24, "选择阵营："),
      Group(分组框1, "分组框1", 97, 144, 288, 32),
      Radio(Velmar单选框, "Velmar单选框", 15, 11, "Velmar阵营", true),
      Radio(Ostrin单选框, "Ostrin单选框", 111, 11, "Ostrin阵营"),
      Radio(中立单选框, "中立单选框", 207, 11, "中立阵营"),
      Group(分组框2, "分组框2", 25, 184, 359, 176),
      Label(标签7, "标签7", 分组框2, 21, 12, 64, 24, "人物视野："),
      Combo(视野组合框, "视野组合框", 分组框2, 80, 16, 80, 20),
      Label(标签8, "标签8", 分组框2, 21, 37, 64, 24, "反应速度："),
      Combo(速度组合框, "速度组合框", 分组框2, 80, 41, 80, 20),
      Label(标签9, "标签9", 分组框2, 21, 62, 64, 24, "轻击几率："),
      Combo(轻击组合框, "轻击组合框", 分组框2, 80, 66, 80, 20),
      Label(标签10, "标签10", 分组框2, 21, 87, 64, 24, "中击几率："),
      Combo(中击组合框, "中击组合框", 分组框2, 80, 91, 80, 20),
      Label(标签11, "标签11", 分组框2, 21, 112, 64, 24, "重击几率："),
      Combo(重击组合框, "重击组合框", 分组框2, 80, 116, 80, 20),
      Label(标签17, "标签17", 分组框2, 21, 139, 59, 24, "命中率："),
      Combo(命中率组合框, "命中率组合框", 分组框2, 80, 142, 80, 20),
      Label(标签12, "标签12", 分组框2, 193, 11, 64, 24, "防御几率："),
      Combo(防御组合框, "防御组合框", 分组框2, 252, 15, 80, 20),
      Label(标签13, "标签13", 分组框2, 193, 37, 64, 24, "逃跑几率："),
      Combo(逃跑组合框, "逃跑组合框", 分组框2, 252, 40, 80, 20),
      Label(标签14, "标签14", 分组框2, 193, 63, 64, 24, "跳跃几率："),
      Combo(跳跃组合框, "跳跃组合框", 分组框2, 252, 65, 80, 20),
      Label(标签15, "标签15", 分组框2, 193, 89, 64, 24, "张望几率："),
      Combo(张望组合框, "张望组合框", 分组框2, 252, 90, 80, 20),
      Label(标签16, "标签16", 分组框2, 193, 115, 64, 24, "跑动几率："),
      Combo(跑动组合框, "跑动组合框", 分组框2, 252, 115, 80, 20),
      Label(标签18, "标签18", 分组框2, 193, 139, 64, 24, "夺宝几率："),
      Combo(夺宝组合框, "夺宝组合框", 分组框2, 251, 142, 80, 20),
      Group(分组框3, "分组框3", 25, 369, 359, 48),
      Label(标签19, "标签19", 分组框3, 22, 14, 64, 24, "人物HP值："),
      // Its label, with two Latin letters, is wider than the others: at x 79
      // the label's colon stood on the frame of the box's panel.
      {.id = HP编辑框, .name = "HP编辑框", .kind = UnitKind::EditBox, .parent = 分组框3, .x = 82,
       .y = 16, .width = 96, .height = 18, .caption = "5000", .maxChars = kHpBoxChars},
      Label(标签20, "标签20", 分组框3, 193, 14, 64, 24, "人物行为："),
      Combo(行为组合框, "行为组合框", 分组框3, 251, 16, 80, 20,
            BehaviourItems()),
      Button(读取按钮, "读取按钮", 24, 120, "读取NPC文档..."),
      Button(生成保存按钮, "生成保存按钮", 174, 100, "生成并保存"),
      Button(关闭按钮, "关闭按钮", 285, 100, "关闭"),
  };
  return d;
}

const std::array<NumericCombo, 12>& NumericCombos() {
  static const std::array<NumericCombo, 12> combos = {{
      {视野组合框, kViewRange, 7, &NpcRecord::NpcView},
      {速度组合框, kTensRange, 7, &NpcRecord::NpcThink},
      {轻击组合框, kTensRange, 1, &NpcRecord::NpcAttack1},
      {中击组合框, kTensRange, 3, &NpcRecord::NpcAttack2},
      {重击组合框, kTensRange, 3, &NpcRecord::NpcAttack3},
      {防御组合框, kFivesRange, 3, &NpcRecord::NpcGuard},
      {逃跑组合框, kFivesRange, 0, &NpcRecord::NpcDodge},
      {跳跃组合框, kFivesRange, 3, &NpcRecord::NpcJump},
      {张望组合框, kFivesRange, 5, &NpcRecord::NpcLook},
      {跑动组合框, kFivesRange, 3, &NpcRecord::NpcBurst},
      {命中率组合框, kFivesRange, 7, &NpcRecord::NpcAim},
      {夺宝组合框, kFivesRange, 6, &NpcRecord::NpcGetItem},
  }};
  return combos;
}

void FillMainFormDefaults(platform::Form& form, std::wstring_view documentFolder) {
  form.SetComboSelectedIndex(模型组合框, 1);
  form.SetComboSelectedIndex(主武器组合框, 4);
  form.SetComboSelectedIndex(副武器组合框, 6);
  form.SetComboSelectedIndex(行为组合框, 3);
  form.SetEditContent(目录编辑框, documentFolder);

  // The window is not shown yet: no list redraws item by item.
  for (const NumericCombo& combo : NumericCombos()) {
    const platform::RedrawPaused paused(form.UnitGetHandle(combo.unit));
    for (int value = combo.range.first; value <= combo.range.last; value += combo.range.step)
      form.ComboBoxAddItem(combo.unit, platform::ToText(value));
  }
  for (const NumericCombo& combo : NumericCombos())
    form.SetComboSelectedIndex(combo.unit, combo.defaultIndex);

  form.SetSelectionStart(目录编辑框, -1);
  form.UnitSetFocus(名字编辑框);
}

}  // namespace korvath::app
