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
// - Nothing throws across a window procedure, a hook or a timer callback: the
//   one standard call that can throw (starting a thread) is caught where it is
//   made.
// - [[nodiscard]] marks results that say whether something now exists or was
//   done and that the caller must act on: surface and graphics binders
//   (SkinGraphicsOnDC ...), handle releases, SkinSubclass (the saved
//   procedure, or null when the installer guard refused), picture loads.
//   Painters and setters return nothing to check.
