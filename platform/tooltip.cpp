#include "platform/tooltip.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/common_controls.h"
#include "platform/gbk_convert.h"
#include "platform/message_params.h"

namespace korvath::platform {

namespace {

constexpr int32_t kMaxTipWidth = 600;

// A tool record built afresh for each message. The text pointer is the
// caller's; the control copies the text while it handles the message.
TTTOOLINFOW ToolRecord(HWND owner, int32_t id, const RECT& rect, LPWSTR text) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  // Not TTF_SUBCLASS: the owner relays its mouse messages (RelayEvent).
  tool.uFlags = 0;
  tool.hwnd = owner;
  tool.uId = static_cast<UINT_PTR>(id);
  tool.rect = rect;
  tool.hinst = nullptr;
  tool.lpszText = text;
  return tool;
}

}  // namespace

ToolTip::~ToolTip() { Destroy(); }

ToolTip::ToolTip(ToolTip&& other) noexcept { *this = std::move(other); }

ToolTip& ToolTip::operator=(ToolTip&& other) noexcept {
  if (this != &other) {
    Destroy();
    tip_ = std::exchange(other.tip_, nullptr);
    owner_ = std::exchange(other.owner_, nullptr);
    prepared_ = std::exchange(other.prepared_, false);
    balloon_ = std::exchange(other.balloon_, false);
    kept_ = std::exchange(other.kept_, {});
    backColour_ = std::exchange(other.backColour_, std::nullopt);
    textColour_ = std::exchange(other.textColour_, std::nullopt);
    maxWidth_ = std::exchange(other.maxWidth_, std::nullopt);
  }
  return *this;
}

void ToolTip::Destroy() noexcept {
  // Usually the owner's destruction took the control with it already; a
  // handle that now names some other window is left alone.
  if (tip_ && IsWindow(tip_) && GetWindow(tip_, GW_OWNER) == owner_) DestroyWindow(tip_);
  tip_ = nullptr;
  prepared_ = false;
  kept_.clear();
  backColour_.reset();
  textColour_.reset();
  maxWidth_.reset();
}

HWND ToolTip::Create(HWND owner, bool balloon) {
  Destroy();
  owner_ = owner;
  // A popup from the start: made without WS_POPUP, the window is born an
  // overlapped one, captioned and three quarters of the screen large, until
  // the control makes itself a popup. Wine's X11 driver decides at that
  // birth that the window is one for the desktop's window manager, which
  // then makes each shown tip the active window, with the keys.
  DWORD style = WS_POPUP | TTS_ALWAYSTIP;
  if (balloon) style |= TTS_BALLOON;
  EnsureCommonControls();
  // Owned by the form, so that the form's destruction destroys it.
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  SetMaxWidth(kMaxTipWidth);
  return tip_;
}

void ToolTip::Prepare(HWND owner, bool balloon) {
  Destroy();
  owner_ = owner;
  balloon_ = balloon;
  prepared_ = true;
}

HWND ToolTip::Realize() {
  if (!prepared_) return tip_;
  std::vector<KeptTool> tools = std::exchange(kept_, {});
  const std::optional<COLORREF> back = backColour_, text = textColour_;
  const std::optional<int32_t> width = maxWidth_;
  // An owner gone meanwhile took nothing with it: there is nothing to make.
  if (!IsWindow(owner_)) {
    Destroy();
    return nullptr;
  }
  Create(owner_, balloon_);
  if (back) SetBackColor(*back);
  if (text) SetTextColor(*text);
  if (width) SetMaxWidth(*width);
  for (KeptTool& tool : tools) {
    TTTOOLINFOW record = ToolRecord(owner_, tool.id, tool.rect, tool.callback ? LPSTR_TEXTCALLBACKW : tool.text.data());
    SendWithPointer(tip_, TTM_ADDTOOLW, 0, &record);
  }
  return tip_;
}

bool ToolTip::KeptToolAt(POINT client) const {
  for (const KeptTool& tool : kept_) {
    if (PtInRect(&tool.rect, client)) return true;
  }
  return false;
}

ToolTip::KeptTool* ToolTip::KeptToolOf(int32_t id) {
  for (KeptTool& tool : kept_) {
    if (tool.id == id) return &tool;
  }
  return nullptr;
}

void ToolTip::AddTool(std::optional<RECT> rect, const std::string& text, int32_t id) {
  if (!tip_ && !prepared_) return;
  RECT area{};
  if (rect) area = *rect;
  else GetClientRect(owner_, &area);
  std::wstring wide = GbkToWide(text);
  if (!tip_) {
    kept_.push_back({id, area, std::move(wide), false});
    return;
  }
  TTTOOLINFOW tool = ToolRecord(owner_, id, area, wide.data());
  SendWithPointer(tip_, TTM_ADDTOOLW, 0, &tool);
}

void ToolTip::AddToolCallback(const RECT& rect, int32_t id) {
  if (!tip_) {
    if (prepared_) kept_.push_back({id, rect, {}, true});
    return;
  }
  TTTOOLINFOW tool = ToolRecord(owner_, id, rect, LPSTR_TEXTCALLBACKW);
  SendWithPointer(tip_, TTM_ADDTOOLW, 0, &tool);
}

void ToolTip::SetToolRect(int32_t id, const RECT& rect) {
  if (!tip_) {
    if (KeptTool* tool = KeptToolOf(id)) tool->rect = rect;
    return;
  }
  TTTOOLINFOW tool = ToolRecord(owner_, id, rect, nullptr);
  SendWithPointer(tip_, TTM_NEWTOOLRECTW, 0, &tool);
}

void ToolTip::UpdateText(int32_t id, const std::string& text) {
  std::wstring wide = GbkToWide(text);
  if (!tip_) {
    if (KeptTool* tool = KeptToolOf(id)) {
      tool->text = std::move(wide);
      tool->callback = false;
    }
    return;
  }
  TTTOOLINFOW tool = ToolRecord(owner_, id, RECT{}, wide.data());
  SendWithPointer(tip_, TTM_UPDATETIPTEXTW, 0, &tool);
}

void ToolTip::SetBackColor(COLORREF color) {
  if (tip_) SendMessageW(tip_, TTM_SETTIPBKCOLOR, color, 0);
  else if (prepared_) backColour_ = color;
}

void ToolTip::SetTextColor(COLORREF color) {
  if (tip_) SendMessageW(tip_, TTM_SETTIPTEXTCOLOR, color, 0);
  else if (prepared_) textColour_ = color;
}

void ToolTip::SetMaxWidth(int32_t width) {
  if (tip_) SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, width);
  else if (prepared_) maxWidth_ = width;
}

void ToolTip::DeleteTool(int32_t id) {
  if (!tip_) {
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
      if (it->id == id) {
        kept_.erase(it);
        break;
      }
    }
    return;
  }
  TTTOOLINFOW tool = ToolRecord(owner_, id, RECT{}, nullptr);
  SendWithPointer(tip_, TTM_DELTOOLW, 0, &tool);
}

int32_t ToolTip::GetToolCount() const {
  if (!tip_) return static_cast<int32_t>(kept_.size());
  return static_cast<int32_t>(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0));
}

void ToolTip::RelayEvent(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (!tip_) return;
  MSG relayed{owner_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  const DWORD at = GetMessagePos();
  relayed.pt = {static_cast<int16_t>(LOWORD(at)), static_cast<int16_t>(HIWORD(at))};
  SendWithPointer(tip_, TTM_RELAYEVENT, 0, &relayed);
}

void ToolTip::Pop() const {
  if (tip_) SendMessageW(tip_, TTM_POP, 0, 0);
}

}  // namespace korvath::platform
