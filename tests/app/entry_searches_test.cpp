// Typing and saving find every skinned control's container entries by the
// numbers the windows carry: no entry list of the engine is searched on the
// way (SkinEntryListSearches counts every search).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/core/window_list.h"
#include "tests/app/document_fixture.h"

namespace korvath::app::uitest {
namespace {

class EntrySearchTest : public DocumentTest {
 protected:
  // The name box painted again, frame included, with what lies around it.
  void RepaintNameBox() {
    RedrawWindow(H(名字编辑框), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  }
  // The name box holding `name`, painted, and the count taken from here on.
  void StartWith(const std::wstring& name) {
    TypeInto(名字编辑框, name);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(H(名字编辑框)) == name; }));
    RepaintNameBox();
    start_ = skin::SkinEntryListSearches();
  }
  uint64_t Searches() const { return skin::SkinEntryListSearches() - start_; }
  uint64_t start_ = 0;
};

// The name box sits in a panel inside a group box: each paint of its frame
// walks up through both.
TEST_F(EntrySearchTest, TypingInTheNameBoxSearchesNoList) {
  StartWith(L"张");
  TypeText(L"三");
  ASSERT_TRUE(PumpUntil([&] { return WindowText(H(名字编辑框)) == L"张三"; }));
  EXPECT_EQ(Searches(), 0u) << "typing one character";
  RepaintNameBox();
  EXPECT_EQ(Searches(), 0u) << "and a repaint of the box";
}

// From the click on "生成并保存" to the notice closing.
TEST_F(EntrySearchTest, ASaveSearchesNoList) {
  StartWith(L"张三");
  const std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + zhangSan_ + "]已经生成!"));
  EXPECT_EQ(Searches(), 0u);
}

}  // namespace
}  // namespace korvath::app::uitest
