// Pictures: the memory stream under them, loading from bytes, encoding,
// frames, property items and palettes, and bitmaps' rotation and GDI handles.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

#include <shlwapi.h>

#include <numbers>

using namespace gdiptest;

namespace {

constexpr char kJpegFormat[] = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
constexpr char kQualityCategory[] = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Sizes of buffers that GDI+ answers and memory cannot hold: past what a list
// can be (INT_MAX bytes of 64-bit words, and a size that would wrap when
// rounded up to whole words), and within it but past what a 32-bit program
// has room for (2 GB less 16 bytes).
constexpr UINT kPastAnyList = INT_MAX, kWrappingSize = UINT_MAX, kTwoGigabytes = 0x7FFFFFF0;
// Bytes of a value that each of many records points at: copied for each, they
// outgrow memory long before the last.
constexpr UINT kSharedValue = 64 << 20;

// 7 x 5: red with a blue top-left pixel.
std::vector<uint8_t> SmallPng() { return MakePng(7, 5, [](int x, int y) { return x + y == 0 ? kBlue : kRed; }); }

gdip::Argb PixelOf(const gdip::Image& image, int x, int y) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(image.Clone(bitmap));
  return bitmap.GetPixel(x, y);
}

// A memory stream that holds nothing, by everything it tells of itself.
void ExpectHoldsNothing(const gdip::MemoryStream& stream) {
  EXPECT_EQ(stream.GetStream(), nullptr);
  EXPECT_EQ(stream.GetGlobalHandle(), nullptr);
  EXPECT_EQ(stream.GetSize(), 0u);
  EXPECT_TRUE(stream.GetBytes().empty());
}

gdip::EncoderParameters Quality(uint32_t quality, uint32_t numberOfValues = 1) {
  gdip::EncoderParameter parameter{kQualityCategory, numberOfValues, 4 /* long */, std::vector<uint8_t>(4)};
  std::memcpy(parameter.value.data(), &quality, 4);
  return {{parameter}};
}

}  // namespace

TEST(MemoryStream, CopiesTheBytesTakesAGivenSizeRefusesALongerOneAndReleasesTheOldStream) {
  static_assert(!std::is_copy_constructible_v<gdip::MemoryStream>);
  gdip::MemoryStream stream;
  std::vector<uint8_t> bytes = Bytes("embedded picture");
  IStream* com = stream.CreateFromBytes(bytes);
  ASSERT_NE(com, nullptr);
  bytes[0] = 'X';  // a copy, not the caller's memory
  EXPECT_EQ(stream.GetBytes(), Bytes("embedded picture"));
  com->AddRef();
  ASSERT_NE(stream.CreateFromBytes(bytes, 3), nullptr);
  EXPECT_EQ(com->Release(), 0u);  // only the reference taken here was left
  EXPECT_EQ(stream.GetBytes(), Bytes("Xmb"));
  EXPECT_EQ(stream.CreateFromBytes(bytes, 17), nullptr);
  EXPECT_EQ(stream.GetStream(), nullptr);
  EXPECT_EQ(stream.GetGlobalHandle(), nullptr);
  EXPECT_EQ(stream.GetSize(), 0u);

  // A stream made elsewhere is taken over with the block under it; one with
  // no global block is held all the same, and the one before is let go.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(block), "PNG!", 4);
  GlobalUnlock(block);
  IStream* made = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &made), S_OK);
  EXPECT_TRUE(stream.AttachStream(made));
  EXPECT_EQ(stream.GetGlobalHandle(), block);
  EXPECT_EQ(stream.GetBytes(), Bytes("PNG!"));
  made->AddRef();
  IStream* memory = SHCreateMemStream(nullptr, 0);
  EXPECT_FALSE(stream.AttachStream(memory));
  EXPECT_EQ(made->Release(), 0u);
  EXPECT_EQ(stream.GetStream(), memory);
  EXPECT_EQ(stream.GetGlobalHandle(), nullptr);
}

// The references the stream has left show how often the objects released it:
// two are taken here, so that a stream released once too often still lives.
TEST(MemoryStream, AMovedFromStreamHoldsNothingAndEachBlockAndStreamIsLetGoOnce) {
  const int blocks = LiveHeapBlocks();
  const std::vector<uint8_t> bytes = Bytes("moved picture");
  IStream* com = nullptr;
  {
    gdip::MemoryStream source, holder;
    com = source.CreateFromBytes(bytes);
    ASSERT_NE(com, nullptr);
    HGLOBAL block = source.GetGlobalHandle();
    com->AddRef();
    com->AddRef();
    gdip::MemoryStream moved(std::move(source));
    ExpectHoldsNothing(source);
    EXPECT_EQ(moved.GetStream(), com);
    EXPECT_EQ(moved.GetGlobalHandle(), block);
    EXPECT_EQ(moved.GetBytes(), bytes);

    IStream* old = holder.CreateFromBytes(Bytes("old"));
    ASSERT_NE(old, nullptr);
    old->AddRef();
    EXPECT_EQ(LiveHeapBlocks(), blocks + 2);
    holder = std::move(moved);  // lets its own stream and block go first
    EXPECT_EQ(old->Release(), 0u);
    EXPECT_EQ(LiveHeapBlocks(), blocks + 1);
    ExpectHoldsNothing(moved);
    gdip::MemoryStream& same = holder;
    holder = std::move(same);  // onto itself: keeps what it holds
    EXPECT_EQ(holder.GetStream(), com);
    EXPECT_EQ(holder.GetBytes(), bytes);
  }
  EXPECT_EQ(LiveHeapBlocks(), blocks);  // and none freed twice (the test's balance)
  ULONG left = com->Release();
  EXPECT_EQ(left, 1u) << "references the objects did not give back, or gave back twice";
  if (left == 1) com->Release();
}

// The stream it holds, handed to it again with a reference of the caller's:
// it keeps the stream and the block under it, frees that block once, and
// gives back one of the two references.
TEST(MemoryStream, AttachingTheStreamItHoldsKeepsTheStreamAndItsBytes) {
  const int blocks = LiveHeapBlocks(), strayFrees = StrayHeapFrees();
  const std::vector<uint8_t> bytes = Bytes("8 bytes!");
  IStream* com = nullptr;
  {
    gdip::MemoryStream stream;
    com = stream.CreateFromBytes(bytes);
    ASSERT_NE(com, nullptr);
    HGLOBAL block = stream.GetGlobalHandle();
    com->AddRef();  // handed over below
    com->AddRef();  // two of the test's own: a stream released once too often still lives
    com->AddRef();
    EXPECT_TRUE(stream.AttachStream(com));
    EXPECT_EQ(stream.GetStream(), com);
    EXPECT_EQ(stream.GetGlobalHandle(), block);
    EXPECT_EQ(stream.GetSize(), 8u);
    EXPECT_EQ(stream.GetBytes(), bytes);
    uint8_t read[16] = {};
    ULONG got = 0;
    EXPECT_EQ(com->Read(read, sizeof(read), &got), S_OK);
    EXPECT_EQ(std::vector<uint8_t>(read, read + got), bytes);
    EXPECT_EQ(LiveHeapBlocks(), blocks + 1);
  }
  EXPECT_EQ(LiveHeapBlocks(), blocks);
  EXPECT_EQ(StrayHeapFrees(), strayFrees) << "the block freed twice";
  ULONG left = com->Release();
  EXPECT_EQ(left, 1u) << "references the object did not give back, or gave back twice";
  if (left == 1) com->Release();
}

TEST(MemoryStream, ItsBytesAreTheStreamsDataWhateverTheBlockUnderItHolds) {
  gdip::MemoryStream stream;
  const std::vector<uint8_t> bytes = Bytes("embedded picture");
  ASSERT_NE(stream.CreateFromBytes(bytes, 3), nullptr);
  EXPECT_EQ(stream.GetSize(), 3u);  // a block of the bytes taken, not of all given
  // A block grown under its stream, as a writer may leave it, holds more than the stream's data.
  ASSERT_EQ(GlobalReAlloc(stream.GetGlobalHandle(), 64, GMEM_MOVEABLE | GMEM_ZEROINIT), stream.GetGlobalHandle());
  EXPECT_EQ(stream.GetSize(), 64u);
  EXPECT_EQ(stream.GetBytes(), Bytes("emb"));
}

TEST(Image, APictureFromBytesHoldsOneBlockWhileItLivesAndAFailedLoadNone) {
  const int blocks = LiveHeapBlocks();
  gdip::Image image;
  gdip::Bitmap bitmap;
  for (gdip::Image* each : {&image, static_cast<gdip::Image*>(&bitmap)}) {
    ASSERT_TRUE(each->FromStream(SmallPng()));
    EXPECT_EQ(LiveHeapBlocks(), blocks + 1);
    ASSERT_TRUE(each->FromStream(SmallPng()));  // the bytes of the picture before go with it
    EXPECT_EQ(LiveHeapBlocks(), blocks + 1);
    EXPECT_FALSE(each->FromStream(std::vector<uint8_t>(64, 0x5A)));
    EXPECT_EQ(LiveHeapBlocks(), blocks);
    ASSERT_TRUE(each->FromStream(SmallPng()) && each->Dispose());
    EXPECT_EQ(LiveHeapBlocks(), blocks);
  }
  // A moved picture takes its bytes along; the one moved from frees nothing.
  ASSERT_TRUE(image.FromStream(SmallPng()));
  gdip::Image moved(std::move(image)), assigned;
  EXPECT_EQ(image.GetNativeObject(), nullptr);
  EXPECT_FALSE(image.Dispose());
  assigned = std::move(moved);
  EXPECT_EQ(moved.GetNativeObject(), nullptr);
  EXPECT_FALSE(moved.Dispose());
  EXPECT_EQ(LiveHeapBlocks(), blocks + 1);
  EXPECT_EQ(PixelOf(assigned, 6, 4), kRed);
  gdip::Image& same = assigned;
  assigned = std::move(same);  // onto itself: the picture keeps its bytes
  EXPECT_EQ(LiveHeapBlocks(), blocks + 1);
  EXPECT_EQ(PixelOf(assigned, 6, 4), kRed);
  EXPECT_TRUE(assigned.Dispose());
  EXPECT_EQ(LiveHeapBlocks(), blocks);
}

TEST(Image, LoadsBytesAndALoadIntoAHoldingObjectReplacesThePictureOrEmptiesIt) {
  gdip::Image image;
  gdip::Bitmap bitmap;  // a bitmap loads on its own road
  ASSERT_TRUE(image.FromStream(SmallPng()));
  EXPECT_EQ(image.GetRawFormat(), gdip::kPngFormat);
  EXPECT_EQ(image.GetBounds(), (gdip::RectF{0, 0, 7, 5}));
  EXPECT_EQ(PixelOf(image, 0, 0), kBlue);
  EXPECT_EQ(PixelOf(image, 6, 4), kRed);
  ASSERT_TRUE(image.FromStream(MakePng(3, 9, [](int, int) { return kBlue; })));
  EXPECT_EQ(PixelOf(image, 1, 8), kBlue);
  EXPECT_FALSE(image.FromStream(std::vector<uint8_t>(100, 0x5A)));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(image.GetNativeObject(), nullptr);
  EXPECT_FALSE(image.FromStream({}));
  ASSERT_TRUE(bitmap.FromStream(MakePng(9, 4, [](int x, int) { return x < 3 ? kRed : 0x40000000u; })));
  ExpectPixels(bitmap, {{1, 2, kRed}, {7, 2, 0x40000000u}}, 0);
}

TEST(ImageEncoders, SaveToStreamGivesWholePngBytesThatLoadBackAndAFailedSaveGivesNone) {
  gdip::Bitmap bitmap = TwoColourBitmap(12, 6, 0xFF20C040, 0x80102030), loaded;
  std::string format(gdip::kPngFormat), own, unknown = "{00000000-0000-0000-0000-000000000001}";
  std::vector<uint8_t> bytes = bitmap.SaveToStream(&format, nullptr);
  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GE(bytes.size(), 12u);
  EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), bytes.begin()));
  EXPECT_EQ(std::string(bytes.end() - 8, bytes.end() - 4), "IEND");  // nothing of the block past the file
  ASSERT_TRUE(loaded.FromStream(bytes));
  ExpectPixels(loaded, {{1, 1, 0xFF20C040u}, {10, 4, 0x80102030u}}, 0);
  EXPECT_EQ(loaded.SaveToStream(&own).size(), bytes.size());  // no format: the image's own
  EXPECT_EQ(own, gdip::kPngFormat);

  EXPECT_TRUE(bitmap.SaveToStream(&unknown).empty());
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_REFUSED(gdip::Image().SaveToStream(&format).empty());
}

TEST(ImageEncoders, JpegTakesAQualityAndParametersWhoseValuesDoNotFitTheirBytesAreRefused) {
  TestFolder folder;
  gdip::Bitmap bitmap = TwoColourBitmap(32, 32, 0xFFC03020, 0xFFC03020), loaded;
  std::string format = kJpegFormat, name = folder.GbkPath("refused.jpg");
  gdip::EncoderParameters quality = Quality(90), none, tooMany = Quality(90, 2), unknownType = Quality(90);
  ASSERT_TRUE(loaded.FromStream(bitmap.SaveToStream(&format, &quality)));
  EXPECT_EQ(loaded.GetRawFormat(), kJpegFormat);
  ExpectPixels(loaded, {{16, 16, 0xFFC03020}}, 6);
  EXPECT_FALSE(bitmap.SaveToStream(&format, &none).empty());  // a block with a count of 0
  unknownType.parameters[0].type = 42;
  EXPECT_REFUSED(bitmap.SaveToStream(&format, &tooMany).empty());  // two longs in four bytes
  EXPECT_REFUSED(bitmap.SaveToStream(&format, &unknownType).empty());
  EXPECT_FALSE(bitmap.Save(name, &format, &tooMany));
  EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);  // nothing was written
}

namespace {

// The JPEG encoder's parameters as GDI+ lists them: records of several values
// each (five transformations, one quality range, a table of three), their
// values after the records in the caller's buffer. Wine's GDI+ lists none, so
// a stand-in gives this list.
struct ListedParameter {
  const char* category;
  uint32_t type;
  std::vector<uint8_t> values;
  uint32_t count;
};
const ListedParameter kJpegParameters[] = {
    {"{8D0EB2D1-A58E-4EA8-AA14-108074B7B6F9}", 4, {13, 0, 0, 0, 14, 0, 0, 0, 15, 0, 0, 0, 16, 0, 0, 0, 17, 0, 0, 0}, 5},
    {kQualityCategory, 6, {0, 0, 0, 0, 100, 0, 0, 0}, 1},
    {"{EDB33BCE-0266-4A77-B904-27216099E717}", 3, {16, 0, 11, 0, 10, 0}, 3},
};

UINT ListedSize() {
  UINT size = offsetof(Gdiplus::EncoderParameters, Parameter) + std::size(kJpegParameters) * sizeof(Gdiplus::EncoderParameter);
  for (const ListedParameter& each : kJpegParameters) size += UINT(each.values.size());
  return size;
}
Gdiplus::GpStatus WINGDIPAPI ListedParameterSize(Gdiplus::GpImage*, const CLSID*, UINT* size) {
  *size = ListedSize();
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI ListedParameters(Gdiplus::GpImage*, const CLSID*, UINT size,
                                              Gdiplus::EncoderParameters* buffer) {
  if (size < ListedSize()) return Gdiplus::InvalidParameter;
  buffer->Count = UINT(std::size(kJpegParameters));
  auto* values = reinterpret_cast<uint8_t*>(&buffer->Parameter[buffer->Count]);
  for (size_t i = 0; i < std::size(kJpegParameters); ++i) {
    const ListedParameter& each = kJpegParameters[i];
    Gdiplus::EncoderParameter& entry = buffer->Parameter[i];
    entry.Guid = gdip::TextToGuid(each.category);
    entry.NumberOfValues = each.count;
    entry.Type = each.type;
    entry.Value = values;
    values = std::copy(each.values.begin(), each.values.end(), values);
  }
  return Gdiplus::Ok;
}

}  // namespace

TEST(ImageEncoders, AnEncoderParameterListKeepsEveryValueOfEachParameter) {
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn size = GDIPLUS_STAND_IN(GdipGetEncoderParameterListSize, ListedParameterSize);
  gdiptest::GdiplusStandIn list = GDIPLUS_STAND_IN(GdipGetEncoderParameterList, ListedParameters);
  gdip::EncoderParameters parameters = Quality(5);
  ASSERT_TRUE(bitmap.GetEncoderParameterList(kJpegFormat, parameters));
  ASSERT_EQ(parameters.parameters.size(), std::size(kJpegParameters));
  for (size_t i = 0; i < std::size(kJpegParameters); ++i) {
    SCOPED_TRACE(i);
    const gdip::EncoderParameter& got = parameters.parameters[i];
    EXPECT_EQ(got.category, kJpegParameters[i].category);
    EXPECT_EQ(got.type, kJpegParameters[i].type);
    EXPECT_EQ(got.numberOfValues, kJpegParameters[i].count);
    EXPECT_EQ(got.value, kJpegParameters[i].values);
  }
}

namespace {

// What GDI+ was handed by the saves under stand-ins: each parameter's
// category, type, number of values and the bytes of those values. A stand-in
// answers Ok and writes nothing.
struct HandedParameter {
  std::string category;
  uint32_t type, numberOfValues;
  std::vector<uint8_t> value;
  bool operator==(const HandedParameter&) const = default;
};
std::vector<HandedParameter> handedParameters;
int blocksHanded = 0;
// The bytes of one value of each GDI+ encoder value type, 1 to 8.
constexpr size_t kValueSizes[] = {0, 1, 1, 2, 4, 8, 8, 1, 16};
Gdiplus::GpStatus KeepBlock(const Gdiplus::EncoderParameters* block) {
  ++blocksHanded;
  handedParameters.clear();
  for (UINT i = 0; block && i < block->Count; ++i) {
    const Gdiplus::EncoderParameter& entry = block->Parameter[i];
    auto* value = static_cast<const uint8_t*>(entry.Value);
    size_t length = entry.Type < std::size(kValueSizes) ? entry.NumberOfValues * kValueSizes[entry.Type] : 0;
    handedParameters.push_back({gdip::GuidToText(entry.Guid), entry.Type, entry.NumberOfValues,
                                value ? std::vector<uint8_t>(value, value + length) : std::vector<uint8_t>{}});
  }
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI KeepStreamBlock(Gdiplus::GpImage*, IStream*, const CLSID*,
                                             const Gdiplus::EncoderParameters* block) {
  return KeepBlock(block);
}
Gdiplus::GpStatus WINGDIPAPI KeepFileBlock(Gdiplus::GpImage*, const WCHAR*, const CLSID*,
                                           const Gdiplus::EncoderParameters* block) {
  return KeepBlock(block);
}
Gdiplus::GpStatus WINGDIPAPI KeepAddBlock(Gdiplus::GpImage*, const Gdiplus::EncoderParameters* block) {
  return KeepBlock(block);
}
Gdiplus::GpStatus WINGDIPAPI KeepAddImageBlock(Gdiplus::GpImage*, Gdiplus::GpImage*,
                                               const Gdiplus::EncoderParameters* block) {
  return KeepBlock(block);
}

// `count` values of `type` in `bytes` bytes counting up from 1.
gdip::EncoderParameter Parameter(uint32_t type, uint32_t count, size_t bytes) {
  gdip::EncoderParameter parameter{kQualityCategory, count, type, std::vector<uint8_t>(bytes)};
  for (size_t i = 0; i < bytes; ++i) parameter.value[i] = uint8_t(i + 1);
  return parameter;
}

}  // namespace

// A parameter's values, its number of values times the size of its type, must
// lie within its bytes: up to the last byte, or with bytes to spare, they go
// to GDI+; one byte short, the save is refused before GDI+ sees it. So for
// every type, in every way of saving.
TEST(ImageEncoders, AParametersValuesAreTakenUpToItsLastByteAndRefusedOneByteShort) {
  gdip::Bitmap bitmap = PlaceBitmap(2, 2), page = PlaceBitmap(1, 1);
  gdiptest::GdiplusStandIn stream = GDIPLUS_STAND_IN(GdipSaveImageToStream, KeepStreamBlock),
                           file = GDIPLUS_STAND_IN(GdipSaveImageToFile, KeepFileBlock),
                           add = GDIPLUS_STAND_IN(GdipSaveAdd, KeepAddBlock),
                           addImage = GDIPLUS_STAND_IN(GdipSaveAddImage, KeepAddImageBlock);
  const struct {
    const char* name;
    std::function<void(const gdip::EncoderParameters&)> save;
  } saves[] = {
      {"to a stream", [&](auto& p) { std::string f = kJpegFormat; bitmap.SaveToStream(&f, &p); }},
      {"to a file", [&](auto& p) { std::string f = kJpegFormat; bitmap.Save("never written.jpg", &f, &p); }},
      {"to a file by a UTF-16 name",
       [&](auto& p) { std::string f = kJpegFormat; bitmap.SaveWide(L"never written.jpg", &f, &p); }},
      {"a frame added", [&](auto& p) { bitmap.SaveAdd(p); }},
      {"a picture added", [&](auto& p) { bitmap.SaveAddImage(page, p); }},
  };
  for (uint32_t type = 1; type <= 8; ++type) {
    const size_t exact = 2 * kValueSizes[type];
    for (size_t bytes : {exact - 1, exact, exact + 1}) {
      const gdip::EncoderParameters parameters{{Parameter(type, 2, bytes)}};
      for (const auto& save : saves) {
        SCOPED_TRACE("two values of type " + std::to_string(type) + " in " + std::to_string(bytes) + " bytes, " +
                     save.name);
        blocksHanded = 0;
        gdip::SetLastGdipStatus(Gdiplus::GenericError);
        save.save(parameters);
        if (bytes < exact) {
          EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
          EXPECT_EQ(blocksHanded, 0);
          continue;
        }
        EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
        ASSERT_EQ(blocksHanded, 1);
        const std::vector<uint8_t>& value = parameters.parameters[0].value;
        EXPECT_EQ(handedParameters, (std::vector<HandedParameter>{
                                        {kQualityCategory, type, 2, {value.begin(), value.begin() + exact}}}));
      }
    }
  }
}

// Every parameter of a list is looked at: one whose values do not fit its
// bytes, of a type GDI+ lacks or without a category refuses the save wherever
// it stands in the list, the last place too.
TEST(ImageEncoders, ABadParameterAnywhereInAListRefusesTheSave) {
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn stream = GDIPLUS_STAND_IN(GdipSaveImageToStream, KeepStreamBlock),
                           add = GDIPLUS_STAND_IN(GdipSaveAdd, KeepAddBlock);
  const gdip::EncoderParameter good = Parameter(4, 1, 4);
  gdip::EncoderParameter noType = good, noCategory = good;
  noType.type = 9;
  noCategory.category = "quality";
  const struct {
    const char* name;
    gdip::EncoderParameter bad;
  } kinds[] = {{"values one byte short", Parameter(4, 1, 3)}, {"a type GDI+ lacks", noType},
               {"no category", noCategory}};
  for (const auto& kind : kinds) {
    for (size_t place = 0; place < 3; ++place) {
      SCOPED_TRACE(std::string(kind.name) + " at place " + std::to_string(place));
      gdip::EncoderParameters list{{good, good, good}};
      list.parameters[place] = kind.bad;
      blocksHanded = 0;
      std::string format = kJpegFormat;
      EXPECT_REFUSED(bitmap.SaveToStream(&format, &list).empty());
      EXPECT_REFUSED(!bitmap.SaveAdd(list));
      EXPECT_EQ(blocksHanded, 0);
    }
  }
  // The same list without a bad parameter goes to GDI+ whole.
  const gdip::EncoderParameters list{{good, Parameter(3, 2, 4), Parameter(1, 3, 3)}};
  ASSERT_TRUE(bitmap.SaveAdd(list));
  EXPECT_EQ(handedParameters, (std::vector<HandedParameter>{{kQualityCategory, 4, 1, {1, 2, 3, 4}},
                                                            {kQualityCategory, 3, 2, {1, 2, 3, 4}},
                                                            {kQualityCategory, 1, 3, {1, 2, 3}}}));
}

namespace {

// The encoders as GDI+ lists them, given by stand-ins: `count` records in a
// buffer of `size` bytes, each of version 1, 2, ... and without texts, and
// without signatures or with one of `signature` bytes (pattern and mask) that
// all share, after the records. The stand-ins count how often the records are
// asked for.
struct HandedEncoders {
  UINT count, size, signature = 0;
};
HandedEncoders handedEncoders;
int encoderRecordsAskedFor = 0;
Gdiplus::GpStatus WINGDIPAPI HandedEncodersSize(UINT* count, UINT* size) {
  *count = handedEncoders.count;
  *size = handedEncoders.size;
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI HandedEncoderRecords(UINT count, UINT size, Gdiplus::ImageCodecInfo* encoders) {
  ++encoderRecordsAskedFor;
  if (count != handedEncoders.count || size != handedEncoders.size) return Gdiplus::InvalidParameter;
  auto* signature = reinterpret_cast<BYTE*>(encoders + count);
  for (UINT i = 0; i < count && (i + 1) * sizeof(Gdiplus::ImageCodecInfo) <= size; ++i) {
    encoders[i] = {};
    encoders[i].Version = i + 1;
    if (handedEncoders.signature == 0) continue;
    encoders[i].SigCount = 1;
    encoders[i].SigSize = handedEncoders.signature;
    encoders[i].SigPattern = encoders[i].SigMask = signature;
  }
  return Gdiplus::Ok;
}

}  // namespace

// The records GDI+ says it lists must fit the size it gives: a size one byte
// short of them, or a count whose records' size wraps past 4 GB, is refused
// before GDI+ is asked for them, and the caller's list stays. So does it when
// memory cannot hold the records (OutOfMemory, before GDI+ is asked), or our
// copies of them (OutOfMemory, after), and no exception leaves the library.
TEST(ImageEncoders, TheEncodersAreTakenOnlyWhenTheirRecordsFitTheSizeGivenAndMemory) {
  constexpr UINT kRecord = sizeof(Gdiplus::ImageCodecInfo);
  // 56512728 records take 2^32 + 32 bytes, 32 in a 32-bit count.
  static_assert(uint64_t(56512728) * kRecord == (uint64_t(1) << 32) + 32);
  constexpr UINT kTwoGigabytesOfRecords = kTwoGigabytes / kRecord;
  const struct {
    const char* name;
    HandedEncoders encoders;
    int listed;  // -1: refused
    Gdiplus::Status refusal = Gdiplus::InvalidParameter;
    int recordsAskedFor = 0;  // when refused
  } rows[] = {
      {"one record in one byte less", {1, kRecord - 1}, -1}, {"one record in its size", {1, kRecord}, 1},
      {"two records in one byte less", {2, 2 * kRecord - 1}, -1}, {"two records in their size", {2, 2 * kRecord}, 2},
      {"two records with room to spare", {2, 2 * kRecord + 1}, 2},
      {"records whose size wraps", {56512728, 32}, -1},
      {"a size past any list", {0, kPastAnyList}, -1, Gdiplus::OutOfMemory},
      {"a size that wraps in whole words", {0, kWrappingSize}, -1, Gdiplus::OutOfMemory},
      {"2 GB of records", {kTwoGigabytesOfRecords, kTwoGigabytesOfRecords * kRecord}, -1, Gdiplus::OutOfMemory},
      {"records that share one large signature", {64, 64 * kRecord + kSharedValue, kSharedValue}, -1,
       Gdiplus::OutOfMemory, 1},
  };
  gdiptest::GdiplusStandIn size = GDIPLUS_STAND_IN(GdipGetImageEncodersSize, HandedEncodersSize);
  gdiptest::GdiplusStandIn records = GDIPLUS_STAND_IN(GdipGetImageEncoders, HandedEncoderRecords);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    handedEncoders = row.encoders;
    encoderRecordsAskedFor = 0;
    std::vector<gdip::ImageCodecInfo> encoders(1);
    encoders[0].version = 99;
    if (row.listed < 0) {
      NativeObjectsBalance balance;
      EXPECT_FAILS_WITHOUT_THROWING(gdip::Image::ListEncoders(encoders) == 0, row.refusal);
      EXPECT_EQ(encoderRecordsAskedFor, row.recordsAskedFor);
      ASSERT_EQ(encoders.size(), 1u);
      EXPECT_EQ(encoders[0].version, 99u);
      continue;
    }
    EXPECT_EQ(gdip::Image::ListEncoders(encoders), row.listed);
    ASSERT_EQ(encoders.size(), size_t(row.listed));
    for (int i = 0; i < row.listed; ++i) {
      EXPECT_EQ(encoders[i].version, uint32_t(i + 1));
      EXPECT_EQ(encoders[i].codecName, "");
      EXPECT_TRUE(encoders[i].sigPattern.empty());
    }
  }
}

namespace {

// Where a value that GDI+ hands out may lie in the buffer it filled. The
// stand-ins below end the buffer with four bytes after their records that
// count up from 1 (CountUp), and start it with a byte of 1. A place is
// counted from the first of those four bytes, or from the buffer's first
// byte; `holds` is what the value holds when it lies wholly inside the
// buffer, none when it does not.
struct ValuePlace {
  const char* name;
  ptrdiff_t from;
  bool fromBufferStart;
  UINT length;
  std::optional<std::vector<uint8_t>> holds;
  // The value's offset in a buffer whose records take `records` bytes.
  ptrdiff_t Offset(UINT records) const { return fromBufferStart ? from : ptrdiff_t(records) + from; }
};
constexpr UINT kValueBytes = 4;
const ValuePlace kValuePlaces[] = {
    {"one byte short of the buffer's end", 0, false, 3, std::vector<uint8_t>{1, 2, 3}},
    {"up to the buffer's end", 0, false, 4, std::vector<uint8_t>{1, 2, 3, 4}},
    {"one byte past the buffer's end", 0, false, 5, std::nullopt},
    {"empty at the buffer's end", 4, false, 0, std::vector<uint8_t>{}},
    {"a byte at the buffer's end", 4, false, 1, std::nullopt},
    {"a byte at the buffer's start", 0, true, 1, std::vector<uint8_t>{1}},
    {"from one byte before the buffer", -1, true, 2, std::nullopt},
};
void CountUp(uint8_t* first, uint8_t* end) {
  for (uint8_t* byte = first; byte < end; ++byte) *byte = uint8_t(byte - first + 1);
}

// An encoder's parameter list as GDI+ hands it out, given by stand-ins: a
// buffer of `size` bytes whose record says it holds `count` parameters, as
// many entries as the size has room for, the bytes after them counting up
// from 1, and the values of the first entry `offset` bytes from the buffer's
// start (each entry holds `values` bytes, one value of a byte each).
struct HandedList {
  UINT size, count;
  ptrdiff_t offset;
  UINT values;
};
HandedList handedList;
int listsAskedFor = 0;
Gdiplus::GpStatus WINGDIPAPI HandedListSize(Gdiplus::GpImage*, const CLSID*, UINT* size) {
  *size = handedList.size;
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI HandedListEntries(Gdiplus::GpImage*, const CLSID*, UINT size,
                                               Gdiplus::EncoderParameters* buffer) {
  ++listsAskedFor;
  constexpr UINT kHeader = offsetof(Gdiplus::EncoderParameters, Parameter);
  if (!buffer || size != handedList.size || size < kHeader) return Gdiplus::InvalidParameter;
  const UINT room = (size - kHeader) / sizeof(Gdiplus::EncoderParameter);
  auto* bytes = reinterpret_cast<uint8_t*>(buffer);
  CountUp(bytes + kHeader + room * sizeof(Gdiplus::EncoderParameter), bytes + size);
  buffer->Count = handedList.count;
  for (UINT i = 0; i < std::min(room, handedList.count); ++i) {
    buffer->Parameter[i].Guid = gdip::TextToGuid(kQualityCategory);
    buffer->Parameter[i].NumberOfValues = handedList.values;
    buffer->Parameter[i].Type = 1;  // bytes
    buffer->Parameter[i].Value = bytes + handedList.offset;
  }
  return Gdiplus::Ok;
}

}  // namespace

// A parameter's values are copied when they lie inside the buffer GDI+ was
// given, up to its last byte, and left out one byte past either end; no more
// parameters are read than the size has room for, and a size short of the
// list's count is refused before GDI+ is asked for the list.
TEST(ImageEncoders, AListedParametersValuesAreCopiedUpToTheEndOfTheBufferAndNoFurther) {
  constexpr UINT kHeader = offsetof(Gdiplus::EncoderParameters, Parameter), kEntry = sizeof(Gdiplus::EncoderParameter);
  constexpr UINT kOne = kHeader + kEntry;  // the values of one entry start here
  struct Row {
    std::string name;
    HandedList list;
    std::vector<std::vector<uint8_t>> values;  // of each parameter listed
    bool refused = false;
    Gdiplus::Status refusal = Gdiplus::InvalidParameter;
    int listsAskedFor = 0;  // when refused
  };
  // Values that do not lie wholly inside the buffer are left out.
  std::vector<Row> rows;
  for (const ValuePlace& place : kValuePlaces)
    rows.push_back({std::string("values ") + place.name, {kOne + kValueBytes, 1, place.Offset(kOne), place.length},
                    {place.holds.value_or(std::vector<uint8_t>{})}});
  rows.insert(rows.end(), {{"a count one past the room", {kOne + kEntry - 1, 2, kOne, 2}, {{1, 2}}},
                           {"a count as large as the room", {kOne + kEntry, 2, kOne + kEntry, 0}, {{}, {}}},
                           {"a list of nothing", {kHeader, 0, 0, 0}, {}},
                           {"a size one byte short of the count", {kHeader - 1, 0, 0, 0}, {}, true}});
  // Sizes that memory cannot hold, and parameters that each copy the same
  // large values (to 4 GB), are OutOfMemory; the caller's list stays.
  constexpr UINT kManyEntries = 64;
  constexpr UINT kEntries = kHeader + kManyEntries * kEntry;
  rows.insert(rows.end(), {{"a size past any list", {kPastAnyList, 0, 0, 0}, {}, true, Gdiplus::OutOfMemory},
                           {"a size that wraps in whole words", {kWrappingSize, 0, 0, 0}, {}, true,
                            Gdiplus::OutOfMemory},
                           {"a size of 2 GB", {kTwoGigabytes, 0, 0, 0}, {}, true, Gdiplus::OutOfMemory},
                           {"parameters that share large values",
                            {kEntries + kSharedValue, kManyEntries, kEntries, kSharedValue}, {}, true,
                            Gdiplus::OutOfMemory, 1}});
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn size = GDIPLUS_STAND_IN(GdipGetEncoderParameterListSize, HandedListSize);
  gdiptest::GdiplusStandIn list = GDIPLUS_STAND_IN(GdipGetEncoderParameterList, HandedListEntries);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    handedList = row.list;
    listsAskedFor = 0;
    gdip::EncoderParameters got = Quality(5);
    if (row.refused) {
      NativeObjectsBalance balance;
      EXPECT_FAILS_WITHOUT_THROWING(!bitmap.GetEncoderParameterList(kJpegFormat, got), row.refusal);
      EXPECT_EQ(listsAskedFor, row.listsAskedFor);
      EXPECT_EQ(got.parameters.size(), 1u);
      continue;
    }
    ASSERT_TRUE(bitmap.GetEncoderParameterList(kJpegFormat, got));
    ASSERT_EQ(got.parameters.size(), row.values.size());
    for (size_t i = 0; i < got.parameters.size(); ++i) {
      EXPECT_EQ(got.parameters[i].category, kQualityCategory);
      EXPECT_EQ(got.parameters[i].numberOfValues, row.list.values);
      EXPECT_EQ(got.parameters[i].value, row.values[i]) << i;
    }
  }
}

TEST(Image, AnAnimatedGifGivesItsFramesDelaysAndPropertyItems) {
  // 1 x 1, looping, three frames of 10, 20 and 30 hundredths of a second.
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF,
                              0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
  for (uint8_t delay : {10, 20, 30})
    gif.insert(gif.end(), {0x21, 0xF9, 4, 0, delay, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0});
  gif.push_back(0x3B);
  const char time[] = "{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}";
  gdip::Image image;
  std::vector<std::string> dimensions;
  ASSERT_TRUE(image.FromStream(gif) && image.GetFrameDimensionsList(dimensions));
  EXPECT_EQ(dimensions, std::vector<std::string>{time});
  EXPECT_EQ(image.GetFrameCount(time), 3u);
  std::vector<int32_t> delays;
  ASSERT_TRUE(image.GetFrameDelays(delays));
  EXPECT_EQ(delays, (std::vector<int32_t>{10, 20, 30}));
  gdip::PropertyItem item;
  ASSERT_TRUE(image.GetPropertyItem(gdip::kFrameDelayTag, item));
  EXPECT_EQ(item.type, 4u);  // long
  EXPECT_EQ(item.length, 12u);
  EXPECT_EQ(item.value, (std::vector<uint8_t>{10, 0, 0, 0, 20, 0, 0, 0, 30, 0, 0, 0}));
  // Its property ids: one for each of its items, the delays' among them, each of which comes.
  std::vector<uint32_t> ids = {99};
  const int count = image.GetPropertyIdList(ids);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  ASSERT_GT(count, 0);
  ASSERT_EQ(ids.size(), size_t(count));
  UINT items = 0;
  ASSERT_EQ(Gdiplus::DllExports::GdipGetPropertyCount(image.NativeImage(), &items), Gdiplus::Ok);
  EXPECT_EQ(items, UINT(count));
  EXPECT_NE(std::find(ids.begin(), ids.end(), gdip::kFrameDelayTag), ids.end());
  for (uint32_t id : ids) EXPECT_TRUE(image.GetPropertyItem(id, item)) << std::hex << id;
}

namespace {

// A picture of pages that are also frames in time: no picture Wine's GDI+
// reads has two dimensions, so stand-ins list them.
const GUID kTwoDimensions[] = {Gdiplus::FrameDimensionPage, Gdiplus::FrameDimensionTime};
Gdiplus::GpStatus WINGDIPAPI TwoDimensionsCount(Gdiplus::GpImage*, UINT* count) {
  *count = UINT(std::size(kTwoDimensions));
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI TwoDimensions(Gdiplus::GpImage*, GUID* dimensions, UINT count) {
  if (count != std::size(kTwoDimensions)) return Gdiplus::InvalidParameter;
  std::copy(std::begin(kTwoDimensions), std::end(kTwoDimensions), dimensions);
  return Gdiplus::Ok;
}

}  // namespace

TEST(Image, EveryFrameDimensionIsListed) {
  std::vector<std::string> dimensions = {"kept", "kept", "kept"};
  gdiptest::GdiplusStandIn count = GDIPLUS_STAND_IN(GdipImageGetFrameDimensionsCount, TwoDimensionsCount);
  gdiptest::GdiplusStandIn list = GDIPLUS_STAND_IN(GdipImageGetFrameDimensionsList, TwoDimensions);
  ASSERT_TRUE(PlaceBitmap(2, 2).GetFrameDimensionsList(dimensions));
  EXPECT_EQ(dimensions, (std::vector<std::string>{"{7462DC86-6180-4C7E-8E3F-EE7333A7A483}",
                                                  "{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}"}));
}

namespace {

// A count of frame dimensions as GDI+ answers it, given by stand-ins that
// count how often the dimensions themselves are asked for.
UINT handedDimensions = 0;
int dimensionsAskedFor = 0;
Gdiplus::GpStatus WINGDIPAPI HandedDimensionsCount(Gdiplus::GpImage*, UINT* count) {
  *count = handedDimensions;
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI DimensionsAskedFor(Gdiplus::GpImage*, GUID*, UINT) {
  ++dimensionsAskedFor;
  return Gdiplus::Ok;
}

}  // namespace

// A count of dimensions past any list (INT_MAX and UINT_MAX of them), or
// within it but past memory (2 GB of GUIDs), is OutOfMemory before GDI+ is
// asked for them; no exception leaves the library and the caller's list stays.
TEST(Image, AFrameDimensionCountMemoryCannotHoldIsOutOfMemory) {
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn count = GDIPLUS_STAND_IN(GdipImageGetFrameDimensionsCount, HandedDimensionsCount);
  gdiptest::GdiplusStandIn list = GDIPLUS_STAND_IN(GdipImageGetFrameDimensionsList, DimensionsAskedFor);
  for (UINT dimensions : {UINT(INT_MAX), UINT_MAX, kTwoGigabytes / UINT(sizeof(GUID))}) {
    SCOPED_TRACE(dimensions);
    handedDimensions = dimensions;
    dimensionsAskedFor = 0;
    std::vector<std::string> kept = {"kept"};
    NativeObjectsBalance balance;
    EXPECT_FAILS_WITHOUT_THROWING(!bitmap.GetFrameDimensionsList(kept), Gdiplus::OutOfMemory);
    EXPECT_EQ(dimensionsAskedFor, 0);
    EXPECT_EQ(kept, std::vector<std::string>{"kept"});
  }
}

TEST(Image, FailedGettersLeaveTheCallersValuesAlone) {
  gdip::Image empty, png;
  ASSERT_TRUE(png.FromStream(SmallPng()));
  std::vector<std::string> dimensions = {"kept"};
  EXPECT_FALSE(empty.GetFrameDimensionsList(dimensions));
  EXPECT_EQ(dimensions, std::vector<std::string>{"kept"});
  std::vector<int32_t> delays = {7, 7};
  EXPECT_FALSE(png.GetFrameDelays(delays));  // a picture without delays
  EXPECT_EQ(delays, (std::vector<int32_t>{7, 7}));
  std::vector<uint32_t> ids = {99};
  EXPECT_EQ(empty.GetPropertyIdList(ids), 0);
  EXPECT_EQ(ids, std::vector<uint32_t>{99});
  gdip::PropertyItem kept{0, 0, 0, {1}};
  EXPECT_FALSE(png.GetPropertyItem(0x0131, kept));  // no "software" tag
  EXPECT_EQ(kept.value, std::vector<uint8_t>{1});
  gdip::ColorPalette palette{0, {1, 2}};
  EXPECT_FALSE(empty.GetPalette(palette));
  EXPECT_EQ(palette.entries, (std::vector<gdip::Argb>{1, 2}));
  gdip::EncoderParameters parameters = Quality(5);
  EXPECT_FALSE(empty.GetEncoderParameterList(gdip::kPngFormat, parameters));
  EXPECT_EQ(parameters.parameters.at(0).category, kQualityCategory);
}

TEST(Image, APictureWithoutAPaletteGivesAnEmptyOne) {
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdip::ColorPalette palette{7, {1, 2, 3}};
  ASSERT_TRUE(bitmap.GetPalette(palette));
  EXPECT_EQ(palette.flags, 0u);
  EXPECT_TRUE(palette.entries.empty());
}

TEST(Image, APropertyItemLongerThanItsValueIsRefusedAndAWholePaletteRoundTrips) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(8, 8, PixelFormat8bppIndexed));
  gdip::PropertyItem item{0x010E /* image description */, 64, 2, {'a', 0}};
  EXPECT_REFUSED(!bitmap.SetPropertyItem(item));
  std::vector<uint32_t> ids = {99};
  EXPECT_EQ(bitmap.GetPropertyIdList(ids), 0);  // nothing was set: an empty list
  EXPECT_TRUE(ids.empty());
  gdip::ColorPalette palette, read;
  for (uint32_t i = 0; i < 256; ++i) palette.entries.push_back(0xFF000000u | (i << 16) | (255 - i));
  ASSERT_TRUE(bitmap.SetPalette(palette) && bitmap.GetPalette(read));
  EXPECT_EQ(read.entries, palette.entries);
}

namespace {

// What GDI+ was handed by the last property item set. Wine's GDI+ answers Ok
// and keeps nothing, so a stand-in looks at the record instead.
gdip::PropertyItem handedItem;
Gdiplus::GpStatus WINGDIPAPI KeepPropertyItem(Gdiplus::GpImage*, const Gdiplus::PropertyItem* item) {
  auto* value = static_cast<const uint8_t*>(item->value);
  handedItem = {item->id, item->length, item->type, value ? std::vector<uint8_t>(value, value + item->length) : std::vector<uint8_t>{}};
  return Gdiplus::Ok;
}

}  // namespace

// GDI+ is given the length the item says, not the size of its value buffer.
TEST(Image, APropertyItemGoesToGdiplusWithItsOwnLength) {
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn standIn = GDIPLUS_STAND_IN(GdipSetPropertyItem, KeepPropertyItem);
  const gdip::PropertyItem item{0x010E /* image description */, 4, 2, {'a', 'b', 'c', 0, 'x', 'y', 'z', 0}};
  ASSERT_TRUE(bitmap.SetPropertyItem(item));
  EXPECT_EQ(handedItem.id, 0x010Eu);
  EXPECT_EQ(handedItem.type, 2u);
  EXPECT_EQ(handedItem.length, 4u);
  EXPECT_EQ(handedItem.value, (std::vector<uint8_t>{'a', 'b', 'c', 0}));
}

namespace {

// A property item as GDI+ hands it out, given by stand-ins: a buffer of `size`
// bytes with the record at its start, the bytes after the record counting up
// from 1, and a value of `length` bytes `offset` bytes from the buffer's start.
// The stand-ins count how often the item itself is asked for.
struct HandedRecord {
  UINT size;
  ptrdiff_t offset;
  UINT length;
};
HandedRecord handedRecord;
int itemsAskedFor = 0;
Gdiplus::GpStatus WINGDIPAPI HandedRecordSize(Gdiplus::GpImage*, PROPID, UINT* size) {
  *size = handedRecord.size;
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI HandedRecordItem(Gdiplus::GpImage*, PROPID id, UINT size, Gdiplus::PropertyItem* buffer) {
  ++itemsAskedFor;
  if (!buffer || size != handedRecord.size || size < sizeof(Gdiplus::PropertyItem)) return Gdiplus::InvalidParameter;
  auto* bytes = reinterpret_cast<uint8_t*>(buffer);
  CountUp(bytes + sizeof(Gdiplus::PropertyItem), bytes + size);
  buffer->id = id;
  buffer->length = handedRecord.length;
  buffer->type = 1;  // bytes
  buffer->value = bytes + handedRecord.offset;
  return Gdiplus::Ok;
}

}  // namespace

// The value GDI+ hands out is taken when it lies inside the buffer GDI+ was
// given, up to its last byte, and refused one byte past either end; a buffer
// that cannot hold the record is refused before GDI+ is asked to fill it.
TEST(Image, APropertyItemsValueIsTakenUpToTheEndOfItsBufferAndRefusedOneBytePast) {
  constexpr UINT kRecord = sizeof(Gdiplus::PropertyItem);
  constexpr uint32_t kId = 0x0101;  // the image's height; the record's first byte is 1
  struct Row {
    std::string name;
    HandedRecord record;
    std::optional<std::vector<uint8_t>> value;  // none: refused
    Gdiplus::Status refusal = Gdiplus::InvalidParameter;
  };
  std::vector<Row> rows;
  for (const ValuePlace& place : kValuePlaces)
    rows.push_back({std::string("a value ") + place.name, {kRecord + kValueBytes, place.Offset(kRecord), place.length},
                    place.holds});
  rows.insert(rows.end(),
              {{"a record that fills the buffer, without a value", {kRecord, kRecord, 0}, std::vector<uint8_t>{}},
               {"a buffer one byte short of the record", {kRecord - 1, kRecord - 1, 0}, std::nullopt},
               // Memory cannot hold these: OutOfMemory, before GDI+ is asked to fill them.
               {"a buffer past any list", {kPastAnyList, kRecord, 0}, std::nullopt, Gdiplus::OutOfMemory},
               {"a buffer that wraps in whole words", {kWrappingSize, kRecord, 0}, std::nullopt, Gdiplus::OutOfMemory},
               {"a buffer of 2 GB", {kTwoGigabytes, kRecord, 0}, std::nullopt, Gdiplus::OutOfMemory}});
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn size = GDIPLUS_STAND_IN(GdipGetPropertyItemSize, HandedRecordSize);
  gdiptest::GdiplusStandIn item = GDIPLUS_STAND_IN(GdipGetPropertyItem, HandedRecordItem);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    handedRecord = row.record;
    itemsAskedFor = 0;
    gdip::PropertyItem got{9, 9, 9, {9}};
    if (!row.value) {
      NativeObjectsBalance balance;
      EXPECT_FAILS_WITHOUT_THROWING(!bitmap.GetPropertyItem(kId, got), row.refusal);
      EXPECT_EQ(got.value, std::vector<uint8_t>{9});
      EXPECT_EQ(itemsAskedFor, row.record.size < kRecord || row.refusal == Gdiplus::OutOfMemory ? 0 : 1);
      continue;
    }
    ASSERT_TRUE(bitmap.GetPropertyItem(kId, got));
    EXPECT_EQ(got.id, kId);
    EXPECT_EQ(got.length, row.record.length);
    EXPECT_EQ(got.type, 1u);
    EXPECT_EQ(got.value, *row.value);
  }
}

// A length up to the value's bytes goes to GDI+ as it is, one byte past them
// is refused before GDI+ sees it; so is a type that GDI+'s record (a WORD)
// cannot hold.
TEST(Image, APropertyItemsLengthIsTakenUpToItsValuesBytesAndRefusedOneBytePast) {
  const struct {
    const char* name;
    uint32_t length, type;
    bool taken;
  } rows[] = {
      {"a length one byte short of the value", 3, 2, true},
      {"a length of exactly the value", 4, 2, true},
      {"a length one byte past the value", 5, 2, false},
      {"the largest type", 4, 0xFFFF, true},
      {"a type past a WORD", 4, 0x10000, false},
  };
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn standIn = GDIPLUS_STAND_IN(GdipSetPropertyItem, KeepPropertyItem);
  const std::vector<uint8_t> value = {'a', 'b', 'c', 0};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    handedItem = {0, 0, 0, {}};
    if (!row.taken) {
      EXPECT_REFUSED(!bitmap.SetPropertyItem({0x010E, row.length, row.type, value}));
      EXPECT_EQ(handedItem.id, 0u) << "GDI+ was given the item";
      continue;
    }
    ASSERT_TRUE(bitmap.SetPropertyItem({0x010E, row.length, row.type, value}));
    EXPECT_EQ(handedItem.id, 0x010Eu);
    EXPECT_EQ(handedItem.type, row.type);
    EXPECT_EQ(handedItem.length, row.length);
    EXPECT_EQ(handedItem.value, std::vector<uint8_t>(value.begin(), value.begin() + row.length));
  }
}

namespace {

// A palette as GDI+ hands it out, given by stand-ins: `size` bytes, a record
// that says it holds `count` entries, and as many entries (1, 2, ...) as the
// size has room for. The stand-ins count how often the palette is asked for.
struct HandedPalette {
  INT size;
  UINT count;
};
HandedPalette handedPalette;
int palettesAskedFor = 0;
Gdiplus::GpStatus WINGDIPAPI HandedPaletteSize(Gdiplus::GpImage*, INT* size) {
  *size = handedPalette.size;
  return Gdiplus::Ok;
}
Gdiplus::GpStatus WINGDIPAPI HandedPaletteEntries(Gdiplus::GpImage*, Gdiplus::ColorPalette* palette, INT size) {
  ++palettesAskedFor;
  if (size != handedPalette.size || size < INT(2 * sizeof(UINT))) return Gdiplus::InvalidParameter;
  palette->Flags = Gdiplus::PaletteFlagsHasAlpha;
  palette->Count = handedPalette.count;
  for (INT i = 0; i < (size - INT(2 * sizeof(UINT))) / INT(sizeof(Gdiplus::ARGB)); ++i) palette->Entries[i] = i + 1;
  return Gdiplus::Ok;
}

}  // namespace

// The entries taken are those the palette's record says it holds, but never
// more than the size GDI+ gave has room for; a size short of the record's two
// words is refused before GDI+ is asked for the palette.
TEST(Image, APalettesEntriesAreTakenUpToTheRoomOfItsSize) {
  const INT kRecord = 2 * sizeof(UINT), kEntry = sizeof(Gdiplus::ARGB);
  const struct {
    const char* name;
    HandedPalette palette;
    std::vector<gdip::Argb> entries;
    bool refused = false;
    Gdiplus::Status refusal = Gdiplus::InvalidParameter;
  } rows[] = {
      {"a size one byte short of the record", {kRecord - 1, 0}, {}, true},
      {"a record without entries", {kRecord, 0}, {}},
      {"one entry fewer than the room", {kRecord + 3 * kEntry, 2}, {1, 2}},
      {"as many entries as the room", {kRecord + 3 * kEntry, 3}, {1, 2, 3}},
      {"a count one past the room", {kRecord + 3 * kEntry, 4}, {1, 2, 3}},
      {"a count one past a room of none", {kRecord, 1}, {}},
      // Memory cannot hold these: OutOfMemory, before GDI+ is asked for the palette.
      {"a size past any list", {INT(kPastAnyList), 0}, {}, true, Gdiplus::OutOfMemory},
      {"a size of 2 GB", {INT(kTwoGigabytes), 0}, {}, true, Gdiplus::OutOfMemory},
  };
  gdip::Bitmap bitmap = PlaceBitmap(2, 2);
  gdiptest::GdiplusStandIn size = GDIPLUS_STAND_IN(GdipGetImagePaletteSize, HandedPaletteSize);
  gdiptest::GdiplusStandIn entries = GDIPLUS_STAND_IN(GdipGetImagePalette, HandedPaletteEntries);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    handedPalette = row.palette;
    palettesAskedFor = 0;
    gdip::ColorPalette got{7, {9}};
    if (row.refused) {
      NativeObjectsBalance balance;
      EXPECT_FAILS_WITHOUT_THROWING(!bitmap.GetPalette(got), row.refusal);
      EXPECT_EQ(got.entries, std::vector<gdip::Argb>{9});
      EXPECT_EQ(palettesAskedFor, 0);
      continue;
    }
    ASSERT_TRUE(bitmap.GetPalette(got));
    EXPECT_EQ(got.flags, unsigned(Gdiplus::PaletteFlagsHasAlpha));
    EXPECT_EQ(got.entries, row.entries);
  }
}

TEST(Bitmap, RotationGeometryUsesTheWholeWidthAndHeight) {
  struct Case { float width, height; int angle; float expectedWidth, expectedHeight; } cases[] = {
      {100, 50, 0, 100, 50}, {100, 50, 90, 50, 100}, {100, 50, 45, 150 * std::sqrt(0.5f), 150 * std::sqrt(0.5f)},
      {30, 20, 180, 30, 20}};
  for (const Case& c : cases) {
    gdip::SizeF size = gdip::Bitmap::RotationGeometry(c.width, c.height, c.angle);
    EXPECT_NEAR(size.width, c.expectedWidth, 1e-3) << c.angle;
    EXPECT_NEAR(size.height, c.expectedHeight, 1e-3) << c.angle;
  }
}

// Turned past a right angle, the other diagonal gives the width or the height.
TEST(Bitmap, RotationGeometryPastARightAngleSpansBothDiagonals) {
  for (int angle : {100, 190, 280, -100, 135}) {
    SCOPED_TRACE(angle);
    const double radians = angle * std::numbers::pi / 180;
    const double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    gdip::SizeF size = gdip::Bitmap::RotationGeometry(100, 50, angle);
    EXPECT_NEAR(size.width, 100 * c + 50 * s, 1e-3);
    EXPECT_NEAR(size.height, 100 * s + 50 * c, 1e-3);
  }
}

// The red left and blue right half of a 40 x 20 picture, turned about its
// centre: each half's middle lands where the turn takes it, and no part of
// either half is cut off.
TEST(Bitmap, RotateDrawIntoPastARightAngleKeepsTheWholePicture) {
  gdip::Bitmap source = TwoColourBitmap(40, 20, kRed, kBlue);
  for (int angle : {100, 190, 280}) {
    SCOPED_TRACE(angle);
    const double radians = angle * std::numbers::pi / 180;
    const double c = std::cos(radians), s = std::sin(radians);
    gdip::Bitmap turned;
    ASSERT_TRUE(source.RotateDrawInto(float(angle), turned));
    const int width = turned.GetWidth(), height = turned.GetHeight();
    EXPECT_EQ(width, int(40 * std::abs(c) + 20 * std::abs(s)));
    EXPECT_EQ(height, int(40 * std::abs(s) + 20 * std::abs(c)));
    const double cx = width / 2.0, cy = height / 2.0;
    ExpectPixels(turned, {{int(std::lround(cx - 10 * c)), int(std::lround(cy - 10 * s)), kRed},
                          {int(std::lround(cx + 10 * c)), int(std::lround(cy + 10 * s)), kBlue}}, 0);
    int red = 0, blue = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        gdip::Argb pixel = turned.GetPixel(x, y);
        if (gdip::ArgbAlpha(pixel) < 128) continue;
        (gdip::ArgbRed(pixel) > gdip::ArgbBlue(pixel) ? red : blue)++;
      }
    EXPECT_NEAR(red, 400, 40);
    EXPECT_NEAR(blue, 400, 40);
  }
}

TEST(Bitmap, RotateDrawIntoTurnsTheWholePicture) {
  gdip::Bitmap source = TwoColourBitmap(40, 20, kRed, kBlue), same, quarter;
  ASSERT_TRUE(source.RotateDrawInto(0, same));
  EXPECT_EQ(same.GetBounds(), (gdip::RectF{0, 0, 40, 20}));
  ExpectPixels(same, {{2, 10, kRed}, {39, 19, kBlue}}, 0);  // the last column and row survive
  ASSERT_TRUE(source.RotateDrawInto(90, quarter));
  EXPECT_EQ(quarter.GetBounds(), (gdip::RectF{0, 0, 20, 40}));
  ExpectPixels(quarter, {{10, 8, kRed}, {10, 32, kBlue}}, 0);  // clockwise: the left half comes to the top
  ASSERT_TRUE(source.RotateDrawInto(-90, source));  // into itself
  EXPECT_EQ(source.GetBounds(), (gdip::RectF{0, 0, 20, 40}));
  ExpectPixels(source, {{10, 32, kRed}, {10, 8, kBlue}}, 0);
  EXPECT_FALSE(gdip::Bitmap().RotateDrawInto(30, quarter));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
}

TEST(Bitmap, RotateDrawIntoFillsTheCornersAndHonoursAGivenSize) {
  gdip::Bitmap source = TwoColourBitmap(40, 40, kRed, kRed), turned, sized;
  ASSERT_TRUE(source.RotateDrawInto(45, turned, kGreen, Gdiplus::InterpolationModeNearestNeighbor));
  int size = turned.GetWidth();
  EXPECT_NEAR(size, 56, 1);
  ExpectPixels(turned, {{2, 2, kGreen}, {size - 3, size - 3, kGreen}, {size / 2, size / 2, kRed}}, 0);
  ASSERT_TRUE(source.RotateDrawInto(0, sized, std::nullopt, std::nullopt, gdip::SizeF{60, 50}));
  EXPECT_EQ(sized.GetBounds(), (gdip::RectF{0, 0, 60, 50}));
  ExpectPixels(sized, {{30, 25, kRed}, {3, 25, 0}}, 0);  // centred; no fill: transparent
  // A given size is cut to whole pixels, fractions above one half too.
  ASSERT_TRUE(source.RotateDrawInto(0, sized, std::nullopt, std::nullopt, gdip::SizeF{30.7f, 20.6f}));
  EXPECT_EQ(sized.GetBounds(), (gdip::RectF{0, 0, 30, 20}));
  // Wider than high, turned or given: the fill reaches every corner of the new bitmap.
  gdip::Bitmap wide = TwoColourBitmap(40, 20, kRed, kRed);
  ASSERT_TRUE(wide.RotateDrawInto(30, turned, kGreen, Gdiplus::InterpolationModeNearestNeighbor));
  const int width = turned.GetWidth(), height = turned.GetHeight();
  ASSERT_EQ(width, 44);  // 40 cos 30° + 20 sin 30°, by 40 sin 30° + 20 cos 30°
  ASSERT_EQ(height, 37);
  ExpectPixels(turned, {{1, 1, kGreen}, {width - 2, 1, kGreen}, {1, height - 2, kGreen},
                        {width - 2, height - 2, kGreen}, {width / 2, height / 2, kRed}}, 0);
  ASSERT_TRUE(wide.RotateDrawInto(0, sized, kGreen, std::nullopt, gdip::SizeF{60, 30}));
  ExpectPixels(sized, {{57, 2, kGreen}, {57, 27, kGreen}, {2, 27, kGreen}, {30, 15, kRed}}, 0);
}

// A picture of 96 dots per inch across and 300 down turned into a new
// bitmap: whatever the angle, a quarter turn too, the new bitmap has the
// source's resolutions as they were, and holds the very pixels that the same
// picture at one resolution turns into (drawn one to one, turned).
TEST(Bitmap, RotateDrawIntoKeepsUnequalResolutionsAsTheyAreAndDrawsPixelForPixel) {
  gdip::Bitmap even = TwoColourBitmap(40, 20, kRed, kBlue), uneven = TwoColourBitmap(40, 20, kRed, kBlue);
  ASSERT_TRUE(uneven.SetResolution(96, 300));
  const struct {
    float angle;
    std::optional<gdip::SizeF> size;
  } turns[] = {{0, {}}, {90, {}}, {-90, {}}, {45, {}}, {180, {}}, {90, gdip::SizeF{30, 50}}};
  for (const auto& turn : turns) {
    SCOPED_TRACE(testing::Message() << turn.angle << (turn.size ? " sized" : ""));
    gdip::Bitmap fromEven, fromUneven;
    ASSERT_TRUE(even.RotateDrawInto(turn.angle, fromEven, std::nullopt, std::nullopt, turn.size) &&
                uneven.RotateDrawInto(turn.angle, fromUneven, std::nullopt, std::nullopt, turn.size));
    EXPECT_FLOAT_EQ(fromUneven.GetHorizontalResolution(), 96);
    EXPECT_FLOAT_EQ(fromUneven.GetVerticalResolution(), 300);
    ASSERT_EQ(fromUneven.GetBounds(), fromEven.GetBounds());
    int differ = 0;
    for (int y = 0; y < fromEven.GetHeight(); ++y)
      for (int x = 0; x < fromEven.GetWidth(); ++x) differ += fromUneven.GetPixel(x, y) != fromEven.GetPixel(x, y);
    EXPECT_EQ(differ, 0);
  }
}

namespace {

int bitmapsAsked = 0;
Gdiplus::GpStatus WINGDIPAPI CountBitmapMade(INT, INT, INT, Gdiplus::PixelFormat, BYTE*, Gdiplus::GpBitmap**) {
  ++bitmapsAsked;
  return Gdiplus::InvalidParameter;
}

}  // namespace

// The size comes from the angle cut toward zero to whole degrees (10.6 and
// -10.6 turn a 100 x 50 picture into 107.2 x 66.6, 11 degrees would give
// 107.7 x 68.2), cut to whole pixels; an angle or a size past what an int
// holds is refused, and the target keeps what it held.
TEST(Bitmap, RotateDrawIntoCutsTheAngleAndTheSizeTowardZeroAndRefusesWhatNoIntHolds) {
  gdip::Bitmap source = TwoColourBitmap(100, 50, kRed, kBlue), target = PlaceBitmap(2, 2);
  for (float angle : {10.6f, -10.6f}) {
    gdip::Bitmap turned;
    ASSERT_TRUE(source.RotateDrawInto(angle, turned)) << angle;
    EXPECT_EQ(turned.GetBounds(), (gdip::RectF{0, 0, 107, 66})) << angle;
  }
  const gdip::NativeHandle held = target.GetNativeObject();
  for (float angle : {2147483648.0f, -2147483904.0f, std::nanf(""), INFINITY}) {
    EXPECT_REFUSED(!source.RotateDrawInto(angle, target));
    EXPECT_EQ(target.GetNativeObject(), held) << angle;
  }
  for (gdip::SizeF size : {gdip::SizeF{2147483648.0f, 10}, gdip::SizeF{10, 2147483648.0f}, gdip::SizeF{std::nanf(""), 10}}) {
    EXPECT_REFUSED(!source.RotateDrawInto(0, target, std::nullopt, std::nullopt, size));
    EXPECT_EQ(target.GetNativeObject(), held) << size.width;
  }
  {
    // Refused before GDI+ is asked for the new bitmap.
    gdiptest::GdiplusStandIn standIn = GDIPLUS_STAND_IN(GdipCreateBitmapFromScan0, CountBitmapMade);
    bitmapsAsked = 0;
    EXPECT_REFUSED(!source.RotateDrawInto(2147483648.0f, target));
    EXPECT_REFUSED(!source.RotateDrawInto(0, target, std::nullopt, std::nullopt, gdip::SizeF{2147483648.0f, 10}));
    EXPECT_REFUSED(!source.RotateDrawInto(0, target, std::nullopt, std::nullopt, gdip::SizeF{10, 2147483648.0f}));
    EXPECT_EQ(bitmapsAsked, 0);
  }
  // The whole number of degrees nearest the edge that an int holds turns the picture.
  EXPECT_TRUE(source.RotateDrawInto(-2147483648.0f, target));
  // With a size given the angle sets no size: any angle turns the picture.
  ASSERT_TRUE(source.RotateDrawInto(2147483648.0f, target, std::nullopt, std::nullopt, gdip::SizeF{20, 10}));
  EXPECT_EQ(target.GetBounds(), (gdip::RectF{0, 0, 20, 10}));
}

TEST(Bitmap, GdiBitmapsAndIconsComeOwnedAndLoadBack) {
  long live = platform::LiveGdiObjectCount();
  gdip::Bitmap source = TwoColourBitmap(8, 4, 0, kBlue), empty;  // left half transparent
  {
    platform::GdiBitmap handle = source.GetHBITMAP(kRed);
    ASSERT_TRUE(handle);
    EXPECT_EQ(platform::LiveGdiObjectCount(), live + 1);
    gdip::Bitmap back, fromIcon;
    ASSERT_TRUE(back.CreateFromHBITMAP(handle.get()));
    EXPECT_EQ(back.GetPixel(1, 1) & 0xFFFFFF, kRed & 0xFFFFFF);  // composed on the background
    EXPECT_EQ(back.GetPixel(6, 1) & 0xFFFFFF, kBlue & 0xFFFFFF);
    platform::OwnedIcon icon = source.GetHICON();
    ASSERT_TRUE(icon && fromIcon.CreateFromHICON(icon.get()));
    EXPECT_EQ(fromIcon.GetPixel(6, 1), kBlue);
  }
  {
    platform::GdiBitmap onBlack = source.GetHBITMAP();  // the background left out: 0, black
    gdip::Bitmap back;
    ASSERT_TRUE(onBlack && back.CreateFromHBITMAP(onBlack.get()));
    EXPECT_EQ(back.GetPixel(1, 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(back.GetPixel(6, 1) & 0xFFFFFF, kBlue & 0xFFFFFF);
  }
  EXPECT_EQ(platform::LiveGdiObjectCount(), live);
  EXPECT_FALSE(empty.GetHBITMAP() || empty.GetHICON());
  EXPECT_EQ(platform::LiveGdiObjectCount(), live);
}
