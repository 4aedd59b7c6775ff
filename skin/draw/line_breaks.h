#pragma once
// Where a text breaks into lines of a given width. The width of a span of
// text comes from the caller (the face and size that will draw it), so the
// rules here need no window system and build natively too.
//
// Lines break at the text's own line breaks, after spaces (which the break
// swallows), between Chinese characters, and after a path separator ("\" or
// "/"); never before closing punctuation or after opening punctuation. In a
// paragraph that names a path (one with a separator) blanks may be a name's
// own: no line breaks beside them, none is swallowed, and a line that must
// be cut after some ends before them, so that they begin the next. A run
// with no such place (a long path segment, a long word) breaks anywhere, so
// that no line is ever wider than the width: a character is never cut.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvath::skin {

// The drawn width of a span of text, in pixels. Adding characters to a
// span never makes it narrower.
using TextWidth = std::function<float(std::wstring_view)>;

// The lines of `text`, none wider than `maxWidth` unless a single character
// is (it then stands alone on its line). Trailing spaces of a line are not
// part of it, nor the spaces at a break (but for a path's). An empty text
// gives no line; an empty line of the text stays an empty line.
std::vector<std::wstring> BreakTextLines(std::wstring_view text, float maxWidth, const TextWidth& width);

}  // namespace korvath::skin
