#pragma once
// The handlers of the skinned form's procedure, one per message, split by
// what they concern: life, painting, the caption's hover and its title
// (form_window_proc.cpp), geometry, mouse and system commands
// (form_geometry_messages.cpp), control colours, commands, notifications and
// owner-drawn items (form_child_messages.cpp).
#include <windows.h>

#include "skin/core/skin_message.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// Each handler that reads the form's record gets it as the procedure found
// it. A handler that calls what can run a modal loop, a program's routine or
// the procedure behind the skin reads the record only before that call, or
// finds it anew from the window after it: the form may be gone, and the
// records renumbered.

// Geometry, mouse and system commands.
LRESULT OnGetMinMaxInfo(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnWindowPosChanging(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnWindowPosChanged(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnSize(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnLButtonDown(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnLButtonUp(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnRButtonDown(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnLButtonDblClk(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnSysCommand(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnQueryOpen(const SkinMessage& m, SkinWindowRecord& r);

// Control colours, activation, commands, notifications and owner-drawn items.
LRESULT OnCtlColorEditOrStatic(const SkinMessage& m, const SkinWindowRecord& r);
LRESULT OnCtlColorListBox(const SkinMessage& m);
LRESULT OnCtlColorButton(const SkinMessage& m);
LRESULT OnActivateApp(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnActivate(const SkinMessage& m, SkinWindowRecord& r);
LRESULT OnCommand(const SkinMessage& m);
LRESULT OnNotify(const SkinMessage& m);
LRESULT OnDrawItem(const SkinMessage& m, SkinWindowRecord& r);

}  // namespace korvath::skin
