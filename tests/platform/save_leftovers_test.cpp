// What saves that never ended leave beside a file, and what the next save of
// that file that succeeds removes of it: only such files of that file, in
// its folder, that no program holds open, and no link of the Linux host of
// such a name nor what it points to; and that a save's own new file is no
// other save's to remove while it goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_saving.h"
#include "platform/file_saving_leftovers.h"
#include "tests/platform/file_saving_fixture.h"
#include "tests/platform/host_disks.h"
#include "tests/support/save_steps.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace korvath::platform::files::savetest;
using files::SaveFailure;
using testsupport::HostLinks;

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// The step of a save (of a new file or over one) before which the program is
// stopped: its new file written and closed, not yet moved.
size_t StepBefore(const std::vector<std::string>& steps, const std::string& name) {
  return size_t(std::find(steps.begin(), steps.end(), name) - steps.begin());
}

// Ten saves killed before the move left ten files beside the file, each the
// whole new content under a name of the pattern; the next save that
// succeeds leaves the file and nothing beside it.
TEST_F(FileSavingTest, TheNextSaveRemovesWhatTenKilledSavesLeft) {
  const size_t move = StepBefore(StepsOf(kSaves[0]), "MoveFileExW");
  Prepare(kSaves[0]);
  for (int kill = 0; kill < 10; ++kill) {
    KilledSave killed(move, file_);
    ASSERT_EQ(killed.error(), "") << "kill " << kill;
  }
  const std::vector<std::wstring> left = Entries(folder_, L"zhangsan.pst.saving-*");
  EXPECT_EQ(left.size(), 10u);
  for (const std::wstring& name : left) {
    EXPECT_TRUE(files::IsLeftoverName(name, name_)) << Gbk(name);
    EXPECT_EQ(Read(folder_ + L"\\" + name), kNewContent) << Gbk(name);
  }
  EXPECT_EQ(Read(file_), kOldContent);
  EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
  EXPECT_EQ(Read(file_), kNewContent);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
}

// Beside what a killed save left: another file's leftover, names that are
// like the pattern but not it (other digits, case, length or ending), a
// folder of the pattern with a file in it, the new file of a save of the
// same file that another program is still making (open, written, not yet
// moved), and one that a program holds open to read it. The save removes
// the killed save's file alone, and succeeds though it could not remove the
// held ones.
TEST_F(FileSavingTest, ASaveRemovesNoOtherFileNorOneThatIsHeld) {
  const size_t move = StepBefore(StepsOf(kSaves[0]), "MoveFileExW");
  Prepare(kSaves[0]);
  {
    KilledSave killed(move, file_);
    ASSERT_EQ(killed.error(), "");
  }
  ASSERT_EQ(Entries(folder_, L"zhangsan.pst.saving-*").size(), 1u);
  std::vector<std::wstring> kept = {
      L"lisi.pst.saving-1A2B.tmp",      L"zhangsan.pst.saving-12345.tmp",  L"zhangsan.pst.saving-123.tmp",
      L"zhangsan.pst.saving-XYZW.tmp",  L"zhangsan.pst.saving-abcd.tmp",   L"zhangsan.pst.saving-1A2C.TMP",
      L"zhangsan.pst.saving-1A2D.tmp.bak", L"xzhangsan.pst.saving-1A2E.tmp", L"zhangsan.pstsaving-1A2F.tmp",
      L"ZHANGSAN.PST.saving-1A30.tmp",  L"zhangsan.pst.saving-1A31",       L"zhangsan.pst.1A32.tmp",
      L"zhangsan.saving-1A33.tmp"};
  for (const std::wstring& name : kept) Write(folder_ + L"\\" + name, "not left by a save of zhangsan.pst\r\n");
  const std::wstring folder = L"zhangsan.pst.saving-C0DE.tmp";
  ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\" + folder).c_str(), nullptr));
  Write(folder_ + L"\\" + folder + L"\\inside.txt", "in a folder\r\n");
  kept.push_back(folder);
  // One of the pattern that a program reads, letting others read, write and
  // delete it (the system's check of an open is the same whoever holds it).
  const std::wstring read = L"zhangsan.pst.saving-BEEF.tmp";
  Write(folder_ + L"\\" + read, kNewContent);
  HANDLE reading = CreateFileW((folder_ + L"\\" + read).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
  ASSERT_NE(reading, INVALID_HANDLE_VALUE);
  kept.push_back(read);
  const std::vector<std::wstring> before = Entries(folder_);
  KilledSave going(move, file_, AtTheStep::Hold);
  ASSERT_EQ(going.error(), "");
  for (const std::wstring& name : Entries(folder_))
    if (std::find(before.begin(), before.end(), name) == before.end()) kept.push_back(name);
  ASSERT_EQ(kept.size(), 16u);  // the held save's new file among them

  EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
  CloseHandle(reading);
  EXPECT_EQ(Read(file_), kNewContent);
  kept.push_back(name_);
  EXPECT_EQ(Sorted(Entries(folder_)), Sorted(kept));
  EXPECT_EQ(Entries(folder_ + L"\\" + folder), std::vector<std::wstring>{L"inside.txt"});
}

// A leftover that another program holds open for its own removal of it,
// letting others read, write and delete it: the save leaves it, and it is
// still there once that program has let go.
TEST_F(FileSavingTest, ASaveLeavesALeftoverThatAnotherProgramHoldsForItsRemoval) {
  const std::wstring held = file_ + L".saving-D0D0.tmp";
  Write(held, kNewContent);
  HANDLE holder = CreateFileW(held.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
  CloseHandle(holder);
  EXPECT_EQ(Read(held), kNewContent);
  EXPECT_EQ(Sorted(Entries(folder_)), Sorted({name_, L"zhangsan.pst.saving-D0D0.tmp"}));
}

// A new file's own name goes with the save that made it, also where no
// tidy-up could remove it: another program holds it open for its removal
// from just before the new file takes its name until the save has returned.
// Once that program lets go, the document alone is there.
TEST_F(FileSavingTest, ANewFilesOwnNameGoesWithItsSaveWhereNoTidyUpCouldRemoveIt) {
  const size_t link = testsupport::StepOfTheMove(StepsOf(kSaves[1]));
  Prepare(kSaves[1]);
  HANDLE holder = INVALID_HANDLE_VALUE;
  {
    testsupport::SaveSteps steps;
    steps.StopBefore(link, [&] {
      const std::vector<std::wstring> made = Entries(folder_, L"zhangsan.pst.saving-*");
      if (made.size() != 1) return;
      holder = CreateFileW((folder_ + L"\\" + made[0]).c_str(), DELETE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    });
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
  }
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  CloseHandle(holder);
  EXPECT_EQ(Read(file_), kNewContent);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
}

// A file whose name is as long as names can be: its killed save's file has
// a name cut short to fit, and the next save removes that one too.
TEST_F(FileSavingTest, TheNextSaveRemovesTheLeftoverOfANameOf255Characters) {
  const size_t move = StepBefore(StepsOf(kSaves[0]), "MoveFileExW");
  const std::wstring name = std::wstring(251, L'n') + L".pst", file = folder_ + L"\\" + name;
  Prepare(kSaves[1]);
  Write(file, kOldContent);
  {
    KilledSave killed(move, file);
    ASSERT_EQ(killed.error(), "");
  }
  const std::vector<std::wstring> left = Entries(folder_, L"nnn*.tmp");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].size(), 255u);
  EXPECT_TRUE(files::IsLeftoverName(left[0], name));
  EXPECT_EQ(files::SaveFile(Gbk(file), kNewContent), kSaved);
  EXPECT_EQ(Read(file), kNewContent);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name});
}

// Whether there is an entry of that path (a link of the host to nothing is
// none for Wine).
bool Exists(const std::wstring& path) {
  return GetFileAttributesW(FileApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Links of the Linux host beside the file under names of its leftovers, as
// anyone who may write into its folder can make them, each to something that
// the tidy-up must not touch: the file itself (relative and absolute),
// another NPC's file, a file and a folder in another folder (relative and
// absolute), nothing, a file of the link's own name in another folder and
// in a folder inside the file's folder, and a file beside it whose name is
// as long as the link's. Wine shows a link to a file as that file. A save
// over the file and one of a new file remove none of the links and touch
// nothing they point to. Beside them, a second name (a hard link) of another
// NPC's file under such a name goes as a name, that file keeping its
// content, and a file that a killed save left goes as before.
TEST_F(FileSavingTest, ASaveRemovesNoHostLinkNorWhatItPointsTo) {
  const std::wstring elsewhere = ProgramFolder() + L"\\保存测试之外";
  const std::wstring hostElsewhere = testsupport::UnixPath(elsewhere);
  if (hostElsewhere.empty()) GTEST_SKIP() << "not under Wine: no host to make links with";
  const std::wstring lisi = folder_ + L"\\lisi.pst", victim = elsewhere + L"\\victim.txt";
  const std::string theirs = "another NPC's file\r\n", victimContent = "a file in another folder\r\n";
  const std::wstring leftover = file_ + L".saving-";
  const struct {
    const wchar_t* digits;
    std::wstring target;
  } links[] = {
      {L"0001", name_},
      {L"0002", testsupport::UnixPath(file_)},
      {L"0003", L"lisi.pst"},
      {L"0004", L"../保存测试之外/victim.txt"},
      {L"0005", hostElsewhere + L"/victim.txt"},
      {L"0006", hostElsewhere},
      {L"0007", L"../保存测试之外"},
      {L"0008", L"nothing-here.pst"},
      {L"000B", L"../保存测试之外/zhangsan.pst.saving-000B.tmp"},
      {L"000C", L"inside/zhangsan.pst.saving-000C.tmp"},
      {L"000D", L"zhangsan.pst.saving-000D.txt"},
  };
  const std::wstring sameNamed = elsewhere + L"\\zhangsan.pst.saving-000B.tmp",
                     inside = folder_ + L"\\inside\\zhangsan.pst.saving-000C.tmp",
                     asLong = folder_ + L"\\zhangsan.pst.saving-000D.txt";
  for (const Save& save : kSaves) {
    SCOPED_TRACE(save.name);
    Prepare(save);
    RemoveAll(elsewhere);
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    Write(victim, victimContent);
    Write(elsewhere + L"\\inside.txt", victimContent);
    Write(lisi, theirs);
    Write(sameNamed, victimContent);
    ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\inside").c_str(), nullptr));
    Write(inside, victimContent);
    Write(asLong, victimContent);
    HostLinks made;
    for (const auto& link : links) ASSERT_TRUE(made.Make(leftover + link.digits + L".tmp", link.target));
    ASSERT_TRUE(CreateHardLinkW((leftover + L"0009.tmp").c_str(), lisi.c_str(), nullptr));
    Write(leftover + L"000A.tmp", kNewContent);
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
    EXPECT_EQ(Read(file_), kNewContent);
    for (const auto& link : links)
      EXPECT_TRUE(HostLinks::PointsTo(leftover + link.digits + L".tmp", link.target)) << link.digits;
    EXPECT_EQ(Read(lisi), theirs);
    EXPECT_EQ(Read(victim), victimContent);
    EXPECT_EQ(Read(sameNamed), victimContent);
    EXPECT_EQ(Read(inside), victimContent);
    EXPECT_EQ(Read(asLong), victimContent);
    EXPECT_EQ(Sorted(Entries(elsewhere)),
              (std::vector<std::wstring>{L"inside.txt", L"victim.txt", L"zhangsan.pst.saving-000B.tmp"}));
    EXPECT_FALSE(Exists(leftover + L"0009.tmp"));
    EXPECT_FALSE(Exists(leftover + L"000A.tmp"));
  }
  RemoveAll(elsewhere);
}

// A folder whose name ends in a dot beside the folder of that name without
// it, whose files Wine tells by names alike (it drops the dot at the end of
// a folder's name in them). In either, the file's folder, a link of the host
// under a leftover's name to a file of that name in the other, and what a
// killed save left. A save over the file and one of a new file: what the
// killed save left goes, the link stays as it points and the file it points
// to stays whole.
TEST_F(FileSavingTest, ASaveRemovesNothingThatALinkPointsToInAFolderWhoseFilesAreToldAlike) {
  const std::wstring dotted = L"\\\\?\\" + folder_ + L"\\e_dot.", plain = L"\\\\?\\" + folder_ + L"\\e_dot";
  const std::wstring leftover = L"zhangsan.pst.saving-0001.tmp";
  const struct {
    const char* way;
    std::wstring here, there, target;
  } ways[] = {
      {"the file's folder with the dot", dotted, plain, L"../e_dot/" + leftover},
      {"the file's folder without the dot", plain, dotted, L"../e_dot./" + leftover},
  };
  const std::string victim = "a file of a leftover's name in another folder\r\n";
  // The fixture's own clean-up names "e_dot." without its dot, as a plain
  // path drops it: the folder goes here, whatever the test comes to.
  const struct Removed {
    std::wstring folder;
    ~Removed() { RemoveAll(folder); }
  } removed{dotted};
  for (const auto& way : ways) {
    for (const Save& save : kSaves) {
      SCOPED_TRACE(std::string(way.way) + ", " + save.name);
      for (const std::wstring& folder : {dotted, plain}) {
        RemoveAll(folder);
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
      }
      Write(way.there + L"\\" + leftover, victim);
      HostLinks made;
      if (!made.Make(way.here + L"\\" + leftover, way.target))
        GTEST_SKIP() << "not under Wine: no host to make links with";
      Write(way.here + L"\\" + files::LeftoverName(name_, 0x0A1B), kNewContent);
      const std::wstring file = way.here + L"\\" + name_;
      if (save.over) Write(file, kOldContent);
      EXPECT_EQ(files::SaveFile(Gbk(file), kNewContent), kSaved);
      EXPECT_EQ(Read(file), kNewContent);
      EXPECT_TRUE(HostLinks::PointsTo(way.here + L"\\" + leftover, way.target));
      EXPECT_EQ(Read(way.there + L"\\" + leftover), victim);
      EXPECT_EQ(Sorted(Entries(way.here)), Sorted({leftover, name_}));
      EXPECT_EQ(Entries(way.there), std::vector<std::wstring>{leftover});
    }
  }
}

// Folders whose names are blanks and dots alone, side by side in a folder
// "x": Wine tells the own name of each as that of "x" with the separator
// after it, and the names of their entries by the folder's name less one dot
// at its end. In "x" and in each of them, what a killed save left. A save
// into each, by its path and through a drive mapped to "x" (whose root Wine
// tells by the name it tells such a folder in it by), over the file and of a
// new file, with links of the host there under leftovers' names to a file
// of that name in "x" and to one in the folder beside: what the killed save
// left there goes; the links stay as they point, what they point to stays
// whole, and so does what killed saves left in every other folder. So too
// for a save into "x" and into the drive's root, with such links into each
// folder in it.
TEST_F(FileSavingTest, ASaveIntoAFolderNamedWithBlanksAndDotsAloneTidiesUpThereAlone) {
  const std::wstring x = L"\\\\?\\" + folder_ + L"\\x";
  const std::wstring names[] = {L"", L" . ", L"..  .", L" ", L"...", L" .. "};  // "" for "x" itself
  constexpr size_t kFolders = std::size(names);
  const std::wstring killed = files::LeftoverName(name_, 0x0A1B);
  // Each folder's own file of a leftover's name; the links to it are named so.
  const auto own = [&](size_t folder) { return files::LeftoverName(name_, unsigned(folder)); };
  const std::string victim = "a file of a leftover's name in another folder\r\n";
  // The fixture's clean-up names these folders in a plain path, which drops
  // the dots at the end of their names: they go here, whatever the test
  // comes to.
  const struct Removed {
    std::wstring folder;
    ~Removed() { RemoveAll(folder); }
  } removed{x};
  if (testsupport::UnixPath(folder_).empty()) GTEST_SKIP() << "not under Wine: no host to make links with";
  // "x" stays all the while, so that the drive mapped to it has one root:
  // Wine knows a drive's root by its index, which a folder made anew in its
  // place, or one in it, may not have (or may take over).
  RemoveAll(x);
  ASSERT_TRUE(CreateDirectoryW(x.c_str(), nullptr));
  std::vector<std::wstring> folders;
  for (const std::wstring& name : names) folders.push_back(name.empty() ? x : x + L"\\" + name);
  for (const bool mapped : {false, true}) {
    std::optional<testsupport::MappedDrive> drive;
    if (mapped) {
      drive.emplace(x);
      ASSERT_NE(drive->letter(), 0);
    }
    const std::wstring way = mapped ? std::wstring(L"\\\\?\\") + drive->letter() + L":" : x;
    for (size_t into = 0; into < kFolders; ++into) {
      for (const Save& save : kSaves) {
        const std::wstring here = way + (into ? L"\\" + names[into] : L"");
        SCOPED_TRACE(Gbk(here) + "\\, " + save.name);
        for (const std::wstring& name : {name_, killed, own(0)}) DeleteFileW(FileApiPath(x + L"\\" + name).c_str());
        for (size_t folder = 0; folder < kFolders; ++folder) {
          if (folder != 0) {
            RemoveAll(folders[folder]);
            ASSERT_TRUE(CreateDirectoryW(folders[folder].c_str(), nullptr));
          }
          Write(folders[folder] + L"\\" + killed, kNewContent);
        }
        // From "x" a link into each folder in it; from such a folder one to
        // the file of "x" and one to the file of the folder beside it.
        std::vector<std::pair<size_t, std::wstring>> links;
        if (into == 0) {
          for (size_t to = 1; to < kFolders; ++to) links.push_back({to, names[to] + L"/" + own(to)});
        } else {
          const size_t beside = into % (kFolders - 1) + 1;
          links = {{0, L"../" + own(0)}, {beside, L"../" + names[beside] + L"/" + own(beside)}};
        }
        HostLinks made;
        for (const auto& [to, target] : links) {
          Write(folders[to] + L"\\" + own(to), victim);
          ASSERT_TRUE(made.Make(folders[into] + L"\\" + own(to), target));
        }
        const std::wstring file = here + L"\\" + name_;
        if (save.over) Write(file, kOldContent);
        EXPECT_EQ(files::SaveFile(Gbk(file), kNewContent), kSaved);
        EXPECT_EQ(Read(file), kNewContent);
        for (size_t folder = 0; folder < kFolders; ++folder)
          EXPECT_EQ(Exists(folders[folder] + L"\\" + killed), folder != into) << Gbk(folders[folder]);
        for (const auto& [to, target] : links) {
          EXPECT_TRUE(HostLinks::PointsTo(folders[into] + L"\\" + own(to), target)) << Gbk(target);
          EXPECT_EQ(Read(folders[to] + L"\\" + own(to)), victim) << Gbk(target);
        }
        if (into != 0) {
          std::vector<std::wstring> left = {name_};
          for (const auto& [to, target] : links) left.push_back(own(to));
          EXPECT_EQ(Sorted(Entries(folders[into])), Sorted(left));
        }
      }
    }
  }
}

// Under names of the file's leftovers, what is no file on disk: a FIFO, a
// link of the host to a FIFO in another folder, each with a program of the
// host waiting to write into it, a socket and a link to a device. A save
// over the file and one of a new file succeed and open none of them: each
// writer still waits, and each stays what it was.
TEST_F(FileSavingTest, TheTidyUpOpensNoFifoNorAnythingElseThatIsNoFileOnDisk) {
  const std::wstring elsewhere = ProgramFolder() + L"\\保存测试之外";
  if (testsupport::UnixPath(elsewhere).empty()) GTEST_SKIP() << "not under Wine: no host FIFOs";
  const std::wstring leftover = file_ + L".saving-";
  for (const Save& save : kSaves) {
    SCOPED_TRACE(save.name);
    Prepare(save);
    RemoveAll(elsewhere);
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    using Kind = testsupport::HostEntry::Kind;
    const testsupport::HostEntry pipe(Kind::Fifo, elsewhere + L"\\pipe"),
        fifo(Kind::Fifo, leftover + L"0F0E.tmp"),
        toPipe(Kind::Link, leftover + L"0F0F.tmp", testsupport::UnixPath(elsewhere + L"\\pipe")),
        socket(Kind::Socket, leftover + L"0F10.tmp"), zero(Kind::Link, leftover + L"0F11.tmp", L"/dev/zero");
    ASSERT_TRUE(pipe.made() && fifo.made() && toPipe.made() && socket.made() && zero.made());
    const testsupport::WaitingFifoWriter atPipe(elsewhere + L"\\pipe"), atFifo(leftover + L"0F0E.tmp");
    ASSERT_TRUE(atPipe.StillWaiting() && atFifo.StillWaiting());
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
    EXPECT_TRUE(atPipe.StillWaiting());
    EXPECT_TRUE(atFifo.StillWaiting());
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_TRUE(pipe.Intact() && fifo.Intact() && toPipe.Intact() && socket.Intact() && zero.Intact());
  }
  RemoveAll(elsewhere);
}

// A folder reached through a link of the host: the tidy-up there removes what
// a killed save left as anywhere else (each file is the folder's own, by the
// way it was reached).
TEST_F(FileSavingTest, TheTidyUpInAFolderReachedThroughAHostLinkRemovesWhatAKilledSaveLeft) {
  const std::wstring through = ProgramFolder() + L"\\保存测试链接";
  HostLinks made;
  if (!made.Make(through, testsupport::UnixPath(folder_))) GTEST_SKIP() << "not under Wine: no host to make links with";
  const std::wstring file = through + L"\\" + name_;
  Write(file, kOldContent);
  Write(file + L".saving-0A1B.tmp", kNewContent);
  EXPECT_EQ(files::SaveFile(Gbk(file), kNewContent), kSaved);
  EXPECT_EQ(Read(file_), kNewContent);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
}

// While alive, the current directory is `folder`; the one before after it.
class CurrentDirectoryIn {
 public:
  explicit CurrentDirectoryIn(const std::wstring& folder) : before_(GetCurrentDirectoryW(0, nullptr), L'\0') {
    before_.resize(GetCurrentDirectoryW(DWORD(before_.size()), before_.data()));
    moved_ = SetCurrentDirectoryW(folder.c_str());
  }
  ~CurrentDirectoryIn() { SetCurrentDirectoryW(before_.c_str()); }
  CurrentDirectoryIn(const CurrentDirectoryIn&) = delete;
  CurrentDirectoryIn& operator=(const CurrentDirectoryIn&) = delete;
  bool moved() const { return moved_; }

 private:
  std::wstring before_;
  bool moved_ = false;
};

// A drive's root as the file's folder, named "X:\" and in the device
// namespace ("\\?\X:\", "\\.\X:\"): the tidy-up removes what a killed save
// left there, and the flush puts the root's entries on disk. Each opens the
// root: not the drive's current folder, which "X:" names (here a folder
// below the root, as after the open dialog went there), nor its volume,
// which "\\?\X:" names.
TEST_F(FileSavingTest, ASaveIntoADrivesRootTidiesUpAndFlushesTheRoot) {
  const testsupport::MappedDrive drive(folder_);
  if (!drive.letter()) GTEST_SKIP() << "not under Wine: no drive to map";
  const std::wstring root = {drive.letter(), L':', L'\\'};
  ASSERT_TRUE(CreateDirectoryW((root + L"below").c_str(), nullptr));
  const CurrentDirectoryIn below(root + L"below");
  ASSERT_TRUE(below.moved());
  const testsupport::FileIdentity rootFolder = testsupport::FolderIdentity(root);
  ASSERT_NE(rootFolder, testsupport::FileIdentity());
  ASSERT_NE(testsupport::FolderIdentity(root + L"below"), rootFolder);
  for (const std::wstring& folder : {root, L"\\\\?\\" + root, L"\\\\.\\" + root}) {
    SCOPED_TRACE(Gbk(folder));
    Write(root + files::LeftoverName(name_, 0x0A1B), kNewContent);
    testsupport::SaveSteps steps;
    EXPECT_EQ(files::SaveFile(Gbk(folder + name_), kNewContent), kSaved);
    EXPECT_EQ(steps.foldersFlushed(), std::vector{rootFolder});
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_EQ(Sorted(Entries(folder_)), (std::vector<std::wstring>{L"below", name_}));
  }
}

// A drive mapped to the file's folder, or its mapping removed, between the
// save's telling of its folder's name and the tidy-up: Wine tells the
// leftover by the drive that holds it now, the folder by the one that held
// it then. The tidy-up removes the leftover all the same, over a file and
// of a new file.
TEST_F(FileSavingTest, TheTidyUpRemovesALeftoverToldByADriveMappedDuringTheSave) {
  for (const bool mappedBefore : {true, false}) {
    for (const Save& save : kSaves) {
      SCOPED_TRACE(std::string(save.name) + (mappedBefore ? ", the mapping removed" : ", a drive mapped"));
      const std::vector<std::string> made = StepsOf(save);
      // The close of the new file, just after the save told its folder's name.
      const size_t close = size_t(std::find(made.begin() + testsupport::StepOfTheMove(made), made.end(), "CloseHandle") -
                                  made.begin());
      ASSERT_LT(close, made.size());
      Prepare(save);
      Write(folder_ + L"\\" + files::LeftoverName(name_, 0x0A1B), kNewContent);
      std::optional<testsupport::MappedDrive> drive;
      if (mappedBefore) {
        drive.emplace(folder_);
        if (!drive->letter()) GTEST_SKIP() << "not under Wine: no drive to map";
      }
      {
        testsupport::SaveSteps steps;
        steps.StopBefore(close, [&] {
          if (mappedBefore) drive.reset();
          else drive.emplace(folder_);
        });
        EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
      }
      if (!mappedBefore) {
        ASSERT_NE(drive->letter(), 0);
      }
      EXPECT_EQ(Read(file_), kNewContent);
      EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
    }
  }
}

// Another save of the file tidies up while this save's new file is written
// and about to take the file's place, beside what a killed save left: the
// new file, still open, is not removed, the killed save's file is (the
// folder's name told by the folder itself, where the caller gives none), and
// the save ends as any other. Over a file and of a new file.
TEST_F(FileSavingTest, AnotherSavesTidyUpLeavesTheNewFileOfASaveGoingOn) {
  for (const Save& save : kSaves) {
    SCOPED_TRACE(save.name);
    const size_t move = testsupport::StepOfTheMove(StepsOf(save));
    Prepare(save);
    std::vector<std::wstring> during, afterTheTidyUp;
    files::SaveResult saved;
    {
      testsupport::SaveSteps steps;
      steps.StopBefore(move, [&] {
        during = Entries(folder_, L"zhangsan.pst.saving-*");
        const std::wstring killed = files::LeftoverName(name_, during == std::vector{files::LeftoverName(name_, 0x0A1B)}
                                                                   ? 0x0A1C : 0x0A1B);
        Write(folder_ + L"\\" + killed, kNewContent);
        files::RemoveLeftovers(folder_ + L"\\", name_);
        afterTheTidyUp = Entries(folder_, L"zhangsan.pst.saving-*");
      });
      saved = files::SaveFile(Gbk(file_), kNewContent);
    }
    EXPECT_EQ(during.size(), 1u);
    EXPECT_EQ(afterTheTidyUp, during);
    EXPECT_EQ(saved, kSaved);
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  }
}

// A Windows path as ServerHeldOnce takes the text by which the server opens
// it: its drive's letter in lower case, and slashes.
std::wstring AsTheServerOpensIt(std::wstring path) {
  std::replace(path.begin(), path.end(), L'\\', L'/');
  path[0] = wchar_t(std::towlower(path[0]));
  return path;
}

// Under Wine: while the object lives, the host's strace stops this prefix's
// wineserver just after the `when`th of its calls `call` that works on one
// of `paths` (host paths, or names as a call gives them; an open folder by
// its own path), runs `act` in the host's shell and lets the server go on,
// as another prefix's save, whose server shares no locks with this one,
// acts in the middle of what this program asks of its server. attached()
// tells whether strace could attach (strace there, and the right to trace);
// Acted(), once the server is let go for good, whether it acted.
class ServerHeldOnce {
 public:
  ServerHeldOnce(const std::vector<std::wstring>& paths, const wchar_t* call, int when, const std::wstring& act)
      : log_(testsupport::OwnHostFile(L"korvath-server-held")) {
    // A path given by its drive ("z:/...") is the text by which the server
    // opens it, through the prefix's drive links.
    std::vector<std::wstring> words{
        L"-c",
        L"PATH=/usr/bin:/bin:/usr/sbin:/sbin; prefix=${WINEPREFIX:-$HOME/.wine}; log=$1; call=$2; when=$3; act=$4; "
        L"shift 4; n=$#; for path; do case $path in [a-z]:/*) path=\"$prefix/dosdevices/$path\";; esac; "
        L"set -- \"$@\" -P \"$path\"; done; shift $n; "
        L"id=$(printf '%x-%x' $(stat -Lc '%d %i' \"$prefix\")) || exit 1; pid=; "
        L"for p in /proc/[0-9]*; do case $(readlink \"$p/cwd\" 2>/dev/null) in */server-$id) pid=${p#/proc/};; "
        L"esac; done; [ -n \"$pid\" ] && command -v strace >/dev/null || exit 1; "
        L"strace -p $pid \"$@\" -e trace=$call -e inject=$call:signal=SIGSTOP:when=$when -o \"$log.trace\" "
        L"2>\"$log\" & tracer=$!; echo $tracer >\"$log.pid\"; "
        // Once strace says that the server stopped: the act, then the server goes on.
        L"(until grep -q 'stopped by SIGSTOP' \"$log.trace\" 2>/dev/null; do kill -0 $tracer 2>/dev/null || exit 0; "
        L"sleep 0.01; done; sh -c \"$act\"; : >\"$log.acted\"; kill -CONT $pid) </dev/null >/dev/null 2>&1 & "
        L"until grep -q attached \"$log\" 2>/dev/null; do kill -0 $tracer 2>/dev/null || exit 1; sleep 0.01; done",
        L"sh", log_, call, std::to_wstring(when), act};
    words.insert(words.end(), paths.begin(), paths.end());
    attached_ = !log_.empty() && testsupport::RunHostProgram(L"/bin/sh", words);
  }
  ~ServerHeldOnce() { Acted(); }
  ServerHeldOnce(const ServerHeldOnce&) = delete;
  ServerHeldOnce& operator=(const ServerHeldOnce&) = delete;
  bool attached() const { return attached_; }
  bool Acted() {
    if (!acted_ && !log_.empty()) {
      acted_ = testsupport::RunHostProgram(
          L"/bin/sh", {L"-c",
                       L"PATH=/usr/bin:/bin; pid=$(cat \"$1.pid\" 2>/dev/null) && kill $pid 2>/dev/null; "
                       L"while [ -n \"$pid\" ] && [ -d /proc/$pid ] && [ \"$(cut -d' ' -f3 /proc/$pid/stat)\" != Z ]; "
                       L"do sleep 0.01; done; [ -e \"$1.acted\" ]; acted=$?; rm -f \"$1\" \"$1\".*; exit $acted",
                       L"sh", log_});
      log_.clear();
    }
    return acted_;
  }

 private:
  std::wstring log_;
  bool attached_ = false;
  bool acted_ = false;
};

// Another prefix's tool saves the same new document as this program at the
// same moment, and wins: its save makes the document, and its tidy-up, which
// sees nothing of what this prefix holds open, removes this save's new file.
// Before each step of this save up to its second name, the other save has
// made the document and has tidied up, or has tidied up before this save's
// new file was there; and with the document made before the second name,
// its tidy-up comes just after the server found the name taken, or just
// after this save opened its new file by its name to see where it is. The
// save fails, told as a file that another program made meanwhile, or, where
// its new file was there to be removed, as its new file removed; the
// document is the other's, and nothing is left beside it.
TEST_F(FileSavingTest, ASaveLostToAnotherPrefixsSaveLeavesNothing) {
  const Save& save = kSaves[1];
  const std::vector<std::string> steps = StepsOf(save);
  const size_t link = testsupport::StepOfTheMove(steps);
  ASSERT_LT(link, steps.size());
  const size_t newFile = size_t(std::find(steps.begin(), steps.end(), "CreateFileW (the new file beside it)") -
                                steps.begin());
  const std::wstring host = testsupport::UnixPath(folder_);
  if (host.empty()) GTEST_SKIP() << "not under Wine: no other prefix to save beside this program";
  const std::string theirs = "NPC of the other prefix";
  // The other prefix's save, in the host's shell in the folder.
  const std::wstring in = L"cd \"" + host + L"\" && ";
  const std::wstring made = in + L"printf %s \"" + std::wstring(theirs.begin(), theirs.end()) + L"\" >zhangsan.pst";
  const std::wstring tidyUp = in + L"rm -f zhangsan.pst.saving-*.tmp";
  const SaveFailure toldAsMadeMeanwhile{SaveFailure::Step::Target, ERROR_ALREADY_EXISTS};
  // The save's failure and what is left.
  const auto expectLostToTheOther = [&](const std::optional<SaveFailure>& failure, bool newFileRemoved) {
    ASSERT_TRUE(failure.has_value());
    if (newFileRemoved) EXPECT_EQ(failure->step, SaveFailure::Step::Lost);
    else EXPECT_EQ(*failure, toldAsMadeMeanwhile);
    EXPECT_EQ(Read(file_), theirs);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  };
  for (size_t step = 0; step <= link; ++step) {
    for (const bool tidiedUpThen : {true, false}) {
      SCOPED_TRACE(steps[step] + (tidiedUpThen ? ", the other save's tidy-up then" : ", its tidy-up before"));
      Prepare(save);
      bool acted = false;
      std::optional<SaveFailure> failure;
      {
        testsupport::SaveSteps stopped;
        stopped.StopBefore(step, [&] {
          acted = HostShell((tidiedUpThen ? made + L" && " + tidyUp : made).c_str(), {});
        });
        failure = files::SaveFile(Gbk(file_), kNewContent, files::Existing::Keep).failure;
      }
      ASSERT_TRUE(acted);
      // Where this save's new file was there to be removed, it was.
      expectLostToTheOther(failure, tidiedUpThen && step > newFile);
    }
  }
  const struct {
    const char* when;
    std::wstring traced;  // what the server's call works on
    const wchar_t* call;
    int count;  // of such calls from the second name on
  } rows[] = {
      // The server looks at the name, finds it taken and makes no link.
      {"just after the server found the name taken", AsTheServerOpensIt(file_), L"%%stat", 1},
      // The second name's own open of the new file comes first. What the
      // save opened is no longer the new file's name when it looks.
      {"just after the save opened its new file by its name", L"", L"openat", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.when);
    Prepare(save);
    std::optional<ServerHeldOnce> held;
    std::optional<SaveFailure> failure;
    {
      testsupport::SaveSteps stopped;
      stopped.StopBefore(link, [&] {
        const std::vector<std::wstring> ours = Entries(folder_, L"zhangsan.pst.saving-*");
        if (ours.size() != 1 || !HostShell(made.c_str(), {})) return;
        const std::wstring traced = row.traced.empty() ? AsTheServerOpensIt(folder_ + L"\\" + ours[0]) : row.traced;
        held.emplace(std::vector{traced}, row.call, row.count, tidyUp);
      });
      failure = files::SaveFile(Gbk(file_), kNewContent, files::Existing::Keep).failure;
    }
    ASSERT_TRUE(held.has_value());
    if (!held->attached())
      GTEST_SKIP() << SkippedLoudly("a save lost to another prefix's", "the host's strace cannot stop the server");
    ASSERT_TRUE(held->Acted());
    expectLostToTheOther(failure, true);
  }
}

// This program's save of a new document wins against another prefix's save
// of it, whose new file this save's tidy-up opens (the other server's hold
// is nothing to this one), and which that save removes at its end by its
// name (as its server does at its close), at each step of the tidy-up that
// works on it: after the tidy-up opened it by its name, between its search
// for it by its index and the open there, and after that open. This save is
// whole, and nothing is left beside the document: nothing is made where the
// other's new file was.
TEST_F(FileSavingTest, AnotherPrefixsNewFileGoingDuringTheTidyUpLeavesNothing) {
  const std::wstring host = testsupport::UnixPath(folder_);
  if (host.empty()) GTEST_SKIP() << "not under Wine: no other prefix to save beside this program";
  const std::wstring theirs = files::LeftoverName(name_, 0x7777);
  const struct {
    const char* when;
    std::wstring traced;  // what the call works on
    const wchar_t* call;
  } rows[] = {
      {"after the tidy-up opened it by its name", AsTheServerOpensIt(folder_ + L"\\" + theirs), L"openat"},
      // The server goes into the folder to open what the search found there.
      {"between the tidy-up's search for it by its index and the open there", host, L"fchdir"},
      // From the folder, by its name alone.
      {"after the tidy-up opened it by its index", theirs, L"openat"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.when);
    Prepare(kSaves[1]);
    Write(folder_ + L"\\" + theirs, "NPC of the other prefix");
    ServerHeldOnce held({row.traced}, row.call, 1, L"rm -f \"" + host + L"/" + theirs + L"\"");
    if (!held.attached())
      GTEST_SKIP() << SkippedLoudly("another prefix's new file", "the host's strace cannot stop the server");
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent, files::Existing::Keep), kSaved);
    EXPECT_TRUE(held.Acted());
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  }
}

// A program of the Linux host removes the new file just before it would take
// the file's place (no Windows program can while the save holds it): the
// save fails saying so, and the file is as it was. Over a file and of a new
// file.
TEST_F(FileSavingTest, ANewFileRemovedBeforeTheMoveIsToldAndTheFileIsAsItWas) {
  if (testsupport::UnixPath(folder_).empty()) GTEST_SKIP() << "not under Wine: no host program to remove it";
  for (const Save& save : kSaves) {
    SCOPED_TRACE(save.name);
    const size_t move = testsupport::StepOfTheMove(StepsOf(save));
    Prepare(save);
    bool removed = false;
    std::optional<SaveFailure> failure;
    {
      testsupport::SaveSteps steps;
      steps.StopBefore(move, [&] {
        const std::vector<std::wstring> made = Entries(folder_, L"zhangsan.pst.saving-*");
        removed = made.size() == 1 && testsupport::RunHostProgram(
                                          L"/bin/rm", {testsupport::UnixPath(folder_ + L"\\" + made[0])});
      });
      failure = files::SaveFile(Gbk(file_), kNewContent).failure;
    }
    ASSERT_TRUE(removed);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->step, SaveFailure::Step::Lost);
    ExpectAsBefore(save);
  }
}

// Another program moves the new file away, under another name in the same
// folder (which the save's sharing allows, as its own move needs), just
// before it would take the file's place, or before its flush and then puts
// a file of its own at its name: the save fails saying that the new file is
// gone, not found, not as a plain failure of its move; the other program's
// file stays as it made it, and the file is as it was. Over a file and of a
// new file.
TEST_F(FileSavingTest, ANewFileMovedAwayBeforeTheMoveIsToldAsGone) {
  const std::wstring away = folder_ + L"\\moved-away.txt";
  const std::string theirs = "another program's file\r\n";
  const struct {
    const char* what;
    const char* before;  // the step that the save is held before; none: the move
    bool theirs;         // a file of the other program's put at the new file's name
  } ways[] = {
      {"moved away before the move", nullptr, false},
      {"moved away before its flush, a file put at its name", "FlushFileBuffers", true},
  };
  for (const Save& save : kSaves) {
    const std::vector<std::string> names = StepsOf(save);
    for (const auto& way : ways) {
      SCOPED_TRACE(std::string(save.name) + ", " + way.what);
      const size_t at = way.before ? size_t(std::find(names.begin(), names.end(), way.before) - names.begin())
                                   : testsupport::StepOfTheMove(names);
      ASSERT_LT(at, names.size());
      Prepare(save);
      bool moved = false;
      std::wstring taken;
      std::optional<SaveFailure> failure;
      {
        testsupport::SaveSteps steps;
        steps.StopBefore(at, [&] {
          const std::vector<std::wstring> made = Entries(folder_, L"zhangsan.pst.saving-*");
          moved = made.size() == 1 && MoveFileW((folder_ + L"\\" + made[0]).c_str(), away.c_str());
          if (!moved || !way.theirs) return;
          taken = folder_ + L"\\" + made[0];
          Write(taken, theirs);
        });
        failure = files::SaveFile(Gbk(file_), kNewContent).failure;
      }
      ASSERT_TRUE(moved);
      ASSERT_TRUE(failure.has_value());
      EXPECT_EQ(failure->step, SaveFailure::Step::Lost);
      EXPECT_EQ(failure->error, DWORD(ERROR_FILE_NOT_FOUND));
      EXPECT_EQ(Read(away), kNewContent);
      ASSERT_TRUE(DeleteFileW(away.c_str()));
      if (way.theirs) {
        EXPECT_EQ(Read(taken), theirs);
        ASSERT_TRUE(DeleteFileW(taken.c_str()));
      }
      ExpectAsBefore(save);
    }
  }
}

}  // namespace
