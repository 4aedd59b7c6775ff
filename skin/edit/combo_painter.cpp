// The whole picture of a skinned combo box.
#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "platform/slim_lock.h"
#include "platform/window_geometry.h"
#include "skin/core/engine_startup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/window_props.h"
#include "skin/draw/chevron_images.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/engine_caches.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/keyed_copy.h"
#include "skin/draw/picture_cache.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/section_pixels.h"
#include "skin/draw/shape_drawing.h"
#include "skin/edit/control_frame.h"
#include "skin/edit/painters.h"

namespace korvath::skin {

namespace {

constexpr LONG kStyleBitList = 0x1;      // CBS_SIMPLE and CBS_DROPDOWNLIST
constexpr LONG kStyleBitDropDown = 0x2;  // CBS_DROPDOWN and CBS_DROPDOWNLIST
constexpr int kFocusRingAlpha = 255;
constexpr int kFocusInnerAlpha = 140;
constexpr int kFocusTintAlpha = 45;

// The areas of the combo box's own children, which draw themselves: every
// child of a simple combo box (its list shrunk by 2 on each side), else the
// first child (the inner edit).
std::vector<RECT> ChildAreas(HWND combo, bool simple, RECT& list) {
  std::vector<RECT> areas;
  bool listFound = false;
  for (HWND child = FindWindowExW(combo, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(combo, child, nullptr, nullptr)) {
    RECT r = platform::WindowRectIn(child, combo);
    if (simple && SkinGetClassNameText(child) == "ComboLBox") {
      if (!listFound) list = r;
      listFound = true;
      InflateRect(&r, -2, -2);
    }
    areas.push_back(r);
    if (!simple) break;
  }
  return areas;
}

// A faint line above a simple combo box's list.
void DrawListLine(gdip::Graphics& g, const RECT& list) {
  const float y = float(list.top - 1);
  SkinStrokeLine(g, SkinArgbFromColorRef(kBlack, 80), 0, y, float(list.right - list.left + 2), y);
}

// A picture of the entry's own scaled into the button; one that does not
// load leaves the button face white.
void DrawImageInto(gdip::Graphics& g, const RECT& button, const gdip::Image& image) {
  const gdip::RectF place = ToRectF(button);
  g.DrawImageRect(image, place.x, place.y, place.width, place.height);
}

void DrawDropButton(gdip::Graphics& g, const SkinComboEntry& entry, const RECT& b, bool hot) {
  if (!entry.imageFile.empty()) {
    gdip::Bitmap image;
    if (image.FromFile(hot && !entry.hotImageFile.empty() ? entry.hotImageFile : entry.imageFile)) {
      DrawImageInto(g, b, image);
    }
    return;
  }
  if (!entry.imageBytes.empty()) {
    gdip::Bitmap image;
    if (image.FromStream(hot && !entry.hotImageBytes.empty() ? entry.hotImageBytes : entry.imageBytes)) {
      DrawImageInto(g, b, image);
    }
    return;
  }
  const gdip::RectF place = ToRectF(b);
  const float bx = place.x, by = place.y, bw = place.width, bh = place.height;
  gdip::GraphicsPath path;
  if (path.Create()) {
    SkinPathAddRoundRect(path, bx, by, bw - 1, bh - 1, 4);
    const COLORREF theme = SkinEngine.options.SkinThemeColor;
    SkinStroke(g, hot ? SkinArgbFromColorRef(theme, 200) : SkinArgbFromColorRef(kBlack, 35), path);
    path.Reset();
    SkinPathAddRoundRect(path, bx + 1, by + 1, bw - 2, bh - 2, 1);
    SkinFillGradient(g, {bx + 1, by}, {bx + 1, by + bh - 2},
                     hot ? SkinArgbFromColorRef(kWhite, 100) : SkinArgbFromColorRef(kWhite, 30),
                     hot ? SkinArgbFromColorRef(theme, 100) : SkinArgbFromColorRef(kWhite, 60), path);
  }
  gdip::Bitmap chevron;
  if (!SkinLoadCachedPicture(chevron, ChevronDownImage())) return;
  const float iw = float(chevron.GetWidth()), ih = float(chevron.GetHeight());
  g.DrawImageRect(chevron, bx + (bw - iw) / 2, by + (bh - ih) / 2, iw, ih);
}

void DrawSelectedText(gdip::Graphics& g, HWND combo, int width, int height) {
  const int length = GetWindowTextLengthW(combo);
  std::wstring text(size_t(length) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(combo, text.data(), length + 1)));
  if (text.empty()) return;
  gdip::SolidBrush brush;
  gdip::Font font;
  if (!brush.Create(SkinArgbFromColorRef(static_cast<COLORREF>(GetSkinProp(combo, prop::Kj_Ztys)))) ||
      !SkinFontFromName(font, kDefaultFontFace, float(kDefaultFontSize), 0, Gdiplus::UnitWorld)) {
    return;
  }
  g.DrawStringSimple(text, font, brush,
                     gdip::RectF{2, float(height - 12) / 2, float(width - 17), float(height - 4)});
}

// What a box's face (its ground, frame and drop button, without its text)
// depends on.
struct FaceLook {
  int width = 0;
  int height = 0;
  bool listBit = false;
  bool dropDownBit = false;
  bool hot = false;
  bool framed = false;  // the frame in the theme colour: hot or focused
  bool focused = false;  // the focus ring inside the frame and the field tinted
  RECT button = {};
  RECT list = {};  // a simple box's list
  COLORREF theme = 0;

  bool operator==(const FaceLook& other) const {
    return width == other.width && height == other.height && listBit == other.listBit &&
           dropDownBit == other.dropDownBit && hot == other.hot && framed == other.framed &&
           focused == other.focused &&
           EqualRect(&button, &other.button) && EqualRect(&list, &other.list) && theme == other.theme;
  }
};

// The focused box at a glance, in the focus ring's colour as a push
// button's: a ring two pixels wide inside the frame, and the field beside
// the drop button tinted.
void DrawFocusLook(gdip::Graphics& g, const FaceLook& look) {
  const float w = float(look.width), h = float(look.height);
  SkinStroke(g, SkinArgbFromColorRef(kFocusRing, kFocusRingAlpha), 1.0f, 1, 1, w - 3, h - 3);
  SkinStroke(g, SkinArgbFromColorRef(kFocusRing, kFocusInnerAlpha), 1.0f, 2, 2, w - 5, h - 5);
  const float field = look.dropDownBit ? float(look.button.left) : w - 3;
  SkinFillSolid(g, SkinArgbFromColorRef(kFocusRing, kFocusTintAlpha), 3, 3, field - 3, h - 6);
}

// On a picture of the box's size.
void DrawFace(SkinCanvas& picture, const SkinComboEntry& entry, const FaceLook& look) {
  SkinFillPicture(picture, kWhite, SkinEngine.options.SkinTransparentMode ? SkinEngine.options.SkinAlpha : 255);
  if (!picture) return;
  gdip::Graphics& g = picture.graphics();
  if (look.listBit) DrawListLine(g, look.list);
  SkinStroke(g, look.framed ? SkinArgbFromColorRef(look.theme, 200) : SkinArgbFromColorRef(kBlack, 80), 1.0f, 0, 0,
             float(look.width - 1), float(look.height - 1));
  if (look.focused) DrawFocusLook(g, look);
  if (look.dropDownBit) DrawDropButton(g, entry, look.button, look.hot);
}

// The bits of a memory DC's picture, as SkinMemoryDc makes them.
std::span<uint8_t> BitsOf(HDC dc) {
  const std::optional<SectionPixels> section = SkinSection32(dc);
  if (!section) return {};
  return {section->bits, size_t(section->stride) * size_t(section->height)};
}

// Faces drawn lately, as plain bytes: the tool's sixteen boxes come in a few
// sizes, and a face costs more to draw than to copy. Only opaque faces of
// the skin's own drop button are kept, the ones that hide what lies beneath.
// One of the engine's caches (its reset empties it), with a lock of its own
// for the faces it holds.
struct KeptFace {
  FaceLook look;
  std::vector<uint8_t> bits;
};
constexpr size_t kKeptFaces = 8;

struct KeptFaces {
  SRWLOCK lock = SRWLOCK_INIT;
  std::vector<KeptFace> faces;
};

bool Keepable(const SkinComboEntry& entry) {
  return !SkinEngine.options.SkinTransparentMode && entry.imageFile.empty() && entry.imageBytes.empty();
}

bool CopyKeptFace(HDC dc, const FaceLook& look) {
  KeptFaces& kept = SkinEngineCache<KeptFaces>();
  const platform::SlimLockHold hold(kept.lock, platform::LockUse::Shared);
  for (const KeptFace& face : kept.faces) {
    if (!(face.look == look)) continue;
    const std::span<uint8_t> bits = BitsOf(dc);
    if (bits.size() != face.bits.size()) return false;
    std::copy(face.bits.begin(), face.bits.end(), bits.begin());
    return true;
  }
  return false;
}

void KeepFace(HDC dc, const FaceLook& look) {
  GdiFlush();
  const std::span<uint8_t> bits = BitsOf(dc);
  if (bits.empty()) return;
  KeptFaces& kept = SkinEngineCache<KeptFaces>();
  const platform::SlimLockHold hold(kept.lock, platform::LockUse::Exclusive);
  if (kept.faces.size() >= kKeptFaces) kept.faces.erase(kept.faces.begin());
  kept.faces.push_back({look, std::vector<uint8_t>(bits.begin(), bits.end())});
}

// The box's face on `picture`, a picture of the box's size: copied from a
// kept one (the picture then starts blank), or drawn over the parent's
// background.
void PaintFace(SkinCanvas& picture, const SkinComboEntry& entry, const FaceLook& look) {
  if (!Keepable(entry)) {
    DrawFace(picture, entry, look);
    return;
  }
  if (CopyKeptFace(picture.dc(), look)) return;
  DrawFace(picture, entry, look);
  KeepFace(picture.dc(), look);
}

// The box's whole picture (window size, origin at the window's corner) with
// the areas of its own children filled with the key; empty for a box
// without an entry.
SkinCanvas Picture(const ComboRef& combo, std::optional<bool> hot, std::optional<bool> focused) {
  const SkinComboEntry* entry = combo.get();
  if (!entry || !entry->window) return {};
  HWND window = entry->window;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  platform::SendWithPointer(window, CB_GETCOMBOBOXINFO, 0, &info);
  const bool isHot = hot.value_or(false);
  const bool isFocused = focused.value_or(entry->focused);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  RECT windowRect = {};
  GetWindowRect(window, &windowRect);
  FaceLook look{.width = windowRect.right - windowRect.left,
                .height = windowRect.bottom - windowRect.top,
                .listBit = (style | kStyleBitList) == style,
                .dropDownBit = (style | kStyleBitDropDown) == style,
                .hot = isHot,
                .framed = isHot || isFocused,
                .focused = isFocused,
                .button = info.rcButton,
                .theme = SkinEngine.options.SkinThemeColor};
  const std::vector<RECT> childAreas = ChildAreas(window, look.listBit, look.list);
  SkinCanvas picture(*combo.record, window, RECT{0, 0, look.width, look.height},
                     {.drawing = SkinCanvasDrawing::OnPixels, .blank = Keepable(*entry)});
  if (!picture.dc()) return {};
  PaintFace(picture, *entry, look);
  if (look.listBit && look.dropDownBit && picture) {
    DrawSelectedText(picture.graphics(), window, look.width, look.height);
  }
  picture.EndDrawing();
  for (const RECT& area : childAreas) SkinFillKey(picture.dc(), area);
  return picture;
}

}  // namespace

void ComboSkinPaint(const ComboRef& combo, std::optional<bool> hot, std::optional<bool> focused) {
  // A box that is not on screen is painted when it shows: its picture now
  // would be drawn for nothing.
  const SkinComboEntry* entry = combo.get();
  if (!entry || !entry->window || !IsWindowVisible(entry->window)) return;
  HWND window = entry->window;
  SkinCanvas picture = Picture(combo, hot, focused);
  if (!picture.dc()) return;
  {
    platform::WindowDC screen = platform::WindowDC::Whole(window);
    SkinKeyedCopy(screen.get(), RECT{0, 0, picture.width(), picture.height()}, picture.dc(), kSkinKeyColour);
  }
  picture.FinishKeyed(kSkinKeyColour);
}

void ComboSkinPrint(const ComboRef& combo, HDC dc) {
  SkinCanvas picture = Picture(combo, std::nullopt, std::nullopt);
  if (!picture.dc()) return;
  // The window's corner in its own client area.
  const RECT window = platform::WindowRectInClient(combo->window, combo->window);
  SkinKeyedCopy(dc, RECT{window.left, window.top, window.left + picture.width(), window.top + picture.height()},
                picture.dc(), kSkinKeyColour);
}

}  // namespace korvath::skin
