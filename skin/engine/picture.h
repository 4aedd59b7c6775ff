#pragma once
// The engine's scalable picture, SkinPicture, which a program hands to a
// form's attach (its buttons' picture) and to a panel.
#include "skin/draw/skin_picture.h"
