#pragma once
// `ToolTip`: one Win32 tooltip control serving one owner window, with tools
// (rectangles of the owner that show a tip). The control is owned by the
// owner window, so it is destroyed with it; the object destroys it too when
// it goes first. Every operation on an object without a control does nothing
// (counts read 0).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace korvath::skin {

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
  HWND GetHandle() const noexcept { return tip_; }
  void DeleteTool(int32_t id);
  int32_t GetToolCount() const;

 private:
  void Destroy() noexcept;

  HWND tip_ = nullptr;
  HWND owner_ = nullptr;
};

}  // namespace korvath::skin
