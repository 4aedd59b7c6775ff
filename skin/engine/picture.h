#pragma once
// The engine's scalable picture, SkinPicture, which a program hands to a
// form's attach (its buttons' picture) and to a panel's Create. The class is
// the drawing vocabulary's (the families draw with it too), in a small header
// that includes nothing of the engine's state.
#include "skin/draw/skin_picture.h"
