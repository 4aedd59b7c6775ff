#include "skin/draw/line_breaks.h"

#include <algorithm>

namespace korvath::skin {

namespace {

constexpr std::wstring_view kClosing =
    L",.!?;:)]}%\u3001\u3002\uFF0C\uFF0E\uFF01\uFF1F\uFF1B\uFF1A\uFF09\uFF3D\uFF5D\u3009\u300B\u300D\u300F"
    L"\u3011\u3015\u201D\u2019\u2026";
constexpr std::wstring_view kOpening = L"([{\uFF08\uFF3B\uFF5B\u3008\u300A\u300C\u300E\u3010\u3014\u201C\u2018";

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == 0x3000; }
bool IsClosing(wchar_t c) { return kClosing.find(c) != std::wstring_view::npos; }
bool IsOpening(wchar_t c) { return kOpening.find(c) != std::wstring_view::npos; }
bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Chinese, Japanese and Korean characters and the full-width forms: a line
// may end before or after any of them.
bool IsIdeographic(wchar_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF01 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
}

// A line may end between text[at - 1] and text[at] without cutting a word;
// beside a blank only where blanks may go with the break.
bool IsGoodBreak(std::wstring_view text, size_t at, bool keepsBlanks) {
  const wchar_t before = text[at - 1];
  const wchar_t after = text[at];
  if (IsClosing(after) || IsOpening(before)) return false;
  if (IsSpace(before) || IsSpace(after)) return !keepsBlanks;
  if (IsPathSeparator(before)) return true;
  return IsIdeographic(before) || IsIdeographic(after);
}

std::wstring_view TrimEnd(std::wstring_view text) {
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The first span measured for a line: about what a line holds.
constexpr size_t kFirstSpan = 64;

class ParagraphBreaker {
 public:
  ParagraphBreaker(std::wstring_view paragraph, float maxWidth, const TextWidth& width)
      : text_(paragraph),
        maxWidth_(maxWidth),
        width_(width),
        keepsBlanks_(std::any_of(paragraph.begin(), paragraph.end(), IsPathSeparator)) {}

  void AppendLines(std::vector<std::wstring>& lines) const {
    if (text_.empty()) {
      lines.emplace_back();
      return;
    }
    size_t start = 0;
    while (start < text_.size()) {
      const size_t fit = LongestFit(start);
      if (fit == text_.size()) {
        lines.emplace_back(TrimEnd(text_.substr(start)));
        return;
      }
      const size_t end = LineEnd(start, fit);
      lines.emplace_back(TrimEnd(text_.substr(start, end - start)));
      start = end;
      if (!keepsBlanks_) {
        while (start < text_.size() && IsSpace(text_[start])) ++start;
      }
    }
  }

 private:
  bool Fits(size_t start, size_t end) const { return width_(TrimEnd(text_.substr(start, end - start))) <= maxWidth_; }

  // The end of the longest span from `start` that fits, the whole rest
  // included; one character at least. The spans measured grow from a line's
  // usual length by doubling until one does not fit, then halve back between
  // the last two, so that they stay near a line's length however long the
  // rest of the paragraph is (a text of 100,000 characters in a box).
  size_t LongestFit(size_t start) const {
    const size_t rest = text_.size() - start;
    size_t fits = 1;  // the longest length known to fit; one character always counts
    size_t over = 0;  // the shortest length known not to fit; 0 while none is
    for (size_t length = std::min(rest, kFirstSpan); over == 0; length = std::min(rest, length * 2)) {
      if (!Fits(start, start + length)) {
        over = length;
      } else if (length == rest) {
        return text_.size();
      } else {
        fits = length;
      }
    }
    while (over - fits > 1) {
      const size_t middle = fits + (over - fits) / 2;
      (Fits(start, start + middle) ? fits : over) = middle;
    }
    size_t fit = start + fits;
    // Never between the two halves of a surrogate pair.
    if (fit > start + 1 && IsLowSurrogate(text_[fit])) --fit;
    return fit;
  }

  // Where the line that could run to `fit` ends: at the last good break (a
  // space there is one) that keeps at least half of what fits, else at `fit`
  // itself (a run that has no good break is cut between two characters).
  // Blanks that stay take no room at a line's end, where they would not
  // show: a line cut after some ends before them, and they begin the next.
  size_t LineEnd(size_t start, size_t fit) const {
    for (size_t at = fit; at > start && (at - start) * 2 >= fit - start; --at) {
      if (IsGoodBreak(text_, at, keepsBlanks_)) return at;
    }
    size_t cut = fit;
    if (keepsBlanks_) {
      while (cut > start && IsSpace(text_[cut - 1])) --cut;
    }
    return cut > start ? cut : fit;
  }

  std::wstring_view text_;
  float maxWidth_;
  const TextWidth& width_;
  // A paragraph that names a path: its blanks may be a name's own (a folder
  // "x  " is not "x "), and a break that took them would lose them, since
  // no reader could tell how many there were. They stay, and no line
  // breaks beside them.
  bool keepsBlanks_;
};

}  // namespace

std::vector<std::wstring> BreakTextLines(std::wstring_view text, float maxWidth, const TextWidth& width) {
  std::vector<std::wstring> lines;
  if (text.empty()) return lines;
  size_t from = 0;
  while (true) {
    const size_t newline = text.find(L'\n', from);
    const size_t end = newline == std::wstring_view::npos ? text.size() : newline;
    std::wstring_view paragraph = text.substr(from, end - from);
    if (!paragraph.empty() && paragraph.back() == L'\r') paragraph.remove_suffix(1);
    ParagraphBreaker(paragraph, maxWidth, width).AppendLines(lines);
    if (newline == std::wstring_view::npos) break;
    from = newline + 1;
  }
  return lines;
}

}  // namespace korvath::skin
