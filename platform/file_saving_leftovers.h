#pragma once
// The file beside a file being saved that holds its new content until the
// move (platform/file_saving.h), and what saves that never ended left of
// such files. Names and folders are wide, as the file API takes them.
#include <cstddef>
#include <string>
#include <string_view>

namespace korvath::platform::files {

// The longest name, in characters, that Windows holds.
inline constexpr size_t kLongestName = 255;

// The name of the file that holds a save's new content beside the file named
// `fileName` (its name alone): that name, cut short where the whole would be
// longer than kLongestName, then ".saving-", `unique` in four upper-case hex
// digits (its low 16 bits) and ".tmp".
std::wstring LeftoverName(std::wstring_view fileName, unsigned unique);

// Whether `candidate` is exactly such a name for `fileName`, for any four
// digits, in the case that LeftoverName writes.
bool IsLeftoverName(std::wstring_view candidate, std::wstring_view fileName);

// Removes from `folder` (ending in a separator) the files of such names for
// `fileName`, as saves of that file that never ended left them, save those
// that any program holds open (among them a save of the file still going on),
// and touches nothing else: no file of another name, no folder, no link. A
// file that cannot be removed stays; the caller learns nothing of it.
void RemoveLeftovers(const std::wstring& folder, std::wstring_view fileName);

}  // namespace korvath::platform::files
