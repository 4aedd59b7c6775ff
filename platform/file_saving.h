#pragma once
// Saving a whole file so that a failure loses nothing. Paths are GBK.
#include <windows.h>

#include <optional>
#include <string_view>

namespace korvath::platform::files {

// Where a save failed, and the system's error there.
struct SaveFailure {
  enum class Step {
    Folder,  // no new file could be made in the file's folder
    Write,   // writing the content failed (or the copy of the old content)
    Target,  // the file there could not be taken: read-only, a folder, held by another program...
  };
  Step step;
  DWORD error;
};

// Saves `bytes` as the file at `path`. A failure leaves whatever was there as
// it was and nothing beside it. A path that no file system holds (a name of
// more than 255 characters, kLongestPath characters or more in all) fails
// at once with ERROR_FILENAME_EXCED_RANGE, under Wine too.
// - No file there: the bytes go into a new file beside it, which is then
//   moved into its place.
// - A file there: it is rewritten in place, so that it stays the same file
//   and keeps all that is its own besides its content (attributes,
//   permissions and owner, links, creation time). Moving a new file into its
//   place would give it the folder's defaults instead (under Wine a mode of
//   0600 became 0644, and neither the system's replace nor a copied security
//   descriptor keeps it). Its old content is first copied beside it, put back
//   should the rewrite fail, and removed once the new content is on disk. A
//   read-only file is refused (ERROR_FILE_READ_ONLY), as Windows refuses to
//   write one; others may go on reading the file meanwhile, but none may
//   write it.
std::optional<SaveFailure> SaveFile(std::string_view path, std::string_view bytes);

}  // namespace korvath::platform::files
