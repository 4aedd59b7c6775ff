#pragma once
// The record as the main window's set-up leaves it, and the file the writer
// makes from it with the name 张三, written out independently of the writer.
#include <cstdint>
#include <string>
#include <vector>

#include "app/npc_record.h"
#include "app/value_tables.h"

namespace korvath::app::testdata {

inline NpcRecord StartRecord() {
  return NpcRecord{.NpcModel = 1, .NpcWeapon = 18, .NpcWeapon2 = 56, .NpcTeam = 1, .NpcView = 800,
                   .NpcThink = 80, .NpcAttack1 = 20, .NpcAttack2 = 40, .NpcAttack3 = 40,
                   .NpcGuard = 25, .NpcDodge = 10, .NpcJump = 25, .NpcLook = 35, .NpcBurst = 25,
                   .NpcAim = 45, .NpcGetItem = 40, .NpcSpawn = 0, .NpcHp = 5000,
                   .NpcBehaviourText = std::string(BehaviourStatementOfItem(3))};
}

// The record's numbers in the order of the file's lines 2 to 19.
inline std::vector<int32_t> Numbers(const NpcRecord& n) {
  return {n.NpcModel,   n.NpcWeapon,  n.NpcWeapon2, n.NpcTeam,  n.NpcView,  n.NpcThink,
          n.NpcAttack1, n.NpcAttack2, n.NpcAttack3, n.NpcGuard, n.NpcDodge, n.NpcJump,
          n.NpcLook,    n.NpcBurst,   n.NpcAim,     n.NpcGetItem, n.NpcSpawn, n.NpcHp};
}

// The name is "张三" in GBK.
inline std::string StartFileBytes() {
  return "string Name=\"\xD5\xC5\xC8\xFD\";\r\nint Model =1;\r\nint Weapon =18;\r\nint Weapon2 = 56;\r\n"
         "int Team =1;\r\nint View =800;\r\nint Think =80;\r\nint Attack1=20;\r\n"
         "int Attack2 =40;\r\nint Attack3 =40;\r\nint Guard =25;\r\nint Dodge =10;\r\n"
         "int Jump =25;\r\nint Look = 35;\r\nint Burst = 25;\r\nint Aim=45;\r\n"
         "int GetItem =40;\r\nint Spawn =42;\r\nint HP = 5000;\r\n\r\n\r\n"
         "int g_selfAddr;\r\nint g_self;\r\nOnInit(int this)\r\n{\r\n"
         "                 g_selfAddr = this;\r\n}\r\n\r\nOnStart()\r\n{\r\n"
         "\tg_self = GetSelf(g_selfAddr);\r\n\tChangeBehavior(g_self, \"follow\", \"player\");\r\n"
         "}\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
}

}  // namespace korvath::app::testdata
