#include "app/model_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/pinyin.h"

// Twenty distinct names of whole GB2312 characters with a reading each: the
// combo box shows them and a name typed from them gives a file name.
TEST(ModelNames, TwentyDistinctNamesOfGb2312Characters) {
  std::set<std::string> seen;
  for (const char* name : korvath::app::ModelNames()) {
    const std::string text = name;
    EXPECT_TRUE(seen.insert(text).second) << text;
    ASSERT_TRUE(text.size() >= 4 && text.size() % 2 == 0) << text;
    for (size_t i = 0; i < text.size(); i += 2)
      EXPECT_FALSE(korvath::platform::GetPinyin(text.substr(i)).empty()) << text;
  }
  EXPECT_EQ(seen.size(), 20u);
  EXPECT_STREQ(korvath::app::ModelNames()[0], "\xBD\xA3\xBF\xCD");  // 剑客
}
