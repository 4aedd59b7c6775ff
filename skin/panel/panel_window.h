#pragma once
// The engine's panel window: a "Static" child laid over a control (the
// target), which it takes in as its own child. It paints a skinned frame and
// background around the target and a row of small image buttons (entries) at
// its right end; a click on an entry calls the application back with the
// entry's number. A panel with entries is a tab stop: the keyboard reaches
// its first entry, which shows a focus ring, Space and Enter press it, and
// the other keys go to the panel's top-level window (Tab, Esc).
//
// `ZqkPanel` is the insides of a panel object: a program holds the object
// itself, a `ZqkWindow` of the engine's front door (skin/engine/panel.h),
// which makes its insides and hands its calls on to them. Everything else
// here is the engine's own.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gdip/image.h"
#include "platform/gdi_object.h"
#include "skin/core/callbacks.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/skin_picture.h"
#include "skin/values/panel_click.h"

namespace korvath::gdip {
class Graphics;
class GraphicsPath;
}  // namespace korvath::gdip

namespace korvath::skin {

struct SkinMessage;
struct SkinWindowRecord;

// An encoded picture (PNG, JPEG, ...) as the panel keeps it.
using ImageBytes = std::vector<uint8_t>;

// One image button of a panel.
struct ZqkWindowEntry {
  ImageBytes normalImage;
  ImageBytes hoverImage;    // while the mouse is over the entry
  ImageBytes pressedImage;  // while the left button is held on it
  // Each image decoded once, so that an entry redrawn as the mouse moves is
  // only drawn: the normal one when the entry is added, the other two when
  // the entry first shows them (a form is shown long before the mouse comes
  // to an entry, if it ever does). One that does not decode is empty and
  // draws nothing.
  gdip::Image normalPicture;
  gdip::Image hoverPicture;
  gdip::Image pressedPicture;
  bool hoverDecoded = false;
  bool pressedDecoded = false;
  int width = 16;
  int height = 16;
  // In the panel's client coordinates; right and bottom belong to the entry.
  RECT rectangle{};
  bool hover = false;
  bool pressed = false;
};

// Frame styles: rounded (1, 3) or rectangular (0, 2) outline; the inner shade
// of three fading strokes with styles 2 and 3.
inline constexpr int kPanelFrameRectangle = 0;
inline constexpr int kPanelFrameRounded = 1;
inline constexpr int kPanelFrameRectangleShaded = 2;
inline constexpr int kPanelFrameRoundedShaded = 3;
// "No background colour" for the panel and its target's Zqk_bjs.
inline constexpr COLORREF kPanelNoBackground = 0xFFFFFFFF;

class ZqkPanel : public SkinCallbackTarget {
 public:
  ZqkPanel();
  // A panel object that still has a window unbinds it first, so the window
  // never reaches a destroyed object.
  virtual ~ZqkPanel();
  ZqkPanel(const ZqkPanel&) = delete;
  ZqkPanel& operator=(const ZqkPanel&) = delete;

  // ---- the three calls of the panel's callback-list record ------------------
  // The panel's window procedure, reached through ZqkWindowProc; what it
  // does not finish goes on through the panel's slot.
  virtual LRESULT WindowProc(const SkinMessage& m);
  virtual void Nop(int32_t a, int32_t b);
  // The owner window's background-cache invalidation asks the panel, through
  // SkinInvokeCallback, to rebuild its back buffer at the next paint.
  int32_t SetRedrawPending(int32_t value) override;
  // What a window whose `Wxk_LBID` names this panel's slot gets as its size
  // limit (SkinRequestPaintedSize): the point, as Dispatch code 5 packs it,
  // each half read back sign-extended.
  SIZE PaintedSize() const override;

  int32_t GetRedrawPending() const { return redrawPending_; }
  // Rebuild at the next WM_PAINT; repaint the panel and its visible children.
  void Invalidate();
  void SetHandleCopy(HWND handle) { handleCopy_ = handle; }
  HWND GetHandleCopy() const { return handleCopy_; }
  void SetCallbackSlot(int number) { callbackSlot_ = number; }
  int GetCallbackSlot() const { return callbackSlot_; }
  // Codes: 1 set redraw pending (1 when value is 1), 2 query it, 3 Invalidate,
  // 5 the point packed (PackedPoint), 6 store the point from b's halves.
  int32_t Dispatch(int32_t code, int32_t value, int32_t a, int32_t b, int32_t c);
  // Binds record `slot` of the callback list (the object's own slot when none
  // is given) to this object; false for a slot outside the list.
  bool BuildThunks(std::optional<int> slot = std::nullopt);
  void SetPoint(int32_t x, int32_t y);
  // The point with x in the low and y in the high 16 bits.
  int32_t PackedPoint() const;

  // ---- what the panel object (ZqkWindow) hands on -----------------------------
  // Create, AddEntry and SetCallback are described at the door:
  // skin/engine/panel.h.
  HWND Create(HWND target, std::optional<int> frameStyle, std::optional<COLORREF> frameColour,
              std::optional<COLORREF> backgroundColour, std::optional<int> backgroundAlpha,
              const SkinPicture& picture);
  void AddEntry(std::span<const uint8_t> normalImage,
                std::optional<std::span<const uint8_t>> hoverImage = std::nullopt,
                std::optional<std::span<const uint8_t>> pressedImage = std::nullopt,
                std::optional<int> width = std::nullopt, std::optional<int> height = std::nullopt,
                std::optional<int> position = std::nullopt);
  int SetCallback(ZqkClickRoutine callback);
  void SetIcon(std::span<const uint8_t> image, std::optional<int> width = std::nullopt,
               std::optional<int> height = std::nullopt);
  // Values not given are taken from the panel's current place in its parent.
  void Move(std::optional<int> x = std::nullopt, std::optional<int> y = std::nullopt,
            std::optional<int> width = std::nullopt, std::optional<int> height = std::nullopt);
  // Not given: 1 when visible, else 0. Given: shows (without activating) or
  // hides the panel and returns the value.
  int Show(std::optional<int> visible = std::nullopt);
  void SetFrameColor(COLORREF colour);
  int GetLeft() const;
  int GetTop() const;
  int GetBottom() const;
  int GetRight() const;
  int GetWidth() const;
  int GetHeight() const;
  // The cursor shown over entries, from a cursor file (GBK path). 1 when it
  // loaded (the previous file cursor is destroyed); 0, old cursor kept, else.
  int SetCursorFile(const std::string& path);

  // ---- layout and painting ---------------------------------------------------------
  // Rebuilds the back buffer and puts it on the screen.
  void Paint();
  void FillBackgroundPath(gdip::Graphics& graphics, gdip::GraphicsPath& path) const;
  void DrawIcon(gdip::Graphics& graphics) const;
  // Draws entry `number` (1-based) in its current state: into the back buffer
  // through `buffer`, or, when it is null, straight onto the window over a
  // fresh copy of the parent's background (the back buffer is left as it is).
  void DrawEntry(int number, gdip::Graphics* buffer) const;
  // Places the entries at the right end and fits the target between the icon
  // and the first entry.
  void Layout();
  // The first entry whose rectangle (edges included) holds the point; 0 none.
  int HitTest(int x, int y) const;
  // Puts the existing back buffer on `dc` (a DC of the panel), or on a DC of
  // its own when none is given, and into the child layer of `owner` (null:
  // the panel lies in no skinned window).
  void Present(const SkinWindowRecord* owner, HDC dc = nullptr) const;
  // Runs on the panel's WM_DESTROY: unsubclasses it, frees its slot and
  // returns the object to its empty state, ready for another Create.
  virtual void Destroy();
  void Release() { Destroy(); }

  // ---- read access for the engine and for tests ----------------------------
  HWND panel() const { return panel_; }
  HWND target() const { return target_; }
  int frameStyle() const { return frameStyle_; }
  COLORREF frameColour() const { return frameColour_; }
  COLORREF backgroundColour() const { return backgroundColour_; }
  int backgroundAlpha() const { return backgroundAlpha_; }
  bool focused() const { return focused_; }
  int hoveredEntry() const { return hoveredEntry_; }
  int pressedEntry() const { return pressedEntry_; }
  ZqkClickRoutine callback() const { return callback_; }
  const std::vector<ZqkWindowEntry>& entries() const { return entries_; }
  int iconWidth() const { return iconWidth_; }
  int iconHeight() const { return iconHeight_; }
  bool picturePresent() const { return picturePresent_; }
  HDC backBuffer() const { return backBuffer_.get(); }
  HCURSOR cursor() const { return cursor_.get(); }

 private:
  // Creation steps.
  static void AdoptAsChild(HWND target, HWND panel);
  // The first free record of the callback list, 0 when none is free.
  static int FindFreeCallbackSlot();
  // Takes the first free record, or a new one, for the panel window.
  static int TakeCallbackSlot(HWND panel);
  void FreeCallbackSlot() const;

  // Message handlers of WindowProc.
  void OnPaint(HWND window);
  void OnPrintClient(HDC dc);
  void OnMouseMove(HWND window, POINT point);
  void OnMouseLeave();
  void OnLeftButtonDown(HWND window, POINT point);
  void OnLeftButtonUp();
  void OnFocus(bool focused);
  void OnKeyDown(HWND window, WPARAM key, LPARAM lp);
  void OnKeyUp(WPARAM key);
  // Shows entry `number` pushed, as a press that the release ends.
  void Press(int number);
  // Ends the press, showing the entry as it is again; the entry that was
  // pressed, 0 when none was.
  int EndPress();
  // Around the entry that the keyboard reaches, while the panel has the focus.
  void DrawFocusRing(gdip::Graphics& graphics) const;

  // The skinned top-level record the panel lies in (its top skinned
  // ancestor's), null when none: found once per paint and handed on.
  const SkinWindowRecord* OwnerRecord() const;
  // The full picture of the panel: the parent's background under it with
  // outline, fill, shade, frame, icon and entries drawn over it.
  SkinMemoryDc ComposeBackBuffer(const SkinWindowRecord* owner) const;
  // Keeps a freshly composed picture as the back buffer.
  void RebuildBackBuffer(const SkinWindowRecord* owner);
  // Rebuilds the back buffer when a redraw is pending or there is none.
  void EnsureBackBuffer(const SkinWindowRecord* owner);
  void ShowBackBuffer(HDC dc) const;
  void SetEntryHover(int number, bool hover);
  // Decodes the hover or pressed picture that the entry shows now, the first
  // time it shows it.
  static void DecodeShownPicture(ZqkWindowEntry& entry);
  // The cursor for the entry under the mouse (0: none).
  void ShowCursorFor(int entryNumber) const;

  HWND handleCopy_ = nullptr;
  int32_t redrawPending_ = 0;
  int callbackSlot_ = 0;
  int32_t pointX_ = 0;
  int32_t pointY_ = 0;
  HWND panel_ = nullptr;
  HWND target_ = nullptr;
  int frameStyle_ = 0;
  COLORREF frameColour_ = 0;
  WNDPROC previousProcedure_ = nullptr;
  bool focused_ = false;
  int hoveredEntry_ = 0;
  int pressedEntry_ = 0;
  ZqkClickRoutine callback_ = nullptr;
  SkinMemoryDc backBuffer_;
  COLORREF backgroundColour_ = 0;
  int backgroundAlpha_ = 0;
  platform::OwnedIcon cursor_;  // a cursor loaded from a file is owned like an icon
  ImageBytes icon_;
  gdip::Image iconPicture_;  // icon_ decoded
  int iconWidth_ = 0;
  int iconHeight_ = 0;
  bool picturePresent_ = false;
  SkinPicture picture_;
  std::vector<ZqkWindowEntry> entries_;
};

// The window procedure of every panel: finds the panel's object through the
// panel's "Zqk_LbID" property and its callback-list record, and hands the
// message to it; a window whose record is gone goes to its saved procedure.
LRESULT CALLBACK ZqkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace korvath::skin
