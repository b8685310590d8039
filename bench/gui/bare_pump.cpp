// The ceiling that the per-block message pump sets under Wine: the fill
// run's files (same sizes, same names, same probes between files) written
// by a bare program with one window and one empty pass over its messages
// after every 64 KiB block, and nothing else.
//   gui_bare_pump <drive root, e.g. T:\>
// Prints one line: seconds=... bytes=... files=...
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "UBenchClock.h"

namespace {

std::int64_t FreeBytes(const char* root) {
  ULARGE_INTEGER available{};
  return GetDiskFreeSpaceExA(root, &available, nullptr, nullptr)
             ? static_cast<std::int64_t>(available.QuadPart)
             : -1;
}

void PumpOnce() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool Exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gui_bare_pump <drive root>\n");
    return 2;
  }
  const std::string root = argv[1];

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "BareFillPump";
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(0, "BareFillPump", "bare pump", WS_OVERLAPPEDWINDOW, 100, 100,
                                      420, 420, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  PumpOnce();

  static char block[65536];  // zeros
  DWORD sectors = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectors, &bytesPerSector, &freeClusters, &totalClusters))
    return 1;
  const std::int64_t cluster = static_cast<std::int64_t>(sectors) * bytesPerSector;

  const double start = Now();
  std::int64_t free = FreeBytes(root.c_str()) / cluster;
  std::int64_t chunk = (std::int64_t{1} << 30) / cluster;
  while (free < chunk) chunk /= 2;
  std::int64_t total = 0;
  int number = 0, files = 0;
  while (chunk > 0) {
    char name[64];
    std::string path;
    for (;; ++number) {
      std::snprintf(name, sizeof name, "_filldrive_%.4d_%lld.dat", number,
                    static_cast<long long>(chunk));
      path = root + name;
      if (!Exists(path)) break;
    }
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const std::int64_t size = chunk * cluster;
    for (std::int64_t done = 0; done < size;) {
      const DWORD count = static_cast<DWORD>(size - done < 65536 ? size - done : 65536);
      DWORD written = 0;
      if (!WriteFile(file, block, count, &written, nullptr) || written != count) return 1;
      done += count;
      PumpOnce();
    }
    FlushFileBuffers(file);
    CloseHandle(file);
    total += size;
    ++files;
    const std::int64_t before = free;
    free = FreeBytes(root.c_str()) / cluster;
    if (free < 0 || free >= before) break;
    while (free < chunk) chunk /= 2;
    ++number;
  }
  const double seconds = Now() - start;
  DestroyWindow(window);
  std::printf("seconds=%.6f bytes=%lld files=%d\n", seconds, static_cast<long long>(total), files);
  return 0;
}
