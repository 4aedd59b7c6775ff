#include "platform/files.h"

#include <algorithm>
#include <utility>

#include "platform/gbk_convert.h"
#include "platform/long_paths.h"
#include "platform/text_lines.h"

namespace korvath::platform::files {

namespace {
constexpr DWORD kReadChunk = 64 * 1024;

DWORD AccessOf(OpenMode mode) {
  switch (mode) {
    case OpenMode::Read: return GENERIC_READ;
    case OpenMode::Write: return GENERIC_WRITE;
    case OpenMode::ReadWrite: return GENERIC_READ | GENERIC_WRITE;
    case OpenMode::Rewrite: return GENERIC_READ | GENERIC_WRITE;
  }
  return 0;
}

DWORD DispositionOf(OpenMode mode) {
  switch (mode) {
    case OpenMode::Read: return OPEN_EXISTING;
    case OpenMode::Write: return OPEN_ALWAYS;
    case OpenMode::ReadWrite: return OPEN_EXISTING;
    case OpenMode::Rewrite: return CREATE_ALWAYS;
  }
  return OPEN_EXISTING;
}

DWORD SharingOf(ShareMode share) {
  switch (share) {
    case ShareMode::Any: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case ShareMode::DenyRead: return FILE_SHARE_WRITE;
    case ShareMode::DenyWrite: return FILE_SHARE_READ;
    case ShareMode::DenyAll: return 0;
  }
  return 0;
}
}  // namespace

File::~File() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

File::File(File&& other) noexcept { *this = std::move(other); }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    readAhead_ = std::move(other.readAhead_);
    readPos_ = std::exchange(other.readPos_, 0);
    textEnded_ = std::exchange(other.textEnded_, false);
    textEndByte_ = std::exchange(other.textEndByte_, 0);
    readError_ = std::exchange(other.readError_, ERROR_SUCCESS);
    readLimit_ = std::exchange(other.readLimit_, std::numeric_limits<uint64_t>::max());
    bytesRead_ = std::exchange(other.bytesRead_, 0);
  }
  return *this;
}

// Appends the next chunk of the file to the read-ahead; false at its end and
// when the read fails (a range that another program has locked, a file that
// went away with its drive) or goes past the read limit: the text ends there,
// and the error is kept.
bool File::Refill() {
  if (readError_ != ERROR_SUCCESS) return false;
  if (readPos_ > 0) {
    readAhead_.erase(0, readPos_);
    readPos_ = 0;
  }
  // One byte past the limit is enough to know that the file goes past it.
  const uint64_t room = readLimit_ - bytesRead_;
  const DWORD want = room < kReadChunk ? DWORD(room) + 1 : kReadChunk;
  size_t old = readAhead_.size();
  readAhead_.resize(old + want);
  DWORD got = 0;
  if (!ReadFile(handle_, readAhead_.data() + old, want, &got, nullptr)) {
    readError_ = GetLastError();
    if (readError_ == ERROR_SUCCESS) readError_ = ERROR_READ_FAULT;
    got = 0;
  }
  bytesRead_ += got;
  if (bytesRead_ > readLimit_) {
    readError_ = ERROR_FILE_TOO_LARGE;
    got = 0;
  }
  readAhead_.resize(old + got);
  return got > 0;
}

// Moves the file position back to where the caller has read, so that a write
// lands there and not after the read-ahead.
bool File::DropReadAhead() {
  LONG unread = LONG(readAhead_.size() - readPos_);
  readAhead_.clear();
  readPos_ = 0;
  if (unread == 0) return true;
  LARGE_INTEGER back;
  back.QuadPart = -unread;
  return SetFilePointerEx(handle_, back, nullptr, FILE_CURRENT) != 0;
}

File OpenFile(std::string_view path, OpenMode mode, ShareMode share) {
  std::wstring wide = FileApiPath(path);
  if (wide.empty()) return File();
  HANDLE h = CreateFileW(wide.c_str(), AccessOf(mode), SharingOf(share), nullptr,
                         DispositionOf(mode), FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? File() : File(h);
}

std::string FileReadLine(File& file) {
  if (!file || file.textEnded_) return {};
  bool atEnd = false;
  size_t scanned = 0;
  for (;;) {
    std::string_view rest(file.readAhead_.data() + file.readPos_,
                          file.readAhead_.size() - file.readPos_);
    TextLineScan scan = ScanTextLine(rest, atEnd, scanned);
    scanned = scan.scanned;
    if (scan.complete) {
      std::string line(rest.substr(0, scan.lineLength));
      file.readPos_ += scan.consumed;
      if (scan.textEnded) {
        file.textEnded_ = true;
        file.textEndByte_ = scan.endByte;
      }
      return line;
    }
    if (!file.Refill()) atEnd = true;
  }
}

std::string FilePeekBytes(File& file, size_t count) {
  if (!file) return {};
  while (file.readAhead_.size() - file.readPos_ < count && file.Refill()) {
  }
  return file.readAhead_.substr(file.readPos_, count);
}

bool FileWriteText(File& file, std::string_view text) {
  return file && file.DropReadAhead() && WriteAllBytes(file.handle_, text);
}

bool WriteAllBytes(HANDLE file, std::string_view bytes, decltype(&WriteFile) write) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD want = DWORD(std::min<size_t>(bytes.size(), 1u << 20));
    if (!write(file, bytes.data(), want, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool FileAtEnd(const File& file) {
  if (!file || file.textEnded_) return true;
  if (file.readPos_ < file.readAhead_.size()) return false;
  if (file.readError_ != ERROR_SUCCESS) return true;
  LARGE_INTEGER zero = {}, position = {}, size = {};
  if (!SetFilePointerEx(file.handle_, zero, &position, FILE_CURRENT)) return true;
  if (!GetFileSizeEx(file.handle_, &size)) return true;
  return position.QuadPart >= size.QuadPart;
}

DWORD FileReadError(const File& file) { return file.readError_; }

std::optional<char> FileTextEndByte(const File& file) {
  if (!file.textEnded_) return std::nullopt;
  return file.textEndByte_;
}

void FileLimitReading(File& file, uint64_t limit) {
  file.readLimit_ = limit;
  LARGE_INTEGER size = {};
  if (file.bytesRead_ > limit || (file && GetFileSizeEx(file.handle_, &size) && uint64_t(size.QuadPart) > limit))
    file.readError_ = ERROR_FILE_TOO_LARGE;
}

bool IsDiskFile(const File& file) {
  if (!file || GetFileType(file.SystemHandle()) != FILE_TYPE_DISK) return false;
  // A file system that cannot tell the attributes is taken at its type's word.
  // Only the attributes: the whole information also asks for the volume's,
  // which under Wine costs several times the rest of a refusal.
  FILE_BASIC_INFO info = {};
  return !GetFileInformationByHandleEx(file.SystemHandle(), FileBasicInfo, &info, sizeof info) ||
         !(info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsNoDiskFileError(DWORD openError) {
  constexpr DWORD kNoSuchDevice = 433;  // ERROR_NO_SUCH_DEVICE, which mingw-w64's headers lack
  return openError == kNoSuchDevice;
}

namespace {
// What a search for the entry at `api` (a path for the file API) tells of
// it when no attributes describe it. A search opens the folder, never the
// entry.
enum class Undescribed {
  None,    // its attributes can be read, or no entry is there
  Listed,  // the search tells of it: no file on disk
  Named,   // the search finds its name and has nothing to tell of it
};

// Whether the entry that a search for `api` found is the one that the path
// names. A search takes dots at the end of the name it looks for as
// matching the end of a name, so that under Wine "\\?\C:\t\e_dot.." finds
// "e_dot" or "e_dot." beside it; the path names its last name as it stands
// in the extended-length form, and without the dots and blanks at its end
// in any other, as the system tidies it. In the extended-length form "."
// and ".." are names, not steps, and no file system holds an entry of
// either: a search for one finds the folder's own entry for itself or its
// parent, a folder and no such name.
bool IsTheNameSearchedFor(const std::wstring& api, const WIN32_FIND_DATAW& found) {
  std::wstring_view name(api);
  name.remove_prefix(name.find_last_of(L"\\/") + 1);  // all of it where there is no separator
  if (name == L"." || name == L"..") return false;
  if (!api.starts_with(L"\\\\?\\"))
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.remove_suffix(1);
  const auto is = [&](const wchar_t* told) {
    return *told && CompareStringOrdinal(name.data(), int(name.size()), told, -1, TRUE) == CSTR_EQUAL;
  };
  return is(found.cFileName) || is(found.cAlternateFileName);  // the short name, by which it is found too
}

Undescribed LookUpUndescribed(const std::wstring& api, SearchCall search) {
  if (api.empty() || GetFileAttributesW(api.c_str()) != INVALID_FILE_ATTRIBUTES) return Undescribed::None;
  WIN32_FIND_DATAW data;
  HANDLE find = search(api.c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    FindClose(find);
    if (!IsTheNameSearchedFor(api, data)) return Undescribed::None;
    // What the search found may be a file that another program made after
    // the look: its attributes describe it now.
    if (GetFileAttributesW(api.c_str()) != INVALID_FILE_ATTRIBUTES) return Undescribed::None;
    return Undescribed::Listed;
  }
  // Wine's search finds a host's link to nothing by its name and then has
  // nothing to tell of it: "no more files", where a name that is not there
  // is "not found".
  return GetLastError() == ERROR_NO_MORE_FILES ? Undescribed::Named : Undescribed::None;
}
}  // namespace

bool PathIsNoDiskFile(std::string_view path) { return PathIsNoDiskFile(GbkToWide(path)); }

bool PathIsNoDiskFile(const std::wstring& path, SearchCall search) {
  return LookUpUndescribed(FileApiPath(path), search) == Undescribed::Listed;
}

bool PathIsLinkToNothing(std::string_view path) { return PathIsLinkToNothing(GbkToWide(path)); }

bool PathIsLinkToNothing(const std::wstring& path, SearchCall search) {
  return LookUpUndescribed(FileApiPath(path), search) == Undescribed::Named;
}

FileSearch SearchForEntry(std::string_view path) { return SearchForEntry(GbkToWide(path)); }

FileSearch SearchForEntry(const std::wstring& path, SearchCall search) {
  const std::wstring wide = FileApiPath(path);
  if (wide.empty()) return {};
  WIN32_FIND_DATAW data;
  HANDLE find = search(wide.c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    FindClose(find);
    return {true};
  }
  const DWORD error = GetLastError();
  if (error == ERROR_NO_MORE_FILES) return {true};  // a name with nothing to tell of, as LookUpUndescribed says
  if (error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
      GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES)
    return {};
  return {false, error};
}

bool FileExists(std::string_view path) { return SearchForEntry(path).found; }

bool FileExists(const std::wstring& path) { return SearchForEntry(path).found; }

HANDLE File::Release() noexcept {
  readAhead_.clear();
  readPos_ = 0;
  textEnded_ = false;
  textEndByte_ = 0;
  readError_ = ERROR_SUCCESS;
  readLimit_ = std::numeric_limits<uint64_t>::max();
  bytesRead_ = 0;
  return std::exchange(handle_, INVALID_HANDLE_VALUE);
}

bool CloseFile(File& file) { return file && CloseHandle(file.Release()) != 0; }

}  // namespace korvath::platform::files
