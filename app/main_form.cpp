#include "app/main_form.h"

#include <array>
#include <iterator>
#include <utility>

#include "app/field_handlers.h"
#include "app/form_setup.h"
#include "app/handler_guard.h"
#include "app/script_reader.h"
#include "app/script_writer.h"

namespace korvath::app {

namespace {
using platform::FormDescription;
using platform::UnitEvent;

struct Binding {
  Unit unit;
  UnitEvent event;
  platform::EventHandler handler;
};

constexpr Binding kBindings[] = {
    {名字编辑框, UnitEvent::LostFocus, &OnNameEditFocusLost},
    {模型组合框, UnitEvent::Selection, &OnModelComboSelect},
    {主武器组合框, UnitEvent::Selection, &OnWeaponComboSelect},
    {副武器组合框, UnitEvent::Selection, &OnWeapon2ComboSelect},
    {Velmar单选框, UnitEvent::Click, &OnTeamRadio1Click},
    {Ostrin单选框, UnitEvent::Click, &OnTeamRadio2Click},
    {中立单选框, UnitEvent::Click, &OnTeamRadio0Click},
    {视野组合框, UnitEvent::Selection, &OnViewComboSelect},
    {速度组合框, UnitEvent::Selection, &OnThinkComboSelect},
    {轻击组合框, UnitEvent::Selection, &OnAttack1ComboSelect},
    {中击组合框, UnitEvent::Selection, &OnAttack2ComboSelect},
    {重击组合框, UnitEvent::Selection, &OnAttack3ComboSelect},
    {命中率组合框, UnitEvent::Selection, &OnAimComboSelect},
    {防御组合框, UnitEvent::Selection, &OnGuardComboSelect},
    {逃跑组合框, UnitEvent::Selection, &OnDodgeComboSelect},
    {跳跃组合框, UnitEvent::Selection, &OnJumpComboSelect},
    {张望组合框, UnitEvent::Selection, &OnLookComboSelect},
    {跑动组合框, UnitEvent::Selection, &OnBurstComboSelect},
    {夺宝组合框, UnitEvent::Selection, &OnGetItemComboSelect},
    {HP编辑框, UnitEvent::LostFocus, &OnHpEditFocusLost},
    {HP编辑框, UnitEvent::ContentChanged, &OnHpEditContentChanged},
    {行为组合框, UnitEvent::Selection, &OnBehaviourComboSelect},
    {读取按钮, UnitEvent::Click, &OnReadButtonClick},
    {生成保存按钮, UnitEvent::Click, &OnGenerateClick},
    {关闭按钮, UnitEvent::Click, &OnCloseClick},
};

// What is bound in place of each binding: its handler, run guarded.
template <size_t... I>
constexpr std::array<platform::EventHandler, sizeof...(I)> GuardedBindings(std::index_sequence<I...>) {
  return {&Guarded<kBindings[I].handler>...};
}
constexpr auto kGuardedHandlers = GuardedBindings(std::make_index_sequence<std::size(kBindings)>());

// The layout with the tool's handlers bound to it, each run guarded.
FormDescription BuildDescription() {
  FormDescription d = MainFormLayout();
  d.onCreationDone = &Guarded<&OnMainWindowCreated>;
  for (size_t i = 0; i < std::size(kBindings); ++i)
    d.units[size_t(kBindings[i].unit)].events.push_back({kBindings[i].event, kGuardedHandlers[i]});
  return d;
}
}  // namespace

const FormDescription& MainFormDescription() {
  static const FormDescription description = BuildDescription();
  return description;
}

}  // namespace korvath::app
