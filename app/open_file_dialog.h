#pragma once
// The open-file dialog.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/gbk_convert.h"

namespace korvath::app {

// Asks for one existing file and returns its full path; empty when the user
// cancelled or the dialog failed. A path with a character that GBK lacks
// comes back not exact, with the system's default character in its place.
// The filter is "description|pattern" pairs; the dialog starts with the first pair, in the
// initial folder (default: the current directory). Unless `keepDirectory`,
// the current directory is put back afterwards.
// The defaults are "打开文件" and "所有文件(*.*)|*.*" in GBK, spelt as bytes so
// that every file including this header gets the same ones.
platform::GbkText OpenFileDialog(HWND owner, std::optional<std::string_view> initialFolder = std::nullopt,
                                 std::string_view title = "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE",
                                 std::string_view filter = "\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE(*.*)|*.*",
                                 bool keepDirectory = false);

}  // namespace korvath::app
