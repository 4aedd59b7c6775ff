#pragma once
// The handlers of the skinned form's procedure, one per message, split by
// what they concern: life, painting and caption hover (form_window_proc.cpp),
// geometry, mouse and system commands (form_geometry_messages.cpp), control
// colours, commands and notifications (form_child_messages.cpp).
#include <windows.h>

#include <cstdint>

#include "skin/core/window_record.h"

namespace korvath::skin {

// One message with the form's record number, unpacked once.
struct FormMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  int32_t number;  // the form's record number (Hw_lbID)
};

// The record the message's form has now (null once it is gone), looked up
// afresh: a modal loop inside a handler may renumber the records.
SkinWindowRecord* RecordOf(const FormMessage& m);
// The previous procedure's answer.
LRESULT PassOn(const FormMessage& m);

// Geometry, mouse and system commands.
LRESULT OnGetMinMaxInfo(const FormMessage& m);
LRESULT OnWindowPosChanging(const FormMessage& m);
LRESULT OnWindowPosChanged(const FormMessage& m);
LRESULT OnSize(const FormMessage& m);
LRESULT OnLButtonDown(const FormMessage& m);
LRESULT OnLButtonUp(const FormMessage& m);
LRESULT OnRButtonDown(const FormMessage& m);
LRESULT OnLButtonDblClk(const FormMessage& m);
LRESULT OnSysCommand(const FormMessage& m);
LRESULT OnQueryOpen(const FormMessage& m);
LRESULT OnSetText(const FormMessage& m);
LRESULT OnDrawItem(const FormMessage& m);

// Control colours, activation, commands and notifications.
LRESULT OnCtlColorEditOrStatic(const FormMessage& m);
LRESULT OnCtlColorListBox(const FormMessage& m);
LRESULT OnCtlColorButton(const FormMessage& m);
LRESULT OnActivateApp(const FormMessage& m);
LRESULT OnActivate(const FormMessage& m);
LRESULT OnCommand(const FormMessage& m);
LRESULT OnNotify(const FormMessage& m);

}  // namespace korvath::skin
