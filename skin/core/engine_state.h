#pragma once
// The engine's process-wide lists and objects. They exist from program start
// (so no user ever tests them for absence); `ProgramGlobalsInit` gives them
// their start-up content before the engine's initialiser runs, and
// `ProgramGlobalsRelease`, the program's exit callback, frees them. The
// release frees memory and the objects the lists own; windows are left to
// their own destruction.
//
// The lists of other files: `SkinWindowList` (window_list.h),
// `SkinMemoryDcList` (memory_dc.h), `SkinCallbackList` (callbacks.h). All
// are defined in engine_state.cpp, in an order that lets each be destroyed
// while the ones it releases into still exist.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/core/callbacks.h"
#include "skin/core/control_entries.h"
#include "skin/core/image_strip.h"
#include "skin/core/memory_dc.h"
#include "platform/gdi_object.h"

namespace korvath::skin {

// A thread timer (SetTimer without a window), killed when its owner goes.
class ThreadTimer {
 public:
  ThreadTimer() = default;
  explicit ThreadTimer(UINT_PTR id) noexcept : id_(id) {}
  ~ThreadTimer() { Reset(); }
  ThreadTimer(ThreadTimer&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
  ThreadTimer& operator=(ThreadTimer&& other) noexcept {
    if (this != &other) {
      Reset();
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;
  UINT_PTR id() const noexcept { return id_; }
  void Reset() noexcept {
    if (id_) KillTimer(nullptr, std::exchange(id_, 0));
  }

 private:
  UINT_PTR id_ = 0;
};

// A running button cross-fade. It owns its timer, the window DC it took for
// itself and (unless KeepSourceDc) the picture it blends in; a DC its starter
// gave stays the starter's.
struct FadeEntry {
  bool Layered = false;       // re-show the window from DestDc after each blend
  bool KeepSourceDc = false;  // the caller keeps SourceDc
  int32_t Frame = 0;
  ThreadTimer Timer;
  HWND Window = nullptr;
  HDC DestDc = nullptr;  // the starter's DC, or OwnDestDc's
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  HDC SourceDc = nullptr;
  int32_t SourceX = 0;
  int32_t SourceY = 0;
  platform::WindowDC OwnDestDc;
  SkinMemoryDc OwnSourceDc;
};

// Pictures that replace a tree view's image-list images (a tree view's
// `Sxk_Tpzsy` names its entry; nothing in this program adds one).
struct TreeViewState {
  HWND hwnd = nullptr;
  std::unique_ptr<ImageStrip> pictureStrip = std::make_unique<ImageStrip>();
  bool destroyed = false;
};

// An item of a companion window's layers (nothing in this program adds one).
struct CompanionItem {
  int32_t ItemWindow = 0;
  int32_t ParentItem = 0;
  HDC LayerDC = nullptr;
  bool ItemShown = false;
  RECT ItemBounds{};
};

struct CompanionWindowEntry {
  HWND window = nullptr;
  std::vector<CompanionItem> LayerItems;
};

// Mouse state of the skinned form's window procedure: eight values, three of
// them one-element lists.
struct SkinMouseStateRecord {
  int32_t value1 = 0;
  int32_t value2 = 0;
  int32_t value3 = 0;
  std::vector<int32_t> list4{0};
  std::vector<int32_t> list5{0};
  std::vector<std::string> list6{std::string()};
  int32_t value7 = 0;
  std::string text8;
};

// The check-box glyph cells, loaded by the engine's initialiser.
extern ImageStrip SkinImageStrip;
// Drop-down list windows the skin made layered.
extern std::vector<HWND> LayeredDropDownList;
// Running button cross-fades.
extern std::vector<FadeEntry> FadeList;
extern std::vector<TreeViewState> TreeViewStateList;
// Companion windows (stays empty in this program).
extern std::vector<CompanionWindowEntry> CompanionWindowList;
extern SkinMouseStateRecord SkinMouseState;
// The noise-background theme's picture (empty until the theme call sets one).
extern ByteSet SkinBackgroundImage;
// The background colour of the engine's theme (0 until the theme call sets
// it); painters wash backgrounds with it where no skinned window lies behind.
extern COLORREF SkinBackgroundColor;

// Engine values that the window skinning sets and reads.
extern int32_t SkinResizeBorder;      // resize-zone width, set by every form attach
extern int32_t CaptionHoverItem;      // caption item last under the mouse on any form
extern SkinRoutine CaptionClickCallback;  // the caption-button action, set once by the form attach

// Gives every list and object its start-up content (all empty). Called once,
// before the engine's initialiser.
void ProgramGlobalsInit();
// The exit callback: releases every list and what it owns, in the order the
// lists were created.
void ProgramGlobalsRelease();

}  // namespace korvath::skin
