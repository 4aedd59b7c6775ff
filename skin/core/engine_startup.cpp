#include "skin/core/engine_startup.h"

#include "platform/message_params.h"
#include "skin/core/callbacks.h"
#include "skin/core/engine_state.h"
#include "skin/core/skin_message.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/glyph_strip.h"

namespace korvath::skin {

namespace {

constexpr int32_t kDefaultAlpha = 160;
constexpr COLORREF kDefaultThemeColor = 0xDDCA22;
constexpr int kAppIconResource = 129;

HICON LoadAppIcon() {
  HINSTANCE module = GetModuleHandleW(nullptr);
  // Icons from LoadIcon are shared and never destroyed.
  HICON icon = LoadIconW(module, MAKEINTRESOURCEW(kAppIconResource));
  if (!icon) icon = LoadIconW(module, L"DEFAULT_ICON");
  return icon;
}

// The icon's small picture, loaded once for every class of the program
// (shared, so the main window's class finds it made). Given no small icon, a
// class registration copies one out of the icon's resource itself, the same
// picture, at a cost of most of a millisecond per class. Null when the
// program carries no icon resource: the registration then does as before.
HICON SmallAppIcon() {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAppIconResource), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

}  // namespace

ULONG_PTR SkinGdiplusStart(std::optional<UINT32> version) {
  if (!GdiplusToken.ok()) {
    GdiplusToken = platform::GdiplusStartupToken::Start(version.value_or(1));
    SkinModuleGdiplusToken = GdiplusToken.value();
  }
  return GdiplusToken.value();
}

void SkinGdiplusShutdown(std::optional<ULONG_PTR> token) {
  if (token && *token != GdiplusToken.value()) return;
  if (GdiplusToken.ok()) SkinReleaseKeptFonts();
  GdiplusToken.Reset();
}

void SkinGdiplusShutdownAfterLastWindow() {
  SkinEngine.forms.GdiplusShutdownAsked = true;
  SkinGdiplusShutdownIfLastWindowGone();
}

void SkinGdiplusShutdownIfLastWindowGone() {
  if (!SkinEngine.forms.GdiplusShutdownAsked || !SkinEngine.lists.SkinWindowList.empty()) return;
  SkinEngine.forms.GdiplusShutdownAsked = false;
  SkinGdiplusShutdown(SkinModuleGdiplusToken);
}

bool SkinRegisterWindowClass(const wchar_t* className, WNDPROC windowProc) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  cls.lpfnWndProc = windowProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hIcon = SkinEngine.options.AppIcon;
  if (SkinEngine.options.AppIcon) cls.hIconSm = SmallAppIcon();
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  // A system colour's number one higher stands for its brush.
  cls.hbrBackground = platform::FromParam<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszMenuName = L"";
  cls.lpszClassName = className;
  return RegisterClassExW(&cls) != 0;
}

int32_t SkinModuleInit() {
  SkinModuleGdiplusToken = SkinGdiplusStart();
  SkinEngine.options.AppIcon = LoadAppIcon();
  SkinEngine.options.SkinOptTrimMemory = 1;  // keeps the working-set helper from ever running
  SkinEngine.forms.SkinOptFormFlag = 1;
  SkinEngine.options.SkinEnabled = true;
  SkinEngine.options.SkinAlpha = kDefaultAlpha;
  SkinEngine.options.SkinThemeColor = kDefaultThemeColor;
  SkinEngine.options.SkinOptTrackbar = 1;
  SkinEngine.options.SkinHoverTracking = 0;
  // System cursors are shared and never destroyed.
  SkinEngine.options.CursorHand = LoadCursorA(nullptr, IDC_HAND);
  SkinEngine.options.CursorIBeam = LoadCursorA(nullptr, IDC_IBEAM);
  SkinEngine.options.CursorSizeWE = LoadCursorA(nullptr, IDC_SIZEWE);
  // A second initialisation finds the class registered already. The drop
  // shadows' "yinyWindow" follows it, from the engine's start
  // (skin/engine/start.h): its procedure is the shadow family's.
  SkinRegisterWindowClass(L"hbfcWindow", HbfcWndProc);
  // Decoded and cut at the first check box's paint: most windows have none,
  // and the decode and the cells' PNG encodes cost milliseconds of start-up.
  SkinEngine.lists.SkinImageStrip = ImageStrip{};
  SkinEngine.lists.SkinCallbackList.clear();
  SkinEngine.lists.LayeredDropDownList.clear();
  return 0;
}

const ImageStrip& SkinGlyphStrip() {
  // A loaded strip has at least one cell (an undecodable picture gives one
  // empty cell), so an empty one is one not loaded yet.
  if (SkinEngine.lists.SkinImageStrip.GetCount() == 0) SkinEngine.lists.SkinImageStrip.Load(GlyphStripPng());
  return SkinEngine.lists.SkinImageStrip;
}

void SkinSetOptions(bool enabled, std::optional<int32_t> alpha, std::optional<int32_t> trackbar) {
  SkinEngine.options.SkinEnabled = enabled;
  SkinEngine.options.SkinAlpha = alpha.value_or(kDefaultAlpha);
  SkinEngine.options.SkinTransparentMode = alpha.has_value();
  SkinEngine.options.SkinOptTrackbar = trackbar.value_or(1);
}

namespace {

// The skin's part of a message to HbfcWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK HbfcWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary(
      {.window = window, .message = message, .wParam = wParam, .lParam = lParam, .slot = nullptr}, &SkinPart);
}

void SkinEngineStartup() {
  SkinEngineReset();
  SkinModuleInit();
}

void SkinEngineShutdown() { SkinEngineReset(); }

}  // namespace korvath::skin
