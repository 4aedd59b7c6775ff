#pragma once
// The system calls through which a save (file_saving.h) changes the disk and
// puts it on disk, one entry per call, each the system's own: the new file's
// and the folder's opens and flushes among them. A test puts a call of its
// own in an entry's place to make that step fail, or to stop the program
// there: steps such as a flush, a close or the final move cannot be made to
// fail from outside. Nothing else changes them. Besides, two calls that
// change nothing: the search by which a save looks for what is at the file's
// name and no attributes describe (a test's own in its place runs between
// the save's look at the name and its search), and the open by which it
// looks at what a name names now, against the identity it recorded (a
// test's own in its place fails it, as the system fails it where the file
// goes between the look at its attributes and the open).
#include <windows.h>

namespace korvath::platform::files {

struct SaveCalls {
  decltype(&CreateFileW) createFile = &CreateFileW;
  decltype(&SetFileInformationByHandle) setFileInformationByHandle = &SetFileInformationByHandle;
  decltype(&WriteFile) writeFile = &WriteFile;
  decltype(&FlushFileBuffers) flushFileBuffers = &FlushFileBuffers;
  decltype(&CloseHandle) closeHandle = &CloseHandle;
  decltype(&MoveFileExW) moveFileEx = &MoveFileExW;
  decltype(&CreateHardLinkW) createHardLink = &CreateHardLinkW;
  decltype(&FindFirstFileW) findFirstFile = &FindFirstFileW;
  decltype(&CreateFileW) createFileToLook = &CreateFileW;
};

// The calls that every save makes.
SaveCalls& SaveSystemCalls();

}  // namespace korvath::platform::files
