// Fonts made every way the library offers (from a family, a wide name, font
// descriptions, a device context's font, the stock font), what they report
// of their size, style, unit and height, and their families' metrics.
#include <cwchar>
#include <functional>
#include <set>

#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

namespace {

// The style bits a font was asked for. Wine reports every font of the
// WenQuanYi faces that stand in for 宋体 as bold (their weight is medium).
int AskedStyle(const gdip::Font& font) { return font.GetStyle() & ~Gdiplus::FontStyleBold; }

class Fonts : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(songti.CreateFromName(kSongti)); }
  gdip::FontFamily songti;
  Canvas canvas{40, 20};
};

}  // namespace

TEST_F(Fonts, FromAFamilyOrAWideNameKeepSizeStyleAndUnit) {
  gdip::Font font, named;
  ASSERT_TRUE(font.CreateFromFamily(songti, 12.5f, Gdiplus::FontStyleBold | Gdiplus::FontStyleUnderline,
                                    Gdiplus::UnitPoint));
  EXPECT_EQ(font.NativeFont(), font.GetNativeObject());
  EXPECT_FLOAT_EQ(font.GetSize(), 12.5f);
  EXPECT_EQ(font.GetStyle(), Gdiplus::FontStyleBold | Gdiplus::FontStyleUnderline);  // bold asked for
  EXPECT_EQ(font.GetUnit(), Gdiplus::UnitPoint);
  {
    NativeObjectsBalance balance(1);  // the font alone: its family was released again
    ASSERT_TRUE(named.CreateFromNameW(L"\u5B8B\u4F53", 10.5f, Gdiplus::FontStyleItalic, Gdiplus::UnitPixel));
  }
  EXPECT_FLOAT_EQ(named.GetSize(), 10.5f);
  EXPECT_EQ(AskedStyle(named), Gdiplus::FontStyleItalic);
  EXPECT_EQ(named.GetUnit(), Gdiplus::UnitPixel);
  gdip::FontFamily family;
  ASSERT_TRUE(named.GetFamily(family));
  EXPECT_EQ(family.GetName(), songti.GetName());

  NativeObjectsBalance balance(-2);  // failed creators empty the fonts
  EXPECT_FALSE(font.CreateFromFamily(gdip::FontFamily(), 9));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_FALSE(named.CreateFromNameW(L"No Such Face 12345", 9));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::FontFamilyNotFound);
  EXPECT_REFUSED(font.GetUnit() == 0);
}

TEST_F(Fonts, AStyleAndUnitLeftOutAreRegularAndWorld) {
  gdip::Font fromFamily, fromName, fromWideName;
  ASSERT_TRUE(fromFamily.CreateFromFamily(songti, 12) && fromName.CreateFromName(kSongti, 12) &&
              fromWideName.CreateFromNameW(L"\u5B8B\u4F53", 12));
  for (const gdip::Font* font : {&fromFamily, &fromName, &fromWideName}) {
    EXPECT_EQ(AskedStyle(*font), Gdiplus::FontStyleRegular);
    EXPECT_EQ(font->GetUnit(), Gdiplus::UnitWorld);
  }
}

TEST_F(Fonts, FromDescriptionsOrTheDeviceContextsFont) {
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  platform::GdiFont selected(CreateFontW(-22, 0, 0, 0, FW_NORMAL, FALSE, FALSE, TRUE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                         L"SimSun"));
  platform::SelectScope select(dc.get(), selected.get());
  LOGFONTW wide = {};
  wide.lfHeight = -18;
  wide.lfItalic = TRUE;
  wcscpy(wide.lfFaceName, L"\u5B8B\u4F53");
  LOGFONTA ansi = {};
  ansi.lfHeight = -14;
  ansi.lfUnderline = TRUE;
  strcpy(ansi.lfFaceName, "SimSun");
  gdip::Font font;
  const struct {
    const char* how;
    std::function<bool()> create;
    float size;
    int style;
  } creators[] = {
      {"LOGFONTW", [&] { return font.CreateFromLogfontW(dc.get(), &wide); }, 18, Gdiplus::FontStyleItalic},
      {"LOGFONTA", [&] { return font.CreateFromHDCorLogfont(dc.get(), &ansi); }, 14, Gdiplus::FontStyleUnderline},
      {"DC", [&] { return font.CreateFromDC(dc.get()); }, 22, Gdiplus::FontStyleStrikeout},
      {"no LOGFONTW", [&] { return font.CreateFromLogfontW(dc.get()); }, 22, Gdiplus::FontStyleStrikeout},
      {"no LOGFONTA", [&] { return font.CreateFromHDCorLogfont(dc.get()); }, 22, Gdiplus::FontStyleStrikeout},
  };
  for (const auto& each : creators) {
    SCOPED_TRACE(each.how);
    ASSERT_TRUE(each.create());
    // Wine takes the size from the face's rounded cell metrics: at some
    // heights a pixel short.
    EXPECT_NEAR(font.GetSize(), each.size, 1);
    EXPECT_EQ(AskedStyle(font), each.style);
    EXPECT_EQ(font.GetUnit(), Gdiplus::UnitWorld);
    gdip::FontFamily family;
    ASSERT_TRUE(font.GetFamily(family));
    EXPECT_EQ(family.GetName(), songti.GetName());
  }
  NativeObjectsBalance balance(-1);
  EXPECT_FALSE(font.CreateFromDC(nullptr));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(font.GetNativeObject(), nullptr);
}

TEST_F(Fonts, TheStockFontIsTheDefaultGuiFontAndADescriptionIsReadBackInAnsi) {
  LOGFONTW stock = {}, read = {};
  ASSERT_TRUE(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock));
  gdip::Font font;
  ASSERT_TRUE(font.CreateFromName(kSongti, 9));
  if (font.CreateFromStockFont()) {
    ASSERT_TRUE(font.GetLogFontW(&canvas.graphics, read));
    EXPECT_EQ(std::wstring(read.lfFaceName), std::wstring(stock.lfFaceName));
    EXPECT_EQ(read.lfHeight, stock.lfHeight);
  } else {
    // Wine's stock font is "MS Shell Dlg", which stands for Wine's own
    // Tahoma: no TrueType face to Wine's GDI+.
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::NotTrueTypeFont);
    EXPECT_EQ(font.GetNativeObject(), nullptr);
  }

  gdip::Font italic;
  LOGFONTA ansi = {};
  ASSERT_TRUE(italic.CreateFromName("SimSun", 16, Gdiplus::FontStyleItalic | Gdiplus::FontStyleUnderline,
                                    Gdiplus::UnitPixel));
  ASSERT_TRUE(italic.GetLogFontA(canvas.graphics, ansi));
  EXPECT_EQ(ansi.lfHeight, -16);
  EXPECT_TRUE(ansi.lfItalic && ansi.lfUnderline && !ansi.lfStrikeOut);
  EXPECT_EQ(gdip::AnsiToWide(ansi.lfFaceName), std::wstring(songti.GetNameW().data()));
  gdip::Graphics none;
  EXPECT_FALSE(italic.GetLogFontA(none, ansi));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TEST_F(Fonts, AHeightIsTheLineSpacingAtTheSizeAndTheResolution) {
  gdip::Font points;
  ASSERT_TRUE(points.CreateFromFamily(songti, 12, 0, Gdiplus::UnitPoint));
  float lineSpacing = float(songti.GetLineSpacing(0)) / float(songti.GetEmHeight(0));
  EXPECT_NEAR(points.GetHeightGivenDPI(96), 12 * lineSpacing * 96 / 72, 0.01);
  EXPECT_NEAR(points.GetHeightGivenDPI(144.5f), 12 * lineSpacing * 144.5f / 72, 0.01);
  // In the graphics' unit; without a graphics in pixels of the screen.
  ASSERT_TRUE(canvas.graphics.SetPageUnit(Gdiplus::UnitPoint));
  EXPECT_NEAR(points.GetHeight(&canvas.graphics), 12 * lineSpacing, 0.01);
  EXPECT_NEAR(points.GetHeight(), 12 * lineSpacing * 96 / 72, 0.01);
  EXPECT_REFUSED(gdip::Font().GetHeightGivenDPI(96) == 0);
  EXPECT_REFUSED(gdip::Font().GetHeight(&canvas.graphics) == 0);
}

TEST_F(Fonts, FamilyMetricsAreTheFacesDesignUnits) {
  int em = songti.GetEmHeight(Gdiplus::FontStyleRegular);
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  std::array<wchar_t, LF_FACESIZE> name = songti.GetNameW();
  platform::GdiFont atEm(CreateFontW(-em, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                     name.data()));
  platform::SelectScope select(dc.get(), atEm.get());
  TEXTMETRICW metrics = {};
  ASSERT_TRUE(GetTextMetricsW(dc.get(), &metrics));
  EXPECT_EQ(songti.GetCellAscent(Gdiplus::FontStyleRegular), metrics.tmAscent);
  EXPECT_EQ(songti.GetCellDescent(Gdiplus::FontStyleRegular), metrics.tmDescent);
  EXPECT_GE(songti.GetLineSpacing(Gdiplus::FontStyleRegular), metrics.tmAscent + metrics.tmDescent);
  // Wine offers the WenQuanYi face as it is, without a bold or italic cut.
  EXPECT_TRUE(songti.IsStyleAvailable(Gdiplus::FontStyleRegular));
  EXPECT_FALSE(songti.IsStyleAvailable(Gdiplus::FontStyleBold));
  gdip::FontFamily empty;
  EXPECT_REFUSED(empty.GetCellAscent(0) == 0);
  EXPECT_REFUSED(empty.GetCellDescent(0) == 0);
  EXPECT_REFUSED(empty.GetLineSpacing(0) == 0);
  EXPECT_REFUSED(!empty.IsStyleAvailable(0));
  EXPECT_REFUSED(empty.GetNameW() == (std::array<wchar_t, LF_FACESIZE>{}));
  EXPECT_REFUSED(empty.GetName().empty());
}

TEST_F(Fonts, TheGenericFamiliesAreThreeDifferentFacesOrNone) {
  gdip::FontFamily sans, serif, mono;
  const struct {
    gdip::FontFamily& family;
    bool (gdip::FontFamily::*get)();
  } generics[] = {{sans, &gdip::FontFamily::GetGenericSansSerif},
                  {serif, &gdip::FontFamily::GetGenericSerif},
                  {mono, &gdip::FontFamily::GetGenericMonospace}};
  std::set<std::string> names;
  for (const auto& generic : generics) {
    ASSERT_TRUE(generic.family.CreateFromName(kSongti));
    if ((generic.family.*generic.get)()) {
      EXPECT_TRUE(names.insert(generic.family.GetName()).second) << generic.family.GetName();
      EXPECT_EQ(generic.family.NativeFamily(), generic.family.GetNativeObject());
    } else {
      // Wine looks for Microsoft Sans Serif (or Tahoma), Times New Roman and
      // Courier New, which the test prefix lacks.
      EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::FontFamilyNotFound);
      EXPECT_EQ(generic.family.GetNativeObject(), nullptr);
    }
  }
  EXPECT_EQ(names.count(""), 0u);
}

TEST_F(Fonts, TypedHandlesAdoptWhatTheyAreGiven) {
  Gdiplus::GpFontCollection* installed = nullptr;  // the system's own, never deleted
  ASSERT_EQ(Gdiplus::DllExports::GdipNewInstalledFontCollection(&installed), Gdiplus::Ok);
  gdip::FontCollection collection;
  collection.SetNativeCollection(installed);
  EXPECT_EQ(collection.NativeCollection(), installed);
  gdip::FontFamily family, found;
  gdip::Font font;
  ASSERT_TRUE(found.CreateFromName(kSongti, &collection) && family.CreateFromName("WenQuanYi Zen Hei Mono"));
  EXPECT_EQ(found.GetName(), songti.GetName());
  NativeObjectsBalance balance(1);
  Gdiplus::GpFontFamily* clone = nullptr;
  Gdiplus::GpFont* made = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipCloneFontFamily(songti.NativeFamily(), &clone), Gdiplus::Ok);
  family.SetNativeFamily(clone);  // the family held before is released
  EXPECT_EQ(family.NativeFamily(), clone);
  ASSERT_EQ(Gdiplus::DllExports::GdipCreateFont(clone, 11, 0, Gdiplus::UnitPixel, &made), Gdiplus::Ok);
  font.SetNativeFont(made);
  EXPECT_EQ(font.NativeFont(), made);
  EXPECT_FLOAT_EQ(font.GetSize(), 11);
}
