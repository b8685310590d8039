// The ceiling that the per-block message pump sets under Wine: the fill
// run's files (same sizes, same names, same probes between files) written
// by a bare program with one window and one empty pass over its messages
// after every 64 KiB block, and nothing else. Like the real program it
// waits with a "Go" button, disabled while it writes, so that
// gui_fill_driver times both the same way, from the press to idle.
//   gui_bare_pump [drive root, e.g. T:\]    (default: the current folder)
// Prints one line when closed: self_seconds=... bytes=... files=...
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "UBenchClock.h"
#include "engine/UFillRun.h"

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

struct TRun {
  std::string root;
  double seconds = 0;
  std::int64_t total = 0;
  int files = 0;
};

TRun gRun;
constexpr int kGoId = 1;

// Writes the files; false when the drive fails.
bool Fill(TRun& run) {
  static char block[65536];  // zeros
  DWORD sectors = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(run.root.c_str(), &sectors, &bytesPerSector, &freeClusters,
                         &totalClusters))
    return false;
  const std::int64_t cluster = static_cast<std::int64_t>(sectors) * bytesPerSector;

  std::int64_t free = FreeBytes(run.root.c_str()) / cluster;
  std::int64_t chunk = brimvale::HalveToFit(brimvale::FirstChunk(cluster), free, cluster);
  std::int32_t number = 0;
  while (chunk > 0) {
    std::string path = brimvale::FillFilePath(run.root, brimvale::FillFileName(number, chunk));
    while (Exists(path))
      path = brimvale::FillFilePath(run.root, brimvale::FillFileName(++number, chunk));
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::int64_t size = chunk * cluster;
    for (std::int64_t done = 0; done < size;) {
      const DWORD count = static_cast<DWORD>(size - done < 65536 ? size - done : 65536);
      DWORD written = 0;
      if (!WriteFile(file, block, count, &written, nullptr) || written != count) {
        CloseHandle(file);
        return false;
      }
      done += count;
      PumpOnce();
    }
    FlushFileBuffers(file);
    CloseHandle(file);
    run.total += size;
    ++run.files;
    const std::int64_t before = free;
    free = FreeBytes(run.root.c_str()) / cluster;
    if (free < 0 || free >= before) break;
    chunk = brimvale::HalveToFit(chunk, free, cluster);
    ++number;
  }
  return true;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kGoId && HIWORD(wParam) == BN_CLICKED) {
        const HWND go = reinterpret_cast<HWND>(lParam);
        EnableWindow(go, FALSE);
        const double start = Now();
        if (!Fill(gRun)) std::fprintf(stderr, "gui_bare_pump: the drive failed\n");
        gRun.seconds = Now() - start;
        EnableWindow(go, TRUE);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    gRun.root = argv[1];
  } else {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    gRun.root = folder;
    if (!gRun.root.empty() && gRun.root.back() != '\\') gRun.root += '\\';
  }

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "BareFillPump";
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(0, "BareFillPump", "bare pump", WS_OVERLAPPEDWINDOW, 100, 100,
                                      420, 420, nullptr, nullptr, windowClass.hInstance, nullptr);
  CreateWindowExA(0, "Button", "Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 320, 340,
                  75, 25, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGoId)),
                  windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  std::printf("self_seconds=%.6f bytes=%lld files=%d\n", gRun.seconds,
              static_cast<long long>(gRun.total), gRun.files);
  return 0;
}
