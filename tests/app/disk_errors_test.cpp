// A disk that fails a save: full or failing at any step of it up to the
// move, the new file's write denied as a file system gone read-only denies
// it, the new file or its move refused, the folder's flush failing after the
// move, and the folder gone by then, each told by the notice that names its
// cause, through the real window.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <utility>

#include "tests/app/document_fixture.h"
#include "tests/support/save_steps.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
using Generator = std::function<std::vector<SeenDialog>(std::vector<DialogAnswerer::Answer>)>;

// Each step of a save through the window (`generate`) of the file at `file`
// up to its move, of a new file and over an older one (the question answered
// Yes), made to fail with the error that `errorAt` gives it (0: the step is
// not tried): the notice says after "保存失败" what `told` gives for that
// error; the file there stays as it was, and nothing is left beside it.
void ExpectEachStepsFailureNamed(const Generator& generate, const std::string& file,
                                 const std::function<DWORD(bool over, size_t step, const std::string& name)>& errorAt,
                                 const std::function<std::string(DWORD)>& told) {
  const std::string old = "an older file\r\n";
  const std::string folder = file.substr(0, file.find_last_of('\\') + 1);
  for (const bool over : {false, true}) {
    const auto prepare = [&] {
      RemoveFolder(folder);
      fs::create_directory(Wide(folder));
      if (over) WriteBytes(file, old);
    };
    const auto answers = [over] {
      return over ? std::vector{PressButton(IDYES), PressButton(IDOK)} : std::vector{PressButton(IDOK)};
    };
    prepare();
    std::vector<std::string> steps;
    {
      testsupport::SaveSteps counted;
      ASSERT_EQ(generate(answers()).size(), over ? 2u : 1u);
      steps = counted.steps();
    }
    ASSERT_GE(steps.size(), 5u);
    const size_t move = testsupport::StepOfTheMove(steps);
    ASSERT_LT(move, steps.size());
    for (size_t step = 0; step <= move; ++step) {
      const DWORD error = errorAt(over, step, steps[step]);
      if (error == 0) continue;
      SCOPED_TRACE((over ? "over a file, " : "a new file, ") + steps[step] + ", error " + std::to_string(error));
      prepare();
      testsupport::SaveSteps failing;
      failing.FailAt(step, error);
      std::vector<SeenDialog> seen = generate(answers());
      ASSERT_EQ(seen.size(), over ? 2u : 1u);
      EXPECT_EQ(seen.back().caption, L"提示");
      EXPECT_EQ(seen.back().text, Wide("NPC文件[" + file + "]保存失败" + told(error) + "!"));
      EXPECT_EQ(ReadBytes(file), over ? old : "<missing>");
      EXPECT_EQ(FolderEntries(folder),
                over ? std::vector<std::wstring>{Wide(file.substr(folder.size()))} : std::vector<std::wstring>{});
    }
  }
}
}  // namespace

// No room on the disk at any step of a new file's save up to its move: no
// free entry for the new file (with bytes free), no room for its bytes, a
// flush or a move that finds the disk full; and no room for the bytes that
// replace a file. The notice says that the disk is full; the file there
// stays as it was, and nothing is left beside it.
TEST_F(DocumentTest, ADiskFullAtAnyStepOfTheSaveIsNamed) {
  TypeInto(名字编辑框, L"张三");
  ExpectEachStepsFailureNamed(
      [this](std::vector<DialogAnswerer::Answer> answers) { return Generate(std::move(answers)); }, zhangSan_,
      [](bool over, size_t step, const std::string& name) -> DWORD {
        if (over && name != "WriteFile") return 0;
        return step % 2 ? ERROR_HANDLE_DISK_FULL : ERROR_DISK_FULL;
      },
      [](DWORD) { return std::string(",磁盘空间不足"); });
}

// The disk fails any step of the save up to the move, as under Wine the
// host's EIO reaches the program: ERROR_NOACCESS where Wine's server opens,
// moves or links the file, ERROR_NOT_READY where the program writes and
// flushes it; and the other errors of a disk. The notice names the error
// and sends the user to the disk, not to the folder, a read-only mark or
// another program; the file there stays as it was, and nothing is left
// beside it.
TEST_F(DocumentTest, ADiskErrorAtAnyStepOfTheSaveIsNamed) {
  TypeInto(名字编辑框, L"张三");
  const std::map<DWORD, std::string> names = {
      {ERROR_NOACCESS, "磁盘读写错误,错误代码998"}, {ERROR_NOT_READY, "设备未就绪,错误代码21"},
      {ERROR_IO_DEVICE, "I/O设备错误,错误代码1117"}, {ERROR_CRC, "数据错误,错误代码23"},
      {ERROR_GEN_FAILURE, "设备没有发挥作用,错误代码31"}, {ERROR_WRITE_FAULT, "设备写入错误,错误代码29"},
      {ERROR_READ_FAULT, "设备读取错误,错误代码30"}, {ERROR_DISK_OPERATION_FAILED, "磁盘操作失败,错误代码1127"},
      {ERROR_DEV_NOT_EXIST, "设备不存在,错误代码55"}, {ERROR_DEVICE_NOT_CONNECTED, "设备未连接,错误代码1167"}};
  const DWORD others[] = {ERROR_IO_DEVICE, ERROR_CRC, ERROR_GEN_FAILURE};
  const auto generate = [this](std::vector<DialogAnswerer::Answer> answers) { return Generate(std::move(answers)); };
  const auto reason = [&](DWORD error) { return ",磁盘报告了错误(" + names.at(error) + "),请检查磁盘后再保存一次"; };
  ExpectEachStepsFailureNamed(
      generate, zhangSan_,
      [&](bool, size_t step, const std::string& name) -> DWORD {
        if (step % 2) return others[step / 2 % std::size(others)];
        const bool served = name.starts_with("CreateFileW") || name == "MoveFileExW" || name == "CreateHardLinkW";
        return served ? ERROR_NOACCESS : ERROR_NOT_READY;
      },
      reason);
  // The disk's rarer errors, each at a step of its own.
  const DWORD rarer[] = {ERROR_WRITE_FAULT, ERROR_READ_FAULT, ERROR_DISK_OPERATION_FAILED, ERROR_DEV_NOT_EXIST,
                         ERROR_DEVICE_NOT_CONNECTED};
  size_t tried = 0;
  ExpectEachStepsFailureNamed(
      generate, zhangSan_,
      [&](bool, size_t, const std::string&) -> DWORD { return tried < std::size(rarer) ? rarer[tried++] : 0; },
      reason);
  EXPECT_EQ(tried, std::size(rarer));
}

// The new file's marks, its write or its flush denied, over a file and of a
// new one (under Wine what a file system gone read-only after a disk's
// error answers, EROFS): the file system refused what it allowed, and the
// notice names the error as the disk's, as for the disk's other errors; the
// file there stays as it was, and nothing is left beside it.
TEST_F(DocumentTest, AnAccessDeniedToTheNewFilesWriteIsNamedAsTheDisksError) {
  TypeInto(名字编辑框, L"张三");
  ExpectEachStepsFailureNamed(
      [this](std::vector<DialogAnswerer::Answer> answers) { return Generate(std::move(answers)); }, zhangSan_,
      [](bool, size_t, const std::string& name) -> DWORD {
        const bool written = name == "SetFileInformationByHandle (its attributes)" || name == "WriteFile" ||
                             name == "FlushFileBuffers";
        return written ? ERROR_ACCESS_DENIED : 0;
      },
      [](DWORD) { return std::string(",磁盘报告了错误(拒绝访问,错误代码5),请检查磁盘后再保存一次"); });
}

// The new file refused beside the file (under Wine the host's EACCES, EPERM
// or EROFS there, each an access denied; Windows' write-protected medium),
// and the file that is there refused to the save that would replace it, or
// the move into its place, or a new file's second name (an access denied
// there is a file system that makes none: the move follows it), of a new
// file and over one: the notice names the error, by its words and number,
// with what it means (a folder that may not be written) or, where it means
// nothing more, with the general advice. The file there stays as it was,
// and nothing is left beside it.
TEST_F(DocumentTest, AnAccessDeniedToTheNewFileOrItsMoveIsNamed) {
  TypeInto(名字编辑框, L"张三");
  const auto generate = [this](std::vector<DialogAnswerer::Answer> answers) { return Generate(std::move(answers)); };
  const std::map<DWORD, std::string> names = {{ERROR_ACCESS_DENIED, "拒绝访问,错误代码5"},
                                              {ERROR_WRITE_PROTECT, "介质受写入保护,错误代码19"}};
  for (const DWORD error : {ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT}) {
    SCOPED_TRACE(error);
    ExpectEachStepsFailureNamed(
        generate, zhangSan_,
        [&](bool, size_t, const std::string& name) -> DWORD {
          return name == "CreateFileW (the new file beside it)" ? error : 0;
        },
        [&](DWORD refused) { return ",存档目录不允许写入(" + names.at(refused) + ")"; });
    ExpectEachStepsFailureNamed(
        generate, zhangSan_,
        [&](bool, size_t, const std::string& name) -> DWORD {
          if (name == "CreateFileW (the file itself)" || name == "MoveFileExW") return error;
          return name == "CreateHardLinkW" && error != ERROR_ACCESS_DENIED ? error : 0;
        },
        [&](DWORD refused) { return "(" + names.at(refused) + "),请检查存档目录是否存在、文件是否只读或被占用"; });
  }
}

// The disk fails the flush of the document folder once the new file is in
// its place, or the folder's open for it, over a file and of a new one: the
// notice says that the file is written but that the disk reported an error,
// names it and says what to do, in place of the completion notice; the file
// holds the new content. So where either is denied (under Wine what a file
// system gone read-only after a disk's error answers, EROFS), where the
// open says that the folder's name is not right while the folder is there,
// and where a failure leaves no error (told as a failure). Where the
// system flushes no folder there, the completion notice comes as ever.
TEST_F(DocumentTest, ADiskErrorInTheFoldersFlushIsNamedInPlaceOfTheCompletionNotice) {
  TypeInto(名字编辑框, L"张三");
  const struct {
    bool over;
    const char* step;
    DWORD error;
    const char* notice;  // none: the completion notice
  } failures[] = {
      {false, "FlushFileBuffers (the folder)", ERROR_NOT_READY, "设备未就绪,错误代码21"},  // Wine: the host's EIO
      {true, "FlushFileBuffers (the folder)", ERROR_IO_DEVICE, "I/O设备错误,错误代码1117"},
      {false, "FlushFileBuffers (the folder)", ERROR_GEN_FAILURE, "设备没有发挥作用,错误代码31"},
      {true, "FlushFileBuffers (the folder)", 1234, "错误代码1234"},
      {false, "FlushFileBuffers (the folder)", ERROR_NOT_SUPPORTED, nullptr},
      {true, "CreateFileW (the folder)", ERROR_NOT_READY, "设备未就绪,错误代码21"},
      {false, "CreateFileW (the folder)", ERROR_NOACCESS, "磁盘读写错误,错误代码998"},  // Wine: the host's EIO
      {true, "CreateFileW (the folder)", ERROR_ACCESS_DENIED, "拒绝访问,错误代码5"},
      {false, "FlushFileBuffers (the folder)", ERROR_ACCESS_DENIED, "拒绝访问,错误代码5"},  // Wine: EROFS
      {true, "FlushFileBuffers (the folder)", ERROR_INVALID_FUNCTION, nullptr},
      {false, "CreateFileW (the folder)", ERROR_INVALID_PARAMETER, nullptr},  // Wine: EINVAL
      {true, "CreateFileW (the folder)", ERROR_INVALID_NAME, "名称不正确,错误代码123"},  // the folder still there
      {false, "CreateFileW (the folder)", ERROR_SUCCESS, "设备没有发挥作用,错误代码31"},  // no error left
  };
  const auto prepare = [&](bool over) {
    RemoveFolder(DocumentFolder());
    fs::create_directory(Wide(DocumentFolder()));
    if (over) WriteBytes(zhangSan_, "an older file\r\n");
  };
  const auto generator = [&](bool over) {
    return [this, over] {
      return Generate(over ? std::vector{PressButton(IDYES), PressButton(IDOK)} : std::vector{PressButton(IDOK)});
    };
  };
  std::vector<std::string> stepsOf[2];  // of a new file, over a file
  for (const bool over : {false, true}) {
    prepare(over);
    stepsOf[over] = SaveStepsThroughTheWindow(generator(over));
  }
  for (const auto& failure : failures) {
    SCOPED_TRACE(std::string(failure.over ? "over a file, " : "a new file, ") + failure.step + " failing with " +
                 std::to_string(failure.error));
    const std::vector<std::string>& steps = stepsOf[failure.over];
    const auto generate = generator(failure.over);
    const size_t step = size_t(std::find(steps.begin(), steps.end(), failure.step) - steps.begin());
    ASSERT_LT(step, steps.size());
    prepare(failure.over);
    std::vector<SeenDialog> seen;
    {
      testsupport::SaveSteps failing;
      failing.FailAt(step, failure.error);
      seen = generate();
    }
    ASSERT_EQ(seen.size(), failure.over ? 2u : 1u);
    EXPECT_EQ(seen.back().caption, L"提示");
    EXPECT_EQ(seen.back().text, Wide(failure.notice ? "NPC文件[" + zhangSan_ + "]已经生成,但磁盘报告了错误(" +
                                                          failure.notice +
                                                          "),文件可能还没有保存到磁盘上,请检查磁盘后再保存一次!"
                                                    : "NPC文件[" + zhangSan_ + "]已经生成!"));
    EXPECT_EQ(ReadBytes(zhangSan_), ExpectedFile());
    EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"zhangsan.pst"});
  }
}

// Another program moves the document folder away, or the folder above it,
// or removes it with the file, or puts a file in its place, or an empty
// folder, once the file is in its place and before the folder is flushed
// (or, for the empty folder, as it is flushed): the notice says that the
// file was written but the folder was moved or removed by another program
// since, in place of the completion notice, not that the disk failed. So
// also where the open of the folder for its flush answers that its name is
// not right, as Wine answers where the folder goes while it opens it (and
// where a file stands in its place). A moved folder holds the file.
TEST_F(DocumentTest, AFolderGoneBeforeItsFlushIsNamed) {
  const std::string above = folder_ + "above\\", folder = above + "folder\\", file = folder + "zhangsan.pst",
                    moved = folder_ + "moved\\";
  TypeInto(名字编辑框, L"张三");
  MainForm().SetEditContent(目录编辑框, folder);
  const auto prepare = [&] {
    RemoveFolder(folder_);
    for (const std::string& made : {folder_, above, folder}) fs::create_directory(Wide(made));
  };
  const auto generate = [this] { return Generate({PressButton(IDOK)}); };
  prepare();
  const std::vector<std::string> steps = SaveStepsThroughTheWindow(generate);
  const auto moveFolder = [&] { return MoveFileW(Wide(folder).c_str(), Wide(moved).c_str()) != 0; };
  const auto removeFolder = [&] { return fs::remove_all(Wide(folder)) == 2; };
  const struct {
    const char* what;
    std::function<bool()> take;
    std::string left;  // where the file is then
    DWORD answer = 0;  // the open's answer, where not the system's
    const char* at = "CreateFileW (the folder)";  // the step that the save is held before
  } gone[] = {
      {"the folder moved", moveFolder, moved + "zhangsan.pst"},
      {"the folder above moved", [&] { return MoveFileW(Wide(above).c_str(), Wide(moved).c_str()) != 0; },
       moved + "folder\\zhangsan.pst"},
      {"the folder removed", removeFolder, ""},
      {"the folder moved, its name said not to be right", moveFolder, moved + "zhangsan.pst", ERROR_INVALID_NAME},
      {"the folder removed, its name said not to be right", removeFolder, "", ERROR_INVALID_NAME},
      {"a file put in the folder's place",
       [&] {
         if (!moveFolder()) return false;
         WriteBytes(folder.substr(0, folder.size() - 1), "a file of the folder's name\r\n");
         return true;
       },
       moved + "zhangsan.pst"},
      {"an empty folder put in the folder's place",
       [&] { return moveFolder() && fs::create_directory(Wide(folder)); }, moved + "zhangsan.pst"},
      {"an empty folder put in the folder's place as it is flushed",
       [&] { return moveFolder() && fs::create_directory(Wide(folder)); }, moved + "zhangsan.pst", 0,
       "FlushFileBuffers (the folder)"},
  };
  for (const auto& [what, take, left, answer, at] : gone) {
    SCOPED_TRACE(what);
    prepare();
    const size_t held = size_t(std::find(steps.begin(), steps.end(), at) - steps.begin());
    ASSERT_LT(held, steps.size());
    bool taken = false;
    std::vector<SeenDialog> seen;
    {
      testsupport::SaveSteps stopped;
      stopped.StopBefore(held, [&, &take = take] { taken = take(); });
      if (answer) stopped.FailAt(held, answer);
      seen = generate();
    }
    ASSERT_TRUE(taken);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"提示");
    EXPECT_EQ(seen[0].text, Wide("NPC文件[" + file +
                                 "]已经生成,但存档目录随后被其他程序移走或删除了,文件已不在原处,请检查存档目录后再保存一次!"));
    EXPECT_EQ(ReadBytes(file), "<missing>");
    if (!left.empty()) {
      EXPECT_EQ(ReadBytes(left), ExpectedFile());
    }
  }
  RemoveFolder(folder_);
  fs::create_directory(Wide(folder_));
}
