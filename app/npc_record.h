#pragma once
// The NPC record: one program-wide value per field of the main window, the
// document folder and paths, and the lines of the ".pst" being written or
// last read. Texts are GBK.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvath::app {

inline constexpr int kOutputLineCount = 30;

struct NpcRecord {
  std::string NpcName;
  int32_t NpcModel = 0;
  int32_t NpcWeapon = 0;
  int32_t NpcWeapon2 = 0;
  int32_t NpcTeam = 0;  // 0 neutral, 1 Velmar, 2 Ostrin
  int32_t NpcView = 0;
  int32_t NpcThink = 0;
  int32_t NpcAttack1 = 0;
  int32_t NpcAttack2 = 0;
  int32_t NpcAttack3 = 0;
  int32_t NpcGuard = 0;
  int32_t NpcDodge = 0;
  int32_t NpcJump = 0;
  int32_t NpcLook = 0;
  int32_t NpcBurst = 0;
  int32_t NpcAim = 0;
  int32_t NpcGetItem = 0;
  int32_t NpcSpawn = 0;  // read from a file and kept; the writer writes a constant
  int32_t NpcHp = 0;
  std::string NpcBehaviourText;

  std::string NpcFolder;
  std::string NpcFilePart;
  std::string NpcFilePath;
  // Elements 1 to 30 of the file (here 0 to 29); the writer fills 1 to 21.
  std::array<std::string, kOutputLineCount> NpcOutputLines;
  // The kept lines of the last file read.
  std::vector<std::string> NpcInputLines;
};

// The program's record, living for the whole run.
NpcRecord& Npc();

}  // namespace korvath::app
