// Starts a fill program (brimvale.exe, or the bare pump it is held
// against) in a drive's root, presses Go, and times the run from the press
// until Go is enabled again. Then reads the program's peak memory and
// closes it.
//   gui_fill_driver <program.exe> <root, e.g. T:\>
// Prints one line: seconds=... peak_ws_kib=... peak_pagefile_kib=... free_after=...
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "UBenchClock.h"

namespace {

struct TFind {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindGoButton(HWND window, LPARAM param) {
  char name[64] = {}, text[64] = {};
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, text, sizeof text);
  if (std::string(name) == "Button" && std::string(text) == "Go") {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

// The program's visible window with a Go button: brimvale.exe has another
// visible window, the empty one that carries its taskbar button.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<TFind*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != find->processId || !IsWindowVisible(window)) return TRUE;
  HWND go = nullptr;
  EnumChildWindows(window, FindGoButton, reinterpret_cast<LPARAM>(&go));
  if (!go) return TRUE;
  find->found = window;
  return FALSE;
}

// Polls until `done` holds or `seconds` pass; false on timeout.
// Each poll is a round trip to the Wine server that the program also needs.
template <class TDone>
bool WaitFor(TDone done, double seconds, DWORD pollMs = 1) {
  const double deadline = Now() + seconds;
  while (!done()) {
    if (Now() > deadline) return false;
    Sleep(pollMs);
  }
  return true;
}

int Fail(const char* what) {
  std::fprintf(stderr, "gui_fill_driver: %s (error %lu)\n", what, GetLastError());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gui_fill_driver <brimvale.exe> <drive root>\n");
    return 2;
  }
  std::string commandLine = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[2],
                      &startup, &child))
    return Fail("cannot start the program");
  CloseHandle(child.hThread);
  WaitForInputIdle(child.hProcess, 30000);

  TFind find{child.dwProcessId, nullptr};
  if (!WaitFor(
          [&] {
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&find));
            return find.found != nullptr;
          },
          30))
    return Fail("no main window");
  HWND go = nullptr;
  EnumChildWindows(find.found, FindGoButton, reinterpret_cast<LPARAM>(&go));
  if (!go) return Fail("no Go button");
  // The window has settled (painted, drive probed) before the clock starts.
  WaitForInputIdle(child.hProcess, 30000);

  const double start = Now();
  PostMessageA(go, BM_CLICK, 0, 0);
  if (!WaitFor([&] { return !IsWindowEnabled(go); }, 30)) return Fail("the run did not start");
  const char* poll = std::getenv("GUI_BENCH_POLL_MS");
  if (!WaitFor([&] { return IsWindowEnabled(go) != FALSE; }, 900, poll ? std::atoi(poll) : 5))
    return Fail("the run did not end");
  const double seconds = Now() - start;

  ULARGE_INTEGER freeAfter{};
  GetDiskFreeSpaceExA(argv[2], &freeAfter, nullptr, nullptr);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(child.hProcess, &memory, sizeof memory))
    return Fail("no memory counters");

  PostMessageA(find.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(child.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(child.hProcess, 1);
    return Fail("the program did not close");
  }
  CloseHandle(child.hProcess);
  std::printf("seconds=%.6f peak_ws_kib=%llu peak_pagefile_kib=%llu free_after=%llu\n", seconds,
              static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
              static_cast<unsigned long long>(memory.PeakPagefileUsage / 1024),
              static_cast<unsigned long long>(freeAfter.QuadPart));
  return 0;
}
