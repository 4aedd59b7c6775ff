// "生成并保存" on the real window: the files it writes, byte for byte, the
// questions and notices it shows, and what it refuses.
#include <gtest/gtest.h>

#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
class GenerateTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* name : {"zhangsan.pst", "lisi.pst", ".pst", "zhang.pst"}) RemoveFile(DocumentFolder() + name);
  }
  std::vector<SeenDialog> Generate(Answers answers) { return ClickAnswering(生成保存按钮, std::move(answers)); }
  const std::string zhangSan_ = DocumentFolder() + "zhangsan.pst";
  const std::wstring done_ = Wide("NPC文件[" + zhangSan_ + "]已经生成!");
};
}  // namespace

TEST_F(GenerateTest, AFolderWithoutItsBackslashGetsOneAndTheStartFileIsWritten) {
  std::string folder = DocumentFolder();
  folder.pop_back();
  MainForm().SetEditContent(目录编辑框, folder);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, done_);
  EXPECT_NE(seen[0].caption, L"提示");  // no caption given: the system's title
  EXPECT_EQ(ReadBytes(zhangSan_), ExpectedFile());
}

TEST_F(GenerateTest, ItemsPickedByTheUserReachTheFile) {
  TypeInto(名字编辑框, L" ＡＢ李\u3000四 ");
  PickWithMouse(主武器组合框, 9);   // 毒镖 10
  PickWithMouse(副武器组合框, 4);   // 重锤 18
  ClickUnit(中立单选框);
  PickWithKeys(行为组合框, 7);      // 巡逻跟随
  PickWithKeys(视野组合框, 19);     // 2000
  PickWithKeys(轻击组合框, 3);      // 40
  PickWithKeys(重击组合框, 1);      // 20: 40 + 40 + 20 = 100
  PickWithKeys(命中率组合框, 18);   // 100
  TypeInto(HP编辑框, L"99");        // the box's rule makes it 3000
  ASSERT_EQ(Generate({PressButton(IDOK)}).size(), 1u);
  EXPECT_EQ(ReadBytes(DocumentFolder() + "lisi.pst"), ExpectedFile({
      {"string Name=\"张三\";", "string Name=\"AB李四\";"}, {"int Weapon =18;", "int Weapon =10;"},
      {"int Weapon2 = 56;", "int Weapon2 = 18;"}, {"int Team =1;", "int Team =0;"},
      {"int View =800;", "int View =2000;"}, {"int Attack1=20;", "int Attack1=40;"},
      {"int Attack3 =40;", "int Attack3 =20;"}, {"int Aim=45;", "int Aim=100;"},
      {"int HP = 5000;", "int HP = 3000;"},
      {"\tChangeBehavior(g_self, \"follow\", \"player\");",
       "\tChangeBehavior(g_self, \"patrol\", 129, 73, 133, 134, 71, 79, 78, 77, 74, 69);\r\n"
       "\tChangeBehavior(g_self, \"follow\", \"player\");"}}));
}

TEST_F(GenerateTest, AnExistingFileIsReplacedOnlyAfterYes) {
  const std::string old = "an older, much longer file than the one written now\r\n" + ExpectedFile();
  WriteBytes(zhangSan_, old);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDNO)});
  ASSERT_EQ(seen.size(), 1u);  // the question only: no notice after No
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_EQ(seen[0].text, Wide("NPC存档文件[" + zhangSan_ + "]已经存在,是否覆盖!"));
  EXPECT_EQ(seen[0].buttons.size(), 2u);
  EXPECT_EQ(ReadBytes(zhangSan_), old);

  seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, done_);
  EXPECT_EQ(ReadBytes(zhangSan_), ExpectedFile());
}

TEST_F(GenerateTest, BadNamesTooHighChancesAndFailedWritesAreRefusedWithTheirNotices) {
  struct Case {
    const wchar_t *name, *notice;  // the whole text, or a part of it when `part`
    bool part = true;
    const char* folder = nullptr;
    int lightHit = 1;  // item of 轻击: 20
  };
  const std::string missing = platform::ProgramDirectory() + "\\no such folder\\";
  const Case cases[] = {
      {L"   ", L"人物角色名字不能为空,请重新填写!", false},
      {L"张三", L"轻击几率、中击几率、重击几率数值之和不能超过100，请重新选择！", false, nullptr, 4},
      {L"Abc", L""},       // no Chinese character: no file part, no ".pst"
      {L"张\"三", L""},    // would end the script's string
      {L"张ก", L""},       // a character GBK cannot hold, not "?"
      {L"张三", L"保存失败", true, missing.c_str()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    MainForm().SetEditContent(目录编辑框, c.folder ? c.folder : DocumentFolder());
    PickWithKeys(轻击组合框, c.lightHit);
    TypeInto(名字编辑框, c.name);
    std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"提示");
    if (c.part) EXPECT_NE(seen[0].text.find(c.notice), std::wstring::npos);
    if (!c.part) EXPECT_EQ(seen[0].text, c.notice);
    EXPECT_EQ(seen[0].text.find(L"已经生成"), std::wstring::npos);
  }
  for (const char* name : {"zhangsan.pst", ".pst", "zhang.pst"})
    EXPECT_EQ(ReadBytes(DocumentFolder() + name), "<missing>") << name;
  EXPECT_EQ(ReadBytes(missing + "zhangsan.pst"), "<missing>");
}

TEST_F(GenerateTest, AFailedReplaceLeavesTheOldFileWholeAndNothingBesideIt) {
  const std::string old = "old content\r\n";
  WriteBytes(zhangSan_, old);
  // Held open by another program that lets nobody else write or delete it.
  HANDLE held = CreateFileW(Wide(zhangSan_).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  CloseHandle(held);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[1].text.find(L"保存失败"), std::wstring::npos);
  EXPECT_EQ(ReadBytes(zhangSan_), old);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Wide(DocumentFolder() + "*.tmp").c_str(), &data);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}
