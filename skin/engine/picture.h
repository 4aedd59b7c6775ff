#pragma once
// The engine's scalable picture, SkinPicture, which a program may load and
// hands to a form's attach (its buttons' picture) and to a panel's Create:
// the picture alone, as a program holds it. Drawing it is the engine's own.
#include "skin/values/skin_picture.h"
