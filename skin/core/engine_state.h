#pragma once
// Everything the engine keeps between calls, in one object of four sections:
// the options (fixed once set up), what the skinned forms keep between
// messages, the message box on its way, and the lists. What the drawing
// vocabulary keeps, the memory-DC list and the painters' caches, is its own
// (skin/draw/memory_dc.h, engine_caches.h), made before this object and
// emptied with it. `SkinEngineReset` gives all of it its start-up content at
// once, so nothing can be left behind: the program's start and exit and every
// test begin from the same state. Every read names the section that holds the value
// (`SkinEngine.options.SkinThemeColor`, `SkinEngine.lists.SkinWindowList`).
//
// Lists exist from program start (no user tests them for absence). Windows
// are left to their own destruction; the lists own the memory and the objects
// in them. GDI+'s start-up (engine_startup.h says how long it lasts) and the
// twenty panel objects (skin/engine/panel.h, as long as the process) are not
// reset.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi_object.h"
#include "platform/hooks.h"
#include "platform/unique_handle.h"
#include "skin/values/byte_set.h"
#include "skin/core/callbacks.h"
#include "skin/core/error_policy.h"
#include "skin/core/menu_entries.h"
#include "skin/core/skin_routine.h"
#include "skin/core/window_record.h"
#include "skin/draw/image_strip.h"
#include "skin/draw/memory_dc.h"

namespace korvath::skin {

// A thread timer (SetTimer without a window), killed when its owner goes.
struct ThreadTimerTraits {
  using Value = UINT_PTR;
  static Value Empty() noexcept { return 0; }
  static void Free(UINT_PTR id) noexcept { KillTimer(nullptr, id); }
};
using ThreadTimer = platform::UniqueHandle<ThreadTimerTraits>;

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
  HWND window = nullptr;
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

// The mouse bookkeeping record of the engine's global set-up: three numbers,
// two lists of numbers and a list of texts (each starting with one empty
// element), a text and a number. Nothing in this program reads or writes it
// past its creation.
struct SkinMouseStateRecord {
  int32_t Field1 = 0;
  int32_t Field2 = 0;
  int32_t Field3 = 0;
  std::vector<int32_t> Field4{0};
  std::vector<int32_t> Field5{0};
  std::vector<std::string> Field6{std::string()};
  std::string Field7;
  int32_t Field8 = 0;
};

// What start-up (SkinModuleInit) and the program's set-up calls
// (SkinSetOptions, the background theme) set: every skin and painter reads
// them, and nothing changes them while the program's windows are skinned.
struct SkinEngineOptions {
  // Class icon of the engine's windows, drawn in skinned captions (0 when the
  // program has no icon resource).
  HICON AppIcon = nullptr;
  // While not 0 the working-set trim on deactivation returns at once (1 from
  // start-up; nothing sets it to 0).
  int32_t SkinOptTrimMemory = 0;
  // The skinning switch (described at the door, skin/engine/start.h): read
  // by the control installers when they run, and by the skinned windows'
  // procedures as they colour and paint controls.
  bool SkinEnabled = false;
  // Default alpha of control backgrounds, borders and scroll-bar faces.
  int32_t SkinAlpha = 0;
  // The one tint of every highlight, gradient, tick and frame.
  COLORREF SkinThemeColor = 0;
  // The track-bar painter draws its rounded part only while not 0.
  int32_t SkinOptTrackbar = 0;
  // List-type controls ask for hover tracking only while not 0 (stays 0).
  int32_t SkinHoverTracking = 0;
  // Shared system cursors (hand, I-beam, west-east sizing), loaded by the
  // engine's initialiser for forms and controls that want one.
  HCURSOR CursorHand = nullptr;
  HCURSOR CursorIBeam = nullptr;
  HCURSOR CursorSizeWE = nullptr;
  // True exactly when the last SkinSetOptions call was given an alpha:
  // switches on the transparent-background branches of the control skins.
  bool SkinTransparentMode = false;
  // The background theme's picture (empty until the theme call sets one).
  ByteSet SkinBackgroundImage;
  // The background colour of the engine's theme (0 until the theme call sets
  // it); painters wash backgrounds with it where no skinned window lies
  // behind.
  COLORREF SkinBackgroundColor = 0;
  // How the background theme's picture is placed: the modes of
  // SkinSetBackgroundTheme (described at the door,
  // skin/engine/background_theme.h). Forms without a picture of their own
  // use it.
  int32_t SkinBackgroundMode = 0;
};

// What the skinned forms keep engine-wide between messages.
struct SkinFormState {
  // One-shot: the first WM_SIZE of a skinned form after start-up keeps the
  // form's full re-render request cleared and sets this to 0.
  int32_t SkinOptFormFlag = 0;
  int32_t SkinResizeBorder = 0;           // resize-zone width, set by every form attach
  int32_t CaptionHoverItem = 0;           // caption item last under the mouse on any form
  SkinRoutine CaptionClickCallback;       // the caption-button action, set once by the form attach
  bool TrimDoneSinceActivation = false;   // the working set was trimmed for this deactivation
  bool GdiplusShutdownAsked = false;      // a form got WM_QUIT: GDI+ goes with the last skinned window
  // The popup menu's WinEvent hook, set when a described menu is about to
  // open and removed at its first menu start.
  platform::WinEventHook MenuWinEventHook;
  // SkinLayoutGeneration (child_layer.h): counts up from 1 with every change
  // of layout; what was worked out at one generation holds while it stays.
  uint32_t LayoutGeneration = 1;
};

// The program's message box on its way.
struct SkinMessageBoxState {
  HWND MsgBoxOwner = nullptr;             // owner given to the last message box
  platform::WindowsHook MsgBoxCbtHook;    // the message-box hook while it is installed
  HWND MsgBoxTarget = nullptr;            // the dialog that hook is for (the first made after it)
};

// The lists, in an order that lets each be released while the ones it
// releases into still exist (the memory-DC list, which they free into, is
// the drawing vocabulary's and outlives them all).
struct SkinEngineLists {
  // The check-box glyph cells, loaded at their first use (SkinGlyphStrip).
  ImageStrip SkinImageStrip;
  std::vector<SkinCallbackEntry> SkinCallbackList;
  // Drop-down list windows the skin made layered.
  std::vector<HWND> LayeredDropDownList;
  // Records keep their address while they live, so a painter holding one does
  // not lose it when another window is skinned meanwhile.
  std::vector<std::unique_ptr<SkinWindowRecord>> SkinWindowList;
  // Running button cross-fades.
  std::vector<FadeEntry> FadeList;
  std::vector<TreeViewState> TreeViewStateList;
  // Companion windows (stays empty in this program).
  std::vector<CompanionWindowEntry> CompanionWindowList;
  std::vector<MenuSkinEntry> MenuItemList;
  SkinMouseStateRecord SkinMouseState;
};

struct SkinEngineState {
  // Makes the drawing vocabulary's memory-DC list and cache registry first,
  // so that they are destroyed after this object at the process's end.
  SkinEngineState();
  SkinEngineOptions options;
  SkinFormState forms;
  SkinMessageBoxState box;
  SkinEngineLists lists;
};

extern SkinEngineState SkinEngine;

// Releases every list and what it owns (records before the memory DCs they
// free into) and gives every value its start-up content: the program's exit,
// and the first step of its start.
void SkinEngineReset();
// The global set-up that runs before the engine's initialiser, and the
// program's exit callback: both are that reset.
inline void ProgramGlobalsInit() { SkinEngineReset(); }
inline void ProgramGlobalsRelease() { SkinEngineReset(); }

}  // namespace korvath::skin
