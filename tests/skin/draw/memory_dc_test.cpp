// Memory DCs and keyed copies: the surfaces the engine paints on, as the
// drawing vocabulary makes and copies them.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "skin/draw/keyed_copy.h"
#include "skin/draw/memory_dc.h"
#include "tests/skin/draw/surface_fixture.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using korvath::platform::GdiBrush;
using testsupport::TestWindow;

TEST_F(SurfaceTest, MemoryDCsAreFreedOnlyWhenRegisteredAndOnlyOnce) {
  HDC dc = SkinCreateMemoryDC(RECT{10, 20, 110, 70});
  BitsOf(dc)[0] = 0x00FFFFFF;  // bottom-up, as the height was given
  EXPECT_EQ(GetPixel(dc, 0, 49), RGB(255, 255, 255));
  HDC empty = SkinCreateMemoryDC(RECT{5, 5, 5, 40});  // a zero size still gives a DC
  korvath::platform::MemoryDC foreign = korvath::platform::MemoryDC::CompatibleWith(nullptr);
  EXPECT_FALSE(SkinMemoryDcFree(foreign.get()));
  EXPECT_EQ(GetObjectType(foreign.get()), static_cast<DWORD>(OBJ_MEMDC));  // left alone
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  EXPECT_TRUE(SkinMemoryDcFree(dc));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_FALSE(SkinMemoryDcFree(dc));
  EXPECT_TRUE(SkinMemoryDcFree(empty));
}

// A picture is copied whole, except its pixels of the key colour, which
// leave what the target showed there: to the byte what TransparentBlt makes,
// clipping included, whether the key is nowhere, in the area the caller
// filled with it, or also elsewhere; and the same on a window.
TEST_F(SurfaceTest, KeyedCopiesAreWhatTransparentBltMakes) {
  constexpr COLORREF kKey = RGB(255, 0, 255);
  constexpr int kTargetWidth = kWidth + 30, kTargetHeight = kHeight + 20;
  constexpr RECT kFilled{30, 20, 70, 50};
  TestWindow form(300, 200, L"form");
  const struct {
    const char* name;
    bool fill;                     // the key fills kFilled
    std::optional<RECT> keyArea;   // what the caller says it filled
    int strayKey;                  // a key pixel elsewhere (a bit index), or -1
    uint32_t strayBits = 0x00FF00FFu;  // that pixel's four bytes
  } cases[] = {
      {"no key", false, std::nullopt, -1},
      {"no key, an area named", false, kFilled, -1},
      {"key in its area", true, kFilled, -1},
      {"key in its area and elsewhere", true, kFilled, 0},
      // A key pixel whose fourth byte is not 0 is the key all the same.
      {"key in its area and elsewhere with a fourth byte", true, kFilled, 0, 0xFFFF00FFu},
      {"key with no area named", true, std::nullopt, -1},
      {"key elsewhere only", false, std::nullopt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SkinMemoryDc picture = SkinMemoryDc::Create(kWidth, kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) {
      BitsOf(picture.get())[i] = (uint32_t(i) * 0x01030507u) ^ (i % 3 ? 0x5A000000u : 0xFF000000u);
      if ((BitsOf(picture.get())[i] & 0x00FFFFFFu) == 0x00FF00FFu) BitsOf(picture.get())[i] ^= 1;
    }
    if (c.fill) FillRect(picture.get(), &kFilled, GdiBrush(CreateSolidBrush(kKey)).get());
    if (c.strayKey >= 0) BitsOf(picture.get())[c.strayKey] = c.strayBits;  // bottom-up: the lower left corner
    SkinMemoryDc expected = SkinMemoryDc::Create(kTargetWidth, kTargetHeight);
    SkinMemoryDc copied = SkinMemoryDc::Create(kTargetWidth, kTargetHeight);
    for (HDC target : {expected.get(), copied.get()}) {
      for (int i = 0; i < kTargetWidth * kTargetHeight; ++i) BitsOf(target)[i] = 0x80112233u + uint32_t(i) * 77;
      ExcludeClipRect(target, 12, 10, 20, 18);
    }
    TransparentBlt(expected.get(), 5, 7, kWidth, kHeight, picture.get(), 0, 0, kWidth, kHeight, kKey);
    SkinKeyedCopy(copied.get(), RECT{5, 7, 5 + kWidth, 7 + kHeight}, picture.get(), kKey, c.keyArea);
    GdiFlush();
    int differing = 0;
    for (int i = 0; i < kTargetWidth * kTargetHeight; ++i) differing += BitsOf(expected.get())[i] != BitsOf(copied.get())[i];
    EXPECT_EQ(differing, 0);

    korvath::platform::WindowDC window = korvath::platform::WindowDC::Client(form.hwnd());
    RECT all{0, 0, 300, 200};
    FillRect(window.get(), &all, GdiBrush(CreateSolidBrush(RGB(0, 0, 255))).get());
    SkinKeyedCopy(window.get(), RECT{0, 0, kWidth, kHeight}, picture.get(), kKey, c.keyArea);
    const auto shown = testsupport::CaptureDC(window.get(), 0, 0, kWidth + 10, kHeight + 10);
    EXPECT_EQ(shown.RgbAt(0, kHeight - 1), c.strayKey == 0 ? 0x0000FFu : 0u);
    EXPECT_EQ(shown.RgbAt(1, kHeight - 1), 0x030507u);
    EXPECT_EQ(shown.RgbAt(40, 30), c.fill ? 0x0000FFu : 0u + (BitsOf(picture.get())[(kHeight - 1 - 30) * kWidth + 40] & 0x00FFFFFFu));
    EXPECT_EQ(shown.RgbAt(kWidth, 0), 0x0000FFu);
  }
}

}  // namespace
