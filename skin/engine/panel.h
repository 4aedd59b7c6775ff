#pragma once
// The panel laid around a field of a form, with a row of image buttons at its
// right end: the program's twenty panel objects (ZqkWindows), each a
// ZqkWindow that Create lays over a control, AddEntry gives a button and
// SetCallback a routine for its clicks.
#include "skin/panel/panel_window.h"
