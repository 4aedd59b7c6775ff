#pragma once
// Turns a finished off-screen picture into a stand-alone bitmap (for a
// pattern brush, say).
#include <windows.h>

#include "platform/gdi_object.h"
#include "skin/draw/memory_dc.h"

namespace korvath::skin {

// A new 32-bit DIB section of width x height holding a copy of the source's
// top-left width x height pixels. The source is taken over and freed before
// the call returns.
platform::GdiBitmap BitmapCopyRegion(SkinMemoryDc source, int width, int height);

}  // namespace korvath::skin
