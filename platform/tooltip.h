#pragma once
// `ToolTip`: one Win32 tooltip control serving one owner window, with tools
// (rectangles of the owner that show a tip). The control is owned by the
// owner window, so it is destroyed with it; the object destroys it too when
// it goes first. The control does not subclass the owner: the owner's
// procedure hands it the mouse messages (RelayEvent). A control that
// subclassed its owner would stay in the owner's procedure chain after its
// tools and itself are gone (the common controls under Wine never step out
// again), so a skin taken off the owner could not give it its own procedure
// back. Every operation on an object without a control does nothing
// (counts read 0), unless the control is prepared: then the object keeps the
// tools and settings and gives them to the control when it is made.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvath::platform {

class ToolTip {
 public:
  ToolTip() = default;
  ~ToolTip();
  ToolTip(ToolTip&& other) noexcept;
  ToolTip& operator=(ToolTip&& other) noexcept;
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  // Makes the control for `owner` (TTS_ALWAYSTIP, with TTS_BALLOON when asked;
  // topmost; tips wrap at 600 pixels) and returns it (null on failure). A
  // control this object made before is destroyed first.
  HWND Create(HWND owner, bool balloon = false);
  // As Create, but the control is made later, by Realize or GetHandle: a
  // top-level window of its own costs a window's start-up more than a tip
  // that shows only when the mouse comes.
  void Prepare(HWND owner, bool balloon = false);
  bool Prepared() const noexcept { return prepared_; }
  // Whether a tool kept for the prepared control lies under `client`, a
  // point of the owner's client area: until the mouse reaches one, the
  // control would have nothing to show.
  bool KeptToolAt(POINT client) const;
  // Makes the prepared control with the tools and settings given so far and
  // returns it; the control there is, if any, otherwise.
  HWND Realize();
  // Adds tool `id` over `rect` of the owner's client area; without a rect the
  // client area as it is now. The text (GBK) is copied by the control.
  void AddTool(std::optional<RECT> rect, const std::string& text, int32_t id);
  // A tool whose text the control asks the owner for each time (TTN_GETDISPINFO).
  void AddToolCallback(const RECT& rect, int32_t id);
  void SetToolRect(int32_t id, const RECT& rect);
  void UpdateText(int32_t id, const std::string& text);
  void SetBackColor(COLORREF color);
  void SetTextColor(COLORREF color);
  void SetMaxWidth(int32_t width);
  // Realizes a prepared control.
  HWND GetHandle() { return Realize(); }
  void DeleteTool(int32_t id);
  int32_t GetToolCount() const;
  // Hands the control a mouse message of the owner (TTM_RELAYEVENT): the
  // moves and button presses from which it shows and hides its tips.
  // Nothing without a control.
  void RelayEvent(UINT message, WPARAM wParam, LPARAM lParam) const;
  // Takes a tip that shows away at once (TTM_POP). A tip that still shows
  // when its owner is minimised is hidden by the system as an owned window,
  // and shown again, empty, when the owner is restored. Nothing without a
  // control.
  void Pop() const;

 private:
  void Destroy() noexcept;

  // A tool kept for the prepared control.
  struct KeptTool {
    int32_t id = 0;
    RECT rect{};
    std::wstring text;
    bool callback = false;  // the owner gives the text (TTN_GETDISPINFO)
  };
  KeptTool* KeptToolOf(int32_t id);

  HWND tip_ = nullptr;
  HWND owner_ = nullptr;
  bool prepared_ = false;
  bool balloon_ = false;
  std::vector<KeptTool> kept_;
  std::optional<COLORREF> backColour_;
  std::optional<COLORREF> textColour_;
  std::optional<int32_t> maxWidth_;
};

}  // namespace korvath::platform
