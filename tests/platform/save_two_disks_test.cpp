// What a save's tidy-up removes where two disks hold folders that Wine tells
// apart by no identity, nor always by name: two ext4 images on loop devices
// of the Linux host, mounted in folders beside the test program, "disk" and
// "disk." (whose names Wine tells alike in the names of what they hold); and
// what a failed save removes of its new file on such a disk mapped as a
// drive, where another program took the document folder away and made a
// second name of the new file; and what a save tells, and leaves, where
// another program puts another folder in the document folder's place during
// it, or moves the folder away as Wine's server moves the new file into the
// document's place, there and in a folder of the host.
// Wine tells the volume serial number of a drive mapped while it runs as 0,
// and of a disk that no drive's root is on too; on a fresh ext4 the first
// folder made has the same index on each, and so has the first file made in
// it. Needs root and loop devices on the host; without them it says so and
// is skipped.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_saving.h"
#include "platform/file_saving_leftovers.h"
#include "platform/files.h"
#include "tests/platform/file_saving_fixture.h"
#include "tests/platform/host_disks.h"

using namespace korvath::platform;
using namespace korvath::platform::files::savetest;

namespace {

class TwoDisksTest : public testing::Test {
 protected:
  void SetUp() override {
    host_ = testsupport::UnixPath(ProgramFolder());
    if (host_.empty()) GTEST_SKIP() << Loudly("not under Wine: no Linux host to make disks on");
    if (!HostMountsDiskImages())
      GTEST_SKIP() << Loudly("the host gives no root or no loop device, which a disk image needs");
    Unmount();
    for (const wchar_t* disk : kDisks)
      ASSERT_TRUE(HostShell(L"mkdir -p \"$2\" && truncate -s 16M \"$1\" && mkfs.ext4 -q -F \"$1\" && "
                            L"mount -o loop \"$1\" \"$2\"",
                            {Image(disk), host_ + L"/" + disk}));
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) Unmount();
  }

  static constexpr const wchar_t* kDisks[] = {L"disk.", L"disk"};

  // Where a test makes its document folders: the folder that holds them, as
  // the program names it and as the host does.
  struct Place {
    const char* name;
    std::wstring root, host;
  };
  // The root of the second disk, mapped as the drive `letter`, and the
  // folder `beside` (beside the test program), made anew; none where that
  // folder cannot be made.
  std::vector<Place> Places(wchar_t letter, const std::wstring& beside) const {
    RemoveAll(beside);
    if (!CreateDirectoryW(beside.c_str(), nullptr)) return {};
    return {{"on a disk mapped as a drive", std::wstring{letter} + L":", HostPath(kDisks[1], L"")},
            {"in a folder of the host", beside, testsupport::UnixPath(beside)}};
  }

  // The root of the disk, as the test program's folder holds it (in the form
  // that keeps a dot at the end of its name).
  static std::wstring Disk(const wchar_t* disk) { return L"\\\\?\\" + ProgramFolder() + L"\\" + disk; }
  // Its path on the host.
  std::wstring HostPath(const wchar_t* disk, const std::wstring& below) const { return host_ + L"/" + disk + below; }

  // In the folder `here`, a link of the host named as a leftover of the
  // document "ce.pst" there to the file of that name, which holds `victim`,
  // in the folder `there` on the disk `disk`, and what a killed save left. A
  // save of the document, over a file and of a new one: saved, what the
  // killed save left removed, the link kept as it points, and the file it
  // points to kept whole.
  void ExpectASaveToKeepTheLinkAndWhatItPointsTo(const std::wstring& here, const std::wstring& there,
                                                  const wchar_t* disk, const std::string& victim) {
    const std::wstring document = here + L"\\ce.pst", leftover = L"ce.pst.saving-7778.tmp";
    const std::wstring linkTarget = HostPath(disk, L"/d/" + leftover);
    for (const Save& save : kSaves) {
      SCOPED_TRACE(save.name);
      testsupport::HostLinks link;
      ASSERT_TRUE(link.Make(here + L"\\" + leftover, linkTarget));
      Write(here + L"\\ce.pst.saving-0A1B.tmp", kNewContent);
      if (save.over) Write(document, kOldContent);
      else DeleteFileW(FileApiPath(document).c_str());
      EXPECT_EQ(files::SaveFile(Gbk(document), kNewContent), kSaved);
      EXPECT_EQ(Read(document), kNewContent);
      EXPECT_EQ(Entries(here, L"ce.pst.saving-*"), std::vector<std::wstring>{leftover});
      EXPECT_TRUE(testsupport::HostLinks::PointsTo(here + L"\\" + leftover, linkTarget));
      EXPECT_EQ(Read(there + L"\\" + leftover), victim);
    }
  }

 private:
  static std::string Loudly(const char* why) { return SkippedLoudly("a save's tidy-up on two disks", why); }
  std::wstring Image(const wchar_t* disk) const { return host_ + L"/" + disk + L".img"; }
  // Unmounts both disks, whether mounted or not, and removes their images.
  void Unmount() {
    for (const wchar_t* disk : kDisks)
      HostShell(L"umount \"$1\" 2>/dev/null; rm -f \"$2\"; true", {host_ + L"/" + disk, Image(disk)});
    mounted_ = false;
  }

  std::wstring host_;
  bool mounted_ = false;
};

// The index of the file at `path`; 0 where it does not open.
uint64_t IndexOf(const std::wstring& path) {
  const files::File file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
  BY_HANDLE_FILE_INFORMATION information = {};
  if (!file || !GetFileInformationByHandle(file.SystemHandle(), &information)) return 0;
  return uint64_t(information.nFileIndexHigh) << 32 | information.nFileIndexLow;
}

// While alive, this prefix's Wine server is held by the host's strace as its
// first rename of the file `name` in the host's folder `folder` ends (made,
// or failed as `inject` says besides), while the host's shell runs `take` in
// the host's folder `in`; then the server goes on. attached() tells whether
// strace could attach (there, and the right to trace); acted(), once the
// rename is over, whether `take` ran and ended with status 0 meanwhile.
class ServerRenameHeld {
 public:
  ServerRenameHeld(const std::wstring& folder, const std::wstring& name, const wchar_t* inject,
                   const std::wstring& in, const wchar_t* take)
      : log_(testsupport::OwnHostFile(L"korvath-rename-held")) {
    // The server names the file by its host path, every link on the way
    // followed, and strace matches the text it hands to the rename.
    attached_ = HostShell(
        L"log=$1; from=$(readlink -f \"$2\")/$3 || exit 1; prefix=${WINEPREFIX:-$HOME/.wine}; "
        L"id=$(printf '%x-%x' $(stat -Lc '%d %i' \"$prefix\")) || exit 1; server=; "
        L"for p in /proc/[0-9]*; do case $(readlink \"$p/cwd\" 2>/dev/null) in */server-$id) server=${p#/proc/};; "
        L"esac; done; [ -n \"$server\" ] && command -v strace >/dev/null || exit 1; echo $server >\"$log.server\"; "
        L"calls=rename,renameat,renameat2; strace -p \"$server\" -P \"$from\" -e trace=$calls "
        L"-e inject=$calls:${4:+$4:}signal=SIGSTOP:when=1 -o \"$log.trace\" 2>\"$log\" & tracer=$!; "
        L"echo $tracer >\"$log.pid\"; "
        L"( until grep -q 'stopped by' \"$log.trace\" 2>/dev/null; do kill -0 $tracer 2>/dev/null || exit 0; "
        L"sleep 0.01; done; (cd \"$5\" && sh -c \"$6\") && : >\"$log.acted\"; kill -CONT $server; kill $tracer "
        L") </dev/null >/dev/null 2>&1 & echo $! >\"$log.actor\"; "
        L"until grep -q attached \"$log\" 2>/dev/null; do kill -0 $tracer 2>/dev/null || exit 1; sleep 0.01; done",
        {log_, testsupport::UnixPath(folder), name, inject, in, take});
  }
  ~ServerRenameHeld() {
    // Both gone, and the server going on whatever befell it, before the next.
    HostShell(L"gone() { while [ -d /proc/$1 ] && [ \"$(cut -d' ' -f3 /proc/$1/stat)\" != Z ]; do sleep 0.01; done; }; "
              L"tracer=$(cat \"$1.pid\" 2>/dev/null) && { kill $tracer 2>/dev/null; gone $tracer; }; "
              L"actor=$(cat \"$1.actor\" 2>/dev/null) && gone $actor; "
              L"server=$(cat \"$1.server\" 2>/dev/null) && kill -CONT $server; "
              L"rm -f \"$1\" \"$1\".*",
              {log_});
  }
  ServerRenameHeld(const ServerRenameHeld&) = delete;
  ServerRenameHeld& operator=(const ServerRenameHeld&) = delete;
  bool attached() const { return attached_; }
  bool acted() const { return HostShell(L"[ -e \"$1.acted\" ]", {log_}); }

 private:
  std::wstring log_;
  bool attached_ = false;
};

// Each disk mapped as a drive, and a folder `d` on each, the first made
// there: both drives are told by serial number 0, and both folders by one
// index. In the second disk's folder a file named as a leftover of the
// document in the first disk's folder, and there a link to it: the file is
// kept whole.
TEST_F(TwoDisksTest, ASaveRemovesNothingThatALinkPointsToOnAnotherDisk) {
  const testsupport::MappedDrive one(Disk(kDisks[0])), two(Disk(kDisks[1]));
  ASSERT_NE(one.letter(), 0);
  ASSERT_NE(two.letter(), 0);
  const std::wstring here = std::wstring{one.letter()} + L":\\d", there = std::wstring{two.letter()} + L":\\d";
  ASSERT_TRUE(CreateDirectoryW(here.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(there.c_str(), nullptr));
  const testsupport::FileIdentity identity = testsupport::FolderIdentity(here);
  ASSERT_EQ(identity.volume, 0u);
  ASSERT_EQ(testsupport::FolderIdentity(there), identity);
  const std::string victim = "victim\r\n";
  Write(there + L"\\ce.pst.saving-7778.tmp", victim);
  ExpectASaveToKeepTheLinkAndWhatItPointsTo(here, there, kDisks[1], victim);
  EXPECT_EQ(Entries(there), std::vector<std::wstring>{L"ce.pst.saving-7778.tmp"});
}

// The document's folder `d` on the disk "disk.", a link in it to a file of a
// leftover's name in `d` on the disk "disk": Wine tells the file's name as
// the folder's entry, and the folder's first file has the file's index. The
// file is kept whole, and so is the folder's first file.
TEST_F(TwoDisksTest, ASaveRemovesNothingThatALinkPointsToOnADiskOfANameToldAlike) {
  const std::wstring here = Disk(kDisks[0]) + L"\\d", there = Disk(kDisks[1]) + L"\\d";
  ASSERT_TRUE(CreateDirectoryW(here.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(there.c_str(), nullptr));
  const std::wstring first = here + L"\\first.txt", victimPath = there + L"\\ce.pst.saving-7778.tmp";
  const std::string firstContent = "the folder's first file\r\n", victim = "victim\r\n";
  Write(first, firstContent);
  Write(victimPath, victim);
  ASSERT_EQ(IndexOf(first), IndexOf(victimPath));
  ASSERT_NE(IndexOf(first), 0u);
  ExpectASaveToKeepTheLinkAndWhatItPointsTo(here, there, kDisks[1], victim);
  EXPECT_EQ(Read(first), firstContent);
}

// A disk mapped as a drive, a new document saved in a folder three deep on
// it, the save held before its new file's flush: a program of the host makes
// a second name of the new file and then moves a folder, the document folder
// or one above it; or then puts a file of its own, or a link to that second
// name, in place of the new file's own name; or moves the document folder
// and then renames the new file out of it. The save fails with the folder
// gone; the second name is that program's and stays, whole, and so does what
// it put in the new file's place, and the file it renamed; the new file goes
// where the search from the deepest folder above the document folder that is
// still there finds its folder, and stays where the folder went out of that
// one; nothing is made at its name where it is no longer.
TEST_F(TwoDisksTest, ANewFileGoneWithItsFolderGoesByItsOwnNameAlone) {
  const testsupport::MappedDrive drive(Disk(kDisks[1]));
  ASSERT_NE(drive.letter(), 0);
  const std::wstring root = std::wstring{drive.letter()} + L":";
  const std::string theirs = "another program's file";
  const struct {
    const char* what;
    const wchar_t* folder;  // the document folder, below the drive's root
    const wchar_t* take;    // the host's shell, in the drive's root, the new file's name as $1, `theirs` as $3
    const wchar_t* link;    // the second name, or the name it was renamed to, below the drive's root
    const wchar_t* left;    // where the document folder is then, below the drive's root
    std::optional<std::string> there;  // what stays at the new file's name there; nothing when it is gone
  } rows[] = {
      {"the folder moved out of the folder above", L"\\w\\x\\d", L"ln w/x/d/\"$1\" w/x/keep_link && mv w/x/d w/moved",
       L"\\w\\x\\keep_link", L"\\w\\moved", kNewContent},
      {"the folder moved beside itself", L"\\w\\x\\d", L"ln w/x/d/\"$1\" w/x/keep_link && mv w/x/d w/x/moved",
       L"\\w\\x\\keep_link", L"\\w\\x\\moved", std::nullopt},
      {"the folder two above moved", L"\\a\\w\\x\\d", L"ln a/w/x/d/\"$1\" a/keep_link && mv a/w a/moved",
       L"\\a\\keep_link", L"\\a\\moved\\x\\d", std::nullopt},
      {"the folder moved, then the new file's name taken by a file of the program's own", L"\\w\\x\\d",
       L"ln w/x/d/\"$1\" w/x/keep_link && mv w/x/d w/x/moved && printf %s \"$3\" >w/x/theirs && "
       L"mv -f w/x/theirs w/x/moved/\"$1\"",
       L"\\w\\x\\keep_link", L"\\w\\x\\moved", theirs},
      {"the folder moved, then the new file's name taken by a link to the second name", L"\\w\\x\\d",
       L"ln w/x/d/\"$1\" w/x/keep_link && mv w/x/d w/x/moved && ln -sfn ../keep_link w/x/moved/\"$1\"",
       L"\\w\\x\\keep_link", L"\\w\\x\\moved", kNewContent},
      {"the folder moved, then the new file renamed out of it", L"\\w\\x\\d",
       L"mv w/x/d w/x/moved && mv w/x/moved/\"$1\" w/x/renamed", L"\\w\\x\\renamed", L"\\w\\x\\moved", std::nullopt},
  };
  const std::wstring scratch = root + L"\\scratch";
  ASSERT_TRUE(CreateDirectoryW(scratch.c_str(), nullptr));
  std::vector<std::string> steps;
  {
    testsupport::SaveSteps counted;
    ASSERT_EQ(files::SaveFile(Gbk(scratch + L"\\zhangsan.pst"), kNewContent, files::Existing::Keep), kSaved);
    steps = counted.steps();
  }
  const size_t flush = size_t(std::find(steps.begin(), steps.end(), "FlushFileBuffers") - steps.begin());
  ASSERT_LT(flush, steps.size());
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(HostShell(L"cd \"$1\" && rm -rf w a", {HostPath(kDisks[1], L"")}));
    const std::wstring folder = root + row.folder;
    for (size_t end = folder.find(L'\\', root.size() + 1);; end = folder.find(L'\\', end + 1)) {
      CreateDirectoryW(folder.substr(0, end).c_str(), nullptr);
      if (end == std::wstring::npos) break;
    }
    std::wstring made;
    bool took = false;
    files::SaveResult result;
    {
      testsupport::SaveSteps held;
      held.StopBefore(flush, [&] {
        const std::vector<std::wstring> names = Entries(folder, L"zhangsan.pst.saving-*");
        if (names.size() != 1) return;
        made = names[0];
        took = HostShell((L"cd \"$2\" && " + std::wstring(row.take)).c_str(),
                         {made, HostPath(kDisks[1], L""), std::wstring(theirs.begin(), theirs.end())});
      });
      result = files::SaveFile(Gbk(folder + L"\\zhangsan.pst"), kNewContent, files::Existing::Keep);
    }
    ASSERT_TRUE(took);
    const files::SaveFailure folderGone{files::SaveFailure::Step::Folder, ERROR_PATH_NOT_FOUND};
    EXPECT_EQ(result.failure, folderGone);
    EXPECT_EQ(Read(root + row.link), kNewContent);
    EXPECT_EQ(Entries(root + row.left), row.there ? std::vector{made} : std::vector<std::wstring>{});
    EXPECT_EQ(Read(root + row.left + L"\\" + made), row.there);
  }
}

// A document folder `q\d` on a disk mapped as a drive, and in a folder of
// the host beside the test program; a save of a new document or over one,
// held at a step while a program of the host moves the folder away to
// `q\d2` and puts another of its name in its place: a copy of the folder as
// it is then, or an empty one, in which it may make a file of its own under
// the new file's name, or into which it moves the document; or puts none
// there as the new file is let go, which leaves the new document's own name
// where the folder went (the folder's open then answers "not found"). Before
// the move (the new file written or put on disk) the save fails with the
// folder replaced; after it (the new file let go, the folder opened or
// flushed) the document is in its place, and the folder is told as gone
// since; so it is where the program puts a file of its own in the
// document's place in the folder. The save is never told as done where the
// document's name holds anything but the new content, nor is a folder
// flushed but the one that the new file was made in. The new file goes from
// where the folder went by its own name, `q\d2` holds only the document
// that it held or that the save put there, and the new folder holds what
// the program put there, as it put it.
TEST_F(TwoDisksTest, ADocumentFolderReplacedDuringTheSaveIsToldAsGone) {
  const testsupport::MappedDrive drive(Disk(kDisks[1]));
  ASSERT_NE(drive.letter(), 0);
  const std::wstring beside = ProgramFolder() + L"\\replaced";
  const std::vector<Place> places = Places(drive.letter(), beside);
  ASSERT_EQ(places.size(), 2u);
  const std::string theirs = "theirs", old = kOldContent, fresh = kNewContent, empty = "";
  const std::optional<std::string> none;
  const wchar_t* const copied = L"cp -a q/d q/copy && mv q/d q/d2 && mv q/copy q/d";
  const wchar_t* const emptied = L"mv q/d q/d2 && mkdir q/d";
  const wchar_t* const withTheirs = L"mv q/d q/d2 && mkdir q/d && printf %s \"$3\" >q/d/\"$1\"";
  const struct {
    const char* what;
    bool over;
    const char* at;       // the step that the save is held before
    const wchar_t* take;  // the host's shell, in the place's folder, the new file's name as $1, `theirs` as $3
    bool afterTheMove;
    std::optional<std::string> newFileThere;   // in `q\d` then, at the new file's name
    std::optional<std::string> documentThere;  // in `q\d` then
    std::optional<std::string> documentMoved;  // in `q\d2`
    DWORD goneWith = ERROR_PATH_NOT_FOUND;     // the error that tells the folder gone
  } rows[] = {
      {"a copy of the folder, as the new file is written", false, "WriteFile", copied, false, empty, none, none},
      {"a copy of the folder, as the new file is written", true, "WriteFile", copied, false, empty, old, old},
      {"a copy of the folder, as the new file is put on disk", false, "FlushFileBuffers", copied, false, fresh, none,
       none},
      {"a copy of the folder, as the new file is put on disk", true, "FlushFileBuffers", copied, false, fresh, old,
       old},
      {"another program's file of the new file's name, as it is written", false, "WriteFile", withTheirs, false,
       theirs, none, none},
      {"another program's file of the new file's name, as it is put on disk", true, "FlushFileBuffers", withTheirs,
       false, theirs, none, old},
      {"an empty folder, as the new file is written", true, "WriteFile", emptied, false, none, none, old},
      {"an empty folder, as the new file is put on disk", false, "FlushFileBuffers", emptied, false, none, none, none},
      {"an empty folder, as the new file is let go", false, "CloseHandle", emptied, true, none, none, fresh},
      {"an empty folder, as the new file is let go", true, "CloseHandle", emptied, true, none, none, fresh},
      {"an empty folder, as the folder is opened", false, "CreateFileW (the folder)", emptied, true, none, none, fresh},
      {"an empty folder, as the folder is flushed", false, "FlushFileBuffers (the folder)", emptied, true, none, none,
       fresh},
      {"an empty folder, as the folder is flushed", true, "FlushFileBuffers (the folder)", emptied, true, none, none,
       fresh},
      {"a copy of the folder, as the folder is opened", false, "CreateFileW (the folder)", copied, true, none, fresh,
       fresh},
      {"an empty folder, the document then moved into it, as the folder is flushed", false,
       "FlushFileBuffers (the folder)", L"mv q/d q/d2 && mkdir q/d && mv q/d2/zhangsan.pst q/d/", true, none, fresh,
       none},
      {"the folder kept, another program's file put in the document's place, as the folder is flushed", true,
       "FlushFileBuffers (the folder)", L"printf %s \"$3\" >q/theirs && mv -f q/theirs q/d/zhangsan.pst", true, none,
       theirs, none},
      {"no folder, as the new file is let go", false, "CloseHandle", L"mv q/d q/d2", true, none, none, fresh,
       ERROR_FILE_NOT_FOUND},
  };
  std::vector<std::string> stepsOf[2];  // of a new document, over one
  for (const bool over : {false, true}) {
    const std::wstring scratch = beside + L"\\scratch", document = scratch + L"\\zhangsan.pst";
    RemoveAll(scratch);
    ASSERT_TRUE(CreateDirectoryW(scratch.c_str(), nullptr));
    if (over) Write(document, kOldContent);
    testsupport::SaveSteps counted;
    ASSERT_EQ(files::SaveFile(Gbk(document), kNewContent, over ? files::Existing::Replace : files::Existing::Keep),
              kSaved);
    stepsOf[over] = counted.steps();
  }
  for (const auto& place : places) {
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(row.what) + (row.over ? ", over a document, " : ", a new document, ") + place.name);
      const std::vector<std::string>& steps = stepsOf[row.over];
      const size_t at = size_t(std::find(steps.begin(), steps.end(), row.at) - steps.begin());
      ASSERT_LT(at, steps.size());
      ASSERT_TRUE(HostShell(L"cd \"$1\" && rm -rf q && mkdir -p q/d", {place.host}));
      const std::wstring folder = place.root + L"\\q\\d", moved = place.root + L"\\q\\d2";
      const std::wstring document = folder + L"\\zhangsan.pst";
      if (row.over) Write(document, kOldContent);
      const testsupport::FileIdentity madeIn = testsupport::FolderIdentity(folder);
      std::wstring made;
      bool took = false;
      files::SaveResult result;
      std::vector<testsupport::FileIdentity> flushed;
      {
        testsupport::SaveSteps held;
        held.StopBefore(at, [&] {
          const std::vector<std::wstring> names = Entries(folder, L"zhangsan.pst.saving-*");
          if (names.size() == 1) made = names[0];
          took = HostShell((L"cd \"$2\" && " + std::wstring(row.take)).c_str(),
                           {made, place.host, std::wstring(theirs.begin(), theirs.end())});
        });
        result = files::SaveFile(Gbk(document), kNewContent,
                                 row.over ? files::Existing::Replace : files::Existing::Keep);
        flushed = held.foldersFlushed();
      }
      ASSERT_TRUE(took);
      const files::SaveResult gone =
          row.afterTheMove
              ? files::SaveResult{std::nullopt, row.goneWith}
              : files::SaveResult{files::SaveFailure{files::SaveFailure::Step::FolderReplaced, ERROR_PATH_NOT_FOUND}};
      EXPECT_EQ(result, gone);
      if (result == kSaved) {
        EXPECT_EQ(Read(document), kNewContent);
      }
      for (const testsupport::FileIdentity& folderFlushed : flushed) EXPECT_EQ(folderFlushed, madeIn);
      std::vector<std::wstring> inTheFolder;
      if (row.documentThere) inTheFolder.push_back(L"zhangsan.pst");
      if (row.newFileThere) {
        ASSERT_FALSE(made.empty());
        inTheFolder.push_back(made);
      }
      std::vector<std::wstring> entries = Entries(folder);
      std::sort(entries.begin(), entries.end());
      EXPECT_EQ(entries, inTheFolder);
      EXPECT_EQ(Read(document), row.documentThere);
      if (row.newFileThere) {
        EXPECT_EQ(Read(folder + L"\\" + made), row.newFileThere);
      }
      EXPECT_EQ(Entries(moved), row.documentMoved ? std::vector<std::wstring>{L"zhangsan.pst"}
                                                  : std::vector<std::wstring>{});
      EXPECT_EQ(Read(moved + L"\\zhangsan.pst"), row.documentMoved);
    }
  }
  RemoveAll(beside);
}

// A document over which a file is saved, in a folder `q\d` on a disk mapped
// as a drive and in a folder of the host beside the test program; the Wine
// server held by the host's strace as its rename of the new file into the
// document's place ends, while a program of the host moves the folder away
// to `q\d2`, alone or with an empty folder put in its place. The server,
// looking the new name up again through the folder gone, answers that
// memory ran out, the document replaced: the save is told as done with its
// folder gone since, never as a failure, and `q\d2` holds the new document
// alone. Where the rename fails (the host's EACCES), the folder kept or
// moved away and replaced so, the save fails, and the old document stays
// whole where its folder is, alone.
TEST_F(TwoDisksTest, AnOverwriteWhoseFolderGoesAsTheServerMovesItIntoPlaceIsToldAsDone) {
  const testsupport::MappedDrive drive(Disk(kDisks[1]));
  ASSERT_NE(drive.letter(), 0);
  const std::wstring beside = ProgramFolder() + L"\\moved-as-renamed";
  const std::vector<Place> places = Places(drive.letter(), beside);
  ASSERT_EQ(places.size(), 2u);
  const std::string old = kOldContent, fresh = kNewContent;
  const std::optional<std::string> none;
  const wchar_t* const emptied = L"mv q/d q/d2 && mkdir q/d";
  using Step = files::SaveFailure::Step;
  const struct {
    const char* what;
    const wchar_t* inject;  // what the rename does besides, as strace's inject takes it
    const wchar_t* take;    // the host's shell, in the place's folder
    files::SaveResult told;
    std::optional<std::string> documentThere;  // in `q\d` then
    std::optional<std::string> documentMoved;  // in `q\d2`
  } rows[] = {
      {"the folder moved away", L"", L"mv q/d q/d2", {std::nullopt, ERROR_FILE_NOT_FOUND}, none, fresh},
      {"the folder moved away, an empty one put in its place", L"", emptied, {std::nullopt, ERROR_PATH_NOT_FOUND},
       none, fresh},
      {"the rename refused, the folder kept", L"error=EACCES", L"true",
       {files::SaveFailure{Step::Target, ERROR_ACCESS_DENIED}}, old, none},
      {"the rename refused, the folder moved away, an empty one put in its place", L"error=EACCES", emptied,
       {files::SaveFailure{Step::FolderReplaced, ERROR_PATH_NOT_FOUND}}, none, old},
  };
  size_t move = 0;
  {
    const std::wstring scratch = beside + L"\\scratch", document = scratch + L"\\zhangsan.pst";
    ASSERT_TRUE(CreateDirectoryW(scratch.c_str(), nullptr));
    Write(document, kOldContent);
    testsupport::SaveSteps counted;
    ASSERT_EQ(files::SaveFile(Gbk(document), kNewContent), kSaved);
    move = testsupport::StepOfTheMove(counted.steps());
    ASSERT_LT(move, counted.steps().size());
    RemoveAll(scratch);
  }
  for (const auto& place : places) {
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(row.what) + ", " + place.name);
      ASSERT_TRUE(HostShell(L"cd \"$1\" && rm -rf q && mkdir -p q/d", {place.host}));
      const std::wstring folder = place.root + L"\\q\\d", moved = place.root + L"\\q\\d2";
      const std::wstring document = folder + L"\\zhangsan.pst";
      Write(document, kOldContent);
      std::optional<ServerRenameHeld> held;
      files::SaveResult result;
      {
        testsupport::SaveSteps steps;
        steps.StopBefore(move, [&] {
          const std::vector<std::wstring> names = Entries(folder, L"zhangsan.pst.saving-*");
          if (names.size() == 1) held.emplace(folder, names[0], row.inject, place.host, row.take);
        });
        result = files::SaveFile(Gbk(document), kNewContent);
      }
      ASSERT_TRUE(held.has_value());
      if (!held->attached())
        GTEST_SKIP() << SkippedLoudly("a move whose folder goes", "the host's strace cannot hold the Wine server");
      EXPECT_TRUE(held->acted());
      held.reset();
      EXPECT_EQ(result, row.told);
      EXPECT_EQ(Read(document), row.documentThere);
      EXPECT_EQ(Entries(folder), row.documentThere ? std::vector<std::wstring>{L"zhangsan.pst"}
                                                   : std::vector<std::wstring>{});
      EXPECT_EQ(Read(moved + L"\\zhangsan.pst"), row.documentMoved);
      EXPECT_EQ(Entries(moved), row.documentMoved ? std::vector<std::wstring>{L"zhangsan.pst"}
                                                  : std::vector<std::wstring>{});
    }
  }
  RemoveAll(beside);
}

}  // namespace
