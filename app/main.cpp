// KorvathNpc.exe: the NPC authoring tool for Korvath.
#include <windows.h>

#include "app/npc_tool.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return korvath::app::RunNpcProgram(); }
