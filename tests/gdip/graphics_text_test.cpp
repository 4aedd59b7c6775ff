// The UTF-16 ("Simple") text forms of Graphics: what they draw, measure and
// hand out against their GBK twins, and the glyph positions, flags and matrix
// of driver strings.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

#include <tuple>

using namespace gdiptest;

namespace {

class GdipWideText : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(font.CreateFromName(kSongti, 20, 0, Gdiplus::UnitPixel)) << gdip::LastGdipStatus();
    ASSERT_TRUE(rightAligned.Create() && rightAligned.SetAlign(Gdiplus::StringAlignmentFar));
  }
  // A fresh white canvas with what `draw` drew on it.
  template <class Draw>
  static Canvas Drawn(Draw draw) {
    Canvas canvas(200, 60, kWhite);
    EXPECT_TRUE(draw(canvas.graphics)) << gdip::LastGdipStatus();
    return canvas;
  }
  // The smallest rectangle around the dark pixels; all zeros when there are none.
  static gdip::Rect Ink(const Canvas& canvas) {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x)
        if ((canvas.Pixel(x, y) & 0xFF) < 0x80) {
          left = std::min(left, x), top = std::min(top, y);
          right = std::max(right, x), bottom = std::max(bottom, y);
        }
    return right < 0 ? gdip::Rect{} : gdip::Rect{left, top, right - left + 1, bottom - top + 1};
  }
  static bool SamePixels(const Canvas& a, const Canvas& b) {
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
  }
  gdip::Font font;
  gdip::StringFormat rightAligned;
  gdip::SolidBrush black = MakeBrush(kBlack);
  const gdip::RectF layout{20, 10, 160, 40};
};

}  // namespace

TEST_F(GdipWideText, WideTextDrawsAsItsGbkTwinInItsLayoutAndFormatUpToItsFirstZero) {
  Canvas wide = Drawn([&](auto& g) { return g.DrawStringSimple(L"\u4E2D\u6587", font, black, layout, &rightAligned); });
  Canvas gbk = Drawn([&](auto& g) { return g.DrawString(kChinese, font, black, layout, &rightAligned); });
  EXPECT_TRUE(SamePixels(wide, gbk));
  gdip::Rect ink = Ink(wide);  // two characters against the layout's right edge
  EXPECT_TRUE(ink.x > 120 && ink.x + ink.width <= 181 && ink.y >= 10 && ink.height > 10) << ink.x << "," << ink.y;

  Canvas cut = Drawn([&](auto& g) {
    return g.DrawStringSimple(std::wstring_view(L"\u4E2D\0\u6587", 3), font, black, layout, &rightAligned);
  });
  Canvas one = Drawn([&](auto& g) { return g.DrawStringSimple(L"\u4E2D", font, black, layout, &rightAligned); });
  EXPECT_TRUE(SamePixels(cut, one));
  EXPECT_FALSE(SamePixels(cut, wide));

  Canvas left = Drawn([&](auto& g) { return g.DrawStringSimple(L"\u4E2D\u6587", font, black, layout); });
  ink = Ink(left);  // no format: from the layout's left edge
  EXPECT_TRUE(ink.x >= 20 && ink.x < 30 && ink.y >= 10) << ink.x << "," << ink.y;
  Canvas origin = Drawn([&](auto& g) { return g.DrawStringSimple(L"\u4E2D\u6587", font, black); });
  ink = Ink(origin);  // no layout: from the origin
  EXPECT_TRUE(ink.x < 10 && ink.y < 10 && ink.width > 30) << ink.x << "," << ink.y;

  gdip::Graphics empty;
  EXPECT_REFUSED(!empty.DrawStringSimple(L"\u4E2D", font, black, layout));
}

TEST_F(GdipWideText, WideCharacterRangesGiveOneOwnedRegionEachAndAFailureLeavesNothing) {
  const gdip::CharacterRange ranges[] = {{1, 1}, {0, 1}};  // the second character first
  ASSERT_TRUE(rightAligned.SetMeasurableCharacterRanges(ranges));
  Canvas canvas(200, 60);
  std::vector<gdip::Region> regions(1);
  ASSERT_TRUE(regions[0].Create());
  gdip::NativeHandle held = regions[0].GetNativeObject();
  {
    NativeObjectsBalance unchanged;
    // A count below 1 is refused even for a format without ranges, which GDI+ would measure.
    gdip::StringFormat rangeless;
    ASSERT_TRUE(rangeless.Create());
    EXPECT_REFUSED(!canvas.graphics.MeasureCharacterRangesSimple(L"\u4E2D\u6587", font, layout, rangeless, 0,
                                                                 regions));
    // Fewer regions than the format has ranges: GDI+ refuses, and the regions made go again.
    EXPECT_FALSE(canvas.graphics.MeasureCharacterRangesSimple(L"\u4E2D\u6587", font, layout, rightAligned, 1,
                                                              regions));
    EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
    // The count decides, not the room of the caller's list.
    std::vector<gdip::Region> roomy(3);
    EXPECT_FALSE(canvas.graphics.MeasureCharacterRangesSimple(L"\u4E2D\u6587", font, layout, rightAligned, 1, roomy));
    EXPECT_EQ(roomy.size(), 3u);
    // More regions than the format has ranges, or than memory holds: refused before any is made.
    EXPECT_REFUSED(!canvas.graphics.MeasureCharacterRangesSimple(L"\u4E2D\u6587", font, layout, rightAligned, 3,
                                                                 regions));
    EXPECT_REFUSED(!canvas.graphics.MeasureCharacterRangesSimple(L"\u4E2D\u6587", font, layout, rightAligned,
                                                                 INT_MAX, regions));
  }
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].GetNativeObject(), held);
  {
    NativeObjectsBalance oneMore(1);  // two made, the one held before deleted
    ASSERT_TRUE(canvas.graphics.MeasureCharacterRangesSimple(L"\u4E2D\u6587", font, layout, rightAligned, 2,
                                                             regions));
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_FALSE(IsLiveNative(held));
  }
  std::vector<gdip::Region> roomy(5);
  ASSERT_TRUE(canvas.graphics.MeasureCharacterRangesSimple(L"\u4E2D\u6587", font, layout, rightAligned, 2, roomy));
  EXPECT_EQ(roomy.size(), 2u);
  gdip::RectF second = regions[0].GetBounds(canvas.graphics), first = regions[1].GetBounds(canvas.graphics);
  EXPECT_GT(first.x, 120);  // right-aligned in the layout
  EXPECT_GE(second.x, first.x + first.width - 1);
  EXPECT_LE(second.x + second.width, 186);
}

TEST_F(GdipWideText, DriverStringsPutEachGlyphAtItsPositionOrAdvanceFromTheFirst) {
  const gdip::PointF apart[] = {{20, 40}, {130, 40}}, first[] = {{20, 40}};
  Canvas placed = Drawn([&](auto& g) { return g.DrawDriverStringSimple(L"\u4E2D\u6587", font, black, apart); });
  gdip::Rect ink = Ink(placed);
  EXPECT_TRUE(ink.x >= 20 && ink.x < 25 && ink.x + ink.width > 140 && ink.y + ink.height <= 42) << ink.x;
  Canvas gbk = Drawn([&](auto& g) { return g.DrawDriverString(kChinese, font, black, apart); });
  EXPECT_TRUE(SamePixels(placed, gbk));
  // Nothing between the two glyphs.
  for (int x = 50; x < 120; ++x)
    for (int y = 0; y < 60; ++y) ASSERT_EQ(placed.Pixel(x, y), kWhite) << x << "," << y;

  Canvas advanced = Drawn([&](auto& g) {
    return g.DrawDriverStringSimple(L"\u4E2D\u6587", font, black, first,
                                    gdip::kDriverStringCmapLookup | Gdiplus::DriverStringOptionsRealizedAdvance);
  });
  ink = Ink(advanced);  // side by side
  EXPECT_TRUE(ink.x >= 20 && ink.x < 25 && ink.x + ink.width > 50 && ink.x + ink.width < 70) << ink.width;

  // Wine's GDI+ takes the matrix and draws without it: only its answer is checked.
  TestMatrix shifted(1, 0, 0, 1, 30, 5);
  Drawn([&](auto& g) {
    return g.DrawDriverStringSimple(L"\u4E2D\u6587", font, black, apart, gdip::kDriverStringCmapLookup, &shifted);
  });

  Canvas canvas(10, 10);
  EXPECT_REFUSED(!canvas.graphics.DrawDriverStringSimple(L"\u4E2D\u6587", font, black, first));
  gdip::Graphics empty;
  EXPECT_REFUSED(!empty.DrawDriverStringSimple(L"\u4E2D\u6587", font, black, apart));
}

namespace {

// A look at the length of text that one flat text call of GDI+ is handed
// (its third argument, in each of them); the call goes on to GDI+.
template <int Tag, class Signature>
struct HandedLength;
template <int Tag, class... A>
struct HandedLength<Tag, Gdiplus::GpStatus(WINGDIPAPI*)(A...)> {
  static inline void* original = nullptr;
  static inline INT length = -1;
  static Gdiplus::GpStatus WINGDIPAPI Call(A... arguments) {
    length = std::get<2>(std::tie(arguments...));
    return reinterpret_cast<Gdiplus::GpStatus(WINGDIPAPI*)(A...)>(original)(arguments...);
  }
};
#define HANDED_LENGTH(fn, tag) HandedLength<tag, decltype(&Gdiplus::DllExports::fn)>

// Routes the flat call `fn` past its look for as long as it lives.
template <class Look>
struct LookAt {
  gdiptest::GdiplusStandIn standIn;
  explicit LookAt(const char* name) : standIn(name, reinterpret_cast<void*>(&Look::Call)) { Look::original = standIn.Original(); }
};

}  // namespace

// Every text operation hands GDI+ the characters before the text's first
// zero, never that zero: Wine's GDI+ passes over a zero character it is
// handed (nothing drawn, measured or outlined), so the length is read on the
// way to it.
TEST_F(GdipWideText, EachTextOperationHandsGdiplusTheCharactersBeforeTheFirstZero) {
  using DrawString = HANDED_LENGTH(GdipDrawString, 0);
  using MeasureString = HANDED_LENGTH(GdipMeasureString, 1);
  using MeasureRanges = HANDED_LENGTH(GdipMeasureCharacterRanges, 2);
  using DriverString = HANDED_LENGTH(GdipDrawDriverString, 3);
  using PathString = HANDED_LENGTH(GdipAddPathString, 4);
  using PathStringI = HANDED_LENGTH(GdipAddPathStringI, 5);
  LookAt<DrawString> drawString("GdipDrawString");
  LookAt<MeasureString> measureString("GdipMeasureString");
  LookAt<MeasureRanges> measureRanges("GdipMeasureCharacterRanges");
  LookAt<DriverString> driverString("GdipDrawDriverString");
  LookAt<PathString> pathString("GdipAddPathString");
  LookAt<PathStringI> pathStringI("GdipAddPathStringI");

  Canvas canvas(200, 60, kWhite);
  gdip::Graphics& g = canvas.graphics;
  gdip::FontFamily songti;
  gdip::StringFormat oneRange;
  const gdip::CharacterRange first[] = {{0, 1}};
  ASSERT_TRUE(songti.CreateFromName(kSongti) && oneRange.Create() && oneRange.SetMeasurableCharacterRanges(first));
  const gdip::PointF positions[] = {{20, 40}, {60, 40}, {100, 40}};
  // 中文, whole and with a zero after its first character, in UTF-16 and in GBK.
  struct Text {
    std::wstring_view wide;
    std::string_view gbk;
    INT length;
  };
  const Text texts[] = {{L"\u4E2D\u6587", kChinese, 2},
                        {std::wstring_view(L"\u4E2D\0\u6587", 3), std::string_view("\xD6\xD0\0\xCE\xC4", 5), 1}};
  for (const Text& text : texts) {
    SCOPED_TRACE(text.length);
    gdip::RectF box;
    std::vector<gdip::Region> regions;
    gdip::GraphicsPath path;
    ASSERT_TRUE(path.Create());
    const struct {
      const char* name;
      std::function<bool()> call;
      INT& handed;
    } calls[] = {
        {"DrawString", [&] { return g.DrawString(text.gbk, font, black, layout); }, DrawString::length},
        {"DrawStringSimple", [&] { return g.DrawStringSimple(text.wide, font, black, layout); }, DrawString::length},
        {"MeasureString", [&] { return g.MeasureString(text.gbk, font, layout, nullptr, box); }, MeasureString::length},
        {"MeasureStringSimple", [&] { return g.MeasureStringSimple(text.wide, font, layout, nullptr, box); },
         MeasureString::length},
        {"MeasureCharacterRanges",
         [&] { return g.MeasureCharacterRanges(text.gbk, font, layout, oneRange, 1, regions); }, MeasureRanges::length},
        {"MeasureCharacterRangesSimple",
         [&] { return g.MeasureCharacterRangesSimple(text.wide, font, layout, oneRange, 1, regions); },
         MeasureRanges::length},
        {"DrawDriverString", [&] { return g.DrawDriverString(text.gbk, font, black, positions); }, DriverString::length},
        {"DrawDriverStringSimple", [&] { return g.DrawDriverStringSimple(text.wide, font, black, positions); },
         DriverString::length},
        {"AddString", [&] { return path.AddString(text.gbk, songti, 20, layout, 0, oneRange); }, PathString::length},
        {"AddStringSimple", [&] { return path.AddStringSimple(text.wide, songti, 20, layout, 0, oneRange); },
         PathString::length},
        {"AddStringI", [&] { return path.AddStringI(text.gbk, songti, 20, {20, 10, 160, 40}, 0, oneRange); },
         PathStringI::length},
        {"AddStringISimple",
         [&] { return path.AddStringISimple(text.wide, songti, 20, {20, 10, 160, 40}, 0, oneRange); },
         PathStringI::length},
    };
    for (const auto& each : calls) {
      SCOPED_TRACE(each.name);
      each.handed = -1;
      EXPECT_TRUE(each.call()) << gdip::LastGdipStatus();
      EXPECT_EQ(each.handed, text.length);
    }
  }
  // One position for the one character before the zero is enough.
  EXPECT_TRUE(g.DrawDriverStringSimple(std::wstring_view(L"\u4E2D\0\u6587", 3), font, black, std::span(positions, 1)));
}
