// Encoding images into bytes: the encoder list, encoder parameters, and the
// road of the skin engine's cut pictures (PNG bytes that load back).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "gdip/bitmap.h"
#include "gdip/image.h"
#include "tests/gdip/gdipa_test_support.h"

namespace gdip = korvath::gdip;

namespace {

constexpr char kPngEncoder[] = "{557CF406-1A04-11D3-9A73-0000F81EF32E}";
constexpr char kJpegFormat[] = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
constexpr char kQualityCategory[] = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

gdip::EncoderParameters Quality(uint32_t quality, uint32_t numberOfValues = 1) {
  gdip::EncoderParameter parameter;
  parameter.category = kQualityCategory;
  parameter.numberOfValues = numberOfValues;
  parameter.type = 4;  // long
  parameter.value.resize(4);
  std::memcpy(parameter.value.data(), &quality, 4);
  return {{parameter}};
}

}  // namespace

TEST(ImageEncoders, TheListHoldsThePngEncoder) {
  std::vector<gdip::ImageCodecInfo> encoders;
  int count = gdip::Image::ListEncoders(encoders);
  ASSERT_GT(count, 0);
  ASSERT_EQ(encoders.size(), size_t(count));
  auto png = std::find_if(encoders.begin(), encoders.end(),
                          [](const gdip::ImageCodecInfo& e) { return e.formatId == gdip::kPngFormat; });
  ASSERT_NE(png, encoders.end());
  EXPECT_EQ(png->clsid, kPngEncoder);
  EXPECT_EQ(png->mimeType, "image/png");
  EXPECT_GT(png->sigCount, 0u);
  EXPECT_EQ(png->sigPattern.size(), size_t(png->sigCount) * png->sigSize);
  EXPECT_EQ(png->sigMask.size(), png->sigPattern.size());
}

TEST(ImageEncoders, FindEncoderClsidComparesTheFormatTextExactly) {
  EXPECT_EQ(gdip::Image::FindEncoderClsid(gdip::kPngFormat), kPngEncoder);
  EXPECT_EQ(gdip::Image::FindEncoderClsid("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), "");
  EXPECT_EQ(gdip::Image::FindEncoderClsid("png"), "");
}

TEST(ImageEncoders, SaveToStreamGivesPngBytesThatLoadBackWithTheSamePixels) {
  gdip::Bitmap bitmap = gdiptest::TwoColourBitmap(12, 6, 0xFF20C040, 0x80102030);
  std::string format(gdip::kPngFormat);
  std::vector<uint8_t> bytes = bitmap.SaveToStream(&format, nullptr);
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_TRUE(std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin()));
  // The bytes end with the IEND chunk: nothing of the block past the file.
  ASSERT_GE(bytes.size(), 12u);
  EXPECT_EQ(std::string(bytes.end() - 8, bytes.end() - 4), "IEND");

  gdip::Bitmap loaded;
  ASSERT_TRUE(loaded.FromStream(bytes));
  EXPECT_EQ(loaded.GetWidth(), 12);
  EXPECT_EQ(loaded.GetHeight(), 6);
  EXPECT_EQ(loaded.GetPixel(1, 1), 0xFF20C040u);
  EXPECT_EQ(loaded.GetPixel(10, 4), 0x80102030u);
}

TEST(ImageEncoders, SaveToStreamWithoutFormatUsesTheImagesOwn) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(gdiptest::MakePng(3, 3, [](int, int) { return 0xFF00FF00u; })));
  std::string format;
  std::vector<uint8_t> bytes = image.SaveToStream(&format);
  EXPECT_EQ(format, gdip::kPngFormat);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes[1], 'P');
  EXPECT_FALSE(image.SaveToStream().empty());
}

TEST(ImageEncoders, AFailedSaveGivesNoBytes) {
  gdip::Bitmap bitmap = gdiptest::TwoColourBitmap(4, 4, 0xFFFFFFFF, 0xFF000000);
  std::string unknown = "{00000000-0000-0000-0000-000000000001}";
  EXPECT_TRUE(bitmap.SaveToStream(&unknown).empty());
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  std::string png(gdip::kPngFormat);
  gdip::Image empty;
  EXPECT_TRUE(empty.SaveToStream(&png).empty());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TEST(ImageEncoders, JpegWithAQualityParameter) {
  gdip::Bitmap bitmap = gdiptest::TwoColourBitmap(32, 32, 0xFFC03020, 0xFFC03020);
  std::string format = kJpegFormat;
  gdip::EncoderParameters quality = Quality(90);
  std::vector<uint8_t> bytes = bitmap.SaveToStream(&format, &quality);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  gdip::Bitmap loaded;
  ASSERT_TRUE(loaded.FromStream(bytes));
  EXPECT_EQ(loaded.GetRawFormat(), kJpegFormat);
  gdip::Argb centre = loaded.GetPixel(16, 16);
  EXPECT_NEAR(gdip::ArgbRed(centre), 0xC0, 6);
  EXPECT_NEAR(gdip::ArgbGreen(centre), 0x30, 6);
  EXPECT_NEAR(gdip::ArgbBlue(centre), 0x20, 6);
}

TEST(ImageEncoders, ParametersWhoseValuesDoNotFitTheirBytesAreRefused) {
  gdip::Bitmap bitmap = gdiptest::TwoColourBitmap(4, 4, 0xFFFFFFFF, 0xFF000000);
  std::string format = kJpegFormat;
  gdip::EncoderParameters tooMany = Quality(90, 2);  // two longs in four bytes
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_TRUE(bitmap.SaveToStream(&format, &tooMany).empty());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);

  gdip::EncoderParameters unknownType = Quality(90);
  unknownType.parameters[0].type = 42;
  EXPECT_TRUE(bitmap.SaveToStream(&format, &unknownType).empty());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);

  std::string name = gdiptest::TempFileName("refused") + ".jpg";
  EXPECT_FALSE(bitmap.Save(name, &format, &tooMany));
  EXPECT_TRUE(gdiptest::ReadFileBytes(name).empty());  // nothing was written

  gdip::EncoderParameters none;  // a block with a count of 0
  EXPECT_FALSE(bitmap.SaveToStream(&format, &none).empty());
}

TEST(ImageEncoders, EncoderValueSizes) {
  const uint32_t expected[] = {0, 1, 1, 2, 4, 8, 8, 1, 16, 0};
  for (uint32_t type = 0; type < 10; ++type) EXPECT_EQ(gdip::EncoderValueSize(type), expected[type]) << type;
}

TEST(ImageEncoders, EncoderParameterListOfAnEmptyImageLeavesTheRecord) {
  gdip::Image empty;
  gdip::EncoderParameters parameters = Quality(5);
  EXPECT_FALSE(empty.GetEncoderParameterList(gdip::kPngFormat, parameters));
  ASSERT_EQ(parameters.parameters.size(), 1u);
  EXPECT_EQ(parameters.parameters[0].category, kQualityCategory);
}
