// Document folders that cannot be written or that have gone while the tool
// runs: saved into through the real window.
#include <gtest/gtest.h>

#include <utility>

#include "app/form_setup.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// Under Wine as root no permission keeps a folder from being written; the
// Linux host's immutable mark does. Made and removed by the host's chattr,
// which has taken effect when it has ended: the test waits for its end, as
// long as that takes, and then looks once.
bool CanCreateIn(const std::string& folder) {
  const std::wstring probe = ExtendedPath(Wide(folder) + L"probe.tmp");
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

bool MarkImmutable(const std::string& folder, bool on) {
  const std::wstring unix = UnixPath(Wide(folder));
  return !unix.empty() && RunHostProgram(L"/usr/bin/chattr", {on ? L"+i" : L"-i", unix});
}

// The folder cannot be written while the object lives (marked() tells
// whether the host could do it), also should the test end early.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(std::string folder) : folder_(std::move(folder)), marked_(MarkImmutable(folder_, true)) {}
  ~UnwritableFolder() { Release(); }
  bool marked() const { return marked_ && !CanCreateIn(folder_); }
  // True once the folder takes new files again.
  bool Release() {
    if (marked_) marked_ = !MarkImmutable(folder_, false);
    return !marked_ && CanCreateIn(folder_);
  }

 private:
  std::string folder_;
  bool marked_;
};
}  // namespace

// A document folder that cannot be written: neither a new file nor the
// replacement of one that is there can be made in it. The notice says so,
// the file there stays as it was and nothing is left beside it; once the
// folder can be written again, the save goes through.
TEST_F(BadInputTest, AFolderThatCannotBeWrittenIsNamedAndItsFileKept) {
  FillInAndSave();
  const std::string old = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  WriteBytes(saved_, old);
  const DWORD attributes = Attributes(saved_);
  UnwritableFolder unwritable(DocumentFolder());
  if (!unwritable.marked()) GTEST_SKIP() << "the host cannot keep a folder from being written";
  std::vector<SeenDialog> replaced = Generate({PressButton(IDYES), PressButton(IDOK)});
  const std::vector<std::string> afterReplace = Shown();
  TypeInto(名字编辑框, L"李四");
  const std::vector<std::string> beforeAdd = Shown();
  std::vector<SeenDialog> added = Generate({PressButton(IDOK)});
  const std::vector<std::string> afterAdd = Shown();
  ASSERT_TRUE(unwritable.Release());

  ASSERT_EQ(replaced.size(), 2u);
  EXPECT_EQ(replaced[1].text, Wide("NPC文件[" + saved_ + "]保存失败,存档目录不允许写入!"));
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].text, Wide("NPC文件[" + DocumentFolder() + "lisi.pst]保存失败,存档目录不允许写入!"));
  EXPECT_EQ(ReadBytes(saved_), old);
  EXPECT_EQ(Attributes(saved_), attributes);
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"wangwu.pst"});
  EXPECT_EQ(afterReplace, shown_);
  EXPECT_EQ(afterAdd, beforeAdd);
  TypeInto(名字编辑框, L"王五");
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// The folder removed while the tool runs. The tool's own document folder,
// which it makes at start-up when missing, it makes again and saves there; a
// folder that the user chose it never makes (a typing slip would leave
// folders about): the notice names what is missing and the form stays.
TEST_F(BadInputTest, AVanishedFolderIsMadeAgainOnlyWhenItIsTheToolsOwn) {
  FillInAndSave();
  RemoveFolder(DocumentFolder());
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + saved_ + "]已经生成!"));
  EXPECT_EQ(ReadBytes(saved_), savedBytes_);
  EXPECT_EQ(DefaultDocumentFolder(), DocumentFolder());

  const std::string chosen = folder_ + "chosen\\";
  CreateDirectoryW(Wide(chosen).c_str(), nullptr);
  MainForm().SetEditContent(目录编辑框, chosen);
  const std::vector<std::string> shown = Shown();
  RemoveFolder(chosen);
  seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + chosen + "wangwu.pst]保存失败,存档目录不存在!"));
  EXPECT_EQ(Shown(), shown);
  EXPECT_EQ(Attributes(chosen), INVALID_FILE_ATTRIBUTES);
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}
