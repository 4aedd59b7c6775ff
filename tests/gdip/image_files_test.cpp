// Pictures in files of a folder of each test's own: read under GBK and UTF-16
// names, written as BMP or PNG, pages added to a TIFF and selected back, also
// from its bytes; and the encoders that write them.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

namespace {

constexpr char kTiffFormat[] = "{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}";
constexpr char kPageDimension[] = "{7462DC86-6180-4C7E-8E3F-EE7333A7A483}";
constexpr char kPngEncoder[] = "{557CF406-1A04-11D3-9A73-0000F81EF32E}";

void WriteBytes(const std::wstring& name, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size());
  CloseHandle(file);
}

std::vector<uint8_t> ReadBytes(const std::wstring& name) {
  std::ifstream file(std::filesystem::path(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

gdip::Argb PixelOf(const gdip::Image& image, int x, int y) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(image.Clone(bitmap));
  return bitmap.GetPixel(x, y);
}

// The encoder's save flag (a long): multi-frame 18, flush 20, page 23.
gdip::EncoderParameters SaveFlag(uint32_t flag) {
  gdip::EncoderParameter parameter{"{292266FC-AC40-47BF-8CFC-A85B89A655DE}", 1, 4, std::vector<uint8_t>(4)};
  std::memcpy(parameter.value.data(), &flag, 4);
  return {{parameter}};
}

}  // namespace

TEST(ImageFiles, ImagesAndBitmapsLoadUnderGbkAndUtf16NamesAndAMissingFileEmptiesThem) {
  TestFolder folder;
  const std::wstring wide = folder.Path(L"\u56FE\u7247.png");  // 图片.png
  const std::string gbk = folder.GbkPath("\xCD\xBC\xC6\xAC.png");
  WriteBytes(wide, MakePng(6, 4, PlaceColour));
  gdip::Image image;
  gdip::Bitmap bitmap;
  const struct {
    const char* how;
    gdip::Image& into;
    std::function<bool()> load;
  } loads[] = {
      {"Image::FromFile", image, [&] { return image.FromFile(gbk); }},
      {"Image::FromFile ICM", image, [&] { return image.FromFile(gbk, true); }},
      {"Image::FromFileSimple", image, [&] { return image.FromFileSimple(wide); }},
      {"Image::FromFileSimple ICM", image, [&] { return image.FromFileSimple(wide, true); }},
      {"Bitmap::FromFile", bitmap, [&] { return bitmap.FromFile(gbk); }},
      {"Bitmap::FromFile ICM", bitmap, [&] { return bitmap.FromFile(gbk, true); }},
      {"Bitmap::FromFileSimple", bitmap, [&] { return bitmap.FromFileSimple(wide); }},
      {"Bitmap::FromFileSimple ICM", bitmap, [&] { return bitmap.FromFileSimple(wide, true); }},
  };
  for (const auto& each : loads) {
    SCOPED_TRACE(each.how);
    // A load into a holding object disposes what it held.
    NativeObjectsBalance balance(each.into.GetNativeObject() ? 0 : 1);
    ASSERT_TRUE(each.load());
    EXPECT_EQ(each.into.GetRawFormat(), gdip::kPngFormat);
    EXPECT_EQ(each.into.GetBounds(), (gdip::RectF{0, 0, 6, 4}));
    EXPECT_EQ(PixelOf(each.into, 5, 1), PlaceColour(5, 1));
    EXPECT_EQ(PixelOf(each.into, 1, 3), PlaceColour(1, 3));
  }
  NativeObjectsBalance balance(-2);
  EXPECT_FALSE(image.FromFile(folder.GbkPath("missing.png")));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_FALSE(bitmap.FromFileSimple(folder.Path(L"missing.png")));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_TRUE(!image.GetNativeObject() && !bitmap.GetNativeObject());
}

TEST(ImageFiles, AMetafileLoadsIntoAnImageButIntoNoBitmap) {
  TestFolder folder;
  HDC recording = CreateEnhMetaFileW(nullptr, folder.Path(L"drawing.emf").c_str(), nullptr, nullptr);
  ASSERT_NE(recording, nullptr);
  Rectangle(recording, 10, 5, 60, 25);
  std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, decltype(&DeleteEnhMetaFile)> written(
      CloseEnhMetaFile(recording), DeleteEnhMetaFile);
  gdip::Image image;
  gdip::Bitmap bitmap;
  ASSERT_TRUE(image.FromFileSimple(folder.Path(L"drawing.emf")));
  EXPECT_EQ(image.GetType(), Gdiplus::ImageTypeMetafile);
  EXPECT_EQ(image.GetRawFormat(), "{B96B3CAC-0728-11D3-9D7B-0000F81EF32E}");  // EMF
  ASSERT_TRUE(image.FromFile(folder.GbkPath("drawing.emf"), true));
  EXPECT_EQ(image.GetType(), Gdiplus::ImageTypeMetafile);
  EXPECT_FALSE(bitmap.FromFileSimple(folder.Path(L"drawing.emf")));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_FALSE(bitmap.FromFile(folder.GbkPath("drawing.emf"), true));
  EXPECT_EQ(bitmap.GetNativeObject(), nullptr);
}

TEST(ImageFiles, SaveWideWritesBmpUnlessToldOtherwiseAndSaysWhichFormatItTook) {
  TestFolder folder;
  gdip::Bitmap source = PlaceBitmap(6, 4);
  std::string format, png(gdip::kPngFormat);
  const std::wstring saved = folder.Path(L"\u4FDD\u5B58.bmp");  // 保存.bmp
  ASSERT_TRUE(source.SaveWide(saved, &format));
  EXPECT_EQ(format, gdip::kBmpFormat);
  ASSERT_TRUE(source.SaveWide(folder.Path(L"saved.png"), &png));
  EXPECT_EQ(png, gdip::kPngFormat);
  ASSERT_TRUE(source.SaveWide(folder.Path(L"plain.bmp")));
  for (auto [name, rawFormat] : {std::pair{saved, gdip::kBmpFormat}, std::pair{folder.Path(L"saved.png"), gdip::kPngFormat},
                                 std::pair{folder.Path(L"plain.bmp"), gdip::kBmpFormat}}) {
    gdip::Bitmap read;
    ASSERT_TRUE(read.FromFileSimple(name));
    EXPECT_EQ(read.GetRawFormat(), rawFormat);
    ExpectPixels(read, {{5, 1, PlaceColour(5, 1)}, {0, 3, PlaceColour(0, 3)}}, 0);
  }
  EXPECT_FALSE(source.SaveWide(folder.Path(L"no such folder\\saved.bmp"), &format));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
}

TEST(ImageFiles, PagesAddedToATiffAreSelectedBackInTheirOrder) {
  TestFolder folder;
  const std::string pages = folder.GbkPath("pages.tif");
  gdip::Bitmap first = PlaceBitmap(6, 4), second = TwoColourBitmap(4, 7, kRed, kBlue);
  std::string tiff = kTiffFormat;
  gdip::EncoderParameters multiFrame = SaveFlag(18), page = SaveFlag(23), tooFew = SaveFlag(23);
  tooFew.parameters[0].numberOfValues = 2;
  EXPECT_FALSE(first.SaveAdd(page));  // no file is being written
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  ASSERT_TRUE(first.Save(pages, &tiff, &multiFrame));
  ASSERT_TRUE(first.SaveAddImage(second, page));
  EXPECT_REFUSED(!first.SaveAddImage(second, tooFew));
  EXPECT_REFUSED(!first.SaveAdd(tooFew));
  ASSERT_TRUE(first.SaveAdd(page));  // the first picture once more
  ASSERT_TRUE(first.SaveAdd(SaveFlag(20)));

  gdip::Bitmap read;
  std::vector<std::string> dimensions;
  ASSERT_TRUE(read.FromFile(pages) && read.GetFrameDimensionsList(dimensions));
  EXPECT_EQ(dimensions, std::vector<std::string>{kPageDimension});
  EXPECT_EQ(read.GetFrameCount(kPageDimension), 3u);
  ASSERT_TRUE(read.SelectActiveFrame(kPageDimension, 1));
  EXPECT_EQ(read.GetBounds(), (gdip::RectF{0, 0, 4, 7}));
  ExpectPixels(read, {{0, 6, kRed}, {3, 0, kBlue}}, 0);
  ASSERT_TRUE(read.SelectActiveFrame(kPageDimension, 2));
  EXPECT_EQ(read.GetBounds(), (gdip::RectF{0, 0, 6, 4}));
  ExpectPixels(read, {{5, 0, PlaceColour(5, 0)}, {0, 3, PlaceColour(0, 3)}}, 0);
  EXPECT_FALSE(read.SelectActiveFrame(kPageDimension, 3));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  // A page past the last is refused and the page selected stays.
  ASSERT_TRUE(read.SelectActiveFrame(kPageDimension, 1));
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_FALSE(read.SelectActiveFrame(kPageDimension, UINT32_MAX));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(read.GetBounds(), (gdip::RectF{0, 0, 4, 7}));
  ExpectPixels(read, {{0, 6, kRed}, {3, 0, kBlue}}, 0);
}

namespace {

// The value counts of the parameters GDI+ is handed by a SaveAdd; passed on to GDI+.
const gdiptest::GdiplusStandIn* saveAddRoute = nullptr;
std::vector<UINT> handedValueCounts;
Gdiplus::GpStatus WINGDIPAPI KeepValueCounts(Gdiplus::GpImage* image, const Gdiplus::EncoderParameters* parameters) {
  handedValueCounts.clear();
  for (UINT i = 0; parameters && i < parameters->Count; ++i)
    handedValueCounts.push_back(parameters->Parameter[i].NumberOfValues);
  return reinterpret_cast<decltype(&Gdiplus::DllExports::GdipSaveAdd)>(saveAddRoute->Original())(image, parameters);
}

}  // namespace

// Every parameter of a list reaches the encoder, not only the first: the save
// flags come after a quality, which the TIFF encoder passes over. Each goes
// with the number of values it gives, whatever room its bytes have (Wine's
// encoder does not look at that number: a stand-in does).
TEST(ImageFiles, EachParameterOfAListReachesTheEncoder) {
  TestFolder folder;
  const std::string pages = folder.GbkPath("pages.tif");
  gdip::Bitmap first = PlaceBitmap(6, 4), second = TwoColourBitmap(4, 7, kRed, kBlue);
  std::string tiff = kTiffFormat;
  auto afterQuality = [](uint32_t flag) {
    gdip::EncoderParameters parameters = SaveFlag(flag);
    gdip::EncoderParameter quality{"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 1, 4, {90, 0, 0, 0}};
    parameters.parameters.insert(parameters.parameters.begin(), quality);
    return parameters;
  };
  gdip::EncoderParameters multiFrame = afterQuality(18);
  ASSERT_TRUE(first.Save(pages, &tiff, &multiFrame));
  ASSERT_TRUE(first.SaveAddImage(second, afterQuality(23)));
  gdip::EncoderParameters flush = afterQuality(20);
  flush.parameters[1].value.resize(8);
  {
    gdiptest::GdiplusStandIn standIn = GDIPLUS_STAND_IN(GdipSaveAdd, KeepValueCounts);
    saveAddRoute = &standIn;
    ASSERT_TRUE(first.SaveAdd(flush));
    EXPECT_EQ(handedValueCounts, (std::vector<UINT>{1, 1}));
  }
  gdip::Bitmap read;
  ASSERT_TRUE(read.FromFile(pages));
  EXPECT_EQ(read.GetFrameCount(kPageDimension), 2u);
  ASSERT_TRUE(read.SelectActiveFrame(kPageDimension, 1));
  ExpectPixels(read, {{0, 6, kRed}, {3, 0, kBlue}}, 0);
}

// The picture reads its pages from its own copy of the bytes, as it is asked
// for them, long after the load.
TEST(ImageFiles, APageOfATiffReadFromBytesIsSelectedAfterTheLoad) {
  TestFolder folder;
  gdip::Bitmap first = PlaceBitmap(6, 4), second = TwoColourBitmap(4, 7, kRed, kBlue);
  std::string tiff = kTiffFormat;
  gdip::EncoderParameters multiFrame = SaveFlag(18);
  ASSERT_TRUE(first.Save(folder.GbkPath("pages.tif"), &tiff, &multiFrame) &&
              first.SaveAddImage(second, SaveFlag(23)) && first.SaveAdd(SaveFlag(20)));
  std::vector<uint8_t> bytes = ReadBytes(folder.Path(L"pages.tif"));
  gdip::Image image;
  gdip::Bitmap bitmap;
  ASSERT_TRUE(image.FromStream(bytes) && bitmap.FromStream(bytes));
  std::fill(bytes.begin(), bytes.end(), uint8_t(0));
  for (gdip::Image* each : {&image, static_cast<gdip::Image*>(&bitmap)}) {
    EXPECT_EQ(each->GetFrameCount(kPageDimension), 2u);
    ASSERT_TRUE(each->SelectActiveFrame(kPageDimension, 1));
    EXPECT_EQ(each->GetBounds(), (gdip::RectF{0, 0, 4, 7}));
    EXPECT_EQ(PixelOf(*each, 0, 6), kRed);
    EXPECT_EQ(PixelOf(*each, 3, 0), kBlue);
    ASSERT_TRUE(each->SelectActiveFrame(kPageDimension, 0));
    EXPECT_EQ(each->GetBounds(), (gdip::RectF{0, 0, 6, 4}));
    EXPECT_EQ(PixelOf(*each, 5, 1), PlaceColour(5, 1));
  }
}

TEST(ImageEncoders, TheListDescribesEachEncoderAndOneIsFoundByItsExactFormatText) {
  std::vector<gdip::ImageCodecInfo> encoders;
  int count = gdip::Image::ListEncoders(encoders);
  ASSERT_EQ(size_t(count), encoders.size());
  const gdip::ImageCodecInfo* png = nullptr;
  for (const gdip::ImageCodecInfo& each : encoders)
    if (each.formatId == gdip::kPngFormat) png = &each;
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->clsid, kPngEncoder);
  EXPECT_EQ(png->mimeType, "image/png");
  EXPECT_EQ(png->filenameExtension, "*.PNG");
  EXPECT_EQ(png->flags & Gdiplus::ImageCodecFlagsEncoder, unsigned(Gdiplus::ImageCodecFlagsEncoder));
  ASSERT_EQ(png->sigSize, 8u);
  ASSERT_EQ(png->sigPattern.size(), size_t(png->sigCount) * 8);
  EXPECT_EQ(png->sigMask, std::vector<uint8_t>(png->sigPattern.size(), 0xFF));
  EXPECT_EQ(std::string(png->sigPattern.begin() + 1, png->sigPattern.begin() + 4), "PNG");
  for (const char* format : {gdip::kBmpFormat.data(), kTiffFormat, "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}"})
    EXPECT_EQ(std::count_if(encoders.begin(), encoders.end(), [&](auto& e) { return e.formatId == format; }), 1);

  // Every encoder's signatures whole: GIF and TIFF files open in two ways each.
  const struct {
    const char* format;
    std::vector<std::string> signatures;
  } kSignatures[] = {
      {"{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}", {"BM"}},
      {"{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}", {"\xFF\xD8"}},
      {"{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}", {"GIF87a", "GIF89a"}},
      {kTiffFormat, {std::string("II*\0", 4), std::string("MM\0*", 4)}},
      {"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}", {"\x89PNG\r\n\x1A\n"}},
  };
  for (const auto& row : kSignatures) {
    SCOPED_TRACE(row.format);
    auto codec = std::find_if(encoders.begin(), encoders.end(), [&](auto& e) { return e.formatId == row.format; });
    ASSERT_NE(codec, encoders.end());
    ASSERT_EQ(codec->sigCount, row.signatures.size());
    ASSERT_EQ(codec->sigSize, row.signatures[0].size());
    std::string patterns;
    for (const std::string& signature : row.signatures) patterns += signature;
    EXPECT_EQ(std::string(codec->sigPattern.begin(), codec->sigPattern.end()), patterns);
    EXPECT_EQ(codec->sigMask, std::vector<uint8_t>(patterns.size(), 0xFF));
  }

  EXPECT_EQ(gdip::Image::FindEncoderClsid(gdip::kPngFormat), kPngEncoder);
  EXPECT_EQ(gdip::Image::FindEncoderClsid("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), "");
  EXPECT_EQ(gdip::Image::FindEncoderClsid(kPngEncoder), "");  // an encoder is no format
  const uint32_t sizes[] = {0, 1, 1, 2, 4, 8, 8, 1, 16, 0};
  for (uint32_t type = 0; type < std::size(sizes); ++type) EXPECT_EQ(gdip::EncoderValueSize(type), sizes[type]) << type;
}
