#include "platform/text_lines.h"

#include <cstdint>

#include "platform/text_commands.h"

namespace korvath::platform {

namespace {
bool IsGbkTrailByte(uint8_t b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }
}  // namespace

TextLineScan ScanTextLine(std::string_view data, bool atEnd, size_t resumeAt) {
  TextLineScan scan;
  size_t i = resumeAt;
  while (i < data.size()) {
    uint8_t b = uint8_t(data[i]);
    if (b == 0x00 || b == 0x1A) {
      scan.complete = true;
      scan.lineLength = i;
      scan.consumed = i + 1;
      scan.textEnded = true;
      scan.endByte = char(b);
      return scan;
    }
    if (b == '\n') {
      scan.complete = true;
      scan.lineLength = (i > 0 && data[i - 1] == '\r') ? i - 1 : i;
      scan.consumed = i + 1;
      return scan;
    }
    if (IsGbkLeadByte(b)) {
      if (i + 1 == data.size()) {
        if (!atEnd) {
          scan.scanned = i;  // the trail byte may still come
          return scan;
        }
        ++i;
        continue;
      }
      i += IsGbkTrailByte(uint8_t(data[i + 1])) ? 2 : 1;
      continue;
    }
    ++i;
  }
  if (!atEnd) {
    scan.scanned = i;
    return scan;
  }
  scan.complete = true;
  scan.lineLength = data.size();
  scan.consumed = data.size();
  return scan;
}

void ForEachTextLine(std::string_view bytes, const std::function<bool(std::string_view line)>& take) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    TextLineScan scan = ScanTextLine(bytes.substr(pos), true);
    if (!take(bytes.substr(pos, scan.lineLength)) || scan.textEnded) break;
    pos += scan.consumed;
  }
}

}  // namespace korvath::platform
