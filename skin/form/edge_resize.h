#pragma once
// A skinned form has no system border: the rim of its client area is split
// into eight resize zones (edges SkinResizeBorder deep, 10-pixel corners),
// which show the sizing cursors and start the system's sizing loop, and a
// press on the bare surface starts the system's move loop.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// The SC_SIZE edge code (1 .. 8, WMSZ_*) of the zone under the point of a
// width x height client area, 0 outside every zone; zones are tested left,
// right, top, bottom, then the four corners.
int32_t SkinEdgeZone(int32_t x, int32_t y, int32_t width, int32_t height);

// Shows the sizing cursor of the zone under the point (client coordinates)
// of a resizable form.
void SkinSetEdgeCursor(const SkinWindowRecord& r, POINT point, const RECT& client);
// What a left press starts: nothing on the caption-button strip or the
// status bar; the sizing loop in a resize zone of a framed, resizable form
// (after asking for a full render); else, with DragAnywhere, the move loop
// when no child window lies under the point. Returns when the loop ends:
// the loop runs the program's handlers, so the caller finds the form's
// record again before it reads it (the record may be gone).
void SkinStartEdgeResize(SkinWindowRecord& r, POINT point, const RECT& client);

}  // namespace korvath::skin
