#pragma once
// Off-screen surfaces: every painter draws on a memory DC with a 32-bit
// bitmap selected into it, and frees it by its handle alone, whatever made it.
// The DCs live in `SkinMemoryDcList`, which owns each DC and its bitmap.
#include <windows.h>

#include <vector>

#include "platform/gdi_object.h"
#include "platform/unique_handle.h"

namespace korvath::skin {

// One registered memory DC.
struct SkinMemoryDcEntry {
  platform::MemoryDC dc;           // the memory DC
  platform::GdiBitmap bitmap;      // the bitmap its maker selected into it
  HGDIOBJ previous = nullptr;      // what that selection replaced (a stock object)
};

// `SkinMemoryDcList`: the registered DCs, the drawing vocabulary's own list.
// It is made at its first use and lasts until the process ends; the engine's
// state asks for it while the state itself is made, so that the list outlives
// the records and fades that free their DCs into it, and the engine's reset
// (SkinEngineReset) empties it after them.
std::vector<SkinMemoryDcEntry>& SkinMemoryDcList();

// A 32-bit DIB section (BI_RGB, all zero). A positive height makes it
// bottom-up, a negative one top-down, as CreateDIBSection reads the header.
// Empty on a zero size or when the system refuses.
platform::GdiBitmap SkinCreateDib32(int width, int height);

// A registered memory DC (compatible with the screen) holding a DIB of the
// rectangle's size (right - left by bottom - top; its origin is the bitmap's
// top-left pixel whatever the rectangle's left and top). Released with
// SkinMemoryDcFree (or through SkinMemoryDc). On a zero size the DC is made
// all the same, with no bitmap: drawing on it shows nothing.
HDC SkinCreateMemoryDC(const RECT& rect);

// Hands a DC made by other means to the list, with the bitmap selected into
// it and the object that selection replaced; returns the DC. A DC already in
// the list keeps its entry: its bitmap and previous object are replaced (the
// old bitmap is deleted unless it is the new one).
HDC SkinMemoryDcRegister(platform::MemoryDC dc, platform::GdiBitmap bitmap, HGDIOBJ previous);
void SkinMemoryDcRegister(HDC registered, platform::GdiBitmap bitmap, HGDIOBJ previous);

// Selects the previous object back, then deletes the bitmap and the DC and
// removes the entry. False for a null handle or a DC that is not in the list
// (such a DC is left as it is).
bool SkinMemoryDcFree(HDC dc);

struct SkinMemoryDcTraits {
  using Value = HDC;
  static Value Empty() noexcept { return nullptr; }
  static void Free(HDC registered) noexcept { SkinMemoryDcFree(registered); }
};

// Frees a registered memory DC when it goes out of scope: what keeps a
// painter's DC from leaking on an early return, and what records hold their
// back buffers in. Release leaves the DC registered for someone who frees it
// by handle.
class SkinMemoryDc : public platform::UniqueHandle<SkinMemoryDcTraits> {
 public:
  using UniqueHandle::UniqueHandle;
  [[nodiscard]] static SkinMemoryDc Create(const RECT& rect) { return SkinMemoryDc(SkinCreateMemoryDC(rect)); }
  [[nodiscard]] static SkinMemoryDc Create(int width, int height) { return Create(RECT{0, 0, width, height}); }
};

}  // namespace korvath::skin
