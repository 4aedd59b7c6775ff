// Font families found by Chinese face names, fonts made from them and from
// font descriptions, and the families of a collection.
#include "gdip/font.h"

#include <gtest/gtest.h>

#include "gdip/bitmap.h"
#include "gdip/font_collection.h"
#include "gdip/font_family.h"
#include "platform/gdi_object.h"
#include "tests/gdip/gdipa_test_support.h"

namespace gdip = korvath::gdip;

namespace {

const std::string kSongti = "\xCB\xCE\xCC\xE5";  // 宋体 in GBK

class FontTest : public testing::Test {
 protected:
  FontTest() {
    EXPECT_TRUE(surface_.CreateWithFormat(10, 10));
    graphics_ = std::make_unique<gdiptest::TestGraphics>(surface_);
  }
  const gdiptest::TestGraphics& graphics() const { return *graphics_; }

 private:
  gdip::Bitmap surface_;
  std::unique_ptr<gdiptest::TestGraphics> graphics_;
};

// The installed fonts' collection: owned by GDI+, never deleted.
Gdiplus::GpFontCollection* InstalledFonts() {
  Gdiplus::GpFontCollection* collection = nullptr;
  EXPECT_EQ(Gdiplus::DllExports::GdipNewInstalledFontCollection(&collection), Gdiplus::Ok);
  return collection;
}

}  // namespace

TEST_F(FontTest, TheChineseFaceIsFoundByItsGbkName) {
  gdip::FontFamily family;
  ASSERT_TRUE(family.CreateFromName(kSongti));
  std::string name = family.GetName();
  EXPECT_FALSE(name.empty());
  std::array<wchar_t, LF_FACESIZE> wide = family.GetNameW();
  EXPECT_EQ(gdip::AnsiToWide(name), std::wstring(wide.data()));
  EXPECT_TRUE(family.IsStyleAvailable(0));
  EXPECT_GT(family.GetEmHeight(0), 0);
  EXPECT_GT(family.GetCellAscent(0), 0);
  EXPECT_GT(family.GetCellDescent(0), 0);
  EXPECT_GE(family.GetLineSpacing(0), family.GetCellAscent(0));

  gdip::FontFamily simsun;
  ASSERT_TRUE(simsun.CreateFromName("SimSun"));
  gdip::FontFamily byWideName;
  ASSERT_TRUE(byWideName.CreateFromNameInCollection(L"\u5B8B\u4F53"));
  EXPECT_EQ(byWideName.GetName(), name);
}

TEST_F(FontTest, AnUnknownFaceLeavesTheFamilyAndTheFontEmpty) {
  gdip::FontFamily family;
  EXPECT_FALSE(family.CreateFromName("No Such Face 12345"));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::FontFamilyNotFound);
  EXPECT_EQ(family.GetNativeObject(), nullptr);
  EXPECT_EQ(family.GetName(), "");
  std::array<wchar_t, LF_FACESIZE> zeros = {};
  EXPECT_EQ(family.GetNameW(), zeros);

  gdip::Font font;
  EXPECT_FALSE(font.CreateFromName("No Such Face 12345", 9));
  EXPECT_EQ(font.GetNativeObject(), nullptr);
}

TEST_F(FontTest, GenericFamiliesAreFoundOrLeaveTheObjectEmpty) {
  // Which generic faces exist depends on the fonts installed.
  gdip::FontFamily families[3];
  bool found[3] = {families[0].GetGenericSansSerif(), families[1].GetGenericSerif(),
                   families[2].GetGenericMonospace()};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(found[i], families[i].GetNativeObject() != nullptr) << i;
    EXPECT_EQ(found[i], !families[i].GetName().empty()) << i;
  }
}

TEST_F(FontTest, AFamilyCloneLivesOnItsOwn) {
  gdip::FontFamily family;
  ASSERT_TRUE(family.CreateFromName("SimSun"));
  std::string name = family.GetName();
  gdip::FontFamily clone;
  ASSERT_TRUE(family.Clone(clone));
  EXPECT_EQ(clone.GetName(), name);
  EXPECT_TRUE(family.Delete());
  EXPECT_EQ(clone.GetName(), name);
  EXPECT_GT(clone.GetEmHeight(0), 0);
}

TEST_F(FontTest, FontFromNameWithStyleAndSize) {
  gdip::Font font;
  ASSERT_TRUE(font.CreateFromName(kSongti, 9, Gdiplus::FontStyleBold, Gdiplus::UnitPoint));
  EXPECT_TRUE(font.GetStyle() & Gdiplus::FontStyleBold);
  EXPECT_FALSE(font.GetStyle() & Gdiplus::FontStyleItalic);
  EXPECT_FLOAT_EQ(font.GetSize(), 9);
  EXPECT_EQ(font.GetUnit(), int(Gdiplus::UnitPoint));
  EXPECT_GT(font.GetHeight(&graphics()), 0);
  EXPECT_GT(font.GetHeightGivenDPI(96), 0);

  gdip::FontFamily family;
  ASSERT_TRUE(font.GetFamily(family));
  gdip::FontFamily songti;
  ASSERT_TRUE(songti.CreateFromName(kSongti));
  EXPECT_EQ(family.GetName(), songti.GetName());

  gdip::Font pixels;
  ASSERT_TRUE(pixels.CreateFromFamily(songti, 12, Gdiplus::FontStyleUnderline, Gdiplus::UnitPixel));
  EXPECT_TRUE(pixels.GetStyle() & Gdiplus::FontStyleUnderline);
  EXPECT_FALSE(pixels.GetStyle() & Gdiplus::FontStyleItalic);
  EXPECT_NEAR(pixels.GetHeight(&graphics()), 12 * float(songti.GetLineSpacing(0)) / songti.GetEmHeight(0), 0.5);

  gdip::Font clone;
  ASSERT_TRUE(font.Clone(clone));
  EXPECT_NE(clone.GetNativeObject(), font.GetNativeObject());
  EXPECT_FLOAT_EQ(clone.GetSize(), 9);
}

TEST_F(FontTest, FontDescriptionsRoundTrip) {
  gdip::Font font;
  ASSERT_TRUE(font.CreateFromName(kSongti, 16, Gdiplus::FontStyleItalic, Gdiplus::UnitPixel));
  LOGFONTW description = {};
  ASSERT_TRUE(font.GetLogFontW(&graphics(), description));
  EXPECT_EQ(description.lfHeight, -16);
  EXPECT_TRUE(description.lfItalic);
  gdip::FontFamily family;
  ASSERT_TRUE(font.GetFamily(family));
  EXPECT_EQ(std::wstring(description.lfFaceName), std::wstring(family.GetNameW().data()));

  gdip::Bitmap surface;
  ASSERT_TRUE(surface.CreateWithFormat(4, 4));
  HDC dc = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipGetDC(graphics().get(), &dc), Gdiplus::Ok);
  gdip::Font fromDescription;
  bool made = fromDescription.CreateFromLogfontW(dc, &description);
  Gdiplus::DllExports::GdipReleaseDC(graphics().get(), dc);
  ASSERT_TRUE(made);
  EXPECT_TRUE(fromDescription.GetStyle() & Gdiplus::FontStyleItalic);
  EXPECT_FALSE(fromDescription.GetStyle() & Gdiplus::FontStyleStrikeout);
  gdip::FontFamily again;
  ASSERT_TRUE(fromDescription.GetFamily(again));
  EXPECT_EQ(again.GetName(), family.GetName());

  LOGFONTA narrow = {};
  EXPECT_TRUE(font.GetLogFontA(graphics(), narrow));
  EXPECT_EQ(narrow.lfHeight, -16);
}

TEST_F(FontTest, StockFontIsTheDefaultGuiFontWhenItIsOutlined) {
  // GDI+ takes outline fonts only; under Wine the default GUI face may
  // have none, and then the font stays empty.
  gdip::Font font;
  if (font.CreateFromStockFont()) {
    EXPECT_GT(font.GetSize(), 0);
    gdip::FontFamily family;
    ASSERT_TRUE(font.GetFamily(family));
    EXPECT_FALSE(family.GetName().empty());
  } else {
    EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
    EXPECT_EQ(font.GetNativeObject(), nullptr);
  }
}

TEST(FontCollection, CountsAndHandsOutTheInstalledFamilies) {
  gdip::FontCollection collection;
  collection.SetNativeCollection(InstalledFonts());
  int count = collection.GetFamilyCount();
  ASSERT_GT(count, 0);

  std::vector<gdip::FontFamily> families;
  ASSERT_EQ(collection.GetFamilies(count + 2, families), count);
  ASSERT_EQ(families.size(), size_t(count + 2));
  EXPECT_FALSE(families[0].GetName().empty());
  EXPECT_NE(families[0].GetNativeObject(), nullptr);
  EXPECT_EQ(families[size_t(count)].GetNativeObject(), nullptr);
  EXPECT_EQ(families[size_t(count) + 1].GetNativeObject(), nullptr);
  // Each family is its own copy: releasing them leaves the collection whole.
  families.clear();
  EXPECT_EQ(collection.GetFamilyCount(), count);
  std::vector<gdip::FontFamily> again;
  EXPECT_EQ(collection.GetFamilies(1, again), 1);
}

TEST(FontCollection, ACountBelowOneIsRefusedAndAnEmptyCollectionFindsNothing) {
  gdip::FontCollection collection;
  collection.SetNativeCollection(InstalledFonts());
  std::vector<gdip::FontFamily> families(1);
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_EQ(collection.GetFamilies(0, families), 0);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(families.size(), 1u);

  gdip::FontCollection empty;
  EXPECT_EQ(empty.GetFamilyCount(), 0);
  EXPECT_EQ(empty.GetFamilies(3, families), 0);
  EXPECT_EQ(families.size(), 1u);

  // An empty collection given to a family creator means the installed fonts.
  gdip::FontFamily family;
  EXPECT_TRUE(family.CreateFromName(kSongti, &empty));
}

TEST_F(FontTest, FontFromAGdiFontKeepsItsChineseFace) {
  LOGFONTW description = {};
  description.lfHeight = -20;
  description.lfCharSet = GB2312_CHARSET;
  wcscpy(description.lfFaceName, L"\u5B8B\u4F53");
  korvath::platform::GdiFont gdiFont(CreateFontIndirectW(&description));
  ASSERT_TRUE(gdiFont);
  gdip::FontFamily songti;
  ASSERT_TRUE(songti.CreateFromName(kSongti));

  korvath::platform::MemoryDC dc = korvath::platform::MemoryDC::CompatibleWith(nullptr);
  gdip::Font font;
  ASSERT_TRUE(font.CreateFromHFONT(dc.get(), gdiFont.get()));
  gdip::FontFamily family;
  ASSERT_TRUE(font.GetFamily(family));
  EXPECT_EQ(family.GetName(), songti.GetName());

  // Without a font handle the device context's own font is taken.
  korvath::platform::SelectScope selected(dc.get(), gdiFont.get());
  gdip::Font fromDC;
  ASSERT_TRUE(fromDC.CreateFromHFONT(dc.get(), nullptr));
  gdip::FontFamily dcFamily;
  ASSERT_TRUE(fromDC.GetFamily(dcFamily));
  EXPECT_EQ(dcFamily.GetName(), songti.GetName());
}
