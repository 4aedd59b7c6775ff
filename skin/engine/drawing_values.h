#pragma once
// The engine's small value routines (colours, message-parameter halves,
// style tests), among them the one a program reads windows with: a window's
// class name as GBK text (SkinGetClassNameText).
#include "skin/draw/drawing_values.h"
