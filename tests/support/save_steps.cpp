#include "tests/support/save_steps.h"

#include <utility>

namespace testsupport {

namespace {
using korvath::platform::files::SaveCalls;
using korvath::platform::files::SaveSystemCalls;

SaveSteps* g_active = nullptr;

HANDLE WINAPI CreateFileStep(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD creation, DWORD flags, HANDLE model) {
  const char* what = creation == CREATE_NEW                  ? "CreateFileW (the new file beside it)"
                     : (flags & FILE_FLAG_BACKUP_SEMANTICS) ? "CreateFileW (the folder)"
                                                             : "CreateFileW (the file itself)";
  if (!g_active->Enter(what)) return INVALID_HANDLE_VALUE;
  return CreateFileW(path, access, share, security, creation, flags, model);
}

BOOL WINAPI SetFileInformationStep(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size) {
  if (kind == FileBasicInfo && size >= sizeof(FILE_BASIC_INFO))
    g_active->NoteAttributesSet(static_cast<const FILE_BASIC_INFO*>(information)->FileAttributes);
  if (!g_active->Enter(kind == FileDispositionInfo ? "SetFileInformationByHandle (its removal)"
                                                    : "SetFileInformationByHandle (its attributes)"))
    return FALSE;
  return SetFileInformationByHandle(file, kind, information, size);
}

BOOL WINAPI WriteFileStep(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
  if (!g_active->Enter("WriteFile")) return FALSE;
  return WriteFile(file, bytes, count, written, overlapped);
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return {information.dwVolumeSerialNumber, uint64_t(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
}

BOOL WINAPI FlushStep(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information = {};
  const bool folder = GetFileInformationByHandle(file, &information) &&
                      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  if (folder) g_active->NoteFolderFlushed(IdentityOf(information));
  if (!g_active->Enter(folder ? "FlushFileBuffers (the folder)" : "FlushFileBuffers")) return FALSE;
  return FlushFileBuffers(file);
}

BOOL WINAPI CloseStep(HANDLE handle) {
  const bool fails = !g_active->Enter("CloseHandle");
  const DWORD error = GetLastError();
  const BOOL closed = CloseHandle(handle);
  if (!fails) return closed;
  SetLastError(error);
  return FALSE;
}

BOOL WINAPI MoveStep(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (!g_active->Enter("MoveFileExW")) return FALSE;
  return g_active->Made(MoveFileExW(from, to, flags));
}

BOOL WINAPI LinkStep(LPCWSTR name, LPCWSTR existing, LPSECURITY_ATTRIBUTES security) {
  if (!g_active->Enter("CreateHardLinkW")) return FALSE;
  return CreateHardLinkW(name, existing, security);
}

HANDLE WINAPI SearchStandIn(LPCWSTR path, LPWIN32_FIND_DATAW found) {
  g_active->EnterSearch();
  return FindFirstFileW(path, found);
}

HANDLE WINAPI LookStandIn(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD creation,
                          DWORD flags, HANDLE model) {
  if (const DWORD error = g_active->LooksFailWith()) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileW(path, access, share, security, creation, flags, model);
}
}  // namespace

SaveSteps::SaveSteps() : saved_(SaveSystemCalls()) {
  g_active = this;
  SaveCalls& calls = SaveSystemCalls();
  calls.createFile = &CreateFileStep;
  calls.setFileInformationByHandle = &SetFileInformationStep;
  calls.writeFile = &WriteFileStep;
  calls.flushFileBuffers = &FlushStep;
  calls.closeHandle = &CloseStep;
  calls.moveFileEx = &MoveStep;
  calls.createHardLink = &LinkStep;
  calls.findFirstFile = &SearchStandIn;
  calls.createFileToLook = &LookStandIn;
}

SaveSteps::~SaveSteps() {
  SaveSystemCalls() = saved_;
  g_active = nullptr;
}

void SaveSteps::FailAt(size_t index, DWORD error) {
  failAt_ = index;
  failWith_ = error;
}

BOOL SaveSteps::Made(BOOL made) const {
  if (steps_.size() != failAfter_ + 1) return made;
  SetLastError(failAfterWith_);
  return FALSE;
}

void SaveSteps::StopBefore(size_t index, std::function<void()> stop) {
  stopBefore_ = index;
  stop_ = std::move(stop);
}

void SaveSteps::EnterSearch() {
  if (searches_++ != searchBefore_) return;
  if (const std::function<void()> before = std::exchange(beforeSearch_, nullptr)) before();
}

bool SaveSteps::Enter(const std::string& name) {
  const size_t index = steps_.size();
  steps_.push_back(name);
  if (index == stopBefore_ && stop_) stop_();
  if (index != failAt_) return true;
  SetLastError(failWith_);
  return false;
}

FileIdentity FolderIdentity(const std::wstring& path) {
  HANDLE folder = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return {};
  BY_HANDLE_FILE_INFORMATION information = {};
  const bool told = GetFileInformationByHandle(folder, &information);
  CloseHandle(folder);
  return told ? IdentityOf(information) : FileIdentity();
}

size_t StepOfTheMove(const std::vector<std::string>& steps) {
  for (size_t step = 0; step < steps.size(); ++step)
    if (steps[step] == "MoveFileExW" || steps[step] == "CreateHardLinkW") return step;
  return steps.size();
}

}  // namespace testsupport
