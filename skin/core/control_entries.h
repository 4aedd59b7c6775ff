#pragma once
// The entries of a skinned window's per-kind control lists. Every entry
// begins with its control's window; what follows is the control skin's own
// state. A fresh entry is all zero, its texts and byte sets empty. The skins
// of later layers fill these in; here they are plain data.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "skin/values/byte_set.h"
#include "skin/draw/skin_picture.h"

namespace korvath::skin {

// Colour values are Windows colours 0x00BBGGRR; "a colour or none" is a
// std::optional<COLORREF>.

// The rectangles a scroll-bar painter writes and its mouse handler hit-tests:
// first arrow, second arrow, thumb.
using ScrollBarParts = std::array<RECT, 3>;

// The kinds of skinned button. The numbers are the ones the entries have
// always kept (2 and 6 name no kind).
enum class ButtonKind : int32_t {
  Vector = 0,       // vector push button
  Picture = 1,      // picture push button
  Image = 3,        // image push button
  Radio = 4,        // automatic radio button
  CheckBox = 5,     // check box
  ImageToggle = 7,  // image toggle
};

// A push button, image button, check box or radio button.
struct SkinButtonEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  ButtonKind Kind = ButtonKind::Vector;
  ByteSet NormalImage;
  ByteSet HoverImage;
  ByteSet PressedImage;
  ByteSet DisabledImage;
  bool ImageBesideCaption = false;
  std::string Caption;
  bool Focused = false;
  // Push buttons: the dialog's default button. The skin keeps the button
  // owner-drawn when the dialog manager makes it the default and draws the
  // default look from this instead.
  bool DefaultButton = false;
  std::string FontFace;
  int32_t FontSize = 0;   // pixels
  int32_t FontStyle = 0;  // GDI+ font style bits
  bool Pressed = false;
  bool StretchImage = false;
  std::optional<COLORREF> CaptionEffectColor;  // the caption's glow; none: a plain caption
  bool GlyphFromImages = false;
  std::array<ByteSet, 8> GlyphImages;  // GlyphImage1 .. GlyphImage8
  bool ShowFrame = false;
  bool HasPicture = false;
  SkinPicture Picture;
};

// An edit control (also the inner edit of a combo box, the fields of an
// IP-address control).
struct SkinEditEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  bool focused = false;
  bool hot = false;
  bool mouseDown = false;
  HWND vScrollOverlay = nullptr;
  HWND hScrollOverlay = nullptr;
  ScrollBarParts vScrollParts{};
  ScrollBarParts hScrollParts{};
};

struct SkinComboEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  bool focused = false;
  ByteSet imageBytes;
  ByteSet hotImageBytes;
  std::string imageFile;
  std::string hotImageFile;
};

// A list-type control: list box, drop-down list, list view, tree view,
// IP-address or date picker.
struct SkinChildEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  bool focused = false;
  bool hot = false;
  bool keyDown = false;
  HWND vScrollOverlay = nullptr;
  HWND hScrollOverlay = nullptr;
  ScrollBarParts vScrollParts{};
  ScrollBarParts hScrollParts{};
  bool dirty = false;
  bool tracking = false;
  int32_t hotScrollPart = 0;
  COLORREF listBackColor = 0;
  // Tree views only.
  std::string fontFace;
  int32_t fontSize = 0;
  int32_t fontStyle = 0;
  COLORREF textColor = 0;
  COLORREF textHaloColor = 0;
  bool useHaloText = false;
  COLORREF selectedTextColor = 0;
  COLORREF selectedTextHaloColor = 0;
  COLORREF hotFillColor = 0;
  COLORREF selectedFillColor = 0;
  bool useImageButtons = false;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
};

struct SkinTrackbarEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  bool vertical = false;
  int32_t tickPlacement = 0;  // 0 top/left, 1 bottom/right, 2 both, 3 none
  bool hot = false;
  bool selectionRange = false;
  bool pictureMode = false;  // draw the three pictures instead of vector shapes
  SkinPicture thumbPicture;
  SkinPicture channelPicture;
  SkinPicture filledPicture;
};

struct SkinProgressEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  bool vertical = false;
  int32_t squareFrame = 0;  // 1 rectangular frame; any other value rounded
  int32_t sweepOn = 0;
  int32_t sweepOffset = 0;
  int32_t sweepWidth = 0;
  COLORREF barColor = 0;
  COLORREF frameColor = 0;
  int32_t sweepImage = 0;
};

struct SkinUpDownEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  bool hover = false;
  int32_t hoveredHalf = 0;  // 0 up or left, 1 down or right
  bool pressed = false;
  bool horizontal = false;
  int32_t lastButtonPoint = 0;  // lParam of the last button message
};

struct SkinHeaderEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  bool hovered = false;
  int32_t hotItem = 0;
  int32_t paintedHotItem = 0;
  bool buttonStyle = false;
  int32_t pressedItem = 0;
  bool buttonDown = false;
  std::string fontFace;
  int32_t fontStyle = 0;
  int32_t fontSize = 0;
  HIMAGELIST imageList = nullptr;  // the header's own; never destroyed by the skin
};

// Toolbars and the controls skinned the toolbar way (`Kj_` properties).
struct SkinToolbarEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  COLORREF keyColor = 0;
  std::string fontFace;
  int32_t fontSize = 0;
  int32_t fontStyle = 0;
  bool repaint = false;
  bool mouseTracking = false;
  int32_t frameMode = 0;
};

// What a static control of a message box shows, and where its picture goes.
// The numbers are the ones the entries have always kept.
enum class StaticKind : int32_t { Text = 1, Bitmap = 2, Icon = 3 };
enum class ImagePlacement : int32_t { AtOrigin = 0, BottomRight = 1, Centred = 2, Stretched = 3 };

// A static control of a message box.
struct SkinStaticEntry {
  HWND window = nullptr;
  ImagePlacement imagePlacement = ImagePlacement::AtOrigin;
  std::optional<StaticKind> kind;  // none: not yet set up
  WNDPROC savedProc = nullptr;
  std::string faceName;
  int32_t fontSize = 0;
  int32_t fontStyle = 0;
};

// A transparent label.
struct SkinLabelEntry {
  HWND window = nullptr;
  WNDPROC savedProc = nullptr;
  int32_t horizontalAlignment = 0;  // GDI+ string alignment
  int32_t verticalAlignment = 0;
  bool wrap = false;
  COLORREF textColor = 0;
  std::optional<COLORREF> haloColor;  // none: plain text
  std::string fontFace;
  int32_t fontSize = 0;
  int32_t fontStyle = 0;
  bool dirty = false;
  // The visible siblings that overlap the label, each with the overlap in the
  // label's coordinates, as found at layout generation `overlapsGeneration`
  // (0: not yet found).
  std::vector<std::pair<HWND, RECT>> overlaps;
  uint32_t overlapsGeneration = 0;
};

// A child kept in place over a resized window: on the window's WM_SIZE it is
// stretched below `Top` (from `Left`, or across the full width).
struct LayoutEntry {
  HWND Window = nullptr;  // null: an empty entry
  int32_t Top = 0;
  int32_t Left = 0;
  bool FullWidth = false;
};
// A container's stretched children have the same four fields.
using SkinStretchChild = LayoutEntry;

// The containers the painters draw a frame of their own for; the numbers
// are the ones the entries have always kept.
enum class ContainerKind : int32_t { Other = 0, GroupBox = 1, TabControl = 2 };

// A group box, tab control or other window with children.
struct SkinContainerEntry {
  HWND window = nullptr;
  COLORREF backgroundColor = 0;  // 0: no tint
  int32_t backgroundAlpha = 0;
  bool outline = false;
  WNDPROC savedProc = nullptr;
  bool rebuild = false;       // first dirty flag: rebuild the cached look
  bool childChanged = false;  // second dirty flag: a child moved or changed
  int32_t paintedWidth = 0;   // client size as last painted
  int32_t paintedHeight = 0;
  ContainerKind kind = ContainerKind::Other;
  bool framed = false;
  std::string captionFontFace;
  int32_t captionFontSize = 0;
  int32_t captionFontStyle = 0;
  std::vector<SkinStretchChild> stretchedChildren{SkinStretchChild{}};
};

// A companion window kept aligned with its form.
struct CompanionEntry {
  HWND Window = nullptr;
  int32_t Unused = 0;
  int32_t OffsetX = 0;  // screen pixels from the form's top-left corner
  int32_t OffsetY = 0;
};

}  // namespace korvath::skin
