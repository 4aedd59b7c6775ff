#include "app/model_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/pinyin.h"
#include "platform/text_commands.h"

namespace korvath::app {
namespace {

TEST(ModelNames, TwentyDistinctNamesOfGb2312Characters) {
  const auto& names = ModelNames();
  std::set<std::string> seen;
  for (const char* name : names) {
    ASSERT_NE(name, nullptr);
    const std::string text = name;
    EXPECT_GE(text.size(), 4u) << text;
    EXPECT_TRUE(seen.insert(text).second) << text;
    // Whole two-byte characters only, each with a pinyin reading: the combo
    // box shows them and a name typed from them gives a file name.
    ASSERT_EQ(text.size() % 2, 0u);
    for (size_t i = 0; i < text.size(); i += 2) {
      EXPECT_EQ(platform::GbkCharLength(text, i), 2u) << text;
      EXPECT_FALSE(platform::GetPinyin(text.substr(i)).empty()) << text;
    }
  }
  EXPECT_EQ(seen.size(), 20u);
  EXPECT_EQ(std::string(names[0]), "\xBD\xA3\xBF\xCD");  // 剑客 stands first
}

}  // namespace
}  // namespace korvath::app
