#pragma once
// Saving a whole file so that neither a failure nor a crash loses anything.
// Paths are GBK.
#include <windows.h>

#include <optional>
#include <string_view>

namespace korvath::platform::files {

// Where a save failed, and the system's error there.
struct SaveFailure {
  enum class Step {
    Folder,  // no new file could be made in the file's folder
    Write,   // the new content could not be written into it and put on disk
    Target,  // it could not take the file's place: the file there is read-only, a folder, held by another program...
  };
  Step step;
  DWORD error;
};

// Saves `bytes` as the file at `path`, so that whenever the program or the
// system stops, the file holds its whole old content or the whole new one.
// The bytes go into a new file beside it (named after it, ending in ".tmp"),
// are put on disk, and that file then takes its place in one move that the
// file system makes whole. A failure removes the new file and leaves what
// was there as it was; a save that never returns (the program killed, the
// power cut) leaves at most the new file beside it.
// A file that is there is replaced only as Windows replaces one: not when it
// is read-only (ERROR_FILE_READ_ONLY; Wine would replace it) or a folder,
// nor while another program holds it open without letting it be deleted
// (ERROR_SHARING_VIOLATION). The new file takes its hidden and system marks
// and the archive mark that any change gives; all else of the old file is
// the new file's own (owner, links, creation time, and under Wine the host's
// permission bits, which take the host's defaults).
// A path that no file system holds (a name of more than 255 characters,
// kLongestPath characters or more in all) fails at once with
// ERROR_FILENAME_EXCED_RANGE, under Wine too.
std::optional<SaveFailure> SaveFile(std::string_view path, std::string_view bytes);

}  // namespace korvath::platform::files
