#include <windows.h>

#include "engine/platform/UWin32FileSystem.h"

namespace brimvale {
namespace {

using TGetDiskFreeSpaceExA = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                           PULARGE_INTEGER);

// Early Windows 95 lacks the Ex call, so it is found at start-up rather than
// imported.
const TGetDiskFreeSpaceExA gGetDiskFreeSpaceExA = [] {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? reinterpret_cast<TGetDiskFreeSpaceExA>(
                      reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")))
                : nullptr;
}();

HANDLE AsHandle(TFileHandle file) { return reinterpret_cast<HANDLE>(file); }

// GetDiskFreeSpaceA's figures: bytes per cluster (32 bits, as the system
// multiplies them) and free clusters.
bool ClusterFigures(const char* rootPath, DWORD& bytesPerCluster, DWORD& freeClusters) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(rootPath, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &totalClusters))
    return false;
  bytesPerCluster = sectorsPerCluster * bytesPerSector;
  return true;
}

}  // namespace

bool TWin32FileSystem::ClusterBytes(const char* rootPath, std::uint32_t& bytesPerCluster) {
  DWORD bytes = 0, freeClusters = 0;
  if (!ClusterFigures(rootPath, bytes, freeClusters)) return false;
  bytesPerCluster = bytes;
  return true;
}

bool TWin32FileSystem::FreeBytesAvailable(const char* rootPath, std::int64_t& freeBytes) {
  if (FUseFreeSpaceEx && gGetDiskFreeSpaceExA) {
    ULARGE_INTEGER available{}, total{};
    if (!gGetDiskFreeSpaceExA(rootPath, &available, &total, nullptr)) return false;
    freeBytes = static_cast<std::int64_t>(available.QuadPart);
    return true;
  }
  DWORD bytesPerCluster = 0, freeClusters = 0;
  if (!ClusterFigures(rootPath, bytesPerCluster, freeClusters)) return false;
  freeBytes = static_cast<std::int64_t>(bytesPerCluster) * freeClusters;
  return true;
}

TFileHandle TWin32FileSystem::CreateForWrite(const std::string& path, bool writeThrough) {
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | (writeThrough ? FILE_FLAG_WRITE_THROUGH : 0);
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, flags, nullptr);
  return file == INVALID_HANDLE_VALUE ? kInvalidFileHandle : reinterpret_cast<TFileHandle>(file);
}

bool TWin32FileSystem::Write(TFileHandle file, const void* data, std::uint32_t count,
                             std::uint32_t& written) {
  DWORD done = 0;
  const BOOL ok = WriteFile(AsHandle(file), data, count, &done, nullptr);
  written = done;
  return ok != FALSE;
}

void TWin32FileSystem::Flush(TFileHandle file) { FlushFileBuffers(AsHandle(file)); }

bool TWin32FileSystem::Close(TFileHandle file) { return CloseHandle(AsHandle(file)) != FALSE; }

bool TWin32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TFileSystem& SystemFileSystem() {
  static TWin32FileSystem system;
  return system;
}

}  // namespace brimvale
