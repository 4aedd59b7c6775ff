#pragma once
// The steps of a save (platform/file_saving.h), each one of its system calls
// (platform/file_saving_calls.h), made to fail or stopped before they are
// made, its search for what is at the file's name preceded by a change, and
// its looks at what a name names made to fail: for the tests of what a
// failed or killed save leaves behind.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_saving_calls.h"

namespace testsupport {

// A file or folder as the system tells it from every other: its volume's
// serial number and its index there.
struct FileIdentity {
  DWORD volume = 0;
  uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};
// The folder's at `path`; {} when it does not open.
FileIdentity FolderIdentity(const std::wstring& path);

// While alive, every save's system calls go through this object first: each
// call is one step, named by the call and what it works on, and listed in
// steps(). One object at a time; the system's calls are back once it is gone.
class SaveSteps {
 public:
  SaveSteps();
  ~SaveSteps();
  SaveSteps(const SaveSteps&) = delete;
  SaveSteps& operator=(const SaveSteps&) = delete;

  // Step `index` (from 0) fails with `error`, as if the system had refused
  // it: the call is not made. A close is made all the same, as the system's
  // close lets go of its handle even when it reports a failure.
  void FailAt(size_t index, DWORD error);
  // The move (MoveFileExW) that is step `index` is made, and then reported
  // as failed with `error`, as a move that did its work can report.
  void FailAfterTheMoveAt(size_t index, DWORD error) {
    failAfter_ = index;
    failAfterWith_ = error;
  }
  // For the stand-in move, once it is made with the result `made`: that
  // result, or a failure where the step is to fail after it.
  BOOL Made(BOOL made) const;
  // `stop` runs just before step `index` is made (it may never return).
  void StopBefore(size_t index, std::function<void()> stop);
  // `before` runs once, just before the save's search number `search` (from
  // 0) for what is at the file's name (between that look-up's look at its
  // attributes and the search), which is no step: it changes nothing. The
  // first looks for what is no file on disk; the second, made only where the
  // save may replace a file, for a link to nothing.
  void BeforeTheSearch(std::function<void()> before, size_t search = 0) {
    beforeSearch_ = std::move(before);
    searchBefore_ = search;
  }
  // For the stand-in search: runs what is to run before it, once.
  void EnterSearch();
  // From now on (a stop may call it), every open by which a save looks at
  // what a name names now, against the identity it recorded, fails with
  // `error`, as the system fails it where the file goes between the look at
  // its attributes and the open. A look is no step: it changes nothing.
  void FailTheLooks(DWORD error) { looksFailWith_ = error; }
  // For the stand-in open: the error it fails with; ERROR_SUCCESS where the
  // open is made.
  DWORD LooksFailWith() const { return looksFailWith_; }
  const std::vector<std::string>& steps() const { return steps_; }
  // The attributes that each setting of a file's basic information handed
  // to the system, in order (whether or not that step was made to fail).
  const std::vector<DWORD>& attributesSet() const { return attributesSet_; }
  void NoteAttributesSet(DWORD attributes) { attributesSet_.push_back(attributes); }
  // The folders that were flushed, in order (whether or not that step was
  // made to fail).
  const std::vector<FileIdentity>& foldersFlushed() const { return foldersFlushed_; }
  void NoteFolderFlushed(const FileIdentity& folder) { foldersFlushed_.push_back(folder); }

  // For the stand-in calls: records the step `name` and runs its stop; false
  // when the step is to fail, with the system's last error set to why.
  bool Enter(const std::string& name);

 private:
  korvath::platform::files::SaveCalls saved_;
  std::vector<std::string> steps_;
  std::vector<DWORD> attributesSet_;
  std::vector<FileIdentity> foldersFlushed_;
  size_t failAt_ = SIZE_MAX;
  size_t failAfter_ = SIZE_MAX;
  DWORD failAfterWith_ = ERROR_SUCCESS;
  DWORD failWith_ = ERROR_SUCCESS;
  size_t stopBefore_ = SIZE_MAX;
  std::function<void()> stop_;
  std::function<void()> beforeSearch_;
  size_t searchBefore_ = 0;
  size_t searches_ = 0;  // made so far
  DWORD looksFailWith_ = ERROR_SUCCESS;
};

// The step by which a save's new file takes the file's place, among the
// steps of a save: the move over a file, the second name of a new file. Its
// index (the steps' count when none is).
size_t StepOfTheMove(const std::vector<std::string>& steps);

}  // namespace testsupport
