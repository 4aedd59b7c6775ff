#pragma once
// The runtime's file commands. Paths and texts are GBK; a file is a
// move-only object that closes itself, and an object that holds no file
// stands for the runtime's file number 0 (could not be opened).
#include <windows.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace korvath::platform::files {

enum class OpenMode {
  Read = 1,       // existing file, reading only
  Write = 2,      // writing only, created when missing
  ReadWrite = 3,  // existing file, reading and writing (the runtime's default)
  Rewrite = 4,    // writing, created when missing and emptied when present
};

enum class ShareMode {
  Any = 1,        // other processes may read and write (the runtime's default)
  DenyRead = 2,
  DenyWrite = 3,
  DenyAll = 4,
};

class File {
 public:
  File() = default;
  // Owns a handle that was opened elsewhere, in a way that OpenFile does not
  // open (INVALID_HANDLE_VALUE: none).
  explicit File(HANDLE handle) noexcept : handle_(handle) {}
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  explicit operator bool() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
  // For the system's calls on the file; the file still owns it. Reads
  // through it bypass what FileReadLine has read ahead.
  HANDLE SystemHandle() const noexcept { return handle_; }
  // Hands the handle to the caller, who closes it; the object then holds no
  // file.
  HANDLE Release() noexcept;

 private:
  friend File OpenFile(std::string_view, OpenMode, ShareMode);
  friend std::string FileReadLine(File&);
  friend std::string FilePeekBytes(File&, size_t);
  friend bool FileWriteText(File&, std::string_view);
  friend bool FileAtEnd(const File&);
  friend DWORD FileReadError(const File&);
  friend std::optional<char> FileTextEndByte(const File&);
  friend void FileLimitReading(File&, uint64_t);
  friend bool CloseFile(File&);

  bool Refill();
  bool DropReadAhead();

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::string readAhead_;      // bytes read from the file but not yet handed out
  size_t readPos_ = 0;
  bool textEnded_ = false;     // a NUL or 0x1A byte ended the text
  char textEndByte_ = 0;       // that byte
  DWORD readError_ = ERROR_SUCCESS;  // the error of the read that failed
  uint64_t readLimit_ = std::numeric_limits<uint64_t>::max();  // the most bytes that reads may take
  uint64_t bytesRead_ = 0;     // what they have taken
};

File OpenFile(std::string_view path, OpenMode mode = OpenMode::ReadWrite,
              ShareMode share = ShareMode::Any);
// The next line, as ScanTextLine (platform/text_lines.h) cuts it.
std::string FileReadLine(File& file);
// Up to `count` bytes from the current position, which stays where it is:
// the next read still begins with them.
std::string FilePeekBytes(File& file, size_t count);
// The text's bytes at the current position; false when not all were written.
bool FileWriteText(File& file, std::string_view text);
// All the bytes into the file at its position, through `write`; false when
// a write fails or writes nothing.
bool WriteAllBytes(HANDLE file, std::string_view bytes, decltype(&WriteFile) write = &WriteFile);
// True at or past the end of the file's text, for a file that is not open,
// and once a read has failed.
bool FileAtEnd(const File& file);
// The error of the read that failed (it ended the text there); ERROR_SUCCESS
// while none has.
DWORD FileReadError(const File& file);
// The NUL or 0x1A byte that ended the file's text, once one has: nothing
// after it is read as a line, though the file may go on (FilePeekBytes gives
// what follows).
std::optional<char> FileTextEndByte(const File& file);
// Caps what reading the file takes at `limit` bytes, so that a file of any
// size costs no more memory than that: a file already larger fails at once,
// before anything is read, and one that grows past the limit while it is
// read fails once it has. Either way its text ends there, and FileReadError
// gives ERROR_FILE_TOO_LARGE.
void FileLimitReading(File& file, uint64_t limit);
// True when the open file is a file on disk: not a directory, and not a
// device, pipe or console that the name did not betray (a serial port or a
// host's FIFO behind a drive's path), whose reads can wait for ever.
bool IsDiskFile(const File& file);
// True for the error of an open that found the name but no file on disk
// behind it: under Wine a host's socket behind a drive's path, which no
// device serves (ERROR_NO_SUCH_DEVICE).
bool IsNoDiskFileError(DWORD openError);
// The system's search for a path, as the look-ups below make it: a test
// hands its own in the system's place to fail it, or to change the disk
// between a look-up's look at the path's attributes and its search.
using SearchCall = decltype(&FindFirstFileW);

// True when something is at the path that is no file on disk: what a
// file-system search finds there and no attributes describe (under Wine a
// host's FIFO, socket or link to a device; the search tells its name, where
// it has nothing to tell of a link to nothing). Told without opening it, so
// that nothing is read, nothing waits, and no program waiting at a FIFO's
// other end is woken. A file on disk, a folder or a name with nothing there
// is never one, nor a file that another program makes between the look at
// the attributes and the search (they are looked at again). The wide form
// takes any path, long ones too.
bool PathIsNoDiskFile(std::string_view path);
bool PathIsNoDiskFile(const std::wstring& path, SearchCall search = &FindFirstFileW);
// True when a search for the path finds an entry by its name that nothing
// describes: no attributes, and nothing that the search can tell of it
// (under Wine a host's link to nothing, a chain of links ending in nothing
// or a link to itself, which Wine shows in no listing). The wide form takes
// any path, long ones too.
bool PathIsLinkToNothing(std::string_view path);
bool PathIsLinkToNothing(const std::wstring& path, SearchCall search = &FindFirstFileW);
// What a file-system search for a path tells.
struct FileSearch {
  // It finds an entry: a file, a folder, one whose attributes cannot be read
  // (PathIsNoDiskFile) or one that it finds by its name with nothing to
  // describe it (PathIsLinkToNothing).
  bool found = false;
  // Where it cannot tell: the error of a search that failed while something
  // is there all the same (its attributes can be read: the folder could not
  // be listed, a disk error). ERROR_SUCCESS where it can.
  DWORD error = ERROR_SUCCESS;
};
// Nothing is found at an empty path.
FileSearch SearchForEntry(std::string_view path);
FileSearch SearchForEntry(const std::wstring& path, SearchCall search = &FindFirstFileW);
// Whether a file-system search for the path finds an entry (SearchForEntry's
// `found`). The wide form takes any path, long ones too.
bool FileExists(std::string_view path);
bool FileExists(const std::wstring& path);
// False when the file was not open or closing it failed (data not written).
bool CloseFile(File& file);

}  // namespace korvath::platform::files
