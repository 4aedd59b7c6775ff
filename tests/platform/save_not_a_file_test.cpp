// What is no file on disk where a save goes, and what a save writes: a
// FIFO, a socket or a link to a device of the Linux host is refused at once
// and left as it was, by the save and before it, and told from a link to
// nothing and from a file without being opened, with nothing kept by the
// look-ups; what a failed search tells; nothing that a save writes is ever
// taken for such a thing.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/file_saving.h"
#include "platform/files.h"
#include "platform/long_paths.h"
#include "tests/platform/file_saving_fixture.h"
#include "tests/platform/tool_names.h"

using namespace korvath::platform;
using namespace korvath::platform::files::savetest;
using files::SaveFailure;
using testsupport::HostEntry;

namespace {

bool SaysNoFileOnDisk(const std::optional<SaveFailure>& failure) {
  return failure && failure->step == SaveFailure::Step::Target && failure->error == ERROR_BAD_DEVICE;
}

// The blocks that the process's heaps hold: a search that is never let go
// keeps some at every call (under Wine, which closes the folder of a search
// for one name at once, its memory alone).
size_t LiveHeapBlocks() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 8);
  heaps.resize(GetProcessHeaps(DWORD(heaps.size()), heaps.data()));
  size_t blocks = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++blocks;
    HeapUnlock(heap);
  }
  return blocks;
}

// A search that fails as the stand-in's caller says.
DWORD g_searchError = ERROR_SUCCESS;
HANDLE WINAPI FailingSearch(LPCWSTR, LPWIN32_FIND_DATAW) {
  SetLastError(g_searchError);
  return INVALID_HANDLE_VALUE;
}

// Under Wine a search finds each and no attributes describe it: a save
// would take it for no file, and its move would find the name taken, at
// every save. Each is refused before the save changes anything, whether it
// may replace a file or not, as KnownReplaceRefusal says before it, and
// stays what it was, with nothing beside it.
TEST_F(FileSavingTest, AFifoASocketOrADeviceLinkIsRefusedAtOnceAndLeftAsItWas) {
  const struct {
    HostEntry::Kind kind;
    const wchar_t* target;
  } entries[] = {{HostEntry::Kind::Fifo, L""}, {HostEntry::Kind::Socket, L""}, {HostEntry::Kind::Link, L"/dev/zero"},
                 {HostEntry::Kind::Link, L"/dev/null"}};
  for (const auto& [kind, target] : entries) {
    SCOPED_TRACE(testing::Message() << int(kind) << " " << Gbk(target));
    const HostEntry entry(kind, file_, target);
    ASSERT_TRUE(entry.made());
    ASSERT_TRUE(files::FileExists(Gbk(file_)));
    EXPECT_TRUE(files::PathIsNoDiskFile(Gbk(file_)));
    EXPECT_TRUE(SaysNoFileOnDisk(files::KnownReplaceRefusal(Gbk(file_))));
    for (files::Existing existing : {files::Existing::Replace, files::Existing::Keep}) {
      testsupport::SaveSteps steps;
      EXPECT_TRUE(SaysNoFileOnDisk(files::SaveFile(Gbk(file_), kNewContent, existing).failure));
      EXPECT_EQ(steps.steps(), std::vector<std::string>{});
    }
    EXPECT_TRUE(entry.Intact());
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  }
}

// Each kind of entry that a save's name may meet, told by a search and by
// what describes it, without opening any: a file, a link to one and a folder
// are found and are on disk; a FIFO (with a program of the host waiting to
// write into it), a link to it, a socket and a link to a device are found and
// are no file on disk; a link to nothing, a chain of links that ends in
// nothing and a link to itself are found by their names, and are links to
// nothing; a missing name, also in a missing folder, is not found. The FIFO
// is found and no file on disk also with blanks or dots after its name, and
// one by its short name; "." and ".." in the extended-length form are
// neither. The writer still waits: nothing opened the FIFO. Made again and
// again, no look-up keeps anything.
TEST_F(FileSavingTest, WhatASearchFindsIsToldWithoutOpeningIt) {
  if (testsupport::UnixPath(folder_).empty()) GTEST_SKIP() << "not under Wine: no host entries";
  using Kind = HostEntry::Kind;
  Write(folder_ + L"\\file.pst", kOldContent);
  ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\folder.pst").c_str(), nullptr));
  const HostEntry entries[] = {{Kind::Link, folder_ + L"\\tofile.pst", L"file.pst"},
                               {Kind::Fifo, folder_ + L"\\fifo.pst"},
                               {Kind::Link, folder_ + L"\\tofifo.pst", L"fifo.pst"},
                               {Kind::Socket, folder_ + L"\\socket.pst"},
                               {Kind::Link, folder_ + L"\\zero.pst", L"/dev/zero"},
                               {Kind::Link, folder_ + L"\\nothing.pst", L"nowhere.pst"},
                               {Kind::Link, folder_ + L"\\chain.pst", L"nothing.pst"},
                               {Kind::Link, folder_ + L"\\self.pst", L"self.pst"}};
  for (const HostEntry& entry : entries) ASSERT_TRUE(entry.made());
  const testsupport::WaitingFifoWriter writer(folder_ + L"\\fifo.pst");
  ASSERT_TRUE(writer.StillWaiting());
  const struct {
    const wchar_t* name;
    bool found, noDiskFile, linkToNothing;
  } rows[] = {
      {L"file.pst", true, false, false},     {L"tofile.pst", true, false, false},
      {L"folder.pst", true, false, false},   {L"fifo.pst", true, true, false},
      {L"tofifo.pst", true, true, false},    {L"socket.pst", true, true, false},
      {L"zero.pst", true, true, false},      {L"nothing.pst", true, false, true},
      {L"chain.pst", true, false, true},     {L"self.pst", true, false, true},
      {L"missing.pst", false, false, false}, {L"missing\\in.pst", false, false, false},
      // The FIFO named as a plain path drops the blanks and dots after it.
      {L"fifo.pst.", true, true, false},     {L"fifo.pst ", true, true, false},
      {L"fifo.pst. .", true, true, false},
  };
  for (const auto& row : rows) {
    const std::string path = Gbk(folder_ + L"\\" + row.name);
    SCOPED_TRACE(path);
    EXPECT_EQ(files::FileExists(path), row.found);
    EXPECT_EQ(files::SearchForEntry(path).found, row.found);
    EXPECT_EQ(files::SearchForEntry(path).error, DWORD(ERROR_SUCCESS));
    EXPECT_EQ(files::PathIsNoDiskFile(path), row.noDiskFile);
    EXPECT_EQ(files::PathIsLinkToNothing(path), row.linkToNothing);
    EXPECT_EQ(SaysNoFileOnDisk(files::KnownReplaceRefusal(path)), row.noDiskFile);
    const size_t blocks = LiveHeapBlocks();
    for (int again = 0; again < 200; ++again) {
      files::SearchForEntry(path);
      files::PathIsNoDiskFile(path);
      files::PathIsLinkToNothing(path);
    }
    EXPECT_LT(LiveHeapBlocks(), blocks + 100);
  }
  // A FIFO by its short (8.3) name, by which a search finds it too.
  const HostEntry longNamed(Kind::Fifo, folder_ + L"\\longfifoname.pst");
  ASSERT_TRUE(longNamed.made());
  const std::wstring shortPath = ShortPath(folder_ + L"\\longfifoname.pst");
  ASSERT_NE(shortPath.find(L'~'), std::wstring::npos);  // Wine gives the long name a short one of its own
  for (const std::wstring& path : {shortPath, shortPath + L"."}) {
    SCOPED_TRACE(Gbk(path));
    EXPECT_TRUE(files::FileExists(Gbk(path)));
    EXPECT_TRUE(files::PathIsNoDiskFile(Gbk(path)));
    EXPECT_TRUE(SaysNoFileOnDisk(files::KnownReplaceRefusal(Gbk(path))));
  }
  // In the extended-length form "." and ".." are names that no entry has: a
  // search for one finds the folder's own entry for itself or its parent.
  for (const wchar_t* name : {L"\\.", L"\\.."}) {
    const std::wstring path = L"\\\\?\\" + folder_ + name;
    SCOPED_TRACE(Gbk(path));
    EXPECT_FALSE(files::PathIsNoDiskFile(path));
    EXPECT_FALSE(files::PathIsLinkToNothing(path));
    EXPECT_FALSE(SaysNoFileOnDisk(files::KnownReplaceRefusal(Gbk(path))));
  }
  EXPECT_TRUE(writer.StillWaiting());
  for (const HostEntry& entry : entries) EXPECT_TRUE(entry.Intact());
  EXPECT_TRUE(longNamed.Intact());
}

// A search that fails while something is there (a folder that may not be
// listed, a disk's error) finds nothing and tells its error; one that fails
// where nothing is there, or that finds no such name, finds nothing and
// tells no error; so does an empty path.
TEST_F(FileSavingTest, ASearchThatFailsFindsNothingAndTellsWhyWhereSomethingIsThere) {
  Write(file_, kOldContent);
  const struct {
    const wchar_t* name;
    DWORD error;  // the search's
    DWORD told;   // what SearchForEntry tells
  } rows[] = {
      {L"zhangsan.pst", ERROR_NOACCESS, ERROR_NOACCESS},
      {L"zhangsan.pst", ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
      {L"zhangsan.pst", ERROR_FILE_NOT_FOUND, ERROR_SUCCESS},
      {L"zhangsan.pst", ERROR_PATH_NOT_FOUND, ERROR_SUCCESS},
      {L"missing.pst", ERROR_NOACCESS, ERROR_SUCCESS},
      {L"missing.pst", ERROR_ACCESS_DENIED, ERROR_SUCCESS},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << Gbk(row.name) << ", the search failing with " << row.error);
    g_searchError = row.error;
    const files::FileSearch search = files::SearchForEntry(folder_ + L"\\" + row.name, &FailingSearch);
    EXPECT_FALSE(search.found);
    EXPECT_EQ(search.error, row.told);
  }
  for (const files::FileSearch& search : {files::SearchForEntry(std::string()), files::SearchForEntry(std::wstring())}) {
    EXPECT_FALSE(search.found);
    EXPECT_EQ(search.error, DWORD(ERROR_SUCCESS));
  }
  EXPECT_FALSE(files::FileExists(std::string()));
  EXPECT_FALSE(files::FileExists(std::wstring()));
}

// Every syllable that the tool's file names are made of, as a file's name
// in the save folder, in one named with "/" and in one deeper than
// MAX_PATH: saved new, the file is found by a search and is no device, no
// pipe nor socket to any check, no known refusal stops its replacement, and
// the next save replaces it, with a user's marks on it too.
TEST_F(FileSavingTest, NothingThatASaveWritesIsTakenForNoFileOnDisk) {
  std::wstring deep = folder_;
  for (int level = 0; deep.size() <= MAX_PATH; ++level) {
    deep += L"\\第" + std::to_wstring(level) + L"层存档目录的名字长长长长长长长长长长长长";
    ASSERT_TRUE(CreateDirectoryW(FileApiPath(deep).c_str(), nullptr));
  }
  const std::wstring slashed = folder_ + L"/slash";
  ASSERT_TRUE(CreateDirectoryW(slashed.c_str(), nullptr));
  const std::vector<std::wstring> syllables = ToolNameSyllables();
  ASSERT_GT(syllables.size(), 350u);
  size_t refused = 0, tried = 0;
  for (const std::wstring& folder : {folder_, slashed + L"/", deep}) {
    for (size_t i = 0; i < syllables.size(); ++i) {
      const std::wstring path = folder + (folder.back() == L'/' ? L"" : L"\\") + syllables[i] + L".pst";
      const std::string gbk = Gbk(path);
      ++tried;
      bool taken = files::SaveFile(gbk, kOldContent, files::Existing::Keep) != kSaved;
      taken = taken || !files::FileExists(gbk) || files::PathIsNoDiskFile(gbk) ||
              files::KnownReplaceRefusal(gbk).has_value();
      if (i % 16 == 0)  // a user's marks, on some of them
        SetFileAttributesW(FileApiPath(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
      taken = taken || files::PathIsNoDiskFile(gbk) || files::KnownReplaceRefusal(gbk).has_value() ||
              files::SaveFile(gbk, kNewContent) != kSaved || Read(path) != kNewContent;
      if (taken && ++refused < 10) ADD_FAILURE() << gbk;
    }
  }
  EXPECT_EQ(refused, 0u);
  EXPECT_EQ(tried, 3 * syllables.size());
}

}  // namespace
