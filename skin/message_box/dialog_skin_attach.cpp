#include "skin/message_box/dialog_skin_attach.h"

#include <memory>

#include "gdip/bitmap.h"
#include "platform/embedded_image.h"
#include "platform/window_geometry.h"
#include "skin/core/engine_startup.h"
#include "skin/core/layered_window.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/draw/picture_cache.h"
#include "skin/form/skin_removal.h"
#include "skin/install/child_skins.h"
#include "skin/message_box/dialog_layout.h"
#include "skin/message_box/dialog_window_proc.h"
#include "skin/message_box/message_box.h"
#include "skin/shadow/drop_shadow.h"

namespace korvath::skin {

// Built in from assets/close_glyph.png (tools/make_close_glyph.py).
std::span<const uint8_t> EmbeddedCloseGlyphPng();

namespace {

constexpr int kWiden = 10;
constexpr char kCloseTip[] = "\xB9\xD8\xB1\xD5";  // "关闭"
constexpr int kStaticExtraWidth = 9;
constexpr int kStaticExtraHeight = 14;
constexpr int kShadowDepth = 15;
constexpr int kShadowAlpha = 20;

using platform::Width;
using platform::Height;

std::unique_ptr<SkinWindowRecord> BoxRecord(HWND box) {
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = box;
  record->CaptionHeight = 25;
  record->HasCloseButton = true;
  record->ShowTitle = true;
  record->Resizable = false;
  record->HasBorder = true;
  record->TitleColor = 0xFFFFFF;
  record->TitleHaloColor = 0x808080;
  record->TitleFontName = kDefaultFontFace;
  record->TitleFontSize = 13;
  record->TitleFontBold = false;
  CaptionItem close;
  close.Width = 38;
  close.Height = 18;
  const std::span<const uint8_t> glyph = CloseGlyphPng();
  close.ItemImage.assign(glyph.begin(), glyph.end());
  // Every box shows the same glyph: decoded once after each engine start
  // (the engine's picture cache, which the start empties; the tool starts
  // the engine once), not at each box's first paint.
  if (gdip::Bitmap decoded; SkinLoadCachedPicture(decoded, glyph)) close.ItemGlyph = std::move(decoded);
  close.Kind = CaptionItemKind::Close;
  close.TipText = kCloseTip;
  record->CaptionItems.clear();
  record->CaptionItems.push_back(std::move(close));
  int32_t widths = 0;
  for (const CaptionItem& item : record->CaptionItems) widths += item.Width;
  record->ButtonStripWidth = widths + int32_t(record->CaptionItems.size()) - 1 + 3;
  record->ButtonStripHeight = 22;
  record->ButtonStripTop = 2;
  return record;
}

// Everything the box gets, in order.
void Dress(HWND box) {
  SkinGdiplusStart();
  // The system's place, widened: the layout below moves the box there, or to
  // where its text needs it, in one move.
  RECT widened = platform::WindowRect(box);
  widened.right += kWiden;
  std::unique_ptr<SkinWindowRecord> record = BoxRecord(box);
  DialogKeepSystemLayout(*record, widened);
  // A window manager minimises the box with the tool's window, whose own it
  // is; Wine tells a window so only where it may be minimised, and would
  // keep the box, and with it its shadow, shown in its own view.
  SetWindowLongW(box, GWL_STYLE, GetWindowLongW(box, GWL_STYLE) | WS_SYSMENU | WS_MINIMIZEBOX);
  // Fully transparent, with magenta keyed out, until the fade-in.
  SkinSetWindowAlpha(box, 0);
  // The record as it lives in the list goes on to every step below.
  SkinWindowRecord& stored = *SkinAppendWindowRecord(std::move(record));
  // The installers get the record directly: the box is not subclassed yet.
  SkinInstallChildSkins(stored, box, SkinStaticGrowth{kStaticExtraWidth, kStaticExtraHeight});
  // The text is measured as its skin draws it: after the installers. The
  // layout also gives the box its size, its rounded region and its button
  // band. A system that activates the box while its own initialisation is
  // still placing the buttons (Wine sets the focus on the default button
  // before it places them) shows the box when that is done: such a box is
  // laid out when it is shown.
  if (IsWindowVisible(box)) {
    DialogLayOut(stored);
  } else {
    stored.BoxLayoutPending = true;
  }
  stored.RenderPending = true;
  stored.OldWndProc = SkinSubclass(box, {.procedure = &DialogSkinWndProc, .entryNumber = SkinRecordNumber(stored)});
}

// A box whose dressing stopped half-way (memory that ran out) is shown as the
// system made it: it loses the layered style that kept it invisible for its
// fade-in and the minimise that only its shadow needs (the system's caption
// would show its button), its record goes with the skin procedure it may
// have got (the skins of its controls find no entry then and hand every
// message on), and the hook does not try it again.
void Undress(HWND box) {
  SkinMessageBoxHookRemove(box);
  SetWindowLongW(box, GWL_EXSTYLE, GetWindowLongW(box, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  SetWindowLongW(box, GWL_STYLE, GetWindowLongW(box, GWL_STYLE) & ~WS_MINIMIZEBOX);
  if (SkinWindowRecord* record = SkinRecordAt(SkinFindWindowRecord(box))) UnskinWindow(*record);
}

}  // namespace

std::span<const uint8_t> CloseGlyphPng() { return platform::EmbeddedImageBytes(EmbeddedCloseGlyphPng()); }

void DialogSkinAttach(HWND box) {
  // A box skinned already carries its record's number.
  if (SkinRecordOfWindow(box)) return;
  try {
    Dress(box);
  } catch (...) {
    Undress(box);
  }
}

void DialogShadowAttach(SkinWindowRecord& box) { ShadowAttach(box, {.depth = kShadowDepth, .alpha = kShadowAlpha}); }

}  // namespace korvath::skin
