#pragma once
// The handlers of the skinned form's procedure, one per message, split by
// what they concern: life, painting and caption hover (form_window_proc.cpp),
// geometry, mouse and system commands (form_geometry_messages.cpp), control
// colours, commands and notifications (form_child_messages.cpp).
#include <windows.h>

#include <cstdint>

#include "skin/core/skin_message.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// Each handler gets the message with the form's record number (`Hw_lbID`)
// as its `number`.

// The record the message's form has now (null once it is gone), looked up
// afresh: a modal loop inside a handler may renumber the records.
SkinWindowRecord* RecordOf(const SkinMessage& m);

// Geometry, mouse and system commands.
LRESULT OnGetMinMaxInfo(const SkinMessage& m);
LRESULT OnWindowPosChanging(const SkinMessage& m);
LRESULT OnWindowPosChanged(const SkinMessage& m);
LRESULT OnSize(const SkinMessage& m);
LRESULT OnLButtonDown(const SkinMessage& m);
LRESULT OnLButtonUp(const SkinMessage& m);
LRESULT OnRButtonDown(const SkinMessage& m);
LRESULT OnLButtonDblClk(const SkinMessage& m);
LRESULT OnSysCommand(const SkinMessage& m);
LRESULT OnQueryOpen(const SkinMessage& m);
LRESULT OnSetText(const SkinMessage& m);
LRESULT OnDrawItem(const SkinMessage& m);

// Control colours, activation, commands and notifications.
LRESULT OnCtlColorEditOrStatic(const SkinMessage& m);
LRESULT OnCtlColorListBox(const SkinMessage& m);
LRESULT OnCtlColorButton(const SkinMessage& m);
LRESULT OnActivateApp(const SkinMessage& m);
LRESULT OnActivate(const SkinMessage& m);
LRESULT OnCommand(const SkinMessage& m);
LRESULT OnNotify(const SkinMessage& m);

}  // namespace korvath::skin
