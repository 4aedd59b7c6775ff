// The skin engine's drawing helpers: drawing values, the image strip, rounded
// paths, strokes and gradients, kept fonts, control text with its glow, and
// the Graphics that painters draw with.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <thread>
#include <tuple>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/font_family.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/region.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/glyph_strip.h"
#include "skin/draw/image_strip.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"
#include "tests/skin/core/skinned_form.h"
#include "tests/support/failing_allocation.h"
#include "tests/support/import_slots.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

// Windows colours are 0x00BBGGRR, GDI+ colours 0xAARRGGBB: red and blue
// change places, the alpha's low byte goes on top, opaque when none is given.
TEST(DrawingValues, ArgbFromAWindowsColour) {
  EXPECT_EQ(SkinArgbFromColorRef(0xDDCA22), gdip::Argb(0xFF22CADDu));
  EXPECT_EQ(SkinArgbFromColorRef(0xDDCA22, 160), gdip::Argb(0xA022CADDu));
  EXPECT_EQ(SkinArgbFromColorRef(0xDDCA22, 0x1A0), gdip::Argb(0xA022CADDu));
  EXPECT_EQ(SkinArgbFromColorRef(0x7F000001, 0), gdip::Argb(0x00010000));  // the colour's top byte is dropped
}

// A rectangle as GDI+ takes it: the corner as it is, the width and height
// worked out in whole pixels before they become floats, so that they stay
// exact far from the origin, where a float no longer holds every integer.
TEST(DrawingValues, ToRectFKeepsTheCornerAndWorksTheSizeInWholePixels) {
  const gdip::RectF atOrigin = ToRectF(RECT{3, -4, 23, 6});
  EXPECT_EQ(atOrigin.x, 3.0f);
  EXPECT_EQ(atOrigin.y, -4.0f);
  EXPECT_EQ(atOrigin.width, 20.0f);
  EXPECT_EQ(atOrigin.height, 10.0f);
  const gdip::RectF distant = ToRectF(RECT{16777217, 1, 16777220, 16777219});
  EXPECT_EQ(distant.width, 3.0f);
  EXPECT_EQ(distant.height, 16777218.0f);
  EXPECT_EQ(distant.x, float(16777217));
}

constexpr uint32_t kMagenta = 0xFFFF00FFu;

// A strip whose pixel (x, y) is 0xFF000000 | (x << 8) | y, so that every
// pixel of a cell tells where it came from; `separators` are columns of `key`.
std::vector<uint8_t> StripPng(int width, int height, const std::vector<int>& separators = {}, uint32_t key = kMagenta) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (int i = 0; i < width * height; ++i) pixels[i] = 0xFF000000u | ((i % width) << 8) | (i / width);
  for (int x : separators)
    for (int y = 0; y < height; ++y) pixels[size_t(y) * width + x] = key;
  return testsupport::EncodePng(width, height, pixels);
}

// Cell n is a PNG of the strip's columns from `first` on.
void ExpectCellFromColumns(const ImageStrip& strip, int n, int first, int width, int height) {
  SCOPED_TRACE("cell " + std::to_string(n));
  EXPECT_EQ(strip.GetCellWidth(n), width);
  const auto cell = test::DecodeImage(strip.GetCellPicture(n));
  ASSERT_EQ(cell.width, width);
  ASSERT_EQ(cell.height, height);
  EXPECT_EQ(cell.At(0, 0), 0xFF000000u | (first << 8));
  EXPECT_EQ(cell.At(width - 1, height - 1), 0xFF000000u | ((first + width - 1) << 8) | (height - 1));
}

TEST(ImageStrip, TheGlyphStripIsCutAtItsMagentaColumnsIntoSixCellsOf21By16) {
  ImageStrip strip;
  const auto png = GlyphStripPng();
  EXPECT_EQ(strip.Load(png), 6);
  const auto whole = test::DecodeImage(std::vector<uint8_t>(png.begin(), png.end()));
  ASSERT_EQ(whole.width, 131);
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE(n);
    const auto cell = test::DecodeImage(strip.GetCellPicture(n));
    ASSERT_EQ(cell.width, 21);
    ASSERT_EQ(cell.height, 16);
    for (int i = 0; i < 21 * 16; ++i) ASSERT_EQ(cell.At(i % 21, i / 21), whole.At((n - 1) * 22 + i % 21, i / 21)) << i;
  }
}

TEST(ImageStrip, OnlyOpaqueKeyColumnsOnRowTwoPastColumnZeroCut) {
  const struct {
    std::vector<int> separators;
    uint32_t key;
    std::vector<int> widths;
  } cases[] = {{{}, kMagenta, {20}}, {{9}, 0xFEFF00FFu, {20}}, {{5, 6}, kMagenta, {5, 0, 13}}, {{19}, kMagenta, {19, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.widths.size());
    ImageStrip strip;
    ASSERT_EQ(strip.Load(StripPng(20, 6, c.separators, c.key)), int(c.widths.size()));
    for (int n = 1, first = 0; n <= int(c.widths.size()); first += c.widths[n - 1] + 1, ++n) {
      if (c.widths[n - 1] > 0) ExpectCellFromColumns(strip, n, first, c.widths[n - 1], 6);
      else EXPECT_TRUE(strip.GetCellPicture(n).empty());
    }
  }
  std::vector<uint32_t> pixels(20 * 6, 0xFF101010u);
  for (int y = 0; y < 6; ++y) pixels[y * 20 + 0] = kMagenta;  // column 0
  pixels[1 * 20 + 7] = kMagenta;                              // row 1 only
  pixels[2 * 20 + 12] = kMagenta;                             // row 2 only: cuts
  pixels[2 * 20 + 15] = 0xFF0000FFu;                          // blue, the given key
  ImageStrip strip;
  EXPECT_EQ(strip.Load(testsupport::EncodePng(20, 6, pixels)), 2);
  EXPECT_EQ(strip.GetCellWidth(1), 12);
  EXPECT_EQ(strip.Split(StripPng(30, 6, {4})), 4);  // appends
  ExpectCellFromColumns(strip, 4, 5, 25, 6);
  EXPECT_EQ(strip.Load(testsupport::EncodePng(20, 6, pixels), RGB(0, 0, 255)), 2);  // replaces
  EXPECT_EQ(strip.GetCellWidth(1), 15);
}

TEST(ImageStrip, FixedSizesCutEqualCellsAndSizesBelowOneNone) {
  ImageStrip strip;
  EXPECT_EQ(strip.SplitByWidth(StripPng(25, 6), 10, false), 3);
  ExpectCellFromColumns(strip, 2, 10, 10, 6);
  EXPECT_EQ(strip.GetCellWidth(3), 10);  // past the edge: counts, without a picture
  EXPECT_TRUE(strip.GetCellPicture(3).empty());
  EXPECT_EQ(strip.SplitByHeight(StripPng(9, 12), 4, false), 3);
  EXPECT_EQ(test::DecodeImage(strip.GetCellPicture(3)).At(3, 1), 0xFF000000u | (3 << 8) | 9u);
  ASSERT_EQ(strip.SplitByWidth(StripPng(24, 16), 12, true), 2);
  const auto cell = test::DecodeImage(strip.GetCellPicture(2));
  // Guides at y = 8 - 1 and 8 + 1, x = 6 - 1 and 6 + 1; the rest untouched.
  for (auto [x, y] : {std::pair{1, 7}, {10, 9}, {5, 1}, {7, 14}}) EXPECT_EQ(cell.At(x, y), kMagenta);
  EXPECT_EQ(cell.At(1, 8), 0xFF000000u | (13 << 8) | 8);
  // A cell size below 1 would step through the picture for ever.
  EXPECT_EQ(strip.SplitByWidth(StripPng(20, 6), 0, false), 0);
  EXPECT_EQ(strip.SplitByHeight(StripPng(20, 6), -3, true), 0);
}

// The path filled red into a 120 x 80 transparent bitmap.
gdip::Bitmap FillPath(const std::function<void(gdip::GraphicsPath&)>& build) {
  gdip::Bitmap bitmap;
  gdip::Graphics graphics;
  gdip::GraphicsPath path;
  gdip::SolidBrush brush;
  EXPECT_TRUE(bitmap.CreateWithFormat(120, 80) && graphics.FromImage(bitmap) && path.Create() &&
              brush.Create(0xFFFF0000u));
  build(path);
  graphics.FillPath(brush, path);
  return bitmap;
}

// (10, 10, 100, 60) with a corner box of 40: corners of radius 20; the
// integer variant truncates its corner to (10, 10). The radius is clamped
// to 1 .. 100.
TEST(SkinPathAddRoundRect, FillsInsideAndLeavesCornersAndOutsideEmpty) {
  const gdip::Bitmap shapes[] = {
      FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, 40); }),
      FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRectI(p, 10.7f, 10.2f, 100, 60, 40); })};
  for (const auto& b : shapes) {
    for (auto [x, y] : {std::pair{60, 40}, {13, 40}, {107, 40}, {60, 13}, {60, 67}, {18, 18}, {102, 18}, {18, 62}})
      EXPECT_EQ(b.GetPixel(x, y), 0xFFFF0000u) << x << "," << y;
    for (auto [x, y] : {std::pair{12, 12}, {108, 12}, {12, 68}, {107, 67}, {5, 40}, {115, 40}, {60, 5}, {60, 75}})
      EXPECT_EQ(b.GetPixel(x, y), 0u) << x << "," << y;
  }
  auto radius = [](float r) { return FillPath([r](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, r); }); };
  EXPECT_EQ(radius(0).GetPixel(11, 11), 0xFFFF0000u);  // square corners
  EXPECT_EQ(radius(-7).GetPixel(108, 68), 0xFFFF0000u);
  auto differences = [](const gdip::Bitmap& a, const gdip::Bitmap& b) {
    int n = 0;
    for (int i = 0; i < 120 * 80; ++i) n += a.GetPixel(i % 120, i / 120) != b.GetPixel(i % 120, i / 120);
    return n;
  };
  EXPECT_EQ(differences(radius(100), radius(150)), 0);
  EXPECT_GT(differences(radius(100), radius(60)), 0);
}

// A path's stroke is one pixel wide unless the caller names its pen width
// (the box's caption text is outlined two pixels wide).
TEST(SkinStroke, APathIsStrokedWithThePenWidthItIsGiven) {
  auto rows = [](std::optional<float> penWidth) {
    gdip::Bitmap bitmap;
    gdip::Graphics graphics;
    gdip::GraphicsPath path;
    EXPECT_TRUE(bitmap.CreateWithFormat(120, 80) && graphics.FromImage(bitmap) && path.Create() &&
                path.AddLine(10, 40, 110, 40));
    if (penWidth) SkinStroke(graphics, 0xFF0000FFu, path, *penWidth);
    else SkinStroke(graphics, 0xFF0000FFu, path);
    int n = 0;
    for (int y = 0; y < 80; ++y) n += bitmap.GetPixel(60, y) != 0;
    return n;
  };
  EXPECT_EQ(rows(std::nullopt), 1);
  EXPECT_EQ(rows(2.0f), 2);
}

// A focus ring's strokes share one centre line: the widest reaches as far as
// one stroke of that width, and the colour builds up towards the line. No
// width, no stroke.
TEST(SkinStrokePath, StrokesOfGrowingWidthBuildUpTowardsTheLine) {
  auto column = [](const std::function<void(gdip::Graphics&, const gdip::GraphicsPath&)>& stroke) {
    gdip::Bitmap bitmap;
    gdip::Graphics graphics;
    gdip::GraphicsPath path;
    EXPECT_TRUE(bitmap.CreateWithFormat(120, 80) && graphics.FromImage(bitmap) && path.Create() &&
                path.AddLine(10, 40, 110, 40));
    stroke(graphics, path);
    std::vector<uint32_t> alphas;
    for (int y = 0; y < 80; ++y)
      if (const uint32_t a = bitmap.GetPixel(60, y) >> 24) alphas.push_back(a);
    return alphas;
  };
  using Path = const gdip::GraphicsPath&;
  const auto ring = column([](gdip::Graphics& g, Path p) { SkinStrokePath(g, p, 3, 0x600000FFu); });
  const auto wide = column([](gdip::Graphics& g, Path p) { SkinStroke(g, 0x600000FFu, p, 3); });
  ASSERT_EQ(ring.size(), wide.size());
  ASSERT_GE(ring.size(), 3u);
  EXPECT_GT(*std::max_element(ring.begin(), ring.end()), *std::max_element(wide.begin(), wide.end()));
  EXPECT_LT(std::min(ring.front(), ring.back()), *std::max_element(ring.begin(), ring.end()));
  EXPECT_TRUE(column([](gdip::Graphics& g, Path p) { SkinStrokePath(g, p, 0, 0xFF0000FFu); }).empty());
}

// A gradient fills the rectangle it is given, from the first colour at its
// start point to the second at its end, and nothing around it.
TEST(SkinFillGradient, ARectangleIsFilledFromTheFirstColourToTheSecond) {
  gdip::Bitmap bitmap;
  gdip::Graphics graphics;
  ASSERT_TRUE(bitmap.CreateWithFormat(120, 80) && graphics.FromImage(bitmap));
  SkinFillGradient(graphics, {0, 10}, {0, 70}, 0xFFFFFFFFu, 0xFF000000u, gdip::RectF{20, 10, 40, 60});
  EXPECT_EQ(bitmap.GetPixel(30, 10), 0xFFFFFFFFu);
  EXPECT_LT(bitmap.GetPixel(30, 69) & 0xFFu, 0x10u);
  EXPECT_EQ(bitmap.GetPixel(30, 69) >> 24, 0xFFu);
  for (auto [x, y] : {std::pair{19, 40}, {60, 40}, {30, 9}, {30, 70}})
    EXPECT_EQ(bitmap.GetPixel(x, y), 0u) << x << "," << y;
}

// "测试文字" and "测试" five times, in code page 936.
const std::string kCaption = "\xB2\xE2\xCA\xD4\xCE\xC4\xD7\xD6";
const std::string kLongCaption = "\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4";

// A white 220 x 80 picture with the caption drawn red with a blue glow.
testsupport::PixelBuffer Caption(const std::string& text, gdip::RectF layout, std::optional<int32_t> divisor,
                                 Gdiplus::StringAlignment align = Gdiplus::StringAlignmentNear,
                                 std::optional<bool> wrap = std::nullopt,
                                 const gdip::StringFormat* format = nullptr) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(bitmap.CreateWithFormat(220, 80));
  {
    gdip::Graphics g;
    EXPECT_TRUE(g.FromImage(bitmap));
    g.Clear(0xFFFFFFFFu);
    // What is not given keeps the look's own default.
    ControlTextLook look{.textColour = RGB(255, 0, 0),
                         .glowColour = RGB(0, 0, 255),
                         .horizontalAlign = align,
                         .verticalAlign = align,
                         .format = format};
    if (divisor) look.blurDivisor = *divisor;
    if (wrap) look.wrap = *wrap;
    SkinDrawControlText(g, text, layout, look);
  }
  testsupport::PixelBuffer out{220, 80};
  for (int i = 0; i < 220 * 80; ++i) out.pixels.push_back(bitmap.GetPixel(i % 220, i / 220));
  return out;
}

bool IsTextRed(uint32_t p) { return ((p >> 16) & 0xFF) > 180 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90; }
bool IsGlowBlue(uint32_t p) { return (p & 0xFF) > 200 && ((p >> 16) & 0xFF) < 230 && ((p >> 8) & 0xFF) < 230; }
bool IsMarked(uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; }

// Pixels that pass `test` inside `box` (or outside it).
int Count(const testsupport::PixelBuffer& b, RECT box, bool (*test)(uint32_t), bool inside = true) {
  int n = 0;
  for (int i = 0; i < b.width * b.height; ++i) {
    const int x = i % b.width, y = i / b.width;
    n += (x >= box.left && x < box.right && y >= box.top && y < box.bottom) == inside && test(b.pixels[i]);
  }
  return n;
}

using RenderModes =
    std::tuple<Gdiplus::SmoothingMode, Gdiplus::InterpolationMode, Gdiplus::CompositingQuality,
               Gdiplus::PixelOffsetMode, Gdiplus::TextRenderingHint>;
RenderModes ModesOf(const gdip::Graphics& g) {
  return {g.GetSmoothingMode(), g.GetInterpolationMode(), g.GetCompositingQuality(), g.GetPixelOffsetMode(),
          g.GetTextRenderingHint()};
}

TEST(SkinGraphics, APainterGetsTheModesItsQualityNamesAndGdiplusDefaultsForTheRest) {
  const SkinMemoryDc dc = SkinMemoryDc::Create(8, 8);
  auto modes = [&](const SkinRenderQuality& quality) {
    gdip::Graphics g;
    EXPECT_TRUE(SkinGraphicsOnDC(g, dc.get(), quality));
    return ModesOf(g);
  };
  gdip::Graphics fresh;
  ASSERT_TRUE(fresh.FromHDC(dc.get()));
  const auto [smoothing, interpolation, compositing, pixelOffset, text] = ModesOf(fresh);
  EXPECT_EQ(modes(kSkinPlainRendering), ModesOf(fresh));
  EXPECT_EQ(modes(kSkinSmoothRendering),
            RenderModes(Gdiplus::SmoothingModeAntiAlias, interpolation, compositing, pixelOffset, text));
  EXPECT_EQ(modes(kSkinSmoothPictureRendering),
            RenderModes(Gdiplus::SmoothingModeAntiAlias, Gdiplus::InterpolationModeHighQualityBicubic,
                        compositing, pixelOffset, text));
  // The blur steps of the shadow and the text glow: 4, 7, 3, 3 in GDI+'s numbers.
  EXPECT_EQ(modes(kSkinBlurRendering),
            RenderModes(Gdiplus::SmoothingModeAntiAlias, Gdiplus::InterpolationModeHighQualityBicubic,
                        Gdiplus::CompositingQualityGammaCorrected, Gdiplus::PixelOffsetModeNone, text));
  EXPECT_EQ(modes(kSkinSmoothTextRendering), RenderModes(smoothing, interpolation, compositing, pixelOffset,
                                                         Gdiplus::TextRenderingHintAntiAliasGridFit));

  gdip::Bitmap picture;
  gdip::Graphics onPicture;
  ASSERT_TRUE(picture.CreateWithFormat(4, 4));
  EXPECT_TRUE(SkinGraphicsOnImage(onPicture, picture, kSkinBlurRendering));
  EXPECT_EQ(ModesOf(onPicture), modes(kSkinBlurRendering));
  // Nothing to draw on: no graphics, and the painter is told so.
  gdip::Graphics none;
  EXPECT_FALSE(SkinGraphicsOnDC(none, nullptr, kSkinSmoothRendering));
  EXPECT_FALSE(SkinGraphicsOnImage(none, gdip::Bitmap(), kSkinSmoothRendering));
  EXPECT_EQ(none.GetNativeObject(), nullptr);
}

// Painters take their fonts by name as copies of fonts kept per face, size,
// style and unit: each copy is the caller's own and is the font that making
// it by name gives; a face that names no family gives none, and nothing kept
// outlives the release before GDI+ shuts down.
TEST(KeptFonts, CopiesAreTheFontsMadeByNameAndUnknownFacesGiveNone) {
  const auto expectSame = [](const gdip::Font& copy, const gdip::Font& made) {
    EXPECT_EQ(copy.GetSize(), made.GetSize());
    EXPECT_EQ(copy.GetStyle(), made.GetStyle());
    EXPECT_EQ(copy.GetUnit(), made.GetUnit());
    gdip::FontFamily copyFamily, madeFamily;
    ASSERT_TRUE(copy.GetFamily(copyFamily) && made.GetFamily(madeFamily));
    EXPECT_EQ(copyFamily.GetName(), madeFamily.GetName());
  };
  for (const auto& [size, style, unit] : {std::tuple{12.0f, 0, Gdiplus::UnitWorld},
                                          std::tuple{12.0f, int(Gdiplus::FontStyleBold), Gdiplus::UnitWorld},
                                          std::tuple{20.0f, 0, Gdiplus::UnitWorld},
                                          std::tuple{12.0f, 0, Gdiplus::UnitPixel}}) {
    SCOPED_TRACE(size + float(style) * 100 + float(unit) * 1000);
    gdip::Font made, first, second;
    ASSERT_TRUE(made.CreateFromName(kDefaultFontFace, size, style, unit));
    ASSERT_TRUE(SkinFontFromName(first, kDefaultFontFace, size, style, unit));
    ASSERT_TRUE(SkinFontFromName(second, kDefaultFontFace, size, style, unit));
    EXPECT_NE(first.GetNativeObject(), second.GetNativeObject());
    expectSame(first, made);
    expectSame(second, made);
  }
  gdip::Font held;
  ASSERT_TRUE(SkinFontFromName(held, kDefaultFontFace, 12));
  EXPECT_FALSE(SkinFontFromName(held, "No Such Face Korvath", 12));
  EXPECT_EQ(held.GetNativeObject(), nullptr);
  SkinReleaseKeptFonts();
  gdip::Font again, made;
  ASSERT_TRUE(SkinFontFromName(again, kDefaultFontFace, 12) && made.CreateFromName(kDefaultFontFace, 12));
  expectSame(again, made);
}

// Memory that runs out while a font is kept, inside the kept fonts' lock,
// leaves the lock free: the next call returns with its copy. (A lock left
// held would make it wait for ever: the guard ends the program then.)
TEST(KeptFonts, MemoryThatRunsOutWhileAFontIsKeptLeavesTheirLockFree) {
  constexpr float kSize = 23.5f;  // kept by no other test
  gdip::Font lost, next;
  EXPECT_TRUE(testsupport::ThrowsWhenAnAllocationFails([&] { (void)SkinFontFromName(lost, kDefaultFontFace, kSize); }));
  const testsupport::HangGuard guard(20000);
  ASSERT_TRUE(SkinFontFromName(next, kDefaultFontFace, kSize));
  EXPECT_EQ(next.GetSize(), kSize);
  SkinReleaseKeptFonts();
}

// While alive, the program's calls of GDI+ that make, copy and delete a font
// are noted on their way: what the kept fonts do to GDI+ underneath.
class FontCalls {
 public:
  FontCalls() {
    for (Route& route : routes_) {
      route.slot = testsupport::ImportSlot("gdiplus.dll", route.name);
      if (route.slot) *route.original = testsupport::SwapImport(route.slot, route.standIn);
    }
    created = 0;
    copiedFrom.clear();
    deleted.clear();
  }
  ~FontCalls() {
    for (Route& route : routes_) {
      if (route.slot) testsupport::SwapImport(route.slot, *route.original);
    }
  }
  FontCalls(const FontCalls&) = delete;
  FontCalls& operator=(const FontCalls&) = delete;
  bool routed() const {
    return std::all_of(std::begin(routes_), std::end(routes_), [](const Route& r) { return r.slot != nullptr; });
  }

  static inline int created = 0;
  static inline std::vector<const void*> copiedFrom, deleted;

 private:
  static Gdiplus::GpStatus WINGDIPAPI Create(const Gdiplus::GpFontFamily* family, Gdiplus::REAL size, INT style,
                                             Gdiplus::Unit unit, Gdiplus::GpFont** font) {
    ++created;
    return create_(family, size, style, unit, font);
  }
  static Gdiplus::GpStatus WINGDIPAPI Clone(Gdiplus::GpFont* font, Gdiplus::GpFont** copy) {
    copiedFrom.push_back(font);
    return clone_(font, copy);
  }
  static Gdiplus::GpStatus WINGDIPAPI Delete(Gdiplus::GpFont* font) {
    deleted.push_back(font);
    return delete_(font);
  }
  static inline decltype(&Create) create_ = nullptr;
  static inline decltype(&Clone) clone_ = nullptr;
  static inline decltype(&Delete) delete_ = nullptr;
  struct Route {
    const char* name;
    void* standIn;
    void** original;
    void** slot = nullptr;
  };
  Route routes_[3] = {{"GdipCreateFont", reinterpret_cast<void*>(&Create), reinterpret_cast<void**>(&create_)},
                      {"GdipCloneFont", reinterpret_cast<void*>(&Clone), reinterpret_cast<void**>(&clone_)},
                      {"GdipDeleteFont", reinterpret_cast<void*>(&Delete), reinterpret_cast<void**>(&delete_)}};
};

// The release before GDI+ shuts down deletes every kept font (the copies
// are GDI+ objects that must not outlive it), and the next copy of a face
// is of a font made anew, not of one deleted.
TEST(KeptFonts, TheReleaseDeletesEveryKeptFontAndTheNextCopyIsOfOneMadeAnew) {
  constexpr float kSizes[] = {31.5f, 32.5f};  // kept by no other test
  gdip::Font copy;
  FontCalls calls;
  ASSERT_TRUE(calls.routed());
  for (const float size : kSizes) {
    ASSERT_TRUE(SkinFontFromName(copy, kDefaultFontFace, size));
    ASSERT_TRUE(SkinFontFromName(copy, kDefaultFontFace, size));  // copied from the kept font: none made
  }
  EXPECT_EQ(FontCalls::created, 2);
  const std::vector<const void*> kept = FontCalls::copiedFrom;
  ASSERT_EQ(kept.size(), 4u);
  EXPECT_EQ(kept[0], kept[1]);
  EXPECT_EQ(kept[2], kept[3]);
  FontCalls::deleted.clear();
  SkinReleaseKeptFonts();
  for (const void* font : {kept[0], kept[2]}) {
    EXPECT_EQ(std::count(FontCalls::deleted.begin(), FontCalls::deleted.end(), font), 1);
  }
  FontCalls::created = 0;
  FontCalls::copiedFrom.clear();
  ASSERT_TRUE(SkinFontFromName(copy, kDefaultFontFace, kSizes[0]));
  EXPECT_EQ(FontCalls::created, 1);
  EXPECT_EQ(copy.GetSize(), kSizes[0]);
  SkinReleaseKeptFonts();
}

// While alive, the thread that made it (the first) starts a second thread
// from inside GDI+'s copy of a font, and stays inside until the second tells
// it either that it must wait for the lock the first took last (the kept
// fonts' lock), which it tries before it takes it, or that it came into a
// copy too, beside the first. Nothing is left to timing: a second kept out
// says so before it waits, and one let in says so from inside the copy.
class CopiesBesideEachOther {
 public:
  explicit CopiesBesideEachOther(float size) {
    size_ = size;
    for (Route& route : routes_) {
      route.slot = testsupport::ImportSlot(route.dll, route.name);
      if (route.slot) *route.original = testsupport::SwapImport(route.slot, route.standIn);
    }
    for (HANDLE* event : {&secondWaits_, &secondInside_, &firstOut_}) {
      *event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    besideEachOther_ = false;
    secondCopied_ = false;
    first_ = GetCurrentThreadId();
  }
  ~CopiesBesideEachOther() {
    SetEvent(firstOut_);
    if (second_.joinable()) second_.join();
    first_ = secondId_ = 0;
    firstTook_ = nullptr;
    for (Route& route : routes_) {
      if (route.slot) testsupport::SwapImport(route.slot, *route.original);
    }
    for (HANDLE event : {secondWaits_, secondInside_, firstOut_}) CloseHandle(event);
  }
  CopiesBesideEachOther(const CopiesBesideEachOther&) = delete;
  CopiesBesideEachOther& operator=(const CopiesBesideEachOther&) = delete;
  bool routed() const {
    return std::all_of(std::begin(routes_), std::end(routes_), [](const Route& r) { return r.slot != nullptr; });
  }
  // Whether a second thread was started, came into a copy while the first
  // was in one, and made its copy (once it is done).
  bool SecondStarted() const { return second_.joinable(); }
  bool BesideEachOther() const { return besideEachOther_; }
  bool SecondCopied() {
    if (second_.joinable()) second_.join();
    return secondCopied_;
  }

 private:
  static void SecondCopies() {
    secondId_ = GetCurrentThreadId();
    gdip::Font copy;
    secondCopied_ = SkinFontFromName(copy, kDefaultFontFace, size_) && copy.GetSize() == size_;
  }
  static Gdiplus::GpStatus WINGDIPAPI Clone(Gdiplus::GpFont* font, Gdiplus::GpFont** copy) {
    const DWORD thread = GetCurrentThreadId();
    if (thread == first_ && !second_.joinable()) {
      second_ = std::thread(&SecondCopies);
      const HANDLE told[] = {secondWaits_, secondInside_};
      besideEachOther_ = WaitForMultipleObjects(2, told, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
      SetEvent(firstOut_);
    } else if (thread == secondId_) {
      SetEvent(secondInside_);
      WaitForSingleObject(firstOut_, INFINITE);
    }
    return clone_(font, copy);
  }
  static void Take(PSRWLOCK lock, bool exclusive) {
    const DWORD thread = GetCurrentThreadId();
    if (thread == first_) {
      firstTook_ = lock;
    } else if (thread == secondId_ && lock == firstTook_) {
      if (exclusive ? TryAcquireSRWLockExclusive(lock) : TryAcquireSRWLockShared(lock)) return;
      SetEvent(secondWaits_);
    }
    (exclusive ? takeExclusive_ : takeShared_)(lock);
  }
  static void WINAPI TakeExclusive(PSRWLOCK lock) { Take(lock, true); }
  static void WINAPI TakeShared(PSRWLOCK lock) { Take(lock, false); }

  static inline float size_ = 0;
  static inline std::atomic<DWORD> first_ = 0, secondId_ = 0;
  static inline std::atomic<PSRWLOCK> firstTook_ = nullptr;
  static inline std::thread second_;
  static inline HANDLE secondWaits_ = nullptr, secondInside_ = nullptr, firstOut_ = nullptr;
  static inline bool besideEachOther_ = false, secondCopied_ = false;
  static inline decltype(&Clone) clone_ = nullptr;
  static inline decltype(&TakeExclusive) takeExclusive_ = nullptr, takeShared_ = nullptr;
  struct Route {
    const char* dll;
    const char* name;
    void* standIn;
    void** original;
    void** slot = nullptr;
  };
  Route routes_[3] = {
      {"gdiplus.dll", "GdipCloneFont", reinterpret_cast<void*>(&Clone), reinterpret_cast<void**>(&clone_)},
      {"kernel32.dll", "AcquireSRWLockExclusive", reinterpret_cast<void*>(&TakeExclusive),
       reinterpret_cast<void**>(&takeExclusive_)},
      {"kernel32.dll", "AcquireSRWLockShared", reinterpret_cast<void*>(&TakeShared),
       reinterpret_cast<void**>(&takeShared_)}};
};

// A box's fade-in thread and the GUI thread may copy a kept font at once,
// and GDI+'s copy of one font object must not run on two threads at once:
// while one thread is inside the copy, another that asks for the same font
// waits for the kept fonts' lock, and makes its copy once the first is done.
TEST(KeptFonts, AKeptFontIsCopiedByOneThreadAtATime) {
  constexpr float kSize = 27.5f;  // kept by no other test
  gdip::Font first;
  ASSERT_TRUE(SkinFontFromName(first, kDefaultFontFace, kSize));  // kept before the copies
  const testsupport::HangGuard guard(20000);
  {
    CopiesBesideEachOther copies(kSize);
    ASSERT_TRUE(copies.routed());
    ASSERT_TRUE(SkinFontFromName(first, kDefaultFontFace, kSize));
    ASSERT_TRUE(copies.SecondStarted());
    EXPECT_FALSE(copies.BesideEachOther());
    EXPECT_TRUE(copies.SecondCopied());
  }
  EXPECT_EQ(first.GetSize(), kSize);
  SkinReleaseKeptFonts();
}

TEST(SkinDrawControlText, SongTiTextAndItsGlowStayInsideTheirRectangle) {
  const auto b = Caption(kCaption, {30, 20, 160, 30}, std::nullopt);
  // Glow, halo and text reach at most 2 pixels right of and below the rectangle.
  EXPECT_GT(Count(b, {30, 20, 192, 52}, IsTextRed), 15);
  EXPECT_GT(Count(b, {30, 20, 192, 52}, IsGlowBlue), 0);
  EXPECT_EQ(Count(b, {30, 20, 192, 52}, IsMarked, false), 0);
  if (HasFailure()) testsupport::SaveFailureImage(b, "control_text_basic");
  // A divisor of 0 or below would divide by zero: it draws like 1.
  const auto one = Caption(kCaption, {30, 20, 160, 30}, 1);
  EXPECT_EQ(Caption(kCaption, {30, 20, 160, 30}, 0).pixels, one.pixels);
  EXPECT_EQ(Caption(kCaption, {30, 20, 160, 30}, -5).pixels, one.pixels);
  EXPECT_NE(Caption(kCaption, {30, 20, 160, 30}, 4).pixels, one.pixels);  // the glow depends on it
  // The caller's graphics is left drawing text anti-aliased on the pixel grid.
  gdip::Bitmap bitmap;
  gdip::Graphics g;
  ASSERT_TRUE(bitmap.CreateWithFormat(40, 20) && g.FromImage(bitmap));
  SkinDrawControlText(g, kCaption, {0, 0, 40, 20}, {.textColour = RGB(0, 0, 0), .glowColour = RGB(255, 255, 255)});
  EXPECT_EQ(g.GetTextRenderingHint(), Gdiplus::TextRenderingHintAntiAliasGridFit);
}

// A control's font is measured by what it describes: another handle to a
// font described alike measures the same, a font set anew measures anew, and
// sizes given as cell heights come from GDI+ for each height.
TEST(SkinControlFontMetrics, EachControlsFontIsMeasuredByWhatItDescribes) {
  testsupport::TestWindow form(300, 200, L"fonts", WS_POPUP);
  const HWND a = form.AddChild(L"Static", L"a", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20);
  const HWND b = form.AddChild(L"Static", L"b", WS_CHILD | WS_VISIBLE, 10, 40, 80, 20);
  auto font = [](int height, int weight, bool italic, const wchar_t* face) {
    return platform::GdiFont(CreateFontW(height, 0, 0, 0, weight, italic, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, face));
  };
  const platform::GdiFont plain = font(-12, FW_NORMAL, false, L"SimSun"), plainAgain = font(-12, FW_NORMAL, false, L"SimSun"),
                         bold = font(-16, FW_BOLD, false, L"SimSun"), italic = font(-12, FW_NORMAL, true, L"SimSun"),
                         small = font(14, FW_NORMAL, false, L"Tahoma"), large = font(40, FW_NORMAL, false, L"Tahoma");
  auto measure = [](HWND window, const platform::GdiFont& f) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(f.get()), FALSE);
    const SkinFontInfo info = SkinControlFontMetrics(window);
    return std::tuple(info.face, info.size, info.style);
  };
  const auto first = measure(a, plain);
  EXPECT_EQ(first, measure(a, plain));
  EXPECT_EQ(first, measure(b, plainAgain));
  EXPECT_FALSE(std::get<0>(first).empty());
  EXPECT_EQ(std::get<1>(first), 12);
  EXPECT_EQ(std::get<2>(first), 0);
  const auto boldOne = measure(a, bold);
  EXPECT_EQ(std::get<1>(boldOne), 16);
  EXPECT_EQ(std::get<2>(boldOne), Gdiplus::FontStyleBold);
  EXPECT_EQ(std::get<2>(measure(b, italic)), Gdiplus::FontStyleItalic);
  EXPECT_EQ(measure(a, plain), first) << "a font set back measures as before";
  const auto smallOne = measure(a, small), largeOne = measure(b, large);
  EXPECT_LT(std::get<1>(smallOne), std::get<1>(largeOne));
  EXPECT_GT(std::get<1>(smallOne), 0);
  EXPECT_EQ(measure(b, small), smallOne);
  EXPECT_EQ(measure(a, large), largeOne);
}

TEST(SkinDrawControlText, AlignmentWrapAndTheCallersFormatPlaceTheText) {
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  format.SetAlign(Gdiplus::StringAlignmentFar);  // wins over the near alignment argument
  constexpr auto Near = Gdiplus::StringAlignmentNear, Centre = Gdiplus::StringAlignmentCenter,
                 Far = Gdiplus::StringAlignmentFar;
  const struct {
    const char* name;
    testsupport::PixelBuffer picture;
    int least;
    RECT textIn, noTextIn, noTextAlsoIn;
  } cases[] = {
      {"far", Caption(kCaption, {10, 10, 200, 60}, 4, Far), 15, {110, 40, 213, 73}, {0, 0, 110, 80}, {0, 0, 220, 40}},
      {"centre", Caption(kCaption, {10, 10, 200, 60}, 4, Centre), 15, {60, 25, 160, 55}, {0, 0, 60, 80}, {160, 0, 220, 80}},
      {"format", Caption(kCaption, {10, 10, 200, 30}, 4, Near, true, &format), 15, {110, 10, 213, 43}, {0, 0, 110, 80}},
      {"wrapped", Caption(kLongCaption, {20, 10, 90, 50}, 4), 10, {20, 30, 110, 60}},
      {"one line", Caption(kLongCaption, {20, 10, 90, 50}, 4, Near, false), 10, {20, 10, 113, 30}, {20, 30, 110, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_GT(Count(c.picture, c.textIn, IsTextRed), c.least);
    EXPECT_EQ(Count(c.picture, c.noTextIn, IsTextRed), 0);
    EXPECT_EQ(Count(c.picture, c.noTextAlsoIn, IsTextRed), 0);
    if (HasFailure()) testsupport::SaveFailureImage(c.picture, "control_text_placed");
  }
}

// The integer rectangle record keeps its four values in the order given, as
// GDI+ reads them: corner, width, height (a region made from it covers
// exactly that many pixels from the corner).
TEST(DrawingValues, ARectRecordIsCornerWidthAndHeightInTheOrderGiven) {
  const gdip::Rect r = SkinMakeRectRecord(-3, 7, 20, 10);
  EXPECT_EQ(r, (gdip::Rect{-3, 7, 20, 10}));
  gdip::Region region;
  ASSERT_TRUE(region.CreateFromRectI(r));
  EXPECT_TRUE(region.IsVisiblePointI({-3, 7}));
  EXPECT_TRUE(region.IsVisiblePointI({16, 16}));
  EXPECT_FALSE(region.IsVisiblePointI({17, 16}));
  EXPECT_FALSE(region.IsVisiblePointI({16, 17}));
  EXPECT_FALSE(region.IsVisiblePointI({-4, 7}));
}

}  // namespace
}  // namespace korvath::skin
