#include <windows.h>

#include "app/UProgram.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return brimvale::RunProgram(instance, showCommand, brimvale::TDllSearch::Restricted);
}
