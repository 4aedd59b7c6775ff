// String formats: creators, every getter against its setter, tab stops,
// digit substitution and measurable character ranges.
#include "gdip/string_format.h"

#include <gtest/gtest.h>

namespace gdip = korvath::gdip;

TEST(StringFormat, CreateWithoutArgumentsHasNoFlags) {
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  EXPECT_EQ(format.GetFlags(), 0);
  EXPECT_EQ(format.GetAlign(), int(Gdiplus::StringAlignmentNear));
  EXPECT_EQ(format.GetLineAlign(), int(Gdiplus::StringAlignmentNear));
  EXPECT_EQ(format.GetHotkeyPrefix(), int(Gdiplus::HotkeyPrefixNone));
  gdip::StringFormat flagged;
  ASSERT_TRUE(flagged.Create(Gdiplus::StringFormatFlagsNoWrap));
  EXPECT_EQ(flagged.GetFlags(), int(Gdiplus::StringFormatFlagsNoWrap));
}

TEST(StringFormat, SettersAndGetters) {
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  const int flags = Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip;
  ASSERT_TRUE(format.SetFlags(flags));
  EXPECT_EQ(format.GetFlags(), flags);
  ASSERT_TRUE(format.SetAlign(Gdiplus::StringAlignmentCenter));
  EXPECT_EQ(format.GetAlign(), int(Gdiplus::StringAlignmentCenter));
  ASSERT_TRUE(format.SetLineAlign(Gdiplus::StringAlignmentFar));
  EXPECT_EQ(format.GetLineAlign(), int(Gdiplus::StringAlignmentFar));
  ASSERT_TRUE(format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter));
  EXPECT_EQ(format.GetTrimming(), int(Gdiplus::StringTrimmingEllipsisCharacter));
  ASSERT_TRUE(format.SetHotkeyPrefix(Gdiplus::HotkeyPrefixHide));
  EXPECT_EQ(format.GetHotkeyPrefix(), int(Gdiplus::HotkeyPrefixHide));
}

TEST(StringFormat, TabStopsRoundTripAndAFailedFetchLeavesTheArguments) {
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  const float stops[] = {10, 20, 35};
  ASSERT_TRUE(format.SetTabStops(5, stops));
  float first = -1;
  std::vector<float> read = {99};
  ASSERT_EQ(format.GetTabStops(first, read), 3);
  EXPECT_FLOAT_EQ(first, 5);
  EXPECT_EQ(read, (std::vector<float>{10, 20, 35}));

  gdip::StringFormat none;
  ASSERT_TRUE(none.Create());
  EXPECT_EQ(none.GetTabStops(first, read), 0);
  EXPECT_TRUE(read.empty());

  gdip::StringFormat empty;
  first = 42;
  read = {1, 2};
  EXPECT_EQ(empty.GetTabStops(first, read), 0);
  EXPECT_FLOAT_EQ(first, 42);
  EXPECT_EQ(read, (std::vector<float>{1, 2}));
}

TEST(StringFormat, DigitSubstitution) {
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  ASSERT_TRUE(format.SetDigitSubstitution(Gdiplus::StringDigitSubstituteNone));
  int substitution = -1;
  int language = -1;
  ASSERT_TRUE(format.GetDigitSubstitution(substitution, &language));
  EXPECT_EQ(substitution, int(Gdiplus::StringDigitSubstituteNone));
  EXPECT_EQ(language, 0);
  ASSERT_TRUE(format.SetDigitSubstitution(Gdiplus::StringDigitSubstituteNational, 0x0804));
  ASSERT_TRUE(format.GetDigitSubstitution(substitution));
  EXPECT_EQ(substitution, int(Gdiplus::StringDigitSubstituteNational));
}

TEST(StringFormat, MeasurableCharacterRanges) {
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  const gdip::CharacterRange ranges[] = {{0, 2}, {5, 1}};
  ASSERT_TRUE(format.SetMeasurableCharacterRanges(ranges));
  EXPECT_EQ(format.GetMeasurableCharacterRangeCount(), 2);
  ASSERT_TRUE(format.SetMeasurableCharacterRanges({}));
  EXPECT_EQ(format.GetMeasurableCharacterRangeCount(), 0);
}

TEST(StringFormat, GenericFormatsAndClones) {
  gdip::StringFormat typographic;
  ASSERT_TRUE(typographic.GenericTypographic());
  EXPECT_TRUE(typographic.GetFlags() & Gdiplus::StringFormatFlagsNoClip);
  gdip::StringFormat generic;
  ASSERT_TRUE(generic.GenericDefault());
  EXPECT_EQ(generic.GetFlags(), 0);

  gdip::StringFormat clone;
  ASSERT_TRUE(typographic.Clone(clone));
  EXPECT_NE(clone.GetNativeObject(), typographic.GetNativeObject());
  ASSERT_TRUE(clone.SetAlign(Gdiplus::StringAlignmentFar));
  EXPECT_EQ(typographic.GetAlign(), int(Gdiplus::StringAlignmentNear));
}
