// KorvathNpc.exe: the NPC authoring tool for Korvath.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include "app/npc_tool.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The folder dialog of the new style needs OLE on this thread.
  HRESULT ole = OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int code = korvath::app::RunNpcProgram();
  if (SUCCEEDED(ole)) OleUninitialize();
  return code;
}
