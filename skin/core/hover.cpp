#include "skin/core/hover.h"

namespace korvath::skin {

bool SkinHoverEnter(SkinWindowRecord& record, const SkinHoverMove& move) {
  if (move.tracking) {
    TRACKMOUSEEVENT track = {sizeof track, move.tracking, move.window, 0};
    TrackMouseEvent(&track);
  }
  record.HotControl = move.number;
  const bool entered = move.number != record.PrevHotControl || move.kind != record.HotKind ||
                       move.parent != record.HoverParent;
  record.PrevHotControl = move.number;
  record.HotKind = move.kind;
  record.HoverParent = move.parent;
  return entered;
}

}  // namespace korvath::skin
