// How the reader's time grows with one long line: a written file whose line
// 29, the behaviour's, holds 10,000 to 80,000 quotes (the last about 1 MB) is
// read and refused at that line by the reader's own path, and the same file
// is read plainly in one go. The reader should cost a small, constant
// multiple of the plain read, whatever the number of quotes. Then files of
// one long line of 1.25 to 10 MB, larger than any file the reader reads,
// which it refuses by their size before it reads them: in less time than a
// plain read of the file. Prints milliseconds (median of several runs, the
// reader's and the plain read's in turns). No goal is set for the multiple.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/npc_script_reader.h"
#include "app/script_reader.h"
#include "platform/gbk_convert.h"
#include "bench/app/bench_clock.h"
#include "bench/figure_line.h"
#include "tests/app/npc_test_record.h"

namespace {

using korvath::bench::NowMs;

using namespace korvath;

// `runs` reads of each kind, one after the other in turns, so that both see
// the same machine load: their medians, the reader's first.
template <class Reader, class Plain>
std::pair<double, double> InterleavedMs(int runs, Reader reader, Plain plain) {
  std::vector<double> readerTimes, plainTimes;
  for (int i = 0; i < runs; ++i) {
    for (int k = 0; k < 2; ++k) {
      const bool readerTurn = (k == 0) == (i % 2 == 0);
      const double start = NowMs();
      readerTurn ? reader() : plain();
      (readerTurn ? readerTimes : plainTimes).push_back(NowMs() - start);
    }
  }
  return {korvath::bench::Median(readerTimes), korvath::bench::Median(plainTimes)};
}

// The start file with its behaviour line holding `quotes` quotes: quoted
// names of two-byte characters and letters, as a damaged or hostile file
// might hold them.
std::string FileWithQuotes(int quotes) {
  std::string bytes = app::testdata::StartFileBytes();
  const std::string line = "\tChangeBehavior(g_self, \"follow\", \"player\");";
  std::string many = "\tChangeBehavior(g_self";
  for (int i = 0; i < quotes / 2; ++i) many += ",   \"张三王五跟随followme\"";
  many += ");";
  bytes.replace(bytes.find(line), line.size(), many);
  return bytes;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(file);
  return ok;
}

size_t ReadWhole(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::string bytes(size_t(GetFileSize(file, nullptr)), '\0');
  DWORD got = 0;
  if (!ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr)) got = 0;
  CloseHandle(file);
  return got;
}

}  // namespace

int main() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"korvath_reader_benchmark.pst";
  const std::string gbkPath = platform::WideToGbk(path).text;
  std::printf("%8s %10s %12s %12s %8s %s\n", "quotes", "bytes", "plain ms", "refuse ms", "ratio", "verdict");
  for (int quotes : {10000, 20000, 40000, 80000}) {
    const std::string bytes = FileWithQuotes(quotes);
    if (!WriteWhole(path, bytes)) {
      std::printf("cannot write %ls\n", path.c_str());
      return 1;
    }
    size_t plainBytes = 0;
    std::optional<app::NpcScriptRefusal> refusal;
    const auto [refuse, plain] = InterleavedMs(
        7,
        [&] {
          app::KeptFile kept = app::ReadKeptLines(gbkPath);
          refusal = kept.openError == ERROR_SUCCESS ? app::CheckNpcScript(kept.lines) : std::nullopt;
        },
        [&] { plainBytes = ReadWhole(path); });
    if (plainBytes != bytes.size() || refusal != app::NpcScriptRefusal{app::NpcScriptRefusal::Reason::Script, 29}) {
      std::printf("the file was not refused at its line 29\n");
      return 1;
    }
    std::printf("%8d %10zu %12.2f %12.2f %8.1f %s\n", quotes, bytes.size(), plain, refuse, refuse / plain,
                "refused at line 29");
    korvath::bench::PrintFigure("refusal of a file whose line 29 holds " + std::to_string(quotes) + " quotes", refuse,
                                "ms", "a plain read of the file", plain, "none", 7);
  }
  // A file that is one line of 1.25 to 10 MB, as a file that is no NPC
  // document may be: refused by its size, unread.
  std::printf("\n%10s %12s %12s %8s %s\n", "line bytes", "plain ms", "refuse ms", "ratio", "verdict");
  for (size_t size : {size_t(5) << 18, size_t(5) << 19, size_t(5) << 20, size_t(10) << 20}) {
    std::string bytes = "string Name=\"";
    while (bytes.size() < size) bytes += "\xD5\xC5\xC8\xFD ;=\t\"int View =800; ";
    bytes.resize(size);
    if (!WriteWhole(path, bytes)) {
      std::printf("cannot write %ls\n", path.c_str());
      return 1;
    }
    size_t plainBytes = 0;
    bool tooLarge = false;
    const auto [refuse, plain] = InterleavedMs(
        5,
        [&] {
          app::KeptFile kept = app::ReadKeptLines(gbkPath);
          tooLarge = kept.readError == ERROR_FILE_TOO_LARGE && kept.lines.empty();
        },
        [&] { plainBytes = ReadWhole(path); });
    if (plainBytes != bytes.size() || !tooLarge) {
      std::printf("the long line was not refused by its size\n");
      return 1;
    }
    std::printf("%10zu %12.2f %12.2f %8.1f %s\n", size, plain, refuse, refuse / plain, "refused as too large");
    korvath::bench::PrintFigure("refusal of a file of one " + std::to_string(size) + "-byte line", refuse, "ms",
                                "a plain read of the file", plain, "none", 5);
  }
  DeleteFileW(path.c_str());
  return 0;
}
