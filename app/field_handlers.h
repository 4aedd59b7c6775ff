#pragma once
// The handlers that copy each control's value into its field of the NPC
// record when the user changes it.
namespace korvath::app {

void OnTeamRadio0Click();
void OnTeamRadio1Click();
void OnTeamRadio2Click();
void OnModelComboSelect();
void OnWeaponComboSelect();
void OnWeapon2ComboSelect();
void OnBehaviourComboSelect();
void OnViewComboSelect();
void OnThinkComboSelect();
void OnAttack1ComboSelect();
void OnAttack2ComboSelect();
void OnAttack3ComboSelect();
void OnGuardComboSelect();
void OnDodgeComboSelect();
void OnJumpComboSelect();
void OnLookComboSelect();
void OnBurstComboSelect();
void OnAimComboSelect();
void OnGetItemComboSelect();
void OnHpEditFocusLost();
void OnHpEditContentChanged();
void OnNameEditFocusLost();

}  // namespace korvath::app
