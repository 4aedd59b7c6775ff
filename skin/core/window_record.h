#pragma once
// `SkinWindowRecord`: everything the skin keeps for one skinned top-level
// window (a form or a message box): its options, the state its window
// procedure keeps between messages, its caption items, its off-screen
// layers, its drop shadow and one list per kind of skinned child control.
// Records live in `SkinWindowList`; a window finds its record by number
// through its properties, once per message, and the engine passes it on by
// reference (see window_list.h).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/geometry.h"
#include "gdip/image.h"
#include "platform/tooltip.h"
#include "skin/core/control_entries.h"
#include "skin/core/entry_list.h"
#include "skin/core/skin_routine.h"
#include "skin/draw/memory_dc.h"
#include "skin/values/form_settings.h"

namespace korvath::skin {

// The kind of skinned control the mouse is over (hot_control.h).
enum class HoverKind : int32_t { Button = 0, Edit = 1, Trackbar = 2, Combo = 3, List = 4, UpDown = 8, Header = 9 };

// What a caption button does.
enum class CaptionItemKind : int32_t { Close = 0, MaximizeRestore = 1, Minimize = 2, MainMenu = 3, Help = 4, Custom = 5 };

// A caption button.
struct CaptionItem {
  int32_t Width = 0;   // 26; the close item 38
  int32_t Height = 0;  // 18
  ByteSet ItemImage;
  ByteSet RestoreImage;  // maximise item: the picture while maximised
  // The two pictures decoded when the item is made, so that a paint (a fade
  // frame every 20 ms) only draws; empty when the bytes do not decode.
  gdip::Image ItemGlyph;
  gdip::Image RestoreGlyph;
  CaptionItemKind Kind = CaptionItemKind::Close;
  std::string TipText;
  SkinRoutine Handler;  // custom items only
  gdip::RectF Bounds;   // forms: client coordinates; message boxes: window coordinates
};

// A form's background picture decoded once, and its lower background (the
// base fill with the picture placed in its mode) at the client size, kept
// until the picture, its mode, the base colour or the size changes: a render
// then copies it instead of decoding and stretching again.
struct FormBackgroundCache {
  ByteSet source;        // the bytes `picture` was decoded from
  gdip::Bitmap picture;  // empty when they do not decode, or once fitted
  bool decoded = false;  // `picture` holds what `source` decodes to
  SkinMemoryDc fitted;   // width x height; none until first drawn
  int32_t mode = 0;
  COLORREF base = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// A caption item's fade: which item, at which frame.
struct CaptionFade {
  int32_t item = 0;
  int32_t frame = 0;
};

struct SkinWindowRecord {
  SkinWindowRecord();

  HWND Window = nullptr;
  bool ShowPainted = false;
  bool Hidden = false;
  int32_t CloseEffect = 0;
  bool Moving = false;
  bool Sizing = false;
  bool ListViewRepaintPending = false;
  bool BackgroundErased = false;
  bool Active = false;
  int32_t CaptionHeight = 0;
  bool HasHelpButton = false;
  bool HasMenuButton = false;
  bool HasMinimizeButton = false;
  bool HasMaximizeButton = false;
  bool HasCloseButton = false;
  bool ShowTitle = false;
  bool CaptionBand = false;
  WNDPROC OldWndProc = nullptr;
  ByteSet SkinImage;
  int32_t SkinImageMode = 0;
  COLORREF SkinImageColor = 0;
  std::optional<COLORREF> BackColor;  // none: no base colour of its own
  int32_t BackAlpha = 0;
  std::vector<CaptionItem> CaptionItems;
  int32_t ButtonStripLeft = 0;
  int32_t ButtonStripTop = 0;
  int32_t ButtonStripWidth = 0;
  int32_t ButtonStripHeight = 0;
  bool Maximized = false;
  // A minimise asked (the caption's item, SC_MINIMIZE) and no restore asked
  // since (SC_RESTORE, WM_QUERYOPEN, the caption's maximise item): the
  // skin's own view, which goes ahead of the window's state (IsIconic) both
  // ways and misses a minimise made by ShowWindow. Paints draw nothing while
  // it is set. Kept per skinned window, a message box too, whatever made it.
  bool Minimized = false;
  bool TrackLimitsOn = false;
  int32_t MinTrackWidth = 0;
  int32_t MinTrackHeight = 0;
  int32_t MaxTrackWidth = 0;
  int32_t MaxTrackHeight = 0;
  bool Resizable = false;
  bool HasBorder = false;
  bool DragAnywhere = false;
  COLORREF TitleColor = 0;
  std::optional<COLORREF> TitleHaloColor;  // none: a plain title
  std::string TitleFontName;
  int32_t TitleFontSize = 0;
  bool TitleFontBold = false;
  bool TitleGlow = false;
  int32_t HotCaptionItem = 0;
  HoverKind HotKind = HoverKind::Button;  // the kind of the control HotControl numbers
  HWND HotControlParent = nullptr;        // edits: the parent of the hot one
  SkinRoutine HelpHandler;
  SkinRoutine MenuHandler;
  SkinRoutine CloseQueryHandler;
  platform::ToolTip Tips;
  int32_t ButtonBandHeight = 0;
  int32_t StatusBarHeight = 0;
  gdip::Rect StatusBarRect;
  std::vector<StatusBarSegment> StatusBarSegments;
  std::vector<gdip::Rect> StatusBarSegmentRects;
  std::string StatusBarFontName;
  int32_t StatusBarFontSize = 0;
  SkinRoutine StatusBarClickHandler;
  SkinRoutine StatusBarRightClickHandler;
  SkinRoutine StatusBarDoubleClickHandler;
  SkinEntryList<SkinButtonEntry> Buttons;
  SkinEntryList<SkinEditEntry> Edits;
  SkinEntryList<SkinChildEntry> Children;
  SkinEntryList<SkinTrackbarEntry> Trackbars;
  SkinEntryList<SkinProgressEntry> Progresses;
  SkinEntryList<SkinComboEntry> Combos;
  SkinEntryList<SkinUpDownEntry> UpDowns;
  SkinEntryList<SkinHeaderEntry> Headers;
  SkinEntryList<SkinToolbarEntry> Toolbars;
  SkinEntryList<SkinStaticEntry> Statics;
  SkinEntryList<SkinLabelEntry> Labels;
  bool RenderPending = false;
  bool SizeOption = false;
  SkinMemoryDc BackDC;
  SkinMemoryDc CaptionDC;
  SkinMemoryDc TextDC;
  SkinMemoryDc ChildBackDC;
  FormBackgroundCache Background;
  int32_t PrevHotControl = 0;
  int32_t HotControl = 0;
  SkinEntryList<SkinContainerEntry> Containers;
  std::vector<LayoutEntry> CaptionChildRects;
  bool MouseTracking = false;
  CaptionFade HotFade;
  CaptionFade PrevFade;
  bool HoverTimerOn = false;
  bool CloseHot = false;
  bool FadeInStarted = false;  // message boxes: the fade-in has begun (each box has its own)
  std::jthread FadeInThread;   // message boxes: the fade-in; stopped and joined with the record
  bool CloseAnimated = false;  // message boxes: the close animation has played
  RECT BoxBaseBounds{};        // message boxes: the box as the system laid it out, widened (screen)
  RECT BoxBaseBody{};          // message boxes: the system's icon and text together (window coordinates)
  bool BoxLayoutPending = false;  // message boxes: laid out when shown, the system's own layout done then
  HWND ShadowWindow = nullptr;
  int32_t ShadowSize = 0;
  ByteSet ShadowImage;
  int32_t ShadowOffsetX = 0;
  int32_t ShadowOffsetY = 0;
  int32_t ShadowPlacement = 0;
  bool ShadowDragsOwner = false;
  bool ShadowClipInner = false;
  bool ShadowFromImage = false;
  // Whether the shadow window has been drawn once: a shadow made for a hidden
  // window is drawn when that window shows (a box: just after its first frame).
  bool ShadowDrawn = false;
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  // The client size the window's rounded region was made for (negative: none
  // made yet): a render at that size keeps the region it has.
  SIZE RegionSize{-1, -1};
  bool HideIcon = false;
  bool HasPicture = false;
  SkinPicture Picture;  // push buttons of this window are painted with it when their own is absent
  std::vector<CompanionEntry> CompanionRects;
};

}  // namespace korvath::skin
