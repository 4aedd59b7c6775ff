// Paths that are no file on disk: the serial port and the other devices of
// the reserved names, named pipes that nobody serves or nobody made, and
// devices, pipes and sockets behind a drive's path. Read through the real
// window's open dialog and through the reader's own entry point, each is
// refused with a notice before a byte of it is read; saved into, as the
// document or as its folder, each is refused before anything is asked or
// written. The form and the record stay as they were. A read of any of them
// would wait for ever: each read is guarded, so that one that blocks fails
// the test in seconds instead of hanging the run.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/file_paths.h"
#include "app/script_reader.h"
#include "platform/gbk_convert.h"
#include "platform/long_paths.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// Longer than any read or dialog takes on a loaded machine; far shorter than
// the test program's own hang limit.
constexpr DWORD kReadLimitMs = 30000;

std::string NotAFile(const std::string& path) { return "无法读取NPC文档[" + path + "],它不是磁盘上的文件!"; }

std::string PipeName(const char* what) {
  return "\\\\.\\pipe\\korvath_" + std::string(what) + "_" + std::to_string(GetCurrentProcessId());
}

// A named pipe that this test serves and never connects: a read of it waits
// until a program writes, which none does. Whether anything opened it is
// told by the pipe itself.
class UnservedPipe {
 public:
  UnservedPipe()
      : handle_(CreateNamedPipeW(Wide(name_).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                 PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr)) {}
  ~UnservedPipe() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  UnservedPipe(const UnservedPipe&) = delete;
  UnservedPipe& operator=(const UnservedPipe&) = delete;

  bool made() const { return handle_ != INVALID_HANDLE_VALUE; }
  const std::string& name() const { return name_; }
  // No program has opened the pipe: a connection waited for is still to come.
  bool NeverOpened() {
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const bool waiting = !ConnectNamedPipe(handle_, &overlapped) && GetLastError() == ERROR_IO_PENDING;
    CancelIo(handle_);
    WaitForSingleObject(overlapped.hEvent, 1000);
    CloseHandle(overlapped.hEvent);
    return waiting;
  }

 private:
  const std::string name_ = PipeName("unserved");
  HANDLE handle_;
};

// The serial port that Wine maps COM1 to opens, so the tests read a device
// that is there.
bool Com1IsThere() {
  HANDLE port = CreateFileW(L"\\\\.\\COM1", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (port == INVALID_HANDLE_VALUE) return false;
  CloseHandle(port);
  return true;
}

class NotAFileTest : public BadInputTest {
 protected:
  // Reads the path through the reader's entry point, as the read button
  // does with a chosen file: refused with the notice (naming the path as
  // every notice does), nothing changed.
  void ExpectRefusedByTheReader(const std::string& path) {
    SCOPED_TRACE(path);
    DialogAnswerer answerer({PressButton(IDOK)});
    {
      HangGuard guard(kReadLimitMs);
      EXPECT_FALSE(ReadNpcFile(path));
    }
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, L"提示");
    EXPECT_EQ(answerer.seen()[0].text, Wide(NotAFile(NoticePath(path))));
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
  }
  // Types the name into the read button's open dialog: the notice names the
  // path that the dialog stands for, and nothing changed.
  void ExpectRefusedThroughTheWindow(const std::string& typed, const std::string& path) {
    SCOPED_TRACE(typed);
    {
      HangGuard guard(kReadLimitMs);
      EXPECT_EQ(ReadNotice(typed), Wide(NotAFile(path)));
    }
    EXPECT_EQ(Shown(), shown_);
    EXPECT_TRUE(RecordFields() == record_);
  }
};
}  // namespace

// Device names that a user types into the open dialog, the serial port among
// them, and named pipes: one that the test serves and never connects, and
// one that nobody made (the dialog itself would wait for ever on either).
// The relative names are the document folder's, where the dialog opens.
// Nothing opened the pipe; the next save writes what the last one wrote.
TEST_F(NotAFileTest, DevicesAndPipesChosenInTheOpenDialogAreRefused) {
  ASSERT_TRUE(Com1IsThere());
  UnservedPipe pipe;
  ASSERT_TRUE(pipe.made());
  FillInAndSave();
  ExpectRefusedThroughTheWindow("aux", DocumentFolder() + "aux");
  ExpectRefusedThroughTheWindow("COM1", DocumentFolder() + "COM1");
  ExpectRefusedThroughTheWindow("C:\\users\\Public\\aux.pst", "C:\\users\\Public\\aux.pst");
  ExpectRefusedThroughTheWindow(pipe.name(), pipe.name());
  ExpectRefusedThroughTheWindow(PipeName("nobody"), PipeName("nobody"));
  ExpectRefusedThroughTheWindow("//./com1", "//./com1");  // named as typed, not inside the folder
  EXPECT_TRUE(pipe.NeverOpened());
  ExpectNextSaveAsBefore();
}

// The reader's own entry point refuses every reserved name, in any folder,
// case and extension, and the device namespace's paths, before it opens
// anything: also the names that Wine cannot open (CON, PRN) or that open
// without blocking (NUL) are said to be no file, and the pipe that the test
// serves was never opened.
TEST_F(NotAFileTest, TheReaderRefusesDevicesByTheirNamesBeforeOpeningThem) {
  ASSERT_TRUE(Com1IsThere());
  UnservedPipe pipe;
  ASSERT_TRUE(pipe.made());
  FillInAndSave();
  for (const std::string& path :
       {std::string("COM1"), std::string("com1.pst"), std::string("\\\\.\\COM1"), std::string("aux"),
        std::string("AUX.pst"), std::string("C:\\users\\Public\\aux.pst"), folder_ + "Nul.pst", std::string("NUL"),
        std::string("CON"), std::string("CONIN$"), std::string("CONOUT$"), std::string("PRN"), std::string("LPT1"),
        pipe.name(), PipeName("nobody"), std::string("//./pipe/korvath_nobody")})
    ExpectRefusedByTheReader(path);
  EXPECT_TRUE(pipe.NeverOpened());
  ExpectNextSaveAsBefore();
}

// Devices and pipes that a drive's path leads to: a FIFO of the Linux host
// under a ".pst" name, chosen in the dialog and read through the entry
// point, and the host's character devices. What opens is refused before a
// byte of it is read.
TEST_F(NotAFileTest, WhatOpensAsNoFileOnDiskIsRefusedBeforeItIsRead) {
  FillInAndSave();
  const std::string fifo = folder_ + "fifo.pst";
  const HostEntry made(HostEntry::Kind::Fifo, Wide(fifo));
  ASSERT_TRUE(made.made());
  ExpectRefusedThroughTheWindow(fifo, fifo);
  ExpectRefusedByTheReader(fifo);
  for (const char* device : {"Z:\\dev\\zero", "Z:\\dev\\null", "Z:\\dev\\urandom"}) ExpectRefusedByTheReader(device);
  ExpectNextSaveAsBefore();
}

// A folder of a file's name is no file either: the notice says so, not that
// a right to read it is missing, and nothing changed.
TEST_F(NotAFileTest, AFolderIsSaidToBeNoFile) {
  FillInAndSave();
  const std::string folder = folder_ + "folder.pst";
  ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
  ExpectRefusedByTheReader(folder);
  ExpectRefusedByTheReader(folder + "\\");
  ExpectNextSaveAsBefore();
}

// A FIFO of the host typed with blanks or dots after its name, which the
// system's tidying of a plain path drops, or by its short (8.3) name, by
// which the system finds it too: read through the entry point and chosen in
// the open dialog, each is said to be no file on disk; as the document
// folder, a device or a pipe. Nothing opened the FIFO: a program of the host
// waiting to write into it still waits.
TEST_F(NotAFileTest, AFifoTypedWithBlanksOrDotsAfterItsNameOrByItsShortNameIsNoFileOnDisk) {
  FillInAndSave();
  const std::string fifo = folder_ + "longfifoname.pst";
  const HostEntry made(HostEntry::Kind::Fifo, Wide(fifo));
  ASSERT_TRUE(made.made());
  const WaitingFifoWriter writer(Wide(fifo));
  ASSERT_TRUE(writer.StillWaiting());
  // Its short name, in the folder as the test names it.
  const std::wstring shortPath = platform::ShortPath(Wide(fifo));
  ASSERT_NE(shortPath.find(L'~'), std::wstring::npos);  // Wine gives the long name a short one of its own
  const std::string shortName = folder_ + platform::WideToGbk(shortPath.substr(shortPath.rfind(L'\\') + 1)).text;
  const std::vector<std::string> paths = {fifo + ".", fifo + " ", fifo + ". .", shortName, shortName + "."};
  for (const std::string& path : paths) {
    ExpectRefusedByTheReader(path);
    ExpectRefusedThroughTheWindow(path, path);
  }
  for (const std::string& path : paths) {
    const std::string text = path + "\\";
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)),
              Wide("存档目录[" + text + "]是一个设备或管道,不是文件夹,请选择或填写存档目录!"));
  }
  EXPECT_TRUE(writer.StillWaiting());
  EXPECT_TRUE(made.Intact());
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::wstring>{L"longfifoname.pst"});
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A socket of the host and a link to a device, chosen in the open dialog and
// read through the entry point, and a FIFO, in a short folder and in one
// longer than MAX_PATH (whose paths the tool answers before the dialog sees
// them): each is said to be no file on disk, as a FIFO is in a short folder,
// not that it cannot be opened or is missing. Nothing opened the FIFO: a
// program of the host waiting to write into it still waits.
TEST_F(NotAFileTest, ASocketOrADeviceLinkIsNoFileOnDiskInAShortOrALongFolder) {
  FillInAndSave();
  const std::string longFolder = MakeLongFolder(folder_ + "long", 300) + "\\";
  for (const std::string& folder : {folder_, longFolder}) {
    const std::string socket = folder + "sock.pst", zero = folder + "zero.pst", fifo = folder + "fifo.pst";
    const HostEntry entries[] = {{HostEntry::Kind::Socket, Wide(socket)},
                                 {HostEntry::Kind::Link, Wide(zero), L"/dev/zero"},
                                 {HostEntry::Kind::Fifo, Wide(fifo)}};
    for (const HostEntry& entry : entries) ASSERT_TRUE(entry.made());
    const WaitingFifoWriter writer(Wide(fifo));
    ASSERT_TRUE(writer.StillWaiting());
    for (const std::string& path : {socket, zero, fifo}) {
      ExpectRefusedThroughTheWindow(path, NoticePath(path));
      ExpectRefusedByTheReader(path);
    }
    EXPECT_TRUE(writer.StillWaiting());
    for (const HostEntry& entry : entries) EXPECT_TRUE(entry.Intact());
  }
  ExpectNextSaveAsBefore();
}

// What the host has where the document goes that is no file on disk: a
// FIFO, a socket, a link to a device, a link to a FIFO elsewhere. A search
// finds each, and no attributes describe it. The save refuses it at once,
// without the question that no answer could make good, saying what the
// reader says of it, and so again at the next try; nothing is made beside
// it, it stays what it was, and the form as it was. Nothing opened either
// FIFO: a program of the host waiting to write into each still waits.
TEST_F(NotAFileTest, AFifoASocketOrADeviceLinkWhereTheDocumentGoesIsRefusedBeforeTheQuestion) {
  FillInAndSave();
  const std::string fei = DocumentFolder() + "fei.pst", tao = DocumentFolder() + "tao.pst",
                    ling = DocumentFolder() + "ling.pst", qianqi = DocumentFolder() + "qianqi.pst",
                    pipe = folder_ + "pipe";
  const HostEntry fifo(HostEntry::Kind::Fifo, Wide(fei)), socket(HostEntry::Kind::Socket, Wide(tao)),
      zero(HostEntry::Kind::Link, Wide(ling), L"/dev/zero"), elsewhere(HostEntry::Kind::Fifo, Wide(pipe)),
      toPipe(HostEntry::Kind::Link, Wide(qianqi), UnixPath(Wide(pipe)));
  ASSERT_TRUE(elsewhere.made());
  const WaitingFifoWriter atFei(Wide(fei)), atPipe(Wide(pipe));
  ASSERT_TRUE(atFei.StillWaiting() && atPipe.StillWaiting());
  const std::vector<std::wstring> entries = FolderEntries(DocumentFolder());
  ASSERT_EQ(entries.size(), 5u);
  for (const auto& [name, path, entry] : {std::tuple{L"非", fei, &fifo}, std::tuple{L"逃", tao, &socket},
                                          std::tuple{L"零", ling, &zero}, std::tuple{L"钱七", qianqi, &toPipe}}) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(entry->made());
    TypeInto(名字编辑框, name);
    const std::vector<std::string> shown = Shown();
    for (int attempt = 0; attempt < 2; ++attempt) {
      std::vector<SeenDialog> seen;
      {
        HangGuard guard(kReadLimitMs);
        seen = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
      }
      ASSERT_EQ(seen.size(), 1u);  // no question before it
      EXPECT_EQ(seen[0].caption, L"提示");
      EXPECT_EQ(seen[0].text, Wide("NPC文件[" + path + "]保存失败,它不是磁盘上的文件!"));
    }
    EXPECT_EQ(Shown(), shown);
    EXPECT_TRUE(entry->Intact());
    EXPECT_EQ(FolderEntries(DocumentFolder()), entries);
  }
  EXPECT_TRUE(atFei.StillWaiting());
  EXPECT_TRUE(atPipe.StillWaiting());
  TypeInto(名字编辑框, L"王五");
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A device's or a pipe's name as the document folder, with or without a
// separator after it, and what the host has there that is neither a folder
// nor a file on disk (a FIFO, a link to a device): each is said to be a
// device or a pipe, not a file nor a missing folder, and nothing is written.
// So is a folder that the host has under a device's name: the save would
// open the device of that name for the folder, to put its entries on disk
// and to tidy it up.
TEST_F(NotAFileTest, ADeviceOrAPipeAsTheFolderIsSaidToBeOne) {
  FillInAndSave();
  ASSERT_TRUE(CreateDirectoryW(Wide(folder_ + "realdir").c_str(), nullptr));
  std::wstring host = UnixPath(Wide(folder_));
  while (!host.empty() && host.back() == L'/') host.pop_back();
  ASSERT_TRUE(!host.empty() && RunHostProgram(L"/bin/mkdir", {host + L"/aux"}));
  const HostEntry fifo(HostEntry::Kind::Fifo, Wide(folder_ + "fifo")),
      zero(HostEntry::Kind::Link, Wide(folder_ + "zero"), L"/dev/zero");
  ASSERT_TRUE(fifo.made() && zero.made());
  for (const std::string& text : {folder_ + "t\\aux", folder_ + "t\\nul\\", folder_ + "realdir\\LPT1.pst\\",
                                  std::string("\\\\.\\pipe\\"), std::string("\\\\?\\pipe\\"), folder_ + "fifo\\",
                                  folder_ + "zero", folder_ + "aux\\"})
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)),
              Wide("存档目录[" + text + "]是一个设备或管道,不是文件夹,请选择或填写存档目录!"));
  EXPECT_TRUE(fifo.Intact() && zero.Intact());
  EXPECT_EQ(FolderEntries(folder_), (std::vector<std::wstring>{L"aux", L"fifo", L"realdir", L"zero"}));
  EXPECT_EQ(FolderEntries(folder_ + "realdir"), std::vector<std::wstring>{});
  EXPECT_EQ(FolderEntries(folder_ + "aux"), std::vector<std::wstring>{});
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}
