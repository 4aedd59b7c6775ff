// "生成并保存" on the real window: the files it writes, byte for byte, the
// questions and notices it shows, and what it refuses.
#include <gtest/gtest.h>

#include "app/npc_script.h"
#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;
using namespace testsupport;

namespace {

class GenerateTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* name : {"zhangsan.pst", "lisi.pst", ".pst", "zhang.pst"})
      RemoveFile(DocumentFolder() + name);
  }
  std::string ZhangSan() const { return DocumentFolder() + "zhangsan.pst"; }
  std::wstring DoneText(const std::string& path) const {
    return Wide("NPC文件[" + path + "]已经生成!");
  }
};

}  // namespace

TEST_F(GenerateTest, TypedNameWithTheDefaultsWritesTheStartFile) {
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, DoneText(ZhangSan()));
  EXPECT_NE(seen[0].caption, L"提示");  // no caption given: the system's title
  EXPECT_EQ(ReadBytes(ZhangSan()), ExpectedFile());
  EXPECT_EQ(Npc().NpcFilePath, ZhangSan());
}

TEST_F(GenerateTest, ItemsPickedByTheUserReachTheFile) {
  TypeInto(名字编辑框, L" 李\u3000四 ");
  PickWithMouse(主武器组合框, 9);   // 毒镖 10
  PickWithMouse(副武器组合框, 4);   // 重锤 18
  ClickUnit(中立单选框);
  PickWithKeys(行为组合框, 7);      // 巡逻跟随
  PickWithKeys(视野组合框, 19);     // 2000
  PickWithKeys(轻击组合框, 3);      // 40
  PickWithKeys(重击组合框, 1);      // 20: 40 + 40 + 20 = 100
  PickWithKeys(命中率组合框, 18);   // 100
  TypeInto(HP编辑框, L"99");        // the box's rule makes it 3000
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "3000");
  std::string expected = ExpectedFile({
      {"string Name=\"张三\";", "string Name=\"李四\";"},
      {"int Weapon =18;", "int Weapon =10;"},
      {"int Weapon2 = 56;", "int Weapon2 = 18;"},
      {"int Team =1;", "int Team =0;"},
      {"int View =800;", "int View =2000;"},
      {"int Attack1=20;", "int Attack1=40;"},
      {"int Attack3 =40;", "int Attack3 =20;"},
      {"int Aim=45;", "int Aim=100;"},
      {"int HP = 5000;", "int HP = 3000;"},
      {"\tChangeBehavior(g_self, \"follow\", \"player\");",
       "\tChangeBehavior(g_self, \"patrol\", 129, 73, 133, 134, 71, 79, 78, 77, 74, 69);\r\n"
       "\tChangeBehavior(g_self, \"follow\", \"player\");"},
  });
  EXPECT_EQ(ReadBytes(DocumentFolder() + "lisi.pst"), expected);
}

TEST_F(GenerateTest, AnExistingFileIsReplacedOnlyAfterYes) {
  TypeInto(名字编辑框, L"张三");
  Generate({PressButton(IDOK)});
  const std::string old = "an older, much longer file than the one written now\r\n" + ExpectedFile();
  WriteBytes(ZhangSan(), old);

  std::vector<SeenDialog> seen = Generate({PressButton(IDNO)});
  ASSERT_EQ(seen.size(), 1u);  // the question only: no notice after No
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_EQ(seen[0].text, Wide("NPC存档文件[" + ZhangSan() + "]已经存在,是否覆盖!"));
  EXPECT_EQ(seen[0].buttons.size(), 2u);
  EXPECT_EQ(ReadBytes(ZhangSan()), old);

  seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, DoneText(ZhangSan()));
  EXPECT_EQ(ReadBytes(ZhangSan()), ExpectedFile());
}

TEST_F(GenerateTest, EmptyNameAndTooHighChancesAreRefusedWithTheirNotices) {
  TypeInto(名字编辑框, L"   ");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_EQ(seen[0].text, L"人物角色名字不能为空,请重新填写!");

  TypeInto(名字编辑框, L"张三");
  PickWithKeys(轻击组合框, 4);  // 50 + 40 + 40
  seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, L"轻击几率、中击几率、重击几率数值之和不能超过100，请重新选择！");
  EXPECT_EQ(ReadBytes(ZhangSan()), "<missing>");
}

TEST_F(GenerateTest, NamesThatWouldMakeABadFileAreRefused) {
  struct Case {
    const wchar_t* name;
    const char* notExpectedFile;
  };
  const Case cases[] = {
      {L"Abc", ".pst"},            // no Chinese character: no file part
      {L"张\"三", "zhangsan.pst"},  // would end the script's string
      {L"张ก", "zhang.pst"},       // a character GBK cannot hold
  };
  for (const Case& c : cases) {
    TypeInto(名字编辑框, c.name);
    std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 1u) << c.notExpectedFile;
    EXPECT_EQ(seen[0].caption, L"提示");
    EXPECT_EQ(seen[0].text.find(L"已经生成"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(DocumentFolder() + c.notExpectedFile), "<missing>");
  }
}

TEST_F(GenerateTest, AFailedWriteIsReportedAndNeverCalledDone) {
  std::string missing = platform::ProgramDirectory() + "\\no such folder\\";
  MainForm().SetEditContent(目录编辑框, missing);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_NE(seen[0].text.find(L"保存失败"), std::wstring::npos);
  EXPECT_EQ(ReadBytes(missing + "zhangsan.pst"), "<missing>");
}

TEST_F(GenerateTest, AFailedReplaceLeavesTheOldFileWhole) {
  const std::string old = "old content\r\n";
  WriteBytes(ZhangSan(), old);
  // Held open by another program that lets nobody else write or delete it.
  HANDLE held = CreateFileW(Wide(ZhangSan()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  CloseHandle(held);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[1].text.find(L"保存失败"), std::wstring::npos);
  EXPECT_EQ(ReadBytes(ZhangSan()), old);
  // Nothing is left behind beside it.
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Wide(DocumentFolder() + "*.tmp").c_str(), &data);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(GenerateTest, AFolderWithoutItsBackslashGetsOne) {
  std::string folder = DocumentFolder();
  folder.pop_back();
  MainForm().SetEditContent(目录编辑框, folder);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, DoneText(ZhangSan()));
  EXPECT_EQ(ReadBytes(ZhangSan()), ExpectedFile());
}

TEST_F(GenerateTest, FullWidthLettersAreWrittenInAscii) {
  TypeInto(名字编辑框, L"ＡＢ张三");
  Generate({PressButton(IDOK)});
  EXPECT_EQ(ReadBytes(ZhangSan()),
            ExpectedFile({{"string Name=\"张三\";", "string Name=\"AB张三\";"}}));
}
