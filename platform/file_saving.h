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
    Folder,  // no new file could be made in the file's folder, or it was gone (ERROR_PATH_NOT_FOUND) before the move
    Write,   // the new content could not be written into it and put on disk
    Target,  // it could not take the file's place: the file there is read-only, a folder, held by another program...
    Lost,    // another program removed it (or moved it away) before it took the file's place
    FolderReplaced,  // another program put another folder in its folder's place before the move, the folder
                     // with the new file in it moved away (ERROR_PATH_NOT_FOUND)
  };
  Step step;
  DWORD error;
  bool operator==(const SaveFailure&) const = default;
};

// What a save came to: a failure, or the file in its place, whose folder
// may not have been flushed.
struct SaveResult {
  // Why the save failed; nothing when the file is in its place.
  std::optional<SaveFailure> failure;
  // The file is in its place, but the folder's flush, or its open for it,
  // failed with this error: the move may not be on disk. ERROR_FILE_NOT_FOUND
  // and ERROR_PATH_NOT_FOUND say that the folder was gone by then (another
  // program moved or removed it, with the file in it, or put a file or
  // another folder in its place), whatever the open answered (under Wine, for
  // a folder gone while it opened it or a file in its place,
  // ERROR_INVALID_NAME); so does ERROR_PATH_NOT_FOUND where, once the folder
  // is flushed, the file's name names another file than the save wrote, or
  // none. Nothing when the folder was flushed, or the system flushes no
  // folder there.
  std::optional<DWORD> folderUnflushed;
  bool operator==(const SaveResult&) const = default;
};

// What a save does with a file that is already there when it starts.
enum class Existing {
  Replace,  // replaces it (the caller asked whoever may say so)
  Keep,     // leaves it as it is and fails (the caller found none, and asked nobody)
};

// Saves `bytes` as the file at `path`, so that whenever the program or the
// system stops, the file holds its whole old content or the whole new one.
// The bytes go into a new file beside it (named as LeftoverName in
// file_saving_leftovers.h names it), are put on disk, and that file then
// takes its place in one move that the file system makes whole; the move is
// on disk, the folder flushed, before the save returns. Until then the new
// file stays open, so that no other save's tidy-up removes it; should
// another program remove it all the same (it allows the delete that its own
// move makes; under Wine a program of the Linux host removes what it likes,
// and so does the tidy-up of a save in another prefix, whose server knows
// nothing of this one's open files), the save fails with Step::Lost; so it
// does where another program moves it away, and the new file is then that
// program's. Where the new file went with the file's folder (another
// program moved or removed the folder, or one above it, or put another
// folder of its name in its place), the save fails with Step::Folder and
// ERROR_PATH_NOT_FOUND, with Step::FolderReplaced where a folder of that
// name is there by then. The move takes whatever has the new file's name:
// just before it, the save makes sure that the name is still the new
// file's, by the volume and index recorded when it was made (and its
// folder's by those of the folder), so that no file that another program
// put at that name, nor a copy, goes into the file's place; a folder
// replaced between that look and the move the look after the move tells
// (below). A move that reports a failure where
// the new file bears the file's name by then, in the folder it was made in,
// wherever that went (under Wine, a folder that goes as the server makes
// the move: it looks the new name up again and answers that memory ran
// out), is told as a move made, as below; the folder is looked for as after
// a failure.
// A failure removes the new file, wherever its folder went, by its own name
// there and no other (a second name that another program made stays; under
// Wine only where its folder is found within the deepest folder above it
// that is still there, and that is no drive's root), and leaves what was
// there as it was. Once the file is in its place, the save is
// done; where the folder's flush (or its open for it) then fails, the
// result says so (SaveResult::folderUnflushed), save where the system says
// that it flushes no folder there. The folder is flushed and tidied up only
// where it is the one the new file was made in, and the save is told as
// whole only where, once it is flushed, the file's name names the new file
// in that folder; else the result tells the folder as gone, and the new
// file's own name, which a new file's second name leaves, goes from where
// the folder went, as after a failure. The folder is flushed, and tidied up, by
// exactly the name that the file went into, its separator kept: without it
// the system would drop blanks and dots at the end of its last name, and go
// to another folder or none. A new file takes the name
// of one that was not there as a second name of it, and its own name goes
// with its handle, whether or not the folder can be listed. A save that
// never returns (the program killed, the power cut) leaves at most the new
// file beside it (or a second name of it), which the next save of the file
// that succeeds removes with any other such file that no program holds open,
// where the folder can be listed.
// A file that is there is replaced only with Existing::Replace (else
// ERROR_FILE_EXISTS), and only as Windows replaces one: not when it is
// read-only (ERROR_FILE_READ_ONLY; Wine would replace it) or a folder
// (ERROR_ACCESS_DENIED), nor while another program holds it open without
// letting it be deleted (ERROR_SHARING_VIOLATION). Existing::Replace also
// replaces a name that a search finds and nothing describes
// (files::PathIsLinkToNothing: under Wine a host's link to nothing): the
// link itself, never what it would point to. A file that turns up while the
// save goes on, where there was none, is never replaced, nor taken for no
// file on disk where it comes between the save's look at the name and its
// search: the save fails at its last step with ERROR_ALREADY_EXISTS (under
// Wine this holds against the host's programs too where the host's file
// system makes hard links; where it makes none, Wine's move looks for the
// name and then moves, and a file that a host program makes in between is
// replaced). The new file takes the replaced file's hidden and system marks
// and the archive mark that any change gives; all else of the old file is
// the new file's own (owner, links, creation time, and under Wine the host's
// permission bits, which take the host's defaults).
// A path that no file system holds (a name of more than 255 characters,
// kLongestPath characters or more in all) fails at once with
// ERROR_FILENAME_EXCED_RANGE, under Wine too. A path that names a device or
// a pipe (platform/device_names.h) fails at once with ERROR_BAD_DEVICE: the
// new file beside it would name the same device, and each try to make one
// would find it "there". So does a path where something is that is no file
// on disk (files::PathIsNoDiskFile: under Wine a host's FIFO, socket or link
// to a device), which the move would find "there" at every save; it is told
// without being opened, so that a program waiting at a FIFO is not woken.
SaveResult SaveFile(std::string_view path, std::string_view bytes, Existing existing = Existing::Replace);

// What keeps a save from replacing the file at `path` and can be known
// before it starts, as SaveFile reports it: a read-only mark, a folder of
// that name, or something there that is no file on disk (told without
// opening it). Nothing when there is no file there or none of these holds.
std::optional<SaveFailure> KnownReplaceRefusal(std::string_view path);

}  // namespace korvath::platform::files
