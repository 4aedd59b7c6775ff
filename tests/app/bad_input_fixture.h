#pragma once
// Bad input through the real window, each case with the notice it gets and
// nothing lost: every control and the record as the user had them, the next
// save writing the bytes that the save before wrote, an existing file as it
// was (bytes and attributes) and nothing left beside it.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/app/document_fixture.h"

namespace korvath::app::uitest {

// The notice for a file that is refused as none that the tool wrote.
inline std::string Refused(const std::string& path, const std::string& why) {
  return "NPC文档[" + path + "]不是有效的NPC文档," + why + "!";
}

class BadInputTest : public DocumentTest {
 protected:
  // The user's work before the bad input: a form other than the start one,
  // saved once as wangwu.pst in the document folder.
  void FillInAndSave() {
    TypeInto(名字编辑框, L"王五");
    // One step from each start item: a form of the user's own, quickly made.
    for (auto [unit, item] : {std::pair{主武器组合框, 5}, {副武器组合框, 7}, {行为组合框, 4}, {模型组合框, 2},
                              {速度组合框, 6}, {夺宝组合框, 7}})
      Pick(unit, item);
    ClickUnit(Ostrin单选框);
    TypeInto(HP编辑框, L"777");
    ASSERT_EQ(Generate({PressButton(IDOK)}).size(), 1u);
    savedBytes_ = ReadBytes(saved_);
    ASSERT_NE(savedBytes_, "<missing>");
    shown_ = Shown();
    record_ = RecordFields();
  }

  // Reads the file through the read button: the notice that follows the
  // open dialog (empty when none does).
  std::wstring ReadNotice(const std::string& path) {
    std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {ChooseFile(path), PressButton(IDOK)});
    EXPECT_GE(seen.size(), 1u);
    if (seen.size() < 2) return {};
    EXPECT_EQ(seen[1].caption, L"提示");
    return seen[1].text;
  }

  // Writes each file into the read test folder and reads it through the read
  // button: each is refused with the notice that says why, and the form and
  // the record stay as FillInAndSave left them.
  struct RefusedFile {
    const char* file;
    std::string bytes, why;
  };
  void ExpectEachRefused(const std::vector<RefusedFile>& files) {
    for (const auto& [file, bytes, why] : files) {
      SCOPED_TRACE(file);
      const std::string path = folder_ + file;
      WriteBytes(path, bytes);
      EXPECT_EQ(ReadNotice(path), Wide(Refused(path, why)));
      EXPECT_EQ(Shown(), shown_);
      EXPECT_TRUE(RecordFields() == record_);
    }
  }

  // Puts the text into the folder box and presses the save: the one notice
  // that follows (empty when there is none).
  std::wstring SaveNoticeWithFolder(const std::wstring& folderText) {
    MainForm().SetEditContent(目录编辑框, folderText);
    const std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
    EXPECT_EQ(seen.size(), 1u);
    return seen.empty() ? std::wstring() : seen[0].text;
  }

  // Every control and the record as FillInAndSave left them; then the next
  // save, over the file it wrote, writes the same bytes again.
  void ExpectNothingLost() {
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
    ExpectNextSaveAsBefore();
  }
  void ExpectNextSaveAsBefore() {
    std::vector<SeenDialog> seen = Generate({PressButton(IDYES), PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, Wide("NPC文件[" + saved_ + "]已经生成!"));
    EXPECT_EQ(ReadBytes(saved_), savedBytes_);
  }

  const std::string saved_ = DocumentFolder() + "wangwu.pst";
  std::string savedBytes_;
  std::vector<std::string> shown_;
  decltype(RecordFields()) record_;
};

inline DWORD Attributes(const std::string& path) { return GetFileAttributesW(ExtendedPath(Wide(path)).c_str()); }

}  // namespace korvath::app::uitest
