#include "skin/core/hot_control.h"

namespace korvath::skin {

bool SkinHotEnter(SkinWindowRecord& record, const SkinHotMove& move) {
  if (move.tracking) {
    TRACKMOUSEEVENT track = {sizeof track, move.tracking, move.window, 0};
    TrackMouseEvent(&track);
  }
  record.HotControl = move.number;
  const bool entered = move.number != record.PrevHotControl || move.kind != record.HotKind ||
                       move.parent != record.HotControlParent;
  record.PrevHotControl = move.number;
  record.HotKind = move.kind;
  record.HotControlParent = move.parent;
  return entered;
}

}  // namespace korvath::skin
