#include "platform/file_saving.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/device_names.h"
#include "platform/file_saving_calls.h"
#include "platform/file_saving_leftovers.h"
#include "platform/files.h"
#include "platform/gbk_convert.h"
#include "platform/long_paths.h"

namespace korvath::platform::files {

namespace {
// The marks that a replaced file hands on: those a user gives a file. Any
// change of a file gives it the archive mark besides.
constexpr DWORD kKeptMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The error of the call that just failed; never ERROR_SUCCESS, so that a
// failure always reads as one.
DWORD LastError() {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

// Windows holds no name longer than 255 characters and no path of
// kLongestPath characters or more, and refuses them; Wine cuts such a name
// short and drops the rest of the path, so that a file would be written to
// another place.
bool FitsFileSystem(const std::wstring& path) {
  if (path.size() >= kLongestPath) return false;
  size_t nameStart = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != L'\\' && path[i] != L'/') continue;
    if (i - nameStart > kLongestName) return false;
    nameStart = i + 1;
  }
  return true;
}

// Where the file's name begins in `path`.
size_t NameStart(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? 0 : slash + 1;
}

// The file that holds the new content until it takes the place of `target`:
// named after it, so that one left by a save that never ended says whose it
// is, and ending in ".tmp", so that neither the tool nor its open dialog's
// "*.pst" takes it for a document (nor for its short name, "....TMP"). Made
// new, open for writing and for its own removal, and shared only as far as
// its move needs (the move opens it to delete its name): so long as it is
// open, no other save's tidy-up (file_saving_leftovers.h), which shares a
// file with nobody, can open it to remove it. Its path for the file API in
// `apiPath`. A file that is not open when none can be made there
// (GetLastError says why).
File NewFileBeside(const std::wstring& target, std::wstring& apiPath) {
  const size_t nameStart = NameStart(target);
  const std::wstring_view name = std::wstring_view(target).substr(nameStart);
  static unsigned next = GetTickCount() ^ GetCurrentProcessId();
  for (unsigned tries = 0; tries < 0x10000; ++tries) {
    const std::wstring path = target.substr(0, nameStart) + LeftoverName(name, next++);
    if (!FitsFileSystem(path)) {
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return File();
    }
    apiPath = FileApiPath(path);
    File file(SaveSystemCalls().createFile(apiPath.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return File();
  }
  SetLastError(ERROR_FILE_EXISTS);
  return File();
}

// What keeps a file of these attributes from being replaced, whatever the
// moment: Windows refuses to replace a read-only file, where Wine would
// replace it; the mark is honoured everywhere, and the failure says that it
// is the mark.
std::optional<SaveFailure> RefusalOf(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  if (attributes & FILE_ATTRIBUTE_READONLY) return SaveFailure{SaveFailure::Step::Target, ERROR_FILE_READ_ONLY};
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SaveFailure{SaveFailure::Step::Target, ERROR_ACCESS_DENIED};
  return std::nullopt;
}

// What is there that no attributes describe may be no file on disk: under
// Wine a host's FIFO, socket or link to a device, which a search finds and
// the move finds taken, as by a file made meanwhile, at every save. Refused
// as a device's name is.
std::optional<SaveFailure> NoDiskFileRefusal(const std::wstring& target, DWORD attributes) {
  if (attributes != INVALID_FILE_ATTRIBUTES || !PathIsNoDiskFile(target, SaveSystemCalls().findFirstFile))
    return std::nullopt;
  return SaveFailure{SaveFailure::Step::Target, ERROR_BAD_DEVICE};
}

// Errors with which a system says that it flushes no folder, or not this
// one, whether its open or its flush fails so: Windows where a file system
// keeps no folder's flush (ERROR_INVALID_FUNCTION, ERROR_NOT_SUPPORTED);
// Wine where the host says so of its fsync (EINVAL, as a folder of /proc or
// /sys answers, as ERROR_INVALID_PARAMETER; EOPNOTSUPP as
// ERROR_NOT_SUPPORTED). Any other error is a failed flush. An access denied
// is one too: a save that got this far may add files to the folder, the
// right that the open asks for, and under Wine it is what a file system gone
// read-only after a disk's error answers (EROFS), or a folder that may not
// be opened (EACCES, EPERM). The host's EIO comes as ERROR_NOT_READY from
// the flush and as ERROR_NOACCESS from the open, ENOSPC as ERROR_DISK_FULL,
// an error Wine does not map (EDQUOT, ESTALE, ETIMEDOUT...) as
// ERROR_GEN_FAILURE.
bool FlushesNoFolder(DWORD error) {
  switch (error) {
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_PARAMETER: return true;
    default: return false;
  }
}

// Whether nothing is at `path` now: a look at it finds no entry there, or
// no folder on the way to it.
bool NothingAt(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// What `path` names now, as against the file or folder whose volume and
// index the save recorded.
enum class Named {
  It,       // that one
  Another,  // nothing, or another file or folder
  Untold,   // the system tells neither (see WhatIsAt)
};

// Whether the file or folder open as `handle` is still the one that `was`
// tells, as GetFileInformationByHandle told it before: of that index, and
// of that volume where the system tells a volume both times. Wine tells a
// file's volume by the drive whose root holds it deepest at that moment, 0
// for a drive mapped while it runs: a drive mapped to the folder during the
// save, or its mapping removed, changes that, not the file. False where
// the system tells nothing now.
bool IsStill(HANDLE handle, const BY_HANDLE_FILE_INFORMATION& was) {
  BY_HANDLE_FILE_INFORMATION is = {};
  if (!GetFileInformationByHandle(handle, &is)) return false;
  const bool volumesTold = is.dwVolumeSerialNumber != 0 && was.dwVolumeSerialNumber != 0;
  return (!volumesTold || is.dwVolumeSerialNumber == was.dwVolumeSerialNumber) &&
         is.nFileIndexHigh == was.nFileIndexHigh && is.nFileIndexLow == was.nFileIndexLow;
}

// What `path` names now, as against the file or folder that `identity`
// tells (IsStill). Untold where the system tells no index of it (a file
// system that keeps none), where the open fails, and for what no attributes
// describe, which is never opened: under Wine a host's FIFO, whose open
// would wake a program that waits at its other end. The open asks for no
// right that another program's sharing refuses.
Named WhatIsAt(const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& identity) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    return NothingAt(path) ? Named::Another : Named::Untold;
  if (!IndexTold(identity)) return Named::Untold;
  const File opened(SaveSystemCalls().createFileToLook(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!opened) return Named::Untold;
  return IsStill(opened.SystemHandle(), identity) ? Named::It : Named::Another;
}

// Puts the folder's entries on disk: the file moved into its place and the
// leftovers removed. Windows' write-through move waits for its own entry
// already; Wine's takes no notice of the flag, and turns this flush into an
// fsync of the folder on the host, without which the move stays in memory
// for seconds. The folder is `folder`, opened as FolderToOpen says, and
// there the leftovers of earlier saves of the file `fileName` go first, so
// that the removals reach the disk with the move; but only where what opens
// is the folder that `madeIn` tells, which the save's new file was made in:
// another folder that another program put in its place is not flushed nor
// tidied up, and told as the folder gone (ERROR_PATH_NOT_FOUND). Where the
// system flushes no folder there (FlushesNoFolder), the save is done all the
// same: the file is in its place, on disk as soon as the system puts it
// there. The error of an open or a flush that failed otherwise: the move may
// not be on disk; ERROR_PATH_NOT_FOUND for an open that failed because the
// folder is gone, whatever it answered.
std::optional<DWORD> FlushFolder(const std::wstring& folder, std::wstring_view fileName,
                                 const BY_HANDLE_FILE_INFORMATION& madeIn) {
  SaveCalls& calls = SaveSystemCalls();
  const std::wstring opened = FileApiPath(FolderToOpen(folder));
  File handle(calls.createFile(opened.c_str(), FILE_ADD_FILE, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  const DWORD openError = handle ? ERROR_SUCCESS : LastError();
  if (handle && IndexTold(madeIn) && !IsStill(handle.SystemHandle(), madeIn)) return ERROR_PATH_NOT_FOUND;
  RemoveLeftovers(folder, fileName);
  if (handle && calls.flushFileBuffers(handle.SystemHandle())) return std::nullopt;
  const DWORD error = handle ? LastError() : openError;
  if (FlushesNoFolder(error)) return std::nullopt;
  // Wine answers the open of a path that ends in a separator with
  // ERROR_INVALID_NAME where the folder went between its look at the path
  // and the host's open (removed or moved away), and where a file stands in
  // the folder's place. A name that no folder could have gets that answer
  // too: the folder is gone only where a look at it now finds nothing.
  if (!handle && error == ERROR_INVALID_NAME && NothingAt(opened)) return ERROR_PATH_NOT_FOUND;
  return error;
}

// Errors with which a system says that it makes no second name of a file
// there: Windows where a file system keeps none (FAT: ERROR_INVALID_FUNCTION;
// ERROR_NOT_SUPPORTED); Wine where the host's link(2) fails so (EPERM, as on
// vfat, as ERROR_ACCESS_DENIED; EOPNOTSUPP, ENOSYS and EMLINK, which Wine
// does not map, as ERROR_GEN_FAILURE; EXDEV as ERROR_NOT_SAME_DEVICE).
bool MakesNoLinks(DWORD error) {
  switch (error) {
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_ACCESS_DENIED:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_TOO_MANY_LINKS: return true;
    default: return false;
  }
}

// Where the new file, open as `file` at `path` and made as `made` tells, is
// once a step has failed: another program may have removed it (or it is
// about to go, once its handles close), or moved it away, or its folder or
// one above it, which the file system lets do while the file is open. It is
// elsewhere where nothing is at its name, or another file: one that another
// program put there, or in a folder put in its folder's place.
enum class NewFileIs { There, Removed, Elsewhere };

NewFileIs WhereNewFileIs(HANDLE file, const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& made) {
  FILE_STANDARD_INFO standard = {};
  if (GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) &&
      (standard.DeletePending || standard.NumberOfLinks == 0))
    return NewFileIs::Removed;
  return WhatIsAt(path, made) == Named::Another ? NewFileIs::Elsewhere : NewFileIs::There;
}

// Whether the folder `folder` (ending in a separator) is gone: nothing is at
// its name, or a file is.
bool FolderGone(const std::wstring& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? NothingAt(folder) : !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the folder `folder` (ending in a separator), in which the new file
// was made, as `madeIn` tells, is no longer there: it is gone, or another
// folder is in its place (another program moved it away and made one of its
// name, or put a copy of it there).
bool FolderWentAway(const std::wstring& folder, const BY_HANDLE_FILE_INFORMATION& madeIn) {
  return FolderGone(folder) || WhatIsAt(FileApiPath(FolderToOpen(folder)), madeIn) == Named::Another;
}

// The folder above `folder` (both ending in a separator); empty where
// `folder` is a drive's root or no folder is above it.
std::wstring FolderAbove(const std::wstring& folder) {
  if (PathIsDriveRoot(folder) || folder.size() < 2) return {};
  const size_t slash = folder.find_last_of(L"\\/", folder.size() - 2);
  if (slash == std::wstring::npos || slash < 2) return {};  // "\" and "\\" name no folder
  std::wstring above = folder.substr(0, slash + 1);
  return above == L"\\\\?\\" || above == L"\\\\.\\" ? std::wstring() : above;
}

// The identity of the folder `folder` (ending in a separator; empty for the
// current one), as GetFileInformationByHandle tells it; no index where it
// does not open.
BY_HANDLE_FILE_INFORMATION FolderIdentity(const std::wstring& folder) {
  BY_HANDLE_FILE_INFORMATION identity = {};
  const File opened(CreateFileW(FileApiPath(FolderToOpen(folder)).c_str(), FILE_READ_ATTRIBUTES, kShareAll,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!opened || !GetFileInformationByHandle(opened.SystemHandle(), &identity)) return {};
  return identity;
}

// The deepest folder above the file `path` that is still there, open to find
// the file's folder in by its identity; none where that is a drive's root:
// Wine's search walks every folder of the tree, and a drive's root may be
// the host's whole file system.
File DeepestFolderStillAbove(const std::wstring& path) {
  std::wstring above = FolderAbove(path.substr(0, NameStart(path)));
  while (!above.empty() && NothingAt(above)) above = FolderAbove(above);
  if (above.empty() || PathIsDriveRoot(above)) return File();
  return File(CreateFileW(above.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// Removes the new file's own name `path`, of the file that `made` tells (its
// volume and index), made in the folder that `madeIn` tells, and no longer
// open, wherever another program moved its folder, or one above it. Wine
// removes a file by the name by which it was opened, and only while that
// name is still the file's, which it is not after such a move: the file's
// folder is found where it is now, by its identity, from the deepest folder
// above it that is still there (Wine looks for it through that folder's
// tree, by the host's device and inode), and the file is opened there by its
// own name and removed through that open once it proves to be the file and
// that folder's entry. Never through an open of the file by its identity:
// Wine would open it by the first of its names that its search finds, a
// second name that another program made as well as the file's own, and
// remove that one. The file must be closed, so that the open may share it
// with nobody, as that proof asks. A folder moved out of that tree keeps
// it, and so does one whose deepest folder still there is a drive's root
// (DeepestFolderStillAbove).
void RemoveWhereItsFolderWent(const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& made,
                              const BY_HANDLE_FILE_INFORMATION& madeIn) {
  const File from = DeepestFolderStillAbove(path);
  if (!from) return;
  RemoveEntryOfFolderFound(from.SystemHandle(), madeIn, std::wstring_view(path).substr(NameStart(path)), made);
}

// Whether the new file that `made` tells, made in the folder that `madeIn`
// tells, bears the name `target` there, wherever that folder went, once its
// move to that name reported a failure: the move may have been made all the
// same. Wine's server, having moved it, looks the new name up again, and
// where the folder went meanwhile (another program moved it away, or put
// another in its place) that look fails and the move answers that memory
// ran out, the old file replaced. The new file's handle tells nothing of
// it: Wine names a handle by the name that it was opened by, and the move
// is made through an open of its own. The folder is looked for as
// RemoveWhereItsFolderWent looks for it. The move's error stays the last
// error, for the failure that follows where the file does not bear the name.
bool MovedAllTheSame(const std::wstring& target, const BY_HANDLE_FILE_INFORMATION& made,
                     const BY_HANDLE_FILE_INFORMATION& madeIn) {
  const DWORD error = GetLastError();
  const size_t nameStart = NameStart(target);
  bool moved = WhatIsAt(target, made) == Named::It;
  if (!moved && FolderWentAway(target.substr(0, nameStart), madeIn)) {
    const File from = DeepestFolderStillAbove(target);
    const std::wstring_view name = std::wstring_view(target).substr(nameStart);
    moved = from && EntryOfFolderFoundIs(from.SystemHandle(), madeIn, name, made);
  }
  SetLastError(error);
  return moved;
}

// Has the new file, still open as `file`, removed by its own name wherever
// its folder went, and closes it: Windows removes it through the handle
// wherever it is; under Wine RemoveWhereItsFolderWent finds it.
void RemoveWherever(File& file, const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& made,
                    const BY_HANDLE_FILE_INFORMATION& madeIn) {
  RemoveWhenClosed(file.SystemHandle());
  CloseFile(file);
  RemoveWhereItsFolderWent(path, made, madeIn);
}

// What follows a move that succeeded into `path` (as the move named it), of
// the new file that `made` tells, made as `temporary` in the folder that
// `madeIn` tells: the folder is tidied up and flushed (FlushFolder). The save
// is done, and "in its place" only where the name `path` is still the new
// file's, in that folder, once it is flushed: where another program took the
// folder away by then (moved or removed it, put a file in its place, or
// another folder, empty or a copy), or put another file at the name, the
// result says the folder is gone, and the new file's own name, which a
// second name of it (a new file's) leaves in the folder wherever it went,
// goes from there. The save's folder may not have been flushed.
SaveResult AfterTheMove(const std::wstring& path, const std::wstring& temporary,
                        const BY_HANDLE_FILE_INFORMATION& made, const BY_HANDLE_FILE_INFORMATION& madeIn) {
  const size_t nameStart = NameStart(path);
  const std::wstring folder = path.substr(0, nameStart);
  std::optional<DWORD> unflushed = FlushFolder(folder, std::wstring_view(path).substr(nameStart), madeIn);
  if (!unflushed && (WhatIsAt(path, made) == Named::Another || FolderWentAway(folder, madeIn)))
    unflushed = ERROR_PATH_NOT_FOUND;
  if (unflushed == ERROR_PATH_NOT_FOUND || unflushed == ERROR_FILE_NOT_FOUND)
    RemoveWhereItsFolderWent(temporary, made, madeIn);
  return SaveResult{std::nullopt, unflushed};
}
}  // namespace

SaveCalls& SaveSystemCalls() {
  static SaveCalls calls;
  return calls;
}

SaveResult SaveFile(std::string_view path, std::string_view bytes, Existing existing) {
  using Step = SaveFailure::Step;
  const std::wstring wide = GbkToWide(path);
  if (!FitsFileSystem(wide)) return {SaveFailure{Step::Folder, ERROR_FILENAME_EXCED_RANGE}};
  if (PathNamesDevice(wide)) return {SaveFailure{Step::Target, ERROR_BAD_DEVICE}};
  const std::wstring target = FileApiPath(wide);
  if (target.empty()) return {SaveFailure{Step::Folder, ERROR_INVALID_NAME}};
  SaveCalls& calls = SaveSystemCalls();
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (std::optional<SaveFailure> refusal = NoDiskFileRefusal(target, attributes)) return {refusal};
  // A name that a search finds and nothing describes nor opens: under Wine
  // a host's link to nothing, which holds nothing to lose. Where the caller
  // may replace, the move takes the name as it takes a file's, the link
  // itself and nothing it would point to; else the new file's second name
  // finds the name taken.
  const bool dangling = attributes == INVALID_FILE_ATTRIBUTES && existing == Existing::Replace &&
                        PathIsLinkToNothing(target, calls.findFirstFile);
  const bool replacing = attributes != INVALID_FILE_ATTRIBUTES || dangling;
  if (replacing && !dangling) {
    if (existing == Existing::Keep) return {SaveFailure{Step::Target, ERROR_FILE_EXISTS}};
    if (std::optional<SaveFailure> refusal = RefusalOf(attributes)) return {refusal};
    // A file that another program holds open without letting it be deleted
    // cannot be replaced, and the move would say no more than "access
    // denied": asking for the right to delete it says that it is held.
    File held(
        calls.createFile(target.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held) return {SaveFailure{Step::Target, LastError()}};
  }
  std::wstring temporary;
  File file = NewFileBeside(wide, temporary);
  if (!file) return {SaveFailure{Step::Folder, LastError()}};
  // Its identity and its folder's, told while it is where it was made.
  BY_HANDLE_FILE_INFORMATION made = {};
  GetFileInformationByHandle(file.SystemHandle(), &made);
  const BY_HANDLE_FILE_INFORMATION madeIn = FolderIdentity(temporary.substr(0, NameStart(temporary)));
  // The new file goes with its handle: its name, whatever stands there now,
  // and nothing that a link there would point to. Gone with its folder (the
  // folder gone, or another in its place), it is told as the folder gone, or
  // replaced where a folder of its name is there, and goes from wherever the
  // folder went; one that another program moved away alone is that
  // program's.
  const auto failed = [&](Step step) {
    DWORD error = LastError();
    const NewFileIs where = WhereNewFileIs(file.SystemHandle(), temporary, made);
    const std::wstring folder = temporary.substr(0, NameStart(temporary));
    if (where == NewFileIs::There) {
      RemoveWhenClosed(file.SystemHandle());
    } else if (FolderWentAway(folder, madeIn)) {
      if (where == NewFileIs::Elsewhere) RemoveWherever(file, temporary, made, madeIn);
      step = FolderGone(folder) ? Step::Folder : Step::FolderReplaced;
      error = ERROR_PATH_NOT_FOUND;
    } else {
      step = Step::Lost;
    }
    CloseFile(file);
    return SaveFailure{step, error};
  };
  // The move gives the file the new file's marks, under Wine as the
  // system's replace does: the new file takes the old one's first.
  FILE_BASIC_INFO marks = {};
  marks.FileAttributes = (dangling ? 0 : attributes & kKeptMarks) | FILE_ATTRIBUTE_ARCHIVE;
  if (replacing && !calls.setFileInformationByHandle(file.SystemHandle(), FileBasicInfo, &marks, sizeof marks))
    return {failed(Step::Write)};
  if (!WriteAllBytes(file.SystemHandle(), bytes, calls.writeFile) || !calls.flushFileBuffers(file.SystemHandle()))
    return {failed(Step::Write)};
  // The move and the second name take whatever has the new file's name by
  // then: where another program put another folder in its folder's place
  // meanwhile, another program's file of that name there, or a copy of the
  // new file as it was, or none. Nothing is moved unless the system tells
  // that name as the new file's still; failed() tells where it went.
  if (IndexTold(made) && WhatIsAt(temporary, made) != Named::It) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return {failed(Step::Target)};
  }
  // One step that the file system makes whole: the file is the old one or
  // the new one, never some of each. The new file stays open until it is in
  // its place. A move that reports a failure may have been made
  // (MovedAllTheSame).
  if (replacing) {
    if (!calls.moveFileEx(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH | MOVEFILE_REPLACE_EXISTING) &&
        !MovedAllTheSame(target, made, madeIn))
      return {failed(Step::Target)};
  } else if (!calls.createHardLink(target.c_str(), temporary.c_str(), nullptr)) {
    // Where there was no file, one that turns up meanwhile was never asked
    // about: a second name fails where the name is taken, in one step of the
    // host too, where Wine's move without replacing looks and then moves.
    // Where no second name can be made, the move it is.
    if (!MakesNoLinks(GetLastError()) ||
        (!calls.moveFileEx(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) &&
         !MovedAllTheSame(target, made, madeIn)))
      return {failed(Step::Target)};
  } else {
    // The new file's own name goes with its handle, so that no second name
    // is left where no tidy-up can list the folder. Should the system
    // refuse, the tidy-up removes it where it can.
    RemoveWhenClosed(file.SystemHandle(), calls.setFileInformationByHandle);
  }
  // The file is in its place and on disk: the system lets go of the handle
  // whatever its close reports.
  calls.closeHandle(file.Release());
  return AfterTheMove(target, temporary, made, madeIn);
}

std::optional<SaveFailure> KnownReplaceRefusal(std::string_view path) {
  const std::wstring target = FileApiPath(path);
  if (target.empty()) return std::nullopt;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (std::optional<SaveFailure> refusal = NoDiskFileRefusal(target, attributes)) return refusal;
  return RefusalOf(attributes);
}

}  // namespace korvath::platform::files
