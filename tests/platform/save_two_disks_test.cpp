// What a save's tidy-up removes where two disks hold folders that Wine tells
// apart by no identity, nor always by name: two ext4 images on loop devices
// of the Linux host, mounted in folders beside the test program, "disk" and
// "disk." (whose names Wine tells alike in the names of what they hold).
// Wine tells the volume serial number of a drive mapped while it runs as 0,
// and of a disk that no drive's root is on too; on a fresh ext4 the first
// folder made has the same index on each, and so has the first file made in
// it. Needs root and loop devices on the host; without them it says so and
// is skipped.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_saving.h"
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

}  // namespace
