// Files that are no text the tool wrote, read through the read button:
// binary files, NUL bytes, lines of 10 MB, files of 100 MB, lines added to a
// written script.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "app/script_reader.h"
#include "platform/gbk_convert.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// The bytes of this test program: a real Windows binary.
std::string ProgramBytes() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return ReadBytes(platform::WideToGbk(self).text);
}

// `prefix`, then `piece` again and again up to `size` bytes in all, written
// a megabyte at a time.
void WriteRepeated(const std::string& path, const std::string& prefix, const std::string& piece, size_t size) {
  std::string block;
  while (block.size() < (1u << 20)) block += piece;
  std::ofstream out(Wide(path).c_str(), std::ios::binary | std::ios::trunc);
  out << prefix;
  for (size_t left = size - prefix.size(); left > 0;) {
    const size_t n = std::min(left, block.size());
    out.write(block.data(), std::streamsize(n));
    left -= n;
  }
}

// The process's private memory. Windows gives its commit charge as
// PagefileUsage (and again as PrivateUsage); Wine gives only the former, as
// the private memory that the process has used (Linux's resident anonymous
// memory and swap), and 0 as PrivateUsage.
int64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  EXPECT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
  return int64_t(counters.PagefileUsage);
}

// The most that the private memory grows above its level at the start while
// the caller works: a thread beside it samples the memory as fast as it can.
class PrivateMemoryPeak {
 public:
  PrivateMemoryPeak() : start_(PrivateBytes()), peak_(start_) {
    sampler_ = std::thread([this] {
      while (!done_) {
        const int64_t now = PrivateBytes();
        if (now > peak_) peak_ = now;
        ++samples_;
        SwitchToThread();  // the GUI thread may share the CPU
      }
    });
  }
  ~PrivateMemoryPeak() { Stop(); }
  // Returns once the thread has taken two more samples: one of them wholly
  // after the call.
  void AwaitSamples() {
    const int64_t until = samples_ + 2;
    while (samples_ < until) SwitchToThread();
  }
  int64_t Growth() {
    Stop();
    return peak_ - start_;
  }

 private:
  void Stop() {
    done_ = true;
    if (sampler_.joinable()) sampler_.join();
  }
  const int64_t start_;
  std::atomic<int64_t> peak_;
  std::atomic<int64_t> samples_{0};
  std::atomic<bool> done_{false};
  std::thread sampler_;
};

constexpr int64_t kMegabyte = 1 << 20;
}  // namespace

// The start of a program file, a picture, a file with a NUL byte before its
// behaviour line (whatever followed it would not have been read: the
// behaviour of the form would have stood for the file's), one with a NUL
// among its declarations, a UTF-16 file without a byte-order mark: none is
// text that the tool wrote, and each says so. A whole program, larger than
// any file the tool reads, is refused by its size. One 0x1A at the very end,
// as old editors end a file, is read.
TEST_F(BadInputTest, BinaryFilesAndNulBytesAreRefusedAsNoText) {
  FillInAndSave();
  // Differs from the form in its name, HP and behaviour: read, it would show.
  const std::string other = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  std::string nulBeforeBehaviour = other, nulInDeclarations = other;
  nulBeforeBehaviour.insert(nulBeforeBehaviour.find("\tChangeBehavior"), 1, '\0');
  nulInDeclarations.insert(nulInDeclarations.find("int Jump"), 1, '\0');
  const std::wstring wide = Wide(other);
  const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
  const std::pair<const char*, std::string> files[] = {
      {"program_start.pst", ProgramBytes().substr(0, 64 << 10)},
      {"picture.pst", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20)},
      {"nul_before_behaviour.pst", nulBeforeBehaviour},
      {"nul_in_declarations.pst", nulInDeclarations},
      // A NUL at the very end is no 0x1A that ends a file as old editors did.
      {"nul_at_end.pst", other + std::string(1, '\0')},
      {"utf16_no_mark.pst", utf16},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    const std::string path = folder_ + name;
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadNotice(path), Wide(Refused(path, "文件中有空字节(NUL)或文件结束符(0x1A),不是文本文件")));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
    EXPECT_EQ(ReadBytes(path), bytes);
  }
  const std::string program = folder_ + "program.pst";
  WriteBytes(program, ProgramBytes());
  ASSERT_GT(ReadBytes(program).size(), kMostFileBytes);
  EXPECT_EQ(ReadNotice(program), Wide(Refused(program, "文件远大于本工具写出的NPC文档")));
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();

  const std::string dosEnd = folder_ + "dos_end.pst";
  WriteBytes(dosEnd, other + "\x1A");
  EXPECT_EQ(ClickAnswering(读取按钮, {ChooseFile(dosEnd)}).size(), 1u);  // the open dialog only
  EXPECT_EQ(Npc().NpcFilePath, dosEnd);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "1234");
}

// One line of 10 MB: the whole file, the name of an otherwise written file,
// or its HP value. Each is far larger than any file the tool writes, and is
// refused as that before a byte of it is read. A written file whose name
// fills it to 1 MiB, the largest file that is read, is read and refused for
// its name; one byte more, and it is refused by its size.
TEST_F(BadInputTest, ALineOfTenMegabytesIsRefusedByItsSize) {
  FillInAndSave();
  const std::string longName(10 << 20, '\xD5');  // 张 halves: GBK characters throughout
  const std::string larger = "文件远大于本工具写出的NPC文档";
  const std::string nameLine = "string Name=\"张三\";";
  std::string fullName((1 << 20) - (ExpectedFile().size() - 4), '\xD5');  // in place of 张三
  if (fullName.size() % 2) fullName.back() = 'x';
  const std::string full = ExpectedFile({{nameLine, "string Name=\"" + fullName + "\";"}});
  ASSERT_EQ(full.size(), size_t(1) << 20);
  ExpectEachRefused({
      {"one_line.pst", longName, larger},
      {"long_name.pst", ExpectedFile({{nameLine, "string Name=\"" + longName + "\";"}}), larger},
      {"long_hp.pst", ExpectedFile({{"int HP = 5000;", "int HP = " + std::string(10 << 20, '7') + ";"}}), larger},
      {"name_of_a_megabyte.pst", full, "人物名字不是本工具能写出的名字"},
      {"one_byte_more.pst", full + " ", larger},
  });
  ExpectNextSaveAsBefore();
}

// Files far larger than any NPC document: 100 MB of short lines (the reader
// kept every line before it looked at any, and from 50 MB on the tool ended
// with the form, for want of memory), 100 MB of one line, and a written file
// followed by short lines up to 1 MiB, which is small enough to be read. Each
// is refused with a notice, while the tool's private memory grows by less
// than 20 MB; nothing is lost.
TEST_F(BadInputTest, FilesFarLargerThanAnNpcDocumentAreRefusedInLittleMemory) {
  FillInAndSave();
  // The open dialog's first use costs memory of its own: not measured.
  const std::string small = folder_ + "small.pst";
  WriteBytes(small, "x");
  EXPECT_EQ(ReadNotice(small), Wide(Refused(small, "文件内容不完整")));
  {  // The measure sees memory that is taken.
    PrivateMemoryPeak peak;
    std::vector<char> block(40 * kMegabyte, 1);
    peak.AwaitSamples();
    EXPECT_GE(peak.Growth(), 40 * kMegabyte);
  }
  const std::string other = ExpectedFile();
  const struct {
    const char* file;
    std::string prefix, piece;
    size_t size;
    std::string why;
  } files[] = {
      {"short_lines.pst", "", "x\r\n", 100u << 20, "文件远大于本工具写出的NPC文档"},
      {"one_line.pst", "", "\xD5\xC5", 100u << 20, "文件远大于本工具写出的NPC文档"},
      {"script_and_short_lines.pst", other, "x\r\n", 1u << 20, "脚本在第30项结束,第31项是多余的"},
  };
  for (const auto& [file, prefix, piece, size, why] : files) {
    SCOPED_TRACE(file);
    const std::string path = folder_ + file;
    WriteRepeated(path, prefix, piece, size);
    PrivateMemoryPeak peak;
    const std::wstring notice = ReadNotice(path);
    peak.AwaitSamples();
    EXPECT_LT(peak.Growth(), 20 * kMegabyte);
    EXPECT_EQ(notice, Wide(Refused(path, why)));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
    DeleteFileW(Wide(path).c_str());
  }
  ExpectNextSaveAsBefore();
}

// A written file with a line added after its script, as a user who notes
// something by hand adds it: read by the count of its lines, it was taken
// for "巡逻跟随" and the next save wrote that behaviour; with two lines, the
// form's behaviour stayed. Refused, naming the line; nothing is lost.
TEST_F(BadInputTest, AWrittenFileWithALineAddedIsRefusedNamingTheLine) {
  FillInAndSave();
  const std::string kill = ExpectedFile({{"\tChangeBehavior(g_self, \"follow\", \"player\");",
                                          "\tChangeBehavior(g_self, \"kill\", \"player\");"}});
  std::string middle = kill;
  middle.insert(middle.find("OnStart()"), "// made by hand\r\n");
  ExpectEachRefused({
      {"one_line_added.pst", kill + "// made by hand\r\n", "脚本在第30项结束,第31项是多余的"},
      {"two_lines_added.pst", kill + "// made by hand\r\n// twice\r\n", "脚本在第30项结束,第31项是多余的"},
      {"line_in_the_middle.pst", middle, "第26项不是本工具写出的脚本内容"},
  });
  ExpectNextSaveAsBefore();

  const std::string asWritten = folder_ + "kill.pst";
  WriteBytes(asWritten, kill);
  EXPECT_EQ(ClickAnswering(读取按钮, {ChooseFile(asWritten)}).size(), 1u);  // the open dialog only
  EXPECT_EQ(MainForm().ComboSelectedIndex(行为组合框), 6);
}
