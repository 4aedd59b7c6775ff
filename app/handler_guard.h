#pragma once
// The tool's handlers run guarded: an exception that leaves one would leave
// the window procedure that raised it, and the process would end with the
// user's unsaved form. Memory that runs out (std::bad_alloc) or any other
// failure that throws ends only the action: the user is told, in a "提示"
// box, that it could not be completed, and the window goes on as it was.
#include <new>

namespace korvath::app {

// The "提示" box that says an action could not be completed; noexcept, so
// that it can end a guard whatever happens in it.
void NoticeUnfinishedAction(bool outOfMemory) noexcept;

template <class Action>
void RunGuarded(Action&& action) noexcept {
  try {
    action();
  } catch (const std::bad_alloc&) {
    NoticeUnfinishedAction(true);
  } catch (...) {
    NoticeUnfinishedAction(false);
  }
}

// A handler of the form runtime (no arguments) and of a panel entry's click
// (the entry's number), run guarded: what the tool binds in their place.
template <void (*Handler)()>
void Guarded() noexcept {
  RunGuarded(Handler);
}
template <void (*Handler)(int)>
void GuardedEntry(int entry) noexcept {
  RunGuarded([entry] { Handler(entry); });
}

}  // namespace korvath::app
