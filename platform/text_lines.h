#pragma once
// How the runtime's FileReadLine cuts a file's bytes into lines. No Win32
// here: the reader's parsing is tested and fuzzed natively on these rules.
#include <cstddef>
#include <functional>
#include <string_view>

namespace korvath::platform {

// One line at the start of `data`. A line is the bytes up to the next LF,
// without the LF and without one CR right before it. A NUL or 0x1A byte ends
// the file's text: the line stops there and nothing after it is read. A
// two-byte GBK character is never split, so its trail byte is never taken for
// a line end.
struct TextLineScan {
  bool complete = false;    // false: `data` ends before the line does and more may come
  size_t lineLength = 0;    // bytes of the line itself
  size_t consumed = 0;      // bytes to step over (the line and its end)
  bool textEnded = false;   // a NUL or 0x1A byte ended the text
  char endByte = 0;         // when textEnded: that byte
  size_t scanned = 0;       // when not complete: where a scan of more data may resume
};
// `atEnd`: `data` holds everything that is left of the file. `resumeAt`: the
// `scanned` of an incomplete scan of the start of the same data, so that a
// long line read in chunks is scanned once, not once per chunk.
TextLineScan ScanTextLine(std::string_view data, bool atEnd, size_t resumeAt = 0);

// Hands `take` each line that reading `bytes` line by line gives, in order,
// until the text ends or `take` returns false.
void ForEachTextLine(std::string_view bytes, const std::function<bool(std::string_view line)>& take);

}  // namespace korvath::platform
