// Document folders that cannot be written, cannot be listed or have gone
// while the tool runs, or whose names end in blanks, and program folders
// that cannot hold the tool's own: saved into through the real window.
// (Folder texts as users type them have their own program.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

#include "app/document_folder.h"
#include "app/file_paths.h"
#include "app/form_setup.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"
#include "tests/app/bad_input_fixture.h"
#include "tests/support/save_steps.h"

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

// Under Wine: while the object lives, the host's strace makes the system
// call `call` fail with the host's `error` wherever it works on the folder
// itself (or the file, given a file's path), in this prefix's wineserver or
// in this program (the Linux process
// that runs it, all its threads, once strace says it is attached to them);
// attached() tells whether it could attach (strace there, and the right to
// trace).
class FolderFault {
 public:
  enum class In { Server, ThisProgram };
  FolderFault(const std::string& folder, In in, const wchar_t* call, const wchar_t* error)
      : log_(OwnHostFile(L"korvath-folder-fault")) {
    // The server names the folder by the prefix's drive links, as
    // "<prefix>/dosdevices/z:/...", and strace matches the text it opens;
    // a call on an open folder it matches by the folder's own path. The
    // shell that this program starts on the host is its child there.
    std::wstring served = Wide(folder);
    std::replace(served.begin(), served.end(), L'\\', L'/');
    served[0] = wchar_t(std::towlower(served[0]));
    const std::wstring traced =
        in == In::Server
            ? L"id=$(printf '%x-%x' $(stat -Lc '%d %i' \"$prefix\")) || exit 1; pid=; "
              L"for p in /proc/[0-9]*; do case $(readlink \"$p/cwd\" 2>/dev/null) in */server-$id) pid=${p#/proc/};; "
              L"esac; done; folder=\"$prefix/dosdevices/$1\"; set -- -P \"$folder\" -P \"${folder%/}\"; "
            : L"pid=$PPID; set -- -P \"$(readlink -f \"$prefix/dosdevices/$1\")\"; ";
    attached_ = RunHostProgram(
        L"/bin/sh",
        {L"-c",
         L"PATH=/usr/bin:/bin:/usr/sbin:/sbin; prefix=${WINEPREFIX:-$HOME/.wine}; log=$2; call=$3; error=$4; " + traced +
             L"[ -n \"$pid\" ] && command -v strace >/dev/null || exit 1; "
             L"strace -f -p \"$pid\" \"$@\" -e trace=$call -e inject=$call:error=$error -o /dev/null 2>\"$log\" & "
             L"echo $! >\"$log.pid\"; "
             L"until grep -q attached \"$log\"; do kill -0 $! 2>/dev/null || exit 1; sleep 0.01; done",
         L"sh", served, log_, call, error});
  }
  ~FolderFault() {
    // Detached once strace has ended.
    RunHostProgram(L"/bin/sh", {L"-c",
                                L"PATH=/usr/bin:/bin; pid=$(cat \"$1.pid\") && kill \"$pid\" && "
                                L"while [ -d /proc/$pid ] && [ \"$(cut -d' ' -f3 /proc/$pid/stat)\" != Z ]; do "
                                L"sleep 0.01; done; rm -f \"$1\" \"$1.pid\"",
                                L"sh", log_});
  }
  FolderFault(const FolderFault&) = delete;
  FolderFault& operator=(const FolderFault&) = delete;
  bool attached() const { return attached_; }

 private:
  std::wstring log_;
  bool attached_ = false;
};

// Every open of the folder itself by the wineserver, as a search of the
// folder's entries makes one, fails with the host's `error`: EIO, a disk's
// error, unless another is given (EACCES: a folder that may be written but
// not listed); files in it open as before.
class FolderListingFault : public FolderFault {
 public:
  explicit FolderListingFault(const std::string& folder, const wchar_t* error = L"EIO")
      : FolderFault(folder, In::Server, L"openat", error) {}
};

// ---- this test program run from another folder ----------------------------

// Set in the environment of a copy that RunCopy starts.
constexpr wchar_t kCopyRunVariable[] = L"KORVATH_TEST_COPY_RUN";

// Whether this process is such a copy: the tests that only make sense in an
// unusual program folder run only there.
bool InCopyRun() { return GetEnvironmentVariableW(kCopyRunVariable, nullptr, 0) > 0; }

// Copies this test program into the folder (with its trailing "\"); the
// copy's path, empty when it could not be made.
std::wstring CopyThisProgramInto(const std::wstring& folder) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path = self;
  const std::wstring copy = folder + path.substr(path.find_last_of(L'\\') + 1);
  return CopyFileW(path.c_str(), copy.c_str(), FALSE) ? copy : std::wstring();
}

// What a copy's run gave: whether it ended (else it was ended after the
// wait), its exit code and what it printed.
struct CopyRun {
  bool ended = false;
  DWORD status = 1;
  std::string output;
};

// Runs the copy with only the named test and waits for its end, at most a
// little less than a test may take here: longer, it is ended.
CopyRun RunCopy(const std::wstring& copy, const std::wstring& test) {
  CopyRun run;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring outputPath = temp + std::wstring(L"korvath-copy-run-") + std::to_wstring(GetCurrentProcessId()) + L".txt";
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOW startup = {sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  PROCESS_INFORMATION process = {};
  std::wstring line = L"\"" + copy + L"\" --gtest_filter=" + test;
  SetEnvironmentVariableW(kCopyRunVariable, L"1");
  const bool started = CreateProcessW(copy.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &process);
  SetEnvironmentVariableW(kCopyRunVariable, nullptr);
  CloseHandle(output);
  if (started) {
    CloseHandle(process.hThread);
    run.ended = WaitForSingleObject(process.hProcess, 90'000) == WAIT_OBJECT_0;
    if (!run.ended) TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10'000);
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(process.hProcess);
  }
  std::ifstream in(outputPath.c_str(), std::ios::binary);
  run.output.assign(std::istreambuf_iterator<char>(in), {});
  in.close();
  DeleteFileW(outputPath.c_str());
  return run;
}

// The test ran in the copy and passed there.
void ExpectPassedInCopy(const CopyRun& run, const std::string& test) {
  EXPECT_TRUE(run.ended) << "the copy did not end";
  EXPECT_EQ(run.status, 0u);
  EXPECT_NE(run.output.find("[       OK ] " + test), std::string::npos) << "the copy's output:\n" << run.output;
}

// The tool in a program folder elsewhere (in a copy of this program, see
// ProgramFolderTest below).
class ProgramElsewhereTest : public MainWindowTest {
 protected:
  // A name typed and the save pressed with the tool's own folder in the
  // box: one notice, and nothing made or changed.
  std::wstring SaveNotice() {
    TypeInto(名字编辑框, L"王五");
    const std::vector<std::string> shown = Shown();
    const std::vector<SeenDialog> seen = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(GetFileAttributesW(DefaultDocumentFolder().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(seen.size(), 1u);
    if (seen.empty()) return {};
    EXPECT_EQ(seen[0].caption, L"提示");
    return seen[0].text;
  }
  // Then another folder chosen: the save goes there.
  void ExpectSavedElsewhere() {
    RemoveFolder(std::string("C:\\korvath_program_elsewhere\\"));
    const std::string elsewhere = FolderOnC("korvath_program_elsewhere");
    MainForm().SetEditContent(目录编辑框, elsewhere);
    const std::vector<SeenDialog> seen = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, Wide("NPC文件[" + elsewhere + "wangwu.pst]已经生成!"));
    EXPECT_NE(ReadBytes(elsewhere + "wangwu.pst"), "<missing>");
    RemoveFolder(elsewhere);
  }
};
}  // namespace

// A document folder that cannot be written: neither a new file nor the
// replacement of one that is there can be made in it. The notice says so,
// with the error (the host's EPERM, an access denied), the file there stays
// as it was and nothing is left beside it; once the folder can be written
// again, the save goes through.
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
  EXPECT_EQ(replaced[1].text, Wide("NPC文件[" + saved_ + "]保存失败,存档目录不允许写入(拒绝访问,错误代码5)!"));
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].text,
            Wide("NPC文件[" + DocumentFolder() + "lisi.pst]保存失败,存档目录不允许写入(拒绝访问,错误代码5)!"));
  EXPECT_EQ(ReadBytes(saved_), old);
  EXPECT_EQ(Attributes(saved_), attributes);
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"wangwu.pst"});
  EXPECT_EQ(afterReplace, shown_);
  EXPECT_EQ(afterAdd, beforeAdd);
  TypeInto(名字编辑框, L"王五");
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// The host refuses a step of the new file's (EROFS: a file system gone
// read-only after a disk's error; EACCES: a folder whose rights changed
// meanwhile), as strace makes it once the step is reached: its write, its
// flush, its move over the document, its second name as a new document (and
// the move that follows it). Wine gives either as an access denied, and the
// notice names it, by its words and number: the file system that refused
// what it allowed, as the disk's error, for the write and the flush; with
// the general advice for the move. The document stays as it was, no new one
// is made, and nothing is left beside it.
TEST_F(BadInputTest, ARefusalOfTheHostAtEachStepOfTheNewFileIsNamed) {
  FillInAndSave();
  const std::string old = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  const std::string disk = ",磁盘报告了错误(拒绝访问,错误代码5),请检查磁盘后再保存一次";
  const std::string advice = "(拒绝访问,错误代码5),请检查存档目录是否存在、文件是否只读或被占用";
  const struct {
    const char* step;
    FolderFault::In in;
    const wchar_t* calls;
    bool over;  // over the document, else a new one (吴)
    std::string told;  // after "保存失败"
  } rows[] = {
      {"WriteFile", FolderFault::In::ThisProgram, L"write,pwrite64,writev,pwritev", true, disk},
      {"FlushFileBuffers", FolderFault::In::ThisProgram, L"fsync,fdatasync", false, disk},
      {"MoveFileExW", FolderFault::In::Server, L"rename,renameat,renameat2", true, advice},
      {"CreateHardLinkW", FolderFault::In::Server, L"link,linkat,rename,renameat,renameat2", false, advice},
  };
  const auto generate = [this](bool over) {
    return Generate(over ? std::vector{PressButton(IDYES), PressButton(IDOK)} : std::vector{PressButton(IDOK)});
  };
  std::vector<std::string> stepsOf[2];  // of a new file, over a file
  for (const bool over : {false, true}) {
    TypeInto(名字编辑框, over ? L"王五" : L"吴");
    stepsOf[over] = SaveStepsThroughTheWindow([&] { return generate(over); });
    DeleteFileW(Wide(DocumentFolder() + "wu.pst").c_str());
  }
  for (const auto& row : rows) {
    for (const wchar_t* hostError : {L"EROFS", L"EACCES"}) {
      SCOPED_TRACE(std::string(row.step) + ", " + platform::WideToGbk(hostError).text);
      const std::vector<std::string>& steps = stepsOf[row.over];
      const size_t step = size_t(std::find(steps.begin(), steps.end(), row.step) - steps.begin());
      ASSERT_LT(step, steps.size());
      WriteBytes(saved_, old);
      TypeInto(名字编辑框, row.over ? L"王五" : L"吴");
      const std::string file = row.over ? saved_ : DocumentFolder() + "wu.pst";
      // The new file's name is its own: strace finds it by that name, known
      // once the file is made.
      std::optional<FolderFault> refusing;
      std::vector<SeenDialog> seen;
      {
        testsupport::SaveSteps held;
        held.StopBefore(step, [&] {
          for (const std::wstring& entry : FolderEntries(DocumentFolder()))
            if (entry.find(L".saving-") != std::wstring::npos)
              refusing.emplace(DocumentFolder() + platform::WideToGbk(entry).text, row.in, row.calls, hostError);
        });
        seen = generate(row.over);
      }
      const bool attached = refusing && refusing->attached();
      refusing.reset();
      if (!attached) {
        std::fprintf(stderr, "\n******** SKIPPED: the host's strace cannot fail the new file's steps ********\n\n");
        GTEST_SKIP() << "the host's strace cannot fail the new file's steps";
      }
      ASSERT_EQ(seen.size(), row.over ? 2u : 1u);
      EXPECT_EQ(seen.back().caption, L"提示");
      EXPECT_EQ(seen.back().text, Wide("NPC文件[" + file + "]保存失败" + row.told + "!"));
      EXPECT_EQ(ReadBytes(saved_), old);
      EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"wangwu.pst"});
    }
  }
  TypeInto(名字编辑框, L"王五");
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// The folder removed while the tool runs. The tool's own document folder,
// which it makes at start-up when missing, it makes again and saves there
// (also where its last "\" is not typed); a folder that the user chose it
// never makes (a typing slip would leave folders about): the notice names
// what is missing and the form stays.
TEST_F(BadInputTest, AVanishedFolderIsMadeAgainOnlyWhenItIsTheToolsOwn) {
  FillInAndSave();
  RemoveFolder(DocumentFolder());
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + saved_ + "]已经生成!"));
  EXPECT_EQ(ReadBytes(saved_), savedBytes_);
  EXPECT_EQ(DefaultDocumentFolder(), Wide(DocumentFolder()));
  // Typed without its last "\", it is the tool's own all the same.
  const std::string own = DocumentFolder().substr(0, DocumentFolder().size() - 1);
  RemoveFolder(DocumentFolder());
  EXPECT_EQ(SaveNoticeWithFolder(Wide(own)), Wide("NPC文件[" + saved_ + "]已经生成!"));
  EXPECT_EQ(ReadBytes(saved_), savedBytes_);

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

// A folder whose last name ends in blanks, typed with its separator after
// it, in a short folder and in one longer than MAX_PATH, with no folder of
// the name without the blanks beside it and with one: the document goes
// into the folder named, which the save flushes and where it removes what a
// killed save left, and "已经生成!" comes. The folder of the shorter name
// stays as it was, never flushed.
TEST_F(BadInputTest, AFolderWhoseNameEndsInABlankIsFlushedAndTidiedItself) {
  FillInAndSave();
  const std::string longFolder = MakeLongFolder(folder_ + "long", 300) + "\\";
  for (const std::string& base : {folder_, longFolder}) {
    for (const char* name : {"tr ", "tr  "}) {
      for (const bool beside : {false, true}) {
        const std::string folder = base + name + "\\", shorter = base + "tr\\";
        SCOPED_TRACE(folder + (beside ? ", with a folder \"tr\" beside it" : ""));
        RemoveFolder(folder);
        RemoveFolder(shorter);
        ASSERT_TRUE(CreateDirectoryW(ExtendedPath(Wide(folder)).c_str(), nullptr));
        if (beside) {
          ASSERT_TRUE(CreateDirectoryW(ExtendedPath(Wide(shorter)).c_str(), nullptr));
        }
        WriteBytes(folder + "wangwu.pst.saving-0A1B.tmp", "left by a killed save");
        testsupport::SaveSteps steps;
        EXPECT_EQ(SaveNoticeWithFolder(Wide(folder)), Wide("NPC文件[" + NoticePath(folder + "wangwu.pst") + "]已经生成!"));
        EXPECT_EQ(steps.foldersFlushed(), std::vector{testsupport::FolderIdentity(ExtendedPath(Wide(folder)))});
        EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"wangwu.pst"});
        EXPECT_EQ(ReadBytes(folder + "wangwu.pst"), savedBytes_);
        if (beside) {
          EXPECT_EQ(FolderEntries(shorter), std::vector<std::wstring>{});
        }
      }
    }
  }
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A folder whose last name is blanks and dots alone in a folder "x", in a
// short folder and in one longer than MAX_PATH: " . " typed with its
// separator after it, "..  ." in the extended-length form (a plain path would
// drop its last dot). "x" and the folder " " beside the one typed each hold
// what a killed save left of the document too. The document goes into the
// folder typed, which the save flushes and where it removes what a killed
// save left, and "已经生成!" comes. What the killed saves left in "x" and in
// " " stays, and neither is flushed.
TEST_F(BadInputTest, AFolderNamedWithBlanksAndDotsAloneIsFlushedAndTidiedItself) {
  FillInAndSave();
  const std::string longFolder = MakeLongFolder(folder_ + "long", 300) + "\\";
  const std::string killed = "wangwu.pst.saving-0A1B.tmp";
  for (const std::string& base : {folder_, longFolder}) {
    for (const auto& [name, typedAs] : {std::pair{" . ", ""}, {"..  .", "\\\\?\\"}}) {
      const std::string x = base + "x\\", folder = x + name + "\\", beside = x + " \\", typed = typedAs + folder;
      SCOPED_TRACE(typed);
      RemoveFolder(x);
      for (const std::string& made : {x, folder, beside}) {
        ASSERT_TRUE(CreateDirectoryW(ExtendedPath(Wide(made)).c_str(), nullptr));
        std::ofstream(ExtendedPath(Wide(made + killed)).c_str(), std::ios::binary) << "left by a killed save";
      }
      testsupport::SaveSteps steps;
      EXPECT_EQ(SaveNoticeWithFolder(Wide(typed)), Wide("NPC文件[" + NoticePath(typed + "wangwu.pst") + "]已经生成!"));
      EXPECT_EQ(steps.foldersFlushed(), std::vector{testsupport::FolderIdentity(ExtendedPath(Wide(folder)))});
      EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"wangwu.pst"});
      EXPECT_EQ(ReadBytes(typed + "wangwu.pst"), savedBytes_);
      EXPECT_EQ(FolderEntries(beside), std::vector<std::wstring>{Wide(killed)});
      std::vector<std::wstring> inX = FolderEntries(x);
      std::sort(inX.begin(), inX.end());
      EXPECT_EQ(inX, (std::vector<std::wstring>{L" ", Wide(name), Wide(killed)}));
    }
  }
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// The document folder cannot be listed (a disk error: under Wine the host's
// EIO reaches the program as ERROR_NOACCESS; a folder that may not be read,
// EACCES, as an access denied) while its document can be looked at: whether
// the document is there is unknown, and the save says so with the error,
// not that another program made the file meanwhile, and writes nothing. A
// disk's error sends the user to the disk, an access denied says that the
// folder may not be read. Once the folder can be listed again the save asks
// and replaces.
TEST_F(BadInputTest, AFolderThatCannotBeListedIsNamedWithItsError) {
  FillInAndSave();
  const std::string old = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  const struct {
    const wchar_t* hostError;
    std::string told;  // after the file's name
  } faults[] = {
      {L"EIO", "]保存失败,查找存档目录中的同名文件时出错(磁盘读写错误,错误代码" + std::to_string(ERROR_NOACCESS) +
                   "),请检查存档目录所在的磁盘!"},
      {L"EACCES", "]保存失败,查找存档目录中的同名文件时出错(拒绝访问,错误代码5),存档目录不允许读取!"},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(platform::WideToGbk(fault.hostError).text);
    WriteBytes(saved_, old);
    std::vector<SeenDialog> seen;
    {
      FolderListingFault failing(DocumentFolder(), fault.hostError);
      if (!failing.attached()) {
        std::fprintf(stderr, "\n******** SKIPPED: the host's strace cannot fail the folder's listing ********\n\n");
        GTEST_SKIP() << "the host's strace cannot fail the folder's listing";
      }
      seen = Generate({PressButton(IDOK)});
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"提示");
    EXPECT_EQ(seen[0].text, Wide("NPC文件[" + saved_ + fault.told));
    EXPECT_EQ(ReadBytes(saved_), old);
    EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"wangwu.pst"});
    EXPECT_EQ(Shown(), shown_);
    ExpectNextSaveAsBefore();
  }
}

// A new document 吴 saved into a folder that cannot be listed (its opens
// failing in the server): a folder that may be written but not listed
// (EACCES) and a disk's error (EIO). Either keeps the folder from being
// opened for its flush, and the notice says so with the error. Either way
// the folder holds the document alone, under its one name: the save took
// its new file's own name away itself, where no tidy-up could list the
// folder. The next save, which cannot search the folder, names the error in
// words and by number, and what it means: a folder that may not be read, a
// disk to check. Once the folder can be listed again, the document is
// replaced as ever.
TEST_F(BadInputTest, ANewDocumentInAFolderThatCannotBeListedKeepsOneName) {
  FillInAndSave();
  const std::string wu = DocumentFolder() + "wu.pst";
  const struct {
    const wchar_t* hostError;
    const char* saved;  // the first save's notice after the file's name
    const char* search;  // the error of the search at the next save, and what it means
  } faults[] = {
      {L"EACCES", "]已经生成,但磁盘报告了错误(拒绝访问,错误代码5),文件可能还没有保存到磁盘上,请检查磁盘后再保存一次!",
       "拒绝访问,错误代码5),存档目录不允许读取"},
      {L"EIO", "]已经生成,但磁盘报告了错误(磁盘读写错误,错误代码998),文件可能还没有保存到磁盘上,请检查磁盘后再保存一次!",
       "磁盘读写错误,错误代码998),请检查存档目录所在的磁盘"},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(platform::WideToGbk(fault.hostError).text);
    DeleteFileW(Wide(wu).c_str());
    TypeInto(名字编辑框, L"吴");
    std::vector<SeenDialog> saved, again;
    {
      FolderListingFault failing(DocumentFolder(), fault.hostError);
      if (!failing.attached()) {
        std::fprintf(stderr, "\n******** SKIPPED: the host's strace cannot fail the folder's listing ********\n\n");
        GTEST_SKIP() << "the host's strace cannot fail the folder's listing";
      }
      saved = Generate({PressButton(IDOK)});
      again = Generate({PressButton(IDOK)});
    }
    const std::string bytes = ReadBytes(wu);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].caption, L"提示");
    EXPECT_EQ(saved[0].text, Wide("NPC文件[" + wu + fault.saved));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].text, Wide("NPC文件[" + wu + "]保存失败,查找存档目录中的同名文件时出错(" + fault.search + "!"));
    EXPECT_EQ(FolderEntries(DocumentFolder()), (std::vector<std::wstring>{L"wangwu.pst", L"wu.pst"}));
    EXPECT_EQ(ReadBytes(wu), bytes);
    const std::vector<SeenDialog> replaced = Generate({PressButton(IDYES), PressButton(IDOK)});
    ASSERT_EQ(replaced.size(), 2u);
    EXPECT_EQ(replaced[1].text, Wide("NPC文件[" + wu + "]已经生成!"));
    EXPECT_EQ(ReadBytes(wu), bytes);
  }
  TypeInto(名字编辑框, L"王五");
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// Saves into folders on ext4 (the document folder) and on tmpfs, whose
// flushes the host makes: "已经生成!" as ever. Then the document folder's
// file system, gone read-only after a disk's error, refuses its flush after
// the move (the host's fsync of the folder answering EROFS, which Wine gives
// as an access denied), over a file and of a new one: the notice says that
// the file is written but the disk reported the error, by its words and
// number, in place of the completion notice. The file holds what was saved,
// and the next save, the fault gone, asks and replaces as ever.
TEST_F(BadInputTest, AFolderFlushThatAFileSystemGoneReadOnlyRefusesIsNamed) {
  FillInAndSave();
  // A name of its own: the host's tmpfs is every prefix's, and Wine's
  // process IDs are each prefix's own.
  std::wstring shm;
  for (unsigned n = 0; shm.empty() && n < 1000; ++n) {
    const std::wstring candidate =
        L"Z:\\dev\\shm\\korvath-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n) + L"\\";
    if (UnixPath(candidate).empty()) break;
    if (CreateDirectoryW(candidate.c_str(), nullptr)) shm = candidate;
    else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  if (shm.empty()) GTEST_SKIP() << "no tmpfs of the host";
  const std::string inShm = platform::WideToGbk(shm).text;
  EXPECT_EQ(SaveNoticeWithFolder(shm), Wide("NPC文件[" + inShm + "wangwu.pst]已经生成!"));
  EXPECT_EQ(ReadBytes(inShm + "wangwu.pst"), savedBytes_);
  RemoveFolder(inShm);
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  const std::string lisi = DocumentFolder() + "lisi.pst";
  std::vector<SeenDialog> replaced, added;
  {
    FolderFault readOnly(DocumentFolder(), FolderFault::In::ThisProgram, L"fsync", L"EROFS");
    if (!readOnly.attached()) {
      std::fprintf(stderr, "\n******** SKIPPED: the host's strace cannot fail the folder's flush ********\n\n");
      GTEST_SKIP() << "the host's strace cannot fail the folder's flush";
    }
    replaced = Generate({PressButton(IDYES), PressButton(IDOK)});
    TypeInto(名字编辑框, L"李四");
    added = Generate({PressButton(IDOK)});
  }
  const std::string refused = "]已经生成,但磁盘报告了错误(拒绝访问,错误代码5),文件可能还没有保存到磁盘上,请检查磁盘后再保存一次!";
  ASSERT_EQ(replaced.size(), 2u);
  EXPECT_EQ(replaced[1].caption, L"提示");
  EXPECT_EQ(replaced[1].text, Wide("NPC文件[" + saved_ + refused));
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].text, Wide("NPC文件[" + lisi + refused));
  EXPECT_EQ(ReadBytes(saved_), savedBytes_);
  EXPECT_NE(ReadBytes(lisi), "<missing>");
  EXPECT_EQ(FolderEntries(DocumentFolder()), (std::vector<std::wstring>{L"lisi.pst", L"wangwu.pst"}));
  TypeInto(名字编辑框, L"王五");
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// Run in a copy of this program in a folder whose name has characters that
// GBK lacks (ProgramFolderTest below). The folder box shows the tool's own
// folder as it is named; the tool makes nothing there, since it could not
// save into it, and says so at the save, naming what is wrong and how to go
// on; another folder takes the save. The program's folder is the current
// directory all the same.
TEST_F(ProgramElsewhereTest, AProgramFolderOutsideGbkIsNamedAtTheSave) {
  if (!InCopyRun()) GTEST_SKIP() << "runs in a copy of this program (ProgramFolderTest)";
  const std::wstring program = platform::ProgramDirectoryWide();
  ASSERT_FALSE(platform::ProgramDirectoryChecked().exact);
  EXPECT_EQ(MainForm().EditContentWide(目录编辑框), program + L"\\AI文件夹\\");
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(current, program);
  EXPECT_EQ(SaveNotice(), Wide("程序所在的目录[" + platform::WideToGbk(program).text +
                               "]的路径中有GBK编码以外的字符(显示为?),本工具不能在其中建立存档目录,请选择其他存档目录!"));
  ExpectSavedElsewhere();
}

// Run in a copy of this program in a folder that cannot be written: the tool
// could not make its own folder there at start-up, and says so at the save,
// with the reason in the tool's own words (whatever the system's display
// language) and its number, and how to go on; another folder takes the save.
TEST_F(ProgramElsewhereTest, AFolderThatCouldNotBeMadeIsNamedAtTheSaveWithTheReason) {
  if (!InCopyRun()) GTEST_SKIP() << "runs in a copy of this program (ProgramFolderTest)";
  const std::wstring probe = platform::ProgramDirectoryWide() + L"\\probe";
  ASSERT_FALSE(CreateDirectoryW(probe.c_str(), nullptr));
  ASSERT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));  // the host's EPERM
  EXPECT_EQ(SaveNotice(), Wide("无法在程序所在的目录中建立存档目录[" + DocumentFolder() +
                               "](拒绝访问,错误代码5),请选择其他存档目录!"));
  ExpectSavedElsewhere();
}

// The two tests above, each in a copy of this program in such a folder.
TEST(ProgramFolderTest, OutsideGbk) {
  const std::wstring folder = L"C:\\Korvath 한국어 😀\\";
  ASSERT_FALSE(platform::WideToGbk(folder).exact);
  RemoveFolder(folder);
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring copy = CopyThisProgramInto(folder);
  ASSERT_FALSE(copy.empty());
  ExpectPassedInCopy(RunCopy(copy, L"ProgramElsewhereTest.AProgramFolderOutsideGbkIsNamedAtTheSave"),
                     "ProgramElsewhereTest.AProgramFolderOutsideGbkIsNamedAtTheSave");
  RemoveFolder(folder);
}

TEST(ProgramFolderTest, Unwritable) {
  const std::string folder = "C:\\korvath_unwritable_program\\";
  RemoveFolder(folder);
  ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
  const std::wstring copy = CopyThisProgramInto(Wide(folder));
  ASSERT_FALSE(copy.empty());
  bool marked = false;
  {
    UnwritableFolder unwritable(folder);
    marked = unwritable.marked();
    if (marked) {
      ExpectPassedInCopy(RunCopy(copy, L"ProgramElsewhereTest.AFolderThatCouldNotBeMadeIsNamedAtTheSaveWithTheReason"),
                         "ProgramElsewhereTest.AFolderThatCouldNotBeMadeIsNamedAtTheSaveWithTheReason");
      EXPECT_TRUE(unwritable.Release());
    }
  }
  RemoveFolder(folder);
  if (!marked) GTEST_SKIP() << "the host cannot keep a folder from being written";
}
