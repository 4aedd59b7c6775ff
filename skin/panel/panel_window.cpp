// The panel object: creation over a target control, its entries, settings and
// its return to the empty state when its window goes.
#include "skin/panel/panel_window.h"

#include <algorithm>
#include <utility>

#include "gdip/object.h"
#include "gdip/picture_decode.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/layered_window.h"
#include "skin/core/native_border.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/install/container_attach.h"

namespace korvath::skin {

namespace {

constexpr int kDefaultFrameStyle = kPanelFrameRoundedShaded;
constexpr COLORREF kDefaultFrameColour = 0x808080;
constexpr int kDefaultEntrySize = 16;
constexpr int kDefaultIconSize = 16;
// The panel reaches 3 pixels beyond the target on every side.
constexpr int kPanelMargin = 3;

ImageBytes CopyOf(std::span<const uint8_t> bytes) { return ImageBytes(bytes.begin(), bytes.end()); }

gdip::Image Decoded(const ImageBytes& bytes) {
  gdip::Image picture;
  // Bytes that do not decode leave the picture empty: it draws nothing.
  if (bytes.empty() || !gdip::DecodePicture(bytes, picture)) return {};
  return picture;
}

}  // namespace

ZqkPanel::ZqkPanel() = default;

ZqkPanel::~ZqkPanel() {
  if (panel_ && IsWindow(panel_)) Destroy();
}

void ZqkPanel::Nop(int32_t, int32_t) {}

int32_t ZqkPanel::SetRedrawPending(int32_t value) {
  redrawPending_ = value;
  return value;
}

void ZqkPanel::Invalidate() {
  redrawPending_ = 1;
  InvalidateRect(panel_, nullptr, TRUE);
  SkinInvalidateVisibleChildren(panel_);
}

int32_t ZqkPanel::Dispatch(int32_t code, int32_t value, int32_t a, int32_t b, int32_t c) {
  switch (code) {
    case 1:
      SetRedrawPending(value == 1 ? 1 : 0);
      return 0;
    case 2:
      return GetRedrawPending() != 0 ? 1 : 0;
    case 3:
      Invalidate();
      return 0;
    case 5:
      return PackedPoint();
    case 6:
      SetPoint(int16_t(LoWord(b)), HiWord(b));
      return 0;
    default:
      return 0;
  }
}

void ZqkPanel::SetPoint(int32_t x, int32_t y) {
  pointX_ = x;
  pointY_ = y;
}

int32_t ZqkPanel::PackedPoint() const { return int32_t(uint32_t(pointX_) | (uint32_t(pointY_) << 16)); }

SIZE ZqkPanel::PaintedSize() const {
  const int32_t packed = PackedPoint();
  return SIZE{int16_t(LoWord(packed)), HiWord(packed)};
}

HWND ZqkPanel::Create(HWND target, std::optional<int> frameStyle,
                       std::optional<COLORREF> frameColour,
                       std::optional<COLORREF> backgroundColour,
                       std::optional<int> backgroundAlpha, const SkinPicture& picture) {
  // One window at a time: a second one would leave the first subclassed onto
  // this object, its record still naming it, and the first window's messages
  // (its WM_DESTROY above all) would reach the second one's state.
  if (panel_ && IsWindow(panel_)) return nullptr;
  target_ = target;
  RemoveNativeBorder(target);

  const int style = frameStyle.value_or(kDefaultFrameStyle);
  const COLORREF frame = frameColour.value_or(kDefaultFrameColour);
  const COLORREF background = backgroundColour.value_or(kPanelNoBackground);
  const int alpha = background == kPanelNoBackground ? 0 : backgroundAlpha.value_or(0);

  const RECT r = SkinRectInParentWindow(target);
  const int width = r.right - r.left + 2 * kPanelMargin;
  const int height = r.bottom - r.top + 2 * kPanelMargin;

  DWORD panelStyle = WS_CHILD | WS_CLIPCHILDREN | SS_NOTIFY | WS_GROUP;
  if (IsVisibleStyle(target)) panelStyle |= WS_VISIBLE;
  const HWND parent = GetParent(target);
  const HWND panel = CreateWindowExW(0, L"Static", L"", panelStyle, r.left, r.top, width, height,
                                     parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  // Without a panel the target stays where it is: adopting it into no window
  // would make it a window of the desktop.
  if (!panel) return nullptr;
  // On top of the siblings made before it, which may reach into its place.
  SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  panel_ = panel;
  AdoptAsChild(target, panel);

  // The native frame that RemoveNativeBorder took away is recalculated here,
  // so the target's client area fills the place it gets in the panel.
  const int inset = picture.GetField3();
  SetWindowPos(target, nullptr, inset + kPanelMargin, inset + kPanelMargin,
               width - 2 * kPanelMargin - inset, height - 2 * kPanelMargin - inset,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_FRAMECHANGED);

  SetSkinProp(target, prop::Zqk_Szqk, 1);
  SetSkinProp(target, prop::Zqk_bjs, int32_t(background));
  SetSkinProp(target, prop::Zqk_bjstmd, alpha);
  SetSkinPropHandle(target, prop::Zqk_gljb, panel);

  ContainerSkinAttach(panel, false, background, alpha, std::nullopt);

  const int slot = TakeCallbackSlot(panel);
  entries_.clear();
  SetSkinProp(panel, prop::Zqk_FuID, SkinTopSkinnedAncestor(panel));
  SetSkinProp(panel, prop::Zqk_LbID, slot);

  redrawPending_ = 1;
  handleCopy_ = panel;
  callbackSlot_ = slot;
  BuildThunks(slot);

  frameStyle_ = style;
  backgroundColour_ = background;
  backgroundAlpha_ = alpha;
  frameColour_ = frame;

  if (picture.GetField1()) {
    picturePresent_ = true;
    picture_ = picture;
    SetSkinProp(panel, prop::Kjsx_bkk, picture.GetField3());
  } else {
    picturePresent_ = false;
  }

  previousProcedure_ = SkinSubclass(panel, {.procedure = &ZqkWindowProc, .slot = &kPanelSlot, .overAnotherSkin = true});
  return panel;
}

void ZqkPanel::AdoptAsChild(HWND target, HWND panel) {
  const LONG before = GetWindowLongW(target, GWL_STYLE);
  LONG style = before;
  if (style & WS_POPUP) style &= ~(WS_POPUP | WS_CLIPCHILDREN);
  style |= WS_CHILD;
  if (style != before) SetWindowLongW(target, GWL_STYLE, style);
  SetParent(target, panel);
}

void ZqkPanel::SetIcon(std::span<const uint8_t> image, std::optional<int> width,
                        std::optional<int> height) {
  icon_ = CopyOf(image);
  iconPicture_ = Decoded(icon_);
  iconWidth_ = width.value_or(kDefaultIconSize);
  iconHeight_ = height.value_or(kDefaultIconSize);
  Layout();
  Paint();
}

void ZqkPanel::AddEntry(std::span<const uint8_t> normalImage,
                         std::optional<std::span<const uint8_t>> hoverImage,
                         std::optional<std::span<const uint8_t>> pressedImage,
                         std::optional<int> width, std::optional<int> height,
                         std::optional<int> position) {
  ZqkWindowEntry entry;
  entry.normalImage = CopyOf(normalImage);
  entry.hoverImage = CopyOf(hoverImage.value_or(normalImage));
  entry.pressedImage = CopyOf(pressedImage.value_or(normalImage));
  entry.normalPicture = Decoded(entry.normalImage);
  entry.width = width.value_or(kDefaultEntrySize);
  entry.height = height.value_or(kDefaultEntrySize);

  const int count = int(entries_.size());
  int at = position.value_or(-1);
  if (at > count) at = count + 1;
  if (at == -1) {
    entries_.push_back(std::move(entry));
  } else if (at >= 1 && at <= count + 1) {
    entries_.insert(entries_.begin() + (at - 1), std::move(entry));
  }
  // With an entry the panel is a button too, which the keyboard reaches.
  if (!entries_.empty() && panel_) SetWindowLongW(panel_, GWL_STYLE, GetWindowLongW(panel_, GWL_STYLE) | WS_TABSTOP);
  Layout();
  Paint();
}

void ZqkPanel::DecodeShownPicture(ZqkWindowEntry& entry) {
  if (entry.hover && !entry.hoverDecoded) {
    entry.hoverPicture = Decoded(entry.hoverImage);
    entry.hoverDecoded = true;
  }
  if (entry.pressed && !entry.pressedDecoded) {
    entry.pressedPicture = Decoded(entry.pressedImage);
    entry.pressedDecoded = true;
  }
}

int ZqkPanel::SetCallback(ZqkClickRoutine callback) {
  if (!callback) return 0;
  callback_ = callback;
  return 1;
}

void ZqkPanel::Move(std::optional<int> x, std::optional<int> y, std::optional<int> width,
                     std::optional<int> height) {
  const RECT r = SkinRectInParentWindow(panel_);
  MoveWindow(panel_, x.value_or(r.left), y.value_or(r.top), width.value_or(r.right - r.left),
             height.value_or(r.bottom - r.top), TRUE);
  Layout();
}

int ZqkPanel::Show(std::optional<int> visible) {
  if (!visible) return IsWindowVisible(panel_) ? 1 : 0;
  ShowWindow(panel_, *visible ? SW_SHOWNA : SW_HIDE);
  return *visible;
}

void ZqkPanel::SetFrameColor(COLORREF colour) {
  frameColour_ = colour;
  Paint();
}

int ZqkPanel::GetLeft() const { return SkinRectInParentWindow(panel_).left; }
int ZqkPanel::GetTop() const { return SkinRectInParentWindow(panel_).top; }
int ZqkPanel::GetBottom() const { return SkinRectInParentWindow(panel_).bottom; }
int ZqkPanel::GetRight() const { return SkinRectInParentWindow(panel_).right; }
int ZqkPanel::GetWidth() const {
  const RECT r = SkinRectInParentWindow(panel_);
  return r.right - r.left;
}
int ZqkPanel::GetHeight() const {
  const RECT r = SkinRectInParentWindow(panel_);
  return r.bottom - r.top;
}

int ZqkPanel::SetCursorFile(const std::string& path) {
  const std::wstring widePath = gdip::AnsiToWide(path);
  const HCURSOR loaded = LoadCursorFromFileW(widePath.c_str());
  if (!loaded) return 0;
  cursor_.Reset(loaded);  // destroys the file cursor it replaces
  return 1;
}

void ZqkPanel::Destroy() {
  if (panel_) SkinUnsubclass(panel_, kPanelSlot);
  backBuffer_ = SkinMemoryDc();
  cursor_.Reset();

  panel_ = nullptr;
  target_ = nullptr;
  frameStyle_ = 0;
  frameColour_ = 0;
  previousProcedure_ = nullptr;
  focused_ = false;
  hoveredEntry_ = 0;
  pressedEntry_ = 0;
  callback_ = nullptr;
  backgroundColour_ = 0;
  backgroundAlpha_ = 0;
  iconWidth_ = 0;
  iconHeight_ = 0;
  picturePresent_ = false;
  icon_.clear();
  iconPicture_ = gdip::Image();
  entries_.clear();

  FreeCallbackSlot();
}

}  // namespace korvath::skin
