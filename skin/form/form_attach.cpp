#include "skin/form/form_attach.h"

#include <algorithm>
#include <memory>
#include <string>

#include "gdip/picture_decode.h"
#include "skin/caption/caption_actions.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/caption/caption_layout.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/skin_routine.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/form/background_theme.h"
#include "skin/form/form_background.h"
#include "skin/form/form_window_proc.h"
#include "skin/install/child_skins.h"

namespace korvath::skin {

namespace {

// Tooltip texts in code page 936.
constexpr char kHelpTip[] = "\xB0\xEF\xD6\xFA";              // 帮助
constexpr char kMenuTip[] = "\xD6\xF7\xB2\xCB\xB5\xA5";      // 主菜单
constexpr char kMinimizeTip[] = "\xD7\xEE\xD0\xA1\xBB\xAF";  // 最小化
constexpr char kMaximizeTip[] = "\xD7\xEE\xB4\xF3\xBB\xAF";  // 最大化
constexpr char kCloseTip[] = "\xB9\xD8\xB1\xD5";             // 关闭
constexpr char kTitleFace[] = "\xCB\xCE\xCC\xE5";            // 宋体

ByteSet Bytes(std::span<const uint8_t> png) { return ByteSet(png.begin(), png.end()); }

CaptionItem Item(CaptionItemKind kind, int32_t width, std::span<const uint8_t> glyph, const char* tip) {
  CaptionItem item;
  item.Kind = kind;
  item.Width = width;
  item.Height = 18;
  item.ItemImage = Bytes(glyph);
  // A glyph that does not decode stays empty: the item shows no picture.
  static_cast<void>(gdip::DecodePicture(item.ItemImage, item.ItemGlyph));
  item.TipText = tip;
  return item;
}

void FillOptions(SkinWindowRecord& r, HWND form, LONG_PTR style, const FormSkinSettings& s) {
  r.Window = form;
  r.CaptionHeight = std::max(s.captionHeight.value_or(0), 25);
  r.HasHelpButton = s.helpButton.value_or(false);
  r.HasMenuButton = s.menuButton.value_or(false);
  r.HasMinimizeButton = (style & WS_MINIMIZEBOX) != 0;
  r.HasMaximizeButton = (style & WS_MAXIMIZEBOX) != 0;
  r.HasBorder = s.border.value_or(true);
  r.DragAnywhere = s.dragAnywhere.value_or(true);
  r.HasCloseButton = s.noCloseButton ? false : r.HasBorder;
  r.Resizable = s.resizable.value_or(true);
  r.ShowTitle = s.showTitle.value_or(true);
  r.HideIcon = s.hideIcon.value_or(false);
  r.CaptionBand = s.captionBand.value_or(false);
  r.SkinImageMode = s.imageMode.value_or(SkinEngine.options.SkinBackgroundMode);
  r.BackColor = s.backColor;
  r.BackAlpha = s.backAlpha.value_or(255);
  r.CloseEffect = s.closeEffect.value_or(0);
  r.MinTrackWidth = 200;
  r.MinTrackHeight = 150;
  r.MaxTrackWidth = GetSystemMetrics(SM_CXSCREEN);
  r.MaxTrackHeight = GetSystemMetrics(SM_CYSCREEN);
}

void FillBackgroundImage(SkinWindowRecord& r, const ByteSet& image) {
  if (image.empty()) return;
  // Decoded once, here: the sampling and the renders share the picture.
  r.SkinImageColor = SkinSampleEdgeColor(SkinKeptBackgroundPicture(r.Background, image), 2000);
  if (r.SkinImageMode == 0 || r.SkinImageMode == 1)
    r.SkinImage = SkinImageGradientOverlay(image, std::nullopt, r.SkinImageColor, r.SkinImageMode == 0);
  else
    r.SkinImage = image;
}

void FillCaptionItems(SkinWindowRecord& r, int32_t clientWidth) {
  r.CaptionItems.clear();
  if (r.HasHelpButton) r.CaptionItems.push_back(Item(CaptionItemKind::Help, 26, CaptionHelpPng(), kHelpTip));
  if (r.HasMenuButton) r.CaptionItems.push_back(Item(CaptionItemKind::MainMenu, 26, CaptionMenuPng(), kMenuTip));
  if (r.HasMinimizeButton) r.CaptionItems.push_back(Item(CaptionItemKind::Minimize, 26, CaptionMinimisePng(), kMinimizeTip));
  if (r.HasMaximizeButton) {
    r.CaptionItems.push_back(Item(CaptionItemKind::MaximizeRestore, 26, CaptionMaximisePng(), kMaximizeTip));
    CaptionItem& maximise = r.CaptionItems.back();
    maximise.RestoreImage = Bytes(CaptionRestorePng());
    static_cast<void>(gdip::DecodePicture(maximise.RestoreImage, maximise.RestoreGlyph));
  }
  if (r.HasCloseButton) r.CaptionItems.push_back(Item(CaptionItemKind::Close, 38, CaptionClosePng(), kCloseTip));
  int32_t widths = 0;
  for (const CaptionItem& item : r.CaptionItems) widths += item.Width;
  const auto n = static_cast<int32_t>(r.CaptionItems.size());
  r.ButtonStripWidth = widths + (n - 1) + 3;
  r.ButtonStripHeight = 22;
  r.ButtonStripLeft = clientWidth - SkinEngine.forms.SkinResizeBorder - r.ButtonStripWidth - 2;
  r.ButtonStripTop = 0;
}

}  // namespace

void FormSkinAttach(HWND form, const FormSkinSettings& s) {
  if (!form || SkinFindWindowRecord(form) != 0) return;
  SkinGdiplusStart();
  auto record = std::make_unique<SkinWindowRecord>();
  SkinWindowRecord& r = *record;
  const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE) & ~LONG_PTR(WS_CLIPCHILDREN);
  SetWindowLongPtrW(form, GWL_STYLE, style);
  RECT client{};
  GetClientRect(form, &client);
  if (!SkinEngine.forms.CaptionClickCallback)
    SkinEngine.forms.CaptionClickCallback = SkinRoutine(&SkinCaptionButtonActionThunk);
  SkinEngine.forms.SkinResizeBorder = 3;
  r.CompanionRects.clear();
  FillOptions(r, form, style, s);
  FillBackgroundImage(r, s.backgroundImage);
  r.TitleColor = 0xFFFFFF;
  r.TitleHaloColor = 0x808080;
  r.TitleFontName = kTitleFace;
  r.TitleFontSize = 12;
  r.TitleFontBold = true;
  if (s.buttonPicture && s.buttonPicture->GetField1()) {
    r.HasPicture = true;
    r.Picture = *s.buttonPicture;
  }
  FillCaptionItems(r, client.right);
  SetWindowLongPtrW(form, GWL_STYLE, GetWindowLongPtrW(form, GWL_STYLE) | WS_SYSMENU);
  r.RenderPending = true;
  r.ClientWidth = client.right;
  r.ClientHeight = client.bottom;
  // The record as it lives in the list goes on to every step below.
  SkinWindowRecord& stored = *SkinAppendWindowRecord(std::move(record));

  // The tips' control is made when the mouse first comes to the form
  // (FormSkinWndProc).
  if (s.border.value_or(false)) stored.Tips.Prepare(form);
  for (size_t i = 0; i < stored.CaptionItems.size(); ++i) {
    const gdip::RectF& b = stored.CaptionItems[i].Bounds;
    stored.Tips.AddTool(RECT{LONG(b.x), LONG(b.y), LONG(b.x + b.width), LONG(b.y + b.height)},
                        stored.CaptionItems[i].TipText, int32_t(i + 1));
  }
  SkinLayoutCaptionButtons(stored);
  if (s.statusBarHeight.value_or(0) > 0) {
    SkinSetStatusBar(stored, *s.statusBarHeight, s.statusBarSegments.value_or(std::vector<StatusBarSegment>{}));
    stored.StatusBarFontName = kTitleFace;
    stored.StatusBarFontSize = 12;
  }
  SkinLayoutStatusBar(stored);
  SkinInstallChildSkins(stored, form);

  // Installed last: the messages the steps above caused went to the form's
  // own procedure.
  stored.OldWndProc = SkinSubclass(form, {.procedure = &FormSkinWndProc, .entryNumber = SkinRecordNumber(stored)});
}

}  // namespace korvath::skin
