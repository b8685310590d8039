// The program as it starts on a Windows that cannot restrict the DLL search
// to the system folder (XP, Vista, 7 without its update): the program's own
// folder stays first for a DLL loaded by name.
#include <windows.h>

#include "app/UProgram.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return brimvale::RunProgram(instance, showCommand, brimvale::TDllSearch::Open);
}
