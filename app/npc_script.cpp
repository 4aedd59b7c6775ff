#include "app/npc_script.h"

#include <cstdint>

#include "app/file_paths.h"
#include "app/pinyin_name.h"
#include "app/value_tables.h"
#include "platform/text_commands.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;

std::string Declaration(std::string_view key, int32_t value) {
  return std::string(key) + ToText(value) + ";";
}
}  // namespace

std::string_view EmptyNameMessage() { return "人物角色名字不能为空,请重新填写!"; }

std::string_view UnsavableNameMessage() { return "人物名字中有无法保存的字符,请重新填写!"; }

std::string_view UnsavableFolderMessage() { return "存档目录中有无法保存的字符,请重新选择!"; }

NameFault NameFaultOf(std::string_view name) {
  NameFault fault = NameFault::None;
  for (size_t i = 0; i < name.size();) {
    const size_t n = GbkCharLength(name, i);
    const auto b = uint8_t(name[i]);
    i += n;
    if (n == 2) continue;
    if (b >= 0x80) return NameFault::LoneHighByte;
    if (b == '"' || b == ';' || b < 0x20 || b == 0x7F) fault = NameFault::BreaksStatement;
  }
  return fault;
}

std::string_view HitChanceMessage() {
  return "轻击几率、中击几率、重击几率数值之和不能超过100，请重新选择！";
}

std::string_view NpcScriptBody() {
  static const std::string body = std::string("\r\n\r\n") + "int g_selfAddr;\r\n" +
                                  "int g_self;\r\n" + "OnInit(int this)\r\n" + "{\r\n" +
                                  std::string(17, ' ') + "g_selfAddr = this;\r\n" + "}\r\n" +
                                  "\r\n" + "OnStart()\r\n" + "{\r\n" +
                                  "\tg_self = GetSelf(g_selfAddr);";
  return body;
}

BuildVerdict BuildNpcScript(NpcRecord& npc, const ScriptInput& input) {
  npc.NpcHp = ToInteger(input.hpText);
  if (npc.NpcHp <= 0) npc.NpcHp = kDefaultHp;

  npc.NpcName = RemoveAllSpaces(input.nameText);
  if (npc.NpcName.empty()) return {std::string(EmptyNameMessage())};
  if (!input.nameExact) return {std::string(UnsavableNameMessage())};

  npc.NpcFilePart = NpcFilePartOf(npc.NpcName);
  switch (NameFaultOf(npc.NpcName)) {
    case NameFault::LoneHighByte: return {std::string(UnsavableNameMessage())};
    case NameFault::BreaksStatement: return {"人物名字不能含有双引号、分号或控制字符,请重新填写!"};
    case NameFault::None: break;
  }
  if (npc.NpcFilePart.empty())
    return {"人物名字中没有可作文件名的汉字,请重新填写!"};

  double left = ((100.0 - npc.NpcAttack1) - npc.NpcAttack2) - npc.NpcAttack3;
  if (left < -1e-07) return {std::string(HitChanceMessage())};

  if (!input.folderExact) return {std::string(UnsavableFolderMessage())};
  npc.NpcFilePath = WithTrailingBackslash(input.folderText) + npc.NpcFilePart + ".pst";

  auto& lines = npc.NpcOutputLines;
  lines[0] = "string Name=\"" + npc.NpcName + "\";";
  lines[1] = Declaration("int Model =", npc.NpcModel);
  lines[2] = Declaration("int Weapon =", npc.NpcWeapon);
  lines[3] = Declaration("int Weapon2 = ", npc.NpcWeapon2);
  lines[4] = Declaration("int Team =", npc.NpcTeam);
  lines[5] = Declaration("int View =", npc.NpcView);
  lines[6] = Declaration("int Think =", npc.NpcThink);
  lines[7] = Declaration("int Attack1=", npc.NpcAttack1);
  lines[8] = Declaration("int Attack2 =", npc.NpcAttack2);
  lines[9] = Declaration("int Attack3 =", npc.NpcAttack3);
  lines[10] = Declaration("int Guard =", npc.NpcGuard);
  lines[11] = Declaration("int Dodge =", npc.NpcDodge);
  lines[12] = Declaration("int Jump =", npc.NpcJump);
  lines[13] = Declaration("int Look = ", npc.NpcLook);
  lines[14] = Declaration("int Burst = ", npc.NpcBurst);
  lines[15] = Declaration("int Aim=", npc.NpcAim);
  lines[16] = Declaration("int GetItem =", npc.NpcGetItem);
  lines[17] = Declaration("int Spawn =", kWrittenSpawn);
  lines[18] = Declaration("int HP = ", npc.NpcHp);
  lines[19] = std::string(NpcScriptBody());
  lines[20] = npc.NpcBehaviourText;
  return {};
}

std::string NpcScriptFileBytes(const std::array<std::string, kOutputLineCount>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace korvath::app
