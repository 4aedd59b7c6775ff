// Saving a file: what a failure at each step of a save leaves behind, and
// what it reports, and what a kill of the program at each step leaves (the
// program killed by its process id, as a crash ends it); what a replace
// keeps of the old file, the files it refuses, before it starts too, a file
// that turns up while it goes on, and the longest names it takes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_saving.h"
#include "platform/files.h"
#include "tests/platform/file_saving_fixture.h"
#include "tests/support/save_steps.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace korvath::platform::files::savetest;
using files::SaveFailure;

namespace {

// The index of the step named `name` among `steps` (their size when none is).
size_t StepIndex(const std::vector<std::string>& steps, const std::string& name) {
  return size_t(std::find(steps.begin(), steps.end(), name) - steps.begin());
}

// Every step of a save up to the move that puts the new file in the file's
// place made to fail, one at a time, with an error that nothing else gives:
// the save reports that error at that step, and the folder is as it was, the
// old file byte for byte and nothing beside it. The steps include those that
// no small write makes fail (the flush, the setting of the attributes and
// the final move).
TEST_F(FileSavingTest, AFailureAtAnyStepLeavesTheFileAsItWasAndNothingBesideIt) {
  for (const Save& save : kSaves) {
    const std::vector<std::string> names = StepsOf(save);
    ASSERT_GE(names.size(), save.over ? 6u : 5u) << save.name;
    const size_t move = testsupport::StepOfTheMove(names);
    ASSERT_LT(move, names.size()) << save.name;
    for (size_t step = 0; step <= move; ++step) {
      SCOPED_TRACE(std::string(save.name) + ", step " + std::to_string(step) + ": " + names[step]);
      Prepare(save);
      std::optional<SaveFailure> failure;
      {
        testsupport::SaveSteps steps;
        steps.FailAt(step, ERROR_NOT_READY);
        failure = files::SaveFile(Gbk(file_), kNewContent).failure;
        EXPECT_EQ(steps.steps().size(), step + 1);  // no step after the one that failed
      }
      ASSERT_TRUE(failure.has_value());
      EXPECT_EQ(failure->error, DWORD(ERROR_NOT_READY));
      EXPECT_EQ(failure->step, KindOf(names[step]));
      ExpectAsBefore(save);
    }
  }
}

// Each step after the move made to fail, one at a time: the file holds the
// new content and nothing is beside it whatever failed, and the save is
// done. Where the folder's flush or its open for it fails (an I/O error:
// under Wine the host's EIO comes as ERROR_NOT_READY from the flush and as
// ERROR_NOACCESS from the open, an error it does not map as
// ERROR_GEN_FAILURE; an access denied, as a file system gone read-only
// answers; a folder gone; a name not right, the folder still there), the
// result says so with that error, the move being maybe not on disk, and a
// failure that leaves no error says so as a failure; where the system
// flushes no folder there (each error that says so, at the open and at the
// flush), or the new file's own name cannot be left to its handle (the
// tidy-up removes it), or the new file's close fails, it says nothing more.
TEST_F(FileSavingTest, AfterTheMoveOnlyAFailedFlushOfTheFolderIsReported) {
  const struct {
    const char* step;
    DWORD error;
    bool reported;
    DWORD told = 0;  // the error that the result gives, where not `error`
  } failures[] = {
      {"FlushFileBuffers (the folder)", ERROR_NOT_READY, true},
      {"FlushFileBuffers (the folder)", ERROR_IO_DEVICE, true},
      {"FlushFileBuffers (the folder)", ERROR_GEN_FAILURE, true},
      {"FlushFileBuffers (the folder)", ERROR_DISK_FULL, true},
      {"FlushFileBuffers (the folder)", ERROR_CRC, true},
      {"FlushFileBuffers (the folder)", ERROR_INVALID_FUNCTION, false},
      {"FlushFileBuffers (the folder)", ERROR_NOT_SUPPORTED, false},
      {"FlushFileBuffers (the folder)", ERROR_INVALID_PARAMETER, false},
      {"FlushFileBuffers (the folder)", ERROR_ACCESS_DENIED, true},
      {"CreateFileW (the folder)", ERROR_NOT_READY, true},
      {"CreateFileW (the folder)", ERROR_NOACCESS, true},
      {"CreateFileW (the folder)", ERROR_GEN_FAILURE, true},
      {"CreateFileW (the folder)", ERROR_INVALID_FUNCTION, false},
      {"CreateFileW (the folder)", ERROR_NOT_SUPPORTED, false},
      {"CreateFileW (the folder)", ERROR_INVALID_PARAMETER, false},
      {"CreateFileW (the folder)", ERROR_ACCESS_DENIED, true},
      {"CreateFileW (the folder)", ERROR_FILE_NOT_FOUND, true},
      {"CreateFileW (the folder)", ERROR_PATH_NOT_FOUND, true},
      {"CreateFileW (the folder)", ERROR_INVALID_NAME, true},
      {"CreateFileW (the folder)", ERROR_SUCCESS, true, ERROR_GEN_FAILURE},
      {"FlushFileBuffers (the folder)", ERROR_SUCCESS, true, ERROR_GEN_FAILURE},
      {"SetFileInformationByHandle (its removal)", ERROR_NOT_READY, false},  // of a new file only
      {"CloseHandle", ERROR_NOT_READY, false},
  };
  for (const Save& save : kSaves) {
    const std::vector<std::string> names = StepsOf(save);
    const size_t move = testsupport::StepOfTheMove(names);
    for (const auto& failure : failures) {
      SCOPED_TRACE(std::string(save.name) + ", " + failure.step + " failing with " + std::to_string(failure.error));
      const size_t step = StepIndex(names, failure.step);
      if (save.over && std::string(failure.step) == "SetFileInformationByHandle (its removal)") {
        EXPECT_EQ(step, names.size());  // the move leaves no name of the new file's own
        continue;
      }
      ASSERT_LT(step, names.size());
      ASSERT_GT(step, move);
      Prepare(save);
      files::SaveResult reported;
      {
        testsupport::SaveSteps steps;
        steps.FailAt(step, failure.error);
        reported = files::SaveFile(Gbk(file_), kNewContent);
      }
      EXPECT_EQ(reported.failure, std::nullopt);
      if (failure.reported) {
        EXPECT_EQ(reported.folderUnflushed, failure.told ? failure.told : failure.error);
      } else {
        EXPECT_EQ(reported.folderUnflushed, std::nullopt);
      }
      EXPECT_EQ(Read(file_), kNewContent);
      EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
    }
  }
}

// The move into the file's place reports a failure though it was made (as
// Wine's does where the folder goes as its server makes the move, which the
// two-disk tests make happen): over a file, and of a new file where no
// second name can be made. The file is in its place, and the save is done,
// nothing beside it.
TEST_F(FileSavingTest, AMoveThatReportsAFailureThoughMadeIsToldAsDone) {
  for (const Save& save : kSaves) {
    SCOPED_TRACE(save.name);
    const std::vector<std::string> names = StepsOf(save);
    const size_t link = StepIndex(names, "CreateHardLinkW");
    const size_t move = save.over ? StepIndex(names, "MoveFileExW") : link + 1;
    ASSERT_LT(save.over ? move : link, names.size());
    Prepare(save);
    files::SaveResult result;
    {
      testsupport::SaveSteps steps;
      if (!save.over) steps.FailAt(link, ERROR_NOT_SUPPORTED);
      steps.FailAfterTheMoveAt(move, ERROR_NOT_ENOUGH_MEMORY);
      result = files::SaveFile(Gbk(file_), kNewContent);
      EXPECT_EQ(StepIndex(steps.steps(), "MoveFileExW"), move);
    }
    EXPECT_EQ(result, kSaved);
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  }
}

// The save's look at what a name names tells nothing, its open failing as
// where the file goes between the look at its attributes and the open: from
// the start, with or without a step that fails, and from the move on. Before
// the move the new file's name is not taken for the new file's, nor is it,
// nor the folder, taken for another: nothing is moved, the save fails saying
// that the new file was not found (or with the step that failed), and the
// file is as it was, with nothing beside it. After the move the save is done,
// the folder told neither gone nor replaced.
TEST_F(FileSavingTest, ALookThatTellsNothingTakesNoNameForTheNewFileNorForAnother) {
  const struct {
    const char* what;
    bool afterTheMove;    // the looks fail from the step after the move on, else from the start
    const char* failing;  // a step made to fail, or none
  } rows[] = {
      {"from the start", false, nullptr},
      {"from the start, the write failing", false, "WriteFile"},
      {"from the move on", true, nullptr},
  };
  for (const Save& save : kSaves) {
    const std::vector<std::string> names = StepsOf(save);
    const size_t move = testsupport::StepOfTheMove(names);
    ASSERT_LT(move + 1, names.size()) << save.name;
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(save.name) + ", the looks failing " + row.what);
      Prepare(save);
      files::SaveResult result;
      {
        testsupport::SaveSteps steps;
        if (row.afterTheMove) steps.StopBefore(move + 1, [&steps] { steps.FailTheLooks(ERROR_FILE_NOT_FOUND); });
        else steps.FailTheLooks(ERROR_FILE_NOT_FOUND);
        if (row.failing) steps.FailAt(StepIndex(names, row.failing), ERROR_NOT_READY);
        result = files::SaveFile(Gbk(file_), kNewContent);
      }
      if (row.afterTheMove) {
        EXPECT_EQ(result, kSaved);
        EXPECT_EQ(Read(file_), kNewContent);
        EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
        continue;
      }
      const SaveFailure failure = row.failing ? SaveFailure{SaveFailure::Step::Write, ERROR_NOT_READY}
                                              : SaveFailure{SaveFailure::Step::Target, ERROR_FILE_NOT_FOUND};
      EXPECT_EQ(result.failure, failure);
      ExpectAsBefore(save);
    }
  }
}

// The marks that a user gives a file (hidden, system) are the replaced
// file's too, with the archive mark that any change gives; nothing is left
// beside it.
TEST_F(FileSavingTest, AReplacedFileKeepsItsHiddenAndSystemMarks) {
  const std::wstring api = FileApiPath(file_);
  for (DWORD marks : {DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE),
                      DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
                      DWORD(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE), DWORD(FILE_ATTRIBUTE_ARCHIVE)}) {
    SCOPED_TRACE(marks);
    Write(file_, kOldContent);
    ASSERT_TRUE(SetFileAttributesW(api.c_str(), marks));
    ASSERT_EQ(GetFileAttributesW(api.c_str()), marks);
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_EQ(GetFileAttributesW(api.c_str()), marks);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
    SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// What Windows does not replace is not replaced under Wine either, with the
// error that says why: a read-only file, a folder of the file's name, a file
// that another program holds open for writing and lets others read and write
// but not delete (as an editor holds its document). A file held open with
// deleting allowed too is not replaced either. Each stays as it was and
// nothing is left beside it.
TEST_F(FileSavingTest, AFileThatWindowsWouldNotReplaceIsLeftAsItWas) {
  const std::wstring api = FileApiPath(file_);
  Write(file_, kOldContent);
  ASSERT_TRUE(SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  std::optional<SaveFailure> failure = files::SaveFile(Gbk(file_), kNewContent).failure;
  EXPECT_EQ(GetFileAttributesW(api.c_str()), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, SaveFailure::Step::Target);
  EXPECT_EQ(failure->error, DWORD(ERROR_FILE_READ_ONLY));
  ExpectAsBefore(kSaves[0]);

  for (DWORD share :
       {DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE), DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)}) {
    SCOPED_TRACE(share);
    HANDLE holder = CreateFileW(api.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    failure = files::SaveFile(Gbk(file_), kNewContent).failure;
    CloseHandle(holder);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->step, SaveFailure::Step::Target);
    if (!(share & FILE_SHARE_DELETE)) {
      EXPECT_EQ(failure->error, DWORD(ERROR_SHARING_VIOLATION));
    }
    ExpectAsBefore(kSaves[0]);
  }

  RemoveAll(folder_);
  ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(file_.c_str(), nullptr));
  failure = files::SaveFile(Gbk(file_), kNewContent).failure;
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, SaveFailure::Step::Target);
  EXPECT_EQ(failure->error, DWORD(ERROR_ACCESS_DENIED));
  EXPECT_NE(GetFileAttributesW(file_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  EXPECT_EQ(Entries(file_), std::vector<std::wstring>{});
}

// The longest names that Windows holds, 255 characters, as a folder's and as
// the file's: saved new and over an old file, with nothing left beside it
// (the new content's file takes a name cut short to fit). A name of one more
// character, and a path of kLongestPath characters, are refused at once, and
// nothing is made.
TEST_F(FileSavingTest, NamesOf255CharactersAreSavedAndLongerOnesRefused) {
  const std::wstring folder = folder_ + L"\\" + std::wstring(255, L'f');
  ASSERT_TRUE(CreateDirectoryW(FileApiPath(folder).c_str(), nullptr));
  const std::wstring name = std::wstring(251, L'n') + L".pst", file = folder + L"\\" + name;
  EXPECT_EQ(files::SaveFile(Gbk(file), kOldContent), kSaved);
  EXPECT_EQ(Read(file), kOldContent);
  EXPECT_EQ(files::SaveFile(Gbk(file), kNewContent), kSaved);
  EXPECT_EQ(Read(file), kNewContent);
  EXPECT_EQ(Entries(folder), std::vector<std::wstring>{name});

  std::wstring tooLong = folder + L"\\" + std::wstring(252, L'n') + L".pst";
  std::optional<SaveFailure> failure = files::SaveFile(Gbk(tooLong), kNewContent).failure;
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->error, DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(Entries(folder), std::vector<std::wstring>{name});
  tooLong = folder_ + L"\\" + std::wstring(256, L'f') + L"\\" + name;
  failure = files::SaveFile(Gbk(tooLong), kNewContent).failure;
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->error, DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{folder.substr(folder_.size() + 1)});
  tooLong = folder;
  while (tooLong.size() < kLongestPath - name.size() - 1) tooLong += L"\\" + std::wstring(200, L'f');
  tooLong += L"\\" + name;
  ASSERT_GE(tooLong.size(), kLongestPath);
  failure = files::SaveFile(Gbk(tooLong), kNewContent).failure;
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->error, DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(Entries(folder), std::vector<std::wstring>{name});
}

// The new file is given, before it takes the old one's place, the archive
// mark that any change gives besides the old file's hidden and system marks:
// what the save hands to the system says so (under Wine every file shows
// the archive mark, whatever was handed).
TEST_F(FileSavingTest, TheNewFileIsGivenTheArchiveMarkBesidesTheKeptOnes) {
  const std::wstring api = FileApiPath(file_);
  for (DWORD kept : {DWORD(0), DWORD(FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_SYSTEM),
                     DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)}) {
    SCOPED_TRACE(kept);
    Write(file_, kOldContent);
    ASSERT_TRUE(SetFileAttributesW(api.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL));
    testsupport::SaveSteps steps;
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
    EXPECT_EQ(steps.attributesSet(), std::vector<DWORD>{kept | FILE_ATTRIBUTE_ARCHIVE});
    SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// Another program makes a file of the name while a new file's save goes on,
// after the save found none: just before the move, between the save's look
// at the name and its search for what no attributes describe (to which the
// file would be no file on disk, were it not looked at again), whether the
// save may replace a file or not, and between the look and the search for a
// link to nothing, which a save that may replace makes next (to which the
// file would be a link that the save replaces). That file stays as it was
// made, the new content is not left beside it, and the failure says that a
// file is there now, at the last step.
TEST_F(FileSavingTest, AFileThatTurnsUpMeanwhileIsNotReplaced) {
  const std::vector<std::string> names = StepsOf(kSaves[1]);
  const size_t move = StepIndex(names, "CreateHardLinkW");
  ASSERT_LT(move, names.size());
  const std::string theirs = "made by another program meanwhile\r\n";
  const struct {
    const char* when;
    std::optional<size_t> search;  // the search it comes before, else the move
    files::Existing existing;
  } moments[] = {
      {"before the move", std::nullopt, files::Existing::Replace},
      {"before the search, may replace", 0, files::Existing::Replace},
      {"before the search, may not replace", 0, files::Existing::Keep},
      {"before the search for a link to nothing, may replace", 1, files::Existing::Replace},
  };
  for (const auto& moment : moments) {
    SCOPED_TRACE(moment.when);
    Prepare(kSaves[1]);
    bool made = false;
    std::optional<SaveFailure> failure;
    {
      testsupport::SaveSteps steps;
      const auto make = [&] {
        Write(file_, theirs);
        made = true;
      };
      if (moment.search) steps.BeforeTheSearch(make, *moment.search);
      else steps.StopBefore(move, make);
      failure = files::SaveFile(Gbk(file_), kNewContent, moment.existing).failure;
    }
    ASSERT_TRUE(made);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->step, SaveFailure::Step::Target);
    EXPECT_EQ(failure->error, DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(Read(file_), theirs);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  }
}

// The document's name taken on the Linux host by what Wine does not show, a
// link of the host to nothing, where a new file is saved: the save fails as
// for a file that turned up meanwhile, and the link stays. (Wine's move
// without replacing looks for the name, finds nothing and replaces what is
// there; so it would a file that a host program makes between its look and
// its move.)
TEST_F(FileSavingTest, ANewFileTakesNoNameThatTheHostHolds) {
  testsupport::HostLinks made;
  if (!made.Make(file_, L"nothing-here.pst")) GTEST_SKIP() << "not under Wine: no host to make links with";
  const std::optional<SaveFailure> failure = files::SaveFile(Gbk(file_), kNewContent, files::Existing::Keep).failure;
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, SaveFailure::Step::Target);
  EXPECT_EQ(failure->error, DWORD(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(testsupport::HostLinks::PointsTo(file_, L"nothing-here.pst"));
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{});
}

// Where the file system makes no second name of a file (FAT, and under Wine
// a host's vfat: EPERM, as ERROR_ACCESS_DENIED; EOPNOTSUPP, as
// ERROR_GEN_FAILURE; EXDEV and EMLINK), a new file is moved into its place:
// saved all the same, with nothing beside it.
TEST_F(FileSavingTest, WhereNoSecondNameCanBeMadeANewFileIsMoved) {
  const std::vector<std::string> names = StepsOf(kSaves[1]);
  const size_t link = StepIndex(names, "CreateHardLinkW");
  ASSERT_LT(link, names.size());
  for (DWORD error : {ERROR_INVALID_FUNCTION, ERROR_NOT_SUPPORTED, ERROR_ACCESS_DENIED, ERROR_GEN_FAILURE,
                      ERROR_NOT_SAME_DEVICE, ERROR_TOO_MANY_LINKS}) {
    SCOPED_TRACE(error);
    Prepare(kSaves[1]);
    testsupport::SaveSteps steps;
    steps.FailAt(link, error);
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
    EXPECT_EQ(StepIndex(steps.steps(), "MoveFileExW"), link + 1);
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  }
}

// Where no second name can be made, a file that another program makes just
// before the move that takes its place is not replaced either: the save
// fails as where the second name finds the name taken, and the file stays as
// it was made, with nothing beside it.
TEST_F(FileSavingTest, AFileThatTurnsUpBeforeTheMoveInPlaceOfASecondNameIsNotReplaced) {
  const std::vector<std::string> names = StepsOf(kSaves[1]);
  const size_t link = StepIndex(names, "CreateHardLinkW");
  ASSERT_LT(link, names.size());
  const std::string theirs = "made by another program meanwhile\r\n";
  Prepare(kSaves[1]);
  std::optional<SaveFailure> failure;
  {
    testsupport::SaveSteps steps;
    steps.FailAt(link, ERROR_ACCESS_DENIED);
    steps.StopBefore(link + 1, [&] { Write(file_, theirs); });
    failure = files::SaveFile(Gbk(file_), kNewContent).failure;
    EXPECT_EQ(StepIndex(steps.steps(), "MoveFileExW"), link + 1);
  }
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, SaveFailure::Step::Target);
  EXPECT_EQ(failure->error, DWORD(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(Read(file_), theirs);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
}

// A link of the host to nothing where the file goes, which a search finds by
// its name and nothing describes: a save that may replace takes the name,
// the link itself, after KnownReplaceRefusal found nothing against it; no
// file is made where the link pointed. (One that may not replace finds the
// name taken: ANewFileTakesNoNameThatTheHostHolds.)
TEST_F(FileSavingTest, AHostLinkToNothingIsReplacedByASaveThatMayReplace) {
  testsupport::HostLinks made;
  if (!made.Make(file_, L"nothing-here.pst")) GTEST_SKIP() << "not under Wine: no host to make links with";
  EXPECT_TRUE(files::FileExists(Gbk(file_)));
  EXPECT_TRUE(files::PathIsLinkToNothing(Gbk(file_)));
  EXPECT_EQ(files::KnownReplaceRefusal(Gbk(file_)), std::nullopt);
  {
    testsupport::SaveSteps steps;
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
    EXPECT_EQ(steps.attributesSet(), std::vector<DWORD>{FILE_ATTRIBUTE_ARCHIVE});
  }
  EXPECT_EQ(Read(file_), kNewContent);
  EXPECT_FALSE(testsupport::HostLinks::PointsTo(file_, L"nothing-here.pst"));
  EXPECT_TRUE(testsupport::RunHostProgram(L"/bin/sh", {L"-c", L"[ -f \"$0\" ] && [ ! -L \"$0\" ]",
                                                       testsupport::UnixPath(file_)}));
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
}

// A save that may not replace (its caller found no file and asked nobody)
// leaves a file that is there by the time it starts as it is, and makes
// nothing; with no file there, it makes one.
TEST_F(FileSavingTest, ASaveThatMayNotReplaceLeavesAFileThatIsThere) {
  Prepare(kSaves[0]);
  std::optional<SaveFailure> failure;
  {
    testsupport::SaveSteps steps;
    failure = files::SaveFile(Gbk(file_), kNewContent, files::Existing::Keep).failure;
    EXPECT_EQ(steps.steps(), std::vector<std::string>{});
  }
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, SaveFailure::Step::Target);
  EXPECT_EQ(failure->error, DWORD(ERROR_FILE_EXISTS));
  ExpectAsBefore(kSaves[0]);
  Prepare(kSaves[1]);
  EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent, files::Existing::Keep), kSaved);
  EXPECT_EQ(Read(file_), kNewContent);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
}

// What is known to keep a file from being replaced before any save starts:
// the read-only mark and a folder of the name, each as the save itself
// reports it; a file that can be replaced, hidden or not, and no file, are
// no refusal.
TEST_F(FileSavingTest, AReadOnlyFileOrAFolderIsKnownToBeRefusedBeforeTheSave) {
  const std::wstring api = FileApiPath(file_);
  EXPECT_EQ(files::KnownReplaceRefusal(Gbk(file_)), std::nullopt);
  Write(file_, kOldContent);
  EXPECT_EQ(files::KnownReplaceRefusal(Gbk(file_)), std::nullopt);
  ASSERT_TRUE(SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(files::KnownReplaceRefusal(Gbk(file_)), std::nullopt);
  ASSERT_TRUE(SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  std::optional<SaveFailure> refusal = files::KnownReplaceRefusal(Gbk(file_));
  std::optional<SaveFailure> failure = files::SaveFile(Gbk(file_), kNewContent).failure;
  SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(refusal.has_value() && failure.has_value());
  EXPECT_EQ(refusal->step, failure->step);
  EXPECT_EQ(refusal->error, DWORD(ERROR_FILE_READ_ONLY));
  EXPECT_EQ(failure->error, DWORD(ERROR_FILE_READ_ONLY));
  EXPECT_EQ(Read(file_), kOldContent);

  ASSERT_TRUE(DeleteFileW(api.c_str()));
  ASSERT_TRUE(CreateDirectoryW(api.c_str(), nullptr));
  refusal = files::KnownReplaceRefusal(Gbk(file_));
  failure = files::SaveFile(Gbk(file_), kNewContent).failure;
  ASSERT_TRUE(refusal.has_value() && failure.has_value());
  EXPECT_EQ(refusal->step, failure->step);
  EXPECT_EQ(refusal->error, DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(failure->error, DWORD(ERROR_ACCESS_DENIED));
}

// The program killed before each step of a save and once it has returned,
// over a file of 601 bytes with one of 510 and of a new file: the file then
// holds its whole old or its whole new content, byte for byte (or is not
// there yet), and beside it is at most one file, the new content's, named
// after the file and ending in ".tmp": never a ".pst" file that the tool or
// its open dialog would take. Prints what each kill left.
TEST_F(FileSavingTest, AKillAtAnyStepLeavesTheWholeOldOrTheWholeNewFile) {
  for (const Save& save : kSaves) {
    const std::vector<std::string> names = StepsOf(save);
    for (size_t step = 0; step <= names.size(); ++step) {
      const std::string when = step < names.size() ? "before " + names[step] : "after the save returned";
      SCOPED_TRACE(std::string(save.name) + ", killed " + when);
      Prepare(save);
      {
        KilledSave killed(step, file_);
        ASSERT_EQ(killed.error(), "");
      }
      const std::optional<std::string> held = Read(file_);
      std::string beside;
      size_t others = 0;
      for (const std::wstring& name : Entries(folder_)) {
        if (name == name_) continue;
        ++others;
        const std::optional<std::string> bytes = Read(folder_ + L"\\" + name);
        beside += Gbk(name) + " (" + std::to_string(bytes ? bytes->size() : 0) + " bytes) ";
        EXPECT_EQ(name.substr(0, name_.size() + 1), name_ + L".");
        EXPECT_EQ(name.substr(name.size() - 4), L".tmp");
      }
      std::printf("%-9s | killed %-57s | the file: %-22s | beside it: %s\n", save.name, when.c_str(),
                  Described(held).c_str(), others ? beside.c_str() : "nothing");
      if (save.over) EXPECT_TRUE(held == kOldContent || held == kNewContent) << Described(held);
      else EXPECT_TRUE(!held || held == kNewContent) << Described(held);
      EXPECT_LE(others, 1u);
      EXPECT_EQ(Entries(folder_, L"*.pst"), held ? std::vector<std::wstring>{name_} : std::vector<std::wstring>{});
    }
  }
}

}  // namespace

// A name that the system reads as a device's (in any folder, with any
// extension) or a pipe's is no file to save: refused at once, with nothing
// made beside it. (The new file beside "aux.pst" would be a device's name
// too, and every try to make one finds it there.)
TEST_F(FileSavingTest, ADevicesNameIsRefusedAtOnceAndNothingIsMade) {
  for (const std::wstring& path : {folder_ + L"\\aux.pst", folder_ + L"\\COM1.pst", folder_ + L"\\nul",
                                   std::wstring(L"\\\\.\\pipe\\korvath_nobody.pst")}) {
    SCOPED_TRACE(Gbk(path));
    testsupport::SaveSteps steps;
    const std::optional<SaveFailure> failure = files::SaveFile(Gbk(path), kNewContent).failure;
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->step, SaveFailure::Step::Target);
    EXPECT_EQ(failure->error, DWORD(ERROR_BAD_DEVICE));
    EXPECT_TRUE(steps.steps().empty());
  }
  EXPECT_TRUE(Entries(folder_).empty());
}
