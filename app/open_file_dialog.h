#pragma once
// The open-file dialog.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace korvath::app {

// Asks for one existing file and returns its full path; empty when the user
// cancelled, the dialog failed, or the path has no GBK form. The filter is
// "description|pattern" pairs; the dialog starts with the first pair, in the
// initial folder (default: the current directory). Unless `keepDirectory`,
// the current directory is put back afterwards.
std::string OpenFileDialog(HWND owner, std::optional<std::string_view> initialFolder = std::nullopt,
                           std::string_view title = "打开文件",
                           std::string_view filter = "所有文件(*.*)|*.*",
                           bool keepDirectory = false);

}  // namespace korvath::app
