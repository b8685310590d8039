#pragma once

#include <windows.h>

namespace brimvale {

// Where Windows' DLLs may come from (ui/USystemLibraries.h).
enum class TDllSearch {
  Restricted,  // the system folder only, where the system can be told so
  Open,        // as on a Windows that cannot be: for the tests of that case
};

// The whole program, from start-up until its window is closed; the exit code.
int RunProgram(HINSTANCE instance, int showCommand, TDllSearch search);

}  // namespace brimvale
