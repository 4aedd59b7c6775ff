#pragma once
// The record as the main window's set-up leaves it, for tests of the writer
// and the reader that run without the window.
#include "app/npc_record.h"
#include "app/value_tables.h"

namespace korvath::app::testdata {

inline NpcRecord StartRecord() {
  NpcRecord npc;
  npc.NpcModel = 1;
  npc.NpcWeapon = 18;
  npc.NpcWeapon2 = 56;
  npc.NpcTeam = 1;
  npc.NpcView = 800;
  npc.NpcThink = 80;
  npc.NpcAttack1 = 20;
  npc.NpcAttack2 = 40;
  npc.NpcAttack3 = 40;
  npc.NpcGuard = 25;
  npc.NpcDodge = 10;
  npc.NpcJump = 25;
  npc.NpcLook = 35;
  npc.NpcBurst = 25;
  npc.NpcAim = 45;
  npc.NpcGetItem = 40;
  npc.NpcHp = 5000;
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(3));
  return npc;
}

// The whole file that the writer makes from the start values and the name
// 张三, written out here independently of the writer.
inline std::string StartFileBytes() {
  std::string bytes =
      "string Name=\"张三\";\r\n"
      "int Model =1;\r\n"
      "int Weapon =18;\r\n"
      "int Weapon2 = 56;\r\n"
      "int Team =1;\r\n"
      "int View =800;\r\n"
      "int Think =80;\r\n"
      "int Attack1=20;\r\n"
      "int Attack2 =40;\r\n"
      "int Attack3 =40;\r\n"
      "int Guard =25;\r\n"
      "int Dodge =10;\r\n"
      "int Jump =25;\r\n"
      "int Look = 35;\r\n"
      "int Burst = 25;\r\n"
      "int Aim=45;\r\n"
      "int GetItem =40;\r\n"
      "int Spawn =42;\r\n"
      "int HP = 5000;\r\n"
      "\r\n"
      "\r\n"
      "int g_selfAddr;\r\n"
      "int g_self;\r\n"
      "OnInit(int this)\r\n"
      "{\r\n"
      "                 g_selfAddr = this;\r\n"
      "}\r\n"
      "\r\n"
      "OnStart()\r\n"
      "{\r\n"
      "\tg_self = GetSelf(g_selfAddr);\r\n"
      "\tChangeBehavior(g_self, \"follow\", \"player\");\r\n"
      "}\r\n";
  for (int i = 0; i < 9; ++i) bytes += "\r\n";
  return bytes;
}

}  // namespace korvath::app::testdata
