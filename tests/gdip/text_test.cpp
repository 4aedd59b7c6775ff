// Fonts found by Chinese face names, and text measured and drawn with the
// CJK font "宋体" (GBK texts throughout).
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

#include <set>

using namespace gdiptest;

namespace {

class GdipText : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(font.CreateFromName(kSongti, 20, 0, Gdiplus::UnitPixel)) << gdip::LastGdipStatus();
    ASSERT_TRUE(songti.CreateFromName(kSongti) && format.Create());
  }
  // Dark pixels in [x0, x1) x [y0, y1).
  int DarkPixels(int x0, int y0, int x1, int y1) const {
    int dark = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) dark += (canvas.Pixel(x, y) & 0xFF) < 0x80;
    return dark;
  }
  gdip::Font font;
  gdip::FontFamily songti;
  gdip::StringFormat format;
  gdip::SolidBrush black = MakeBrush(kBlack);
  Canvas canvas{200, 60, kWhite};
};

}  // namespace

TEST_F(GdipText, TheChineseFaceIsFoundByItsGbkAndItsWideNameAndAnUnknownFaceLeavesObjectsEmpty) {
  gdip::FontFamily byWideName, unknown, fromEmpty;
  gdip::FontCollection emptyCollection;  // means the installed fonts
  std::string name = songti.GetName();
  EXPECT_EQ(gdip::AnsiToWide(name), std::wstring(songti.GetNameW().data()));
  EXPECT_FALSE(name.empty());
  ASSERT_TRUE(byWideName.CreateFromNameInCollection(L"\u5B8B\u4F53"));
  EXPECT_EQ(byWideName.GetName(), name);
  EXPECT_TRUE(fromEmpty.CreateFromName(kSongti, &emptyCollection));
  EXPECT_FALSE(unknown.CreateFromName("No Such Face 12345"));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::FontFamilyNotFound);
  EXPECT_EQ(unknown.GetName(), "");
  EXPECT_EQ(unknown.GetNameW(), (std::array<wchar_t, LF_FACESIZE>{}));
  EXPECT_FALSE(gdip::Font().CreateFromName("No Such Face 12345", 9));
}

TEST_F(GdipText, FontsFromNamesDescriptionsAndGdiFontsKeepTheChineseFace) {
  gdip::Font italic, fromHandle, fromDC;
  ASSERT_TRUE(italic.CreateFromName(kSongti, 16, Gdiplus::FontStyleItalic, Gdiplus::UnitPixel));
  LOGFONTW description = {};
  ASSERT_TRUE(italic.GetLogFontW(&canvas.graphics, description));
  EXPECT_EQ(description.lfHeight, -16);
  EXPECT_TRUE(description.lfItalic);
  EXPECT_EQ(std::wstring(description.lfFaceName), std::wstring(songti.GetNameW().data()));

  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  platform::GdiFont gdiFont(CreateFontIndirectW(&description));
  ASSERT_TRUE(fromHandle.CreateFromHFONT(dc.get(), gdiFont.get()));  // through the font's description
  EXPECT_TRUE(fromHandle.GetStyle() & Gdiplus::FontStyleItalic);
  EXPECT_FALSE(fromHandle.GetStyle() & Gdiplus::FontStyleStrikeout);
  platform::SelectScope selected(dc.get(), gdiFont.get());
  ASSERT_TRUE(fromDC.CreateFromHFONT(dc.get(), nullptr));  // no font handle: the DC's own font
  for (const gdip::Font* each : {&italic, &fromHandle, &fromDC}) {
    gdip::FontFamily family;
    ASSERT_TRUE(each->GetFamily(family));
    EXPECT_EQ(family.GetName(), songti.GetName());
  }
}

TEST(GdipFontCollection, HandsOutItsFamiliesAsCopiesAndRefusesACountBelowOne) {
  Gdiplus::GpFontCollection* installed = nullptr;  // owned by GDI+, never deleted
  ASSERT_EQ(Gdiplus::DllExports::GdipNewInstalledFontCollection(&installed), Gdiplus::Ok);
  gdip::FontCollection collection, empty;
  collection.SetNativeCollection(installed);
  int count = collection.GetFamilyCount();
  std::vector<gdip::FontFamily> families;
  ASSERT_GT(count, 0);
  ASSERT_EQ(collection.GetFamilies(count + 2, families), count);
  ASSERT_EQ(families.size(), size_t(count + 2));
  EXPECT_FALSE(families[0].GetName().empty());
  for (int i = 0; i < count; ++i) EXPECT_NE(families[size_t(i)].GetNativeObject(), nullptr) << i;
  EXPECT_TRUE(!families[size_t(count)].GetNativeObject() && !families.back().GetNativeObject());
  // Each place holds the family the collection lists there, not the first one again.
  std::vector<Gdiplus::GpFontFamily*> listed(static_cast<size_t>(count));
  INT listedCount = 0;
  ASSERT_EQ(Gdiplus::DllExports::GdipGetFontCollectionFamilyList(installed, count, listed.data(), &listedCount),
            Gdiplus::Ok);
  ASSERT_EQ(listedCount, count);
  std::set<std::wstring> names;
  for (int i = 0; i < count; ++i) {
    std::array<wchar_t, LF_FACESIZE> name = {};
    ASSERT_EQ(Gdiplus::DllExports::GdipGetFamilyName(listed[size_t(i)], name.data(), 0), Gdiplus::Ok);
    EXPECT_EQ(families[size_t(i)].GetNameW(), name) << i;
    names.insert(name.data());
  }
  EXPECT_GT(names.size(), 1u) << "a collection of one family cannot tell its places apart";
  families.resize(1);  // each family is its own copy: the collection stays whole
  EXPECT_EQ(collection.GetFamilyCount(), count);
  // A list with more room than asked for is replaced by as many as were asked for.
  std::vector<gdip::FontFamily> roomy(5);
  EXPECT_EQ(collection.GetFamilies(1, roomy), 1);
  ASSERT_EQ(roomy.size(), 1u);
  EXPECT_EQ(roomy[0].GetName(), families[0].GetName());
  gdip::FontCollection& same = collection;
  collection = std::move(same);  // onto itself: it keeps the collection
  EXPECT_EQ(collection.GetNativeObject(), installed);
  EXPECT_EQ(collection.GetFamilyCount(), count);
  EXPECT_REFUSED(collection.GetFamilies(0, families) == 0);
  // More than memory holds: refused, the list as it was, and the program goes on.
  gdip::NativeHandle kept = families[0].GetNativeObject();
  EXPECT_OUT_OF_MEMORY(collection.GetFamilies(INT_MAX, families) == 0);
  ASSERT_EQ(families.size(), 1u);
  EXPECT_EQ(families[0].GetNativeObject(), kept);
  static_assert(!std::is_copy_constructible_v<gdip::FontCollection>);
  EXPECT_REFUSED(empty.GetFamilyCount() == 0);  // an empty collection finds nothing
  EXPECT_EQ(empty.GetFamilies(3, families), 0);
  EXPECT_EQ(families.size(), 1u);
}

TEST_F(GdipText, TabStopsRoundTripAndAFailedFetchLeavesTheArguments) {
  gdip::StringFormat empty;
  const float stops[] = {10, 20, 35};
  ASSERT_TRUE(format.SetTabStops(5, stops));
  float first = -1;
  std::vector<float> read = {99};
  ASSERT_EQ(format.GetTabStops(first, read), 3);
  EXPECT_FLOAT_EQ(first, 5);
  EXPECT_EQ(read, (std::vector<float>{10, 20, 35}));
  first = 42;
  read = {1, 2};
  EXPECT_EQ(empty.GetTabStops(first, read), 0);
  EXPECT_FLOAT_EQ(first, 42);
  EXPECT_EQ(read, (std::vector<float>{1, 2}));
}

TEST_F(GdipText, AFetchOfNoTabStopsEmptiesTheList) {
  float first = 42;
  std::vector<float> read = {1, 2};
  EXPECT_EQ(format.GetTabStops(first, read), 0);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_TRUE(read.empty());
}

TEST_F(GdipText, ChineseTextIsMeasuredAlikeFromGbkAndUtf16AndDrawnInsideItsBox) {
  gdip::RectF box, wideBox, layout{20, 10, 160, 40};
  ASSERT_TRUE(canvas.graphics.MeasureString(kChinese, font, std::nullopt, nullptr, box));
  EXPECT_TRUE(box.width >= 36 && box.width <= 60) << box.width;  // about two characters
  EXPECT_TRUE(box.height >= 18 && box.height <= 40) << box.height;
  ASSERT_TRUE(canvas.graphics.MeasureStringSimple(L"\u4E2D\u6587", font, std::nullopt, nullptr, wideBox));
  EXPECT_EQ(wideBox, box);
  ASSERT_TRUE(canvas.graphics.MeasureString(kChinese, font, layout, nullptr, box));
  ASSERT_TRUE(canvas.graphics.DrawString(kChinese, font, black, layout));
  int right = int(box.x + box.width) + 2, bottom = int(box.y + box.height) + 2;
  EXPECT_GT(DarkPixels(int(box.x), int(box.y), right, bottom), 40);
  EXPECT_EQ(DarkPixels(0, 0, 200, 8), 0);            // above the layout
  EXPECT_EQ(DarkPixels(right + 2, 0, 200, 60), 0);  // right of the text
  // Too narrow for both characters: two lines, or one in a format that does not wrap.
  gdip::StringFormat oneLine;
  gdip::RectF narrow{20, 10, 30, 60}, kept, wideKept;
  ASSERT_TRUE(oneLine.Create(Gdiplus::StringFormatFlagsNoWrap));
  ASSERT_TRUE(canvas.graphics.MeasureString(kChinese, font, narrow, nullptr, box) &&
              canvas.graphics.MeasureString(kChinese, font, narrow, &oneLine, kept) &&
              canvas.graphics.MeasureStringSimple(L"\u4E2D\u6587", font, narrow, &oneLine, wideKept));
  EXPECT_GT(box.height, 1.5f * kept.height) << kept.height;
  EXPECT_EQ(wideKept, kept);
}

TEST_F(GdipText, CharacterRangesGiveOneRegionPerRangeAndABadCountKeepsTheCallersRegions) {
  const gdip::CharacterRange ranges[] = {{0, 1}, {1, 1}};
  ASSERT_TRUE(format.SetMeasurableCharacterRanges(ranges));
  std::vector<gdip::Region> regions(1);
  ASSERT_TRUE(regions[0].Create());
  gdip::NativeHandle held = regions[0].GetNativeObject();
  EXPECT_REFUSED(!canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 0, regions));
  // Fewer regions than the format has ranges: GDI+ refuses.
  EXPECT_FALSE(canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 1, regions));
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].GetNativeObject(), held);
  // The count decides, not the room of the caller's list.
  std::vector<gdip::Region> roomy(3);
  EXPECT_FALSE(canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 1, roomy));
  EXPECT_EQ(roomy.size(), 3u);
  {
    // More regions than the format has ranges, or than memory holds: refused before any is made.
    NativeObjectsBalance unchanged;
    EXPECT_REFUSED(!canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 3, regions));
    EXPECT_REFUSED(!canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, INT_MAX, regions));
  }
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].GetNativeObject(), held);
  roomy.resize(5);
  EXPECT_TRUE(canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 2, roomy));
  EXPECT_EQ(roomy.size(), 2u);
  EXPECT_TRUE(canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 2, regions));
  ASSERT_EQ(regions.size(), 2u);
  gdip::RectF first = regions[0].GetBounds(canvas.graphics), second = regions[1].GetBounds(canvas.graphics);
  EXPECT_GT(first.width, 10);
  EXPECT_GE(second.x, first.x + first.width - 1);
  gdip::PointF centre{first.x + first.width / 2, first.y + first.height / 2};
  EXPECT_TRUE(regions[0].IsVisiblePoint(centre) && !regions[1].IsVisiblePoint(centre));
}

TEST_F(GdipText, ADriverStringNeedsAPositionPerCharacterAndAnOutlineLandsInItsLayout) {
  const gdip::PointF one[] = {{20, 30}};
  EXPECT_REFUSED(!canvas.graphics.DrawDriverString(kChinese, font, black, one));
  EXPECT_EQ(DarkPixels(0, 0, 200, 60), 0);
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create() && path.AddString("\xD6\xD0", songti, 40, {10, 10, 200, 100}, 0, format));  // 中
  EXPECT_GT(path.GetPointCount2(), 10);
  gdip::RectF bounds = path.GetWorldBounds();
  EXPECT_TRUE(bounds.x >= 10 && bounds.y >= 10 && bounds.x + bounds.width <= 60 && bounds.height > 20);
}
