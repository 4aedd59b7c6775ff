#pragma once
// The program's message box, skinned as its owner form is: SkinMessageBox.
#include "skin/message_box/message_box.h"
