// The memory stream under every picture loaded from bytes or saved to bytes.
#include "gdip/memory_stream.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

namespace gdip = korvath::gdip;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string ReadAll(IStream* stream) {
  std::string text(64, '\0');
  ULONG read = 0;
  EXPECT_EQ(stream->Read(text.data(), ULONG(text.size()), &read), S_OK);
  text.resize(read);
  return text;
}

}  // namespace

TEST(MemoryStream, BytesAreCopiedIntoABlockWithTheStreamAtItsStart) {
  gdip::MemoryStream stream;
  std::vector<uint8_t> bytes = Bytes("embedded picture");
  IStream* com = stream.CreateFromBytes(bytes);
  ASSERT_NE(com, nullptr);
  EXPECT_EQ(stream.GetStream(), com);
  EXPECT_NE(stream.GetGlobalHandle(), nullptr);
  EXPECT_EQ(stream.GetSize(), bytes.size());
  bytes[0] = 'X';  // a copy, not the caller's memory
  EXPECT_EQ(ReadAll(com), "embedded picture");
  EXPECT_EQ(stream.GetBytes(), Bytes("embedded picture"));
}

TEST(MemoryStream, AGivenSizeTakesThatManyBytesAndALongerOneIsRefused) {
  gdip::MemoryStream stream;
  std::vector<uint8_t> bytes = Bytes("abcdef");
  ASSERT_NE(stream.CreateFromBytes(bytes, 3), nullptr);
  EXPECT_EQ(stream.GetBytes(), Bytes("abc"));

  EXPECT_EQ(stream.CreateFromBytes(bytes, 7), nullptr);
  EXPECT_EQ(stream.GetStream(), nullptr);
  EXPECT_EQ(stream.GetGlobalHandle(), nullptr);
  EXPECT_EQ(stream.GetSize(), 0u);
}

TEST(MemoryStream, AnEmptyStreamGrowsWithWhatIsWrittenAndGetBytesIgnoresTheSeekPosition) {
  gdip::MemoryStream stream;
  IStream* com = stream.CreateFromBytes();
  ASSERT_NE(com, nullptr);
  EXPECT_EQ(stream.GetSize(), 0u);
  EXPECT_TRUE(stream.GetBytes().empty());
  ULONG written = 0;
  ASSERT_EQ(com->Write("written", 7, &written), S_OK);
  EXPECT_EQ(stream.GetBytes(), Bytes("written"));
  LARGE_INTEGER start = {};
  com->Seek(start, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(stream.GetBytes(), Bytes("written"));
}

TEST(MemoryStream, ASecondCreateReleasesTheFirstStream) {
  gdip::MemoryStream stream;
  std::vector<uint8_t> bytes = Bytes("first");
  IStream* first = stream.CreateFromBytes(bytes);
  ASSERT_NE(first, nullptr);
  first->AddRef();
  ASSERT_NE(stream.CreateFromBytes(Bytes("second")), nullptr);
  EXPECT_NE(stream.GetStream(), first);
  // Only the reference taken here is left.
  EXPECT_EQ(first->Release(), 0u);
  EXPECT_EQ(stream.GetBytes(), Bytes("second"));
}

TEST(MemoryStream, ReleaseEmptiesAndIsHarmlessWhenEmpty) {
  gdip::MemoryStream stream;
  stream.Release();
  EXPECT_EQ(stream.GetSize(), 0u);
  EXPECT_TRUE(stream.GetBytes().empty());
  ASSERT_NE(stream.CreateFromBytes(Bytes("x")), nullptr);
  stream.Release();
  stream.Release();
  EXPECT_EQ(stream.GetStream(), nullptr);
  EXPECT_EQ(stream.GetGlobalHandle(), nullptr);
}

TEST(MemoryStream, AttachTakesOverAStreamOnGlobalMemory) {
  IStream* com = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, FALSE, &com), S_OK);
  ULONG written = 0;
  com->Write("attached", 8, &written);
  gdip::MemoryStream stream;
  EXPECT_TRUE(stream.AttachStream(com));
  EXPECT_EQ(stream.GetStream(), com);
  EXPECT_NE(stream.GetGlobalHandle(), nullptr);
  EXPECT_EQ(stream.GetBytes(), Bytes("attached"));
}

TEST(MemoryStream, AttachOfAStreamWithoutGlobalMemoryHoldsItButFindsNoBlock) {
  IStream* com = SHCreateMemStream(reinterpret_cast<const BYTE*>("abc"), 3);
  ASSERT_NE(com, nullptr);
  gdip::MemoryStream stream;
  EXPECT_FALSE(stream.AttachStream(com));
  EXPECT_EQ(stream.GetStream(), com);
  EXPECT_EQ(stream.GetGlobalHandle(), nullptr);
  EXPECT_TRUE(stream.GetBytes().empty());
}

TEST(MemoryStream, MovesHandOverTheStream) {
  gdip::MemoryStream first;
  IStream* com = first.CreateFromBytes(Bytes("moved"));
  gdip::MemoryStream second(std::move(first));
  EXPECT_EQ(first.GetStream(), nullptr);
  EXPECT_EQ(second.GetStream(), com);
  gdip::MemoryStream third;
  third.CreateFromBytes(Bytes("other"));
  third = std::move(second);
  EXPECT_EQ(third.GetBytes(), Bytes("moved"));
  static_assert(!std::is_copy_constructible_v<gdip::MemoryStream>);
}
