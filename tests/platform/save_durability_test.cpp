// A save is on disk when it returns: a copy of the disk taken right after it,
// as the disk would be found after the power was cut then, holds the file's
// new content and nothing beside it. The disk is an ext4 image on a loop
// device of the Linux host, mounted in a folder beside the test program (so
// that Wine reaches it as any folder), with a journal that commits by itself
// only once a minute: what the save does not put on disk itself is missing
// from the copy. Needs root and loop devices on the host; without them it
// says so and is skipped.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_saving.h"
#include "tests/platform/file_saving_fixture.h"
#include "tests/platform/host_disks.h"

using namespace korvath::platform;
using namespace korvath::platform::files::savetest;

namespace {

class SaveDurabilityTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::wstring host = testsupport::UnixPath(ProgramFolder());
    if (host.empty()) GTEST_SKIP() << Loudly("not under Wine: no Linux host to make a disk on");
    image_ = host + L"/disk.img";
    copy_ = host + L"/disk-copy.img";
    diskHost_ = host + L"/disk";
    copyHost_ = host + L"/disk-copy";
    if (!HostMountsDiskImages())
      GTEST_SKIP() << Loudly("the host gives no root or no loop device, which a disk image needs");
    Unmount();
    ASSERT_TRUE(HostShell(L"mkdir -p \"$2\" \"$3\" && truncate -s 16M \"$1\" && mkfs.ext4 -q -F \"$1\" && "
                          L"mount -o loop,commit=60 \"$1\" \"$2\"",
                          {image_, diskHost_, copyHost_}));
    mounted_ = true;
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    if (mounted_) Unmount();
  }

  // The disk as the host would find it after a power cut now: a copy of the
  // image taken at once, without asking the host to write anything first,
  // mounted (its journal replayed, as at the next start) in place of the
  // disk.
  void CutThePower() {
    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(HostShell(L"cp --sparse=always \"$1\" \"$2\"", {image_, copy_}));
    const auto taken = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - before);
    std::printf("the disk copied %lld ms after the save returned\n", static_cast<long long>(taken.count()));
    ASSERT_TRUE(HostShell(L"umount \"$1\" && mount -o loop \"$2\" \"$3\"", {diskHost_, copy_, copyHost_}));
  }

  const std::wstring folder_ = ProgramFolder() + L"\\disk\\AI文件夹";
  const std::wstring seen_ = ProgramFolder() + L"\\disk-copy\\AI文件夹";

 private:
  static std::string Loudly(const char* why) { return SkippedLoudly("a save's durability", why); }
  // Unmounts both images, whether mounted or not, and removes them.
  void Unmount() {
    HostShell(L"umount \"$1\" 2>/dev/null; umount \"$2\" 2>/dev/null; rm -f \"$3\" \"$4\"; true",
              {diskHost_, copyHost_, image_, copy_});
    mounted_ = false;
  }

  std::wstring image_, copy_, diskHost_, copyHost_;
  bool mounted_ = false;
};

// Over a file that is on disk, beside which a save killed long ago left its
// new file: the copy holds the new content, and neither the save's own new
// file nor the old leftover beside it.
TEST_F(SaveDurabilityTest, AReplacedFileIsOnDiskWhenTheSaveReturns) {
  const std::wstring file = folder_ + L"\\zhangsan.pst";
  ASSERT_EQ(files::SaveFile(Gbk(file), kOldContent), kSaved);
  Write(folder_ + L"\\zhangsan.pst.saving-0A1B.tmp", kNewContent);
  ASSERT_TRUE(HostShell(L"sync -f \"$1\"", {testsupport::UnixPath(folder_)}));
  ASSERT_EQ(files::SaveFile(Gbk(file), kNewContent), kSaved);
  CutThePower();
  EXPECT_EQ(Entries(seen_), std::vector<std::wstring>{L"zhangsan.pst"});
  EXPECT_EQ(Described(Read(seen_ + L"\\zhangsan.pst")), "the whole new content");
}

// A new file: the copy holds it, and nothing beside it.
TEST_F(SaveDurabilityTest, ANewFileIsOnDiskWhenTheSaveReturns) {
  ASSERT_TRUE(HostShell(L"sync -f \"$1\"", {testsupport::UnixPath(folder_)}));
  ASSERT_EQ(files::SaveFile(Gbk(folder_ + L"\\lisi.pst"), kNewContent), kSaved);
  CutThePower();
  EXPECT_EQ(Entries(seen_), std::vector<std::wstring>{L"lisi.pst"});
  EXPECT_EQ(Described(Read(seen_ + L"\\lisi.pst")), "the whole new content");
}

}  // namespace
