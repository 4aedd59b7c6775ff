#pragma once
// How the skinning engine meets failure; beside the GDI+ classes' own rules
// (gdip/object.h), which it builds on.
//
// - The skin is the look, not the work: a failure never stops the tool, never
//   shows the user a message and is never retried. The window keeps what it
//   showed, or its native look.
// - A failed creation (window, DC, bitmap, DIB, GDI+ object, decoded picture,
//   hook, thread) leaves its owner empty (platform/gdi_object.h,
//   platform/hooks.h, memory_dc.h, the gdip classes). The painter that needed
//   it draws nothing more and returns; an installer leaves the control
//   unskinned; a fade or animation that cannot start shows its last frame at
//   once (fade_in.cpp).
// - A lookup that finds nothing (a number naming no record or entry, an entry
//   of another window, a window no skin knows) answers null or empty, and the
//   procedure hands the message on unchanged (subclass.h, entry_lookup.h).
// - Memory that runs out is a failure too, and any allocation can meet it (a
//   string, a list's growth, a record, a row of the properties' table): it
//   throws std::bad_alloc, which ends the engine's work where the system
//   called it. Nothing throws across a window procedure, a hook, a timer, a
//   window-event procedure, a subclass callback or an enumeration callback:
//   each catches at its edge (SkinMessageBoundary, skin_message.h, for the
//   window procedures; SkinAtCallbackEdge below for the others). Past that
//   edge the exception would end the process: the unwinder of this toolchain
//   cannot pass the system's frames between the callback and its caller.
//   What was done before the throw stays. A window procedure hands the
//   message on to the procedure it replaced, unless it had done so already
//   (that answer stands): the window goes on working, showing what the skin
//   last drew or what its own procedure draws.
// - Every lock is held by a scope (platform/slim_lock.h): a throw releases it,
//   and the next caller does not wait for ever.
// - An installer that stops half-way leaves what it did; a control whose
//   entry was not made is passed on unchanged by its skin procedure (a lookup
//   that finds nothing). A message box whose dressing stops is shown as the
//   system made it, and its fade-in is asked for before its first paint:
//   nothing leaves a box invisible (dialog_skin_attach.cpp,
//   dialog_window_proc.cpp).
// - Starting a thread fails for want of a thread or of memory: it is caught
//   where it is made (fade_in.cpp).
// - A call of the front door's (an attach, the theme, a panel, a box) passes
//   memory that runs out on to the program that made it, its locks released;
//   the engine itself says nothing. The tool runs each of its handlers
//   guarded (app/handler_guard.h), and says that the action could not be
//   completed.
// - [[nodiscard]] marks results that say whether something now exists or was
//   done and that the caller must act on: surface and graphics binders
//   (SkinGraphicsOnDC ...), handle releases, SkinSubclass (the saved
//   procedure, or null when the installer guard refused), picture loads.
//   Painters and setters return nothing to check.
#include <utility>

namespace korvath::skin {

// The edge where the system calls the engine outside a window procedure (a
// hook, a timer, a window-event procedure, a subclass callback, an
// enumeration): `work` runs there, and whatever it throws ends it, with
// `fallback` as the answer. (A window procedure's edge is
// SkinMessageBoundary, skin_message.h.)
template <class Result, class Work>
Result SkinAtCallbackEdge(Result fallback, Work&& work) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    return fallback;
  }
}
template <class Work>
void SkinAtCallbackEdge(Work&& work) noexcept {
  try {
    std::forward<Work>(work)();
  } catch (...) {
  }
}

}  // namespace korvath::skin
