// Leaves a marker beside itself when loaded: planted under a system DLL's
// name, it shows whether the program took it. It exports nothing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 8] = {};
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  lstrcpyA(path + length, ".loaded");
  CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return TRUE;
}
