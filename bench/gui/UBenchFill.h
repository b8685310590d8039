#pragma once

// The fill run's files (same sizes, same names, same probes between files)
// written by a bench program of its own, with `afterBlock(fraction, file
// clusters, done clusters, run clusters)` called after every 64 KiB block.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "UBenchClock.h"

#include "engine/UFillRun.h"

struct TBenchRun {
  std::string root;
  double seconds = 0;
  std::int64_t total = 0;
  int files = 0;
};

inline std::int64_t BenchFreeBytes(const char* root) {
  ULARGE_INTEGER available{};
  return GetDiskFreeSpaceExA(root, &available, nullptr, nullptr)
             ? static_cast<std::int64_t>(available.QuadPart)
             : -1;
}

inline bool BenchFileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes the files; false when the drive fails.
template <class TAfterBlock>
bool BenchFill(TBenchRun& run, TAfterBlock afterBlock) {
  static char block[65536];  // zeros
  DWORD sectors = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(run.root.c_str(), &sectors, &bytesPerSector, &freeClusters,
                         &totalClusters))
    return false;
  const std::int64_t cluster = static_cast<std::int64_t>(sectors) * bytesPerSector;

  std::int64_t free = BenchFreeBytes(run.root.c_str()) / cluster;
  const double runClusters = static_cast<double>(free);
  double doneClusters = 0;
  std::int64_t chunk = brimvale::HalveToFit(brimvale::FirstChunk(cluster), free, cluster);
  std::int32_t number = 0;
  while (chunk > 0) {
    std::string path = brimvale::FillFilePath(run.root, brimvale::FillFileName(number, chunk));
    while (BenchFileExists(path))
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
      afterBlock(static_cast<double>(done) / static_cast<double>(size), static_cast<double>(chunk),
                 doneClusters, runClusters);
    }
    FlushFileBuffers(file);
    CloseHandle(file);
    run.total += size;
    ++run.files;
    doneClusters += static_cast<double>(chunk);
    const std::int64_t before = free;
    free = BenchFreeBytes(run.root.c_str()) / cluster;
    if (free < 0 || free >= before) break;
    chunk = brimvale::HalveToFit(chunk, free, cluster);
    ++number;
  }
  return true;
}

// The drive root from the command line, or the current folder's.
inline std::string BenchRoot(int argc, char** argv) {
  if (argc > 1) return argv[1];
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  std::string root = folder;
  if (!root.empty() && root.back() != '\\') root += '\\';
  return root;
}

// One empty pass over the thread's messages.
inline void BenchPumpOnce() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Go pressed: it is disabled while `fill` writes, as the program's is, and
// the time taken goes into the run.
template <class TFill>
void BenchRunFromGo(HWND go, TBenchRun& run, TFill fill) {
  EnableWindow(go, FALSE);
  const double start = Now();
  fill();
  run.seconds = Now() - start;
  EnableWindow(go, TRUE);
}

// A window class of the button-face colour for `procedure`.
inline void BenchRegisterClass(const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

// The message loop until the window closes, then the line gui_fill_driver
// reads.
inline int BenchMessageLoop(HWND dialog, const TBenchRun& run) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (dialog && IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  std::printf("self_seconds=%.6f bytes=%lld files=%d\n", run.seconds,
              static_cast<long long>(run.total), run.files);
  return 0;
}
