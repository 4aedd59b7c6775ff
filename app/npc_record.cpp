#include "app/npc_record.h"

namespace korvath::app {

NpcRecord& Npc() {
  static NpcRecord record;
  return record;
}

}  // namespace korvath::app
