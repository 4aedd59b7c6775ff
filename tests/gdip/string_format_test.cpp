// String formats: the two generic ones, every setting read back, and the
// refusals of a format that holds nothing.
#include <functional>

#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

TEST(StringFormats, TheGenericFormatsDifferInTheirFlagsAndTrimming) {
  gdip::StringFormat standard, typographic;
  ASSERT_TRUE(standard.GenericDefault() && typographic.GenericTypographic());
  EXPECT_EQ(standard.GetFlags(), 0);
  EXPECT_EQ(standard.GetTrimming(), Gdiplus::StringTrimmingCharacter);
  EXPECT_EQ(typographic.GetFlags(), Gdiplus::StringFormatFlagsNoFitBlackBox | Gdiplus::StringFormatFlagsLineLimit |
                                        Gdiplus::StringFormatFlagsNoClip);
  EXPECT_EQ(typographic.GetTrimming(), Gdiplus::StringTrimmingNone);
  for (const gdip::StringFormat* format : {&standard, &typographic}) {
    EXPECT_EQ(format->GetAlign(), Gdiplus::StringAlignmentNear);
    EXPECT_EQ(format->GetHotkeyPrefix(), Gdiplus::HotkeyPrefixNone);
  }
}

TEST(StringFormats, EachSettingIsReadBackAndAFormatThatHoldsNothingRefusesIt) {
  using Format = gdip::StringFormat;
  const gdip::CharacterRange ranges[] = {{0, 2}, {3, 1}, {5, 4}};
  const struct {
    const char* name;
    std::function<bool(Format&)> set;
    std::function<int(const Format&)> get;
    int value;
  } settings[] = {
      {"flags", [](Format& f) { return f.SetFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsDirectionVertical); },
       [](const Format& f) { return f.GetFlags(); }, Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsDirectionVertical},
      {"align", [](Format& f) { return f.SetAlign(Gdiplus::StringAlignmentFar); },
       [](const Format& f) { return int(f.GetAlign()); }, Gdiplus::StringAlignmentFar},
      {"line align", [](Format& f) { return f.SetLineAlign(Gdiplus::StringAlignmentCenter); },
       [](const Format& f) { return int(f.GetLineAlign()); }, Gdiplus::StringAlignmentCenter},
      {"trimming", [](Format& f) { return f.SetTrimming(Gdiplus::StringTrimmingEllipsisWord); },
       [](const Format& f) { return int(f.GetTrimming()); }, Gdiplus::StringTrimmingEllipsisWord},
      {"hotkey prefix", [](Format& f) { return f.SetHotkeyPrefix(Gdiplus::HotkeyPrefixHide); },
       [](const Format& f) { return f.GetHotkeyPrefix(); }, Gdiplus::HotkeyPrefixHide},
      {"digit substitution", [](Format& f) { return f.SetDigitSubstitution(Gdiplus::StringDigitSubstituteNational); },
       [](const Format& f) {
         int substitution = 0, language = -1;
         return f.GetDigitSubstitution(substitution, &language) ? substitution * 0x10000 + language : 0;
       },
       Gdiplus::StringDigitSubstituteNational * 0x10000},
      {"digit substitution and language",
       [](Format& f) { return f.SetDigitSubstitution(Gdiplus::StringDigitSubstituteTraditional, 0x0401); },
       [](const Format& f) {
         int substitution = 0;
         return f.GetDigitSubstitution(substitution) ? substitution : 0;
       },
       Gdiplus::StringDigitSubstituteTraditional},
      {"character ranges", [&](Format& f) { return f.SetMeasurableCharacterRanges(ranges); },
       [](const Format& f) { return f.GetMeasurableCharacterRangeCount(); }, 3},
  };
  for (const auto& setting : settings) {
    SCOPED_TRACE(setting.name);
    Format format, empty;
    ASSERT_TRUE(format.Create());
    EXPECT_TRUE(setting.set(format));
    EXPECT_EQ(setting.get(format), setting.value);
    EXPECT_REFUSED(!setting.set(empty));
    EXPECT_REFUSED(setting.get(empty) == 0);
  }
  Format format;
  int substitution = 0, language = 0;
  ASSERT_TRUE(format.Create());
  EXPECT_EQ(format.GetFlags(), 0);  // no flags when none are given
  ASSERT_TRUE(format.SetDigitSubstitution(Gdiplus::StringDigitSubstituteNone, 0x0804));
  ASSERT_TRUE(format.GetDigitSubstitution(substitution, &language));
  EXPECT_EQ(substitution, Gdiplus::StringDigitSubstituteNone);
  EXPECT_EQ(language, 0x0804);
}

TEST(StringFormats, ATypedHandleIsAdopted) {
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  gdip::NativeHandle held = format.GetNativeObject();
  NativeObjectsBalance balance;
  Gdiplus::GpStringFormat* made = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipCreateStringFormat(Gdiplus::StringFormatFlagsNoClip, 0, &made), Gdiplus::Ok);
  format.SetNativeFormat(made);
  EXPECT_FALSE(IsLiveNative(held));
  EXPECT_EQ(format.NativeFormat(), made);
  EXPECT_EQ(format.GetFlags(), Gdiplus::StringFormatFlagsNoClip);
}
